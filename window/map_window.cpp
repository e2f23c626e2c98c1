// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/map_window.h"

#include "map/caption_bar.h"
#include "map/sea_map.h"
#include "window/map_file.h"
#include "window/map_placement.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>
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
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(map_);
    setFocusProxy(map_);

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
        case Qt::Key_F6:
            giveKeyboardBack();
            return;
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
    }
    // The sea list, the one list of the form in sight.
    QRect list;
    for (const QListWidget *box : form_->findChildren<QListWidget *>()) {
        if (box->isVisibleTo(form_)) {
            list = QRect(box->mapToGlobal(QPoint(0, 0)), box->size());
        }
    }
    frameGuessed_ = pelagor::placeBesideForm(*this, *form_, wanted, kMinimumSize, list);
}

} // namespace pelagor
