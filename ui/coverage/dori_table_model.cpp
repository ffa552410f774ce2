#include "dori_table_model.h"

#include <QFont>

#include "lens_list.h"
#include "qt_text.h"

namespace {

constexpr int kColumns = 6;
constexpr int kFocalColumn = 3;
// The farthest column's heading comes from the kind of distance.
constexpr const char* kHeadings[kColumns] = {"Level",
                                             "Density",
                                             "",
                                             "Focal length needed",
                                             "Pixels across needed",
                                             "Ground range at this tilt"};
// After a focal length that no lens of the catalogue has.
constexpr char16_t kNoSuchLens[] = u" \u2020";

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

bool DoriTableModel::SetCoverage(const Coverage& coverage, DistanceKind farthestKind) {
    const auto emphasis = [this](int row) { return std::pair(IsLevel(row), Reached(row)); };
    std::array<std::pair<bool, bool>, kDoriLevels.size()> was;
    for (int row = 0; row < rowCount(); ++row)
        was[static_cast<std::size_t>(row)] = emphasis(row);
    m_level = LevelShown(coverage.figures);

    bool changed = false;
    if (m_farthestKind != farthestKind) {
        m_farthestKind = farthestKind;
        emit headerDataChanged(Qt::Horizontal, DoriTableModel::kFarthestColumn,
                               DoriTableModel::kFarthestColumn);
        changed = true;
    }
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
        std::u16string note =
            FocalLengthNeededNote(coverage.figures, static_cast<std::size_t>(row));
        if (note != m_focalNotes[static_cast<std::size_t>(row)]) {
            m_focalNotes[static_cast<std::size_t>(row)] = std::move(note);
            first = std::min(first, kFocalColumn);
            last = std::max(last, kFocalColumn);
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
        case Qt::DisplayRole: {
            QString text = ToQString(Cell(m_texts[static_cast<std::size_t>(row)], index.column()));
            if (index.column() == kFocalColumn &&
                !m_focalNotes[static_cast<std::size_t>(row)].empty())
                text += ToQString(kNoSuchLens);
            return text;
        }
        case Qt::FontRole:
            if (IsLevel(row)) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        case Qt::ToolTipRole: {
            const std::u16string& note = m_focalNotes[static_cast<std::size_t>(row)];
            if (index.column() == kFocalColumn && !note.empty())
                return QStringLiteral("No lens of the catalogue has this focal length: it is ") +
                       ToQString(note);
            return ToQString(LevelMeaning(row)) + QStringLiteral(". ") +
                   (Reached(row) ? QStringLiteral("Reached at the target")
                                 : QStringLiteral("Not reached at the target"));
        }
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
        return section == DoriTableModel::kFarthestColumn
                   ? ToQString(FarthestCaption(m_farthestKind))
                   : QString::fromLatin1(kHeadings[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}
