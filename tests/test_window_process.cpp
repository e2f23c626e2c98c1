// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/application.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <QTest>
#include <memory>
#include <optional>
#include <vector>

// How the program ends: with status 0 when the window is closed, and after a
// message with status 1 when a run-time error stops it; the real program's
// command line: 2 after a mistake, with a message in Bulgarian, and a map
// written to a file with no display at all.
class TestWindowProcess : public QObject {
    Q_OBJECT

private:
    static QProcess *run(const QString &mode)
    {
        auto *process = new QProcess;
        process->setProgram(QStringLiteral(WINDOW_SESSION));
        process->setArguments({mode});
        process->start();
        if (!process->waitForFinished(30000)) {
            process->kill();
        }
        return process;
    }

private slots:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        // The file written, "" for none; for a picture, its size.
        QTest::addColumn<QString>("written");
        QTest::addColumn<QSize>("size");
        // What the message or the PDF's text says, where it matters.
        QTest::addColumn<QString>("says");
        const auto wrong = [](const char *row, const QStringList &arguments,
                              const QString &says = {}) {
            QTest::newRow(row) << arguments << 2 << QString() << QSize() << says;
        };
        const QString png = QStringLiteral("карта.png");
        wrong("unknown option", {QStringLiteral("--bogus")}, QStringLiteral("„--bogus“"));
        wrong("stray argument", {QStringLiteral("bogus")});
        wrong("bad size", {QStringLiteral("--export-map"), png, QStringLiteral("--size"),
                           QStringLiteral("299x180")});
        wrong("size not WxH", {QStringLiteral("--export-map"), png, QStringLiteral("--size=big")});
        wrong("numbers without a map", {QStringLiteral("--numbers")},
              QStringLiteral("--numbers се дава само с --export-map"));
        wrong("unknown sea", {QStringLiteral("--export-map"), png, QStringLiteral("--sea"),
                              QStringLiteral("Море")});
        wrong("unknown ocean", {QStringLiteral("--export-map"), png, QStringLiteral("--ocean"),
                                QStringLiteral("Тих")});
        wrong("sea and ocean",
              {QStringLiteral("--export-map"), png, QStringLiteral("--sea"),
               QStringLiteral("Черно море"), QStringLiteral("--ocean"), QStringLiteral("Тихи")});
        wrong("export and map", {QStringLiteral("--export-map"), png, QStringLiteral("--map")});
        wrong("missing folder", {QStringLiteral("--export-map"), QStringLiteral("няма/") + png});
        wrong("unwritable folder", {QStringLiteral("--export-map"), QStringLiteral("/proc/") + png},
              QStringLiteral("не може да бъде записан"));
        wrong("two seas", {QStringLiteral("--export-map"), png, QStringLiteral("--sea"),
                           QStringLiteral("Черно море"), QStringLiteral("--sea=Бяло море")});
        wrong("two oceans", {QStringLiteral("--export-map"), png, QStringLiteral("--ocean=Тихи"),
                             QStringLiteral("--ocean=Южен")});
        wrong("size of a page", {QStringLiteral("--export-map"), QStringLiteral("карта.pdf"),
                                 QStringLiteral("--size=640x360")});
        wrong("bad extension", {QStringLiteral("--export-map"), QStringLiteral("карта.jpg")});
        wrong("sea without export", {QStringLiteral("--sea"), QStringLiteral("Черно море")});
        wrong("no file name", {QStringLiteral("--export-map")});
        const QString practice = QStringLiteral("--practice");
        wrong("83 questions", {practice, QStringLiteral("--questions"), QStringLiteral("83")});
        wrong("questions not a number", {practice, QStringLiteral("--questions=десет")});
        wrong("unknown kind", {practice, QStringLiteral("--kind"), QStringLiteral("all")});
        wrong("unknown practice ocean", {practice, QStringLiteral("--ocean=Тих")});
        wrong("variant 0", {practice, QStringLiteral("--variant"), QStringLiteral("0")});
        wrong("kind without practice", {QStringLiteral("--kind"), QStringLiteral("map")});
        wrong("practice and export", {practice, QStringLiteral("--export-map"), png});
        wrong("ocean questions of one ocean", {practice, QStringLiteral("--kind=ocean"),
                                               QStringLiteral("--ocean"), QStringLiteral("Тихи")});
        wrong("pupil without practice", {QStringLiteral("--pupil"), QStringLiteral("Иван")});
        wrong("result without practice", {QStringLiteral("--result=р.pdf")});
        wrong("no pupil's name", {practice, QStringLiteral("--pupil"), QStringLiteral(" \t")});
        wrong("result neither folder nor PDF",
              {practice, QStringLiteral("--result"), QStringLiteral("резултат.txt")});
        wrong("result in a missing folder",
              {practice, QStringLiteral("--result"), QStringLiteral("няма/резултат.pdf")});
        wrong("result into an unwritable folder",
              {practice, QStringLiteral("--result"), QStringLiteral("/proc")});
        const QString csv = QStringLiteral("морета.csv");
        wrong("table not csv", {QStringLiteral("--export-table"), QStringLiteral("морета.xls")});
        wrong("table in missing folder",
              {QStringLiteral("--export-table"), QStringLiteral("няма/") + csv});
        wrong("table with a map", {QStringLiteral("--export-table"), csv, QStringLiteral("--map")});
        QTest::newRow("table") << QStringList{QStringLiteral("--export-table"), csv} << 0 << csv
                               << QSize() << QString();
        QTest::newRow("whole world") << QStringList{QStringLiteral("--export-map"), png} << 0 << png
                                     << QSize(1200, 600) << QString();
        QTest::newRow("ocean, sized")
            << QStringList{QStringLiteral("--export-map"), png,
                           QStringLiteral("--ocean"),      QStringLiteral("Тихи океан"),
                           QStringLiteral("--size"),       QStringLiteral("640x360")}
            << 0 << png << QSize(640, 360) << QString();
        QTest::newRow("sea, PDF") << QStringList{QStringLiteral("--export-map"),
                                                 QStringLiteral("карта.PDF"),
                                                 QStringLiteral("--sea"),
                                                 QStringLiteral("Море Д'Юрвил ")}
                                  << 0 << QStringLiteral("карта.PDF") << QSize()
                                  << QStringLiteral("Море Д`Юрвил — Южен океан");
        // The card of the pick on a page of its own: an ocean's table of seas.
        QTest::newRow("ocean, PDF")
            << QStringList{QStringLiteral("--export-map"), QStringLiteral("карта.pdf"),
                           QStringLiteral("--ocean=Тихи")}
            << 0 << QStringLiteral("карта.pdf") << QSize()
            << QStringLiteral("Моретата на океана – 29");
        // A numbered map: no sea named on it, each once in its key, the
        // southernmost last.
        QTest::newRow("ocean, numbered PDF")
            << QStringList{QStringLiteral("--export-map"), QStringLiteral("контурна.pdf"),
                           QStringLiteral("--ocean=Тихи"), QStringLiteral("--numbers")}
            << 0 << QStringLiteral("контурна.pdf") << QSize()
            << QStringLiteral("29. Тасманово море");
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, written);
        QFETCH(QSize, size);
        QFETCH(QString, says);
        const QTemporaryDir folder;
        QProcess process;
        process.setProgram(QStringLiteral(PELAGOR));
        process.setArguments(arguments);
        process.setWorkingDirectory(folder.path());
        // No display of any kind, and no platform chosen.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
            environment.remove(QString::fromLatin1(name));
        }
        process.setProcessEnvironment(environment);
        process.start();
        QVERIFY(process.waitForFinished(30000));
        const QString said = QString::fromUtf8(process.readAllStandardError());
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QVERIFY2(process.exitCode() == status, qPrintable(said));
        const QStringList left =
            QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
        QCOMPARE(left, written.isEmpty() ? QStringList() : QStringList{written});
        if (status != 0) {
            static const QRegularExpression bulgarian(QStringLiteral("pelagor: .*[а-я]{3}"));
            QVERIFY2(said.contains(bulgarian) && said.contains(says), qPrintable(said));
        } else if (written.endsWith(u".csv")) {
            // Read back as a spreadsheet would, by Python's CSV reader.
            QProcess reader;
            reader.start(
                QStringLiteral("python3"),
                {QStringLiteral("-c"),
                 QStringLiteral("import csv, sys\n"
                                "rows = list(csv.reader(open(sys.argv[1], encoding='utf-8-sig', "
                                "newline=''), delimiter=';'))\n"
                                "print(len(rows), {len(row) for row in rows}, *rows[78][:5], "
                                "rows[5][0] + '|', sep='\\n')"),
                 folder.filePath(written)});
            QVERIFY(reader.waitForFinished(30000));
            const QStringList read = QString::fromUtf8(reader.readAllStandardOutput()).split(u'\n');
            QCOMPARE(read.mid(0, 8), (QStringList{QStringLiteral("83"), QStringLiteral("{11}"),
                                                  QStringLiteral("Черно море"),
                                                  QStringLiteral("Атлантически океан"),
                                                  QStringLiteral("43,0"), QStringLiteral("34,0"),
                                                  read.value(6), QStringLiteral("Арабско море|")}));
            QVERIFY2(read.value(6).toInt() > 400000, qPrintable(read.value(6)));
        } else if (size.isValid()) {
            QCOMPARE(QImage(folder.filePath(written)).size(), size);
        } else {
            QFile pdf(folder.filePath(written));
            QVERIFY(pdf.open(QIODevice::ReadOnly));
            QCOMPARE(pdf.read(5), QByteArray("%PDF-"));
            // The title once, as text, as Debian's pdftotext reads it.
            QProcess text;
            text.start(QStringLiteral("pdftotext"), {pdf.fileName(), QStringLiteral("-")});
            if (!text.waitForFinished(30000)) {
                text.kill();
                text.waitForFinished();
            }
            if (text.error() == QProcess::FailedToStart) {
                QSKIP("pdftotext (poppler-utils) is not installed");
            }
            const QString page = QString::fromUtf8(text.readAllStandardOutput());
            QCOMPARE(page.count(says), 1);
            // The card of the pick on a second page; a numbered map's key instead.
            QVERIFY2(page.contains(arguments.contains(QStringLiteral("--numbers"))
                                       ? QStringLiteral("Ключ към")
                                       : QStringLiteral("страница 2 от")),
                     qPrintable(page));
        }
    }

    // A practice round starts on a display only with values it can take.
    void practiceNeedsTheWindow_data()
    {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<bool>("windowless");
        QTest::newRow("practice") << QByteArrayList{"--practice"} << false;
        QTest::newRow("practice, all set")
            << QByteArrayList{"--practice", "--questions",   "82",        "--kind=Map", "--ocean",
                              "Тихи океан", "--ocean=южен ", "--variant", "9999",       "--map"}
            << false;
        QTest::newRow("bad variant") << QByteArrayList{"--practice", "--variant=10000"} << true;
        QTest::newRow("result, named")
            << QByteArrayList{"--practice", "--pupil", "Иван Петров 7-а", "--result", "/tmp"}
            << false;
        QTest::newRow("result in a missing folder")
            << QByteArrayList{"--practice", "--result=/няма/р.pdf"} << true;
        QTest::newRow("without practice") << QByteArrayList{"--questions", "5"} << true;
    }

    void practiceNeedsTheWindow()
    {
        QFETCH(QByteArrayList, arguments);
        QFETCH(bool, windowless);
        std::vector<const char *> argv{"pelagor"};
        for (const QByteArray &argument : std::as_const(arguments)) {
            argv.push_back(argument.constData());
        }
        QCOMPARE(pelagor::answersWithoutWindow(static_cast<int>(argv.size()), argv.data()),
                 windowless);
    }

    void closingEndsWithZero()
    {
        const std::unique_ptr<QProcess> process(run(QStringLiteral("close")));
        QCOMPARE(process->exitStatus(), QProcess::NormalExit);
        QCOMPARE(process->exitCode(), 0);
    }

    void runTimeErrorIsShownThenEndsTheProgram()
    {
        const std::unique_ptr<QProcess> process(run(QStringLiteral("bad-row")));
        QCOMPARE(process->exitStatus(), QProcess::NormalExit);
        QCOMPARE(process->exitCode(), 1);
        const QString shown = QString::fromUtf8(process->readAllStandardOutput());
        QVERIFY2(shown.contains(QStringLiteral("Грешка при изпълнение")), qPrintable(shown));
        QVERIFY2(shown.contains(QStringLiteral("Option1(7)")), qPrintable(shown));
        QVERIFY2(shown.contains(QStringLiteral("Черно море")), qPrintable(shown));
    }
};

QTEST_GUILESS_MAIN(TestWindowProcess)
#include "test_window_process.moc"
