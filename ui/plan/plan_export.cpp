// Export Plan: the plan page written as a PDF or a PNG, all at once or not at all.
#include "plan_export.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kMarginMm = 10;
// A PNG this large takes a gigabyte to draw: more than a plan needs.
constexpr qint64 kMostPngPixels = 250'000'000;
// A PNG's marks are as large against it as on a sheet this wide (A4's longer side).
constexpr double kPngSheetWidthMm = 297;

QString NotWritten(const QString& path, const QString& reason) {
    return QStringLiteral("%1 was not written: %2").arg(QDir::toNativeSeparators(path), reason);
}

// Replaces the file only once all of it is written.
std::optional<QString> Save(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return NotWritten(path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return NotWritten(path, error);
    }
    if (!file.commit())
        return NotWritten(path, file.errorString());
    return std::nullopt;
}

}  // namespace

std::optional<QString> ExportPlanPdf(const QString& path, const PlanSheet& sheet,
                                     const PlanPaper& paper) {
    // Drawn in memory first: QPdfWriter says nothing of a failed write to a file.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageLayout(QPageLayout(paper.pageSize, paper.orientation,
                                         QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                         QPageLayout::Millimeter));
        writer.setTitle(sheet.planName.simplified());
        writer.setCreator(QStringLiteral("Vistamarq"));
        QPainter painter;
        if (!painter.begin(&writer))
            return NotWritten(path, QStringLiteral("The PDF could not be drawn"));
        const QRect paint = writer.pageLayout().paintRectPixels(writer.resolution());
        PaintPlanPage(painter, QRectF(QPointF(0, 0), paint.size()), sheet, paper);
        painter.end();
    }
    return Save(path, pdf.data());
}

std::optional<QString> ExportPlanPng(const QString& path, const PlanSheet& sheet, QSize pixels) {
    if (pixels.isEmpty() || qint64(pixels.width()) * pixels.height() > kMostPngPixels)
        return NotWritten(path, QStringLiteral("A picture of %1 × %2 pixels cannot be drawn")
                                    .arg(pixels.width())
                                    .arg(pixels.height()));
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull())
        return NotWritten(path, QStringLiteral("There is not enough memory to draw it"));
    // The resolution the marks and texts are sized by: the picture's longer side as wide as the
    // sheet, and never less than a screen's.
    const double dpi =
        std::max(96.0, std::max(pixels.width(), pixels.height()) / (kPngSheetWidthMm / 25.4));
    image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        const double margin = kMarginMm / 25.4 * dpi;
        const QRectF page = QRectF(image.rect()).adjusted(margin, margin, -margin, -margin);
        PaintPlanPage(painter, page, sheet, PlanPaper{});
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return NotWritten(path, QStringLiteral("The picture could not be encoded"));
    return Save(path, bytes);
}
