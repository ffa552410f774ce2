#include "schedule_model.h"

#include <algorithm>
#include <limits>

#include "qt_text.h"
#include "same_camera.h"

namespace {

bool SameIds(const std::vector<Camera>& a, const std::vector<Camera>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const Camera& x, const Camera& y) { return x.id == y.id; });
}

bool IsTextColumn(ScheduleColumn column) {
    return column == ScheduleColumn::Name || column == ScheduleColumn::Lens;
}

}  // namespace

ScheduleModel::ScheduleModel(const NumberFormat& format, QObject* parent)
    : QAbstractTableModel(parent), m_format(format) {}

void ScheduleModel::SetDesign(const Design& design) {
    if (!SameIds(m_cameras, design.cameras)) {
        beginResetModel();
        m_unit = design.unit;
        m_cameras = design.cameras;
        m_rows = ScheduleOf(design, m_format);
        endResetModel();
        return;
    }
    if (design.unit != m_unit) {
        m_unit = design.unit;
        m_cameras = design.cameras;
        m_rows = ScheduleOf(design, m_format);
        if (!m_rows.empty())
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        return;
    }
    for (std::size_t row = 0; row < m_cameras.size(); ++row) {
        if (SameShownCamera(m_cameras[row], design.cameras[row]))
            continue;
        m_cameras[row] = design.cameras[row];
        RecomputeRow(row);
    }
}

void ScheduleModel::RecomputeRow(std::size_t row) {
    m_rows[row] = ScheduleRowOf(m_cameras[row], m_unit, m_format);
    const int at = static_cast<int>(row);
    emit dataChanged(index(at, 0), index(at, columnCount() - 1));
}

int ScheduleModel::RowOf(const std::string& id) const {
    const auto found = std::find_if(m_rows.begin(), m_rows.end(),
                                    [&](const ScheduleRow& row) { return row.id == id; });
    return found == m_rows.end() ? -1 : static_cast<int>(found - m_rows.begin());
}

int ScheduleModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ScheduleModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kScheduleColumns);
}

QVariant ScheduleModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ScheduleRow& row = m_rows[static_cast<std::size_t>(index.row())];
    const auto column = static_cast<ScheduleColumn>(index.column());
    const ScheduleCell& cell = row[column];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return ToQString(cell.text);
        case SortRole:
            if (cell.number)
                return *cell.number;
            if (IsTextColumn(column))
                return ToQString(cell.text);
            return -std::numeric_limits<double>::infinity();
        case CameraIdRole:
            return QString::fromStdString(row.id);
        // A screen reader names an empty cell for what it means.
        case Qt::AccessibleTextRole:
            if (!cell.text.empty())
                return ToQString(cell.text);
            if (column == ScheduleColumn::Lens)
                return QStringLiteral("No lens chosen");
            if (column == ScheduleColumn::MountingHeight)
                return QStringLiteral("Not mounted");
            return QStringLiteral("Unnamed camera");
        case Qt::ToolTipRole:
            if (column != ScheduleColumn::Met)
                return {};
            return QStringLiteral("Level reached: %1; required: %2")
                .arg(ToQString(row[ScheduleColumn::LevelReached].text),
                     ToQString(row[ScheduleColumn::LevelRequired].text));
        default:
            return {};
    }
}

QVariant ScheduleModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= static_cast<int>(kScheduleColumns))
        return {};
    return ToQString(ScheduleCaption(static_cast<ScheduleColumn>(section)));
}

Qt::ItemFlags ScheduleModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    if (static_cast<ScheduleColumn>(index.column()) == ScheduleColumn::Name)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool ScheduleModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) ||
        static_cast<ScheduleColumn>(index.column()) != ScheduleColumn::Name)
        return false;
    const ScheduleRow& row = m_rows[static_cast<std::size_t>(index.row())];
    const QString name = value.toString();
    if (name == ToQString(row[ScheduleColumn::Name].text))
        return false;
    emit renameRequested(row.id, name);
    return true;
}
