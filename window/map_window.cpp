// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/map_window.h"

#include "map/map_export.h"
#include "map/sea_map.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace pelagor {

namespace {

constexpr QSize kMinimumSize{300, 180};

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
    dialog.setNameFilters({png, pdf});
    dialog.setDefaultSuffix(QStringLiteral("png"));
    dialog.selectFile(QStringLiteral("карта.png"));
    // The name typed follows the kind of file chosen.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &pdf](const QString &filter) {
        const QString suffix = filter == pdf ? QStringLiteral("pdf") : QStringLiteral("png");
        dialog.setDefaultSuffix(suffix);
        const QFileInfo typed(dialog.selectedFiles().value(0));
        if (!typed.completeBaseName().isEmpty()) {
            dialog.selectFile(typed.completeBaseName() + u'.' + suffix);
        }
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    QString error;
    if (!saveMap(*map_, dialog.selectedFiles().constFirst(), &error)) {
        QMessageBox::warning(this, windowTitle(), error);
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
    if (form_ == nullptr) {
        show();
        return;
    }
    const QRect room = form_->screen()->availableGeometry();
    const QRect formFrame = form_->frameGeometry();
    // The frame a window manager draws round the map, taken to be the form's
    // until the map has had one of its own.
    const QWidget *framed = frameGeometry() != geometry() ? this : form_.data();
    const QMargins frame(framed->geometry().left() - framed->frameGeometry().left(),
                         framed->geometry().top() - framed->frameGeometry().top(),
                         framed->frameGeometry().right() - framed->geometry().right(),
                         framed->frameGeometry().bottom() - framed->geometry().bottom());
    const QSize frameExtra(frame.left() + frame.right(), frame.top() + frame.bottom());
    // First as tall as the form, the map filling the width; later the size
    // the pupil gave it.
    QSize wanted = size();
    if (!testAttribute(Qt::WA_Resized)) {
        const int tall = std::max(form_->height(), kMinimumSize.height());
        wanted = QSize(map_->widthForHeight(tall), tall);
    }

    // The largest size of the wanted shape that fits the space given.
    const auto fitted = [&](QSize space) {
        const QSize inside = space - frameExtra;
        if (inside.width() >= wanted.width() && inside.height() >= wanted.height()) {
            return wanted;
        }
        return wanted.scaled(inside, Qt::KeepAspectRatio);
    };
    const auto clampTo = [](int value, int low, int high) {
        return std::max(low, std::min(value, high));
    };
    struct Place {
        QSize size;
        QPoint frameTopLeft;
    };
    const auto right = [&] {
        const QSize size = fitted(QSize(room.right() - formFrame.right(), room.height()));
        return Place{size, QPoint(formFrame.right() + 1, clampTo(formFrame.top(), room.top(),
                                                                 room.bottom() + 1 - size.height() -
                                                                     frameExtra.height()))};
    };
    const auto left = [&] {
        const QSize size = fitted(QSize(formFrame.left() - room.left(), room.height()));
        return Place{size,
                     QPoint(formFrame.left() - size.width() - frameExtra.width(),
                            clampTo(formFrame.top(), room.top(),
                                    room.bottom() + 1 - size.height() - frameExtra.height()))};
    };
    const auto below = [&] {
        const QSize size = fitted(QSize(room.width(), room.bottom() - formFrame.bottom()));
        return Place{size, QPoint(clampTo(formFrame.left(), room.left(),
                                          room.right() + 1 - size.width() - frameExtra.width()),
                                  formFrame.bottom() + 1)};
    };
    const Place places[] = {right(), left(), below()};
    const Place *chosen = nullptr;
    for (const Place &place : places) {
        if (place.size == wanted) {
            chosen = &place;
            break;
        }
    }
    if (chosen == nullptr) {
        for (const Place &place : places) {
            if (place.size.width() >= kMinimumSize.width() &&
                place.size.height() >= kMinimumSize.height() &&
                (chosen == nullptr || place.size.width() > chosen->size.width())) {
                chosen = &place;
            }
        }
    }
    if (chosen != nullptr) {
        resize(chosen->size);
        move(chosen->frameTopLeft);
    } else {
        // No room beside the form: the map at its smallest, in the screen's
        // corner, over a part of the form.
        resize(kMinimumSize);
        move(room.right() + 1 - kMinimumSize.width() - frameExtra.width(),
             room.bottom() + 1 - kMinimumSize.height() - frameExtra.height());
    }

    if (isVisible()) {
        raise();
        return;
    }
    // Some platforms activate every window they show; the form then takes the
    // activation back at once.
    keepFormActive_ = QApplication::activeWindow() == form_;
    show();
    QTimer::singleShot(250, this, [this] { keepFormActive_ = false; });
}

} // namespace pelagor
