#include "camera_commands.h"

#include <QAction>

#include "cameras_panel.h"
#include "design_document.h"
#include "design_edits.h"
#include "design_menus.h"

CameraCommands::CameraCommands(DesignDocument& document, CamerasPanel& cameras,
                               const DesignMenus& menus, QObject* parent)
    : QObject(parent), m_document(document), m_cameras(cameras), m_menus(menus) {
    connect(menus.mnuAddCamera, &QAction::triggered, this, &CameraCommands::mnuAddCamera_Click);
    connect(menus.mnuDuplicateCamera, &QAction::triggered, this,
            &CameraCommands::mnuDuplicateCamera_Click);
    connect(menus.mnuRemoveCamera, &QAction::triggered, this,
            &CameraCommands::mnuRemoveCamera_Click);
    connect(menus.mnuMoveCameraUp, &QAction::triggered, this, [this] { MoveCamera(-1); });
    connect(menus.mnuMoveCameraDown, &QAction::triggered, this, [this] { MoveCamera(+1); });
    connect(&cameras, &CamerasPanel::selectionChanged, this, &CameraCommands::Update);
}

void CameraCommands::Update() {
    const Design& design = m_document.Current();
    const auto index = CameraIndex(design, m_cameras.CurrentId());
    m_menus.mnuRemoveCamera->setEnabled(m_cameras.SelectedIds().size() < design.cameras.size());
    m_menus.mnuMoveCameraUp->setEnabled(index && *index > 0);
    m_menus.mnuMoveCameraDown->setEnabled(index && *index + 1 < design.cameras.size());
}

void CameraCommands::mnuAddCamera_Click() {
    m_cameras.Select(m_document.AddCameraAfter(m_cameras.CurrentId()));
}

void CameraCommands::mnuDuplicateCamera_Click() {
    const std::vector<std::string> copies = m_document.DuplicateCameras(m_cameras.SelectedIds());
    if (!copies.empty())
        m_cameras.Select(copies.back());
}

void CameraCommands::mnuRemoveCamera_Click() {
    const std::vector<std::string> ids = m_cameras.SelectedIds();
    if (ids.size() < m_document.Current().cameras.size())
        m_document.RemoveCameras(ids);
}

void CameraCommands::MoveCamera(int by) {
    const std::string id = m_cameras.CurrentId();
    const auto index = CameraIndex(m_document.Current(), id);
    const auto count = static_cast<long>(m_document.Current().cameras.size());
    if (!index || static_cast<long>(*index) + by < 0 || static_cast<long>(*index) + by >= count)
        return;
    m_cameras.ShowDesignOrder();
    m_document.MoveCamera(id, static_cast<std::size_t>(static_cast<long>(*index) + by));
    m_cameras.Select(id);
}
