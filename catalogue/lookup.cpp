// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/lookup.h"

#include "catalogue/catalogue.h"

namespace pelagor::catalogue {

int oceanOf(int sea)
{
    return kSeas[static_cast<std::size_t>(sea)].oceanNumber.front() - u'0';
}

QString seaName(int sea)
{
    return QStringView(kSeas[static_cast<std::size_t>(sea)].name).toString().trimmed();
}

QString oceanName(int ocean)
{
    return QStringView(kOceanCaptions.at(static_cast<std::size_t>(ocean))).toString() +
           QStringLiteral(" океан");
}

} // namespace pelagor::catalogue
