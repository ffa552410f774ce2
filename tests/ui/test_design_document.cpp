// The design being edited: each edit one step of Edit > Undo with its text, typing merged into one
// step, followed inputs no step; the modified mark; and the schedule table it feeds, which redraws
// only the rows that changed.
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QtTest>

#include "design_document.h"
#include "design_edits.h"
#include "schedule_model.h"

namespace {

std::vector<std::string> Ids(const QStringList& words) {
    std::vector<std::string> ids;
    for (const QString& word : words)
        ids.push_back(word.toStdString());
    return ids;
}

// "1,2" "3,4" as plan points.
std::vector<PlanPoint> Points(const QStringList& words) {
    std::vector<PlanPoint> points;
    for (const QString& word : words)
        points.push_back(
            {word.section(u',', 0, 0).toDouble(), word.section(u',', 1, 1).toDouble()});
    return points;
}

// Runs steps separated by "; " on the document: "focal c1 8" (typed), "follow c1 9" (from the
// calculator), "name c1 Gate", "add c1", "dup c1 c2", "remove c1 c2", "move c2 0", "design
// Site", "notes Client", "unit ft", "break", "undo", "save", "load"; on plans: "plan Yard" (as
// "c1" ids, the first word after the verb is an id: "plan - Yard"), "renameplan p1 Shop",
// "removeplan p1", "wall p1 0,0 5,0 5,5", "target p1 3,4", "place c1 p1 1,2" (heading 90),
// "moveon c1 3,3", "turn c1 45", "unplace c1".
void Run(DesignDocument& document, const QString& steps) {
    for (const QString& step : steps.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
        QStringList words = step.split(u' ');
        const QString verb = words.takeFirst();
        const std::string id = words.value(0).toStdString();
        const QString rest = words.mid(1).join(u' ');
        CoverageInputs inputs;
        if (const Camera* camera = FindCamera(document.Current(), id))
            inputs = camera->inputs;
        inputs.focalLengthMm = rest.toStdU16String();
        if (verb == "focal")
            document.EditCamera(id, inputs);
        else if (verb == "follow")
            document.SetFollowedInputs(id, inputs);
        else if (verb == "name")
            document.RenameCamera(id, rest.toStdU16String());
        else if (verb == "add")
            document.AddCameraAfter(id);
        else if (verb == "dup")
            document.DuplicateCameras(Ids(words));
        else if (verb == "remove")
            document.RemoveCameras(Ids(words));
        else if (verb == "move")
            document.MoveCamera(id, rest.toULongLong());
        else if (verb == "design")
            document.Rename(words.join(u' ').toStdU16String());
        else if (verb == "notes")
            document.SetNotes(words.join(u' ').toStdU16String());
        else if (verb == "unit")
            document.SetUnit(LengthUnit::Feet);
        else if (verb == "plan")
            document.AddPlan(rest.toStdU16String());
        else if (verb == "renameplan")
            document.RenamePlan(id, rest.toStdU16String());
        else if (verb == "removeplan")
            document.RemovePlan(id);
        else if (verb == "wall")
            document.DrawWall(id, Points(words.mid(1)));
        else if (verb == "target")
            document.AddTarget(id, u"Gate", Points(words.mid(1)).at(0), 4);
        else if (verb == "place")
            document.PlaceCamera(id, words.value(1).toStdString(), Points(words.mid(2)).at(0), 90);
        else if (verb == "moveon")
            document.MoveCameraOnPlan(id, Points(words.mid(1)).at(0));
        else if (verb == "turn")
            document.TurnCamera(id, rest.toDouble());
        else if (verb == "unplace")
            document.UnplaceCamera(id);
        else if (verb == "break")
            document.BreakMerge();
        else if (verb == "undo")
            document.UndoStack().undo();
        else if (verb == "save")
            document.MarkSaved(QStringLiteral("/designs/site.vistamarq"));
        else if (verb == "load")
            document.Load(NewDesign(LengthUnit::Metres), {});
        else
            QFAIL(qPrintable("no such step: " + step));
    }
}

// "name=Site notes=Client ft c1:Camera 1:4, c2:Gate:8"
QString State(const Design& design) {
    QStringList parts;
    if (!design.name.empty())
        parts << "name=" + QString::fromStdU16String(design.name);
    if (!design.notes.empty())
        parts << "notes=" + QString::fromStdU16String(design.notes);
    if (design.unit == LengthUnit::Feet)
        parts << QStringLiteral("ft");
    QStringList cameras;
    for (const Camera& camera : design.cameras)
        cameras << QString::fromStdString(camera.id) + ':' +
                       QString::fromStdU16String(camera.name) + ':' +
                       QString::fromStdU16String(camera.inputs.focalLengthMm);
    parts << cameras.join(QStringLiteral(", "));
    // What the plans hold, only for a design that has any: "| p1:Yard 2 walls t1@3,4 | c1@p1 1,2
    // 90"
    QStringList plans;
    for (const Plan& plan : design.plans) {
        QString text = QString::fromStdString(plan.id) + ':' +
                       QString::fromStdU16String(plan.name) +
                       QStringLiteral(" %1 walls").arg(plan.walls.size());
        for (const Target& target : plan.targets)
            text += QStringLiteral(" %1@%2,%3")
                        .arg(QString::fromStdString(target.id))
                        .arg(target.x)
                        .arg(target.y);
        plans << text;
    }
    for (const Camera& camera : design.cameras) {
        if (camera.placement)
            plans << QStringLiteral("%1@%2 %3,%4 %5")
                         .arg(QString::fromStdString(camera.id),
                              QString::fromStdString(camera.placement->plan))
                         .arg(camera.placement->x)
                         .arg(camera.placement->y)
                         .arg(camera.placement->headingDeg);
    }
    if (!plans.isEmpty())
        parts << "| " + plans.join(QStringLiteral(" | "));
    return parts.join(u' ');
}

}  // namespace

class DesignDocumentTest : public QObject {
    Q_OBJECT

  private slots:
    void history_data();
    void history();
    void modified_data();
    void modified();
    void windowTitle_data();
    void windowTitle();
    void scheduleRedrawsWhatChanged_data();
    void scheduleRedrawsWhatChanged();
    void scheduleSortsByTheFigures_data();
    void scheduleSortsByTheFigures();
    void scheduleRenamesThroughTheNameColumn();
};

void DesignDocumentTest::history_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("count");  // steps in the history
    QTest::addColumn<QString>("undoText");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("undone");  // after one more undo
    const QString one = QStringLiteral("c1:Camera 1:4");
    const QString two = QStringLiteral("c1:Camera 1:4, c2:Camera 2:4");
    QTest::newRow("a camera edited") << "focal c1 8" << 1 << "Edit Camera 1"
                                     << "c1:Camera 1:8" << one;
    QTest::newRow("typing in one box: one step")
        << "focal c1 8; focal c1 80; focal c1 8.5" << 1 << "Edit Camera 1"
        << "c1:Camera 1:8.5" << one;
    QTest::newRow("the field left: a new step")
        << "focal c1 8; break; focal c1 80" << 2 << "Edit Camera 1"
        << "c1:Camera 1:80"
        << "c1:Camera 1:8";
    QTest::newRow("typed back to the start: no step")
        << "focal c1 8; focal c1 4" << 0 << "" << one << one;
    QTest::newRow("typing after an undo: a new step")
        << "focal c1 8; break; focal c1 9; undo; focal c1 10" << 2 << "Edit Camera 1"
        << "c1:Camera 1:10"
        << "c1:Camera 1:8";
    QTest::newRow("typing after a save: a new step")
        << "focal c1 8; save; focal c1 9" << 2 << "Edit Camera 1"
        << "c1:Camera 1:9"
        << "c1:Camera 1:8";
    QTest::newRow("another camera's edit between: three steps")
        << "add c1; focal c1 8; focal c2 9; focal c1 10" << 4 << "Edit Camera 1"
        << "c1:Camera 1:10, c2:Camera 2:9"
        << "c1:Camera 1:8, c2:Camera 2:9";
    QTest::newRow("a camera renamed, named as it was")
        << "name c1 G; name c1 Gate" << 1 << "Rename Camera 1"
        << "c1:Gate:4" << one;
    QTest::newRow("an unnamed camera edited")
        << "name c1 ; break; focal c1 8" << 2 << "Edit Unnamed camera"
        << "c1::8"
        << "c1::4";
    QTest::newRow("a camera added") << "add c1" << 1 << "Add Camera" << two << one;
    QTest::newRow("one duplicated") << "dup c1" << 1 << "Duplicate Camera 1" << two << one;
    QTest::newRow("two duplicated")
        << "add c1; dup c1 c2" << 2 << "Duplicate 2 Cameras"
        << "c1:Camera 1:4, c3:Camera 3:4, c2:Camera 2:4, c4:Camera 4:4" << two;
    QTest::newRow("one removed comes back as it was")
        << "add c1; name c2 Gate; break; focal c2 8; remove c2" << 4 << "Remove Gate" << one
        << "c1:Camera 1:4, c2:Gate:8";
    QTest::newRow("two removed") << "add c1; remove c1 c2" << 2 << "Remove 2 Cameras"
                                 << "" << two;
    QTest::newRow("a camera moved") << "add c1; move c2 0" << 2 << "Move Camera"
                                    << "c2:Camera 2:4, c1:Camera 1:4" << two;
    QTest::newRow("cameras not in the design, a move to its place: no step")
        << "remove c9; dup c9; focal c9 8; name c9 X; move c1 0" << 0 << "" << one << one;
    QTest::newRow("the design renamed") << "design S; design Site" << 1 << "Rename Design"
                                        << "name=Site " + one << one;
    QTest::newRow("notes typed") << "notes C; notes Client" << 1 << "Edit Notes"
                                 << "notes=Client " + one << one;
    QTest::newRow("the unit changed") << "unit ft" << 1 << "Change Unit"
                                      << "ft " + one << one;
    const QString yard = one + " | p1:Yard 0 walls";
    QTest::newRow("a plan added") << "plan - Yard" << 1 << "Add Plan" << yard << one;
    QTest::newRow("a plan renamed") << "plan - Yard; renameplan p1 Shop" << 2 << "Rename Plan"
                                    << one + " | p1:Shop 0 walls" << yard;
    QTest::newRow("a wall of three corners: one step")
        << "plan - Yard; wall p1 0,0 5,0 5,5" << 2 << "Draw Wall" << one + " | p1:Yard 2 walls"
        << yard;
    QTest::newRow("a wall of one corner: no step")
        << "plan - Yard; wall p1 0,0" << 1 << "Add Plan" << yard << one;
    QTest::newRow("a target added")
        << "plan - Yard; target p1 3,4" << 2 << "Add Target" << yard + " t1@3,4" << yard;
    QTest::newRow("a camera placed") << "plan - Yard; place c1 p1 1,2" << 2 << "Place Camera 1"
                                     << yard + " | c1@p1 1,2 90" << yard;
    QTest::newRow("a camera moved on the plan, then turned")
        << "plan - Yard; place c1 p1 1,2; moveon c1 3,3; turn c1 45" << 4 << "Turn Camera 1"
        << yard + " | c1@p1 3,3 45" << yard + " | c1@p1 3,3 90";
    QTest::newRow("a move on the plan")
        << "plan - Yard; place c1 p1 1,2; moveon c1 3,3" << 3 << "Move Camera 1 on the Plan"
        << yard + " | c1@p1 3,3 90" << yard + " | c1@p1 1,2 90";
    QTest::newRow("a camera taken off")
        << "plan - Yard; place c1 p1 1,2; unplace c1" << 3 << "Take Camera 1 off the Plan" << yard
        << yard + " | c1@p1 1,2 90";
    QTest::newRow("a plan removed: its camera back on it by undo")
        << "plan - Yard; place c1 p1 1,2; removeplan p1" << 3 << "Remove Yard" << one
        << yard + " | c1@p1 1,2 90";
    QTest::newRow("placed on a plan the design has not: no step")
        << "place c1 p9 1,2" << 0 << "" << one << one;
    QTest::newRow("followed inputs: no step") << "follow c1 9" << 0 << ""
                                              << "c1:Camera 1:9"
                                              << "c1:Camera 1:9";
    QTest::newRow("followed inputs kept by undoing another step")
        << "design Site; follow c1 9" << 1 << "Rename Design"
        << "name=Site c1:Camera 1:9"
        << "c1:Camera 1:9";
    QTest::newRow("followed inputs end the typing")
        << "focal c1 8; follow c1 9; focal c1 10" << 2 << "Edit Camera 1"
        << "c1:Camera 1:10"
        << "c1:Camera 1:9";
}

void DesignDocumentTest::history() {
    QFETCH(QString, steps);
    QFETCH(int, count);
    QFETCH(QString, undoText);
    QFETCH(QString, state);
    QFETCH(QString, undone);
    DesignDocument document(NewDesign(LengthUnit::Metres));
    Run(document, steps);
    QCOMPARE(document.UndoStack().count(), count);
    QCOMPARE(document.UndoStack().undoText(), undoText);
    QCOMPARE(State(document.Current()), state);

    QSignalSpy cameras(&document, &DesignDocument::cameraChanged);
    QSignalSpy changes(&document, &DesignDocument::designChanged);
    document.UndoStack().undo();
    QCOMPARE(State(document.Current()), undone);
    QCOMPARE(changes.size(), count > 0 ? 1 : 0);
    // A step on one camera tells its row; a step on the list or the design tells none.
    const bool oneCamera = undoText.contains(
        QRegularExpression("^(Edit|Rename|Place|Turn|Take) (Camera|Unn)|on the Plan$"));
    QCOMPARE(cameras.size(), oneCamera ? 1 : 0);
    document.UndoStack().redo();
    QCOMPARE(State(document.Current()), state);
}

void DesignDocumentTest::modified_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<bool>("modified");
    QTest::newRow("new") << "" << false;
    QTest::newRow("edited") << "focal c1 8" << true;
    QTest::newRow("saved") << "focal c1 8; save" << false;
    QTest::newRow("undone back to what was saved") << "focal c1 8; save; focal c1 9; undo" << false;
    QTest::newRow("undone past the save") << "focal c1 8; save; undo" << true;
    QTest::newRow("followed inputs, untitled and unchanged: nothing to lose")
        << "follow c1 9" << false;
    QTest::newRow("followed inputs of a saved design") << "focal c1 8; save; follow c1 9" << true;
    QTest::newRow("followed inputs, every step undone") << "focal c1 8; follow c1 9; undo" << true;
    QTest::newRow("followed inputs saved") << "follow c1 9; save" << false;
    QTest::newRow("another design loaded") << "focal c1 8; load" << false;
}

void DesignDocumentTest::modified() {
    QFETCH(QString, steps);
    QFETCH(bool, modified);
    DesignDocument document(NewDesign(LengthUnit::Metres));
    QSignalSpy told(&document, &DesignDocument::modifiedChanged);
    Run(document, steps);
    QCOMPARE(document.IsModified(), modified);
    QCOMPARE(told.isEmpty() ? false : told.last().at(0).toBool(), modified);
}

void DesignDocumentTest::windowTitle_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("untitled") << ""
                              << ""
                              << "Untitled \u2014 Vistamarq Design[*]";
    QTest::newRow("named") << "Gate"
                           << "/d/site.vistamarq"
                           << "Gate \u2014 Vistamarq Design[*]";
    QTest::newRow("no name: the file's") << ""
                                         << "/d/site.v1.vistamarq"
                                         << "site.v1 \u2014 Vistamarq Design[*]";
    QTest::newRow("a [*] in the name shown as it is") << "A [*] B"
                                                      << ""
                                                      << "A [*][*] B \u2014 Vistamarq Design[*]";
}

void DesignDocumentTest::windowTitle() {
    QFETCH(QString, name);
    QFETCH(QString, path);
    QFETCH(QString, title);
    Design design = NewDesign(LengthUnit::Metres);
    design.name = name.toStdU16String();
    DesignDocument document(design, path);
    QCOMPARE(document.WindowTitle(), title);
}

void DesignDocumentTest::scheduleRedrawsWhatChanged_data() {
    QTest::addColumn<QString>("steps");  // on three cameras
    QTest::addColumn<QString>("rowsTold");
    QTest::addColumn<int>("resets");
    QTest::newRow("a camera edited: its row") << "focal c2 8"
                                              << "1-1" << 0;
    QTest::newRow("a camera renamed: its row") << "name c3 Gate"
                                               << "2-2" << 0;
    QTest::newRow("an edit undone: its row again") << "focal c2 8; undo"
                                                   << "1-1 1-1" << 0;
    QTest::newRow("followed inputs: its row") << "follow c3 9"
                                              << "2-2" << 0;
    QTest::newRow("the design renamed, notes: no row") << "design Site; notes C"
                                                       << "" << 0;
    QTest::newRow("the unit changed: every row at once") << "unit ft"
                                                         << "0-2" << 0;
    QTest::newRow("a camera added") << "add c1"
                                    << "" << 1;
    QTest::newRow("a camera removed") << "remove c2"
                                      << "" << 1;
    QTest::newRow("a camera moved") << "move c3 0"
                                    << "" << 1;
}

void DesignDocumentTest::scheduleRedrawsWhatChanged() {
    QFETCH(QString, steps);
    QFETCH(QString, rowsTold);
    QFETCH(int, resets);
    DesignDocument document(AddCamera(AddCamera(NewDesign(LengthUnit::Metres), "c1"), "c2"));
    ScheduleModel model({});
    model.SetDesign(document.Current());
    connect(&document, &DesignDocument::designChanged, &model, &ScheduleModel::SetDesign);
    QSignalSpy told(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    Run(document, steps);
    QStringList rows;
    for (const QList<QVariant>& signal : told) {
        const auto from = signal.at(0).value<QModelIndex>();
        const auto to = signal.at(1).value<QModelIndex>();
        QCOMPARE(from.column(), 0);
        QCOMPARE(to.column(), static_cast<int>(kScheduleColumns) - 1);
        rows << QStringLiteral("%1-%2").arg(from.row()).arg(to.row());
    }
    QCOMPARE(rows.join(u' '), rowsTold);
    QCOMPARE(reset.size(), resets);
    // What the rows show is the design's, however they were told.
    const std::vector<ScheduleRow> expected = ScheduleOf(document.Current(), {});
    QCOMPARE(model.rowCount(), static_cast<int>(expected.size()));
    for (int row = 0; row < model.rowCount(); ++row) {
        for (int column = 0; column < model.columnCount(); ++column) {
            QCOMPARE(model.index(row, column).data().toString(),
                     QString::fromStdU16String(
                         expected[row].cells[static_cast<std::size_t>(column)].text));
        }
    }
}

void DesignDocumentTest::scheduleSortsByTheFigures_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("order");  // the names, sorted up
    QTest::newRow("focal length: 4 mm, 8 mm, 12 mm, not by the text")
        << static_cast<int>(ScheduleColumn::FocalLength) << "Door Car park Gate";
    QTest::newRow("name: by the text")
        << static_cast<int>(ScheduleColumn::Name) << "Car park Door Gate";
}

void DesignDocumentTest::scheduleSortsByTheFigures() {
    QFETCH(int, column);
    QFETCH(QString, order);
    DesignDocument document(AddCamera(AddCamera(NewDesign(LengthUnit::Metres), "c1"), "c2"));
    Run(document, "name c1 Gate; focal c1 12; name c2 Car park; focal c2 8; name c3 Door");
    ScheduleModel model({});
    model.SetDesign(document.Current());
    QCOMPARE(model.index(0, static_cast<int>(ScheduleColumn::Met)).data(Qt::ToolTipRole),
             "Level reached: Identify; required: Identify");
    QSortFilterProxyModel sorted;
    sorted.setSourceModel(&model);
    sorted.setSortRole(ScheduleModel::SortRole);
    sorted.sort(column);
    QStringList names;
    for (int row = 0; row < sorted.rowCount(); ++row)
        names << sorted.index(row, 0).data().toString();
    QCOMPARE(names.join(u' '), order);
}

void DesignDocumentTest::scheduleRenamesThroughTheNameColumn() {
    DesignDocument document(AddCamera(NewDesign(LengthUnit::Metres), "c1"));
    ScheduleModel model({});
    model.SetDesign(document.Current());
    connect(&document, &DesignDocument::designChanged, &model, &ScheduleModel::SetDesign);
    connect(&model, &ScheduleModel::renameRequested, &document,
            [&](const std::string& id, const QString& name) {
                document.RenameCamera(id, name.toStdU16String());
            });
    const QModelIndex name = model.index(1, static_cast<int>(ScheduleColumn::Name));
    const QModelIndex focal = model.index(1, static_cast<int>(ScheduleColumn::FocalLength));
    QVERIFY(model.flags(name) & Qt::ItemIsEditable);
    QVERIFY(!(model.flags(focal) & Qt::ItemIsEditable));
    QVERIFY(!model.setData(focal, "8"));
    QVERIFY(!model.setData(name, "Camera 2"));  // the same name: nothing to undo
    QVERIFY(model.setData(name, "Gate"));
    QCOMPARE(name.data().toString(), "Gate");
    QCOMPARE(document.UndoStack().undoText(), "Rename Camera 2");
    QCOMPARE(model.RowOf("c2"), 1);
    QCOMPARE(name.data(ScheduleModel::CameraIdRole).toString(), "c2");
}

QTEST_GUILESS_MAIN(DesignDocumentTest)
#include "test_design_document.moc"
