#include "design_commands.h"

#include <algorithm>

#include "design_document.h"
#include "design_edits.h"

DesignCommand::DesignCommand(DesignDocument& document, const QString& text, std::string camera)
    : m_document(document), m_camera(std::move(camera)) {
    setText(text);
}

void DesignCommand::redo() {
    m_document.Apply(Redone(m_document.Current()), m_camera);
}

void DesignCommand::undo() {
    m_document.Apply(Undone(m_document.Current()), m_camera);
}

CameraListCommand::CameraListCommand(DesignDocument& document, const QString& text, Design before,
                                     Design after)
    : DesignCommand(document, text, {}), m_before(std::move(before)), m_after(std::move(after)) {}

Design CameraListCommand::Redone(Design design) const {
    return WithCameraListOf(std::move(design), m_after);
}

Design CameraListCommand::Undone(Design design) const {
    return WithCameraListOf(std::move(design), m_before);
}

Design WithCameraListOf(Design design, const Design& list) {
    std::vector<Camera> cameras;
    cameras.reserve(list.cameras.size());
    for (const Camera& listed : list.cameras) {
        const Camera* now = FindCamera(design, listed.id);
        cameras.push_back(now ? *now : listed);
    }
    design.cameras = std::move(cameras);
    design.nextCameraNumber = std::max(design.nextCameraNumber, list.nextCameraNumber);
    return design;
}
