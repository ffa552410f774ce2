// Decoding of part numbers as they are typed: format, auto-iris drive and focal length.
#include <QtTest>

#include <string>

#include "part_number.h"

namespace {

QStringList Decode(const QString& text) {
    QStringList lines;
    for (const std::u16string& line : DecodePartNumber(text.toStdU16String()))
        lines << QString::fromStdU16String(line);
    return lines;
}

const QString kNoMatch = QString::fromStdU16String(kNoMatchingPartNumber);
const QString kGalvanometer = "G = Galvanometer (auto-iris)";

// Lone surrogates cannot be written in a UTF-8 literal.
QString Units(std::initializer_list<char16_t> units) {
    return QString::fromStdU16String(std::u16string(units));
}

}  // namespace

class PartNumberTest : public QObject {
    Q_OBJECT

  private slots:
    void workedCases_data();
    void workedCases() { CompareLines(); }
    void focalLength_data();
    void focalLength() { CompareLines(); }
    void noMatch_data();
    void noMatch() { CompareLines(); }
    void galvanometer_data();
    void galvanometer() { CompareLines(); }
    void userVisibleCharacters_data();
    void userVisibleCharacters() { CompareLines(); }
    void longTexts_data();
    void longTexts() { CompareLines(); }
    void longTextCostsNoMoreThanItsStart();
    void decodeLens_data();
    void decodeLens();

  private:
    static void AddColumns() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
    }
    static void CompareLines() {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(Decode(text), lines);
    }
};

void PartNumberTest::workedCases_data() {
    AddColumns();
    QTest::newRow("T06") << "T06" << QStringList{"1/3\" CCD format", "06: focal length is 6mm."};
    QTest::newRow("M45") << "M45" << QStringList{"2/3\" CCD format", "45: focal length is 4.5mm."};
    QTest::newRow("h00") << "h00" << QStringList{"1/2\" CCD format", "00: focal length is 0.0mm."};
    QTest::newRow("X06") << "X06" << QStringList{kNoMatch, "06: focal length is 6mm."};
    QTest::newRow("T alone") << "T" << QStringList{kNoMatch};
    QTest::newRow("T blank") << "T " << QStringList{kNoMatch};
    QTest::newRow("empty") << "" << QStringList{kNoMatch};
    QTest::newRow("V4") << "V4" << QStringList{"1\" CCD format", "4: focal length is 4.mm."};
}

void PartNumberTest::focalLength_data() {
    AddColumns();
    QTest::newRow("V12") << "V12" << QStringList{"1\" CCD format", "12: focal length is 1.2mm."};
    QTest::newRow("pair 10 reads as 1.0")
        << "H10" << QStringList{"1/2\" CCD format", "10: focal length is 1.0mm."};
    QTest::newRow("pair 01") << "T01"
                             << QStringList{"1/3\" CCD format", "01: focal length is 1mm."};
    QTest::newRow("pair 09") << "T09"
                             << QStringList{"1/3\" CCD format", "09: focal length is 9mm."};
    QTest::newRow("lone 0") << "T0" << QStringList{"1/3\" CCD format", "0: focal length is 0.mm."};
    QTest::newRow("letter after a digit")
        << "M3x" << QStringList{"2/3\" CCD format", "3x: focal length is 3.xmm."};
    QTest::newRow("0 then a letter")
        << "M0x" << QStringList{"2/3\" CCD format", "0x: focal length is 0.xmm."};

    QTest::newRow("lower-case v") << "v12"
                                  << QStringList{"1\" CCD format", "12: focal length is 1.2mm."};
    QTest::newRow("lower-case m") << "m08"
                                  << QStringList{"2/3\" CCD format", "08: focal length is 8mm."};
    QTest::newRow("lower-case h") << "h35"
                                  << QStringList{"1/2\" CCD format", "35: focal length is 3.5mm."};
    QTest::newRow("lower-case t") << "t06"
                                  << QStringList{"1/3\" CCD format", "06: focal length is 6mm."};
    QTest::newRow("lower-case other letter")
        << "x45" << QStringList{kNoMatch, "45: focal length is 4.5mm."};
    QTest::newRow("digit first") << "506" << QStringList{kNoMatch, "06: focal length is 6mm."};
    QTest::newRow("suffix ignored")
        << "T06-CS" << QStringList{"1/3\" CCD format", "06: focal length is 6mm."};
    QTest::newRow("more digits ignored")
        << "M4512345" << QStringList{"2/3\" CCD format", "45: focal length is 4.5mm."};
    QTest::newRow("G in fourth place ignored")
        << "H12G" << QStringList{"1/2\" CCD format", "12: focal length is 1.2mm."};
}

void PartNumberTest::noMatch_data() {
    AddColumns();
    QTest::newRow("letter second") << "TX6" << QStringList{kNoMatch};
    QTest::newRow("dash second") << "M-06" << QStringList{kNoMatch};
    QTest::newRow("neither first nor second") << "X-06" << QStringList{kNoMatch};
    QTest::newRow("Arabic-Indic digit second") << "T\u0660\u0666" << QStringList{kNoMatch};
    QTest::newRow("full-width digit second") << "T\uFF10\uFF16" << QStringList{kNoMatch};

    QTest::newRow("one character V") << "V" << QStringList{kNoMatch};
    QTest::newRow("one character t") << "t" << QStringList{kNoMatch};
    QTest::newRow("one character X") << "X" << QStringList{kNoMatch};
    QTest::newRow("one digit") << "0" << QStringList{kNoMatch};
}

void PartNumberTest::galvanometer_data() {
    AddColumns();
    QTest::newRow("TG06") << "TG06"
                          << QStringList{"1/3\" CCD format", kGalvanometer,
                                         "06: focal length is 6mm."};
    QTest::newRow("MG35") << "MG35"
                          << QStringList{"2/3\" CCD format", kGalvanometer,
                                         "35: focal length is 3.5mm."};
    QTest::newRow("lower-case g") << "vg12"
                                  << QStringList{"1\" CCD format", kGalvanometer,
                                                 "12: focal length is 1.2mm."};
    QTest::newRow("G alone after the format")
        << "TG" << QStringList{"1/3\" CCD format", kGalvanometer, ": focal length is .mm."};
    QTest::newRow("G and one digit")
        << "HG8" << QStringList{"1/2\" CCD format", kGalvanometer, "8: focal length is 8.mm."};
    QTest::newRow("G with a suffix")
        << "tg06-CS" << QStringList{"1/3\" CCD format", kGalvanometer, "06: focal length is 6mm."};
    QTest::newRow("G after an unknown first letter")
        << "XG06" << QStringList{kNoMatch, kGalvanometer, "06: focal length is 6mm."};
    QTest::newRow("G first") << "G" << QStringList{kNoMatch};
    QTest::newRow("G twice") << "GG"
                             << QStringList{kNoMatch, kGalvanometer, ": focal length is .mm."};
}

void PartNumberTest::userVisibleCharacters_data() {
    AddColumns();
    QTest::newRow("emoji first") << "😀06" << QStringList{kNoMatch, "06: focal length is 6mm."};
    QTest::newRow("emoji second") << "T😀5" << QStringList{kNoMatch};
    QTest::newRow("emoji third") << "T1😀"
                                 << QStringList{"1/3\" CCD format", "1😀: focal length is 1.😀mm."};
    QTest::newRow("emoji third then more")
        << "T0😀7" << QStringList{"1/3\" CCD format", "0😀: focal length is 0.😀mm."};
    QTest::newRow("emoji after G")
        << "MG😀5" << QStringList{"2/3\" CCD format", kGalvanometer, "😀5: focal length is 😀.5mm."};
    QTest::newRow("emoji fourth after G")
        << "MG3😀" << QStringList{"2/3\" CCD format", kGalvanometer, "3😀: focal length is 3.😀mm."};
    QTest::newRow("emoji first and third")
        << "😀1😀" << QStringList{kNoMatch, "1😀: focal length is 1.😀mm."};
    QTest::newRow("lone high surrogate last")
        << Units({u'T', u'1', 0xD83D})
        << QStringList{"1/3\" CCD format",
                       Units({u'1', 0xD83D}) + ": focal length is 1." + Units({0xD83D}) + "mm."};
    QTest::newRow("lone low surrogate first")
        << Units({0xDE00, u'0', u'6'}) << QStringList{kNoMatch, "06: focal length is 6mm."};
}

void PartNumberTest::longTexts_data() {
    AddColumns();
    QTest::newRow("long text") << "T06" + QString(100'000, 'x')
                               << QStringList{"1/3\" CCD format", "06: focal length is 6mm."};
    QTest::newRow("long text after G")
        << "MG35" + QString(100'000, '9')
        << QStringList{"2/3\" CCD format", kGalvanometer, "35: focal length is 3.5mm."};
    QTest::newRow("long text of emoji") << QString("😀").repeated(100'000) << QStringList{kNoMatch};
}

// The box decodes on every keystroke, also when a whole document is pasted into it.
void PartNumberTest::longTextCostsNoMoreThanItsStart() {
    const std::u16string text = u"MG35" + std::u16string(8'000'000, u'5');
    QCOMPARE(Decode(QString::fromStdU16String(text)),
             (QStringList{"2/3\" CCD format", kGalvanometer, "35: focal length is 3.5mm."}));
}

// The format and focal length that the coverage window follows: only once both are typed.
void PartNumberTest::decodeLens_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("lens");  // "format focal length", or empty for none
    QTest::newRow("T06: 1/3 inch, 6 mm") << "T06"
                                         << "1/3 6";
    QTest::newRow("MG35: 2/3 inch, 3.5 mm") << "MG35"
                                            << "2/3 3.5";
    QTest::newRow("lower case, more characters") << "vg45x"
                                                 << "1 4.5";
    QTest::newRow("H12: 1.2 mm") << "H12"
                                 << "1/2 1.2";
    QTest::newRow("T00: zero, decoded as the lines say") << "T00"
                                                         << "1/3 0";
    QTest::newRow("half-typed focal length") << "H1"
                                             << "";
    QTest::newRow("no format") << "X06"
                               << "";
    QTest::newRow("letter in the focal length") << "TGx5"
                                                << "";
    QTest::newRow("empty") << ""
                           << "";
}

void PartNumberTest::decodeLens() {
    QFETCH(QString, text);
    QFETCH(QString, lens);
    const auto decoded = DecodeLens(text.toStdU16String());
    const QString shown =
        decoded ? QString::fromLatin1(decoded->formatInches.data(),
                                      static_cast<int>(decoded->formatInches.size())) +
                      ' ' + QString::number(decoded->focalMm)
                : QString();
    QCOMPARE(shown, lens);
}

QTEST_GUILESS_MAIN(PartNumberTest)
#include "test_part_number.moc"
