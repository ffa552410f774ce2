#include "search_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

#include "focus_keeper.h"
#include "layout.h"

Search::Search(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Search"));
    setWindowTitle(QStringLiteral("Search Results"));
    setFont(DialogFont());

    Command1 =
        Place(new QPushButton(QStringLiteral("Close"), this), "Command1", {2505, 4680, 1815, 615});
    lenses = Place(new QListWidget(this), "lenses", {105, 360, 1695, 4155});
    descriptions = Place(new QListWidget(this), "descriptions", {1800, 360, 4815, 4155});
    Place(new QLabel(QStringLiteral("Model #"), this), "Label1", {600, 120, 735, 255});
    Place(new QLabel(QStringLiteral("Description"), this), "Label2", {3720, 120, 975, 255});
    lenses->setAccessibleName(QStringLiteral("Model #"));
    descriptions->setAccessibleName(QStringLiteral("Description"));
    setTabOrder(Command1, lenses);
    setTabOrder(lenses, descriptions);

    for (QListWidget* list : {lenses, descriptions}) {
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->viewport()->installEventFilter(this);
    }
    // The selection, not the current row, is mirrored: a list that gets the focus makes a row
    // current without selecting it, and Ctrl+Space or Ctrl+click clears the selection but not
    // the current row.
    connect(lenses, &QListWidget::itemSelectionChanged, this, &Search::lenses_Click);
    connect(descriptions, &QListWidget::itemSelectionChanged, this, &Search::descriptions_Click);
    connect(Command1, &QPushButton::clicked, this, &Search::Command1_Click);

    new FocusKeeper(this);
    resize(Pixels(6825), Pixels(5445));
    CentreOnScreen(this);
}

void Search::Clear() {
    lenses->clear();
    descriptions->clear();
}

void Search::Populate_List(const SearchOptions& options) {
    for (const LensListing& lens : SelectLenses(options)) {
        lenses->addItem(QString::fromStdString(lens.modelNumber));
        descriptions->addItem(QString::fromStdString(lens.description));
    }
    if (lenses->count() == 0)
        descriptions->addItem(QString::fromLatin1(kNoMatchingLenses));
}

namespace {

// The row shown selected, or -1 when none is.
int ListIndex(const QListWidget* list) {
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

// Selects `row` (and makes it current), or clears the selection for -1. A list that already
// shows that selection is left alone and raises no change, so the mirror never loops.
void SetListIndex(QListWidget* list, int row) {
    if (ListIndex(list) == row)
        return;
    if (row < 0)
        list->selectionModel()->clear();
    else
        list->setCurrentRow(row);
}

}  // namespace

// After a search without result the lone description has no model number beside it; selecting
// it leaves the model-number list without a selection.
void Search::lenses_Click() {
    SetListIndex(descriptions, ListIndex(lenses));
}

void Search::descriptions_Click() {
    const int row = ListIndex(descriptions);
    SetListIndex(lenses, row < lenses->count() ? row : -1);
}

// Only the left button selects a row; any press re-applies the pressed list's selection to the
// other list.
bool Search::eventFilter(QObject* watched, QEvent* event) {
    const bool press =
        event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    if (!press || (watched != lenses->viewport() && watched != descriptions->viewport()))
        return QWidget::eventFilter(watched, event);
    if (watched == lenses->viewport())
        lenses_MouseDown();
    else
        descriptions_MouseDown();
    return static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton;
}

void Search::closeEvent(QCloseEvent* event) {
    event->ignore();
    Command1_Click();
}
