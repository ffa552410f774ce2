#include "lens_list_page.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "lens_filter_bar.h"
#include "lens_list_model.h"
#include "qt_text.h"

namespace {

// The characters of a lens's description the list shows before it cuts it short.
constexpr int kDescriptionShown = 26;

}  // namespace

LensListPage::LensListPage(QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, column->spacing(), 0, 0);
    m_heading = new QLabel;
    m_heading->setWordWrap(true);
    column->addWidget(m_heading);
    m_filters = new LensFilterBar;
    connect(m_filters, &LensFilterBar::filterChanged, this, &LensListPage::filterChanged);
    column->addWidget(m_filters);

    m_model = new LensListModel(this);
    m_sorted = new QSortFilterProxyModel(this);
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(LensListModel::kSortRole);
    m_view = new QTreeView;
    m_view->setModel(m_sorted);
    m_view->setObjectName(QStringLiteral("lensSuggestions"));
    m_view->setAccessibleName(QStringLiteral("Lenses that reach the level"));
    m_view->setToolTip(QStringLiteral(
        "The catalogue's lenses with which this camera reaches the level required at the target: "
        "fixed, varifocal, then zoom lenses, each the widest view first; click a heading to sort "
        "by it, double-click a lens or press Enter to use it"));
    for (QScrollBar* bar : {m_view->verticalScrollBar(), m_view->horizontalScrollBar()})
        bar->setAccessibleName(m_view->accessibleName() +
                               (bar->orientation() == Qt::Vertical
                                    ? QStringLiteral(", vertical scroll bar")
                                    : QStringLiteral(", horizontal scroll bar")));
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setAlternatingRowColors(true);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->header()->setSortIndicator(-1, Qt::AscendingOrder);
    m_view->header()->setSortIndicatorClearable(true);
    m_view->setSortingEnabled(true);
    // Sized to the first list, not to every list: measuring 137 rows at each keystroke would
    // cost more than computing them.
    m_view->header()->setSectionResizeMode(QHeaderView::Interactive);
    connect(m_view, &QAbstractItemView::activated, this, &LensListPage::lensSuggestions_Activated);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &LensListPage::lensSuggestions_SelectionChanged);
    column->addWidget(m_view, 1);
    column->addWidget(BuildFooter());
    lensSuggestions_SelectionChanged();
}

// Under the list: how many are listed or why none is, and the button that uses the lens chosen.
QWidget* LensListPage::BuildFooter() {
    auto* footer = new QWidget;
    auto* row = new QHBoxLayout(footer);
    row->setContentsMargins(0, 0, 0, 0);
    m_count = new QLabel;
    m_count->setObjectName(QStringLiteral("lensCount"));
    m_count->setToolTip(
        QStringLiteral("How many lenses are listed of those that reach the level required"));
    m_count->hide();
    row->addWidget(m_count);
    m_note = new QLabel;
    m_note->setObjectName(QStringLiteral("lensNote"));
    m_note->setWordWrap(true);
    m_note->hide();
    row->addWidget(m_note, 1);
    row->addStretch();
    m_useLens = new QPushButton(QStringLiteral("Use this lens"));
    m_useLens->setObjectName(QStringLiteral("useLens"));
    m_useLens->setToolTip(
        QStringLiteral("Use the lens chosen in the list, set to the focal length it shows"));
    m_useLens->setAutoDefault(false);
    connect(m_useLens, &QPushButton::clicked, this, &LensListPage::useLens_Click);
    row->addWidget(m_useLens, 0, Qt::AlignTop);
    return footer;
}

void LensListPage::Show(LensList list, int level) {
    m_heading->setText(
        QStringLiteral("Lenses of the catalogue with which this camera reaches %1 at the target:")
            .arg(ToQString(LevelName(level))));
    m_model->SetRows(std::move(list.rows));
    if (!m_columnsSized && m_model->rowCount() > 0)
        SizeColumns();
    m_count->setText(ToQString(list.count));
    m_count->setVisible(!list.count.empty());
    m_note->setText(ToQString(list.note));
    m_note->setVisible(!list.note.empty());
    // Another list of lenses loses the selection without saying so.
    lensSuggestions_SelectionChanged();
}

void LensListPage::SizeColumns() {
    for (int column = 0; column < m_model->columnCount(); ++column)
        m_view->resizeColumnToContents(column);
    // A long description is cut short (whole in its tooltip), so that the figures show.
    const int description = LensListModel::kDescriptionColumn;
    m_view->setColumnWidth(description,
                           std::min(m_view->columnWidth(description),
                                    m_view->fontMetrics().averageCharWidth() * kDescriptionShown));
    m_columnsSized = true;
}

LensFilter LensListPage::Filter() const {
    return m_filters->Filter();
}

std::vector<QWidget*> LensListPage::TabOrder() const {
    std::vector<QWidget*> order = m_filters->TabOrder();
    order.insert(order.end(), {m_view, m_useLens});
    return order;
}

void LensListPage::useLens_Click() {
    const QModelIndexList chosen = m_view->selectionModel()->selectedRows();
    if (!chosen.isEmpty())
        lensSuggestions_Activated(chosen.front());
}

void LensListPage::lensSuggestions_Activated(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const LensSuggestion& lens = m_model->Lens(m_sorted->mapToSource(index).row());
    emit lensChosen(QString::fromStdString(lens.modelNumber), lens.focalMm);
}

void LensListPage::lensSuggestions_SelectionChanged() {
    m_useLens->setEnabled(m_view->selectionModel()->hasSelection());
}
