#pragma once

#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "design.h"
#include "length_unit.h"
#include "number_text.h"
#include "schedule.h"

// The camera schedule of a design as a table (ScheduleOf): one row per camera in the design's
// order, the columns of ScheduleColumn. A view sorts it through a QSortFilterProxyModel with
// setSortRole(SortRole); it may select many rows (the window maps them to cameras through
// CameraIdRole).
//
// SetDesign works out only what changed: with the same cameras in the same order and unit, only
// the rows of cameras whose name or inputs changed are recomputed and told (dataChanged for each);
// a new unit recomputes and tells every row; cameras added, removed or moved reset the model.
//
// The name is edited in place: setData does not change the model but asks for the rename
// (renameRequested), which comes back through SetDesign as the design changes.
class ScheduleModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    // The figure a cell stands for (a double), for sorting: for the texts that are no figure,
    // the name and the lens their text, any other (no result, "Not in view") -infinity, so that
    // such rows come before every figure.
    static constexpr int SortRole = Qt::UserRole + 1;
    // The row's camera id, as a QString.
    static constexpr int CameraIdRole = Qt::UserRole + 2;

    // `format`: the user's, that the figures are written in.
    explicit ScheduleModel(const NumberFormat& format, QObject* parent = nullptr);

    void SetDesign(const Design& design);

    // The camera's row, or -1.
    int RowOf(const std::string& id) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  signals:
    // The user typed a new name for the camera in the Name column.
    void renameRequested(const std::string& id, const QString& name);

  private:
    void RecomputeRow(std::size_t row);

    NumberFormat m_format;
    LengthUnit m_unit = LengthUnit::Metres;
    std::vector<Camera> m_cameras;  // as the rows were computed from
    std::vector<ScheduleRow> m_rows;
};
