// The evaluations of the calculator's boxes and the recalculation tick, step by step: what is
// stored, what is written into which box, and which box is marked.
#include <QtTest>

#include "lens_calculator.h"

namespace {

const QStringList kBoxNames{"Focale", "L", "H", "V"};  // in Quantity order F, L, H, V

QString BoxName(int row, Quantity q) {
    return kBoxNames[static_cast<int>(q)] + QString::number(row + 1);
}

Quantity QuantityOf(const QString& name) {
    return static_cast<Quantity>(kBoxNames.indexOf(name.chopped(1)));
}

Quantity QuantityOfLetter(QChar letter) {
    return static_cast<Quantity>(QString("FLHV").indexOf(letter));
}

int RowOf(const QString& boxName) {
    return boxName.back().digitValue() - 1;
}

// "V1=12": the box and the text written into it.
QStringList Writes(const std::vector<BoxWrite>& writes) {
    QStringList list;
    for (const BoxWrite& w : writes)
        list << BoxName(w.row, w.box) + "=" + QString::fromStdU16String(w.text);
    return list;
}

// "F|L|H|V" of the stored texts, then the marked box.
QString RowState(const CalcRow& row) {
    return QStringList{
        QString::fromStdU16String(row.StoredF), QString::fromStdU16String(row.StoredL),
        QString::fromStdU16String(row.StoredH), QString::fromStdU16String(row.StoredV),
        QString("FLHV")[static_cast<int>(row.Mark)]}
        .join('|');
}

void SetRow(CalcRow& row, const QString& state) {
    const QStringList parts = state.split('|');
    for (Quantity q : {Quantity::F, Quantity::L, Quantity::H, Quantity::V})
        row.Stored(q) = parts[static_cast<int>(q)].toStdU16String();
    row.Mark = QuantityOfLetter(parts[4][0]);
}

// The state the first tick leaves: both rows worked out from focal length 4 at distance 20.
const QString kSteady = "4|20|24|18|F";

}  // namespace

class LensCalculatorTest : public QObject {
    Q_OBJECT

  private slots:
    void evaluate_data();
    void evaluate();
    void tick_data();
    void tick();
    void removeIgnoredSep_data();
    void removeIgnoredSep();
    void sensorFormatOfOption_data();
    void sensorFormatOfOption();
};

void LensCalculatorTest::evaluate_data() {
    QTest::addColumn<double>("height");
    QTest::addColumn<QString>("sep");
    QTest::addColumn<QString>("before");  // of the entered box's row; the other row is kSteady
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("leave");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("writes");
    QTest::addColumn<QString>("after");
    const QString f35 = "3.5|20|27.4285714285715|20.5714285714286|";
    QTest::newRow("16 in H1: V1 12, Focale1 6")
        << 3.6 << "" << kSteady << "H1" << false << "16" << QStringList{"V1=12", "Focale1=6"}
        << "6|20|16|12|H";
    QTest::newRow("3.5 in Focale1: stored in full, shown cut")
        << 3.6 << "" << kSteady << "Focale1" << false << "3.5"
        << QStringList{"V1=20.57", "H1=27.42"} << f35 + "F";
    QTest::newRow("clicking V1 holding 20.57 adopts the cut value")
        << 3.6 << "" << f35 + "F"
        << "V1" << false << "20.57" << QStringList{"H1=27.42", "Focale1=3.5"}
        << "3.50024307243559|20|27.4266666666667|20.57|V";
    QTest::newRow("1/2 inch, Focale1 marked: dimensions follow")
        << 4.8 << "" << kSteady << "Focale1" << false << "4" << QStringList{"V1=24", "H1=32"}
        << "4|20|32|24|F";
    QTest::newRow("1/2 inch, H1 marked: focal length follows")
        << 4.8 << ""
        << "6|20|16|12|H"
        << "H1" << false << "16" << QStringList{"V1=12", "Focale1=8"} << "8|20|16|12|H";
    QTest::newRow("row 2 alone") << 3.6 << "" << kSteady << "H2" << false << "16"
                                 << QStringList{"V2=12", "Focale2=6"} << "6|20|16|12|H";
    QTest::newRow("negative H1: V1 -12, Focale1 -6")
        << 3.6 << "" << kSteady << "H1" << false << "-16" << QStringList{"V1=-12", "Focale1=-6"}
        << "-6|20|-16|-12|H";
    QTest::newRow("V1 0: H1 0, focal length kept")
        << 3.6 << "" << kSteady << "V1" << false << "0" << QStringList{"H1=0"} << "4|20|0|0|V";
    QTest::newRow("Focale1 0: vertical kept, horizontal recomputed from it")
        << 3.6 << ""
        << "4|20|16|18|F"
        << "Focale1" << false << "0" << QStringList{"H1=24"} << "0|20|24|18|F";
    QTest::newRow("H1 0 at distance 0: 0/0 skips only the focal length")
        << 3.6 << ""
        << "4|0|24|18|F"
        << "H1" << false << "0" << QStringList{"V1=0"} << "4|0|0|0|H";
    QTest::newRow("L1 0: focal length 0") << 3.6 << "" << kSteady << "L1" << false << "0"
                                          << QStringList{"Focale1=0"} << "0|0|24|18|L";
    QTest::newRow("L1 huge: overflow skips the focal length")
        << 3.6 << "" << kSteady << "L1" << false << "1e308" << QStringList{} << "4|1e308|24|18|L";
    QTest::newRow("too large to show: stored, boxes kept")
        << 3.6 << ""
        << "4|1e307|24|18|F"
        << "Focale1" << false << "4" << QStringList{} << "4|1e307|1.2e+307|9e+306|F";
    QTest::newRow("stored distance no number: only its step skips")
        << 3.6 << ""
        << "4|x|24|18|F"
        << "H1" << false << "16" << QStringList{"V1=12"} << "4|x|16|12|H";
    QTest::newRow("IgnoredSep removed: box rewritten first")
        << 3.6 << "," << kSteady << "H1" << false << "1,6"
        << QStringList{"H1=16", "V1=12", "Focale1=6"} << "6|20|16|12|H";
    QTest::newRow("IgnoredSep the decimal mark: removed as the file says")
        << 3.6 << "." << kSteady << "H1" << false << "1.6"
        << QStringList{"H1=16", "V1=12", "Focale1=6"} << "6|20|16|12|H";
    QTest::newRow("IgnoredSep removal leaves no number: stored, check not repeated")
        << 3.6 << "." << kSteady << "H1" << false << "1.5e308"
        << QStringList{"H1=15e308", "Focale1=4"} << "4|20|15e308|18|H";
    QTest::newRow("IgnoredSep a digit: not removed")
        << 3.6 << "5" << kSteady << "H1" << false << "15" << QStringList{"V1=11.25", "Focale1=6.4"}
        << "6.4|20|15|11.25|H";
    QTest::newRow("IgnoredSep a minus sign: not removed")
        << 3.6 << "-" << kSteady << "H1" << false << "-16" << QStringList{"V1=-12", "Focale1=-6"}
        << "-6|20|-16|-12|H";
    QTest::newRow("IgnoredSep the exponent letter: not removed")
        << 3.6 << "E" << kSteady << "H1" << false << "1E1" << QStringList{"V1=7.5", "Focale1=9.6"}
        << "9.6|20|1E1|7.5|H";
    QTest::newRow("click on V1 holding abc: only the mark moves")
        << 3.6 << "" << kSteady << "V1" << false << "abc" << QStringList{} << "4|20|24|18|V";
    QTest::newRow("H1 left empty: fallback, marked, stored kept")
        << 3.6 << ""
        << "6|20|16|12|F"
        << "H1" << true << "" << QStringList{"H1=24"} << "6|20|16|12|H";
    QTest::newRow("Focale1 left with a lone minus: fallback")
        << 3.6 << ""
        << "6|20|16|12|H"
        << "Focale1" << true << "-" << QStringList{"Focale1=4"} << "6|20|16|12|F";
    QTest::newRow("V1 left with abc: fallback")
        << 3.6 << ""
        << "6|20|16|12|H"
        << "V1" << true << "abc" << QStringList{"V1=18"} << "6|20|16|12|V";
    QTest::newRow("L1 left with abc: fallback stored too, mark kept")
        << 3.6 << ""
        << "6|35|16|12|H"
        << "L1" << true << "abc" << QStringList{"L1=20"} << "6|20|16|12|H";
    QTest::newRow("L1 left with a number: recalculated, mark kept")
        << 3.6 << "" << kSteady << "L1" << true << "30" << QStringList{"Focale1=6"}
        << "6|30|24|18|F";
}

void LensCalculatorTest::evaluate() {
    QFETCH(double, height);
    QFETCH(QString, sep);
    QFETCH(QString, before);
    QFETCH(QString, box);
    QFETCH(bool, leave);
    QFETCH(QString, text);
    QFETCH(QStringList, writes);
    QFETCH(QString, after);
    LensCalculator calc;
    calc.SensorHeight = height;
    calc.IgnoredSep = sep.toStdU16String();
    const int row = RowOf(box);
    SetRow(calc.rows[0], kSteady);
    SetRow(calc.rows[1], kSteady);
    SetRow(calc.rows[static_cast<std::size_t>(row)], before);

    const auto written = calc.Evaluate(
        row, QuantityOf(box), leave ? Evaluation::Leave : Evaluation::Click, text.toStdU16String());
    QCOMPARE(Writes(written), writes);
    QCOMPARE(RowState(calc.rows[static_cast<std::size_t>(row)]), after);
    QCOMPARE(RowState(calc.rows[static_cast<std::size_t>(1 - row)]), kSteady);
}

void LensCalculatorTest::tick_data() {
    QTest::addColumn<double>("height");
    QTest::addColumn<QStringList>("boxes");  // Focale, L, H, V of row 1, then of row 2
    QTest::addColumn<QString>("marks");
    QTest::addColumn<QStringList>("writes");
    const QStringList start{"4", "20", "16", "12", "4", "20", "16", "12"};
    QTest::newRow("start state: first tick works out both rows")
        << 3.6 << start << "FF" << QStringList{"V1=18", "H1=24", "V2=18", "H2=24"};
    QTest::newRow("1/2 inch at start: dimensions follow in both rows")
        << 4.8 << start << "FF" << QStringList{"V1=24", "H1=32", "V2=24", "H2=32"};
    QTest::newRow("each row from its own mark")
        << 3.6 << QStringList{"4", "20", "30", "18", "4", "25", "24", "18"} << "HL"
        << QStringList{"V1=22.5", "Focale1=3.2", "Focale2=5"};
    QTest::newRow("marked box holding no number: its row unchanged")
        << 3.6 << QStringList{"4", "20", "24", "", "4", "20", "16", "12"} << "VF"
        << QStringList{"V2=18", "H2=24"};
}

void LensCalculatorTest::tick() {
    QFETCH(double, height);
    QFETCH(QStringList, boxes);
    QFETCH(QString, marks);
    QFETCH(QStringList, writes);
    std::array<std::array<std::u16string, 4>, 2> texts;
    for (int i = 0; i < 8; ++i)
        texts[static_cast<std::size_t>(i / 4)][static_cast<std::size_t>(i % 4)] =
            boxes[i].toStdU16String();
    LensCalculator calc;
    calc.Load(texts);
    calc.SensorHeight = height;
    calc.rows[0].Mark = QuantityOfLetter(marks[0]);
    calc.rows[1].Mark = QuantityOfLetter(marks[1]);

    const auto marked = [&](std::size_t r) {
        return texts[r][static_cast<std::size_t>(calc.rows[r].Mark)];
    };
    QCOMPARE(Writes(calc.Tick(marked(0), marked(1))), writes);
}

void LensCalculatorTest::removeIgnoredSep_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("sep");
    QTest::addColumn<QString>("result");  // "unchanged" when nothing is removed
    QTest::newRow("two apart: both go") << "1,6,0"
                                        << ","
                                        << "160";
    QTest::newRow("two adjacent: only the first goes") << "1,,6"
                                                       << ","
                                                       << "1,6";
    QTest::newRow("three adjacent: the first and third go") << ",,,"
                                                            << ","
                                                            << ",";
    QTest::newRow("last character") << "16,"
                                    << ","
                                    << "16";
    QTest::newRow("only the separator") << ","
                                        << ","
                                        << "";
    QTest::newRow("separator absent") << "16"
                                      << ","
                                      << "unchanged";
    QTest::newRow("empty separator") << "1,6"
                                     << ""
                                     << "unchanged";
    QTest::newRow("two-character separator") << "1,,6"
                                             << ",,"
                                             << "unchanged";
}

void LensCalculatorTest::removeIgnoredSep() {
    QFETCH(QString, text);
    QFETCH(QString, sep);
    QFETCH(QString, result);
    const auto removed = RemoveIgnoredSep(text.toStdU16String(), sep.toStdU16String());
    QCOMPARE(removed ? QString::fromStdU16String(*removed) : QString("unchanged"), result);
}

// The option buttons find their format by name, and the calculator reads exactly the heights it
// always had; a name that is no option (or empty, as for the formats without one) finds nothing.
void LensCalculatorTest::sensorFormatOfOption_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<double>("height");  // 0: no format
    QTest::newRow("1 inch") << "un" << 9.6;
    QTest::newRow("2/3 inch") << "dueterzi" << 6.6;
    QTest::newRow("1/2 inch") << "unmezzo" << 4.8;
    QTest::newRow("1/3 inch, the start format") << "unterzo" << kStartSensorHeightMm;
    QTest::newRow("1/4 inch") << "unquarto" << 2.4;
    QTest::newRow("empty name") << "" << 0.0;
    QTest::newRow("not an option") << "zoom" << 0.0;
}

void LensCalculatorTest::sensorFormatOfOption() {
    QFETCH(QString, option);
    QFETCH(double, height);
    const auto format = SensorFormatOfOption(option.toStdString());
    QCOMPARE(format.has_value(), height != 0);
    if (format)
        QCOMPARE(format->HeightAt4x3Mm(), height);  // exact, not within a tolerance
    QCOMPARE(kStartSensorHeightMm, 3.6);
}

QTEST_GUILESS_MAIN(LensCalculatorTest)
#include "test_lens_calculator.moc"
