// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/map_window.h"

#include "map/caption_bar.h"
#include "map/sea_map.h"
#include "window/map_file.h"
#include "window/map_placement.h"
#include "window/sea_card.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMessageBox>
#include <QScreen>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <utility>

namespace pelagor {

namespace {

constexpr QSize kMinimumSize{300, 180};
// How long the map waits for the window manager to place the form.
constexpr std::chrono::milliseconds kFormPlacementWait{1000};

} // namespace

MapWindow::MapWindow(QWidget *form) : QWidget(form, Qt::Tool), form_(form)
{
    setObjectName(QStringLiteral("MapWindow"));
    // The form's one font, whatever the desktop would give a window of its own.
    if (form != nullptr) {
        setFont(form->font());
    }
    setWindowTitle(QStringLiteral("Карта на моретата"));
    // The pupil goes on picking in the form; the map only follows.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMinimumSize(kMinimumSize);
    map_ = new SeaMap(this);
    // The card, where it shows, takes from the map down to the map's least size.
    map_->setMinimumSize(kMinimumSize);
    card_ = new SeaCardView(this);
    card_->hide();
    parts_ = new QBoxLayout(QBoxLayout::LeftToRight, this);
    parts_->setContentsMargins(0, 0, 0, 0);
    parts_->setSpacing(0);
    parts_->addWidget(map_, 1);
    parts_->addWidget(card_);
    setFocusProxy(map_);

    // The card: F4, a button on the map's bar, and an entry of the context menu.
    auto *cardAction = new QAction(QStringLiteral("Сведения за избраното"), this);
    cardAction->setShortcut(Qt::Key_F4);
    cardAction->setCheckable(true);
    addAction(cardAction);
    cardButton_ = new QToolButton;
    cardButton_->setText(QStringLiteral("i"));
    QFont letter = cardButton_->font();
    letter.setBold(true);
    cardButton_->setFont(letter);
    cardButton_->setCheckable(true);
    cardButton_->setAccessibleName(QStringLiteral("Сведения"));
    cardButton_->setToolTip(QStringLiteral("Показва или скрива сведенията за избраното (F4)"));
    map_->addBarButton(cardButton_);
    connect(cardButton_, &QToolButton::toggled, this, [this](bool on) { setCardShown(on); });
    connect(cardAction, &QAction::triggered, this, [this] { setCardShown(!cardShown()); });
    connect(cardButton_, &QToolButton::toggled, cardAction, [cardAction](bool on) {
        const QSignalBlocker quiet(cardAction);
        cardAction->setChecked(on);
    });

    // For the teacher's worksheet: Ctrl+S, and the map's context menu.
    auto *save = new QAction(QStringLiteral("Запази картата…"), this);
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(save, &QAction::triggered, this, [this] { saveMapAs(); });
    addAction(save);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void MapWindow::saveMapAs()
{
    const QString png = QStringLiteral("Картина PNG (*.png)");
    const QString pdf = QStringLiteral("Документ PDF, лист A4 (*.pdf)");
    // The blank map for a test, numbered, with its key.
    const QString numberedPng = QStringLiteral("Контурна карта с номера, картина PNG (*.png)");
    const QString numberedPdf = QStringLiteral("Контурна карта с номера, документ PDF (*.pdf)");
    QString folder;
    for (const auto where : {QStandardPaths::PicturesLocation, QStandardPaths::DocumentsLocation}) {
        const QString path = QStandardPaths::writableLocation(where);
        if (folder.isEmpty() && !path.isEmpty() && QDir(path).exists()) {
            folder = path;
        }
    }
    // Qt's own dialog, whose texts the program carries in Bulgarian.
    QFileDialog dialog(this, QStringLiteral("Запазване на картата"),
                       folder.isEmpty() ? QDir::homePath() : folder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({png, pdf, numberedPng, numberedPdf});
    dialog.setDefaultSuffix(QStringLiteral("png"));
    dialog.selectFile(QStringLiteral("карта.png"));
    // The name typed follows the kind of file chosen.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString &filter) {
        const QString suffix =
            filter == pdf || filter == numberedPdf ? QStringLiteral("pdf") : QStringLiteral("png");
        dialog.setDefaultSuffix(suffix);
        const QFileInfo typed(dialog.selectedFiles().value(0));
        if (!typed.completeBaseName().isEmpty()) {
            dialog.selectFile(typed.completeBaseName() + u'.' + suffix);
        }
    });
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    if (chosen) {
        // The map as it is shown, at its size and the screen's density.
        const QSizeF area = map_->scene().size();
        MapScene drawn = map_->scene();
        const QString filter = dialog.selectedNameFilter();
        drawn.setNumbered(filter == numberedPng || filter == numberedPdf);
        const QString error = writeMapFile(
            dialog.selectedFiles().constFirst(), drawn, map_->font(),
            {.logical = QSizeF(area.width(), captionBarHeight(map_->font()) + area.height()),
             .ratio = map_->devicePixelRatioF()});
        if (!error.isEmpty()) {
            QMessageBox::warning(this, windowTitle(), error);
        }
    }
    // Saved or not, the keyboard goes back to the map, which the dialog took
    // it from; closed, a dialog hands the activation to the form.
    raise();
    activateWindow();
    map_->setFocus(Qt::OtherFocusReason);
}

bool MapWindow::cardShown() const
{
    return card_->isVisibleTo(this);
}

void MapWindow::showPick()
{
    if (!cardShown()) {
        // Brought up to date when it shows.
        return;
    }
    const MapScene &scene = map_->scene();
    if (scene.shown() == MapScene::Shown::Ocean) {
        if (card_->shownOcean() != scene.ocean()) {
            card_->showOcean(scene.ocean());
        }
    } else if (scene.shown() == MapScene::Shown::Sea && scene.sea() >= 0) {
        if (card_->shownSea() != scene.sea()) {
            card_->showSea(scene.sea());
        }
    } else if (card_->shownSea() >= 0 || card_->shownOcean() >= 0) {
        card_->showNothing();
    }
}

namespace {

// The window's frame grown on one side towards the far edge of `room` by
// at most `by`: forward (right, down) or backwards (left, up), along the
// width or the height. The far edge is the screen's, or the form's where
// the form stands on that side level with the window.
QRect grownFrame(const QRect &window, const QRect &room, const QRect &form, int by, bool alongWidth,
                 bool backwards)
{
    // Turned so that the growth is always rightwards along x.
    const auto turn = [alongWidth, backwards](const QRect &r) {
        const QRect t = alongWidth ? r : QRect(r.top(), r.left(), r.height(), r.width());
        return backwards ? QRect(-t.right(), t.top(), t.width(), t.height()) : t;
    };
    const auto unturn = [alongWidth, backwards](QRect t) {
        if (backwards) {
            t = QRect(-t.right(), t.top(), t.width(), t.height());
        }
        return alongWidth ? t : QRect(t.top(), t.left(), t.height(), t.width());
    };
    const QRect f = turn(window);
    const QRect r = turn(room);
    int edge = r.right();
    if (form.isValid()) {
        const QRect o = turn(form);
        if (o.bottom() >= f.top() && o.top() <= f.bottom() && o.left() > f.right()) {
            edge = std::min(edge, o.left() - 1);
        }
    }
    QRect taken = f;
    taken.setRight(std::max(f.right(), std::min(edge, f.right() + by)));
    return unturn(taken);
}

} // namespace

void MapWindow::setCardShown(bool shown)
{
    {
        const QSignalBlocker quiet(cardButton_);
        cardButton_->setChecked(shown);
    }
    if (shown == cardShown()) {
        return;
    }
    if (!shown) {
        const QWidget *focus = QApplication::focusWidget();
        const bool hadKeyboard = focus != nullptr && card_->isAncestorOf(focus);
        card_->hide();
        keepLeastSize();
        if (isVisible() && !grownBy_.isNull()) {
            resize((size() - grownBy_).expandedTo(minimumSize()));
        }
        grownBy_ = QSize();
        if (hadKeyboard) {
            map_->setFocus(Qt::OtherFocusReason);
        }
        return;
    }
    const QRect screenRoom =
        screen() != nullptr ? screen()->availableGeometry() : QRect(QPoint(0, 0), size());
    const QRect formPlace =
        form_ != nullptr && form_->isVisible() ? form_->frameGeometry() : QRect();
    const QSize wanted = card_->sizeHint();
    // Beside the map where the window can be wide enough for both, growing
    // on the side with more room; else below it, the map giving way where
    // the window cannot grow as tall as both.
    QRect outer = isVisible() ? frameGeometry() : QRect(QPoint(0, 0), size());
    const QSize frame = outer.size() - size();
    const auto widest = [&](bool alongWidth) {
        const QRect forward =
            grownFrame(outer, screenRoom, formPlace, alongWidth ? wanted.width() : wanted.height(),
                       alongWidth, false);
        const QRect backwards =
            grownFrame(outer, screenRoom, formPlace, alongWidth ? wanted.width() : wanted.height(),
                       alongWidth, true);
        const auto extent = [alongWidth](const QRect &r) {
            return alongWidth ? r.width() : r.height();
        };
        return extent(backwards) > extent(forward) ? backwards : forward;
    };
    QRect taken = widest(true);
    const bool beside =
        !isVisible() || taken.width() - frame.width() >= kMinimumSize.width() + wanted.width();
    if (!beside) {
        taken = widest(false);
    }
    parts_->setDirection(beside ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    card_->show();
    showPick();
    keepLeastSize();
    if (!isVisible()) {
        return;
    }
    grownBy_ = taken.size() - outer.size();
    setGeometry(QRect(taken.topLeft() + (geometry().topLeft() - outer.topLeft()),
                      (size() + grownBy_).expandedTo(minimumSize())));
}

void MapWindow::keepLeastSize()
{
    if (!cardShown()) {
        setMinimumSize(kMinimumSize);
        return;
    }
    const QSize least = card_->minimumSizeHint();
    if (parts_->direction() == QBoxLayout::LeftToRight) {
        // The card keeps its width; the map gives way, down to its least.
        setMinimumSize(kMinimumSize.width() + card_->sizeHint().width(),
                       std::max(kMinimumSize.height(), least.height()));
        card_->setFixedWidth(card_->sizeHint().width());
    } else {
        setMinimumSize(std::max(kMinimumSize.width(), least.width()),
                       kMinimumSize.height() + least.height());
        card_->setMinimumWidth(0);
        card_->setMaximumWidth(QWIDGETSIZE_MAX);
    }
}

void MapWindow::takeKeyboard()
{
    if (!isVisible()) {
        showBesideForm();
    }
    keepFormActive_ = false;
    raise();
    activateWindow();
    map_->setFocus(Qt::ShortcutFocusReason);
}

void MapWindow::giveKeyboardBack()
{
    if (form_ != nullptr) {
        form_->raise();
        form_->activateWindow();
    }
}

bool MapWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && std::exchange(keepFormActive_, false) &&
        form_ != nullptr) {
        form_->activateWindow();
    }
    return QWidget::event(event);
}

void MapWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_F2:
            close();
            return;
        case Qt::Key_F6: {
            // The map, the card where it shows, the form.
            const QWidget *focus = QApplication::focusWidget();
            if (cardShown() && (focus == nullptr || !card_->isAncestorOf(focus))) {
                card_->setFocus(Qt::ShortcutFocusReason);
            } else {
                giveKeyboardBack();
            }
            return;
        }
        default:
            break;
        }
    }
    QWidget::keyPressEvent(event);
}

void MapWindow::showBesideForm()
{
    if (formWait_ != nullptr && formWait_->isActive()) {
        return;
    }
    // Under X11 the window manager places a window as it maps it: shown a
    // moment ago, the form may stand where it was asked for, not where it
    // will be, and has no frame yet.
    QWindow *formWindow = form_ != nullptr ? form_->windowHandle() : nullptr;
    if (formWindow == nullptr || formWindow->isExposed() ||
        QGuiApplication::platformName() != QLatin1String("xcb")) {
        showPlaced();
        return;
    }
    if (formWait_ == nullptr) {
        formWait_ = new QTimer(this);
        formWait_->setSingleShot(true);
        connect(formWait_, &QTimer::timeout, this, [this] {
            if (form_ != nullptr && form_->windowHandle() != nullptr) {
                form_->windowHandle()->removeEventFilter(this);
            }
            showPlaced();
        });
    }
    formWindow->installEventFilter(this);
    formWait_->start(kFormPlacementWait);
}

bool MapWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose) {
        // Shown: placed again should its own frame differ from the form's.
        windowHandle()->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] {
            if (std::exchange(frameGuessed_, false) && form_ != nullptr &&
                frameGeometry() != geometry()) {
                placeBesideForm();
            }
        });
    }
    if (watched != windowHandle() && formWait_ != nullptr && formWait_->isActive() &&
        (event->type() == QEvent::Expose || event->type() == QEvent::Move)) {
        // Once the form itself has taken the event in.
        QTimer::singleShot(0, this, [this] {
            if (formWait_->isActive() && formPlaced()) {
                formWait_->stop();
                form_->windowHandle()->removeEventFilter(this);
                showPlaced();
            }
        });
    }
    return QWidget::eventFilter(watched, event);
}

bool MapWindow::formPlaced() const
{
    const QWindow *formWindow = form_ != nullptr ? form_->windowHandle() : nullptr;
    return formWindow != nullptr && formWindow->isExposed() &&
           formWindow->frameMargins() != QMargins();
}

void MapWindow::showPlaced()
{
    if (form_ != nullptr) {
        placeBesideForm();
    }
    if (isVisible()) {
        raise();
        return;
    }
    // Some platforms activate every window they show; the form then takes the
    // activation back at once.
    keepFormActive_ = QApplication::activeWindow() == form_;
    show();
    if (frameGuessed_ && windowHandle() != nullptr) {
        windowHandle()->installEventFilter(this);
    }
    QTimer::singleShot(250, this, [this] { keepFormActive_ = false; });
}

void MapWindow::placeBesideForm()
{
    // First as tall as the form, the map filling the width; later the size
    // the pupil gave it.
    QSize wanted = size();
    if (!testAttribute(Qt::WA_Resized)) {
        const int tall = std::max(form_->height(), kMinimumSize.height());
        wanted = QSize(map_->widthForHeight(tall), tall);
        if (cardShown() && parts_->direction() == QBoxLayout::LeftToRight) {
            wanted.rwidth() += card_->sizeHint().width();
        } else if (cardShown()) {
            wanted.rheight() += card_->sizeHint().height();
        }
    }
    // The sea list, the one list of the form in sight.
    QRect list;
    for (const QListWidget *box : form_->findChildren<QListWidget *>()) {
        if (box->isVisibleTo(form_)) {
            list = QRect(box->mapToGlobal(QPoint(0, 0)), box->size());
        }
    }
    frameGuessed_ = pelagor::placeBesideForm(*this, *form_, wanted, minimumSize(), list);
}

} // namespace pelagor
