#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "design.h"
#include "number_text.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSortFilterProxyModel;
class QTableView;
class ScheduleModel;

// The top of the design window: the design's name [designName] and notes [designNotes] and its
// camera schedule [cameras], one row per camera, sortable by any column (a third click on a
// heading goes back to the design's order), many rows selectable, names renamed in place. The
// current row is the camera shown in the editor below.
//
// The panel only shows the design it is given and tells what the user does; the window turns
// that into steps of the design's history.
class CamerasPanel : public QWidget {
    Q_OBJECT

  public:
    explicit CamerasPanel(const NumberFormat& format, QWidget* parent = nullptr);

    // Shows `design`. The name and notes boxes are rewritten only where their text differs (an
    // undo), so typing is not disturbed; the current camera and the selection are kept by id
    // across rows added, removed or moved.
    void SetDesign(const Design& design);

    // The current camera's id; empty when the design has none.
    std::string CurrentId() const;
    // The selected cameras' ids in the design's order; the current one when none is selected.
    std::vector<std::string> SelectedIds() const;
    // Makes `id` the current and only selected camera.
    void Select(const std::string& id);
    // The panel's height with `rows` rows of the schedule in sight.
    int HeightForRows(int rows) const;
    // Each column as wide as its heading and the first rows' texts.
    void FitColumns();
    // Shows the rows in the design's order, as moves change it.
    void ShowDesignOrder();

    // "Targets met: 2 of 3" under the schedule; hidden when empty (a design without targets).
    void SetTargetsMet(const QString& text);

    QTableView* Table() const { return m_table; }
    // The panel's controls in reading order, for the window's tab order.
    std::vector<QWidget*> TabOrder() const;

  signals:
    void currentCameraChanged(const std::string& id);
    void selectionChanged();
    void nameEdited(const QString& name);
    void notesEdited(const QString& notes);
    void renameRequested(const std::string& id, const QString& name);
    // The user left the name or the notes: the next typing is a step of its own.
    void typingEnded();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void table_CurrentChanged();
    void designNotes_TextChanged();
    void header_SectionClicked(int column);
    std::string IdAt(int proxyRow) const;
    int TableHeightForRows(int rows) const;

    ScheduleModel* m_model = nullptr;
    QSortFilterProxyModel* m_sorted = nullptr;
    QLineEdit* m_name = nullptr;
    QPlainTextEdit* m_notes = nullptr;
    QTableView* m_table = nullptr;
    QLabel* m_targetsMet = nullptr;
    std::string m_current;
    bool m_showing = false;  // while SetDesign writes the boxes and rows
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
