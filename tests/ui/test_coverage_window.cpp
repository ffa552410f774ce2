// The Coverage window as the program opens it: beside either mode window, following the
// calculator or a part number without ever writing into them, and idle while hidden.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QtTest>

#include "coverage_window.h"
#include "design_windows.h"
#include "layout.h"
#include "module1.h"
#include "obbiettivi.h"
#include "partno_window.h"
#include "private_home.h"

class CoverageWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { RegisterFontSubstitutes(); }
    void init();
    void cleanup() { windows.reset(); }

    void opensBesideEitherModeWindowAndStays();
    void showsWhatItsSourceGives_data();
    void showsWhatItsSourceGives();
    void editingNeverChangesTheCalculator();
    void closedItKeepsItsInputsAndFollowsOnlyWhenShown();
    void badInputShowsDashesAndWhatToEnter_data();
    void badInputShowsDashesAndWhatToEnter();
    void anEditMeasuresTheTableOnce();
    void startsInTheUsersNumberFormat();
    void theAspectTakesThePixelsAlong_data();
    void theAspectTakesThePixelsAlong();

  private:
    void Open(QWidget* from) {
        from->activateWindow();  // as the window manager does when Coverage is closed
        QVERIFY(QTest::qWaitForWindowActive(from));
        QTest::keyClick(from, Qt::Key_K, Qt::ControlModifier);
        QVERIFY(windows->coverage());
        QVERIFY(QTest::qWaitForWindowExposed(windows->coverage()));
    }
    template <typename Control>
    Control* Find(const QWidget* window, const QString& name) const {
        return window ? window->findChild<Control*>(name) : nullptr;
    }
    // The texts of the Coverage window's controls named, joined by spaces.
    QString Texts(const QString& names) const {
        QStringList texts;
        for (const QString& name : names.split(' ')) {
            const QWidget* control = Find<QWidget>(windows->coverage(), name);
            const auto* list = qobject_cast<const QComboBox*>(control);
            texts << (list ? list->currentText() : control->property("text").toString());
        }
        return texts.join(' ');
    }
    void Type(QLineEdit* box, const QString& text) {
        QTest::mouseClick(box, Qt::LeftButton);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }
    // "name=value": types into a box of Coverage or of the calculator (until its next tick) or
    // chooses the value-th item of a Coverage list; "part=TG06" types a part number in its mode
    // window; a name alone clicks that option of the calculator.
    void Do(const QString& steps);
    // What a user could see changed in the calculator: its boxes and options.
    QString CalculatorState() const {
        QStringList state;
        for (const auto* box : windows->obbiettivi()->findChildren<QLineEdit*>())
            state << box->objectName() + '=' + box->text();
        for (const auto* option : windows->obbiettivi()->findChildren<QRadioButton*>())
            state << option->objectName() + (option->isChecked() ? "*" : "");
        return state.join(' ');
    }
    QString VisibleWindows() const {
        QStringList names;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible())
                names << window->objectName();
        names.sort();
        return names.join(',');
    }

    PrivateHome home;
    std::unique_ptr<Module1> windows;
};

void CoverageWindowTest::init() {
    QLocale::setDefault(QLocale::c());  // a decimal point, and metres
    windows = std::make_unique<Module1>("/nonexistent/settings", DesignWindowsInProcess);
    QVERIFY(QTest::qWaitForWindowActive(windows->obbiettivi()));
    QTRY_COMPARE(Find<QLineEdit>(windows->obbiettivi(), "H1")->text(), QString("24"));
}

void CoverageWindowTest::Do(const QString& steps) {
    for (const QString& step : steps.split(';', Qt::SkipEmptyParts)) {
        const QString name = step.section('=', 0, 0), value = step.section('=', 1);
        if (name == "part") {
            Find<QAction>(windows->obbiettivi(), "mnuPartNo")->trigger();
            QVERIFY(QTest::qWaitForWindowActive(windows->partNo()));
            QTest::keyClicks(Find<QLineEdit>(windows->partNo(), "txtPartNo"), value);
        } else if (auto* list = Find<QComboBox>(windows->coverage(), name)) {
            list->setCurrentIndex(value.toInt());
        } else if (auto* field = Find<QLineEdit>(windows->coverage(), name)) {
            Type(field, value);
        } else if (auto* box = Find<QLineEdit>(windows->obbiettivi(), name)) {
            windows->obbiettivi()->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(windows->obbiettivi()));
            QSignalSpy ticks(windows->obbiettivi(), &Obbiettivi::calculatorChanged);
            Type(box, value);
            QTRY_VERIFY(!ticks.isEmpty());
        } else {
            Find<QRadioButton>(windows->obbiettivi(), name)->click();
        }
    }
}

void CoverageWindowTest::opensBesideEitherModeWindowAndStays() {
    QVERIFY(!windows->coverage());  // nothing of it is made at start-up
    Open(windows->obbiettivi());    // Ctrl+K
    QWidget* opened = windows->coverage();
    QCOMPARE(opened->windowTitle(), QString("Untitled \u2014 Vistamarq Design[*]"));
    QCOMPARE(VisibleWindows(), QString("Coverage,Obbiettivi"));
    Do("part=");
    QCOMPARE(VisibleWindows(), QString("Coverage,PartNo"));
    opened->close();
    Open(windows->partNo());
    QCOMPARE(VisibleWindows(), QString("Coverage,PartNo"));
    Find<QAction>(windows->partNo(), "mnuType")->trigger();
    QCOMPARE(VisibleWindows(), QString("Coverage,Obbiettivi"));
    opened->close();
    Find<QAction>(windows->obbiettivi(), "mnuCoverage")->trigger();
    QCOMPARE(VisibleWindows(), QString("Coverage,Obbiettivi"));
    QCOMPARE(windows->coverage(), opened);
}

void CoverageWindowTest::showsWhatItsSourceGives_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<bool>("teleOffered");
    QTest::addColumn<QString>("shown");  // follow, format, focal length, distance and its unit
    QTest::addColumn<QString>("results");
    const auto row = [](const char* name, const QString& steps, bool tele, const QString& shown,
                        const QString& results) {
        QTest::newRow(name) << steps << tele << shown << results;
    };
    const QString wide = "Calculator, wide (row 1) 1/3\" (nominal, 6 mm diagonal) ";
    const QString own = "Own values 1/3\" (nominal, 6 mm diagonal) ";
    row("row 1 at the calculator's start", "", false, wide + "4 6.096 m",
        "262.5 px/m (80.0 px/ft) Identify");
    row("row 1: 7 in H1, the focal length at full precision", "H1=7", false,
        wide + "13.7142857142857 6.096 m", "899.9 px/m (274.3 px/ft) Identify");
    row("row 1: 40 in L1, the distance in metres", "L1=40", false, wide + "8 12.192 m",
        "262.5 px/m (80.0 px/ft) Identify");
    row("row 1: 1/2 inch", "unmezzo", false,
        "Calculator, wide (row 1) 1/2\" (nominal, 8 mm diagonal) 4 6.096 m",
        "196.9 px/m (60.0 px/ft) Recognise");
    row("row 2 with the zoom: 16 in H2", "zoom;follow=1;H2=16", true,
        "Calculator, tele (row 2) 1/3\" (nominal, 6 mm diagonal) 6 6.096 m",
        "393.7 px/m (120.0 px/ft) Identify");
    row("row 2, then a fixed lens: row 1 again", "zoom;follow=1;H2=16;FF", false,
        wide + "4 6.096 m", "262.5 px/m (80.0 px/ft) Identify");
    row("part number TG06: 1/3 inch, 6 mm", "follow=2;part=TG06", false,
        "Part number 1/3\" (nominal, 6 mm diagonal) 6 6.096 m",
        "393.7 px/m (120.0 px/ft) Identify");
    row("part number MG35: 2/3 inch, 3.5 mm", "follow=2;part=MG35", false,
        "Part number 2/3\" (nominal, 11 mm diagonal) 3.5 6.096 m",
        "125.3 px/m (38.2 px/ft) Recognise");
    row("own values: 1/2.8 inch at 16:9, 6 mm, 15 m",
        "follow=3;format=7;aspect=1;focal=6;distance=15", false,
        "Own values 1/2.8\" (nominal, 6.43 mm diagonal) 6 15 m",
        "137.1 px/m (41.8 px/ft) Recognise");
    row("row 1 in feet and back", "units=1;units=0", false, wide + "4 6.096 m",
        "262.5 px/m (80.0 px/ft) Identify");
    row("own values: 10 m in feet, shown to hundredths", "follow=3;distance=10;units=1", false,
        own + "4 32.81 ft", "48.8 px/ft (160.0 px/m) Recognise");
    row("own values: 10 m in feet and back", "follow=3;distance=10;units=1;units=0", false,
        own + "4 10 m", "160.0 px/m (48.8 px/ft) Recognise");
}

// A pair of the other shape is never kept silently: a preset with the same pixels across, or the
// pixels down from the ratio, said in the message line.
void CoverageWindowTest::theAspectTakesThePixelsAlong_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("shown");  // aspect, pixels across and down, the message
    QTest::newRow("own 4:3 preset to 16:9: the 16:9 preset") << "follow=3;aspect=1"
                                                             << "16:9 1920 1080 ";
    QTest::newRow("own 3840 x 2160 to 4:3: down from the ratio, said")
        << "follow=3;aspect=1;pixelsH=3840;pixelsV=2160;aspect=0"
        << "4:3 3840 2880 The pixels down were set from the aspect ratio: 3840 \u00d7 2880.";
    QTest::newRow("own 16:9, then the calculator's 4:3: its preset") << "follow=3;aspect=1;follow=0"
                                                                     << "4:3 1920 1440 ";
}

void CoverageWindowTest::theAspectTakesThePixelsAlong() {
    QFETCH(QString, steps);
    QFETCH(QString, shown);
    Open(windows->obbiettivi());
    Do(steps);
    QTRY_COMPARE(Texts("aspect pixelsH pixelsV message"), shown);
}

void CoverageWindowTest::showsWhatItsSourceGives() {
    QFETCH(QString, steps);
    QFETCH(bool, teleOffered);
    QFETCH(QString, shown);
    QFETCH(QString, results);
    Open(windows->obbiettivi());
    QCOMPARE(Texts("units"), QString("metres"));  // the C locale measures in metres
    Do(steps);
    QTRY_COMPARE(Texts("follow format focal distance distanceUnit"), shown);
    QCOMPARE(Texts("density level"), results);
    auto* list = Find<QComboBox>(windows->coverage(), "follow");
    QCOMPARE(qobject_cast<QStandardItemModel*>(list->model())->item(1)->isEnabled(), teleOffered);
    const bool own = shown.startsWith("Own values");
    QCOMPARE(Find<QWidget>(windows->coverage(), "format")->isEnabled(), own);
    QCOMPARE(Find<QLineEdit>(windows->coverage(), "focal")->isReadOnly(), !own);
    QCOMPARE(Find<QLineEdit>(windows->coverage(), "distance")->isReadOnly(),
             shown.startsWith("Calculator"));
}

void CoverageWindowTest::editingNeverChangesTheCalculator() {
    Do("zoom;H1=16");
    const QString before = CalculatorState();
    Open(windows->obbiettivi());
    Do("follow=1;follow=3;format=0;aspect=1;units=1;focal=33;distance=33;pixelsH=33;follow=0");
    QTest::qWait(150);  // a few of the calculator's ticks
    QCOMPARE(CalculatorState(), before);
}

void CoverageWindowTest::closedItKeepsItsInputsAndFollowsOnlyWhenShown() {
    Open(windows->obbiettivi());
    Do("pixelsH=2560;units=1");
    QWidget* opened = windows->coverage();
    QVERIFY(opened->close());
    QCOMPARE(VisibleWindows(), QString("Obbiettivi"));
    Do("H1=16");  // the calculator has changed
    QCOMPARE(Texts("focal pixelsH distance density"),
             QString("4 2560 20 106.7 px/ft (350.0 px/m)"));
    Open(windows->obbiettivi());
    QCOMPARE(windows->coverage(), opened);
    QCOMPARE(Texts("focal pixelsH distance density"),
             QString("6 2560 20 160.0 px/ft (524.9 px/m)"));
}

void CoverageWindowTest::badInputShowsDashesAndWhatToEnter_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("results");  // angle, density, level
    QTest::addColumn<QString>("message");
    const auto row = [](const char* name, const QString& typed, const QString& results,
                        const QString& message) {
        QTest::newRow(name) << typed << results << message;
    };
    row("focal length 0", "focal=0", "— — —", "Enter a focal length above 0 mm.");
    row("focal length empty", "focal=", "— — —", "Enter a focal length above 0 mm.");
    row("focal length not a number", "focal=4x", "— — —", "Enter a focal length above 0 mm.");
    row("distance negative", "distance=-3", "61.9° — —", "Enter a distance above 0 m.");
    row("pixels across 0", "pixelsH=0", "61.9° — —",
        "Enter the pixels across as a whole number from 1 to 100000.");
}

void CoverageWindowTest::badInputShowsDashesAndWhatToEnter() {
    QFETCH(QString, typed);
    QFETCH(QString, results);
    QFETCH(QString, message);
    Open(windows->obbiettivi());
    Do("follow=3;" + typed);
    QCOMPARE(Texts("angleH density level"), results);
    QCOMPARE(Texts("message"), message);
    QVERIFY(Find<QLabel>(windows->coverage(), "message")->isVisible());
}

// Counts how often a table measures its cells for their size.
class MeasuringDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        ++measured;
        return QStyledItemDelegate::sizeHint(option, index);
    }
    mutable int measured = 0;
};

// Sized to its contents, the table may measure each cell once for its column and once for its
// row after an edit, not once for every cell written.
void CoverageWindowTest::anEditMeasuresTheTableOnce() {
    Open(windows->obbiettivi());
    Do("follow=3");
    auto* table = Find<QTableView>(windows->coverage(), "doriTable");
    auto* delegate = new MeasuringDelegate(table);
    table->setItemDelegate(delegate);
    QApplication::processEvents();
    delegate->measured = 0;
    Find<QLineEdit>(windows->coverage(), "focal")->setText("8");
    QApplication::processEvents();
    const QAbstractItemModel* cells = table->model();
    QVERIFY2(delegate->measured <= 2 * cells->rowCount() * cells->columnCount(),
             qPrintable(QString("%1 measurements").arg(delegate->measured)));
}

// With a decimal comma the form's start reads as it does with a point: a face 1,6 m high.
void CoverageWindowTest::startsInTheUsersNumberFormat() {
    windows.reset();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    windows = std::make_unique<Module1>("/nonexistent/settings", DesignWindowsInProcess);
    Open(windows->obbiettivi());
    Do("follow=3");
    Find<QCheckBox>(windows->coverage(), "mounted")->click();
    QCOMPARE(Texts("distance cameraHeight targetHeight tiltAngleDeg"), QString("6,096 3 1,6 30"));
    QCOMPARE(Texts("message tiltAngle"), QString::fromUtf8(" 12,9°"));
}

QTEST_MAIN(CoverageWindowTest)
#include "test_coverage_window.moc"
