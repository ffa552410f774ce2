#include "cameras_panel.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "qt_text.h"
#include "schedule_model.h"

CamerasPanel::CamerasPanel(const NumberFormat& format, QWidget* parent) : QWidget(parent) {
    m_model = new ScheduleModel(format, this);
    m_sorted = new QSortFilterProxyModel(this);
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(ScheduleModel::SortRole);
    m_sorted->setSortCaseSensitivity(Qt::CaseInsensitive);

    m_name = new QLineEdit;
    m_name->setObjectName(QStringLiteral("designName"));
    m_name->setAccessibleName(QStringLiteral("Design name"));
    m_name->setPlaceholderText(QStringLiteral("Untitled design"));
    m_name->setToolTip(QStringLiteral("The design's name, on the report's cover and in the title"));
    m_notes = new QPlainTextEdit;
    m_notes->setObjectName(QStringLiteral("designNotes"));
    m_notes->setAccessibleName(QStringLiteral("Notes"));
    m_notes->setPlaceholderText(QStringLiteral("Client, site, designer"));
    m_notes->setToolTip(QStringLiteral("Free text for the report's cover: client, site, designer"));
    m_notes->setTabChangesFocus(true);
    m_notes->setFixedHeight(m_name->sizeHint().height() * 2);

    m_table = new QTableView;
    m_table->setObjectName(QStringLiteral("cameras"));
    m_table->setAccessibleName(QStringLiteral("Cameras"));
    m_table->setToolTip(
        QStringLiteral("The design's cameras; the one selected is shown below. Double-click a "
                       "name to rename the camera"));
    m_table->setModel(m_sorted);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::SelectedClicked);
    m_table->setTabKeyNavigation(false);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setSectionsClickable(true);
    m_table->horizontalHeader()->setSortIndicatorShown(false);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setHighlightSections(false);
    // Columns fitted to the first rows only: a design of a thousand cameras opens at once.
    m_table->horizontalHeader()->setResizeContentsPrecision(50);
    m_table->setMinimumHeight(TableHeightForRows(3));

    auto* top = new QHBoxLayout;
    auto* nameForm = new QFormLayout;
    auto* nameCaption = new QLabel(QStringLiteral("Design name:"));
    nameCaption->setBuddy(m_name);
    nameForm->addRow(nameCaption, m_name);
    top->addLayout(nameForm, 2);
    auto* notesCaption = new QLabel(QStringLiteral("Notes:"));
    notesCaption->setBuddy(m_notes);
    top->addWidget(notesCaption, 0, Qt::AlignTop);
    top->addWidget(m_notes, 3);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(top);
    column->addWidget(m_table, 1);
    m_targetsMet = new QLabel;
    m_targetsMet->setObjectName(QStringLiteral("scheduleTargetsMet"));
    m_targetsMet->hide();
    column->addWidget(m_targetsMet);

    m_name->installEventFilter(this);
    m_notes->installEventFilter(this);
    connect(m_name, &QLineEdit::textEdited, this, &CamerasPanel::nameEdited);
    connect(m_notes, &QPlainTextEdit::textChanged, this, &CamerasPanel::designNotes_TextChanged);
    connect(m_model, &ScheduleModel::renameRequested, this,
            [this](const std::string& id, const QString& name) { emit renameRequested(id, name); });
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &CamerasPanel::table_CurrentChanged);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CamerasPanel::selectionChanged);
    connect(m_table->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &CamerasPanel::header_SectionClicked);
}

void CamerasPanel::SetDesign(const Design& design) {
    m_showing = true;
    const std::vector<std::string> selected = SelectedIds();
    const std::string current = m_current;
    const int rowsBefore = m_model->rowCount();
    const int rowBefore = m_table->currentIndex().isValid() ? m_table->currentIndex().row() : 0;
    const QString name = ToQString(design.name), notes = ToQString(design.notes);
    if (m_name->text() != name)
        m_name->setText(name);
    if (m_notes->toPlainText() != notes)
        m_notes->setPlainText(notes);
    m_model->SetDesign(design);
    if (rowsBefore == 0)
        FitColumns();

    // Rows reset: select again what was selected, or the row nearest the current one's place.
    QItemSelection again;
    for (const std::string& id : selected) {
        const int row = m_model->RowOf(id);
        if (row >= 0)
            again.select(m_sorted->mapFromSource(m_model->index(row, 0)),
                         m_sorted->mapFromSource(m_model->index(row, 0)));
    }
    int currentRow = m_model->RowOf(current);
    if (currentRow < 0 && m_model->rowCount() > 0) {
        currentRow = std::clamp(rowBefore, 0, m_model->rowCount() - 1);
        currentRow = m_sorted->mapToSource(m_sorted->index(currentRow, 0)).row();
    }
    auto* selection = m_table->selectionModel();
    if (currentRow >= 0) {
        const QModelIndex index = m_sorted->mapFromSource(m_model->index(currentRow, 0));
        selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        if (again.isEmpty())
            again.select(index, index);
    }
    selection->select(again, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_showing = false;
    table_CurrentChanged();
}

std::string CamerasPanel::IdAt(int proxyRow) const {
    return m_sorted->index(proxyRow, 0).data(ScheduleModel::CameraIdRole).toString().toStdString();
}

std::string CamerasPanel::CurrentId() const {
    const QModelIndex current = m_table->currentIndex();
    return current.isValid() ? IdAt(current.row()) : std::string();
}

std::vector<std::string> CamerasPanel::SelectedIds() const {
    std::vector<std::pair<int, std::string>> rows;
    for (const QModelIndex& index : m_table->selectionModel()->selectedRows()) {
        const int row = m_sorted->mapToSource(index).row();
        rows.emplace_back(row, IdAt(index.row()));
    }
    std::sort(rows.begin(), rows.end());
    std::vector<std::string> ids;
    for (auto& [row, id] : rows)
        ids.push_back(std::move(id));
    if (ids.empty() && !CurrentId().empty())
        ids.push_back(CurrentId());
    return ids;
}

void CamerasPanel::Select(const std::string& id) {
    const int row = m_model->RowOf(id);
    if (row < 0)
        return;
    const QModelIndex index = m_sorted->mapFromSource(m_model->index(row, 0));
    m_table->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_table->scrollTo(index);
}

void CamerasPanel::SetTargetsMet(const QString& text) {
    m_targetsMet->setText(text);
    m_targetsMet->setVisible(!text.isEmpty());
}

int CamerasPanel::TableHeightForRows(int rows) const {
    return m_table->horizontalHeader()->sizeHint().height() +
           rows * m_table->verticalHeader()->defaultSectionSize() +
           m_table->horizontalScrollBar()->sizeHint().height() + 2 * m_table->frameWidth();
}

int CamerasPanel::HeightForRows(int rows) const {
    return sizeHint().height() - m_table->sizeHint().height() + TableHeightForRows(rows);
}

void CamerasPanel::FitColumns() {
    m_table->resizeColumnsToContents();
}

void CamerasPanel::ShowDesignOrder() {
    m_sortColumn = -1;
    m_sorted->sort(-1);
    m_table->horizontalHeader()->setSortIndicatorShown(false);
}

std::vector<QWidget*> CamerasPanel::TabOrder() const {
    return {m_name, m_notes, m_table};
}

void CamerasPanel::table_CurrentChanged() {
    if (m_showing)
        return;
    const std::string id = CurrentId();
    if (id == m_current)
        return;
    m_current = id;
    emit currentCameraChanged(id);
}

void CamerasPanel::designNotes_TextChanged() {
    if (!m_showing)
        emit notesEdited(m_notes->toPlainText());
}

// Ascending, descending, then the design's own order again.
void CamerasPanel::header_SectionClicked(int column) {
    auto* header = m_table->horizontalHeader();
    if (column != m_sortColumn) {
        m_sortColumn = column;
        m_sortOrder = Qt::AscendingOrder;
    } else if (m_sortOrder == Qt::AscendingOrder) {
        m_sortOrder = Qt::DescendingOrder;
    } else {
        ShowDesignOrder();
        return;
    }
    m_sorted->sort(column, m_sortOrder);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, m_sortOrder);
    if (const QModelIndex current = m_table->currentIndex(); current.isValid())
        m_table->scrollTo(current);
}

bool CamerasPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && (watched == m_name || watched == m_notes))
        emit typingEnded();
    return QWidget::eventFilter(watched, event);
}
