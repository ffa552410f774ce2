// The optical relations and the number texts of the calculator, in an English, a German and a
// French number format.
#include <QtTest>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "number_text.h"
#include "relations.h"

namespace {

NumberFormat Format(const QString& name) {
    if (name == "de")
        return {u",", u"."};
    if (name == "fr")
        return {u",", u"\u00a0"};
    return {u".", u","};
}

// What a box or a stored text would hold; "none" when there is no value.
QString Shown(const std::optional<double>& value) {
    return value ? QString::fromStdU16String(NumberText(*value, {})) : QString("none");
}

constexpr double kInf = std::numeric_limits<double>::infinity();

}  // namespace

class NumbersTest : public QObject {
    Q_OBJECT

  private slots:
    void relations_data();
    void relations();
    void parseNumber_data();
    void parseNumber();
    void numberText_data();
    void numberText();
    void displayText_data();
    void displayText();
};

void NumbersTest::relations_data() {
    QTest::addColumn<QString>("relation");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("height");
    QTest::addColumn<QString>("result");
    QTest::newRow("H 16 gives V 12") << "VFromH" << 16.0 << 0.0 << 0.0 << "12";
    QTest::newRow("V 18 gives H 24") << "HFromV" << 18.0 << 0.0 << 0.0 << "24";
    QTest::newRow("V near the top: H overflows") << "HFromV" << DBL_MAX << 0.0 << 0.0 << "none";
    QTest::newRow("L 20, V 12, 1/3 inch: F 6") << "FocalFromV" << 20.0 << 12.0 << 3.6 << "6";
    QTest::newRow("L 20, V -12: F -6") << "FocalFromV" << 20.0 << -12.0 << 3.6 << "-6";
    QTest::newRow("V 0: no F") << "FocalFromV" << 20.0 << 0.0 << 3.6 << "none";
    QTest::newRow("L 0, V 12: F 0") << "FocalFromV" << 0.0 << 12.0 << 3.6 << "0";
    QTest::newRow("L 0, V 0: 0/0, no F") << "FocalFromV" << 0.0 << 0.0 << 3.6 << "none";
    QTest::newRow("L times height overflows") << "FocalFromV" << 1e308 << 18.0 << 3.6 << "none";
    QTest::newRow("tiny quotient underflows to 0") << "FocalFromV" << 1e-300 << 1e300 << 3.6 << "0";
    QTest::newRow("L 20, F 4, 1/3 inch: V 18") << "VFromFocal" << 20.0 << 4.0 << 3.6 << "18";
    QTest::newRow("L 20, F 3.5: V full precision")
        << "VFromFocal" << 20.0 << 3.5 << 3.6 << "20.5714285714286";
    QTest::newRow("F 0: no V") << "VFromFocal" << 20.0 << 0.0 << 3.6 << "none";
    QTest::newRow("L 0, F 0: 0/0, no V") << "VFromFocal" << 0.0 << 0.0 << 3.6 << "none";
    QTest::newRow("tiny F: V overflows") << "VFromFocal" << 20.0 << 1e-307 << 3.6 << "none";
}

void NumbersTest::relations() {
    QFETCH(QString, relation);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, height);
    QFETCH(QString, result);
    std::optional<double> value;
    if (relation == "VFromH")
        value = VFromH(a);
    else if (relation == "HFromV")
        value = HFromV(a);
    else if (relation == "FocalFromV")
        value = FocalFromV(a, b, height);
    else
        value = VFromFocal(a, b, height);
    QCOMPARE(Shown(value), result);
}

void NumbersTest::parseNumber_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");  // as C reads it; empty when the text is refused
    const QString zeros(700, '0');
    QTest::newRow("en: blanks around") << "en"
                                       << " \t3.5\t "
                                       << "3.5";
    QTest::newRow("en: leading plus") << "en"
                                      << "+7"
                                      << "7";
    QTest::newRow("en: leading minus") << "en"
                                       << "-16"
                                       << "-16";
    QTest::newRow("en: grouped") << "en"
                                 << "1,234,567.5"
                                 << "1234567.5";
    QTest::newRow("en: no integer digits") << "en"
                                           << ".5"
                                           << "0.5";
    QTest::newRow("en: no fraction digits") << "en"
                                            << "5."
                                            << "5";
    QTest::newRow("en: exponent") << "en"
                                  << "1E3"
                                  << "1000";
    QTest::newRow("en: signed exponent") << "en"
                                         << "2.5e-3"
                                         << "0.0025";
    QTest::newRow("en: subnormal") << "en"
                                   << "1e-310"
                                   << "1e-310";
    QTest::newRow("en: underflow reads 0") << "en"
                                           << "1e-400"
                                           << "0";
    QTest::newRow("en: negative underflow reads -0") << "en"
                                                     << "-1e-400"
                                                     << "-0";
    QTest::newRow("en: underflow despite a large exponent") << "en"
                                                            << "0." + zeros + "1e300"
                                                            << "0";
    QTest::newRow("en: huge exponent of zero") << "en"
                                               << "0e99999999999"
                                               << "0";
    QTest::newRow("en: 100,000 leading zeros") << "en" << QString(100000, '0') + "1.5"
                                               << "1.5";
    QTest::newRow("en: 100,000 decimals") << "en"
                                          << "0." + QString(100000, '3') << "0.3333333333333333";
    QTest::newRow("en: empty") << "en"
                               << ""
                               << "";
    QTest::newRow("en: blanks only") << "en"
                                     << "  "
                                     << "";
    QTest::newRow("en: sign only") << "en"
                                   << "-"
                                   << "";
    QTest::newRow("en: point only") << "en"
                                    << "."
                                    << "";
    QTest::newRow("en: two signs") << "en"
                                   << "+-5"
                                   << "";
    QTest::newRow("en: blank after sign") << "en"
                                          << "- 5"
                                          << "";
    QTest::newRow("en: blank inside") << "en"
                                      << "1 2"
                                      << "";
    QTest::newRow("en: two points") << "en"
                                    << "1.2.3"
                                    << "";
    QTest::newRow("en: group mark in the fraction") << "en"
                                                    << "1.234,5"
                                                    << "";
    QTest::newRow("en: group mark first") << "en"
                                          << ",5"
                                          << "";
    QTest::newRow("en: group mark last") << "en"
                                         << "5,"
                                         << "";
    QTest::newRow("en: group mark before the point") << "en"
                                                     << "1,.5"
                                                     << "";
    QTest::newRow("en: two group marks together") << "en"
                                                  << "1,,000"
                                                  << "";
    QTest::newRow("en: exponent without digits") << "en"
                                                 << "1e+"
                                                 << "";
    QTest::newRow("en: exponent without mantissa") << "en"
                                                   << "e5"
                                                   << "";
    QTest::newRow("en: nan") << "en"
                             << "nan"
                             << "";
    QTest::newRow("en: inf") << "en"
                             << "inf"
                             << "";
    QTest::newRow("en: hexadecimal") << "en"
                                     << "0x1A"
                                     << "";
    QTest::newRow("en: overflow") << "en"
                                  << "1e309"
                                  << "";
    QTest::newRow("en: overflow despite a negative exponent") << "en"
                                                              << "1" + zeros + "e-50"
                                                              << "";
    QTest::newRow("en: 100,000 grouped digits overflow")
        << "en"
        << "1" + QString(",000").repeated(25000) << "";
    QTest::newRow("en: Arabic-Indic digits") << "en" << QString::fromUtf8("\u0661\u0662") << "";
    QTest::newRow("de: decimal comma") << "de"
                                       << "-0,5"
                                       << "-0.5";
    QTest::newRow("de: grouped") << "de"
                                 << "1.234,5"
                                 << "1234.5";
    QTest::newRow("de: a lone point groups: 3.5 reads 35") << "de"
                                                           << "3.5"
                                                           << "35";
    QTest::newRow("de: exponent") << "de"
                                  << "1,5E+3"
                                  << "1500";
    QTest::newRow("de: English grouping refused") << "de"
                                                  << "1,234.5"
                                                  << "";
    QTest::newRow("fr: no-break space groups")
        << "fr" << QString::fromUtf8("1\u00a0234,5") << "1234.5";
    QTest::newRow("fr: plain space does not") << "fr"
                                              << "1 234,5"
                                              << "";
}

void NumbersTest::parseNumber() {
    QFETCH(QString, format);
    QFETCH(QString, text);
    QFETCH(QString, value);
    const std::optional<double> parsed = ParseNumber(text.toStdU16String(), Format(format));
    QCOMPARE(IsNumericText(text.toStdU16String(), Format(format)), parsed.has_value());
    QCOMPARE(parsed.has_value(), !value.isEmpty());
    if (!parsed)
        return;
    const double expected = std::strtod(value.toLatin1().constData(), nullptr);
    QVERIFY2(*parsed == expected, qPrintable(QString::number(*parsed, 'g', 17)));
    QCOMPARE(std::signbit(*parsed), std::signbit(expected));
}

void NumbersTest::numberText_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("en: whole number") << "en" << 24.0 << "24";
    QTest::newRow("en: one half") << "en" << 0.5 << "0.5";
    QTest::newRow("en: 15 digits, rounded") << "en" << 20 * 3.6 / 3.5 << "20.5714285714286";
    QTest::newRow("de: 15 digits, rounded") << "de" << 20 * 3.6 / 3.5 << "20,5714285714286";
    QTest::newRow("en: negative") << "en" << -12.0 << "-12";
    QTest::newRow("en: minus zero") << "en" << -0.0 << "0";
    QTest::newRow("en: largest plain integer") << "en" << 999999999999999.0 << "999999999999999";
    QTest::newRow("en: exponent from 1e15") << "en" << 1e15 << "1e+15";
    QTest::newRow("de: large exponent form") << "de" << 1.5e20 << "1,5e+20";
    QTest::newRow("en: smallest plain fraction") << "en" << 0.0001 << "0.0001";
    QTest::newRow("de: small exponent form") << "de" << -1.5e-7 << "-1,5e-07";
    QTest::newRow("en: large exponent form") << "en" << 1e300 << "1e+300";
}

void NumbersTest::numberText() {
    QFETCH(QString, format);
    QFETCH(double, value);
    QFETCH(QString, text);
    const std::u16string written = NumberText(value, Format(format));
    QCOMPARE(QString::fromStdU16String(written), text);
    QVERIFY(IsNumericText(written, Format(format)));
}

void NumbersTest::displayText_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");  // "none" when there is no value
    QTest::newRow("0.29 stays 0.29") << "en" << 0.29 << "0.29";
    QTest::newRow("0.57 stays 0.57") << "en" << 0.57 << "0.57";
    QTest::newRow("1.15 stays 1.15") << "en" << 1.15 << "1.15";
    QTest::newRow("cut, not rounded") << "en" << 27.4285714285715 << "27.42";
    QTest::newRow("2.999 cuts to 2.99") << "en" << 2.999 << "2.99";
    QTest::newRow("de: decimal comma") << "de" << 20.5714285714286 << "20,57";
    QTest::newRow("negative goes down") << "en" << -5.555 << "-5.56";
    QTest::newRow("negative exact stays") << "en" << -5.55 << "-5.55";
    QTest::newRow("small negative goes to -0.01") << "en" << -0.001 << "-0.01";
    QTest::newRow("15 nines below -1 reach -1") << "en" << -0.999999999999999 << "-1";
    QTest::newRow("small positive goes to 0") << "en" << 0.001 << "0";
    QTest::newRow("minus zero shows 0") << "en" << -0.0 << "0";
    QTest::newRow("whole number") << "en" << 5.0 << "5";
    QTest::newRow("noise beyond 15 digits ignored") << "en" << 0.1 + 0.2 << "0.3";
    QTest::newRow("12 integer digits") << "en" << 123456789012.345 << "123456789012.34";
    QTest::newRow("all 15 digits kept") << "en" << 1234567890123.45 << "1234567890123.45";
    QTest::newRow("exponent form") << "en" << 1e20 << "1e+20";
    QTest::newRow("hundredfold just finite") << "en" << 1e306 << "1e+306";
    QTest::newRow("hundredfold overflows") << "en" << 1e307 << "none";
    QTest::newRow("infinite") << "en" << kInf << "none";
    QTest::newRow("not a number") << "en" << std::nan("") << "none";
}

void NumbersTest::displayText() {
    QFETCH(QString, format);
    QFETCH(double, value);
    QFETCH(QString, text);
    const auto shown = DisplayText(value, Format(format));
    QCOMPARE(shown ? QString::fromStdU16String(*shown) : QString("none"), text);
}

QTEST_GUILESS_MAIN(NumbersTest)
#include "test_numbers.moc"
