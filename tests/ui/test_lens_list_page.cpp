// The Coverage window's Lenses tab on its own, fed as the window feeds it: the filters change
// what the lens list gives and its count, and a lens is chosen by the button, a double-click or
// Enter, with its model number and the focal length the list sets it to.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeView>
#include <QtTest>

#include "coverage/lens_list_model.h"
#include "coverage/lens_list_page.h"

class LensListPageTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup() { page.reset(); }

    void filtersChangeWhatIsListed_data();
    void filtersChangeWhatIsListed();
    void lensIsChosen_data();
    void lensIsChosen();
    void useLensNeedsALensChosen();
    void filtersWrapToTheWidth_data();
    void filtersWrapToTheWidth();

  private:
    // The worked camera: 1/3" at 4:3, 4 mm, 1920 x 1440, 6.096 m away, Identify required.
    void Recompute() {
        const CoverageInputs inputs;
        const Coverage coverage = ComputeCoverage(inputs, {});
        page->Show(ListLensesReaching(coverage.figures, inputs, page->Filter(), {}),
                   inputs.requiredLevel);
    }
    template <class Control>
    Control* Find(const QString& name) const {
        return page->findChild<Control*>(name);
    }
    QString Text(const char* label) const {
        auto* shown = Find<QLabel>(label);
        return shown->isVisibleTo(page.get()) ? shown->text() : QString("(hidden)");
    }

    std::unique_ptr<LensListPage> page;
};

void LensListPageTest::init() {
    page = std::make_unique<LensListPage>();
    connect(page.get(), &LensListPage::filterChanged, page.get(), [this] { Recompute(); });
    Recompute();
    page->resize(700, 500);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.get()));
}

void LensListPageTest::filtersChangeWhatIsListed_data() {
    QTest::addColumn<QStringList>("untick");  // check boxes
    QTest::addColumn<int>("rating");          // item of filterMegapixels
    QTest::addColumn<QString>("first");       // model number listed first
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("note");
    QTest::newRow("all ticked: every lens that reaches Identify") << QStringList{} << 0 << "H0416"
                                                                  << "126 of 126 shown"
                                                                  << "(hidden)";
    QTest::newRow("fixed unticked: the varifocals first")
        << QStringList{"filterFixed"} << 0 << "H3580V"
        << "97 of 126 shown"
        << "(hidden)";
    QTest::newRow("zoom only") << QStringList{"filterFixed", "filterVarifocal"} << 0 << "H0440CM"
                               << "61 of 126 shown"
                               << "(hidden)";
    QTest::newRow("video iris only")
        << QStringList{"filterManual", "filterDC", "filterMotorised"} << 0 << "TG0414V"
        << "43 of 126 shown"
        << "(hidden)";
    QTest::newRow("motorised iris only")
        << QStringList{"filterManual", "filterDC", "filterVideo"} << 0 << "H0440CM"
        << "24 of 126 shown"
        << "(hidden)";
    QTest::newRow("3 MP or more: no fixed lens is rated so") << QStringList{} << 2 << "T2812V3M"
                                                             << "5 of 126 shown"
                                                             << "(hidden)";
    QTest::newRow("5 MP or more, varifocal")
        << QStringList{"filterFixed", "filterZoom"} << 3 << "TG2808VD5M"
        << "2 of 126 shown"
        << "(hidden)";
    QTest::newRow("no kind ticked: the note says why")
        << QStringList{"filterFixed", "filterVarifocal", "filterZoom"} << 0 << ""
        << "(hidden)"
        << "None of the 126 lenses that reach Identify passes the filters.";
}

void LensListPageTest::filtersChangeWhatIsListed() {
    QFETCH(QStringList, untick);
    QFETCH(int, rating);
    QFETCH(QString, first);
    QFETCH(QString, count);
    QFETCH(QString, note);
    QSignalSpy changed(page.get(), &LensListPage::filterChanged);
    for (const QString& box : untick)
        QTest::mouseClick(Find<QCheckBox>(box), Qt::LeftButton);
    Find<QComboBox>("filterMegapixels")->setCurrentIndex(rating);
    QCOMPARE(changed.count(), untick.size() + (rating != 0 ? 1 : 0));
    const QAbstractItemModel* list = page->view()->model();
    QCOMPARE(list->rowCount() > 0 ? list->index(0, 0).data().toString() : QString(), first);
    QCOMPARE(Text("lensCount"), count);
    QCOMPARE(Text("lensNote"), note);
}

void LensListPageTest::lensIsChosen_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("sortBy");  // a column, or -1: the list's own order
    QTest::addColumn<int>("row");     // as shown
    QTest::addColumn<QString>("model");
    QTest::addColumn<double>("focalMm");
    QTest::newRow("button, the first lens") << "button" << -1 << 0 << "H0416" << 4.0;
    QTest::newRow("button, sorted by density, most first")
        << "button" << int(LensListModel::kDensityColumn) << 0 << "MF10020" << 100.0;
    QTest::newRow("double-click, a zoom at its shortest end")
        << "double-click" << -1 << 110 << "H08128CM" << 8.0;
    QTest::newRow("Enter, sorted by scene width: a varifocal set to what Identify needs")
        << "Enter" << int(LensListModel::kSceneWidthColumn) << 5 << "T2812V3M" << 3.81;
}

void LensListPageTest::lensIsChosen() {
    QFETCH(QString, how);
    QFETCH(int, sortBy);
    QFETCH(int, row);
    QFETCH(QString, model);
    QFETCH(double, focalMm);
    QTreeView* view = page->view();
    if (sortBy >= 0)
        view->sortByColumn(sortBy, Qt::DescendingOrder);
    QSignalSpy chosen(page.get(), &LensListPage::lensChosen);
    const QModelIndex lens = view->model()->index(row, LensListModel::kDensityColumn);
    if (how == "button") {
        view->setCurrentIndex(lens);
        QTest::mouseClick(Find<QPushButton>("useLens"), Qt::LeftButton);
    } else if (how == "double-click") {
        view->scrollTo(lens);
        const QPoint at = view->visualRect(lens).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    } else {
        view->setFocus();
        view->setCurrentIndex(lens);
        QTest::keyClick(view, Qt::Key_Return);
    }
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen[0][0].toString(), model);
    QCOMPARE(chosen[0][1].toDouble(), focalMm);
}

// The button uses the lens chosen: without one it is greyed, and another list, which has lost
// the choice, greys it again.
void LensListPageTest::useLensNeedsALensChosen() {
    auto* useLens = Find<QPushButton>("useLens");
    QVERIFY(!useLens->isEnabled());
    page->view()->setCurrentIndex(page->view()->model()->index(3, 0));
    QVERIFY(useLens->isEnabled());
    QTest::mouseClick(Find<QCheckBox>("filterFixed"), Qt::LeftButton);
    QVERIFY(!useLens->isEnabled());
}

void LensListPageTest::filtersWrapToTheWidth_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("lines");  // of filters
    QTest::newRow("wide: a line for the kinds, one for the irises and rating") << 1000 << 2;
    QTest::newRow("beside the form on a small screen: the irises wrap") << 340 << 3;
}

// However narrow, every filter is whole and none covers another.
void LensListPageTest::filtersWrapToTheWidth() {
    QFETCH(int, width);
    QFETCH(int, lines);
    page->resize(width, 500);
    QApplication::processEvents();
    QList<QRect> placed;
    QList<int> centres;  // a line's controls are centred on it
    for (QWidget* control : page->TabOrder()) {
        if (control == page->view())
            break;
        const QRect at(control->mapTo(page.get(), QPoint()), control->size());
        QVERIFY2(page->rect().contains(at), qPrintable(control->objectName()));
        for (const QRect& other : placed)
            QVERIFY2(!other.intersects(at), qPrintable(control->objectName()));
        placed << at;
        centres << at.center().y();
    }
    std::sort(centres.begin(), centres.end());
    int lineCount = 1;
    for (int i = 1; i < centres.size(); ++i)
        lineCount += centres[i] - centres[i - 1] > 2;
    QCOMPARE(lineCount, lines);
}

QTEST_MAIN(LensListPageTest)
#include "test_lens_list_page.moc"
