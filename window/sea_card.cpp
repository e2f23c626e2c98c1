// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/sea_card.h"

#include "catalogue/card_text.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <vector>

namespace pelagor {

namespace {

namespace catalogue = pelagor::catalogue;

// Whatever the pupil can click stands at least this far from the next.
constexpr int kTargetHeight = 28;
// The role under which a cell of the table keeps its key to sort by.
constexpr int kSortRole = Qt::UserRole;

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

QString paragraph(const QString &text)
{
    return QStringLiteral("<p>") + escaped(text) + QStringLiteral("</p>");
}

// A figure, and under it the sentence on its range.
QString figureHtml(const catalogue::CardFigure &figure)
{
    QString html =
        QStringLiteral("<p><b>%1:</b> %2</p>").arg(escaped(figure.label), escaped(figure.value));
    if (!figure.rangeNote.isEmpty()) {
        html += QStringLiteral("<p style=\"margin-left: 16px;\">") + escaped(figure.rangeNote) +
                QStringLiteral("</p>");
    }
    return html;
}

QString headingHtml(const QString &text)
{
    return QStringLiteral("<h2>") + escaped(text) + QStringLiteral("</h2>");
}

// Read-only text as tall as its lines at the width it is given: the card
// scrolls, not the text. The arrow keys move a caret through it line by line,
// as a screen reader follows; Tab leaves it.
class CardText : public QTextEdit {
public:
    CardText(const QString &html, const QString &name, QWidget *parent) : QTextEdit(parent)
    {
        setReadOnly(true);
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setTabChangesFocus(true);
        setFocusPolicy(Qt::StrongFocus);
        setContextMenuPolicy(Qt::NoContextMenu);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        setAccessibleName(name);
        // As tall as the text is, laid out at the width the layout gives.
        connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged,
                this, [this](const QSizeF &size) {
                    setFixedHeight(static_cast<int>(std::ceil(size.height())) + 2 * frameWidth());
                });
        setHtml(html);
    }

    [[nodiscard]] QSize minimumSizeHint() const override
    {
        return {fontMetrics().averageCharWidth() * 12, height()};
    }
};

// A neighbour to pick: a flat button that reads as a link.
QPushButton *linkButton(const catalogue::CardLink &link, QWidget *parent)
{
    auto *button = new QPushButton(link.name, parent);
    button->setObjectName(QStringLiteral("CardNeighbour"));
    button->setFlat(true);
    // Enter presses it, as Space does.
    button->setAutoDefault(true);
    QFont font = button->font();
    font.setUnderline(true);
    button->setFont(font);
    button->setCursor(Qt::PointingHandCursor);
    button->setAccessibleName(link.name);
    const QString action =
        link.sea >= 0 ? QStringLiteral("Избери това море") : QStringLiteral("Избери този океан");
    button->setAccessibleDescription(action);
    button->setToolTip(action);
    button->setMinimumHeight(std::max(kTargetHeight, button->sizeHint().height()));
    button->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    return button;
}

// An ocean's seas: all its rows in sight (the card scrolls, not the table),
// sorted by the header or by the card's choice of order; Enter or a click on
// a row picks its sea.
class SeaTable : public QTableView {
public:
    explicit SeaTable(QWidget *parent) : QTableView(parent)
    {
        setObjectName(QStringLiteral("CardSeas"));
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setSelectionBehavior(QAbstractItemView::SelectRows);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // In a card narrower than its columns at their narrowest, it scrolls
        // sideways by itself, the card's text staying as wide as the card.
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        setTabKeyNavigation(false);
        setWordWrap(true);
        verticalHeader()->hide();
        verticalHeader()->setMinimumSectionSize(kTargetHeight);
        verticalHeader()->setDefaultSectionSize(
            std::max(kTargetHeight, fontMetrics().height() + 10));
        horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        horizontalHeader()->setMinimumSectionSize(1);
        horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        horizontalHeader()->setMinimumHeight(kTargetHeight);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }

    std::function<void(int row)> onPick;

    // The columns share the width, each at least as wide as its longest word,
    // the name's widest; a figure too long for its column goes on to a
    // second line.
    void fitHeight()
    {
        const std::vector<int> narrowest = narrowestColumns();
        int spare = width() - 2 * frameWidth();
        for (const int column : narrowest) {
            spare -= column;
        }
        if (narrowest.size() == kShares.size()) {
            const int shared = std::max(spare, 0);
            int given = 0;
            for (std::size_t column = 0; column < narrowest.size(); ++column) {
                const int share = column + 1 < narrowest.size() ? shared * kShares.at(column) / 10
                                                                : shared - given;
                given += share;
                horizontalHeader()->resizeSection(static_cast<int>(column),
                                                  narrowest.at(column) + share);
            }
        }
        resizeRowsToContents();
        setFixedHeight(2 * frameWidth() + horizontalHeader()->sizeHint().height() +
                       verticalHeader()->length() +
                       (spare < 0 ? horizontalScrollBar()->sizeHint().height() : 0));
    }

    // Picks the sea of a row.
    void pick(const QModelIndex &index) const
    {
        if (onPick && index.isValid()) {
            onPick(index.siblingAtColumn(0).data(kSortRole).toInt());
        }
    }

protected:
    // All its rows in sight.
    void resizeEvent(QResizeEvent *event) override
    {
        QTableView::resizeEvent(event);
        fitHeight();
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            currentIndex().isValid()) {
            event->accept();
            pick(currentIndex());
            return;
        }
        QTableView::keyPressEvent(event);
    }

private:
    // The tenths of the spare width each column takes.
    static constexpr std::array<int, catalogue::kCardColumns> kShares{4, 3, 3};

    // Each column as wide as its longest word, with room for the margins.
    [[nodiscard]] std::vector<int> narrowestColumns() const
    {
        std::vector<int> narrowest;
        if (model() == nullptr) {
            return narrowest;
        }
        const auto widestWord = [this](const QString &text, const QFontMetrics &metrics) {
            int widest = 0;
            for (const QString &word : text.split(QRegularExpression(QStringLiteral("[ \\n]")))) {
                widest = std::max(widest, metrics.horizontalAdvance(word));
            }
            return widest;
        };
        // Room for a cell's margins, and in a title for the sort mark too.
        const int cellPadding = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) + 6;
        const int titlePadding = 3 * style()->pixelMetric(QStyle::PM_HeaderMargin) +
                                 style()->pixelMetric(QStyle::PM_HeaderMarkSize) + 4;
        for (int column = 0; column < model()->columnCount(); ++column) {
            int widest = widestWord(model()->headerData(column, Qt::Horizontal).toString(),
                                    horizontalHeader()->fontMetrics()) +
                         titlePadding;
            for (int row = 0; row < model()->rowCount(); ++row) {
                widest = std::max(widest, widestWord(model()->index(row, column).data().toString(),
                                                     fontMetrics()) +
                                              cellPadding);
            }
            narrowest.push_back(widest);
        }
        return narrowest;
    }
};

QStandardItem *cell(const QString &text, qint64 key, bool number)
{
    auto *item = new QStandardItem(text);
    item->setData(key, kSortRole);
    item->setEditable(false);
    if (number) {
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    return item;
}

} // namespace

SeaCardView::SeaCardView(QWidget *parent) : QWidget(parent), scroll_(new QScrollArea(this))
{
    setObjectName(QStringLiteral("SeaCard"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setFocusPolicy(Qt::NoFocus);
    auto *content = new QWidget;
    pages_ = new QVBoxLayout(content);
    pages_->setContentsMargins(0, 0, 0, 0);
    pages_->addStretch(1);
    scroll_->setWidget(content);
    // The card is a page of text, in the desktop's colours for text.
    content->setBackgroundRole(QPalette::Base);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    showNothing();
}

QSize SeaCardView::sizeHint() const
{
    // Room for an ocean's table of seas without a line of its own scrolling.
    return {fontMetrics().averageCharWidth() * 46, fontMetrics().lineSpacing() * 24};
}

QSize SeaCardView::minimumSizeHint() const
{
    return {fontMetrics().averageCharWidth() * 20, fontMetrics().lineSpacing() * 4};
}

void SeaCardView::replacePage(QWidget *page, QWidget *start, const QString &name)
{
    const QWidget *focused = QApplication::focusWidget();
    const bool hadKeyboard = focused != nullptr && isAncestorOf(focused);
    pages_->insertWidget(0, page);
    page->show();
    setFocusProxy(start);
    scroll_->setAccessibleName(name);
    if (hadKeyboard) {
        start->setFocus(Qt::OtherFocusReason);
    }
    if (page_ != nullptr) {
        page_->hide();
        pages_->removeWidget(page_);
        page_->deleteLater();
    }
    page_ = page;
    scroll_->verticalScrollBar()->setValue(0);
    scroll_->horizontalScrollBar()->setValue(0);
    // The caret in a text, and the current row of a table, stay in sight.
    for (QTextEdit *text : page->findChildren<QTextEdit *>()) {
        connect(text, &QTextEdit::cursorPositionChanged, page, [this, text] {
            const QRect caret = text->cursorRect();
            const QPoint at = text->viewport()->mapTo(scroll_->widget(), caret.center());
            scroll_->ensureVisible(at.x(), at.y(), 0, caret.height());
        });
    }
    for (QTableView *table : page->findChildren<QTableView *>()) {
        connect(table->selectionModel(), &QItemSelectionModel::currentChanged, page,
                [this, table](const QModelIndex &current) {
                    const QRect row = table->visualRect(current);
                    const QPoint at = table->viewport()->mapTo(scroll_->widget(), row.center());
                    scroll_->ensureVisible(at.x(), at.y(), 0, row.height());
                });
    }
}

void SeaCardView::showNothing()
{
    sea_ = -1;
    ocean_ = -1;
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *text =
        new CardText(paragraph(catalogue::emptyCardText()), QStringLiteral("Сведения"), page);
    layout->addWidget(text);
    replacePage(page, text, QStringLiteral("Сведения"));
}

void SeaCardView::showSea(int row)
{
    const catalogue::SeaCard card = catalogue::seaCard(row);
    sea_ = card.row;
    ocean_ = -1;
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);

    QString html = headingHtml(card.name) + paragraph(card.ocean);
    for (const catalogue::CardFigure &figure : card.figures) {
        html += figureHtml(figure);
    }
    html += QStringLiteral("<p><b>%1:</b> %2</p>")
                .arg(escaped(catalogue::coastsHeading()), escaped(catalogue::coastsText(card)));
    html += QStringLiteral("<p><b>%1:</b></p>").arg(escaped(catalogue::neighboursHeading()));
    auto *facts = new CardText(html, card.name, page);
    layout->addWidget(facts);

    for (const catalogue::CardLink &link : card.neighbours) {
        QPushButton *button = linkButton(link, page);
        connect(button, &QPushButton::clicked, this, [this, link] {
            if (link.sea >= 0) {
                emit seaPicked(link.sea);
            } else {
                emit oceanPicked(link.ocean);
            }
        });
        layout->addWidget(button);
    }

    const QString about = paragraph(card.sentences.join(u' ')) + paragraph(card.sources);
    layout->addWidget(new CardText(about, QStringLiteral("За морето"), page));
    replacePage(page, facts, QStringLiteral("Сведения за морето"));
}

void SeaCardView::showOcean(int ocean)
{
    const catalogue::OceanCard card = catalogue::oceanCard(ocean);
    sea_ = -1;
    ocean_ = card.ocean;
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);

    QString html = headingHtml(card.name);
    for (const catalogue::CardFigure &figure : card.figures) {
        html += figureHtml(figure);
    }
    html += paragraph(card.sentences.join(u' '));
    html += QStringLiteral("<h3>") + escaped(card.seasHeading) + QStringLiteral("</h3>") +
            paragraph(catalogue::oceanTableHint());
    auto *facts = new CardText(html, card.name, page);
    layout->addWidget(facts);

    auto *table = new SeaTable(page);
    auto *model = new QStandardItemModel(0, catalogue::kCardColumns, table);
    for (const auto column :
         {catalogue::CardColumn::Name, catalogue::CardColumn::Area, catalogue::CardColumn::Depth}) {
        auto *title = new QStandardItem(catalogue::cardColumnTitle(column));
        // A first click on a figure's title puts the largest first.
        title->setData(column == catalogue::CardColumn::Name ? Qt::AscendingOrder
                                                             : Qt::DescendingOrder,
                       Qt::InitialSortOrderRole);
        model->setHorizontalHeaderItem(static_cast<int>(column), title);
    }
    for (const catalogue::CardTableRow &sea : card.seas) {
        model->appendRow({cell(sea.name, sea.row, false), cell(sea.area, sea.areaKey, true),
                          cell(sea.depth, sea.depthKey, true)});
    }
    model->setSortRole(kSortRole);
    table->setModel(model);
    table->setAccessibleName(card.seasHeading);
    table->setSortingEnabled(true);
    table->fitHeight();
    table->sortByColumn(0, Qt::AscendingOrder);
    table->onPick = [this](int row) { emit seaPicked(row); };
    connect(table, &QTableView::clicked, table,
            [table](const QModelIndex &index) { table->pick(index); });

    // The order for the keyboard, as the header's clicks give it.
    auto *order = new QComboBox(page);
    order->setObjectName(QStringLiteral("CardSortOrder"));
    order->addItems(
        {QStringLiteral("име"), QStringLiteral("площ"), QStringLiteral("най-голяма дълбочина")});
    // Narrower than its longest item where the card is narrow; its list shows them whole.
    order->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    order->setMinimumContentsLength(6);
    order->setMinimumHeight(kTargetHeight);
    auto *orderLabel = new QLabel(QStringLiteral("&Подреди по:"), page);
    orderLabel->setBuddy(order);
    order->setAccessibleName(QStringLiteral("Подреди по"));
    connect(order, &QComboBox::currentIndexChanged, table, [table](int column) {
        table->sortByColumn(column, column == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
    });
    connect(table->horizontalHeader(), &QHeaderView::sortIndicatorChanged, order,
            [order](int column) {
                const QSignalBlocker quiet(order);
                order->setCurrentIndex(column);
            });
    auto *orderRow = new QHBoxLayout;
    orderRow->addWidget(orderLabel);
    orderRow->addWidget(order, 1);
    layout->addLayout(orderRow);
    layout->addWidget(table);
    layout->addWidget(new CardText(paragraph(card.sources), QStringLiteral("Източници"), page));
    replacePage(page, facts, QStringLiteral("Сведения за океана"));
}

} // namespace pelagor
