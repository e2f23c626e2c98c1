// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/pelagor.h"

#include "catalogue/catalogue.h"
#include "map/sea_map.h"
#include "window/answer_announcer.h"
#include "window/application.h"
#include "window/exercise.h"
#include "window/map_window.h"
#include "window/option_button.h"
#include "window/practice_window.h"
#include "window/sea_card.h"
#include "window/sea_list_box.h"
#include "window/touch_scrolling.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <utility>

namespace pelagor {

namespace {

// The layout is drawn in twips, 15 to a device-independent pixel; Qt scales
// those pixels on high-density screens.
constexpr int kTwipsPerPixel = 15;

constexpr QRect twips(int left, int top, int width, int height)
{
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
            height / kTwipsPerPixel};
}

constexpr QSize kClientArea{7230 / kTwipsPerPixel, 6315 / kTwipsPerPixel};

const QColor kWindowColour{192, 192, 255};
const QColor kLabelColour{255, 192, 128};
const QColor kFrameColour{192, 192, 255};
const QColor kOptionColour{128, 255, 128};
const QColor kOptionRingShade{128, 128, 128};

QString toQString(std::u16string_view text)
{
    return QStringView(text).toString();
}

// The output box breaks lines at plain line feeds.
QString forDisplay(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Fills the widget with the colour; buttons draw their background in another
// role than labels and frames.
void paint(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// Colours for a control on a fixed background, whatever the desktop's scheme:
// black text on it, as the backgrounds were chosen for, and the roles the
// style draws an option's round mark and the focus frame with. The mark is a
// black dot in a white field with a dark grey ring, the focus dark blue; the
// desktop's own choices (light text, dark fields, a pale or yellow accent)
// would vanish on these light colours.
QPalette fixedPalette(const QColor &background)
{
    QPalette palette(background, background);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Active, role, Qt::black);
        palette.setColor(QPalette::Inactive, role, Qt::black);
    }
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Highlight, QColor(0, 0, 128));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    return palette;
}

void paintFixed(QWidget *widget, const QColor &background)
{
    widget->setPalette(fixedPalette(background));
    widget->setAutoFillBackground(true);
}

} // namespace

Pelagor::Pelagor(QWidget *parent) : Pelagor(catalogue::kSeas, parent) {}

Pelagor::Pelagor(std::span<const catalogue::SeaRow> seas, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Pelagor"));
    setWindowTitle(QString::fromUtf16(kPublisherAddress) +
                   QStringLiteral(" География - окени и принадлежащи морета"));
    // From a pixmap: a file name would make Qt look for icon engine plugins.
    setWindowIcon(QIcon(QPixmap(QStringLiteral(":/icons/pelagor.png"))));
    // The window asks for one font and every control inherits it. Set before
    // the controls are made, it is the only font the program ever loads.
    setFont(programFont());
    buildControls(seas);
    applyColours();
    setOutput(exerciseText());
    output_->setFocus(Qt::OtherFocusReason);
}

Pelagor::~Pelagor()
{
    // The controls outlive the logic by a moment while the window is taken
    // down; nothing they report then may reach it.
    optionGroup_->disconnect(this);
    seaNames_->selectionModel()->disconnect(this);
    seaNames_->onSelectedRowClicked = nullptr;
    if (mapWindow_ != nullptr) {
        seaMap()->disconnect(this);
    }
}

void Pelagor::buildControls(std::span<const catalogue::SeaRow> seas)
{
    setFixedSize(kClientArea);

    title_ = new QLabel(QStringLiteral("География - океани и морета"), this);
    title_->setObjectName(QStringLiteral("Label1(0)"));
    title_->setGeometry(twips(1680, 0, 3855, 375));
    title_->setAlignment(Qt::AlignCenter);

    frame_ = new QGroupBox(QStringLiteral("Име на океан"), this);
    frame_->setObjectName(QStringLiteral("Frame1"));
    frame_->setGeometry(twips(240, 600, 2895, 1935));

    optionGroup_ = new QButtonGroup(this);
    optionGroup_->setExclusive(true);
    for (std::size_t n = 0; n < options_.size(); ++n) {
        const int index = static_cast<int>(n);
        auto *option = new OptionButton(toQString(catalogue::kOceanCaptions.at(n)), frame_);
        option->setObjectName(QStringLiteral("Option1(%1)").arg(index));
        option->setGeometry(twips(120, 300 + 300 * index, 2655, 300));
        optionGroup_->addButton(option, index);
        options_.at(n) = option;
    }

    seaTitle_ = new QLabel(QStringLiteral("Имена на морета"), this);
    seaTitle_->setObjectName(QStringLiteral("Label1(1)"));
    seaTitle_->setGeometry(twips(3960, 600, 2775, 375));
    seaTitle_->setAlignment(Qt::AlignCenter);

    seaNames_ = new SeaListBox(this);
    seaNames_->setObjectName(QStringLiteral("List1(0)"));
    seaNames_->setGeometry(twips(3960, 960, 2775, 3195));
    seaNames_->setSelectionMode(QAbstractItemView::SingleSelection);
    seaNames_->setSortingEnabled(false);
    seaNames_->setUniformItemSizes(true);

    // The ocean number of each sea, row for row beside the names; never shown.
    oceanNumbers_ = new QListWidget(this);
    oceanNumbers_->setObjectName(QStringLiteral("List1(1)"));
    oceanNumbers_->setFocusPolicy(Qt::NoFocus);
    oceanNumbers_->setSortingEnabled(false);
    oceanNumbers_->hide();

    QStringList names;
    QStringList numbers;
    names.reserve(static_cast<qsizetype>(seas.size()));
    numbers.reserve(static_cast<qsizetype>(seas.size()));
    for (const catalogue::SeaRow &sea : seas) {
        names << toQString(sea.name);
        numbers << toQString(sea.oceanNumber);
    }
    seaNames_->addItems(names);
    oceanNumbers_->addItems(numbers);

    output_ = new QPlainTextEdit(this);
    output_->setObjectName(QStringLiteral("Text1(0)"));
    output_->setGeometry(twips(240, 4320, 6735, 1935));
    output_->setReadOnly(true);
    output_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    output_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    output_->setWordWrapMode(QTextOption::WordWrap);
    output_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    output_->setTabChangesFocus(true);
    // A finger scrolls the output box kinetically, line by line of text.
    scrollByTouch(
        output_, [this] { return output_->fontMetrics().lineSpacing(); }, TouchTaps::Ignored);

    // What a screen reader says of the controls that have no caption of their own.
    seaNames_->setAccessibleName(QStringLiteral("Имена на морета"));
    frame_->setAccessibleName(QStringLiteral("Име на океан"));
    output_->setAccessibleName(QStringLiteral("Отговор"));
    output_->setAccessibleDescription(
        QStringLiteral("Условието на задачата, а след избор: моретата на избрания океан "
                       "или океанът, към който принадлежи избраното море."));

    // The labels and the frame take no focus; the order of the rest is the
    // lesson's: output, the first four oceans, the seas, the last ocean.
    setTabOrder(output_, options_[0]);
    setTabOrder(options_[0], options_[1]);
    setTabOrder(options_[1], options_[2]);
    setTabOrder(options_[2], options_[3]);
    setTabOrder(options_[3], seaNames_);
    setTabOrder(seaNames_, options_[4]);

    // An option that becomes the selected one answers, whether the mouse, an
    // arrow key, a screen reader or the sea click selected it (the guard makes
    // the last one do nothing). A click on the option that was already
    // selected answers too: it was selected when the press began.
    connect(optionGroup_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) {
            answer([this, id] { selection_.Option1_Click(static_cast<std::int16_t>(id)); },
                   optionGroup_->button(id));
        }
    });
    connect(optionGroup_, &QButtonGroup::idPressed, this,
            [this](int id) { pressedSelectedOption_ = optionGroup_->checkedId() == id ? id : -1; });
    connect(optionGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        if (std::exchange(pressedSelectedOption_, -1) == id) {
            answer([this, id] { selection_.Option1_Click(static_cast<std::int16_t>(id)); },
                   optionGroup_->button(id));
        }
    });
    // Mouse, arrow keys, Page Up and Down, Home, End and typed letters all move
    // the selected row.
    connect(seaNames_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection &selected) {
                if (!selected.isEmpty()) {
                    answer([this] { selection_.List1_Click(0); }, pickedWith());
                }
            });
    seaNames_->onSelectedRowClicked = [this] {
        answer([this] { selection_.List1_Click(0); }, seaNames_);
    };

    // Every answer reaches a screen reader where its focus is.
    announcer_ = std::make_unique<AnswerAnnouncer>(this, frame_, options_, seaNames_);

    // F2, and the one entry of the window's context menu, show and hide the map.
    mapAction_ = new QAction(QStringLiteral("Карта на моретата"), this);
    mapAction_->setShortcut(Qt::Key_F2);
    mapAction_->setCheckable(true);
    connect(mapAction_, &QAction::triggered, this, [this] { toggleMap(); });
    addAction(mapAction_);
    // F6 moves the keyboard into the map, opening it if need be. Only from
    // the form: a window shortcut would also take F6 in the map, a tool window
    // of the form, where it leads back.
    auto *intoMap = new QAction(this);
    intoMap->setShortcut(Qt::Key_F6);
    intoMap->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(intoMap, &QAction::triggered, this, [this] {
        showMap();
        mapWindow_->takeKeyboard();
    });
    addAction(intoMap);
    // F4 shows the map with the card of the pick beside it, or hides the card.
    auto *card = new QAction(this);
    card->setShortcut(Qt::Key_F4);
    card->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(card, &QAction::triggered, this, [this] {
        const bool shown =
            mapWindow_ != nullptr && mapWindow_->isVisible() && mapWindow_->cardShown();
        showMap();
        mapWindow_->setCardShown(!shown);
    });
    addAction(card);

    // F3, and the entry below the map's in the context menu, open the practice.
    practiceAction_ = new QAction(QStringLiteral("Упражнение"), this);
    practiceAction_->setShortcut(Qt::Key_F3);
    connect(practiceAction_, &QAction::triggered, this, [this] { showPractice(); });
    addAction(practiceAction_);
}

void Pelagor::applyColours()
{
    // The window fixes only its background: the sea list and the output box
    // keep the desktop's text and field colours.
    paint(this, kWindowColour);
    paintFixed(title_, kLabelColour);
    paintFixed(seaTitle_, kLabelColour);
    paintFixed(frame_, kFrameColour);
    for (QRadioButton *option : options_) {
        paintFixed(option, kOptionColour);
        // The style rings an option's mark in a darker shade of the window
        // colour; one of grey shows on the green.
        QPalette palette = option->palette();
        palette.setColor(QPalette::Window, kOptionRingShade);
        option->setPalette(palette);
    }
}

std::int16_t Pelagor::ListCount() const
{
    return static_cast<std::int16_t>(seaNames_->count());
}

std::optional<QString> Pelagor::List(SeaList list, std::int16_t row) const
{
    const QListWidget *box = list == SeaList::Names ? seaNames_ : oceanNumbers_;
    const QListWidgetItem *item = box->item(row);
    if (item == nullptr) {
        return std::nullopt;
    }
    return item->text();
}

std::int16_t Pelagor::ListIndex() const
{
    const QModelIndexList selected = seaNames_->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? std::int16_t{-1}
                              : static_cast<std::int16_t>(selected.first().row());
}

std::optional<QString> Pelagor::Caption(std::int16_t option) const
{
    if (option < 0 || static_cast<std::size_t>(option) >= options_.size()) {
        return std::nullopt;
    }
    return options_.at(static_cast<std::size_t>(option))->text();
}

bool Pelagor::SetValue(std::int16_t option)
{
    if (option < 0 || static_cast<std::size_t>(option) >= options_.size()) {
        return false;
    }
    options_.at(static_cast<std::size_t>(option))->setChecked(true);
    return true;
}

QString Pelagor::Text() const
{
    return text_;
}

void Pelagor::SetText(const QString &text)
{
    setOutput(text);
}

void Pelagor::setOutput(const QString &text)
{
    text_ = text;
    textShown_ = false;
    if (clickDepth_ == 0) {
        showOutput();
    }
}

void Pelagor::answer(const std::function<void()> &click, QWidget *picked)
{
    ++clickDepth_;
    std::optional<RunTimeError> failure;
    try {
        click();
    } catch (const RunTimeError &error) {
        failure = error;
    }
    --clickDepth_;
    const bool shown = (clickDepth_ == 0 || failure) && showOutput();
    if (failure) {
        reportRunTimeError(*failure);
        return;
    }
    if (clickDepth_ == 0) {
        rememberPick(picked);
    }
    if (shown) {
        QWidget *focus = QApplication::focusWidget();
        if (mapWindow_ != nullptr && picked == mapWindow_->card() && focus != nullptr &&
            picked->isAncestorOf(focus)) {
            // The card shows the sea picked through it now, the keyboard on its start.
            picked = focus;
        }
        announcer_->announce(forDisplay(text_), picked);
    }
}

QWidget *Pelagor::pickedWith() const
{
    return pickingFrom_ != nullptr ? pickingFrom_ : seaNames_;
}

void Pelagor::rememberPick(const QWidget *picked)
{
    pickedOcean_ = -1;
    pickedSea_ = ListIndex();
    for (std::size_t n = 0; n < options_.size(); ++n) {
        if (options_.at(n) == picked) {
            pickedOcean_ = static_cast<int>(n);
            pickedSea_ = -1;
        }
    }
    tellMap();
}

void Pelagor::tellMap()
{
    if (mapWindow_ == nullptr) {
        return;
    }
    if (pickedOcean_ >= 0) {
        seaMap()->showOcean(pickedOcean_);
    } else if (pickedSea_ >= 0 && pickingFrom_ == seaMap()) {
        seaMap()->markSea(pickedSea_);
    } else if (pickedSea_ >= 0) {
        seaMap()->showSea(pickedSea_);
    }
    mapWindow_->showPick();
}

SeaMap *Pelagor::seaMap() const
{
    return mapWindow_ != nullptr ? mapWindow_->map() : nullptr;
}

void Pelagor::showMap()
{
    if (mapWindow_ == nullptr) {
        mapWindow_ = std::make_unique<MapWindow>(this);
        connect(seaMap(), &SeaMap::seaPicked, this,
                [this](int row, bool byKeyboard) { pickSeaFromMap(row, byKeyboard); });
        connect(mapWindow_->card(), &SeaCardView::seaPicked, this,
                [this](int row) { pickSeaFrom(mapWindow_->card(), row); });
        connect(mapWindow_->card(), &SeaCardView::oceanPicked, this, [this](int ocean) {
            if (ocean >= 0 && static_cast<std::size_t>(ocean) < options_.size()) {
                options_.at(static_cast<std::size_t>(ocean))->click();
            }
        });
        tellMap();
    }
    mapWindow_->showBesideForm();
}

void Pelagor::showPractice()
{
    if (practiceWindow_ == nullptr) {
        practiceWindow_ = std::make_unique<PracticeWindow>(this);
    }
    practiceWindow_->showSettings();
}

void Pelagor::startPractice(const practice::Setting &setting, std::optional<int> variant,
                            const practice::HandIn &handIn)
{
    if (practiceWindow_ == nullptr) {
        practiceWindow_ = std::make_unique<PracticeWindow>(this);
    }
    practiceWindow_->setHandIn(handIn);
    practiceWindow_->start(setting, variant);
}

void Pelagor::toggleMap()
{
    if (mapWindow_ != nullptr && mapWindow_->isVisible()) {
        mapWindow_->close();
    } else {
        showMap();
    }
}

void Pelagor::pickSeaFromMap(int row, bool byKeyboard)
{
    if (!byKeyboard) {
        // A click or tap on a mark gives the keyboard back to the form.
        mapWindow_->giveKeyboardBack();
    }
    pickSeaFrom(seaMap(), row);
}

void Pelagor::pickSeaFrom(QWidget *from, int row)
{
    QListWidgetItem *item = seaNames_->item(row);
    if (item == nullptr) {
        return;
    }
    seaNames_->scrollToItem(item);
    pickingFrom_ = from;
    if (ListIndex() == row) {
        // The row picked already: answered again, as a click on it is.
        answer([this] { selection_.List1_Click(0); }, from);
    } else {
        // The keyboard stays where it is, but the list (Qt 6.4's, at least)
        // would tell a screen reader that its new row has the focus, after
        // the answer and in its place.
        const bool leftOut = std::exchange(seaNames_->leavesOutMarkNotice, true);
        seaNames_->setCurrentRow(row);
        seaNames_->leavesOutMarkNotice = leftOut;
    }
    pickingFrom_ = nullptr;
}

void Pelagor::contextMenuEvent(QContextMenuEvent *event)
{
    // The window's own menu opens on its background, labels and frame, and
    // from the keyboard on the controls that have no menu of their own; the
    // others keep theirs.
    if (event->reason() == QContextMenuEvent::Mouse) {
        const QWidget *under = childAt(event->pos());
        if (under != nullptr && under != title_ && under != seaTitle_ && under != frame_) {
            event->ignore();
            return;
        }
    }
    mapAction_->setChecked(mapWindow_ != nullptr && mapWindow_->isVisible());
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(mapAction_);
    menu->addAction(practiceAction_);
    menu->popup(event->globalPos());
    event->accept();
}

void Pelagor::keyPressEvent(QKeyEvent *event)
{
#ifndef Q_OS_WIN
    // Shift+F10 opens the context menu of the control with the focus, as the
    // Menu key does (on Windows the system sees to both).
    QWidget *focus = QApplication::focusWidget();
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier &&
        focus != nullptr && focus->window() == this) {
        const QPoint at = focus->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, focus->mapToGlobal(at));
        QApplication::sendEvent(focus, &menu);
        return;
    }
#endif
    QWidget::keyPressEvent(event);
}

bool Pelagor::showOutput()
{
    if (textShown_) {
        return false;
    }
    output_->setPlainText(forDisplay(text_));
    textShown_ = true;
    return true;
}

void Pelagor::reportRunTimeError(const RunTimeError &error)
{
    QMessageBox::critical(this, windowTitle(),
                          QStringLiteral("Грешка при изпълнение на програмата:\n\n%1\n\n"
                                         "Програмата ще бъде затворена.")
                              .arg(error.message()));
    QCoreApplication::exit(EXIT_FAILURE);
}

} // namespace pelagor
