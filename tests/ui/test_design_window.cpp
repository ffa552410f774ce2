// The design window as the user edits a design: the Camera and Edit menus, the schedule's rows,
// the camera shown in the form, and what each camera follows.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableView>
#include <QtTest>

#include "coverage_window.h"
#include "design_document.h"
#include "design_windows.h"
#include "layout.h"
#include "module1.h"
#include "plan_view.h"
#include "private_home.h"

class DesignWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { RegisterFontSubstitutes(); }
    void init();
    void cleanup() { windows.reset(); }

    void editsThroughTheMenus_data();
    void editsThroughTheMenus();
    void thePlanFollowsTheDesign_data();
    void thePlanFollowsTheDesign();

  private:
    template <typename Control>
    Control* Find(const QString& name) const {
        return windows->coverage()->findChild<Control*>(name);
    }
    QTableView* Schedule() const { return Find<QTableView>("cameras"); }
    // The names in the schedule's rows, joined by commas.
    QString Names() const {
        QStringList names;
        for (int row = 0; row < Schedule()->model()->rowCount(); ++row)
            names << Schedule()->model()->index(row, 0).data().toString();
        return names.join(',');
    }
    void Run(const QString& steps);
    DesignDocument& Document() const {
        return static_cast<CoverageWindow*>(windows->coverage())->Document();
    }

    PrivateHome home;
    std::unique_ptr<Module1> windows;
};

void DesignWindowTest::init() {
    windows = std::make_unique<Module1>("/nonexistent/settings", DesignWindowsInProcess);
    windows->ShowCoverage();
    QVERIFY(QTest::qWaitForWindowExposed(windows->coverage()));
}

// Steps separated by "; ": a menu item by its action's name ("mnuAddCamera"), "own" (the camera
// follows its own values), "focal 8" (typed), "select 2" (a row), "select all",
// "rename 1 Gate" (typed over the row's name); on the plan: "plan Yard" (a plan added), "tool
// placeCamera" (a tool's button), "click" (the plan's middle; "click 100": 100 px right of it),
// "target 0 3" (a target 3 m north of the first camera on the plan; "target 0 3 last": on the
// last plan), "pick target" (the first in
// the targets table), "key Delete" (typed on the plan).
void DesignWindowTest::Run(const QString& steps) {
    for (const QString& step : steps.split("; ", Qt::SkipEmptyParts)) {
        const QStringList words = step.split(' ');
        if (step.startsWith("mnu")) {
            QAction* action = Find<QAction>(step);
            QVERIFY2(action, qPrintable(step));
            action->trigger();
        } else if (words[0] == "own") {
            auto* follow = Find<QComboBox>("follow");
            follow->setCurrentIndex(follow->findText("Own values"));
            emit follow->activated(follow->currentIndex());
        } else if (words[0] == "focal") {
            Find<QLineEdit>("focal")->setText(words[1]);
        } else if (step == "select all") {
            Schedule()->selectAll();
        } else if (words[0] == "select") {
            Schedule()->selectRow(words[1].toInt());
        } else if (words[0] == "plan") {
            Document().AddPlan(words[1].toStdU16String());
        } else if (words[0] == "tool") {
            Find<QAction>(words[1])->trigger();
        } else if (words[0] == "click") {
            auto* view = Find<PlanView>("plan");
            const QPoint at = view->rect().center() + QPoint(words.value(1).toInt(), 0);
            QTest::mouseClick(view, Qt::LeftButton, {}, at);
        } else if (words[0] == "target") {
            // Metres from the first camera on the plan, or from the plan's origin.
            const Design& design = Document().Current();
            PlanPoint at{words[1].toDouble(), words[2].toDouble()};
            for (const Camera& camera : design.cameras) {
                if (camera.placement) {
                    at = {at.x + camera.placement->x, at.y + camera.placement->y};
                    break;
                }
            }
            const Plan& plan =
                words.value(3) == "last" ? design.plans.back() : design.plans.front();
            Document().AddTarget(plan.id, u"Gate", at, 4);
        } else if (step == "pick target") {
            Find<QTableView>("targets")->selectRow(0);
        } else if (words[0] == "key") {
            auto* view = Find<PlanView>("plan");
            view->setFocus();
            QTest::keyClick(view, words[1] == "Delete" ? Qt::Key_Delete : Qt::Key_Escape);
        } else if (words[0] == "rename") {
            auto* model = Schedule()->model();
            model->setData(model->index(words[1].toInt(), 0), words[2]);
        }
    }
}

void DesignWindowTest::editsThroughTheMenus_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("names");
    QTest::addColumn<QString>("shown");  // "follow; focal length" of the camera in the form
    QTest::addColumn<QString>("undo");   // Edit > Undo's text, "" when disabled
    QTest::addColumn<bool>("modified");
    QTest::newRow("opened: Camera 1 follows the calculator, nothing to save")
        << ""
        << "Camera 1"
        << "Calculator, wide (row 1); 4"
        << "" << false;
    QTest::newRow("added twice: copies with own values, the last shown")
        << "mnuAddCamera; mnuAddCamera"
        << "Camera 1,Camera 2,Camera 3"
        << "Own values; 4"
        << "&Undo Add Camera" << true;
    QTest::newRow("renamed and undone twice: the rename and the add taken back")
        << "mnuAddCamera; rename 1 Gate; mnuUndo; mnuUndo"
        << "Camera 1"
        << "Calculator, wide (row 1); 4"
        << "" << false;
    QTest::newRow("undone and redone") << "mnuAddCamera; rename 1 Gate; mnuUndo; mnuRedo"
                                       << "Camera 1,Gate"
                                       << "Own values; 4"
                                       << "&Undo Rename Camera 2" << true;
    QTest::newRow("typing in one box is one step") << "own; focal 8; focal 12; mnuUndo"
                                                   << "Camera 1"
                                                   << "Own values; 4"
                                                   << "" << false;
    QTest::newRow("each camera shows its own values when selected")
        << "own; focal 8; mnuAddCamera; focal 12; select 0"
        << "Camera 1,Camera 2"
        << "Own values; 8"
        << "&Undo Edit Camera 2" << true;
    QTest::newRow("the first camera follows again when selected") << "mnuAddCamera; select 0"
                                                                  << "Camera 1,Camera 2"
                                                                  << "Calculator, wide (row 1); 4"
                                                                  << "&Undo Add Camera" << true;
    QTest::newRow("duplicated: the copy shown") << "own; focal 8; mnuDuplicateCamera"
                                                << "Camera 1,Camera 2"
                                                << "Own values; 8"
                                                << "&Undo Duplicate Camera 1" << true;
    QTest::newRow("removed: the next row shown")
        << "mnuAddCamera; focal 12; mnuAddCamera; select 1; mnuRemoveCamera"
        << "Camera 1,Camera 3"
        << "Own values; 12"
        << "&Undo Remove Camera 2" << true;
    QTest::newRow("every camera selected: none removed")
        << "mnuAddCamera; select all; mnuRemoveCamera"
        << "Camera 1,Camera 2"
        << "Own values; 4"
        << "&Undo Add Camera" << true;
    QTest::newRow("moved up") << "mnuAddCamera; mnuAddCamera; select 1; mnuMoveCameraUp"
                              << "Camera 2,Camera 1,Camera 3"
                              << "Own values; 4"
                              << "&Undo Move Camera" << true;
}

void DesignWindowTest::editsThroughTheMenus() {
    QFETCH(QString, steps);
    Run(steps);
    QTEST(Names(), "names");
    QTEST(Find<QComboBox>("follow")->currentText() + "; " + Find<QLineEdit>("focal")->text(),
          "shown");
    QAction* undo = Find<QAction>("mnuUndo");
    QTEST(undo->isEnabled() ? undo->text() : QString(), "undo");
    QTEST(windows->coverage()->isWindowModified(), "modified");
}

void DesignWindowTest::thePlanFollowsTheDesign_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("page");         // 0: the camera, 1: the site plan
    QTest::addColumn<QString>("placed");   // the cameras on a plan
    QTest::addColumn<QString>("current");  // the schedule's current camera
    QTest::addColumn<QString>("met");      // under the schedule; "" when hidden
    QTest::addColumn<QString>("undo");
    QTest::newRow("a plan added: a tab, the camera still shown") << "plan Yard" << 0 << ""
                                                                 << "Camera 1"
                                                                 << ""
                                                                 << "&Undo Add Plan";
    QTest::newRow("Site Plan shows the plan") << "plan Yard; mnuShowPlan" << 1 << ""
                                              << "Camera 1"
                                              << ""
                                              << "&Undo Add Plan";
    QTest::newRow("Place Camera: the camera selected, one step")
        << "mnuAddCamera; select 0; plan Yard; mnuShowPlan; tool placeCamera; click" << 1
        << "Camera 1"
        << "Camera 1"
        << ""
        << "&Undo Place Camera";
    QTest::newRow("a target nobody sees: none met") << "plan Yard; target 500 500" << 0 << ""
                                                    << "Camera 1"
                                                    << "Targets met: 0 of 1"
                                                    << "&Undo Add Target";
    QTest::newRow("targets on the plan shown and on another: both counted")
        << "plan Yard; plan Roof; target 500 500; target 600 600 last" << 0 << ""
        << "Camera 1"
        << "Targets met: 0 of 2"
        << "&Undo Add Target";
    QTest::newRow("a target in front of the camera placed: met")
        << "plan Yard; mnuShowPlan; tool placeCamera; click; target 0 3" << 1 << "Camera 1"
        << "Camera 1"
        << "Targets met: 1 of 1"
        << "&Undo Add Target";
    QTest::newRow("the camera's placing undone: the target no longer met")
        << "plan Yard; target 0 3; mnuShowPlan; tool placeCamera; click; mnuUndo" << 1 << ""
        << "Camera 1"
        << "Targets met: 0 of 1"
        << "&Undo Add Target";
    QTest::newRow("a camera picked on the plan: current in the schedule")
        << "mnuAddCamera; plan Yard; mnuShowPlan; tool placeCamera; click 100; select 0; "
           "tool selectTool; click 100"
        << 1 << "Camera 2"
        << "Camera 2"
        << ""
        << "&Undo Place Camera";
    QTest::newRow("a placed camera selected: Place Camera places a new one")
        << "plan Yard; mnuShowPlan; tool placeCamera; click; click 100" << 1 << "Camera 1,Camera 2"
        << "Camera 2"
        << ""
        << "&Undo Place Camera";
    QTest::newRow("Delete on the plan: the target picked goes, not the camera")
        << "plan Yard; target 500 500; mnuShowPlan; pick target; key Delete" << 1 << ""
        << "Camera 1"
        << ""
        << "&Undo Remove Target";
    QTest::newRow("Delete on the plan with nothing of its own: the camera goes")
        << "mnuAddCamera; plan Yard; mnuShowPlan; key Delete" << 1 << ""
        << "Camera 1"
        << ""
        << "&Undo Remove Camera 2";
    QTest::newRow("back to the camera") << "plan Yard; mnuShowPlan; mnuShowCamera" << 0 << ""
                                        << "Camera 1"
                                        << ""
                                        << "&Undo Add Plan";
}

void DesignWindowTest::thePlanFollowsTheDesign() {
    QFETCH(QString, steps);
    Run(steps);
    QTEST(Find<QStackedWidget>("designPages")->currentIndex(), "page");
    QStringList placed;
    for (const Camera& camera : Document().Current().cameras) {
        if (camera.placement)
            placed << QString::fromStdU16String(camera.name);
    }
    QTEST(placed.join(','), "placed");
    QTEST(Schedule()->currentIndex().siblingAtColumn(0).data().toString(), "current");
    auto* met = Find<QLabel>("scheduleTargetsMet");
    QTEST(met->isVisibleTo(windows->coverage()) ? met->text() : QString(), "met");
    QTEST(Find<QAction>("mnuUndo")->text(), "undo");
    QCOMPARE(Find<QTabBar>("plans")->count(), int(Document().Current().plans.size()));
}

QTEST_MAIN(DesignWindowTest)
#include "test_design_window.moc"
