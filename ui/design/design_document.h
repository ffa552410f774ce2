#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "coverage.h"
#include "design.h"
#include "length_unit.h"

// The design being edited in the design window: its value, the file it came from, and its
// history. Every edit of the user goes through here as one step of the undo stack, named for
// Edit > Undo ("Undo Rename Camera 2"); typing in one box is one step (the edits of the same
// field in a row merge, until BreakMerge, another step, an undo or a redo).
//
// "Modified" is the undo stack's clean state: saving marks the design unmodified, and undoing
// back to what was saved does too. A change that follows a source (the calculator, a part
// number) is not a step of the history but does mark the design modified, for good until the
// next save: the file keeps the inputs the camera shows, and closing without a question would
// lose what the user sees; no undo brings the design back to what the file holds. An untitled
// design that is unmodified stays so: what it follows is the calculator's, and nothing is lost.
//
// Edits that change nothing (the same inputs, a camera that is not in the design) make no step.
class DesignDocument : public QObject {
    Q_OBJECT

  public:
    // `path`: the file the design came from; empty for an untitled design.
    explicit DesignDocument(Design design, QString path = {}, QObject* parent = nullptr);

    const Design& Current() const { return m_design; }
    const QString& Path() const { return m_path; }
    bool IsModified() const { return !m_undoStack.isClean(); }
    // For the Edit menu (createUndoAction, createRedoAction) and the window's modified mark.
    QUndoStack& UndoStack() { return m_undoStack; }

    // "Gate — Vistamarq Design[*]" for QWidget::setWindowTitle with setWindowModified; the
    // file's name when the design has none ("gate — ..."), "Untitled" when it has no file either.
    QString WindowTitle() const;

    // Another design opened or a new one: the history is cleared and the design unmodified.
    void Load(Design design, const QString& path);
    // The design was saved at `path`: unmodified from here.
    void MarkSaved(const QString& path);

    // The user's edits, each one step ("Edit Camera 2", "Rename Camera 2", "Add Camera",
    // "Duplicate Camera 2" / "Duplicate 2 Cameras", "Remove Camera 3" / "Remove 2 Cameras",
    // "Move Camera", "Rename Design", "Edit Notes", "Change Unit"). A camera is named by its name
    // before the step, "Unnamed camera" when it has none. `inputs` must be canonical.
    void EditCamera(const std::string& id, const CoverageInputs& inputs);
    void RenameCamera(const std::string& id, std::u16string name);
    // Returns the new camera's id.
    std::string AddCameraAfter(const std::string& afterId);
    // Returns the ids of the copies, in the design's order.
    std::vector<std::string> DuplicateCameras(const std::vector<std::string>& ids);
    void RemoveCameras(const std::vector<std::string>& ids);
    void MoveCamera(const std::string& id, std::size_t newIndex);
    void Rename(std::u16string name);
    void SetNotes(std::u16string notes);
    void SetUnit(LengthUnit unit);

    // The plans' edits, each one step: "Add Plan", "Rename Plan", "Remove Plan Yard", "Import
    // Plan Drawing", "Set Scale", "Draw Wall", "Move Wall", "Remove Wall", "Add Target", "Move
    // Target", "Rename Target", "Change Target Level", "Remove Target"; and of where cameras stand:
    // "Place Camera 2", "Move Camera 2 on the Plan", "Turn Camera 2", "Take Camera 2 off the
    // Plan". Walls are
    // named by their place in the plan's list; an edit that changes nothing, or that the design's
    // limits refuse, makes no step.
    // Returns the new plan's id.
    std::string AddPlan(std::u16string name);
    void RenamePlan(const std::string& planId, std::u16string name);
    void RemovePlan(const std::string& planId);
    void SetPlanImage(const std::string& planId, std::optional<std::string> sha256, int page);
    void SetPlanScale(const std::string& planId, std::optional<double> metresPerPixel,
                      PlanPoint origin);
    // The scale set, what is drawn on the plan kept on its place of the drawing (RescalePlan).
    void RescalePlan(const std::string& planId, double metresPerPixel);
    // A polyline: a wall from each corner to the next, all one step.
    void DrawWall(const std::string& planId, const std::vector<PlanPoint>& corners);
    // Ends of walls (index, and 1 for (x2, y2)) moved together to `to`: a polyline's corner.
    void MoveWallEnds(const std::string& planId,
                      const std::vector<std::pair<std::size_t, int>>& ends, PlanPoint to);
    void RemoveWall(const std::string& planId, std::size_t wall);
    // Returns the new target's id; `level` an index into kDoriLevels.
    std::string AddTarget(const std::string& planId, std::u16string name, PlanPoint at, int level);
    void MoveTarget(const std::string& targetId, PlanPoint to);
    void RenameTarget(const std::string& targetId, std::u16string name);
    void SetTargetLevel(const std::string& targetId, int level);
    void RemoveTarget(const std::string& targetId);
    void PlaceCamera(const std::string& cameraId, const std::string& planId, PlanPoint at,
                     double headingDeg);
    void MoveCameraOnPlan(const std::string& cameraId, PlanPoint to);
    void TurnCamera(const std::string& cameraId, double headingDeg);
    void UnplaceCamera(const std::string& cameraId);

    // Ends the merging of typing: the next edit is a step of its own (the user left the field).
    void BreakMerge();

    // A camera's inputs as a followed source gives them: no step, and the merge window ends so
    // that undoing later typing keeps them. `inputs` must be canonical.
    void SetFollowedInputs(const std::string& id, const CoverageInputs& inputs);

  signals:
    // Load is about to replace the design: what was worked out from the old one is stale.
    void aboutToLoad();
    // After every change, from an edit, undo, redo, a followed source or Load.
    void designChanged(const Design& design);
    // Before designChanged, when the change was to this one camera only (inputs or name).
    void cameraChanged(const std::string& id);
    void modifiedChanged(bool modified);
    void pathChanged(const QString& path);

  private:
    friend class DesignCommand;
    void Apply(Design next, const std::string& onlyCamera);
    void Push(QUndoCommand* command);
    void PushPlans(const QString& text, Design after);
    void PushPlacement(const QString& verb, const std::string& cameraId,
                       std::optional<CameraPlacement> placement);
    void SetPath(const QString& path);
    void stack_IndexChanged();

    Design m_design;
    QString m_path;
    QUndoStack m_undoStack;
    int m_mergeWindow = 0;
    bool m_pushing = false;
};
