#pragma once

#include <QWidget>

#include "lens_list.h"

class LensListModel;
class QLabel;
class QTreeView;

// The Lenses tab of the Coverage window: which level the list is for, the catalogue's lenses
// that reach it (the view `lensSuggestions`, widest view first until a heading is clicked, then
// sorted by that column's figures; a third click lists them so again), and the note shown when
// none does. Read only: Tab leaves the list in one step, the arrows move inside it.
class LensListPage : public QWidget {
    Q_OBJECT

  public:
    // Figures are read in `format`, as the lens list writes them, to sort by.
    explicit LensListPage(const NumberFormat& format, QWidget* parent = nullptr);

    // Shows the lenses that reach `level` (an index into kDoriLevels).
    void Show(LensList list, int level);

    QTreeView* view() const { return m_view; }

  private:
    LensListModel* m_model;
    QTreeView* m_view;
    QLabel* m_heading;
    QLabel* m_note;
    bool m_columnsSized = false;
};
