// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How a seeded test is told which run to make: PELAGOR_SEED picks the seed,
// and a variable of the test's own sets how long the run is.
#pragma once

#include <QString>
#include <QtGlobal>

namespace pelagor::test {

inline quint32 seedFromEnvironment()
{
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("PELAGOR_SEED").toUInt(&ok);
    return ok ? seed : 20240611U;
}

// A positive count from the named variable, or the fallback.
inline int countFromEnvironment(const char *name, int fallback)
{
    bool ok = false;
    const int count = qEnvironmentVariableIntValue(name, &ok);
    return ok && count > 0 ? count : fallback;
}

} // namespace pelagor::test
