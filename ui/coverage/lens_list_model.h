#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "lens_list.h"

// The catalogue's lenses that reach the level required, one row each, as the lens list gives
// them, with the columns Model #, Description, Set to, Density and Scene width. Qt::DisplayRole
// gives the texts; kSortRole the value to sort by: the text for the names, the number a figure
// begins with for the figures ("7.32 m (24.00 ft)" sorts as 7.32), no value for a figure that
// has none; Qt::TextAlignmentRole left for the names, right for the figures; Qt::ToolTipRole
// the whole description, which a narrow list cuts short.
class LensListModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    static constexpr int kSortRole = Qt::UserRole;
    static constexpr int kDescriptionColumn = 1;

    // The figures are read in `format`, as the lens list writes them.
    explicit LensListModel(const NumberFormat& format, QObject* parent = nullptr);

    // Lists these rows. The same lenses as listed, in the same order (an edit of the distance
    // changes only their figures), are updated in place, dataChanged only for the cells that
    // change; other lenses are listed afresh.
    void SetRows(std::vector<LensListRow> rows);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    static const std::u16string& Cell(const LensListRow& row, int column);
    bool SameLenses(const std::vector<LensListRow>& rows) const;

    NumberFormat m_format;
    std::vector<LensListRow> m_rows;
};
