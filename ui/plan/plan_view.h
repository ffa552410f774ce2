#pragma once

#include <QPointF>
#include <QWidget>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "length_unit.h"
#include "number_text.h"
#include "plan_look.h"
#include "plan_scene.h"

class PlanUnderlay;
class QPainter;
struct PlanHit;
struct PlanPaintOptions;
struct PlanViewport;

// One end of a wall: the walls of a polyline meet at shared ends, which move together.
struct WallEnd {
    std::size_t wall = 0;  // an index into the plan's walls
    bool endB = false;     // (x2, y2) rather than (x1, y1)
};

// The distance the Measure tool shows on the plan, in the unit, to the hundredth: "12.35 m",
// "40.52 ft".
QString MeasuredText(double metres, LengthUnit unit, const NumberFormat& format);

// The site plan on screen: the underlay, the metre grid, the walls, the cameras' bands and the
// targets, seen from above, with the tools that edit them. It only draws what it is given and says
// what the user did; the design window makes the steps of the design's history and gives the scene
// back.
//
// Pan with the middle button, Space+drag or the arrow keys; zoom with the wheel at the cursor or
// Ctrl+plus/minus. Panning and zooming redraw layers rendered once (off the window's thread) and
// compute nothing; a camera being dragged is the only thing worked out and drawn anew at each step.
class PlanView : public QWidget {
    Q_OBJECT

  public:
    enum class Tool {
        Select,  // click to select a camera, target or wall (Ctrl+click: add or take out), drag to
                 // move, drag a heading handle to turn; Delete removes the target or the wall
        PlaceCamera,  // click to place the selected camera (or a new one)
        DrawWall,     // click corner after corner; Esc, a double-click or Enter ends the polyline
        AddTarget,    // click to add a target
        SetScale,     // click two points, then the window asks the real distance between them
        Measure,      // click two points: the distance between them shows on the plan
    };

    explicit PlanView(QWidget* parent = nullptr);
    ~PlanView() override;

    // What the plan shows. The scene is shared with the window, which keeps it up to date.
    void SetScene(std::shared_ptr<const PlanScene> scene);
    // The underlay (nullptr: none, a blank sheet with a metre grid), placed with its top-left
    // corner at `originM` and `metresPerPixel` metres to its pixel; not owned.
    void SetUnderlay(PlanUnderlay* underlay, double metresPerPixel, QPointF originM);
    // The selection as the window has it; selectionChanged is only for the user's clicks.
    void SetSelection(const std::set<std::string>& cameras,
                      const std::optional<std::string>& target);
    void SetLook(const PlanLook& look);
    void SetUnit(LengthUnit unit);  // of the measured distance and the scale bar
    // The user's, that the measured distance is written in.
    void SetNumberFormat(const NumberFormat& format);
    void SetTool(Tool tool);
    Tool CurrentTool() const;

    // fitPlan: the whole plan (underlay, walls, cameras' reach, targets) in view.
    void FitPlan();
    // Zooms by `factor` keeping the plan point under `at` (widget coordinates) where it is.
    void ZoomBy(double factor, QPointF at);
    // Where the plan's metres are on the widget.
    QTransform MetresToWidget() const;
    // Whether the layers drawn once (walls, bands, targets, labels) are drawn at the current scene
    // and view, with no rendering under way or waiting: for tests and benchmarks to wait on.
    bool LayersDrawn() const;

  signals:
    void placeRequested(Point at);
    // At the end of a drag: each drag is one step.
    void cameraMoved(const std::string& cameraId, Point to);
    void cameraTurned(const std::string& cameraId, double headingDeg);
    void wallDrawn(const std::vector<Point>& corners);  // two or more corners
    void wallEndsMoved(const std::vector<WallEnd>& ends, Point to);
    void wallRemoved(std::size_t wall);
    void targetAdded(Point at);
    void targetMoved(const std::string& targetId, Point to);
    void targetRemoved(const std::string& targetId);
    void selectionChanged(const std::set<std::string>& cameras,
                          const std::optional<std::string>& target);
    // SetScale: the two points clicked, in the underlay's pixels.
    void scalePointsChosen(QPointF a, QPointF b);
    void measured(double metres);
    void pointerMoved(Point at);  // for the status line; in metres
    // The tool changed: by SetTool, or by the view itself (Esc, a scale's second point).
    void toolChanged(PlanView::Tool tool);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Delete and Backspace are the plan's while it has something to remove (or a wall being
    // drawn to take a corner from), before the window's Camera > Remove takes them.
    bool event(QEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    struct State;
    std::unique_ptr<State> m_state;

    // plan_view.cpp: the view.
    PlanPaintOptions PaintOptions() const;
    void LayersChanged();
    // zoomed: the layers are drawn again once zooming pauses, not at once.
    void SetViewport(const PlanViewport& viewport, bool zoomed);
    void UpdateCursor();
    // plan_view_tools.cpp: what the clicks, drags and keys of each tool do.
    double PickRadiusM() const;
    PlanHit HitAt(QPointF px) const;
    Point SnappedToWallEnd(Point at, const std::vector<WallEnd>& besides) const;
    void Click(QPointF px, Qt::KeyboardModifiers modifiers, const PlanHit& hit);
    void SelectClick(const PlanHit& hit, Qt::KeyboardModifiers modifiers);
    void StartDrag();
    void DragTo(QPointF px, Qt::KeyboardModifiers modifiers);
    void EndDrag();
    void CancelGesture();
    void FinishWall();
    bool ToolKey(QKeyEvent* event);
    bool RemoveSelected();
    // The wall Delete removes: the one selected, else the one under the pointer.
    std::optional<std::size_t> WallToRemove() const;
    // Whether Delete has a target or a wall of the plan's to remove.
    bool CanRemove() const;
    // plan_view_overlay.cpp: what is drawn above the layers: the camera dragged, the tools' lines.
    void PaintOverlay(QPainter& painter, const PlanPaintOptions& options) const;
};
