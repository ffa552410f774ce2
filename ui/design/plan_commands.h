#pragma once

#include <QObject>

#include "number_text.h"

class CamerasPanel;
class DesignDocument;
class DesignFileActions;
class PlanPanel;
class QAction;
class QMenuBar;
class QStackedWidget;
class QWidget;

// The Plan menu and the place of the site plan in the design window: the window's lower part
// shows either the camera selected (its form and what it sees) or the plan, switched by Plan >
// Camera (Ctrl+1) and Plan > Site Plan (Ctrl+2); the schedule stays above both. The plan's
// selection is the schedule's: a camera picked on the plan becomes the current one in the
// schedule and the editor, and the cameras selected in the schedule are those selected on the
// plan.
class PlanCommands : public QObject {
    Q_OBJECT

  public:
    // `pages`: the window's lower part, its first page the camera; the plan is added as the
    // second. `cameraOnly`: what shows only with the camera (the design sheet's commands).
    PlanCommands(DesignDocument& document, DesignFileActions& files, CamerasPanel& cameras,
                 QMenuBar& bar, QStackedWidget& pages, QWidget& cameraOnly, NumberFormat format,
                 QObject* parent = nullptr);

    PlanPanel& Panel() const { return *m_panel; }
    // Shows the plan (true) or the camera.
    void ShowPlan(bool plan);

  private:
    void panel_CameraWanted();

    DesignDocument& m_document;
    CamerasPanel& m_cameras;
    QStackedWidget& m_pages;
    QWidget& m_cameraOnly;
    PlanPanel* m_panel = nullptr;
    QAction* m_showCamera = nullptr;
    QAction* m_showPlan = nullptr;
};
