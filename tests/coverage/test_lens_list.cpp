// The Coverage window's list of the catalogue's lenses that reach the required level: the order
// by kind, the filters, the count, and the note when none is listed. Figures computed apart from
// the program.
#include <QtTest>

#include "catalogue.h"
#include "coverage_examples.h"
#include "lens_list.h"

Q_DECLARE_METATYPE(CoverageInputs)
Q_DECLARE_METATYPE(LensFilter)

namespace {

// 1/2.8" 16:9 (5.60 mm wide), 1920 across, 6 mm, at a distance: a gate.
CoverageInputs Gate(const char16_t* distance, int level = 4, const char16_t* width = u"") {
    CoverageInputs in = Camera("1/2.8", Aspect::SixteenByNine, u"6", distance);
    in.requiredLevel = level;
    in.requiredWidth = width;
    return in;
}

// Inspect, which needs 250 mm of a 1/3" camera 100 m away (no lens is that long).
CoverageInputs Inspect(CoverageInputs in) {
    in.requiredLevel = 5;
    return in;
}

// On a 4 m pole over a 1.6 m face.
CoverageInputs OnPole(CoverageInputs in, const char16_t* tilt = nullptr) {
    return Mounted(std::move(in), u"4", u"1.6", tilt);
}

// Keeps the kinds and irises given (every iris when none is), rated at least `megapixels`.
LensFilter Keeping(std::initializer_list<LensKind> kinds, std::initializer_list<Iris> irises = {},
                   int megapixels = 0) {
    LensFilter filter;
    filter.kinds.reset();
    for (const LensKind kind : kinds)
        filter.Set(kind);
    if (irises.size() > 0)
        filter.irises.reset();
    for (const Iris iris : irises)
        filter.Set(iris);
    filter.minimumMegapixels = megapixels;
    return filter;
}

const LensFilter kAll;
const auto kAllKinds = {LensKind::Fixed, LensKind::Varifocal, LensKind::Zoom};

QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

}  // namespace

class LensListTest : public QObject {
    Q_OBJECT

  private slots:
    void lensList_data();
    void lensList();
};

void LensListTest::lensList_data() {
    QTest::addColumn<CoverageInputs>("inputs");
    QTest::addColumn<LensFilter>("filter");
    QTest::addColumn<QString>("expected");  // count or note; the kinds in runs; the first row
    QTest::newRow("gate at 20 m, Identify: fixed, then varifocals, then zooms, needs 14.59 mm")
        << Gate(u"20") << kAll
        << "75 of 75 shown; fixed 7, varifocal 7, zoom 61; MF1614 fixed manual  16.00 mm "
           "274.1 px/m (83.6 px/ft) 7.00 m (22.98 ft)";
    QTest::newRow("varifocals with a DC iris")
        << Gate(u"20") << Keeping({LensKind::Varifocal}, {Iris::DC})
        << "2 of 75 shown; varifocal 2; HG0515VD varifocal DC  14.59 mm 250.0 px/m (76.2 px/ft) "
           "7.68 m (25.20 ft)";
    QTest::newRow("2MP or more") << Gate(u"20") << Keeping(kAllKinds, {}, 2)
                                 << "2 of 75 shown; varifocal 2; HV1050V varifocal manual 2MP "
                                    "14.59 mm 250.0 px/m (76.2 px/ft) 7.68 m (25.20 ft)";
    QTest::newRow("7.5 m wide at least: lenses set beyond 14.94 mm dropped")
        << Gate(u"20", 4, u"7.5") << kAll
        << "66 of 75 shown; varifocal 7, zoom 59; MV1250 varifocal manual  14.59 mm "
           "250.0 px/m (76.2 px/ft) 7.68 m (25.20 ft)";
    QTest::newRow("tilted 8° at 30 m: lenses longer than 26.3 mm lose the face")
        << OnPole(Gate(u"30"), u"8") << kAll
        << "66 of 70 shown; fixed 1, varifocal 4, zoom 61; MF2514 fixed manual  25.00 mm "
           "285.2 px/m (86.9 px/ft) 6.73 m (22.09 ft)";
    QTest::newRow("tilted 20°: every lens loses the face")
        << OnPole(Gate(u"30"), u"20") << kAll
        << "None of the 70 lenses that reach Identify passes the filters.";
    QTest::newRow("2/3 inch at 78.5 m: one lens, not a zoom")
        << Camera("2/3", Aspect::FourByThree, u"6", u"78.5") << Keeping({LensKind::Zoom})
        << "The one lens that reaches Identify does not pass the filters.";
    QTest::newRow("Inspect at 100 m: no lens")
        << Inspect(Camera("1/3", Aspect::FourByThree, u"4", u"100")) << kAll
        << "No lens of the catalogue reaches Inspect at 100.00 m with this camera.";
    QTest::newRow("on the ground, in feet: the typed distance, not the depth")
        << OnPole(Inspect(Camera("1/3", Aspect::FourByThree, u"4", u"328.084", LengthUnit::Feet)))
        << kAll
        << "No lens of the catalogue reaches Inspect at 328.08 ft on the ground from the pole "
           "with this camera.";
    CoverageInputs sight = OnPole(Inspect(Camera("1/3", Aspect::FourByThree, u"4", u"100")));
    sight.distanceIsLineOfSight = true;
    QTest::newRow("along the line of sight")
        << sight << kAll
        << "No lens of the catalogue reaches Inspect at 100.00 m along the line of sight with "
           "this camera.";
    QTest::newRow("width not a number")
        << Gate(u"20", 4, u"wide") << kAll << "Enter a required width above 0 m.";
    QTest::newRow("no distance: neither count nor note") << Gate(u"") << kAll << "";
}

void LensListTest::lensList() {
    QFETCH(CoverageInputs, inputs);
    QFETCH(LensFilter, filter);
    QFETCH(QString, expected);
    const Coverage coverage = ComputeCoverage(inputs, {});
    const LensList list = ListLensesReaching(coverage.figures, inputs, filter, {});
    QVERIFY(list.count.empty() || list.note.empty());
    QStringList shown{Q(list.count + list.note)};
    QStringList runs;
    for (std::size_t i = 0, run = 0; i < list.rows.size(); ++i) {
        ++run;
        if (i + 1 == list.rows.size() || list.rows[i + 1].kind != list.rows[i].kind) {
            runs << QString("%1 %2").arg(Q(list.rows[i].kind)).arg(run);
            run = 0;
        }
        // Within a kind, the widest view first.
        if (i > 0 && list.rows[i - 1].kind == list.rows[i].kind)
            QVERIFY(list.rows[i - 1].lens.focalMm <= list.rows[i].lens.focalMm);
    }
    if (!list.rows.empty()) {
        const LensListRow& row = list.rows.front();
        shown << runs.join(", ")
              << QStringList{Q(row.modelNumber), Q(row.kind),        Q(row.iris),
                             Q(row.megapixels),  Q(row.focalLength), Q(row.density),
                             Q(row.sceneWidth)}
                     .join(' ');
    }
    QCOMPARE(shown.join("; "), expected);
}

QTEST_GUILESS_MAIN(LensListTest)
#include "test_lens_list.moc"
