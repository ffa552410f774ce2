// The Coverage window's table models read through their roles, as a view reads them: the DORI
// table's emphasis and what it says changed, and the lens list sorted by its figures.
#include <QFont>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QtTest>

#include "../coverage/coverage_examples.h"
#include "coverage/dori_table_model.h"
#include "coverage/lens_list_model.h"

class CoverageModelsTest : public QObject {
    Q_OBJECT

  private slots:
    void doriTableBoldsTheLevelReachedOnly_data();
    void doriTableBoldsTheLevelReachedOnly();
    void doriTableSaysOnlyWhatChanged();
    void lensListSortsByTheFigures_data();
    void lensListSortsByTheFigures();

  private:
    // 1/3" at 4:3, 1920 pixels across, 4 mm: 262.5 px/m at 6.096 m.
    static Coverage At(const QString& distance) {
        const std::u16string text = distance.toStdU16String();
        return ComputeCoverage(Camera("1/3", Aspect::FourByThree, u"4", text.c_str()), {});
    }
};

void CoverageModelsTest::doriTableBoldsTheLevelReachedOnly_data() {
    QTest::addColumn<QString>("distance");
    QTest::addColumn<QString>("bold");     // the rows in bold, by their level
    QTest::addColumn<QString>("reached");  // the rows whose tooltip says reached
    QTest::addColumn<QString>("noLens");   // focal lengths needed that no lens has, marked
    QTest::newRow("6.096 m: Identify reached")
        << "6.096"
        << "Identify"
        << "Monitor Detect Observe Recognise Identify"
        << "Monitor shorter, Detect shorter, Observe shorter, Recognise shorter";
    QTest::newRow("100 m: Monitor reached") << "100"
                                            << "Monitor"
                                            << "Monitor"
                                            << "Inspect longer";
    QTest::newRow("200 m: below Monitor, none bold") << "200"
                                                     << ""
                                                     << ""
                                                     << "Inspect longer";
    QTest::newRow("no distance: no level, none bold") << ""
                                                      << ""
                                                      << ""
                                                      << "";
}

void CoverageModelsTest::doriTableBoldsTheLevelReachedOnly() {
    QFETCH(QString, distance);
    QFETCH(QString, bold);
    QFETCH(QString, reached);
    QFETCH(QString, noLens);
    DoriTableModel model;
    model.SetCoverage(At(distance));
    QStringList boldRows, reachedRows, noLensRows;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QString level = model.index(row, 0).data().toString();
        for (int column = 0; column < model.columnCount(); ++column) {
            const QModelIndex cell = model.index(row, column);
            if (cell.data(Qt::FontRole).value<QFont>().bold())
                boldRows << level;
            // What the level means, then whether it is reached; on a focal length needed that no
            // lens has, which way it misses, and a dagger after the figure.
            const QString tip = cell.data(Qt::ToolTipRole).toString();
            if (tip.startsWith("No lens of the catalogue has this focal length: it is ")) {
                QVERIFY(cell.data().toString().endsWith(" \u2020"));
                noLensRows << level + (tip.endsWith("shorter than any lens of the catalogue")
                                           ? " shorter"
                                           : " longer");
                continue;
            }
            QVERIFY2(tip.startsWith(level + ": "), qPrintable(tip));
            if (tip.endsWith(". Reached at the target"))
                reachedRows << level;
            else
                QVERIFY2(tip.endsWith(". Not reached at the target"), qPrintable(tip));
        }
    }
    boldRows.removeDuplicates();
    reachedRows.removeDuplicates();
    QCOMPARE(boldRows.join(' '), bold);
    QCOMPARE(reachedRows.join(' '), reached);
    QCOMPARE(noLensRows.join(", "), noLens);
}

// Another distance changes what each level needs at the target, not its name or how far it is
// reached; another level changes the emphasis of the two rows concerned; the same coverage
// changes nothing.
void CoverageModelsTest::doriTableSaysOnlyWhatChanged() {
    DoriTableModel model;
    model.SetCoverage(At("6.096"));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(!model.SetCoverage(At("6.096")));
    QCOMPARE(changed.count(), 0);
    // Still Identify: what each level needs at the target (Monitor's and Detect's focal lengths,
    // rounded up, read alike).
    QVERIFY(model.SetCoverage(At("6.2")));
    QStringList said;
    for (const auto& signal : changed)
        said << QString("%1:%2-%3")
                    .arg(signal[0].toModelIndex().row())
                    .arg(signal[0].toModelIndex().column())
                    .arg(signal[1].toModelIndex().column());
    QCOMPARE(said.join(' '), QString("0:4-4 1:4-4 2:3-4 3:3-4 4:3-4 5:3-4"));
    changed.clear();
    QVERIFY(model.SetCoverage(At("8")));  // Recognise: bold moves from Identify to it
    QStringList emphasis;
    for (const auto& signal : changed)
        if (signal[2].value<QList<int>>().contains(Qt::FontRole))
            emphasis << QString::number(signal[0].toModelIndex().row());
    QCOMPARE(emphasis.join(' '), QString("3 4"));
}

// The figures sorted by are the lens's own numbers, not its texts: "9.00 mm" before "10.00 mm",
// two densities that round alike in the order of their figures.
void CoverageModelsTest::lensListSortsByTheFigures_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("texts");      // of the column, as listed
    QTest::addColumn<QList<double>>("figures");  // behind them; -1: no rating
    QTest::addColumn<QString>("ascending");      // the rows, by their place as listed
    QTest::newRow("set to: 9 before 10, as numbers")
        << int(LensListModel::kFocalLengthColumn) << QStringList{"10.00 mm", "9.00 mm", "12.50 mm"}
        << QList<double>{10, 9, 12.5} << "1 0 2";
    QTest::newRow("density in a decimal comma and grouping")
        << int(LensListModel::kDensityColumn)
        << QStringList{"1.000,5 px/m (304,9 px/ft)", "250,0 px/m (76,2 px/ft)"}
        << QList<double>{1000.5, 250} << "1 0";
    QTest::newRow("density: two that round alike, by their figures")
        << int(LensListModel::kDensityColumn) << QStringList{"262.5 px/m", "262.5 px/m"}
        << QList<double>{262.54, 262.46} << "1 0";
    QTest::newRow("scene width, the second unit ignored")
        << int(LensListModel::kSceneWidthColumn)
        << QStringList{"7.32 m (24.00 ft)", "12.00 m (39.37 ft)", "0.50 m (1.64 ft)"}
        << QList<double>{7.32, 12, 0.5} << "2 0 1";
    QTest::newRow("rating: 5 before 12, a lens without one first")
        << int(LensListModel::kMegapixelsColumn) << QStringList{"12MP", "", "5MP"}
        << QList<double>{12, -1, 5} << "1 2 0";
    QTest::newRow("kind: fixed, varifocal, zoom")
        << int(LensListModel::kKindColumn) << QStringList{"zoom", "fixed", "varifocal"}
        << QList<double>{2, 0, 1} << "1 2 0";
    QTest::newRow("model numbers as text")
        << int(LensListModel::kModelNumberColumn) << QStringList{"TG06", "H3580V", "T2860V"}
        << QList<double>{0, 0, 0} << "1 2 0";
}

void CoverageModelsTest::lensListSortsByTheFigures() {
    QFETCH(int, column);
    QFETCH(QStringList, texts);
    QFETCH(QList<double>, figures);
    QFETCH(QString, ascending);
    LensListModel model;
    std::vector<LensListRow> rows;
    for (int i = 0; i < texts.size(); ++i) {
        LensListRow row{{"M", "D", LensKind::Fixed, {}, 4, 4, 1, 1},
                        u"M",
                        u"D",
                        u"fixed",
                        u"manual",
                        u"",
                        u"4.00 mm",
                        u"1.0 px/m",
                        u"1.00 m"};
        std::u16string* cells[] = {&row.modelNumber, &row.description, &row.kind,
                                   &row.iris,        &row.megapixels,  &row.focalLength,
                                   &row.density,     &row.sceneWidth};
        *cells[column] = texts[i].toStdU16String();
        const double figure = figures[i];
        if (column == LensListModel::kKindColumn)
            row.lens.kind = static_cast<LensKind>(figure);
        if (column == LensListModel::kMegapixelsColumn && figure >= 0)
            row.lens.megapixels = static_cast<int>(figure);
        double* numbers[] = {nullptr,
                             nullptr,
                             nullptr,
                             nullptr,
                             nullptr,
                             &row.lens.focalMm,
                             &row.lens.densityPxPerM,
                             &row.lens.sceneWidthM};
        if (numbers[column])
            *numbers[column] = figure;
        rows.push_back(row);
    }
    model.SetRows(rows);
    QSortFilterProxyModel sorted;
    sorted.setSourceModel(&model);
    sorted.setSortRole(LensListModel::kSortRole);
    sorted.sort(column);
    QStringList order;
    for (int row = 0; row < sorted.rowCount(); ++row)
        order << QString::number(sorted.mapToSource(sorted.index(row, column)).row());
    QCOMPARE(order.join(' '), ascending);
}

QTEST_MAIN(CoverageModelsTest)
#include "test_coverage_models.moc"
