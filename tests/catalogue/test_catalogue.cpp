// The lens catalogue and the search by type: the groups, their order and rows, the selection
// from the option buttons, and the rules that every model number and description obeys; the
// focal lengths read from the descriptions and the lenses that let a camera reach a density.
// Expected figures were computed apart from the program.
#include <QtTest>

#include <cmath>
#include <optional>
#include <set>

#include "catalogue.h"
#include "focal_limits.h"
#include "focal_range.h"
#include "lens_lookup.h"
#include "lens_suggestions.h"

Q_DECLARE_METATYPE(SearchOptions)
Q_DECLARE_METATYPE(LensCamera)

namespace {

struct Key {
    LensType type;
    Format format;
    Iris iris;
};

SearchOptions OptionsFor(Key key) {
    return SearchOptions{}.Set(key.type).Set(key.format).Set(key.iris);
}

const CatalogueGroup* Group(const char* name) {
    for (const CatalogueGroup& group : CatalogueGroups())
        if (group.name == name)
            return &group;
    return nullptr;
}

// The focal length (or the short end of a range) that opens a description body, in mm.
double FocalLength(std::string_view body) {
    return std::stod(std::string(body.substr(2)));
}

// What the part-number window reads from two characters: "06" is 6 mm, "35" is 3.5 mm.
std::optional<double> DecodedFocalLength(std::string_view pair) {
    if (pair.size() != 2 || !std::isdigit(pair[0]) || !std::isdigit(pair[1]))
        return std::nullopt;
    if (pair[0] == '0' && pair[1] != '0')
        return pair[1] - '0';
    return (pair[0] - '0') + (pair[1] - '0') / 10.0;
}

// 1/1.8" at 16:9: width = diagonal x 16 / sqrt(16² + 9²).
const LensCamera k18x169{16 / 1.8 * 16 / std::sqrt(337.0), 16 / 1.8, 1920};

}  // namespace

class CatalogueTest : public QObject {
    Q_OBJECT

  private slots:
    void groups_data();
    void groups();
    void wholeCatalogue();
    void combinationsWithoutAGroup_data();
    void combinationsWithoutAGroup();
    void severalButtonsOfAFrameAppendEachGroupInOrder();
    void descriptionLineIsFormatInchMarkBody();
    void sharedModelNumbersAndRepeatedRows();
    void rowRules_data();
    void rowRules();
    void focalRange_data();
    void focalRange();
    void suggestions_data();
    void suggestions();
    void sharedModelNumberShowsTheRowItIsSetBy();
    void megapixels_data();
    void megapixels();
    void findLens_data();
    void findLens();
    void fitInCatalogue_data();
    void fitInCatalogue();
};

void CatalogueTest::groups_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<SearchOptions>("options");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("lensFormat");

    using L = LensType;
    using F = Format;
    using I = Iris;
    const auto row = [](const char* name, Key key, int rows, const char* format) {
        QTest::newRow(name) << QString(name) << OptionsFor(key) << rows << QString(format);
    };
    row("FF_dueterzi_Manual", {L::FF, F::dueterzi, I::Manual}, 14, "2/3");
    row("FF_unmezzo_Manual", {L::FF, F::unmezzo, I::Manual}, 2, "1/2");
    row("FF_unmezzo_DC", {L::FF, F::unmezzo, I::DC}, 2, "1/2");
    row("FF_unmezzo_VD", {L::FF, F::unmezzo, I::VD}, 1, "1/2");
    row("FF_unterzo_Manual", {L::FF, F::unterzo, I::Manual}, 6, "1/3");
    row("FF_unterzo_DC", {L::FF, F::unterzo, I::DC}, 8, "1/3");
    row("FF_unterzo_VD", {L::FF, F::unterzo, I::VD}, 4, "1/3");
    row("zoom_dueterzi_Manual", {L::zoom, F::dueterzi, I::Manual}, 2, "2/3");
    row("zoom_unmezzo_M", {L::zoom, F::unmezzo, I::M}, 12, "1/2");
    row("zoom_unmezzo_Manual", {L::zoom, F::unmezzo, I::Manual}, 2, "1/2");
    row("zoom_unmezzo_DC", {L::zoom, F::unmezzo, I::DC}, 1, "1/2");
    row("zoom_unmezzo_VD", {L::zoom, F::unmezzo, I::VD}, 18, "1/2");
    row("zoom_unterzo_M", {L::zoom, F::unterzo, I::M}, 12, "1/2");
    row("zoom_unterzo_Manual", {L::zoom, F::unterzo, I::Manual}, 1, "1/2");
    row("zoom_unterzo_DC", {L::zoom, F::unterzo, I::DC}, 4, "1/2");
    row("zoom_unterzo_VD", {L::zoom, F::unterzo, I::VD}, 9, "1/2");
    row("VAR_dueterzi_Manual", {L::VAR, F::dueterzi, I::Manual}, 1, "2/3");
    row("VAR_unmezzo_Manual", {L::VAR, F::unmezzo, I::Manual}, 4, "1/2");
    row("VAR_unmezzo_DC", {L::VAR, F::unmezzo, I::DC}, 3, "1/2");
    row("VAR_unmezzo_VD", {L::VAR, F::unmezzo, I::VD}, 2, "1/2");
    row("VAR_unterzo_Manual", {L::VAR, F::unterzo, I::Manual}, 9, "1/3");
    row("VAR_unterzo_DC", {L::VAR, F::unterzo, I::DC}, 10, "1/3");
    row("VAR_unterzo_VD", {L::VAR, F::unterzo, I::VD}, 9, "1/3");
    row("HSP_unterzo_DC", {L::HSP, F::unterzo, I::DC}, 1, "1/3");
}

// Each combination selects exactly its own group, row for row, in catalogue order.
void CatalogueTest::groups() {
    QFETCH(QString, name);
    QFETCH(SearchOptions, options);
    QFETCH(int, rows);
    QFETCH(QString, lensFormat);

    const CatalogueGroup* group = Group(qPrintable(name));
    QVERIFY(group);
    QCOMPARE(int(group->rows.size()), rows);
    QCOMPARE(QString::fromStdString(std::string(group->lensFormat)), lensFormat);

    const std::vector<LensListing> listed = SelectLenses(options);
    QCOMPARE(int(listed.size()), rows);
    for (int i = 0; i < rows; ++i) {
        QCOMPARE(listed[i].modelNumber, std::string(group->rows[i].modelNumber));
        QCOMPARE(listed[i].description,
                 lensFormat.toStdString() + "\"" + std::string(group->rows[i].body));
    }
}

void CatalogueTest::wholeCatalogue() {
    QStringList order;
    int total = 0;
    for (const CatalogueGroup& group : CatalogueGroups()) {
        order << QString::fromStdString(std::string(group.name));
        total += int(group.rows.size());
    }
    QCOMPARE(total, 137);
    QCOMPARE(
        order,
        (QStringList{
            "FF_dueterzi_Manual",  "FF_unmezzo_Manual",   "FF_unmezzo_DC",   "FF_unmezzo_VD",
            "FF_unterzo_Manual",   "FF_unterzo_DC",       "FF_unterzo_VD",   "zoom_dueterzi_Manual",
            "zoom_unmezzo_M",      "zoom_unmezzo_Manual", "zoom_unmezzo_DC", "zoom_unmezzo_VD",
            "zoom_unterzo_M",      "zoom_unterzo_Manual", "zoom_unterzo_DC", "zoom_unterzo_VD",
            "VAR_dueterzi_Manual", "VAR_unmezzo_Manual",  "VAR_unmezzo_DC",  "VAR_unmezzo_VD",
            "VAR_unterzo_Manual",  "VAR_unterzo_DC",      "VAR_unterzo_VD",  "HSP_unterzo_DC"}));
}

void CatalogueTest::combinationsWithoutAGroup_data() {
    QTest::addColumn<SearchOptions>("options");
    using L = LensType;
    using F = Format;
    using I = Iris;
    QTest::newRow("1 inch, monofocal, manual") << OptionsFor({L::FF, F::un, I::Manual});
    QTest::newRow("1 inch, zoom, motorized") << OptionsFor({L::zoom, F::un, I::M});
    QTest::newRow("1/4 inch, varifocal, DC") << OptionsFor({L::VAR, F::unquarto, I::DC});
    QTest::newRow("1/4 inch, monofocal, video") << OptionsFor({L::FF, F::unquarto, I::VD});
    QTest::newRow("motorized outside zoom") << OptionsFor({L::FF, F::unterzo, I::M});
    QTest::newRow("motorized, varifocal") << OptionsFor({L::VAR, F::unmezzo, I::M});
    QTest::newRow("motorized zoom, 2/3 inch") << OptionsFor({L::zoom, F::dueterzi, I::M});
    QTest::newRow("DC with 2/3 inch") << OptionsFor({L::FF, F::dueterzi, I::DC});
    QTest::newRow("video with 2/3 inch, zoom") << OptionsFor({L::zoom, F::dueterzi, I::VD});
    QTest::newRow("aspherical, 1/2 inch DC") << OptionsFor({L::HSP, F::unmezzo, I::DC});
    QTest::newRow("aspherical, 1/3 inch manual") << OptionsFor({L::HSP, F::unterzo, I::Manual});

    SearchOptions noFormat = OptionsFor({L::FF, F::unterzo, I::DC});
    noFormat.Set(F::unterzo, false);
    QTest::newRow("no format set") << noFormat;
    SearchOptions noIris = OptionsFor({L::FF, F::unterzo, I::DC});
    noIris.Set(I::DC, false);
    QTest::newRow("no iris set") << noIris;
    QTest::newRow("nothing set") << SearchOptions{};
}

void CatalogueTest::combinationsWithoutAGroup() {
    QFETCH(SearchOptions, options);
    QVERIFY(SelectLenses(options).empty());
}

// Were several buttons of a frame set, every matching group would follow in button order.
void CatalogueTest::severalButtonsOfAFrameAppendEachGroupInOrder() {
    SearchOptions options = OptionsFor({LensType::VAR, Format::unterzo, Iris::DC});
    options.Set(LensType::FF).Set(Iris::Manual).Set(Format::unmezzo);
    std::vector<std::string> expected;
    for (const char* name :
         {"FF_unmezzo_Manual", "FF_unmezzo_DC", "FF_unterzo_Manual", "FF_unterzo_DC",
          "VAR_unmezzo_Manual", "VAR_unmezzo_DC", "VAR_unterzo_Manual", "VAR_unterzo_DC"}) {
        for (const CatalogueRow& row : Group(name)->rows)
            expected.emplace_back(row.modelNumber);
    }
    std::vector<std::string> listed;
    for (const LensListing& lens : SelectLenses(options))
        listed.push_back(lens.modelNumber);
    QCOMPARE(listed, expected);
}

void CatalogueTest::descriptionLineIsFormatInchMarkBody() {
    SearchOptions options = OptionsFor({LensType::zoom, Format::unterzo, Iris::DC});
    for (const LensListing& lens : SelectLenses(options))
        QVERIFY(lens.description.rfind("1/2\"  ", 0) == 0);
    const LensListing first =
        SelectLenses(OptionsFor({LensType::FF, Format::unterzo, Iris::DC}))[0];
    QCOMPARE(first.description,
             std::string("1/3\"  ") + std::string(Group("FF_unterzo_DC")->rows[0].body.substr(2)));
}

void CatalogueTest::sharedModelNumbersAndRepeatedRows() {
    const auto& fixed = Group("FF_dueterzi_Manual")->rows;
    QCOMPARE(Group("zoom_dueterzi_Manual")->rows[1].modelNumber, fixed[9].modelNumber);
    QCOMPARE(Group("VAR_dueterzi_Manual")->rows[0].modelNumber, fixed[10].modelNumber);
    QVERIFY(Group("zoom_dueterzi_Manual")->rows[1].body != fixed[9].body);
    QVERIFY(Group("VAR_dueterzi_Manual")->rows[0].body != fixed[10].body);
    for (const char* name : {"VAR_unterzo_Manual", "VAR_unterzo_DC"}) {
        const auto& rows = Group(name)->rows;
        QCOMPARE(rows[5].modelNumber, rows[1].modelNumber);
        QCOMPARE(rows[5].body, rows[1].body);
        const auto listed = SelectLenses(OptionsFor(
            {LensType::VAR, Format::unterzo, rows.size() == 9 ? Iris::Manual : Iris::DC}));
        QCOMPARE(listed[5], listed[1]);  // shown twice, as listed
    }
}

void CatalogueTest::rowRules_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("lensFormat");
    QTest::addColumn<bool>("autoIris");
    for (const CatalogueGroup& group : CatalogueGroups()) {
        for (std::size_t i = 0; i < group.rows.size(); ++i) {
            const CatalogueRow& row = group.rows[i];
            QTest::addRow("%s row %zu, %s", std::string(group.name).c_str(), i + 1,
                          std::string(row.modelNumber).c_str())
                << QString::fromStdString(std::string(row.modelNumber))
                << QString::fromStdString(std::string(row.body))
                << QString::fromStdString(std::string(group.lensFormat))
                << (group.iris == Iris::DC || group.iris == Iris::VD);
        }
    }
}

// Model numbers follow the scheme the part-number window decodes, so a slip in the data shows.
void CatalogueTest::rowRules() {
    QFETCH(QString, model);
    QFETCH(QString, body);
    QFETCH(QString, lensFormat);
    QFETCH(bool, autoIris);

    QVERIFY(model.size() >= 5 && model.size() <= 16);
    QVERIFY2(QRegularExpression("^[A-Z0-9-]+$").match(model).hasMatch(), qPrintable(model));
    QVERIFY(body.size() >= 24 && body.size() <= 68);
    QVERIFY(body.startsWith("  ") && body.at(2) != ' ');
    QVERIFY2(body.contains("mm F"), qPrintable(body));

    const QString formatLetter = lensFormat == "2/3" ? "M" : lensFormat == "1/2" ? "H" : "T";
    QCOMPARE(model.left(1), formatLetter);
    QCOMPARE(model.at(1) == 'G', autoIris);

    const std::optional<FocalRange> range = FocalRangeOf(body.toStdString());
    QVERIFY2(range, qPrintable(body));
    QCOMPARE(range->longestMm > range->shortestMm
                 ? QString("%1-%2mm").arg(range->shortestMm).arg(range->longestMm)
                 : QString("%1mm").arg(range->shortestMm),
             body.section(' ', 2, 2));

    const std::string code = model.mid(autoIris ? 2 : 1, 2).toStdString();
    const double focal = FocalLength(body.toStdString());
    if (focal < 10) {
        const std::optional<double> decoded = DecodedFocalLength(code);
        QVERIFY2(decoded, qPrintable(model));
        QCOMPARE(*decoded, focal);
    } else {
        QVERIFY2(std::isalpha(static_cast<unsigned char>(code[0])) && code[0] != 'G',
                 qPrintable(model));
    }
}

// Every row of the catalogue is also read, under rowRules.
void CatalogueTest::focalRange_data() {
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("expected");
    QTest::newRow("fixed") << QString("  8mm F1.2 manual iris") << "8..8";
    QTest::newRow("varifocal") << QString("  3.5-8mm F1.4 varifocal") << "3.5..8";
    QTest::newRow("zoom, nothing after") << QString("12.5-75mm") << "12.5..75";
    for (const char* bad : {"", "  F1.4", "  8 mm", "  8-mm", "  -8mm", "  8-3mm", "  8-8mm",
                            "  8mmF1.2", "  8.5.1mm", "  1e1mm", "  infmm", "  0mm"})
        QTest::addRow("no focal length: \"%s\"", bad) << bad << "none";
}

void CatalogueTest::focalRange() {
    QFETCH(QString, body);
    QFETCH(QString, expected);
    const std::optional<FocalRange> range = FocalRangeOf(body.toStdString());
    QCOMPARE(range ? QString("%1..%2").arg(range->shortestMm).arg(range->longestMm) : "none",
             expected);
}

// How many, the first entry's figures as the user sees them, the leading entries' model numbers.
void CatalogueTest::suggestions_data() {
    QTest::addColumn<LensCamera>("camera");
    QTest::addColumn<double>("depth");
    QTest::addColumn<double>("density");
    QTest::addColumn<QString>("leading");
    const LensCamera third{4.8, 6, 1920};
    QTest::newRow("1/3 inch, 20 ft, Identify: 3.81 mm, varifocals first")
        << third << 6.096 << 250.0
        << "126 from 3.81 mm, 250.0 px/m, 7.68 m: H3580V HG3580VD HG3580VV T2860V T3580V";
    QTest::newRow("1/3 inch, 2592 across, 12.96 m, Identify: 6 mm but for rounding")
        << LensCamera{4.8, 6, 2592} << 12.96 << 250.0
        << "121 from 6.00 mm, 250.0 px/m, 10.37 m: "
           "M0614 HG0614D T0614 TG0614D TG0614V H0660M3 H0660M3P H0672M3 H0672M3PS H5582M3";
    QTest::newRow("1/3 inch, Inspect at 96 m: the 240 mm ends only")
        << third << 96.0 << 1000.0
        << "5 from 240.00 mm, 1000.0 px/m, 1.92 m: "
           "HZ12240M3 HZ12240M3P HGZ12240V2 HGZ12240V2P HGZ12240V2S";
    QTest::newRow("1/1.8 inch 16:9, 30 m, Identify: 2/3 inch lenses, one per model")
        << k18x169 << 30.0 << 250.0
        << "7 from 30.26 mm, 250.0 px/m, 7.68 m: M0880Z MZ12575 MV1250 MF3516 MF5018 MF7518";
    QTest::newRow("1/1.8 inch 16:9, 3840 across, 20 m, Recognise: ties in catalogue order")
        << LensCamera{k18x169.sensorWidthMm, k18x169.sensorDiagonalMm, 3840} << 20.0 << 125.0
        << "13 from 6.00 mm, 148.7 px/m, 25.82 m: M0614 M0812 M0880Z M8513 MF1214 MZ12575 MV1250";
    QTest::newRow("1/3 inch, Inspect at 100 m: longer than every lens")
        << third << 100.0 << 1000.0 << "0";
    QTest::newRow("zero width") << LensCamera{0, 6, 1920} << 5.0 << 250.0 << "0";
    QTest::newRow("zero diagonal") << LensCamera{4.8, 0, 1920} << 5.0 << 250.0 << "0";
    QTest::newRow("negative distance and density") << third << -5.0 << -250.0 << "0";
}

void CatalogueTest::suggestions() {
    QFETCH(LensCamera, camera);
    QFETCH(double, depth);
    QFETCH(double, density);
    QFETCH(QString, leading);
    const std::vector<LensSuggestion> lenses = SuggestLenses(camera, depth, density);
    QCOMPARE(CountLensesReaching(camera, depth, density), lenses.size());
    QString shown = QString::number(lenses.size());
    for (const LensSuggestion& lens : lenses) {
        if (&lens == &lenses.front())
            shown += QString(" from %1 mm, %2 px/m, %3 m:")
                         .arg(lens.focalMm, 0, 'f', 2)
                         .arg(lens.densityPxPerM, 0, 'f', 1)
                         .arg(lens.sceneWidthM, 0, 'f', 2);
        shown += ' ' + QString::fromStdString(lens.modelNumber);
    }
    QCOMPARE((shown + ' ').left(leading.size() + 1), leading + ' ');  // whole model numbers
}

// Listed as a fixed lens at its wide end and again with its whole range: set beyond 12.5 mm, the
// entry is the zoom's row, shown as the search results show it. Set to 12.5 mm, the fixed row
// comes first, unless the filter leaves fixed lenses out: then the zoom's row stands for it.
void CatalogueTest::sharedModelNumberShowsTheRowItIsSetBy() {
    QCOMPARE(SuggestLenses(k18x169, 30, 250)[1].description,
             "2/3\"  12.5-75mm F1.8 6x manual zoom, manual iris and focus, C mount");
    const LensCamera wide{k18x169.sensorWidthMm, k18x169.sensorDiagonalMm, 3840};
    QCOMPARE(SuggestLenses(wide, 20, 125)[5].kind, LensKind::Fixed);
    const auto zooms = SuggestLenses(
        wide, 20, 125, LensFilter{}.Set(LensKind::Fixed, false).Set(LensKind::Varifocal, false));
    QCOMPARE(zooms[1].modelNumber, "MZ12575");
    QCOMPARE(zooms[1].kind, LensKind::Zoom);
    QCOMPARE(zooms[1].focalMm, 12.5);
}

void CatalogueTest::megapixels_data() {
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("rating");  // 0: none
    QTest::newRow("last word") << "  2.8mm F1.4 DC auto iris, CS mount, 3MP" << 3;
    QTest::newRow("two digits, then more") << "  8mm 12MP lens" << 12;
    QTest::newRow("none") << "  8mm F1.2 manual iris" << 0;
    QTest::newRow("glued to a word") << "  8mm F1.2MP" << 0;
    QTest::newRow("followed by letters") << "  8mm 2MPX" << 0;
    QTest::newRow("three digits") << "  8mm 120MP" << 0;
}

void CatalogueTest::megapixels() {
    QFETCH(QString, body);
    QFETCH(int, rating);
    QCOMPARE(MegapixelsOf(body.toStdString()).value_or(0), rating);
}

void CatalogueTest::findLens_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("expected");  // "range: description", or "none"
    QTest::newRow("one row") << "HG0614D"
                             << "6..6: 1/2\"  6mm F1.4 DC auto iris, 4-pin connector, CS mount";
    QTest::newRow("listed fixed and zoom: the zoom")
        << "MZ12575"
        << "12.5..75: 2/3\"  12.5-75mm F1.8 6x manual zoom, manual iris and focus, "
           "C mount";
    QTest::newRow("listed twice alike")
        << "T3580V"
        << "3.5..8: 1/3\"  3.5-8mm F1.4 varifocal, manual iris and focus, CS mount";
    QTest::newRow("unknown") << "HG0614X"
                             << "none";
}

void CatalogueTest::findLens() {
    QFETCH(QString, model);
    QFETCH(QString, expected);
    const std::optional<LensRecord> lens = FindLens(model.toStdString());
    QCOMPARE(lens ? QString("%1..%2: %3")
                        .arg(lens->range.shortestMm)
                        .arg(lens->range.longestMm)
                        .arg(QString::fromStdString(lens->description))
                  : "none",
             expected);
}

// The 1/3 inch sensor is covered by every lens, 2.6 to 240 mm; the 1/2.8 inch one (6.43 mm) only
// by the 1/2 and 2/3 inch lenses, from 3.5 mm; 1 inch by none.
void CatalogueTest::fitInCatalogue_data() {
    QTest::addColumn<double>("focal");
    QTest::addColumn<double>("diagonal");
    QTest::addColumn<QString>("text");
    QTest::newRow("1/3 inch, 2.5 mm") << 2.5 << 6.0 << "shorter than any lens of the catalogue";
    QTest::newRow("1/3 inch, a rounding below 2.6 mm") << 2.6 * (1 - 1e-12) << 6.0 << "";
    QTest::newRow("1/3 inch, 240 mm, the longest") << 240.0 << 6.0 << "";
    QTest::newRow("1/3 inch, 250 mm") << 250.0 << 6.0 << "longer than any lens of the catalogue";
    QTest::newRow("1/2.8 inch, 3 mm")
        << 3.0 << 18 / 2.8 << "shorter than any lens of the catalogue";
    QTest::newRow("1/2.8 inch, 3.5 mm") << 3.5 << 18 / 2.8 << "";
    QTest::newRow("1 inch: no lens covers it") << 50.0 << 16.0 << "no value";
}

void CatalogueTest::fitInCatalogue() {
    QFETCH(double, focal);
    QFETCH(double, diagonal);
    QFETCH(QString, text);
    const std::optional<FocalFit> fit = FitInCatalogue(focal, diagonal);
    QCOMPARE(fit ? QString::fromStdString(std::string(FocalFitText(*fit))) : "no value", text);
}

QTEST_GUILESS_MAIN(CatalogueTest)
#include "test_catalogue.moc"
