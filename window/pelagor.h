// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's one window: the oceans as option buttons, the seas in a list,
// and the output box in which every click is answered.
#pragma once

#include "catalogue/checks.h"
#include "practice/result.h"
#include "practice/round.h"
#include "selection/selection.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>

class QAction;
class QButtonGroup;
class QContextMenuEvent;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;

namespace pelagor {

class AnswerAnnouncer;
class MapWindow;
class PracticeWindow;
class SeaListBox;
class SeaMap;

// The publisher's web address, shown at the head of the window's caption.
inline constexpr char16_t kPublisherAddress[] = u"www.pelagor.example";

class Pelagor : public QWidget, public SelectionView {
    Q_OBJECT

public:
    explicit Pelagor(QWidget *parent = nullptr);
    // A window over other sea rows than the lesson's own, for trying out how
    // the program copes with a faulty catalogue.
    explicit Pelagor(std::span<const catalogue::SeaRow> seas, QWidget *parent = nullptr);
    ~Pelagor() override;
    Pelagor(const Pelagor &) = delete;
    Pelagor &operator=(const Pelagor &) = delete;
    Pelagor(Pelagor &&) = delete;
    Pelagor &operator=(Pelagor &&) = delete;

    // SelectionView
    [[nodiscard]] std::int16_t ListCount() const override;
    [[nodiscard]] std::optional<QString> List(SeaList list, std::int16_t row) const override;
    [[nodiscard]] std::int16_t ListIndex() const override;
    [[nodiscard]] std::optional<QString> Caption(std::int16_t option) const override;
    bool SetValue(std::int16_t option) override;
    [[nodiscard]] QString Text() const override;
    void SetText(const QString &text) override;

    [[nodiscard]] const Selection &selection() const { return selection_; }

    // The map of the seas, "Карта на моретата": shown beside the window, it
    // follows every answer. F2 and the window's context menu show and hide it.
    void showMap();
    void toggleMap();
    // The map's window and the map in it, once wanted; nullptr before.
    [[nodiscard]] MapWindow *mapWindow() const { return mapWindow_.get(); }
    [[nodiscard]] SeaMap *seaMap() const;
    // "Упражнение": F3 and the window's context menu open it at its
    // settings; startPractice() starts a round at once, its result handed
    // in as `handIn` says.
    void showPractice();
    void startPractice(const practice::Setting &setting, std::optional<int> variant,
                       const practice::HandIn &handIn = {});
    [[nodiscard]] PracticeWindow *practiceWindow() const { return practiceWindow_.get(); }

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls(std::span<const catalogue::SeaRow> seas);
    void applyColours();
    // Runs one click of the logic, shows its output once, and reports a
    // run-time error, after which the program ends. `picked` is the control
    // the pupil picked with: an option button or the sea list.
    void answer(const std::function<void()> &click, QWidget *picked);
    // Keeps the text and shows it, at once outside a click, at its end inside.
    void setOutput(const QString &text);
    // Returns whether the box got a new text.
    bool showOutput();
    void reportRunTimeError(const RunTimeError &error);
    // Keeps what an answer was about, and tells the map.
    void rememberPick(const QWidget *picked);
    // What the sea list's new row was picked with, for the screen reader.
    [[nodiscard]] QWidget *pickedWith() const;
    void tellMap();
    // A click, tap or Enter on a sea's mark: the sea is picked as by its row.
    void pickSeaFromMap(int row, bool byKeyboard);
    // A sea picked on the map or through the map's card (`from`): picked as
    // by a click on its row.
    void pickSeaFrom(QWidget *from, int row);

    Selection selection_{*this};
    // The output exactly as the logic last wrote it, CR LF line ends included;
    // the box shows it with plain line breaks.
    QString text_;
    bool textShown_ = true;
    int clickDepth_ = 0;
    // The option that was already selected when the mouse or Space pressed it.
    int pressedSelectedOption_ = -1;
    // Hands each answer shown to a running screen reader. Not a child of the
    // window: it stops following the focus before the controls are taken down.
    std::unique_ptr<AnswerAnnouncer> announcer_;
    // The last pick, for the map: an ocean or a sea row, the other one -1.
    int pickedOcean_ = -1;
    int pickedSea_ = -1;
    // While the sea list selects a row for a pick made elsewhere: on the map
    // or through its card.
    QWidget *pickingFrom_ = nullptr;
    QAction *mapAction_ = nullptr;
    std::unique_ptr<MapWindow> mapWindow_;
    QAction *practiceAction_ = nullptr;
    std::unique_ptr<PracticeWindow> practiceWindow_;

    QLabel *title_ = nullptr;
    QGroupBox *frame_ = nullptr;
    std::array<QRadioButton *, catalogue::kOceanCount> options_{};
    QButtonGroup *optionGroup_ = nullptr;
    QLabel *seaTitle_ = nullptr;
    SeaListBox *seaNames_ = nullptr;
    QListWidget *oceanNumbers_ = nullptr;
    QPlainTextEdit *output_ = nullptr;
};

} // namespace pelagor
