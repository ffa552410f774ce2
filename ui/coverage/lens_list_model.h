#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "lens_list.h"

// The catalogue's lenses that reach the level required, one row each, as the lens list gives
// them, with the columns Model #, Description, Kind, Iris, MP, Set to, Density and Scene width.
// Qt::DisplayRole gives the texts; kSortRole the value to sort by, taken from the lens's own
// figures rather than read back from the texts: the model number, description and iris as text,
// the kind in the list's order (fixed, varifocal, zoom), the megapixel rating (no value for a
// lens without one), the focal length set in mm, the density in px/m and the scene width in m.
// Qt::TextAlignmentRole is left for the names, right for the figures; Qt::ToolTipRole gives the
// whole description, which a narrow list cuts short.
class LensListModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    static constexpr int kSortRole = Qt::UserRole;
    enum Column {
        kModelNumberColumn,
        kDescriptionColumn,
        kKindColumn,
        kIrisColumn,
        kMegapixelsColumn,
        kFocalLengthColumn,
        kDensityColumn,
        kSceneWidthColumn,
        kColumnCount
    };

    explicit LensListModel(QObject* parent = nullptr);

    // Lists these rows. The same lenses as listed, in the same order (an edit of the distance
    // changes only their figures), are updated in place, dataChanged only for the cells that
    // change; other lenses are listed afresh.
    void SetRows(std::vector<LensListRow> rows);

    // The lens of a row as listed (not as sorted); the row must exist.
    const LensSuggestion& Lens(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    static const std::u16string& Text(const LensListRow& row, int column);
    static QVariant SortValue(const LensListRow& row, int column);
    bool SameLenses(const std::vector<LensListRow>& rows) const;

    std::vector<LensListRow> m_rows;
};
