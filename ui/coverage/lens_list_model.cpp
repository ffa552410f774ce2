#include "lens_list_model.h"

#include "qt_text.h"

namespace {

constexpr int kColumns = 5;
constexpr int kFirstFigure = 2;
constexpr const char* kHeadings[kColumns] = {"Model #", "Description", "Set to", "Density",
                                             "Scene width"};

}  // namespace

LensListModel::LensListModel(const NumberFormat& format, QObject* parent)
    : QAbstractTableModel(parent), m_format(format) {}

int LensListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int LensListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

const std::u16string& LensListModel::Cell(const LensListRow& row, int column) {
    const std::u16string LensListRow::*cells[kColumns] = {
        &LensListRow::modelNumber, &LensListRow::description, &LensListRow::focalLength,
        &LensListRow::density, &LensListRow::sceneWidth};
    return row.*cells[column];
}

bool LensListModel::SameLenses(const std::vector<LensListRow>& rows) const {
    if (rows.size() != m_rows.size())
        return false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].modelNumber != m_rows[i].modelNumber)
            return false;
    }
    return true;
}

void LensListModel::SetRows(std::vector<LensListRow> rows) {
    if (!SameLenses(rows)) {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
        return;
    }
    for (int row = 0; row < rowCount(); ++row) {
        LensListRow& shown = m_rows[static_cast<std::size_t>(row)];
        const LensListRow& now = rows[static_cast<std::size_t>(row)];
        int first = kColumns, last = -1;
        for (int column = 0; column < kColumns; ++column) {
            if (Cell(shown, column) != Cell(now, column)) {
                first = std::min(first, column);
                last = column;
            }
        }
        if (last >= 0) {
            shown = now;
            emit dataChanged(index(row, first), index(row, last), {Qt::DisplayRole, kSortRole});
        }
    }
}

QVariant LensListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const std::u16string& text =
        Cell(m_rows[static_cast<std::size_t>(index.row())], index.column());
    const bool figure = index.column() >= kFirstFigure;
    switch (role) {
        case Qt::DisplayRole:
            return ToQString(text);
        case kSortRole: {
            if (!figure)
                return ToQString(text);
            // The figure is the text's first word: "6.00" of "6.00 mm".
            const auto number = ParseNumber(text.substr(0, text.find(u' ')), m_format);
            return number ? QVariant(*number) : QVariant();
        }
        case Qt::ToolTipRole:
            return index.column() == kDescriptionColumn ? ToQString(text) : QVariant();
        case Qt::TextAlignmentRole:
            return static_cast<int>((figure ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant LensListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < kColumns)
        return QString::fromLatin1(kHeadings[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}
