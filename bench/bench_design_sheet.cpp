// "Export PDF…" of the Coverage window: the design sheet of the first worked example worked out,
// laid out on an A4 page with its 126 lenses cut to what fits, and saved to a file. The first
// export of a process also loads the fonts; the others show the steady cost. The pictures are
// stand-ins of like weight: a wedge, six labelled bands and a scale.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QTemporaryDir>

#include "design_sheet_document.h"
#include "layout.h"

static void DrawStandIn(QPainter& painter, const QRectF& rect, const QPalette& palette) {
    painter.setPen(palette.color(QPalette::WindowText));
    for (int band = 0; band < 6; ++band) {
        const QRectF strip(rect.left() + rect.width() * band / 6, rect.top(), rect.width() / 6,
                           rect.height());
        painter.fillRect(strip, QColor::fromHsv(0, 0, 120 + 20 * band));
        painter.drawText(strip, Qt::AlignTop | Qt::AlignHCenter,
                         QStringLiteral("Level %1").arg(band));
    }
    painter.drawPolygon(QPolygonF({rect.bottomLeft(), rect.topRight(), rect.bottomRight()}));
    for (int tick = 0; tick <= 10; ++tick)
        painter.drawText(QPointF(rect.left() + rect.width() * tick / 10, rect.bottom() - 2),
                         QString::number(tick * 5));
}

static void BM_ExportPdf(benchmark::State& state) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sheet.pdf"));
    DesignSheetInputs inputs{DefaultCoverageInputs(LengthUnit::Metres),
                             u"Own values",
                             u"14 May 2025",
                             {2025, 5, 14},
                             {}};
    for (auto _ : state) {
        const DesignSheet sheet = MakeDesignSheet(inputs, NumberFormat{});
        if (WriteDesignSheetPdf(path, sheet, {DrawStandIn, DrawStandIn}, QPageSize(QPageSize::A4)))
            state.SkipWithError("the PDF was not written");
    }
}
BENCHMARK(BM_ExportPdf)->Name("BM_ExportPdf/first")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportPdf)->Unit(benchmark::kMillisecond);
