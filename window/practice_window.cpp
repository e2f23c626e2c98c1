// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/practice_window.h"

#include "catalogue/card_text.h"
#include "catalogue/lookup.h"
#include "map/framing.h"
#include "map/sea_map.h"
#include "practice/wording.h"
#include "window/map_asker.h"
#include "window/map_placement.h"
#include "window/ocean_asker.h"
#include "window/practice_controls.h"
#include "window/practice_end.h"
#include "window/practice_settings.h"
#include "window/result_pdf.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace pelagor {

namespace {

using practice::Asks;

// The size of the map beside the questions, in logical pixels.
constexpr QSize kMapSize{620, 380};

std::size_t askerOf(Asks asks)
{
    return asks == Asks::Ocean ? 0 : 1;
}

} // namespace

PracticeWindow::PracticeWindow(QWidget *form)
    : QWidget(form, Qt::Window), pages_(new QStackedWidget(this)), map_(new SeaMap(this)),
      settings_(new SettingsPage(pages_)), name_(new NamePage(pages_)), end_(new EndPage(pages_)),
      enter_(new QShortcut(this)), saveKey_(new QShortcut(QKeySequence::Save, this))
{
    setObjectName(QStringLiteral("PracticeWindow"));
    setWindowTitle(QStringLiteral("Упражнение"));
    // The form and the map of the seas wait while the pupil practises.
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose, false);

    pages_->addWidget(settings_);
    pages_->addWidget(name_);
    pages_->addWidget(buildQuestion());
    pages_->addWidget(end_);
    pages_->setMinimumWidth(340);
    pages_->setMaximumWidth(420);

    map_->setObjectName(QStringLiteral("PracticeMap"));
    map_->setNamesHidden(true);
    map_->setAtlasNames(false);
    map_->setMinimumSize(kMapSize / 2);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(map_, 1);

    settings_->onBegin = [this] { start(settings_->setting(), settings_->variant()); };
    name_->onName = [this](const QString &pupil) {
        settings_->setPupil(pupil);
        if (waiting_) {
            const auto [setting, variant] = *std::exchange(waiting_, std::nullopt);
            start(setting, variant);
        }
    };
    end_->onSave = [this] { saveResultAs(); };
    end_->onMissed = [this] {
        if (std::optional<practice::Round> missed = round_ ? round_->missedOnly() : std::nullopt) {
            round_ = std::move(missed);
            ask();
        }
    };
    end_->onAgain = [this] {
        start(round_ ? round_->setting() : settings_->setting(), std::nullopt);
    };
    end_->onSettings = [this] { showSettings(); };
    end_->onRowShown = [this](int row) {
        if (round_ && row < round_->count()) {
            map_->frameSea(round_->question(row).sea);
        }
    };

    // Enter goes on from an answer, wherever the focus is, the map included;
    // held down, it goes on once.
    enter_->setKeys({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    enter_->setAutoRepeat(false);
    enter_->setEnabled(false);
    connect(enter_, &QShortcut::activated, this, [this] { next(); });
    connect(saveKey_, &QShortcut::activated, this, [this] { saveResultAs(); });
    showPage(Page::Settings);

    // A press on an answer within a double click of a press on one of these
    // was meant for it.
    for (QWidget *opens : std::initializer_list<QWidget *>{
             next_, settings_->begin(), name_->begin(), end_->missed(), end_->again()}) {
        opens->installEventFilter(this);
    }
}

QWidget *PracticeWindow::buildQuestion()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    auto *top = new QHBoxLayout();
    progress_ = new QLabel(page);
    progress_->setObjectName(QStringLiteral("PracticeProgress"));
    score_ = new QLabel(page);
    score_->setObjectName(QStringLiteral("PracticeScore"));
    top->addWidget(progress_);
    top->addStretch();
    top->addWidget(score_);
    layout->addLayout(top);
    fewer_ = wrappedLabel(QString(), page);
    layout->addWidget(fewer_);
    question_ = madeLarge(new FocusText(page));
    question_->setObjectName(QStringLiteral("PracticeQuestion"));
    question_->setMinimumHeight(question_->fontMetrics().height() * 2 + 8);
    question_->installEventFilter(this);
    layout->addWidget(question_);

    // The askers' answers take the same room, so that "Напред" stays where
    // it is: a second click on it lands on nothing new.
    answerArea_ = new QStackedWidget(page);
    auto *oceans = new OceanAsker(answerArea_);
    oceans->pressMeantElsewhere = [this] {
        return opened_.isValid() && opened_.elapsed() < QApplication::doubleClickInterval();
    };
    askers_.at(askerOf(Asks::Ocean)) = oceans;
    askers_.at(askerOf(Asks::Map)) = new MapAsker(answerArea_, map_);
    for (const Asks asks : {Asks::Ocean, Asks::Map}) {
        Asker *asker = askers_.at(askerOf(asks));
        asker->onAnswer = [this, asks](int given) { takeAnswer(asks, given); };
        answerArea_->addWidget(asker->answers());
    }
    layout->addWidget(answerArea_);

    feedback_ = wrappedLabel(QString(), page);
    feedback_->setObjectName(QStringLiteral("PracticeFeedback"));
    feedback_->setMinimumHeight(feedback_->fontMetrics().height() * 3);
    layout->addWidget(feedback_);
    // After an answer, more of the asked sea: a few figures and a sentence.
    aside_ = wrappedLabel(QString(), page);
    aside_->setObjectName(QStringLiteral("PracticeAside"));
    layout->addWidget(aside_);
    next_ = practiceButton(QStringLiteral("&Напред"), page);
    next_->setObjectName(QStringLiteral("PracticeNext"));
    connect(next_, &QPushButton::clicked, this, [this] { next(); });
    layout->addWidget(next_);
    layout->addStretch();
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
    if (parentWidget() == nullptr) {
        resize(wanted);
    } else {
        // Beside the form, which stays in sight, where the screen has room.
        placeBesideForm(*this, *parentWidget(), wanted, minimumSizeHint());
    }
    show();
}

void PracticeWindow::showSettings()
{
    round_.reset();
    waiting_.reset();
    setWindowTitle(QStringLiteral("Упражнение"));
    say(QString(), nullptr);
    showPage(Page::Settings);
    showBesideForm(sizeHint());
    raise();
    activateWindow();
    settings_->takeKeyboard();
}

void PracticeWindow::setHandIn(const practice::HandIn &handIn)
{
    if (!handIn.pupil.isEmpty()) {
        settings_->setPupil(handIn.pupil);
    }
    resultPath_ = handIn.result;
    resultIsFolder_ = handIn.resultIsFolder;
}

QString PracticeWindow::pupil() const
{
    return settings_->pupil();
}

void PracticeWindow::start(const practice::Setting &setting, std::optional<int> variant)
{
    if (practice::check(setting, variant.value_or(1)) != practice::Fault::None) {
        showSettings();
        return;
    }
    // The settings show what the round was made of, for the next one.
    settings_->showSetting(setting);
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
        name_->ask();
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

std::vector<int> PracticeWindow::roundSeas() const
{
    return round_ ? catalogue::seasOfOceans(round_->setting().oceans) : std::vector<int>{};
}

Asker *PracticeWindow::openAsker() const
{
    const bool open = pages_->currentIndex() == static_cast<int>(Page::Question) && round_ &&
                      !round_->finished() && !showsFeedback();
    return open ? askers_.at(askerOf(round_->question(round_->current()).asks)) : nullptr;
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
    progress_->setText(practice::progressText(*round_));
    score_->setText(round_->answered() > 0 ? practice::scoreText(*round_) : QString());
    const QString fewer = round_->current() == 0 ? practice::fewerSeasText(*round_) : QString();
    fewer_->setText(fewer);
    fewer_->setVisible(!fewer.isEmpty());
    question_->setText(practice::questionText(asked));
    Asker *asker = askers_.at(askerOf(asked.asks));
    answerArea_->setCurrentWidget(asker->answers());
    feedback_->clear();
    aside_->clear();
    next_->setEnabled(false);
    // Never the asked sea framed: the view of the round's oceans, no mark
    // in the keyboard's hand.
    map_->setNamesHidden(true);
    map_->setAtlasNames(false);
    map_->setOceanNamesHidden(asked.asks == Asks::Ocean);
    map_->showSeas(roundSeas());

    // The keyboard rests on the question: a reader says it (its name), then
    // where it stands and how it is answered.
    QString spoken = progress_->text() + QStringLiteral(". ") + asker->open(asked);
    if (!fewer.isEmpty()) {
        spoken = fewer + QLatin1Char(' ') + spoken;
    }
    say(spoken, question_);
}

void PracticeWindow::takeAnswer(Asks kind, int given)
{
    Asker *asker = openAsker();
    if (asker == nullptr || asker != askers_.at(askerOf(kind)) || !round_) {
        return;
    }
    say(QString(), nullptr);
    const practice::Question asked = round_->question(round_->current());
    const int open = round_->current();
    const bool right = round_->answer(given);
    if (round_->current() == open) {
        return;
    }
    feedback_->setText(practice::feedbackText(asked, given));
    aside_->setText(catalogue::answerAside(asked.sea));
    score_->setText(practice::scoreText(*round_));
    next_->setEnabled(true);
    enter_->setEnabled(true);
    // The sea in its place, named, now that it is answered.
    map_->setNamesHidden(false);
    map_->setOceanNamesHidden(false);
    map_->frameSea(asked.sea);
    if (!asker->handFeedback(asked, right, feedback_->text(), aside_->text())) {
        say(feedback_->text() + u' ' + aside_->text(), next_);
    }
    asker->close();
}

bool PracticeWindow::showsFeedback() const
{
    return enter_->isEnabled();
}

bool PracticeWindow::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress && watched == question_) {
        // Tab is the window's to move the focus, before the question sees it.
        Asker *asker = openAsker();
        const auto *key = dynamic_cast<QKeyEvent *>(event);
        if (asker != nullptr && key != nullptr && asker->key(*key, question_)) {
            return true;
        }
    }
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        opened_.start();
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
    end_->showRound(*round_);
    map_->setNamesHidden(false);
    map_->setAtlasNames(true);
    map_->setOceanNamesHidden(false);
    map_->showSeas(roundSeas());
    handResultIn();
    QString spoken = practice::resultText(*round_) + QStringLiteral(". ");
    if (!end_->saved().isEmpty()) {
        spoken += end_->saved() + u' ';
    }
    // The keyboard rests on the result, so that a second Enter meant for
    // "Напред" starts nothing new.
    say(spoken + QStringLiteral("Всеки ред на прегледа показва морето си на картата."),
        end_->result());
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
    end_->setSaved(error.isEmpty() ? QStringLiteral("Резултатът е записан във файла „%1“.")
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
    end_->setSaved(error.isEmpty() ? QStringLiteral("Резултатът е записан във файла „%1“.")
                                         .arg(QDir::toNativeSeparators(path))
                                   : error);
    say(end_->saved(), end_->save());
}

void PracticeWindow::say(const QString &text, QWidget *control)
{
    note_.takeBack();
    if (control == nullptr) {
        return;
    }
    const bool hadFocus = control->hasFocus();
    if (!text.isEmpty()) {
        note_.hand(control, text);
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
    Asker *asker = openAsker();
    if (asker != nullptr && asker->key(*event, QApplication::focusWidget())) {
        return;
    }
    if (event->key() == Qt::Key_Escape) {
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
