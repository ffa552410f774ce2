#include "lens_list_model.h"

#include <algorithm>

#include "qt_text.h"

namespace {

constexpr int kColumns = LensListModel::kColumnCount;
constexpr const char* kHeadings[kColumns] = {"Model #", "Description", "Kind",    "Iris",
                                             "MP",      "Set to",      "Density", "Scene width"};

// The columns from the rating on are figures, aligned right.
constexpr int kFirstFigure = LensListModel::kMegapixelsColumn;

}  // namespace

LensListModel::LensListModel(QObject* parent) : QAbstractTableModel(parent) {}

int LensListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int LensListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

const LensSuggestion& LensListModel::Lens(int row) const {
    return m_rows[static_cast<std::size_t>(row)].lens;
}

const std::u16string& LensListModel::Text(const LensListRow& row, int column) {
    const std::u16string LensListRow::*texts[kColumns] = {
        &LensListRow::modelNumber, &LensListRow::description, &LensListRow::kind,
        &LensListRow::iris,        &LensListRow::megapixels,  &LensListRow::focalLength,
        &LensListRow::density,     &LensListRow::sceneWidth};
    return row.*texts[column];
}

QVariant LensListModel::SortValue(const LensListRow& row, int column) {
    const LensSuggestion& lens = row.lens;
    switch (column) {
        case kKindColumn:
            return static_cast<int>(lens.kind);
        case kMegapixelsColumn:
            return lens.megapixels ? QVariant(*lens.megapixels) : QVariant();
        case kFocalLengthColumn:
            return lens.focalMm;
        case kDensityColumn:
            return lens.densityPxPerM;
        case kSceneWidthColumn:
            return lens.sceneWidthM;
        default:
            return ToQString(Text(row, column));
    }
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
            // A figure can move without its rounded text changing; the sort must still see it.
            if (Text(shown, column) != Text(now, column) ||
                SortValue(shown, column) != SortValue(now, column)) {
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
    const LensListRow& row = m_rows[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            return ToQString(Text(row, index.column()));
        case Qt::AccessibleTextRole:
            // A lens the catalogue gives no rating has an empty cell, which a screen reader
            // names too.
            if (index.column() == kMegapixelsColumn && row.megapixels.empty())
                return QStringLiteral("no rating");
            return {};
        case kSortRole:
            return SortValue(row, index.column());
        case Qt::ToolTipRole:
            return index.column() == kDescriptionColumn ? ToQString(row.description) : QVariant();
        case Qt::TextAlignmentRole:
            return static_cast<int>(
                (index.column() >= kFirstFigure ? Qt::AlignRight : Qt::AlignLeft) |
                Qt::AlignVCenter);
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
