#pragma once

#include <QWidget>
#include <vector>

#include "lens_list.h"

class LensFilterBar;
class LensListModel;
class QLabel;
class QModelIndex;
class QPushButton;
class QSortFilterProxyModel;
class QTreeView;

// The Lenses tab of the Coverage window: which level the list is for, the filters (kind, iris,
// megapixel rating), the catalogue's lenses that reach the level (the view `lensSuggestions`, in
// the list's own order, fixed, varifocal, zoom, each widest first, until a heading is clicked,
// then sorted by that column's figures; a third click lists them so again), how many are listed
// (`lensCount`) or why none is (`lensNote`), and "Use this lens" (`useLens`).
//
// The page computes nothing: a change of the filters emits filterChanged(), and the window shows
// the list that Filter() gives with Show(). Choosing a lens, by the button, a double-click or
// Enter on a row, emits lensChosen() with its model number and the focal length the list sets
// it to (a fixed lens's own). Tab leaves the list in one step, the arrows move inside it.
class LensListPage : public QWidget {
    Q_OBJECT

  public:
    explicit LensListPage(QWidget* parent = nullptr);

    // Shows the lenses that reach `level` (an index into kDoriLevels).
    void Show(LensList list, int level);

    // What the filters ask for; every lens while the user has changed none.
    LensFilter Filter() const;

    QTreeView* view() const { return m_view; }
    // The controls that take the focus, in reading order: the filters, the list, the button.
    std::vector<QWidget*> TabOrder() const;

  signals:
    void filterChanged();
    void lensChosen(QString modelNumber, double focalMm);

  private slots:
    void useLens_Click();
    void lensSuggestions_Activated(const QModelIndex& index);
    void lensSuggestions_SelectionChanged();

  private:
    QWidget* BuildFooter();
    void SizeColumns();

    LensFilterBar* m_filters;
    LensListModel* m_model;
    QSortFilterProxyModel* m_sorted;
    QTreeView* m_view;
    QLabel* m_heading;
    QLabel* m_count = nullptr;
    QLabel* m_note = nullptr;
    QPushButton* m_useLens = nullptr;
    bool m_columnsSized = false;
};
