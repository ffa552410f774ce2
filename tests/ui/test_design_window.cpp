// The design window as the user edits a design: the Camera and Edit menus, the schedule's rows,
// the camera shown in the form, and what each camera follows.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

#include "coverage_window.h"
#include "design_document.h"
#include "design_windows.h"
#include "layout.h"
#include "module1.h"
#include "private_home.h"

class DesignWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { RegisterFontSubstitutes(); }
    void init();
    void cleanup() { windows.reset(); }

    void editsThroughTheMenus_data();
    void editsThroughTheMenus();

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
// "rename 1 Gate" (typed over the row's name).
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

QTEST_MAIN(DesignWindowTest)
#include "test_design_window.moc"
