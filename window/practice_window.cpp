// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/practice_window.h"

#include "window/map_placement.h"

#include "map/framing.h"
#include "map/sea_map.h"
#include "practice/wording.h"

#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace pelagor {

namespace {

using practice::Asks;
using practice::Kind;

// The size of the map beside the questions, in logical pixels.
constexpr QSize kMapSize{620, 380};
// The question's letters are this much larger than the window's.
constexpr double kQuestionScale = 1.25;

QLabel *wrapped(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// A label in larger, bold letters: the question and the result.
QLabel *large(QWidget *parent)
{
    auto *label = new QLabel(parent);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * kQuestionScale);
    font.setBold(true);
    label->setFont(font);
    return label;
}

QPushButton *button(const QString &text, QWidget *parent)
{
    auto *made = new QPushButton(text, parent);
    // Enter clicks the button with the focus, as in a dialog.
    made->setAutoDefault(true);
    made->setMinimumHeight(32);
    return made;
}

} // namespace

PracticeWindow::PracticeWindow(QWidget *form)
    : QWidget(form, Qt::Window), pages_(new QStackedWidget(this)), map_(new SeaMap(this)),
      enter_(new QShortcut(this))
{
    setObjectName(QStringLiteral("PracticeWindow"));
    setWindowTitle(QStringLiteral("Упражнение"));
    // The form and the map of the seas wait while the pupil practises.
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose, false);

    pages_->addWidget(buildSettings());
    pages_->addWidget(buildQuestion());
    pages_->addWidget(buildEnd());
    pages_->setMinimumWidth(340);
    pages_->setMaximumWidth(420);

    map_->setObjectName(QStringLiteral("PracticeMap"));
    map_->setNamesHidden(true);
    map_->setMinimumSize(kMapSize / 2);
    map_->onSeaPicked = [this](int row, bool byKeyboard) { answerSea(row, byKeyboard); };

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(map_, 1);

    // Enter goes on from an answer, wherever the focus is, the map included.
    enter_->setKeys({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    enter_->setEnabled(false);
    connect(enter_, &QShortcut::activated, this, [this] { next(); });
    showPage(Page::Settings);

    // Names to find them by.
    const std::pair<QWidget *, const char *> named[] = {
        {begin_, "PracticeBegin"},       {variant_, "PracticeVariant"},
        {questions_, "PracticeCount"},   {progress_, "PracticeProgress"},
        {score_, "PracticeScore"},       {question_, "PracticeQuestion"},
        {feedback_, "PracticeFeedback"}, {next_, "PracticeNext"},
        {result_, "PracticeResult"},     {missed_, "PracticeMissed"},
        {again_, "PracticeAgain"},       {settings_, "PracticeSettings"},
    };
    for (const auto &[widget, name] : named) {
        widget->setObjectName(QLatin1String(name));
    }
    for (std::size_t ocean = 0; ocean < answers_.size(); ++ocean) {
        answers_.at(ocean)->setObjectName(QStringLiteral("PracticeOcean%1").arg(ocean));
    }
}

QWidget *PracticeWindow::buildSettings()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);

    auto *kindBox = new QGroupBox(QStringLiteral("Въпроси"), page);
    auto *kindLayout = new QVBoxLayout(kindBox);
    kinds_ = new QButtonGroup(page);
    const std::array<std::pair<Kind, QString>, 3> kinds{{
        {Kind::Ocean, QStringLiteral("&Към кой океан принадлежи морето")},
        {Kind::Map, QStringLiteral("&Покажи морето на картата")},
        {Kind::Mixed, QStringLiteral("&Смесени")},
    }};
    for (const auto &[kind, text] : kinds) {
        auto *option = new QRadioButton(text, kindBox);
        option->setMinimumHeight(26);
        kinds_->addButton(option, static_cast<int>(kind));
        kindLayout->addWidget(option);
    }
    kinds_->button(static_cast<int>(Kind::Mixed))->setChecked(true);
    layout->addWidget(kindBox);

    auto *oceanBox = new QGroupBox(QStringLiteral("Океани"), page);
    auto *oceanLayout = new QVBoxLayout(oceanBox);
    for (std::size_t ocean = 0; ocean < oceans_.size(); ++ocean) {
        auto *check = new QCheckBox(practice::oceanName(static_cast<int>(ocean)), oceanBox);
        check->setChecked(true);
        check->setMinimumHeight(26);
        connect(check, &QCheckBox::toggled, this, [this] {
            begin_->setEnabled(std::ranges::any_of(
                oceans_, [](const QCheckBox *box) { return box->isChecked(); }));
        });
        oceans_.at(ocean) = check;
        oceanLayout->addWidget(check);
    }
    layout->addWidget(oceanBox);

    auto *form = new QFormLayout();
    questions_ = new QSpinBox(page);
    questions_->setRange(1, practice::kMaxQuestions);
    questions_->setValue(practice::kDefaultQuestions);
    questions_->setMinimumHeight(28);
    auto *questionsLabel = new QLabel(QStringLiteral("&Брой въпроси:"), page);
    questionsLabel->setBuddy(questions_);
    form->addRow(questionsLabel, questions_);
    variant_ = new QLineEdit(page);
    variant_->setValidator(new QIntValidator(1, practice::kMaxVariant, variant_));
    variant_->setPlaceholderText(QStringLiteral("нов"));
    variant_->setToolTip(QStringLiteral("От 1 до 9999. Един вариант дава едни и същи въпроси "
                                        "на всеки компютър; празно: нов кръг."));
    variant_->setAccessibleDescription(variant_->toolTip());
    variant_->setMinimumHeight(28);
    auto *variantLabel = new QLabel(QStringLiteral("&Вариант:"), page);
    variantLabel->setBuddy(variant_);
    form->addRow(variantLabel, variant_);
    layout->addLayout(form);

    begin_ = button(QStringLiteral("&Започни"), page);
    connect(begin_, &QPushButton::clicked, this, [this] { startChosen(); });
    connect(variant_, &QLineEdit::returnPressed, this, [this] { startChosen(); });
    layout->addWidget(begin_);
    layout->addStretch();
    return page;
}

QWidget *PracticeWindow::buildQuestion()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    auto *top = new QHBoxLayout();
    progress_ = new QLabel(page);
    score_ = new QLabel(page);
    top->addWidget(progress_);
    top->addStretch();
    top->addWidget(score_);
    layout->addLayout(top);
    note_ = wrapped(QString(), page);
    layout->addWidget(note_);
    question_ = large(page);
    question_->setWordWrap(true);
    question_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    question_->setMinimumHeight(question_->fontMetrics().height() * 2 + 8);
    layout->addWidget(question_);
    hint_ = wrapped(QStringLiteral("Щракнете или докоснете белега на морето, или стигнете до "
                                   "него с Tab и натиснете Enter. Белег с число събира "
                                   "няколко морета: той само приближава картата към тях."),
                    page);
    layout->addWidget(hint_);

    oceanButtons_ = new QWidget(page);
    auto *oceanLayout = new QVBoxLayout(oceanButtons_);
    oceanLayout->setContentsMargins(0, 0, 0, 0);
    for (std::size_t ocean = 0; ocean < answers_.size(); ++ocean) {
        const QString name = practice::oceanName(static_cast<int>(ocean));
        auto *answer = button(QStringLiteral("&%1  %2").arg(ocean + 1).arg(name), oceanButtons_);
        answer->setAccessibleName(name);
        answer->setToolTip(QStringLiteral("Клавиш %1").arg(ocean + 1));
        connect(answer, &QPushButton::clicked, this,
                [this, ocean] { answerOcean(static_cast<int>(ocean)); });
        answers_.at(ocean) = answer;
        oceanLayout->addWidget(answer);
    }
    layout->addWidget(oceanButtons_);

    feedback_ = wrapped(QString(), page);
    feedback_->setMinimumHeight(feedback_->fontMetrics().height() * 3);
    layout->addWidget(feedback_);
    next_ = button(QStringLiteral("&Напред"), page);
    connect(next_, &QPushButton::clicked, this, [this] { next(); });
    layout->addWidget(next_);
    layout->addStretch();
    return page;
}

QWidget *PracticeWindow::buildEnd()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    result_ = large(page);
    layout->addWidget(result_);
    review_ = new QListWidget(page);
    review_->setObjectName(QStringLiteral("PracticeReview"));
    review_->setAccessibleName(QStringLiteral("Преглед на въпросите"));
    review_->setWordWrap(true);
    review_->setTextElideMode(Qt::ElideNone);
    review_->setSpacing(2);
    connect(review_, &QListWidget::currentRowChanged, this,
            [this](int row) { showReviewRow(row); });
    layout->addWidget(review_, 1);

    missed_ = button(QStringLiteral("Само &грешните"), page);
    again_ = button(QStringLiteral("Нов &кръг"), page);
    settings_ = button(QStringLiteral("&Настройки"), page);
    connect(missed_, &QPushButton::clicked, this, [this] {
        if (round_) {
            if (std::optional<practice::Round> missed = round_->missedOnly()) {
                round_ = std::move(missed);
                ask();
            }
        }
    });
    connect(again_, &QPushButton::clicked, this,
            [this] { start(round_ ? round_->setting() : settingChosen(), std::nullopt); });
    connect(settings_, &QPushButton::clicked, this, [this] { showSettings(); });
    auto *buttons = new QHBoxLayout();
    buttons->addWidget(missed_);
    buttons->addWidget(again_);
    buttons->addWidget(settings_);
    layout->addLayout(buttons);
    return page;
}

void PracticeWindow::showPage(Page page)
{
    // The focus leaves the page that goes before it is hidden, so that it
    // does not wander through the controls left; it goes where the new page
    // wants it.
    QWidget *focus = QApplication::focusWidget();
    if (pages_->currentIndex() != static_cast<int>(page) && focus != nullptr &&
        pages_->currentWidget()->isAncestorOf(focus)) {
        focus->clearFocus();
    }
    pages_->setCurrentIndex(static_cast<int>(page));
    map_->setVisible(page != Page::Settings);
    if (page != Page::Question) {
        enter_->setEnabled(false);
    }
}

void PracticeWindow::showBesideForm(QSize wanted)
{
    if (isVisible()) {
        return;
    }
    const QWidget *form = parentWidget();
    // A Wayland compositor places windows itself.
    if (form == nullptr || QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        resize(wanted);
        show();
        return;
    }
    const QRect outer = form->frameGeometry();
    const QRect inner = form->geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    // Beside the form, which stays in sight, where the screen has room.
    const QRect place = placeMap({.screen = form->screen()->availableGeometry(),
                                  .form = outer,
                                  .list = outer,
                                  .frame = frame,
                                  .wanted = wanted,
                                  .minimum = minimumSizeHint()});
    resize(place.size().shrunkBy(frame));
    move(place.topLeft());
    show();
}

void PracticeWindow::showSettings()
{
    round_.reset();
    setWindowTitle(QStringLiteral("Упражнение"));
    say(QString(), nullptr);
    showPage(Page::Settings);
    showBesideForm(sizeHint());
    raise();
    activateWindow();
    kinds_->checkedButton()->setFocus(Qt::OtherFocusReason);
}

practice::Setting PracticeWindow::settingChosen() const
{
    practice::Setting setting;
    setting.kind = static_cast<Kind>(std::max(0, kinds_->checkedId()));
    setting.questions = questions_->value();
    for (std::size_t ocean = 0; ocean < oceans_.size(); ++ocean) {
        setting.oceans.at(ocean) = oceans_.at(ocean)->isChecked();
    }
    return setting;
}

void PracticeWindow::startChosen()
{
    if (!begin_->isEnabled()) {
        return;
    }
    bool number = false;
    const int variant = variant_->text().toInt(&number);
    start(settingChosen(), number ? std::optional(variant) : std::nullopt);
}

void PracticeWindow::start(const practice::Setting &setting, std::optional<int> variant)
{
    round_ = practice::Round::make(setting, variant.value_or(practice::freshVariant()));
    if (!round_) {
        showSettings();
        return;
    }
    // The settings show what the round was made of, for the next one.
    kinds_->button(static_cast<int>(setting.kind))->setChecked(true);
    questions_->setValue(setting.questions);
    for (std::size_t ocean = 0; ocean < oceans_.size(); ++ocean) {
        oceans_.at(ocean)->setChecked(setting.oceans.at(ocean));
    }
    const QSize wanted(pages_->minimumWidth() + kMapSize.width(), kMapSize.height());
    showBesideForm(wanted);
    if (width() < wanted.width() || height() < wanted.height()) {
        resize(size().expandedTo(wanted));
    }
    raise();
    activateWindow();
    ask();
}

std::vector<int> PracticeWindow::roundSeas() const
{
    std::vector<int> seas;
    for (int row = 0; row < static_cast<int>(catalogue::kSeaCount); ++row) {
        if (round_ && round_->setting().oceans.at(static_cast<std::size_t>(oceanOfSea(row)))) {
            seas.push_back(row);
        }
    }
    return seas;
}

void PracticeWindow::ask()
{
    say(QString(), nullptr);
    if (!round_ || round_->finished()) {
        finish();
        return;
    }
    showPage(Page::Question);
    setWindowTitle(practice::titleText(*round_));
    enter_->setEnabled(false);
    const practice::Question &asked = round_->question(round_->current());
    const bool onMap = asked.asks == Asks::Map;
    progress_->setText(practice::progressText(*round_));
    score_->setText(round_->answered() > 0 ? practice::scoreText(*round_) : QString());
    const QString fewer = round_->current() == 0 ? practice::fewerSeasText(*round_) : QString();
    note_->setText(fewer);
    note_->setVisible(!fewer.isEmpty());
    question_->setText(practice::questionText(asked));
    hint_->setVisible(onMap);
    oceanButtons_->setVisible(!onMap);
    for (QPushButton *answer : answers_) {
        answer->setEnabled(true);
    }
    feedback_->clear();
    next_->setEnabled(false);
    // Never the asked sea framed: the view of the round's oceans.
    map_->setNamesHidden(true);
    map_->showSeas(roundSeas());

    QString spoken = progress_->text() + QStringLiteral(". ") + question_->text();
    if (!fewer.isEmpty()) {
        spoken = fewer + QLatin1Char(' ') + spoken;
    }
    if (onMap) {
        say(spoken + QLatin1Char(' ') + hint_->text(), map_);
    } else {
        say(spoken + QStringLiteral(" Клавиши от 1 до 5."), answers_.front());
    }
}

std::optional<PracticeWindow::Taken> PracticeWindow::takeAnswer(Asks kind, int given)
{
    if (!round_ || round_->finished() || showsFeedback() ||
        round_->question(round_->current()).asks != kind) {
        return std::nullopt;
    }
    say(QString(), nullptr);
    const practice::Question asked = round_->question(round_->current());
    const int open = round_->current();
    const bool right = round_->answer(given);
    if (round_->current() == open) {
        return std::nullopt;
    }
    feedback_->setText(practice::feedbackText(asked, given));
    score_->setText(practice::scoreText(*round_));
    next_->setEnabled(true);
    enter_->setEnabled(true);
    // The sea in its place, named, now that it is answered.
    map_->setNamesHidden(false);
    map_->frameSea(asked.sea);
    return Taken{asked, right};
}

void PracticeWindow::answerOcean(int ocean)
{
    if (!takeAnswer(Asks::Ocean, ocean)) {
        return;
    }
    // The focus goes on before the answers are closed, so that it does not
    // pass through them.
    say(feedback_->text(), next_);
    for (QPushButton *answer : answers_) {
        answer->setEnabled(false);
    }
}

void PracticeWindow::answerSea(int row, bool byKeyboard)
{
    const std::optional<Taken> taken = takeAnswer(Asks::Map, row);
    if (!taken) {
        return;
    }
    // The reader is taken to the right sea's mark, and hears the answer there
    // with the sea's place.
    const int asked = taken->asked.sea;
    const std::vector<Target> &shown = map_->targets();
    const auto mark = std::ranges::find_if(shown, [asked](const Target &target) {
        return !target.isGroup() && target.rows.front() == asked;
    });
    if (mark == shown.end()) {
        say(feedback_->text(), next_);
        return;
    }
    map_->setMarkNote(feedback_->text() + (taken->right ? QString() : QStringLiteral(" Тук е:")));
    map_->setFocus(byKeyboard ? Qt::TabFocusReason : Qt::MouseFocusReason);
    map_->focusTarget(static_cast<std::size_t>(mark - shown.begin()));
}

bool PracticeWindow::showsFeedback() const
{
    return enter_->isEnabled();
}

void PracticeWindow::next()
{
    if (!showsFeedback()) {
        return;
    }
    map_->setMarkNote(QString());
    ask();
}

void PracticeWindow::finish()
{
    if (!round_) {
        showSettings();
        return;
    }
    say(QString(), nullptr);
    showPage(Page::End);
    setWindowTitle(practice::titleText(*round_));
    result_->setText(practice::resultText(*round_));
    const std::vector<practice::ReviewRow> rows = round_->review();
    review_->blockSignals(true);
    review_->clear();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const practice::ReviewRow &row = rows[i];
        // The question, then the answer given, and the right one where it differs.
        QString text =
            QStringLiteral("%1. %2\n").arg(i + 1).arg(practice::questionText(row.question));
        QString spoken = text;
        if (row.right) {
            text += QStringLiteral("✓ ") + practice::givenText(row);
            spoken += QStringLiteral("Вярно: ") + practice::givenText(row);
        } else {
            text += QStringLiteral("✗ %1 — вярно: %2")
                        .arg(practice::givenText(row), practice::rightText(row));
            spoken += QStringLiteral("Грешно: %1. Вярно: %2")
                          .arg(practice::givenText(row), practice::rightText(row));
        }
        auto *item = new QListWidgetItem(text, review_);
        item->setData(Qt::AccessibleTextRole, spoken);
        item->setToolTip(QStringLiteral("Показва морето на картата"));
    }
    review_->setCurrentRow(-1);
    review_->blockSignals(false);
    missed_->setEnabled(round_->missedOnly().has_value());
    map_->setNamesHidden(false);
    map_->showSeas(roundSeas());
    say(result_->text() + QStringLiteral(". Всеки ред на прегледа показва морето си на картата."),
        missed_->isEnabled() ? missed_ : again_);
}

void PracticeWindow::showReviewRow(int row)
{
    if (round_ && row >= 0 && row < round_->count()) {
        map_->frameSea(round_->question(row).sea);
    }
}

void PracticeWindow::say(const QString &text, QWidget *control)
{
    if (speaker_ != nullptr) {
        speaker_->setAccessibleDescription(speakerOwn_);
        speaker_ = nullptr;
    }
    if (control == nullptr) {
        return;
    }
    const bool hadFocus = control->hasFocus();
    if (!text.isEmpty()) {
        speaker_ = control;
        speakerOwn_ = control->accessibleDescription();
        control->setAccessibleDescription(text);
    }
    control->setFocus(Qt::OtherFocusReason);
    if (hadFocus && QAccessible::isActive()) {
        // The focus stays where it is, on the control itself now, not on a
        // part of it: told again, so that a reader says the new text.
        QAccessibleEvent focus(control, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

void PracticeWindow::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key >= Qt::Key_1 && key <= Qt::Key_5 && pages_->currentIndex() == int(Page::Question) &&
        oceanButtons_->isVisible() && !showsFeedback()) {
        answerOcean(key - Qt::Key_1);
        return;
    }
    if (key == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool PracticeWindow::event(QEvent *event)
{
    if (event->type() == QEvent::Close) {
        say(QString(), nullptr);
        round_.reset();
    }
    return QWidget::event(event);
}

} // namespace pelagor
