// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QProcess>

#include <QTest>
#include <memory>

// How the program ends: with status 0 when the window is closed, and after a
// message with status 1 when a run-time error stops it.
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
