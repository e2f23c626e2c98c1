// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Every file the program writes goes through here: written whole or not at
// all, and, when it cannot be written, the reason in Bulgarian (the system's
// own text is English on most machines).
#pragma once

#include <QString>

#include <functional>

class QIODevice;

namespace pelagor {

// Writes `path` whole or not at all: `write` fills a temporary file beside it,
// which takes the file's name only when `write` returns true and all of it
// reached the disk. A file already there is replaced whole. Returns an empty
// string when written, else a message for the user that says why not.
[[nodiscard]] QString writeWhole(const QString &path,
                                 const std::function<bool(QIODevice &)> &write);

// Whether files can be created in `folder`, tried by creating a temporary file
// in it (and removing it): an empty string when they can, else a message
// saying why not.
[[nodiscard]] QString checkWritableFolder(const QString &folder);

// Why the file could not be written, as the end of a sentence about it: that
// its folder does not exist, that there is no permission to write there, that
// the disk is full; else empty. `written` says whether the failure came while
// writing (a full disk) rather than while creating the file.
[[nodiscard]] QString whyNotWritten(const QString &path, bool written);

} // namespace pelagor
