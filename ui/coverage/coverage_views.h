#pragma once

#include <QTabWidget>
#include <vector>

#include "coverage.h"
#include "number_text.h"

class DoriTableModel;
class DoriTableView;
class LensListPage;
class SideView;
class TopView;

// The Coverage window's three views of one camera, a tab each [views]: the pictures from the side
// and from above, the DORI table, and the catalogue's lenses that reach the level required. As
// tall as the room left: a window that scrolls asks its contents for their height from their
// size hints, and a long list's hint would make it scroll.
class CoverageViews : public QTabWidget {
    Q_OBJECT

  public:
    explicit CoverageViews(QWidget* parent = nullptr);

    // Shows what the camera sees with `inputs`, its figures written in `format`.
    void Show(const Coverage& shown, const CoverageInputs& inputs, const NumberFormat& format);

    // The tab bar and the controls of every page, in reading order.
    std::vector<QWidget*> TabOrder() const;
    // The DORI table's width with every column shown whole.
    int DoriTableWidth() const;

  signals:
    // The lens filters changed: the window shows the list again with Show.
    void filterChanged();
    // "Use this lens".
    void lensChosen(QString modelNumber, double focalMm);

  private:
    QWidget* BuildPictures();
    QWidget* BuildLensList();

    SideView* m_sideView = nullptr;
    TopView* m_topView = nullptr;
    DoriTableModel* m_doriModel = nullptr;
    DoriTableView* m_doriTable = nullptr;
    LensListPage* m_lensList = nullptr;
};
