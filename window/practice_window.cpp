// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/practice_window.h"

#include "window/map_placement.h"
#include "window/result_pdf.h"

#include "map/framing.h"
#include "map/sea_map.h"
#include "practice/wording.h"

#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStandardPaths>
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
QLabel *large(QWidget *parent, QLabel *label = nullptr)
{
    if (label == nullptr) {
        label = new QLabel(parent);
    }
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * kQuestionScale);
    font.setBold(true);
    label->setFont(font);
    return label;
}

// The question, and the result at the end: a text the keyboard can rest on,
// so that a page opens with no answer or button in the keyboard's hand. A
// screen reader reads it where its focus comes; the frame round it shows
// the keyboard is there.
class FocusText : public QLabel {
public:
    explicit FocusText(QWidget *parent) : QLabel(parent)
    {
        setFocusPolicy(Qt::StrongFocus);
        setWordWrap(true);
        setTextInteractionFlags(Qt::TextSelectableByMouse);
        setMargin(3);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QLabel::paintEvent(event);
        // Drawn whatever moved the focus here, unlike a style's focus frame,
        // which waits for a key.
        if (hasFocus()) {
            QPainter painter(this);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
            painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
        }
    }
};

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
      enter_(new QShortcut(this)), saveKey_(new QShortcut(QKeySequence::Save, this))
{
    setObjectName(QStringLiteral("PracticeWindow"));
    setWindowTitle(QStringLiteral("Упражнение"));
    // The form and the map of the seas wait while the pupil practises.
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose, false);

    pages_->addWidget(buildSettings());
    pages_->addWidget(buildName());
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

    // Enter goes on from an answer, wherever the focus is, the map included;
    // held down, it goes on once.
    enter_->setKeys({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    enter_->setAutoRepeat(false);
    enter_->setEnabled(false);
    connect(enter_, &QShortcut::activated, this, [this] { next(); });
    saveKey_->setEnabled(false);
    connect(saveKey_, &QShortcut::activated, this, [this] { saveResultAs(); });
    showPage(Page::Settings);

    // Names to find them by.
    const std::pair<QWidget *, const char *> named[] = {
        {begin_, "PracticeBegin"},
        {variant_, "PracticeVariant"},
        {questions_, "PracticeCount"},
        {pupil_, "PracticePupil"},
        {settingNote_, "PracticeSettingNote"},
        {name_, "PracticeName"},
        {progress_, "PracticeProgress"},
        {score_, "PracticeScore"},
        {question_, "PracticeQuestion"},
        {feedback_, "PracticeFeedback"},
        {next_, "PracticeNext"},
        {result_, "PracticeResult"},
        {saved_, "PracticeSaved"},
        {save_, "PracticeSave"},
        {missed_, "PracticeMissed"},
        {again_, "PracticeAgain"},
        {settings_, "PracticeSettings"},
    };
    for (const auto &[widget, name] : named) {
        widget->setObjectName(QLatin1String(name));
    }
    for (std::size_t ocean = 0; ocean < answers_.size(); ++ocean) {
        answers_.at(ocean)->setObjectName(QStringLiteral("PracticeOcean%1").arg(ocean));
        oceans_.at(ocean)->setObjectName(QStringLiteral("PracticeOceanChosen%1").arg(ocean));
    }
    for (QWidget *opens : {static_cast<QWidget *>(next_), static_cast<QWidget *>(begin_),
                           static_cast<QWidget *>(nameBegin_), static_cast<QWidget *>(missed_),
                           static_cast<QWidget *>(again_)}) {
        opens->installEventFilter(this);
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
    connect(kinds_, &QButtonGroup::idToggled, this, [this] { checkSettings(); });
    layout->addWidget(kindBox);

    // Each ocean with an Alt key of its own, none of the page's others.
    const std::array<QString, catalogue::kOceanCount> oceanKeys{
        QStringLiteral("&Атлантически океан"), QStringLiteral("&Индийски океан"),
        QStringLiteral("Северен &ледовит океан"), QStringLiteral("&Тихи океан"),
        QStringLiteral("&Южен океан")};
    auto *oceanBox = new QGroupBox(QStringLiteral("Океани"), page);
    auto *oceanLayout = new QVBoxLayout(oceanBox);
    for (std::size_t ocean = 0; ocean < oceans_.size(); ++ocean) {
        auto *check = new QCheckBox(oceanKeys.at(ocean), oceanBox);
        check->setChecked(true);
        check->setMinimumHeight(26);
        connect(check, &QCheckBox::toggled, this, [this] { checkSettings(); });
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
    pupil_ = new QLineEdit(page);
    pupil_->setMaxLength(static_cast<int>(practice::kMaxPupilName));
    pupil_->setToolTip(QStringLiteral("По желание: за запазения резултат, например „Иван "
                                      "Петров 7-а“."));
    pupil_->setAccessibleDescription(pupil_->toolTip());
    pupil_->setMinimumHeight(28);
    auto *pupilLabel = new QLabel(QStringLiteral("И&ме и клас:"), page);
    pupilLabel->setBuddy(pupil_);
    form->addRow(pupilLabel, pupil_);
    layout->addLayout(form);

    settingNote_ = wrapped(QString(), page);
    layout->addWidget(settingNote_);
    begin_ = button(QStringLiteral("&Започни"), page);
    connect(begin_, &QPushButton::clicked, this, [this] { startChosen(); });
    for (QLineEdit *field : {variant_, pupil_}) {
        connect(field, &QLineEdit::returnPressed, this, [this] { startChosen(); });
    }
    layout->addWidget(begin_);
    layout->addStretch();
    return page;
}

QWidget *PracticeWindow::buildName()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    auto *label = wrapped(QStringLiteral("Напиши името и класа си и натисни Enter. Резултатът "
                                         "ще бъде записан с тях."),
                          page);
    layout->addWidget(label);
    auto *form = new QFormLayout();
    name_ = new QLineEdit(page);
    name_->setMaxLength(static_cast<int>(practice::kMaxPupilName));
    name_->setMinimumHeight(28);
    name_->setAccessibleDescription(label->text());
    auto *nameLabel = new QLabel(QStringLiteral("&Име и клас:"), page);
    nameLabel->setBuddy(name_);
    form->addRow(nameLabel, name_);
    layout->addLayout(form);
    nameNote_ = wrapped(QString(), page);
    layout->addWidget(nameNote_);
    nameBegin_ = button(QStringLiteral("&Започни"), page);
    nameBegin_->setObjectName(QStringLiteral("PracticeNameBegin"));
    connect(nameBegin_, &QPushButton::clicked, this, [this] { startNamed(); });
    connect(name_, &QLineEdit::returnPressed, this, [this] { startNamed(); });
    layout->addWidget(nameBegin_);
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
    question_ = large(page, new FocusText(page));
    question_->setMinimumHeight(question_->fontMetrics().height() * 2 + 8);
    question_->installEventFilter(this);
    layout->addWidget(question_);

    // The hint of a map question and the answers of an ocean question take
    // the same room, so that "Напред" stays where it was: a second click on
    // it lands on nothing new.
    answerArea_ = new QStackedWidget(page);
    hint_ = wrapped(practice::mapHintText(), answerArea_);
    hint_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    answerArea_->addWidget(hint_);
    oceanButtons_ = new QWidget(answerArea_);
    auto *oceanLayout = new QVBoxLayout(oceanButtons_);
    oceanLayout->setContentsMargins(0, 0, 0, 0);
    for (std::size_t ocean = 0; ocean < answers_.size(); ++ocean) {
        const QString name = practice::oceanName(static_cast<int>(ocean));
        auto *answer = button(QStringLiteral("&%1  %2").arg(ocean + 1).arg(name), oceanButtons_);
        answer->setAccessibleName(name);
        answer->setToolTip(QStringLiteral("Клавиш %1").arg(ocean + 1));
        connect(answer, &QPushButton::clicked, this,
                [this, ocean] { answerOcean(static_cast<int>(ocean)); });
        answer->installEventFilter(this);
        answers_.at(ocean) = answer;
        oceanLayout->addWidget(answer);
    }
    answerArea_->addWidget(oceanButtons_);
    layout->addWidget(answerArea_);

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
    result_ = large(page, new FocusText(page));
    layout->addWidget(result_);
    saved_ = wrapped(QString(), page);
    layout->addWidget(saved_);
    review_ = new QListWidget(page);
    review_->setObjectName(QStringLiteral("PracticeReview"));
    review_->setAccessibleName(QStringLiteral("Преглед на въпросите"));
    review_->setWordWrap(true);
    review_->setTextElideMode(Qt::ElideNone);
    review_->setSpacing(2);
    connect(review_, &QListWidget::currentRowChanged, this,
            [this](int row) { showReviewRow(row); });
    layout->addWidget(review_, 1);

    save_ = button(QStringLiteral("&Запази резултата…"), page);
    save_->setToolTip(QStringLiteral("Ctrl+S: лист A4 в PDF за учителя"));
    connect(save_, &QPushButton::clicked, this, [this] { saveResultAs(); });
    layout->addWidget(save_);
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
    map_->setVisible(page == Page::Question || page == Page::End);
    if (page != Page::Question) {
        enter_->setEnabled(false);
    }
    saveKey_->setEnabled(page == Page::End);
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
    waiting_.reset();
    setWindowTitle(QStringLiteral("Упражнение"));
    say(QString(), nullptr);
    checkSettings();
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

void PracticeWindow::checkSettings()
{
    const practice::Setting setting = settingChosen();
    const practice::Fault fault = practice::check(setting, 1);
    QString note = practice::settingNote(setting);
    if (fault == practice::Fault::NoOcean) {
        note = QStringLiteral("Избери поне един океан.");
    }
    settingNote_->setText(note);
    settingNote_->setVisible(!note.isEmpty());
    begin_->setEnabled(fault == practice::Fault::None);
    begin_->setAccessibleDescription(note);
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

void PracticeWindow::setHandIn(const practice::HandIn &handIn)
{
    if (!handIn.pupil.isEmpty()) {
        pupil_->setText(handIn.pupil);
    }
    resultPath_ = handIn.result;
    resultIsFolder_ = handIn.resultIsFolder;
}

QString PracticeWindow::pupil() const
{
    return practice::cleanPupilName(pupil_->text());
}

void PracticeWindow::start(const practice::Setting &setting, std::optional<int> variant)
{
    if (practice::check(setting, variant.value_or(1)) != practice::Fault::None) {
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
    if (resultPath_ && pupil().isEmpty()) {
        // A result handed in by itself carries the pupil's name: asked first.
        round_.reset();
        waiting_.emplace(setting, variant);
        setWindowTitle(QStringLiteral("Упражнение"));
        showPage(Page::Name);
        showBesideForm(wanted);
        raise();
        activateWindow();
        name_->setFocus(Qt::OtherFocusReason);
        return;
    }
    round_ = practice::Round::make(setting, variant.value_or(practice::freshVariant()));
    if (!round_) {
        showSettings();
        return;
    }
    showBesideForm(wanted);
    if (width() < wanted.width() || height() < wanted.height()) {
        resize(size().expandedTo(wanted));
    }
    raise();
    activateWindow();
    ask();
}

void PracticeWindow::startNamed()
{
    const QString name = practice::cleanPupilName(name_->text());
    if (name.isEmpty()) {
        nameNote_->setText(QStringLiteral("Без име резултатът не може да бъде записан."));
        say(nameNote_->text(), name_);
        return;
    }
    nameNote_->clear();
    pupil_->setText(name);
    if (waiting_) {
        const auto [setting, variant] = *std::exchange(waiting_, std::nullopt);
        start(setting, variant);
    }
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
    answerArea_->setCurrentWidget(onMap ? static_cast<QWidget *>(hint_) : oceanButtons_);
    for (QPushButton *answer : answers_) {
        answer->setEnabled(true);
    }
    feedback_->clear();
    next_->setEnabled(false);
    // Never the asked sea framed: the view of the round's oceans, no mark
    // in the keyboard's hand.
    map_->setNamesHidden(true);
    map_->showSeas(roundSeas());

    // The keyboard rests on the question: a reader says it (its name) and
    // then where it stands and how it is answered.
    QString spoken = progress_->text() + QStringLiteral(". ");
    if (!fewer.isEmpty()) {
        spoken = fewer + QLatin1Char(' ') + spoken;
    }
    spoken += onMap ? hint_->text()
                    : QStringLiteral("Натисни клавиш от 1 до 5 или стигни до отговора със "
                                     "стрелките.");
    say(spoken, question_);
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

bool PracticeWindow::moveAmongAnswers(int key)
{
    const bool open = pages_->currentIndex() == static_cast<int>(Page::Question) && round_ &&
                      !round_->finished() && !showsFeedback();
    if (!open || !oceanButtons_->isVisible()) {
        return false;
    }
    const bool back = key == Qt::Key_Up || key == Qt::Key_Left;
    if (!back && key != Qt::Key_Down && key != Qt::Key_Right) {
        return false;
    }
    const auto at = std::ranges::find(answers_, QApplication::focusWidget());
    const int last = static_cast<int>(answers_.size()) - 1;
    int to = back ? last : 0;
    if (at != answers_.end()) {
        const int from = static_cast<int>(at - answers_.begin());
        to = std::clamp(from + (back ? -1 : 1), 0, last);
    }
    answers_.at(static_cast<std::size_t>(to))
        ->setFocus(back ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    return true;
}

bool PracticeWindow::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress) {
        const auto *key = dynamic_cast<QKeyEvent *>(event);
        const bool plain = key != nullptr && (key->modifiers() & ~Qt::KeypadModifier) == 0;
        if (plain && moveAmongAnswers(key->key())) {
            return true;
        }
        // Tab from the question of a map question goes into the map, to its
        // first (or with Shift, its last) point.
        const bool tab =
            key != nullptr && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab);
        if (tab && watched == question_ && !oceanButtons_->isVisible() && !showsFeedback()) {
            map_->setFocus(key->key() == Qt::Key_Tab ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            QKeyEvent moved(QEvent::KeyPress, key->key(), key->modifiers());
            QCoreApplication::sendEvent(map_, &moved);
            return true;
        }
    }
    // A press on an answer within a double click of a press on a button that
    // opens a question was meant for that button ("Напред" clicked twice).
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    if (press && std::ranges::find(answers_, watched) == answers_.end()) {
        opened_.start();
    } else if (press && opened_.isValid() &&
               opened_.elapsed() < QApplication::doubleClickInterval()) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
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
    finishedAt_ = QDateTime::currentDateTime();
    showPage(Page::End);
    setWindowTitle(practice::titleText(*round_));
    result_->setText(practice::resultText(*round_));
    const std::vector<practice::ReviewRow> rows = round_->review();
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
    missed_->setEnabled(round_->missedOnly().has_value());
    map_->setNamesHidden(false);
    map_->showSeas(roundSeas());
    saved_->clear();
    handResultIn();
    saved_->setVisible(!saved_->text().isEmpty());
    QString spoken = result_->text() + QStringLiteral(". ");
    if (!saved_->text().isEmpty()) {
        spoken += saved_->text() + u' ';
    }
    // The keyboard rests on the result, so that a second Enter meant for
    // "Напред" starts nothing new.
    say(spoken + QStringLiteral("Всеки ред на прегледа показва морето си на картата."), result_);
}

QString PracticeWindow::saveResult(const QString &path) const
{
    if (!round_ || !round_->finished()) {
        return QStringLiteral("Резултат има, когато кръгът свърши.");
    }
    return writeResult(practice::resultSheet(*round_, pupil(), finishedAt_), path, font());
}

void PracticeWindow::handResultIn()
{
    if (!resultPath_ || !round_) {
        return;
    }
    const QString path = resultIsFolder_
                             ? freeResultPath(*resultPath_, pupil(), round_->variant(), finishedAt_)
                             : *resultPath_;
    const QString error = saveResult(path);
    saved_->setText(error.isEmpty() ? QStringLiteral("Резултатът е записан във файла „%1“.")
                                          .arg(QDir::toNativeSeparators(path))
                                    : error + QStringLiteral(" Запази го с „Запази резултата…“."));
}

void PracticeWindow::saveResultAs()
{
    if (!round_ || !round_->finished()) {
        return;
    }
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) {
        folder = QDir::homePath();
    }
    // Qt's own dialog, whose texts the program carries in Bulgarian.
    QFileDialog dialog(this, QStringLiteral("Запазване на резултата"), folder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Документ PDF, лист A4 (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(practice::resultFileName(pupil(), round_->variant(), finishedAt_));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString path = dialog.selectedFiles().constFirst();
    const QString error = saveResult(path);
    saved_->setText(error.isEmpty() ? QStringLiteral("Резултатът е записан във файла „%1“.")
                                          .arg(QDir::toNativeSeparators(path))
                                    : error);
    saved_->setVisible(true);
    say(saved_->text(), save_);
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
    if ((event->modifiers() & ~Qt::KeypadModifier) == 0 && moveAmongAnswers(key)) {
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
        // A round left unfinished hands nothing in.
        say(QString(), nullptr);
        round_.reset();
        waiting_.reset();
    }
    return QWidget::event(event);
}

} // namespace pelagor
