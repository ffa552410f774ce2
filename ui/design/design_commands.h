#pragma once

#include <QUndoCommand>
#include <functional>
#include <optional>
#include <string>

#include "design.h"

class DesignDocument;

// The steps of a design's history, as DesignDocument pushes them on its undo stack. Each step
// applies a pure edit of design_edits.h to the design as it is when it is undone or redone, not
// a whole value kept from before: a camera's inputs that followed the calculator meanwhile are
// not stepped back by undoing a rename.

// What typing in one box makes, merged into one step (QUndoCommand::id).
enum class TypingKind { CameraInputs = 1, CameraName, DesignName, DesignNotes };

class DesignCommand : public QUndoCommand {
  public:
    // `camera`: the one camera the step changes (inputs or name), for DesignDocument's
    // cameraChanged; empty when it changes more.
    DesignCommand(DesignDocument& document, const QString& text, std::string camera);

    void redo() override;
    void undo() override;

  protected:
    virtual Design Redone(Design design) const = 0;
    virtual Design Undone(Design design) const = 0;

  private:
    DesignDocument& m_document;
    std::string m_camera;
};

// A step that sets one value (a camera's inputs or name, the design's name, notes or unit).
// Steps of the same kind, on the same camera and in the same merge window, merge into one: the
// first one's value before, the last one's after; one that comes back to where it started is
// dropped from the history.
template <typename Value>
class SetValueCommand : public DesignCommand {
  public:
    using Setter = std::function<Design(Design, const Value&)>;
    using Same = std::function<bool(const Value&, const Value&)>;

    // `kind`: no value for a step that never merges; `window`: DesignDocument's merge window.
    SetValueCommand(DesignDocument& document, const QString& text, std::string camera,
                    std::optional<TypingKind> kind, int window, Value before, Value after,
                    Setter set, Same same)
        : DesignCommand(document, text, camera),
          m_kind(kind),
          m_camera(std::move(camera)),
          m_window(window),
          m_before(std::move(before)),
          m_after(std::move(after)),
          m_set(std::move(set)),
          m_same(std::move(same)) {}

    int id() const override { return m_kind ? static_cast<int>(*m_kind) : -1; }

    bool mergeWith(const QUndoCommand* other) override {
        // The stack merges only steps of the same id, so of the same kind and Value.
        const auto* next = static_cast<const SetValueCommand*>(other);
        if (next->m_camera != m_camera || next->m_window != m_window)
            return false;
        m_after = next->m_after;
        setObsolete(m_same(m_before, m_after));
        return true;
    }

  protected:
    Design Redone(Design design) const override { return m_set(std::move(design), m_after); }
    Design Undone(Design design) const override { return m_set(std::move(design), m_before); }

  private:
    std::optional<TypingKind> m_kind;
    std::string m_camera;
    int m_window;
    Value m_before;
    Value m_after;
    Setter m_set;
    Same m_same;
};

// A step that adds, duplicates, removes or moves cameras: the list of cameras as it was before
// and after, each camera still in the design kept as it is now (see WithCameraListOf).
class CameraListCommand : public DesignCommand {
  public:
    CameraListCommand(DesignDocument& document, const QString& text, Design before, Design after);

  protected:
    Design Redone(Design design) const override;
    Design Undone(Design design) const override;

  private:
    Design m_before;
    Design m_after;
};

// `design` with the cameras of `list`, in its order: each one the design holds as the design
// holds it, the others (removed since) as the list has them; the ids given stay given.
Design WithCameraListOf(Design design, const Design& list);

// Whether two placements are the same: both none, or the same plan, place and heading.
bool SamePlacement(const std::optional<CameraPlacement>& a,
                   const std::optional<CameraPlacement>& b);

// A step that changes the design's plans (a plan added, renamed, removed or given a drawing or a
// scale; a wall or a target drawn, moved or removed): the plans as they were before and after,
// and the placement of each camera the step changed (a removed plan's cameras stand on none).
// Cameras the step did not touch keep where they stand now.
class PlansCommand : public DesignCommand {
  public:
    PlansCommand(DesignDocument& document, const QString& text, const Design& before,
                 const Design& after);

  protected:
    Design Redone(Design design) const override;
    Design Undone(Design design) const override;

  private:
    struct Side {
        std::vector<Plan> plans;
        std::uint64_t nextPlanNumber = 1;
        std::uint64_t nextTargetNumber = 1;
        std::vector<std::pair<std::string, std::optional<CameraPlacement>>> placements;
    };
    static Design With(Design design, const Side& side);
    Side m_before;
    Side m_after;
};
