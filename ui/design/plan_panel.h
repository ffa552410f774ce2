#pragma once

#include <QWidget>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "number_text.h"
#include "plan_paper_dialog.h"
#include "plan_scene.h"
#include "plan_underlay.h"
#include "plan_view.h"

class DesignDocument;
class PlanImages;
class PlanLookBar;
class PlanUnderlay;
class QAction;
class QActionGroup;
class QDoubleSpinBox;
class QLabel;
class QTabBar;
class QTableView;
class QToolBar;
class TargetsModel;

// The design's site plans in the design window: a tab per plan, the plan shown with its tools,
// the legend and the targets it must meet. Every edit on the plan is a step of the design's
// history; the scene follows the design one camera at a time, so that a camera edited in the
// editor, moved on the plan or undone is worked out again alone.
//
// The selection is the window's: it tells the panel which cameras are selected (the schedule's)
// and hears which the user picked on the plan.
class PlanPanel : public QWidget {
    Q_OBJECT

  public:
    // `format`: the user's, that distances are written in.
    PlanPanel(DesignDocument& document, PlanImages& images, NumberFormat format,
              QWidget* parent = nullptr);
    ~PlanPanel() override;

    // The cameras selected in the schedule; the first is the one a click of Place Camera places.
    void SetSelectedCameras(const std::vector<std::string>& ids);
    // The design was replaced (opened, new, restored): its first plan shown, fitted.
    void ShowFirstPlan();

    QAction* importPlanAction() const { return m_importPlan; }
    QAction* exportPlanAction() const { return m_exportPlan; }
    QAction* addPlanAction() const { return m_addPlan; }
    QAction* renamePlanAction() const { return m_renamePlan; }
    QAction* removePlanAction() const { return m_removePlan; }
    QAction* typeScaleAction() const { return m_typeScale; }
    const PlanScene& Scene() const { return *m_scene; }
    PlanView& View() const { return *m_view; }

  signals:
    // "Targets met: 2 of 3" over all the design's plans; empty when it has no targets.
    void targetsMetChanged(const QString& text);
    // The user selected cameras on the plan: the window selects them in the schedule.
    void camerasPicked(const std::vector<std::string>& ids);
    // A camera is needed to place: none was selected. The window adds one and returns its id.
    void cameraWanted();

  private:
    void BuildTools(QToolBar* tools);
    void Document_DesignChanged(const Design& design);
    void Document_CameraChanged(const std::string& id);
    void plans_CurrentChanged(int index);
    void ShowPlan(const std::string& planId, bool fit);
    // The scene, the drawing, the targets and the selection shown as they now are.
    // `othersUnchanged`: the change cannot have touched the other plans' targets.
    void ShowScene(const Design& design, const Plan* plan, bool othersUnchanged = false);
    void SyncTabs(const Design& design);
    void SyncUnderlay(const Plan* plan);
    void ShowTargetsMet(const Design& design, bool othersUnchanged);
    void Rescale(double metresPerPixel);
    void ApplySelection();

    void importPlan_Triggered();
    void ImportRead(const QString& path, const std::variant<ImportedPlanFile, QString>& read);
    void exportPlan_Triggered();
    void addPlan_Triggered();
    void renamePlan_Triggered();
    void removePlan_Triggered();
    void typeScale_Triggered();
    void heading_Edited();
    void view_PlaceRequested(Point at);
    void view_ScalePointsChosen(QPointF a, QPointF b);
    void view_SelectionChanged(const std::set<std::string>& cameras,
                               const std::optional<std::string>& target);
    void view_WallEndsMoved(const std::vector<WallEnd>& ends, Point to);
    void targets_CurrentChanged();

    DesignDocument& m_document;
    PlanImages& m_images;
    NumberFormat m_format;
    std::string m_planId;
    std::shared_ptr<PlanScene> m_scene;
    bool m_loading = false;       // another design is being loaded: the scene is built anew
    std::string m_changedCamera;  // told by cameraChanged, for the designChanged that follows
    std::unique_ptr<PlanUnderlay> m_underlay;
    std::optional<std::string> m_underlayShown;  // "sha256#page" the underlay holds
    TargetsMet m_othersMet;                      // on the plans not shown
    std::vector<std::string> m_selected;
    PlanPaperChoice m_paper;  // the last one chosen for Export Plan
    std::optional<std::string> m_selectedTarget;

    QTabBar* m_plans = nullptr;
    PlanView* m_view = nullptr;
    PlanLookBar* m_look = nullptr;
    QTableView* m_targets = nullptr;
    TargetsModel* m_targetsModel = nullptr;
    QLabel* m_targetsMet = nullptr;
    QLabel* m_status = nullptr;
    QDoubleSpinBox* m_heading = nullptr;
    QActionGroup* m_tools = nullptr;
    QAction* m_importPlan = nullptr;
    QAction* m_exportPlan = nullptr;
    QAction* m_addPlan = nullptr;
    QAction* m_renamePlan = nullptr;
    QAction* m_removePlan = nullptr;
    QAction* m_typeScale = nullptr;
};
