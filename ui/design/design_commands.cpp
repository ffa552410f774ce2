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

bool SamePlacement(const std::optional<CameraPlacement>& a,
                   const std::optional<CameraPlacement>& b) {
    return a == b;
}

PlansCommand::PlansCommand(DesignDocument& document, const QString& text, const Design& before,
                           const Design& after)
    : DesignCommand(document, text, {}),
      m_before{before.plans, before.nextPlanNumber, before.nextTargetNumber, {}},
      m_after{after.plans, after.nextPlanNumber, after.nextTargetNumber, {}} {
    for (const Camera& camera : after.cameras) {
        const Camera* was = FindCamera(before, camera.id);
        if (was && !SamePlacement(was->placement, camera.placement)) {
            m_before.placements.emplace_back(camera.id, was->placement);
            m_after.placements.emplace_back(camera.id, camera.placement);
        }
    }
}

Design PlansCommand::Redone(Design design) const {
    return With(std::move(design), m_after);
}

Design PlansCommand::Undone(Design design) const {
    return With(std::move(design), m_before);
}

Design PlansCommand::With(Design design, const Side& side) {
    design.plans = side.plans;
    // Ids once given are never given again, whichever way the history goes.
    design.nextPlanNumber = std::max(design.nextPlanNumber, side.nextPlanNumber);
    design.nextTargetNumber = std::max(design.nextTargetNumber, side.nextTargetNumber);
    for (const auto& [id, placement] : side.placements) {
        for (Camera& camera : design.cameras) {
            if (camera.id == id)
                camera.placement = placement;
        }
    }
    return design;
}
