// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/practice_end.h"

#include "practice/wording.h"
#include "window/practice_controls.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace pelagor {

namespace {

// Calls the function, if there is one.
void call(const std::function<void()> &then)
{
    if (then) {
        then();
    }
}

} // namespace

EndPage::EndPage(QWidget *parent)
    : QWidget(parent), result_(madeLarge(new FocusText(this))), review_(new QListWidget(this))
{
    auto *layout = new QVBoxLayout(this);
    result_->setObjectName(QStringLiteral("PracticeResult"));
    layout->addWidget(result_);
    saved_ = wrappedLabel(QString(), this);
    saved_->setObjectName(QStringLiteral("PracticeSaved"));
    layout->addWidget(saved_);
    review_->setObjectName(QStringLiteral("PracticeReview"));
    review_->setAccessibleName(QStringLiteral("Преглед на въпросите"));
    review_->setWordWrap(true);
    review_->setTextElideMode(Qt::ElideNone);
    review_->setSpacing(2);
    connect(review_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && onRowShown) {
            onRowShown(row);
        }
    });
    layout->addWidget(review_, 1);

    save_ = practiceButton(QStringLiteral("&Запази резултата…"), this);
    save_->setObjectName(QStringLiteral("PracticeSave"));
    save_->setToolTip(QStringLiteral("Ctrl+S: лист A4 в PDF за учителя"));
    connect(save_, &QPushButton::clicked, this, [this] { call(onSave); });
    layout->addWidget(save_);
    missed_ = practiceButton(QStringLiteral("Само &грешните"), this);
    missed_->setObjectName(QStringLiteral("PracticeMissed"));
    again_ = practiceButton(QStringLiteral("Нов &кръг"), this);
    again_->setObjectName(QStringLiteral("PracticeAgain"));
    settings_ = practiceButton(QStringLiteral("&Настройки"), this);
    settings_->setObjectName(QStringLiteral("PracticeSettings"));
    connect(missed_, &QPushButton::clicked, this, [this] { call(onMissed); });
    connect(again_, &QPushButton::clicked, this, [this] { call(onAgain); });
    connect(settings_, &QPushButton::clicked, this, [this] { call(onSettings); });
    auto *buttons = new QHBoxLayout();
    buttons->addWidget(missed_);
    buttons->addWidget(again_);
    buttons->addWidget(settings_);
    layout->addLayout(buttons);
}

void EndPage::showRound(const practice::Round &round)
{
    result_->setText(practice::resultText(round));
    const std::vector<practice::ReviewRow> rows = round.review();
    review_->blockSignals(true);
    review_->clear();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const practice::ReviewRow &row = rows[i];
        // The question, then the answer given, and the right one where it differs.
        const QString question = practice::reviewQuestion(static_cast<int>(i), row);
        auto *item = new QListWidgetItem(question + u'\n' + practice::reviewAnswer(row), review_);
        item->setData(Qt::AccessibleTextRole, question + u' ' + practice::reviewAnswerSpoken(row));
        item->setToolTip(QStringLiteral("Показва морето на картата"));
    }
    review_->setCurrentRow(-1);
    review_->blockSignals(false);
    missed_->setEnabled(round.missedOnly().has_value());
    setSaved(QString());
}

void EndPage::setSaved(const QString &text)
{
    saved_->setText(text);
    saved_->setVisible(!text.isEmpty());
}

QString EndPage::saved() const
{
    return saved_->text();
}

QWidget *EndPage::result() const
{
    return result_;
}

} // namespace pelagor
