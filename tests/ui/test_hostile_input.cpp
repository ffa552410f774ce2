// What users paste and type that is no number at all: pages of text, numbers beyond a double,
// "nan" and "inf", other scripts' digits and control characters. The calculator must go on
// showing numbers in every box but the one still being typed into, never show a non-finite
// value, and keep its ticks running; the part-number box must list the lines of the part number
// at the front of whatever was pasted.
#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include "layout.h"
#include "module1.h"
#include "number_text.h"
#include "obbiettivi.h"
#include "partno_window.h"

class HostileInputTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { RegisterFontSubstitutes(); }
    void init();
    void cleanup();

    void calculatorKeepsNumbersInEveryOtherBox_data();
    void calculatorKeepsNumbersInEveryOtherBox();
    void partNumberBoxDecodesTheFrontOfAHugePaste_data();
    void partNumberBoxDecodesTheFrontOfAHugePaste();

  private:
    Obbiettivi* Calculator() const { return windows->obbiettivi(); }
    QLineEdit* Box(const QString& name) const { return Calculator()->findChild<QLineEdit*>(name); }
    QStringList BoxNames() const {
        QStringList names;
        for (const char* row : {"1", "2"}) {
            for (const char* column : {"Focale", "L", "H", "V"})
                names << QString(column) + row;
        }
        return names;
    }
    QString Row1() const {
        return QStringList{Box("Focale1")->text(), Box("L1")->text(), Box("H1")->text(),
                           Box("V1")->text()}
            .join(' ');
    }
    QStringList AllTexts() const {
        QStringList texts;
        for (const QString& name : BoxNames())
            texts << Box(name)->text();
        return texts;
    }
    // Every box but `exempt` holds a number the calculator reads; no box, not even `exempt`
    // unless it holds what the user entered, shows a value that is not finite.
    void VerifyNumbersExcept(const QString& exempt) const;
    // Key by key, as a keyboard layout for the character's script delivers it.
    void Type(QLineEdit* box, const QString& text) {
        for (const QChar character : text) {
            QTest::sendKeyEvent(QTest::Press, box, Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, box, Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
        }
    }
    void Paste(QLineEdit* box, const QString& text) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }

    std::unique_ptr<Module1> windows;
};

void HostileInputTest::init() {
    QLocale::setDefault(QLocale::c());
    windows = std::make_unique<Module1>("/nonexistent/settings");
    QVERIFY(QTest::qWaitForWindowActive(windows->obbiettivi()));
}

void HostileInputTest::cleanup() {
    windows.reset();
    QApplication::clipboard()->clear();
}

void HostileInputTest::VerifyNumbersExcept(const QString& exempt) const {
    for (const QString& name : BoxNames()) {
        if (name == exempt)
            continue;
        const QString text = Box(name)->text();
        const QString shown = name + ": " + text.left(40);
        QVERIFY2(IsNumericText(text.toStdU16String(), Calculator()->calculator().format()),
                 qPrintable(shown));
        QVERIFY2(!text.contains("inf", Qt::CaseInsensitive), qPrintable(shown));
        QVERIFY2(!text.contains("nan", Qt::CaseInsensitive), qPrintable(shown));
    }
}

void HostileInputTest::calculatorKeepsNumbersInEveryOtherBox_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("pasted");  // otherwise typed key by key
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("rowAfterLeaving");

    const QString page(100'000, 'x');
    const QString digits(100'000, '9');
    const QString arabicIndic(100'000, QChar(0x0661));

    QTest::newRow("100,000 letters pasted into H1") << "H1" << true << page << "4 20 24 18";
    QTest::newRow("100,000 digits pasted into H1: beyond any double")
        << "H1" << true << digits << "4 20 24 18";
    QTest::newRow("100,000 Arabic-Indic digits pasted into V1")
        << "V1" << true << arabicIndic << "4 20 24 18";
    QTest::newRow("1e400 in H1: beyond any double") << "H1" << false << "1e400"
                                                    << "4 20 24 18";
    QTest::newRow("-1e400 in V1") << "V1" << false << "-1e400"
                                  << "4 20 24 18";
    QTest::newRow("nan in H1") << "H1" << false << "nan"
                               << "4 20 24 18";
    QTest::newRow("NaN in Focale1") << "Focale1" << false << "NaN"
                                    << "4 20 24 18";
    QTest::newRow("inf in L1") << "L1" << false << "inf"
                               << "4 20 24 18";
    QTest::newRow("-Infinity in V1") << "V1" << false << "-Infinity"
                                     << "4 20 24 18";
    QTest::newRow("-0 in H1: a number, the focal length is kept") << "H1" << false << "-0"
                                                                  << "4 20 -0 0";
    QTest::newRow("1e-400 in H1: reads as zero") << "H1" << false << "1e-400"
                                                 << "4 20 1e-400 0";
    QTest::newRow("1e308 in H1: vertical too large to show") << "H1" << false << "1e308"
                                                             << "0 20 1e308 18";
    QTest::newRow("1e-300 in Focale1: dimensions shown with an exponent")
        << "Focale1" << false << "1e-300"
        << "1e-300 20 9.6e+301 7.2e+301";
    QTest::newRow("1e-306 in Focale1: dimensions too large to show")
        << "Focale1" << false << "1e-306"
        << "1e-306 20 24 18";
    QTest::newRow("Arabic-Indic 16 in H1")
        << "H1" << false << QString::fromUtf8("١٦") << "4 20 24 18";
    QTest::newRow("fullwidth 16 in H1")
        << "H1" << false << QString::fromUtf8("１６") << "4 20 24 18";
    QTest::newRow("1, tab, 6 pasted into H1") << "H1" << true << "1\t6"
                                              << "4 20 24 18";
    QTest::newRow("control character pasted into H1") << "H1" << true << "\x01"
                                                      << "4 20 24 18";
    QTest::newRow("16 then a control character pasted into L1") << "L1" << true << "16\x01"
                                                                << "4 20 24 18";
}

void HostileInputTest::calculatorKeepsNumbersInEveryOtherBox() {
    QFETCH(QString, box);
    QFETCH(bool, pasted);
    QFETCH(QString, entered);
    QFETCH(QString, rowAfterLeaving);
    QTRY_COMPARE(Row1(), QString("4 20 24 18"));

    QLineEdit* target = Box(box);
    QTest::mouseClick(target, Qt::LeftButton);
    target->selectAll();
    QTest::keyClick(target, Qt::Key_Backspace);
    if (pasted)
        Paste(target, entered);
    else
        Type(target, entered);
    QVERIFY(target->hasFocus());
    QVERIFY(!target->text().isEmpty());
    QVERIFY(entered.startsWith(target->text().left(10)));
    if (entered.size() > 32'767)
        QCOMPARE(target->text().size(), entered.size());

    QTest::qWait(120);
    VerifyNumbersExcept(box);
    // A tick with the whole paste in the marked box reads all of it; hundreds in a row must
    // come back and change nothing.
    const QStringList settled = AllTexts();
    for (int tick = 0; tick < 300; ++tick)
        Calculator()->CalcoloFocale_Timer();
    QCOMPARE(AllTexts(), settled);

    QTest::keyClick(target, Qt::Key_Tab);
    QVERIFY(!target->hasFocus());
    QTest::qWait(120);
    VerifyNumbersExcept(QString());
    QTRY_COMPARE(Row1(), rowAfterLeaving);
    QCOMPARE(Box("Focale2")->text() + ' ' + Box("L2")->text() + ' ' + Box("H2")->text() + ' ' +
                 Box("V2")->text(),
             QString("4 20 24 18"));
    const QStringList left = AllTexts();
    for (int tick = 0; tick < 300; ++tick)
        Calculator()->CalcoloFocale_Timer();
    QCOMPARE(AllTexts(), left);
}

void HostileInputTest::partNumberBoxDecodesTheFrontOfAHugePaste_data() {
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("part number, then 100,000 letters")
        << "T06" + QString(100'000, 'x')
        << QStringList{"1/3\" CCD format", "06: focal length is 6mm."};
    QTest::newRow("auto-iris part number, then 100,000 blanks")
        << "VG45" + QString(100'000, ' ')
        << QStringList{"1\" CCD format", "G = Galvanometer (auto-iris)",
                       "45: focal length is 4.5mm."};
    QTest::newRow("50,000 characters outside the basic plane")
        << QString::fromUtf8("😀").repeated(50'000) << QStringList{"No matching part number found."};
    QTest::newRow("100,000 control characters")
        << QString(100'000, QChar(0x01)) << QStringList{"No matching part number found."};
    QTest::newRow("65,536 characters: nothing is cut")
        << "M" + QString(65'535, 'x') << QStringList{"No matching part number found."};
    QTest::newRow("100,000 Arabic-Indic digits after the format")
        << "H" + QString(100'000, QChar(0x0661)) << QStringList{"No matching part number found."};
}

void HostileInputTest::partNumberBoxDecodesTheFrontOfAHugePaste() {
    QFETCH(QString, pasted);
    QFETCH(QStringList, lines);
    Calculator()->findChild<QAction*>("mnuPartNo")->trigger();
    QVERIFY(QTest::qWaitForWindowActive(windows->partNo()));
    auto* box = windows->partNo()->findChild<QLineEdit*>("txtPartNo");
    QTRY_COMPARE(QApplication::focusWidget(), box);

    Paste(box, pasted);
    QCOMPARE(box->text().size(), pasted.size());
    QVERIFY(pasted.startsWith(box->text().left(10)));
    auto* list = windows->partNo()->findChild<QListWidget*>("lstResults");
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown << list->item(i)->text();
    QCOMPARE(shown, lines);
}

QTEST_MAIN(HostileInputTest)
#include "test_hostile_input.moc"
