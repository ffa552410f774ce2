#include "design_document.h"

#include <QFileInfo>
#include <algorithm>
#include <utility>

#include "design_commands.h"
#include "design_edits.h"
#include "qt_text.h"
#include "same_camera.h"

namespace {

QString CameraLabel(const Design& design, const std::string& id) {
    const Camera* camera = FindCamera(design, id);
    if (!camera || camera->name.empty())
        return QStringLiteral("Unnamed camera");
    return ToQString(camera->name);
}

// "Remove Camera 3" for one camera, "Remove 2 Cameras" for more.
QString CamerasText(const QString& verb, const Design& design,
                    const std::vector<std::string>& ids) {
    if (ids.size() == 1)
        return verb + u' ' + CameraLabel(design, ids.front());
    return QStringLiteral("%1 %2 Cameras").arg(verb).arg(ids.size());
}

// The ids of the list that the design holds, once each, in the list's order.
std::vector<std::string> IdsHeld(const Design& design, const std::vector<std::string>& ids) {
    std::vector<std::string> held;
    for (const std::string& id : ids) {
        if (FindCamera(design, id) && std::find(held.begin(), held.end(), id) == held.end())
            held.push_back(id);
    }
    return held;
}

// The ids of `after`'s cameras that `before` does not hold, in `after`'s order.
std::vector<std::string> IdsAdded(const Design& before, const Design& after) {
    std::vector<std::string> added;
    for (const Camera& camera : after.cameras) {
        if (!FindCamera(before, camera.id))
            added.push_back(camera.id);
    }
    return added;
}

bool SameOrder(const Design& a, const Design& b) {
    return std::equal(a.cameras.begin(), a.cameras.end(), b.cameras.begin(), b.cameras.end(),
                      [](const Camera& x, const Camera& y) { return x.id == y.id; });
}

std::optional<CameraPlacement> PlacementOf(const Design& design, const std::string& cameraId) {
    const Camera* camera = FindCamera(design, cameraId);
    return camera ? camera->placement : std::nullopt;
}

template <typename Value>
bool Equal(const Value& a, const Value& b) {
    return a == b;
}

}  // namespace

DesignDocument::DesignDocument(Design design, QString path, QObject* parent)
    : QObject(parent), m_design(std::move(design)), m_path(std::move(path)) {
    connect(&m_undoStack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
    connect(&m_undoStack, &QUndoStack::indexChanged, this, &DesignDocument::stack_IndexChanged);
}

QString DesignDocument::WindowTitle() const {
    QString name = ToQString(m_design.name);
    if (name.isEmpty())
        name = m_path.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(m_path).completeBaseName();
    // A "[*]" of the name itself is shown as it is, not taken for the modified mark.
    name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    return name + QStringLiteral(" \u2014 Vistamarq Design[*]");
}

void DesignDocument::Load(Design design, const QString& path) {
    emit aboutToLoad();
    BreakMerge();
    m_undoStack.clear();
    SetPath(path);
    Apply(std::move(design), {});
}

void DesignDocument::MarkSaved(const QString& path) {
    BreakMerge();
    m_undoStack.setClean();
    SetPath(path);
}

void DesignDocument::EditCamera(const std::string& id, const CoverageInputs& inputs) {
    const Camera* camera = FindCamera(m_design, id);
    if (!camera || camera->inputs == inputs)
        return;
    const auto set = [id](Design design, const CoverageInputs& value) {
        return WithCamera(std::move(design), id, value);
    };
    Push(new SetValueCommand<CoverageInputs>(
        *this, QStringLiteral("Edit ") + CameraLabel(m_design, id), id, TypingKind::CameraInputs,
        m_mergeWindow, camera->inputs, inputs, set,
        [](const CoverageInputs& a, const CoverageInputs& b) { return a == b; }));
}

void DesignDocument::RenameCamera(const std::string& id, std::u16string name) {
    const Camera* camera = FindCamera(m_design, id);
    if (!camera || camera->name == name)
        return;
    const auto set = [id](Design design, const std::u16string& value) {
        return WithCameraName(std::move(design), id, value);
    };
    Push(new SetValueCommand<std::u16string>(
        *this, QStringLiteral("Rename ") + CameraLabel(m_design, id), id, TypingKind::CameraName,
        m_mergeWindow, camera->name, std::move(name), set, Equal<std::u16string>));
}

std::string DesignDocument::AddCameraAfter(const std::string& afterId) {
    Design after = ::AddCamera(m_design, afterId);
    std::vector<std::string> added = IdsAdded(m_design, after);
    Push(new CameraListCommand(*this, QStringLiteral("Add Camera"), m_design, std::move(after)));
    return added.empty() ? std::string() : added.front();
}

std::vector<std::string> DesignDocument::DuplicateCameras(const std::vector<std::string>& ids) {
    const std::vector<std::string> held = IdsHeld(m_design, ids);
    if (held.empty())
        return {};
    Design after = ::DuplicateCameras(m_design, held);
    std::vector<std::string> added = IdsAdded(m_design, after);
    Push(new CameraListCommand(*this, CamerasText(QStringLiteral("Duplicate"), m_design, held),
                               m_design, std::move(after)));
    return added;
}

void DesignDocument::RemoveCameras(const std::vector<std::string>& ids) {
    const std::vector<std::string> held = IdsHeld(m_design, ids);
    if (held.empty())
        return;
    Push(new CameraListCommand(*this, CamerasText(QStringLiteral("Remove"), m_design, held),
                               m_design, ::RemoveCameras(m_design, held)));
}

void DesignDocument::MoveCamera(const std::string& id, std::size_t newIndex) {
    Design after = ::MoveCamera(m_design, id, newIndex);
    if (SameOrder(m_design, after))
        return;
    Push(new CameraListCommand(*this, QStringLiteral("Move Camera"), m_design, std::move(after)));
}

void DesignDocument::Rename(std::u16string name) {
    if (m_design.name == name)
        return;
    const auto set = [](Design design, const std::u16string& value) {
        return WithName(std::move(design), value);
    };
    Push(new SetValueCommand<std::u16string>(*this, QStringLiteral("Rename Design"), {},
                                             TypingKind::DesignName, m_mergeWindow, m_design.name,
                                             std::move(name), set, Equal<std::u16string>));
}

void DesignDocument::SetNotes(std::u16string notes) {
    if (m_design.notes == notes)
        return;
    const auto set = [](Design design, const std::u16string& value) {
        return WithNotes(std::move(design), value);
    };
    Push(new SetValueCommand<std::u16string>(*this, QStringLiteral("Edit Notes"), {},
                                             TypingKind::DesignNotes, m_mergeWindow, m_design.notes,
                                             std::move(notes), set, Equal<std::u16string>));
}

void DesignDocument::SetUnit(LengthUnit unit) {
    if (m_design.unit == unit)
        return;
    const auto set = [](Design design, const LengthUnit& value) {
        return WithUnit(std::move(design), value);
    };
    Push(new SetValueCommand<LengthUnit>(*this, QStringLiteral("Change Unit"), {}, std::nullopt,
                                         m_mergeWindow, m_design.unit, unit, set,
                                         Equal<LengthUnit>));
}

std::string DesignDocument::AddPlan(std::u16string name) {
    const std::string id = NextPlanId(m_design);
    PushPlans(QStringLiteral("Add Plan"), ::AddPlan(m_design, std::move(name)));
    return FindPlan(m_design, id) ? id : std::string();
}

void DesignDocument::RenamePlan(const std::string& planId, std::u16string name) {
    PushPlans(QStringLiteral("Rename Plan"), ::RenamePlan(m_design, planId, std::move(name)));
}

void DesignDocument::RemovePlan(const std::string& planId) {
    const Plan* plan = FindPlan(m_design, planId);
    if (!plan)
        return;
    const QString name = plan->name.empty() ? QStringLiteral("Plan") : ToQString(plan->name);
    PushPlans(QStringLiteral("Remove ") + name, ::RemovePlan(m_design, planId));
}

void DesignDocument::SetPlanImage(const std::string& planId, std::optional<std::string> sha256,
                                  int page) {
    PushPlans(QStringLiteral("Import Plan Drawing"),
              ::SetPlanImage(m_design, planId, std::move(sha256), page));
}

void DesignDocument::SetPlanScale(const std::string& planId, std::optional<double> metresPerPixel,
                                  PlanPoint origin) {
    PushPlans(QStringLiteral("Set Scale"),
              ::SetPlanScale(m_design, planId, metresPerPixel, origin));
}

void DesignDocument::RescalePlan(const std::string& planId, double metresPerPixel) {
    PushPlans(QStringLiteral("Set Scale"), ::RescalePlan(m_design, planId, metresPerPixel));
}

void DesignDocument::DrawWall(const std::string& planId, const std::vector<PlanPoint>& corners) {
    Design after = m_design;
    for (std::size_t i = 1; i < corners.size(); ++i) {
        const PlanPoint& a = corners[i - 1];
        const PlanPoint& b = corners[i];
        if (a.x != b.x || a.y != b.y)
            after = ::AddWall(std::move(after), planId, {a.x, a.y, b.x, b.y});
    }
    PushPlans(QStringLiteral("Draw Wall"), std::move(after));
}

void DesignDocument::MoveWallEnds(const std::string& planId,
                                  const std::vector<std::pair<std::size_t, int>>& ends,
                                  PlanPoint to) {
    Design after = m_design;
    for (const auto& [wall, end] : ends)
        after = MoveWallVertex(std::move(after), planId, wall, end, to);
    PushPlans(QStringLiteral("Move Wall"), std::move(after));
}

void DesignDocument::RemoveWall(const std::string& planId, std::size_t wall) {
    PushPlans(QStringLiteral("Remove Wall"), ::RemoveWall(m_design, planId, wall));
}

std::string DesignDocument::AddTarget(const std::string& planId, std::u16string name, PlanPoint at,
                                      int level) {
    const std::string id = NextTargetId(m_design);
    Design after = ::AddTarget(m_design, planId, std::move(name), at, level);
    const bool added = after.nextTargetNumber != m_design.nextTargetNumber;
    PushPlans(QStringLiteral("Add Target"), std::move(after));
    return added ? id : std::string();
}

void DesignDocument::MoveTarget(const std::string& targetId, PlanPoint to) {
    PushPlans(QStringLiteral("Move Target"), ::MoveTarget(m_design, targetId, to));
}

void DesignDocument::RenameTarget(const std::string& targetId, std::u16string name) {
    PushPlans(QStringLiteral("Rename Target"), ::RenameTarget(m_design, targetId, std::move(name)));
}

void DesignDocument::SetTargetLevel(const std::string& targetId, int level) {
    PushPlans(QStringLiteral("Change Target Level"), ::SetTargetLevel(m_design, targetId, level));
}

void DesignDocument::RemoveTarget(const std::string& targetId) {
    PushPlans(QStringLiteral("Remove Target"), ::RemoveTarget(m_design, targetId));
}

void DesignDocument::PlaceCamera(const std::string& cameraId, const std::string& planId,
                                 PlanPoint at, double headingDeg) {
    PushPlacement(QStringLiteral("Place"), cameraId,
                  PlacementOf(::PlaceCamera(m_design, cameraId, planId, at, headingDeg), cameraId));
}

void DesignDocument::MoveCameraOnPlan(const std::string& cameraId, PlanPoint to) {
    const std::optional<CameraPlacement> now = PlacementOf(m_design, cameraId);
    if (now)
        PushPlacement(QStringLiteral("Move"), cameraId,
                      PlacementOf(::PlaceCamera(m_design, cameraId, now->plan, to, now->headingDeg),
                                  cameraId));
}

void DesignDocument::TurnCamera(const std::string& cameraId, double headingDeg) {
    const std::optional<CameraPlacement> now = PlacementOf(m_design, cameraId);
    if (now)
        PushPlacement(
            QStringLiteral("Turn"), cameraId,
            PlacementOf(::PlaceCamera(m_design, cameraId, now->plan, {now->x, now->y}, headingDeg),
                        cameraId));
}

void DesignDocument::UnplaceCamera(const std::string& cameraId) {
    PushPlacement(QStringLiteral("Take"), cameraId, std::nullopt);
}

void DesignDocument::BreakMerge() {
    ++m_mergeWindow;
}

void DesignDocument::SetFollowedInputs(const std::string& id, const CoverageInputs& inputs) {
    const Camera* camera = FindCamera(m_design, id);
    if (!camera || camera->inputs == inputs)
        return;
    BreakMerge();
    // An untitled design the user has not changed holds nothing of theirs to lose: the figures
    // it follows are the calculator's own.
    if (!m_path.isEmpty() || !m_undoStack.isClean())
        m_undoStack.resetClean();
    Apply(WithCamera(m_design, id, inputs), id);
}

void DesignDocument::PushPlans(const QString& text, Design after) {
    const bool samePlacements =
        std::equal(after.cameras.begin(), after.cameras.end(), m_design.cameras.begin(),
                   m_design.cameras.end(),
                   [](const Camera& a, const Camera& b) { return a.placement == b.placement; });
    if (after.plans == m_design.plans && samePlacements)
        return;
    Push(new PlansCommand(*this, text, m_design, after));
}

void DesignDocument::PushPlacement(const QString& verb, const std::string& cameraId,
                                   std::optional<CameraPlacement> placement) {
    const Camera* camera = FindCamera(m_design, cameraId);
    if (!camera || SamePlacement(camera->placement, placement))
        return;
    QString text = verb + u' ' + CameraLabel(m_design, cameraId);
    if (verb == QLatin1String("Take"))
        text += QStringLiteral(" off the Plan");
    else if (verb == QLatin1String("Move"))  // not the schedule's "Move Camera", a reordering
        text += QStringLiteral(" on the Plan");
    const auto set = [cameraId](Design design, const std::optional<CameraPlacement>& value) {
        return value ? ::PlaceCamera(std::move(design), cameraId, value->plan, {value->x, value->y},
                                     value->headingDeg)
                     : ::UnplaceCamera(std::move(design), cameraId);
    };
    Push(new SetValueCommand<std::optional<CameraPlacement>>(
        *this, text, cameraId, std::nullopt, m_mergeWindow, camera->placement, std::move(placement),
        set, SamePlacement));
}

void DesignDocument::Apply(Design next, const std::string& onlyCamera) {
    m_design = std::move(next);
    if (!onlyCamera.empty())
        emit cameraChanged(onlyCamera);
    emit designChanged(m_design);
}

void DesignDocument::Push(QUndoCommand* command) {
    m_pushing = true;
    m_undoStack.push(command);
    m_pushing = false;
}

void DesignDocument::SetPath(const QString& path) {
    if (path == m_path)
        return;
    m_path = path;
    emit pathChanged(m_path);
}

void DesignDocument::stack_IndexChanged() {
    // An undo or a redo ends the typing: the next keystroke is a new step, not a change to the
    // step the user just went back over.
    if (!m_pushing)
        BreakMerge();
}
