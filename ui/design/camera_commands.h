#pragma once

#include <QObject>

class CamerasPanel;
class DesignDocument;
struct DesignMenus;

// The Camera menu: Add (a copy of the current camera with own values and the next free name),
// Duplicate and Remove (the cameras selected), Move Up and Move Down (the current camera, in the
// design's order, which the schedule then shows). Each is one step of the design's history; the
// camera added, copied or moved becomes the current one. A design keeps at least one camera, so
// that the editor always shows one: Remove is disabled while every camera is selected.
class CameraCommands : public QObject {
    Q_OBJECT

  public:
    CameraCommands(DesignDocument& document, CamerasPanel& cameras, const DesignMenus& menus,
                   QObject* parent = nullptr);

    // Enables the commands that apply to the design and selection shown.
    void Update();

  private:
    void mnuAddCamera_Click();
    void mnuDuplicateCamera_Click();
    void mnuRemoveCamera_Click();
    void MoveCamera(int by);

    DesignDocument& m_document;
    CamerasPanel& m_cameras;
    const DesignMenus& m_menus;
};
