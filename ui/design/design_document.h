#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <cstddef>
#include <string>
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

    // Ends the merging of typing: the next edit is a step of its own (the user left the field).
    void BreakMerge();

    // A camera's inputs as a followed source gives them: no step, and the merge window ends so
    // that undoing later typing keeps them. `inputs` must be canonical.
    void SetFollowedInputs(const std::string& id, const CoverageInputs& inputs);

  signals:
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
    void SetPath(const QString& path);
    void stack_IndexChanged();

    Design m_design;
    QString m_path;
    QUndoStack m_undoStack;
    int m_mergeWindow = 0;
    bool m_pushing = false;
};
