#pragma once

class QAction;
class QMenu;
class QMenuBar;
class QUndoStack;
class QWidget;

// The design window's menu bar: File, Edit, Camera and Help, each item an action named for the
// window's handlers (mnuNew …). Edit's Undo and Redo are the history's own actions, so that they
// name the step they take back or do again ("Undo Rename Camera 2") and are enabled only when
// there is one.
struct DesignMenus {
    // `openRecent`: the menu of recent files, placed under Open….
    DesignMenus(QMenuBar* bar, QUndoStack& history, QMenu* openRecent, QWidget* window);

    QAction* mnuNew;
    QAction* mnuOpen;
    QMenu* mnuOpenRecent;
    QAction* mnuSave;
    QAction* mnuSaveAs;
    QAction* mnuExportReport;
    QAction* mnuExportSchedule;
    QAction* mnuPrintReport;
    QAction* mnuCloseDesign;
    QAction* mnuUndo;
    QAction* mnuRedo;
    QAction* mnuAddCamera;
    QAction* mnuDuplicateCamera;
    QAction* mnuRemoveCamera;
    QAction* mnuMoveCameraUp;
    QAction* mnuMoveCameraDown;
    QAction* mnuAboutDesigns;
};

// Help > About Designs: what a design is and what the program writes where.
void ShowAboutDesigns(QWidget* window);
