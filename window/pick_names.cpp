// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/pick_names.h"

#include "catalogue/catalogue.h"

#include <QString>

namespace pelagor {

namespace {

// A name as it is compared: without the blanks round it, in one case, and
// with one apostrophe, the catalogue's grave accent; a shell's quotes make
// that hard to type, so ' and ’ stand for it.
QString comparable(QStringView name)
{
    QString text = name.trimmed().toString().toCaseFolded();
    text.replace(u'\'', u'`');
    text.replace(u'’', u'`');
    return text;
}

} // namespace

std::optional<int> seaNamed(QStringView name)
{
    const QString wanted = comparable(name);
    for (std::size_t row = 0; row < catalogue::kSeaCount; ++row) {
        if (comparable(catalogue::kSeas[row].name) == wanted) {
            return static_cast<int>(row);
        }
    }
    return std::nullopt;
}

std::optional<int> oceanNamed(QStringView name)
{
    const QString wanted = comparable(name);
    const QString ocean = QStringLiteral(" океан");
    for (std::size_t number = 0; number < catalogue::kOceanCount; ++number) {
        const QString caption = comparable(catalogue::kOceanCaptions.at(number));
        if (wanted == caption || wanted == caption + ocean) {
            return static_cast<int>(number);
        }
    }
    return std::nullopt;
}

} // namespace pelagor
