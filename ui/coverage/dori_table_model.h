#pragma once

#include <QAbstractTableModel>
#include <array>
#include <optional>

#include "coverage.h"

// The DORI table of a Coverage: one row for each level of kDoriLevels, lowest first, and the
// columns Level, Density, Farthest distance (headed by the kind of distance it is), Focal length
// needed, Pixels across needed and Ground range at this tilt (empty without mounting).
// Qt::DisplayRole gives the texts, a focal length that no lens of the catalogue has marked with a
// dagger; Qt::FontRole bold for the row of the level shown and no value for the others (none is
// bold below Monitor, for a target out of view or when the level is unknown); Qt::ToolTipRole what
// the row's level means and whether it is reached at the target, and on a marked focal length why;
// Qt::TextAlignmentRole left for the names, right for the figures.
class DoriTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    static constexpr int kFarthestColumn = 2;
    static constexpr int kGroundRangeColumn = 5;

    explicit DoriTableModel(QObject* parent = nullptr);

    // Shows the table of `coverage`; dataChanged is emitted only for the cells whose text, and
    // the rows whose emphasis or tooltip, change. True when any did.
    // `farthestKind` heads the farthest column (headerDataChanged when it changes).
    bool SetCoverage(const Coverage& coverage,
                     DistanceKind farthestKind = DistanceKind::ToTheTarget);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    static const std::u16string& Cell(const DoriRowTexts& row, int column);
    bool IsLevel(int row) const;
    bool Reached(int row) const;

    std::array<DoriRowTexts, kDoriLevels.size()> m_texts;
    std::optional<int> m_level;  // an index into kDoriLevels, kBelowMonitor, or unknown
    // Beside each level's focal length needed: why no lens of the catalogue has it, or empty.
    std::array<std::u16string, kDoriLevels.size()> m_focalNotes;
    DistanceKind m_farthestKind = DistanceKind::ToTheTarget;
};
