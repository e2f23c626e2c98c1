// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/saved_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <QTemporaryFile>

namespace pelagor {

namespace {

// Below this a disk counts as full: a PDF page or a picture needs more.
constexpr qint64 kNearlyFull = qint64{64} * 1024;

QString folderShown(const QString &folder)
{
    return QDir::toNativeSeparators(folder.isEmpty() ? QDir::currentPath() : folder);
}

} // namespace

QString whyNotWritten(const QString &path, bool written)
{
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (!folder.exists() || !folder.isDir()) {
        return QStringLiteral("папката „%1“ не съществува").arg(folderShown(folder.filePath()));
    }
    if (!folder.isWritable() || (file.exists() && !file.isWritable())) {
        return QStringLiteral("няма разрешение за запис в папката „%1“")
            .arg(folderShown(folder.filePath()));
    }
    const QStorageInfo disk(folder.absoluteFilePath());
    if (disk.isValid() && (disk.isReadOnly() || (written && disk.bytesAvailable() < kNearlyFull))) {
        return disk.isReadOnly() ? QStringLiteral("дискът е само за четене")
                                 : QStringLiteral("дискът е пълен");
    }
    return {};
}

QString writeWhole(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    const auto message = [&path](bool written) {
        const QString why = whyNotWritten(path, written);
        const QString shown = QDir::toNativeSeparators(path);
        return why.isEmpty()
                   ? QStringLiteral("Файлът „%1“ не може да бъде записан.").arg(shown)
                   : QStringLiteral("Файлът „%1“ не може да бъде записан: %2.").arg(shown, why);
    };
    if (QFileInfo(path).isDir()) {
        return QStringLiteral("„%1“ е папка, а не файл.").arg(QDir::toNativeSeparators(path));
    }
    // Written beside the target under another name and renamed at the end,
    // so that a failure leaves nothing behind and a file there stays whole.
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) {
        return message(false);
    }
    if (!write(out) || !out.commit()) {
        out.cancelWriting();
        return message(true);
    }
    return {};
}

QString checkWritableFolder(const QString &folder)
{
    const QFileInfo info(folder);
    const QString shown = folderShown(folder);
    if (!info.exists() || !info.isDir()) {
        return QStringLiteral("Папката „%1“ не съществува.").arg(shown);
    }
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".pelagor-XXXXXX")));
    if (!probe.open()) {
        const QString why = whyNotWritten(probe.fileTemplate(), false);
        return why.isEmpty()
                   ? QStringLiteral("В папката „%1“ не може да се пише.").arg(shown)
                   : QStringLiteral("В папката „%1“ не може да се пише: %2.").arg(shown, why);
    }
    return {};
}

} // namespace pelagor
