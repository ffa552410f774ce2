// Reads back every control of the four windows (place, size, caption, font, visibility, enabled
// state) against the layout tables, in twips as the layout is drawn up.
#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QtTest>

#include "layout.h"
#include "window_by_name.h"

namespace {

QString CaptionOf(const QWidget* widget) {
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (auto* frame = qobject_cast<const QGroupBox*>(widget))
        return frame->title();
    if (auto* box = qobject_cast<const QLineEdit*>(widget))
        return box->text();
    return {};
}

enum Look { Plain = 0, Bold = 1, Italic = 2 };

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { RegisterFontSubstitutes(); }
    void init() { windows = std::make_unique<Module1>("/nonexistent/settings"); }
    void cleanup() { windows.reset(); }

    void controls_data();
    void controls();
    void windowFrames_data();
    void windowFrames();
    void menus_data();
    void menus();
    void startSelections();
    void tabOrderSkipsHiddenAndDisabledControls();
    void imagesAtTheirPixelSizes();

  private:
    QWidget* Window(const QString& name) const { return WindowByName(*windows, name); }

    std::unique_ptr<Module1> windows;
};

void LayoutTest::controls_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("container");  // the control's parent, by name
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("points");
    QTest::addColumn<int>("look");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("enabled");

    const QString arial = "Arial", dialog = "MS Sans Serif";
    const auto row = [&](const char* window, const char* control, const char* container,
                         QRect twips, const QString& caption, const QString& family, double points,
                         int look, bool visible = true, bool enabled = true) {
        QTest::addRow("%s.%s", window, control)
            << QString(window) << QString(control) << QString(container) << twips << caption
            << family << points << look << visible << enabled;
    };

    const char* M = "Obbiettivi";
    row(M, "Sensore", "client", {120, 120, 975, 1575}, "CCD Size", arial, 8.25, Plain);
    row(M, "Frame1", "client", {1200, 120, 1575, 1575}, "Lens Type", arial, 8.25, Plain);
    row(M, "Frame2", "client", {2880, 120, 2415, 1575}, "Iris Control", arial, 8.25, Plain);
    row(M, "OptarionCons", "client", {5400, 240, 1320, 1215}, "Search        ", arial, 9.75, Bold);
    row(M, "Calcoli", "client", {120, 1800, 6620, 1905}, "Lens Calculator", arial, 8.25, Plain);
    row(M, "un", "Sensore", {120, 240, 735, 255}, "   1\"", arial, 8.25, Plain);
    row(M, "dueterzi", "Sensore", {120, 480, 735, 255}, "2/3\"", arial, 8.25, Plain);
    row(M, "unmezzo", "Sensore", {120, 720, 735, 255}, "1/2\"", arial, 8.25, Plain);
    row(M, "unterzo", "Sensore", {120, 960, 735, 255}, "1/3\"", arial, 8.25, Plain);
    row(M, "unquarto", "Sensore", {120, 1200, 735, 255}, "1/4\"", arial, 8.25, Plain);
    row(M, "zoom", "Frame1", {120, 240, 855, 255}, "Zoom", arial, 8.25, Plain);
    row(M, "VAR", "Frame1", {120, 480, 1095, 255}, "Varifocal", arial, 8.25, Plain);
    row(M, "HSP", "Frame1", {120, 720, 1215, 255}, "Aspherical", arial, 8.25, Plain);
    row(M, "FF", "Frame1", {120, 960, 1215, 255}, "Monofocal", arial, 8.25, Plain);
    row(M, "Manual", "Frame2", {120, 240, 2055, 255}, "Manual", arial, 8.25, Plain);
    row(M, "DC", "Frame2", {120, 480, 2055, 255}, "DC", arial, 8.25, Plain);
    row(M, "VD", "Frame2", {120, 720, 2055, 255}, "Video", arial, 8.25, Plain);
    row(M, "M", "Frame2", {120, 1200, 2175, 255}, "Motorized Iris (for zoom)", arial, 8.25, Plain,
        true, false);
    row(M, "Label1", "Calcoli", {120, 360, 1335, 255}, "focal length (mm)", arial, 8.25, Plain);
    row(M, "Label2", "Calcoli", {1440, 360, 1575, 255}, "object distance (ft)", arial, 8.25, Plain);
    row(M, "Label4", "Calcoli", {3000, 240, 1455, 495}, "horizontal object dimensions (ft)", arial,
        8.25, Plain);
    row(M, "Label3", "Calcoli", {4440, 240, 1335, 495}, "vertical object dimensions (ft)", arial,
        8.25, Plain);
    row(M, "Focale1", "Calcoli", {120, 720, 1335, 285}, "4", arial, 8.25, Plain);
    row(M, "L1", "Calcoli", {1560, 720, 1320, 285}, "20", arial, 8.25, Plain);
    row(M, "H1", "Calcoli", {3000, 720, 1320, 285}, "16", arial, 8.25, Plain);
    row(M, "V1", "Calcoli", {4440, 720, 1320, 285}, "12", arial, 8.25, Plain);
    row(M, "macro", "Calcoli", {5880, 720, 495, 255}, "WIDE", arial, 8.25, Plain, false);
    row(M, "Focale2", "Calcoli", {120, 1200, 1335, 285}, "4", arial, 8.25, Plain, false);
    row(M, "L2", "Calcoli", {1560, 1200, 1320, 285}, "20", arial, 8.25, Plain, false);
    row(M, "H2", "Calcoli", {3000, 1200, 1320, 285}, "16", arial, 8.25, Plain, false);
    row(M, "V2", "Calcoli", {4440, 1200, 1320, 285}, "12", arial, 8.25, Plain, false);
    row(M, "Tele", "Calcoli", {5880, 1200, 375, 255}, "TELE", arial, 8.25, Plain, false);

    const char* P = "PartNo";
    row(P, "Frame1", "client", {120, 120, 6615, 855}, "Optarion Part # : ", dialog, 8.25, Plain);
    row(P, "txtPartNo", "Frame1", {240, 360, 6135, 285}, PartNo::kPrompt, arial, 8.25, Italic);
    row(P, "Frame2", "client", {120, 1200, 6615, 2415}, "Search Results : ", dialog, 8.25, Plain);
    row(P, "lstResults", "Frame2", {240, 360, 6135, 1815}, "", dialog, 8.25, Plain);

    const char* S = "Search";
    row(S, "Command1", "Search", {2505, 4680, 1815, 615}, "Close", dialog, 8.25, Plain);
    row(S, "lenses", "Search", {105, 360, 1695, 4155}, "", dialog, 8.25, Plain);
    row(S, "descriptions", "Search", {1800, 360, 4815, 4155}, "", dialog, 8.25, Plain);
    row(S, "Label1", "Search", {600, 120, 735, 255}, "Model #", dialog, 8.25, Plain);
    row(S, "Label2", "Search", {3720, 120, 975, 255}, "Description", dialog, 8.25, Plain);

    const char* A = "About";
    row(A, "Command1", "About", {2505, 4680, 1815, 615}, "OK", dialog, 8.25, Plain);
    row(A, "Label1", "About", {120, 1800, 6495, 255}, "Vistamarq", dialog, 8.25, Bold);
    row(A, "Label2", "About", {120, 2040, 6495, 255}, "Version 1.2  (English)", dialog, 8.25,
        Plain);
    row(A, "Label3", "About", {120, 2280, 6495, 255}, "Updated:  May 8, 2009", dialog, 8.25, Plain);
}

void LayoutTest::controls() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, container);
    QFETCH(QRect, twips);
    QFETCH(QString, caption);
    QFETCH(QString, family);
    QFETCH(double, points);
    QFETCH(int, look);
    QFETCH(bool, visible);
    QFETCH(bool, enabled);

    QWidget* parent = Window(window);
    if (container != window)
        parent = parent->findChild<QWidget*>(container);
    QVERIFY(parent);
    auto* widget = parent->findChild<QWidget*>(control, Qt::FindDirectChildrenOnly);
    QVERIFY2(widget, qPrintable(control));

    QCOMPARE(widget->geometry(),
             ToPixels({twips.left(), twips.top(), twips.width(), twips.height()}));
    QCOMPARE(CaptionOf(widget), caption);
    QCOMPARE(widget->font().family(), family);
    QCOMPARE(widget->font().pointSizeF(), points);
    QCOMPARE(widget->font().bold(), bool(look & Bold));
    QCOMPARE(widget->font().italic(), bool(look & Italic));
    QCOMPARE(widget->isVisibleTo(widget->window()), visible);
    QCOMPARE(widget->isEnabled(), enabled);
}

void LayoutTest::windowFrames_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<bool>("resizable");
    QTest::addColumn<bool>("shownAtStart");

    const QString aboutTitle = "Vistamarq" + QString(61, ' ') + "v1.2";
    QTest::newRow("main window") << "Obbiettivi"
                                 << "Vistamarq" << QSize(457, 345) << false << true;
    QTest::newRow("part-number window") << "PartNo"
                                        << "Vistamarq" << QSize(457, 345) << false << false;
    QTest::newRow("search results") << "Search"
                                    << "Search Results" << QSize(455, 363) << true << false;
    QTest::newRow("About, 61 blanks in its caption")
        << "About" << aboutTitle << QSize(455, 363) << true << false;
}

void LayoutTest::windowFrames() {
    QFETCH(QString, window);
    QFETCH(QString, title);
    QFETCH(QSize, client);
    QFETCH(bool, resizable);
    QFETCH(bool, shownAtStart);

    QWidget* w = Window(window);
    QCOMPARE(w->objectName(), window);
    QCOMPARE(w->windowTitle(), title);
    QCOMPARE(w->isVisible(), shownAtStart);
    auto* mainWindow = qobject_cast<QMainWindow*>(w);
    QCOMPARE(mainWindow ? mainWindow->centralWidget()->size() : w->size(), client);
    QCOMPARE(w->minimumSize() == w->maximumSize(), !resizable);
    const bool minMax =
        w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
    QCOMPARE(minMax, resizable);
}

void LayoutTest::menus_data() {
    QTest::addColumn<QString>("window");
    // "name=caption", items indented, "*" checked, the shortcut in brackets
    QTest::addColumn<QStringList>("tree");

    QTest::newRow("main window") << "Obbiettivi"
                                 << QStringList{
                                        "mnuFile=&File",
                                        " mnuSearch=&Search",
                                        " mnuHyphen=",
                                        " mnuExit=&Exit",
                                        "mnuMode=&Search Mode",
                                        " mnuType=&Search by Type*",
                                        " mnuPartNo=&Search by Part Number",
                                        "mnuTools=&Tools",
                                        QString::fromUtf8(" mnuCoverage=&Coverage… [Ctrl+K]"),
                                        "mnuHelp=&Help",
                                        " mnuAbout=&About Vistamarq..."};
    QTest::newRow("part-number window")
        << "PartNo"
        << QStringList{"mnuFile=&File",
                       " mnuExit=&Exit",
                       "mnuMode=&Search Mode",
                       " mnuType=&Search by Type",
                       " mnuPartNo=&Search by Part Number*",
                       "mnuTools=&Tools",
                       QString::fromUtf8(" mnuCoverage=&Coverage… [Ctrl+K]"),
                       "mnuHelp=&Help",
                       " mnuAbout=&About Vistamarq..."};
}

void LayoutTest::menus() {
    QFETCH(QString, window);
    QFETCH(QStringList, tree);

    QStringList actual;
    auto* bar = static_cast<QMainWindow*>(Window(window))->menuBar();
    for (QAction* heading : bar->actions()) {
        actual << heading->menu()->objectName() + "=" + heading->text();
        for (QAction* item : heading->menu()->actions()) {
            QVERIFY(item->isEnabled() && item->isVisible());
            const QString shortcut = item->shortcut().toString();
            actual << " " + item->objectName() + "=" + item->text() +
                          (item->isChecked() ? "*" : "") +
                          (shortcut.isEmpty() ? QString() : " [" + shortcut + "]");
        }
    }
    QCOMPARE(actual, tree);
}

void LayoutTest::startSelections() {
    QStringList selected;
    for (auto* option : windows->obbiettivi()->findChildren<QAbstractButton*>()) {
        if (option->isChecked())
            selected << option->objectName();
    }
    selected.sort();
    QCOMPARE(selected, (QStringList{"DC", "FF", "unterzo"}));
}

// Keyboard focus follows the tab column; an option group is one stop, at its selected button.
void LayoutTest::tabOrderSkipsHiddenAndDisabledControls() {
    QWidget* window = windows->obbiettivi();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QStringList chain{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        chain << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(chain, (QStringList{"unterzo", "FF", "DC", "Focale1", "L1", "H1", "V1", "OptarionCons",
                                 "unterzo"}));
}

void LayoutTest::imagesAtTheirPixelSizes() {
    const auto banner = [](QWidget* window) { return window->findChild<QLabel*>("Picture1"); };
    for (QWidget* window :
         {static_cast<QWidget*>(windows->obbiettivi()), static_cast<QWidget*>(windows->partNo())}) {
        QLabel* picture = banner(window);
        QCOMPARE(picture->geometry(), ToPixels({120, 3840, 6615, 1190}));
        QCOMPARE(picture->pixmap().size(), QSize(576, 77));
        QCOMPARE(picture->contentsRect().height(), 77);
    }
    QLabel* aboutBanner = banner(windows->about());
    QCOMPARE(aboutBanner->geometry(), ToPixels({225, 240, 6375, 1215}));
    QCOMPARE(aboutBanner->contentsRect().height(), 77);
    QCOMPARE(windows->obbiettivi()->windowIcon().availableSizes().value(0), QSize(32, 32));
}

QTEST_MAIN(LayoutTest)
#include "test_layout.moc"
