// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/result.h"

#include "practice/wording.h"

namespace pelagor::practice {

namespace {

// A character no file name may hold on Windows or Linux (or that a shell
// or a file manager would make hard to use): the control characters too.
bool forbiddenInFileName(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7f || QStringView(u"/\\:*?\"<>|").contains(c);
}

} // namespace

QString cleanPupilName(QStringView text)
{
    QString name;
    bool blank = false;
    for (const QChar c : text) {
        // Control characters, line ends and tabs among them, are blanks; so
        // are the ones that format a text unseen.
        if (c.isSpace() || c.category() == QChar::Other_Control ||
            c.category() == QChar::Other_Format) {
            blank = !name.isEmpty();
            continue;
        }
        if (blank) {
            name += u' ';
            blank = false;
        }
        name += c;
        if (name.size() >= kMaxPupilName + 1) {
            break;
        }
    }
    if (name.size() > kMaxPupilName) {
        name.truncate(kMaxPupilName);
        if (name.back().isHighSurrogate()) {
            name.chop(1);
        }
    }
    return name.trimmed();
}

ResultSheet resultSheet(const Round &round, const QString &pupil, const QDateTime &when)
{
    ResultSheet sheet;
    sheet.title = QStringLiteral("Резултат от упражнение");
    sheet.about
        << QStringLiteral("Ученик: %1").arg(pupil.isEmpty() ? QStringLiteral("без име") : pupil)
        << QStringLiteral("Дата и час: %1").arg(when.toString(u"dd.MM.yyyy, HH:mm"))
        << QStringLiteral("Вариант %1%2")
               .arg(round.variant())
               .arg(round.onlyMissed() ? QStringLiteral(", само грешните") : QString())
        << settingText(round.setting());
    sheet.score = resultText(round);
    const std::vector<ReviewRow> rows = round.review();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        sheet.rows.push_back(
            {reviewQuestion(static_cast<int>(i), rows[i]), reviewAnswer(rows[i]), rows[i].right});
    }
    return sheet;
}

QString resultFileName(const QString &pupil, int variant, const QDateTime &when, int number)
{
    QString name = pupil;
    for (QChar &c : name) {
        if (forbiddenInFileName(c)) {
            c = u'-';
        }
    }
    // A leading dot hides a file on Linux.
    while (name.startsWith(u'.') || name.startsWith(u' ')) {
        name.remove(0, 1);
    }
    if (name.isEmpty()) {
        name = QStringLiteral("без име");
    }
    name +=
        QStringLiteral(" — вариант %1 — %2").arg(variant).arg(when.toString(u"yyyy-MM-dd HH.mm"));
    if (number > 1) {
        name += QStringLiteral(" (%1)").arg(number);
    }
    return name + QStringLiteral(".pdf");
}

} // namespace pelagor::practice
