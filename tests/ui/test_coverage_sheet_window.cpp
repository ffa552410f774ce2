// The Coverage window's mounting, lens list and design sheet as the user meets them: mounting
// on and off, the catalogue's lenses for the level asked, and what Copy, Save as CSV and Export
// PDF write (and that a failed write says so and leaves nothing).
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

#include "coverage_window.h"
#include "design_windows.h"
#include "layout.h"
#include "module1.h"
#include "obbiettivi.h"
#include "private_home.h"

class CoverageSheetWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { RegisterFontSubstitutes(); }
    void init();
    void cleanup() { windows.reset(); }

    void mountingChangesTheLevelAndShowsItsRows();
    void lensListFollowsTheLevelAsked();
    void aLensChosenBecomesTheCamerasLens();
    void sheetIsCopiedAndWritten_data();
    void sheetIsCopiedAndWritten();

  private:
    template <class Control>
    Control* Find(const char* name) const {
        return windows->coverage()->findChild<Control*>(name);
    }
    QString Text(const char* name) const { return Find<QLabel>(name)->text(); }
    CoverageWindow* Window() const { return qobject_cast<CoverageWindow*>(windows->coverage()); }
    void Type(const char* box, const QString& text) { Find<QLineEdit>(box)->setText(text); }

    PrivateHome home;
    std::unique_ptr<Module1> windows;
};

// The 15 ft example: a 1/3" camera with 4 mm and 1920 pixels, 15 ft up, a face at 5.5 ft and
// 20 ft away on the ground.
void CoverageSheetWindowTest::init() {
    QLocale::setDefault(QLocale::c());
    windows = std::make_unique<Module1>("/nonexistent/settings", DesignWindowsInProcess);
    windows->ShowCoverage();
    Find<QComboBox>("follow")->setCurrentIndex(int(CoverageWindow::Source::OwnValues));
    Find<QComboBox>("units")->setCurrentIndex(1);  // feet
    Type("distance", "20");
    Type("cameraHeight", "15");
    Type("targetHeight", "5.5");
}

void CoverageSheetWindowTest::mountingChangesTheLevelAndShowsItsRows() {
    QCOMPARE(Text("level"), QString("Identify"));
    QVERIFY(!Find<QLineEdit>("cameraHeight")->isVisibleTo(windows->coverage()));
    Find<QCheckBox>("mounted")->click();
    QCOMPARE(Text("level"), QString("Recognise"));
    QCOMPARE(Text("slantDistance"), QString("22.14 ft (6.75 m)"));
    QCOMPARE(Text("tiltAngle"), QString::fromUtf8("25.4°"));
    QCOMPARE(Text("blindZone"), QString("8.08 ft (2.46 m)"));
    QVERIFY(Find<QLineEdit>("cameraHeight")->isVisibleTo(windows->coverage()));
    Find<QCheckBox>("mounted")->click();
    QCOMPARE(Text("level"), QString("Identify"));
    QVERIFY(!Find<QLabel>("slantDistance")->isVisibleTo(windows->coverage()));
}

void CoverageSheetWindowTest::lensListFollowsTheLevelAsked() {
    const QAbstractItemModel* list = Find<QTreeView>("lensSuggestions")->model();
    QCOMPARE(list->rowCount(), 126);
    QCOMPARE(list->index(0, 0).data().toString(), QString("H0416"));
    QCOMPARE(Text("lensCount"), QString("126 of 126 shown"));
    QVERIFY(!Find<QLabel>("lensNote")->isVisibleTo(windows->coverage()));
    Type("distance", "400");
    Find<QComboBox>("requiredLevel")->setCurrentText("Inspect");
    QCOMPARE(list->rowCount(), 0);
    QCOMPARE(Find<QLabel>("lensNote")->text(),
             QString("No lens of the catalogue reaches Inspect at 400.00 ft with this camera."));
    QVERIFY(!Find<QLabel>("lensCount")->isVisibleTo(windows->coverage()));
}

// The filters change the list in the window; "Use this lens" sets the camera to the lens and the
// sheet names it, until a focal length the lens cannot be set to is typed.
void CoverageSheetWindowTest::aLensChosenBecomesTheCamerasLens() {
    QCOMPARE(Text("lensCount"), QString("126 of 126 shown"));
    Find<QCheckBox>("filterFixed")->click();
    QCOMPARE(
        Text("lensCount"),
        QString("%1 of 126 shown").arg(Find<QTreeView>("lensSuggestions")->model()->rowCount()));
    QVERIFY(Text("lensCount") != "126 of 126 shown");
    QTreeView* list = Find<QTreeView>("lensSuggestions");
    list->setCurrentIndex(list->model()->index(0, 0));
    const QString model = list->model()->index(0, 0).data().toString();
    const QString setTo = list->model()->index(0, 5).data().toString();
    Find<QPushButton>("useLens")->click();
    QCOMPARE(Find<QComboBox>("follow")->currentText(), QString("Own values"));
    QVERIFY(Text("lensChosen").startsWith(model + QString::fromUtf8(" \u2014 ")));
    QVERIFY(Find<QLabel>("lensChosen")->isVisibleTo(windows->coverage()));
    const QString sheet = QString::fromStdU16String(SheetText(Window()->Sheet(), NumberFormat{}));
    QVERIFY2(sheet.contains("\nLens: " + model + " ("), qPrintable(sheet));
    // Set as the list set it ("Set to", column 5: "4.00 mm").
    QCOMPARE(QString::number(Find<QLineEdit>("focal")->text().toDouble(), 'f', 2) + " mm", setTo);
    Type("focal", "1000");
    QVERIFY(!Find<QLabel>("lensChosen")->isVisibleTo(windows->coverage()));
    QVERIFY(!QString::fromStdU16String(SheetText(Window()->Sheet(), NumberFormat{}))
                 .contains("\nLens: "));
}

void CoverageSheetWindowTest::sheetIsCopiedAndWritten_data() {
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("opening");  // what the written file begins with
    QTest::newRow("Save as CSV") << "csv"
                                 << "section,name,value,unit\r\nDate,Date,";
    QTest::newRow("Export PDF") << "pdf"
                                << "%PDF";
}

void CoverageSheetWindowTest::sheetIsCopiedAndWritten() {
    QFETCH(QString, what);
    QFETCH(QString, opening);
    auto* window = Window();
    window->findChild<QPushButton*>("copySheet")->click();
    const QString copied = QApplication::clipboard()->text();
    QVERIFY2(copied.contains("\nFocal length: 4 mm\n"), qPrintable(copied.left(400)));
    QVERIFY(copied.contains("\nDORI level reached: Identify\n"));

    QTemporaryDir dir;
    const QString path = dir.filePath("sheet." + what);
    const auto failure = what == "csv" ? window->SaveCsv(path) : window->ExportPdf(path);
    QVERIFY(!failure);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    QVERIFY2(written.startsWith(opening.toUtf8()), written.left(80).constData());

    // A folder that cannot exist: inside a file.
    const QString impossible = path + "/inside." + what;
    const auto refused =
        what == "csv" ? window->SaveCsv(impossible) : window->ExportPdf(impossible);
    QVERIFY(refused && !refused->isEmpty());
    QVERIFY(!QFile::exists(impossible));
}

QTEST_MAIN(CoverageSheetWindowTest)
#include "test_coverage_sheet_window.moc"
