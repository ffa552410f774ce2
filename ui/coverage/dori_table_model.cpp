#include "dori_table_model.h"

#include <QFont>

#include "qt_text.h"

namespace {

constexpr int kColumns = 6;
constexpr const char* kHeadings[kColumns] = {"Level",
                                             "Density",
                                             "Farthest distance",
                                             "Focal length needed",
                                             "Pixels across needed",
                                             "Range on the ground"};

}  // namespace

DoriTableModel::DoriTableModel(QObject* parent) : QAbstractTableModel(parent) {}

int DoriTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kDoriLevels.size());
}

int DoriTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

const std::u16string& DoriTableModel::Cell(const DoriRowTexts& row, int column) {
    const std::u16string DoriRowTexts::*cells[kColumns] = {
        &DoriRowTexts::level,        &DoriRowTexts::density,
        &DoriRowTexts::farthest,     &DoriRowTexts::focalLengthNeeded,
        &DoriRowTexts::pixelsNeeded, &DoriRowTexts::groundRange};
    return row.*cells[column];
}

bool DoriTableModel::IsLevel(int row) const {
    return m_level && *m_level == row;
}

bool DoriTableModel::Reached(int row) const {
    return m_level && *m_level >= row;
}

bool DoriTableModel::SetCoverage(const Coverage& coverage) {
    const auto emphasis = [this](int row) { return std::pair(IsLevel(row), Reached(row)); };
    std::array<std::pair<bool, bool>, kDoriLevels.size()> was;
    for (int row = 0; row < rowCount(); ++row)
        was[static_cast<std::size_t>(row)] = emphasis(row);
    m_level = coverage.figures.level;

    bool changed = false;
    for (int row = 0; row < rowCount(); ++row) {
        DoriRowTexts& shown = m_texts[static_cast<std::size_t>(row)];
        const DoriRowTexts& now = coverage.texts.doriTable[static_cast<std::size_t>(row)];
        int first = kColumns, last = -1;
        for (int column = 0; column < kColumns; ++column) {
            if (Cell(shown, column) != Cell(now, column)) {
                first = std::min(first, column);
                last = column;
            }
        }
        if (last >= 0) {
            shown = now;
            emit dataChanged(index(row, first), index(row, last), {Qt::DisplayRole});
            changed = true;
        }
        if (was[static_cast<std::size_t>(row)] != emphasis(row)) {
            emit dataChanged(index(row, 0), index(row, kColumns - 1),
                             {Qt::FontRole, Qt::ToolTipRole});
            changed = true;
        }
    }
    return changed;
}

QVariant DoriTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int row = index.row();
    switch (role) {
        case Qt::DisplayRole:
            return ToQString(Cell(m_texts[static_cast<std::size_t>(row)], index.column()));
        case Qt::FontRole:
            if (IsLevel(row)) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        case Qt::ToolTipRole:
            return Reached(row) ? QStringLiteral("Reached at the target")
                                : QStringLiteral("Not reached at the target");
        case Qt::TextAlignmentRole:
            return static_cast<int>((index.column() == 0 ? Qt::AlignLeft : Qt::AlignRight) |
                                    Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant DoriTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < kColumns)
        return QString::fromLatin1(kHeadings[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}
