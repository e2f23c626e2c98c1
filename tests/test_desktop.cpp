// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window as assistive technology and a Bulgarian desktop see it: the
// accessible names and texts, a press through the accessible action, and
// Qt's own texts in Bulgarian.
#include "expected_texts.h"
#include "window_driver.h"

#include "window/application.h"
#include "window/pelagor.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>

using namespace pelagor::test;
using pelagor::Pelagor;

namespace {

QAccessibleInterface *accessible(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    if (iface == nullptr) {
        qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    }
    return iface;
}

QString accessibleText(QObject *object)
{
    QAccessibleTextInterface *text = accessible(object)->textInterface();
    return text == nullptr ? QString() : text->text(0, text->characterCount());
}

bool hasCyrillic(const QString &text)
{
    return std::ranges::any_of(text, [](QChar c) { return c.script() == QChar::Script_Cyrillic; });
}

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        window_ = std::make_unique<Pelagor>();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() { window_.reset(); }

    void accessibleNames()
    {
        const Pelagor &w = *window_;
        QCOMPARE(accessible(seaList(w))->text(QAccessible::Name),
                 QStringLiteral("Имена на морета"));
        QCOMPARE(accessible(control<QGroupBox>(w, "Frame1"))->text(QAccessible::Name),
                 QStringLiteral("Име на океан"));
        QAccessibleInterface *output = accessible(outputBox(w));
        QCOMPARE(output->text(QAccessible::Name), QStringLiteral("Отговор"));
        QVERIFY(hasCyrillic(output->text(QAccessible::Description)));
        QCOMPARE(accessible(control<QLabel>(w, "Label1(0)"))->text(QAccessible::Name),
                 QStringLiteral("География - океани и морета"));
        for (int n = 0; n < 5; ++n) {
            QAccessibleInterface *button = accessible(option(w, n));
            QCOMPARE(button->role(), QAccessible::RadioButton);
            QCOMPARE(button->text(QAccessible::Name), oceanCaptions().at(n));
        }
        // Each sea row is read out by its name.
        QAccessibleInterface *list = accessible(seaList(w));
        QCOMPARE(list->childCount(), 82);
        QCOMPARE(list->child(35)->text(QAccessible::Name), QStringLiteral("Море Д`Юрвил"));
        // The hidden list of ocean numbers is nothing a reader meets.
        QVERIFY(accessible(oceanNumberList(w))->state().invisible);
    }

    void outputIsReadThroughItsTextInterface()
    {
        QCOMPARE(accessibleText(outputBox(*window_)),
                 QString(window_->Text()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        clickSea(*window_, 4);
        QCOMPARE(accessibleText(outputBox(*window_)),
                 QStringLiteral("Посочено е: Арабско море \nТо е в състава на: Индийски океан.\n"));
    }

    void pressThroughTheAccessibleAction()
    {
        QAccessibleActionInterface *action = accessible(option(*window_, 3))->actionInterface();
        if (action == nullptr) {
            QFAIL("a radio button without an action interface");
        }
        QVERIFY(action->actionNames().contains(QAccessibleActionInterface::toggleAction()));
        action->doAction(QAccessibleActionInterface::toggleAction());
        // Waited for by hand: Qt 6.8's QTRY_* pass a long as int, which -Wconversion rejects.
        static_cast<void>(QTest::qWaitFor([&] { return window_->Text() == oceanListing(3); }));
        QCOMPARE(window_->Text(), oceanListing(3));
        QVERIFY(option(*window_, 3)->isChecked());
    }

    // The menus a right click opens, all in Bulgarian: the answer box's, a
    // scroll bar's (every scroll bar has the same menu) and the window's own.
    void contextMenuIsInBulgarian_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("firstEntry");
        QTest::newRow("answer box") << 0 << QStringLiteral("Копиране");
        QTest::newRow("scroll bar of the seas") << 1 << QStringLiteral("Превъртайте тук");
        QTest::newRow("the window's title") << 2 << QStringLiteral("Карта на моретата");
    }

    void contextMenuIsInBulgarian()
    {
        QFETCH(int, target);
        QFETCH(QString, firstEntry);
        QPlainTextEdit *output = outputBox(*window_);
        QWidget *const targets[] = {output->viewport(), seaList(*window_)->verticalScrollBar(),
                                    window_.get()};
        QWidget *widget = targets[target];
        QStringList entries;
        // Reads the menu once it is up, then closes it.
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, [&entries, &watcher] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                for (const QAction *action : menu->actions()) {
                    if (!action->isSeparator()) {
                        entries << action->text();
                    }
                }
                watcher.stop();
                menu->close();
            }
        });
        watcher.start(10);
        const QPoint at(widget->width() / 2, qMin(20, widget->height() / 2));
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
        QApplication::sendEvent(widget, &event);

        QVERIFY2(QTest::qWaitFor([&] { return !entries.isEmpty(); }), "no context menu came up");
        QVERIFY2(entries.first().contains(firstEntry), qPrintable(entries.join('|')));
        for (const QString &entry : entries) {
            QVERIFY2(hasCyrillic(entry), qPrintable(entry));
        }
    }

    void messageBoxButtonIsInBulgarian()
    {
        QMessageBox box(QMessageBox::Critical, QString(), QString(), QMessageBox::Ok);
        const QString ok = box.button(QMessageBox::Ok)->text();
        QVERIFY2(hasCyrillic(ok), qPrintable(ok));
    }

private:
    std::unique_ptr<Pelagor> window_;
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    pelagor::prepareApplication(app);
    TestDesktop test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_desktop.moc"
