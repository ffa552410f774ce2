#include "lens_list_page.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "lens_list_model.h"
#include "qt_text.h"

namespace {

// The characters of a lens's description the list shows before it cuts it short.
constexpr int kDescriptionShown = 26;

}  // namespace

LensListPage::LensListPage(const NumberFormat& format, QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, column->spacing(), 0, 0);
    m_heading = new QLabel;
    m_heading->setWordWrap(true);
    column->addWidget(m_heading);

    m_model = new LensListModel(format, this);
    auto* sorted = new QSortFilterProxyModel(this);
    sorted->setSourceModel(m_model);
    sorted->setSortRole(LensListModel::kSortRole);
    m_view = new QTreeView;
    m_view->setModel(sorted);
    m_view->setObjectName(QStringLiteral("lensSuggestions"));
    m_view->setAccessibleName(QStringLiteral("Lenses that reach the level"));
    m_view->setToolTip(
        QStringLiteral("The catalogue's lenses with which this camera reaches the level required "
                       "at the target, the widest view first; click a heading to sort by it"));
    for (QScrollBar* bar : {m_view->verticalScrollBar(), m_view->horizontalScrollBar()})
        bar->setAccessibleName(m_view->accessibleName() +
                               (bar->orientation() == Qt::Vertical
                                    ? QStringLiteral(", vertical scroll bar")
                                    : QStringLiteral(", horizontal scroll bar")));
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setAlternatingRowColors(true);
    m_view->header()->setSortIndicator(-1, Qt::AscendingOrder);
    m_view->header()->setSortIndicatorClearable(true);
    m_view->setSortingEnabled(true);
    // Sized to the first list, not to every list: measuring 137 rows at each keystroke would
    // cost more than computing them.
    m_view->header()->setSectionResizeMode(QHeaderView::Interactive);
    column->addWidget(m_view, 1);
    m_note = new QLabel;
    m_note->setObjectName(QStringLiteral("lensNote"));
    m_note->setWordWrap(true);
    column->addWidget(m_note);
}

void LensListPage::Show(LensList list, int level) {
    m_heading->setText(
        QStringLiteral("Lenses of the catalogue with which this camera reaches %1 at the target:")
            .arg(ToQString(LevelName(level))));
    m_model->SetRows(std::move(list.rows));
    if (!m_columnsSized && m_model->rowCount() > 0) {
        for (int column = 0; column < m_model->columnCount(); ++column)
            m_view->resizeColumnToContents(column);
        // A long description is cut short (whole in its tooltip), so that the figures show.
        const int description = LensListModel::kDescriptionColumn;
        m_view->setColumnWidth(
            description, std::min(m_view->columnWidth(description),
                                  m_view->fontMetrics().averageCharWidth() * kDescriptionShown));
        m_columnsSized = true;
    }
    m_note->setText(ToQString(list.note));
    m_note->setVisible(!list.note.empty());
}
