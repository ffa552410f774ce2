#include "design_report.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPromise>
#include <QSaveFile>
#include <QThreadPool>
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "camera_inputs.h"
#include "coverage_pictures.h"
#include "design_edits.h"
#include "layout.h"
#include "layout_page.h"
#include "plan_export.h"
#include "plan_scene.h"
#include "qt_text.h"
#include "schedule.h"

namespace {

constexpr double kMarginMm = 15;
// What a printer's own margins are raised to, as for the design sheet.
constexpr double kLeastPrinterMarginMm = 10;

// A name on one line: a table cell or a title has no room for the line breaks a name may hold.
QString OneLine(const std::u16string& text) {
    return ToQString(text).simplified();
}

QString DesignTitle(const Design& design) {
    const QString name = OneLine(design.name);
    return name.isEmpty() ? QStringLiteral("Untitled design") : name;
}

QString CameraTitle(const Camera& camera) {
    const QString name = OneLine(camera.name);
    return name.isEmpty() ? QStringLiteral("Unnamed camera") : name;
}

// The steps of one run, told to the progress function; false once it cancels.
class Steps {
  public:
    Steps(const ReportProgress& progress, int total) : progress(progress), total(total) {}

    bool Start() const { return !progress || progress(0, total); }
    bool Next() { return !progress || progress(++done, total); }

  private:
    const ReportProgress& progress;
    const int total;
    int done = 0;
};

// The camera's sheet as the Coverage form would show it: its inputs in the design's unit and
// the user's format.
DesignSheet SheetOf(const Camera& camera, const ReportOptions& options) {
    DesignSheetInputs in;
    in.form = InputsForEditor(camera, options.design.unit, options.format);
    in.follow = u"Own values";
    in.date = options.date.toStdU16String();
    return MakeDesignSheet(in, options.format);
}

SheetPictures PicturesOf(const DesignSheet& sheet, const QPalette& palette) {
    const CoverageFigures& figures = sheet.coverage.figures;
    const LengthUnit unit = sheet.inputs.form.unit;
    const NumberFormat format = sheet.userFormat;
    return {
        [figures, unit, format, palette](QPainter& painter, const QRectF& area, const QPalette&) {
            DrawSideView(painter, area, figures, unit, format, palette);
        },
        [figures, unit, format, palette](QPainter& painter, const QRectF& area, const QPalette&) {
            DrawTopView(painter, area, figures, unit, format, palette);
        }};
}

// The plans that get a page: those with a camera on them, a wall or a target. A plan that holds
// nothing yet would be a page of nothing but its underlay.
std::vector<const Plan*> PlansShown(const Design& design) {
    std::vector<const Plan*> plans;
    for (const Plan& plan : design.plans) {
        const bool hasCamera =
            std::any_of(design.cameras.begin(), design.cameras.end(), [&](const Camera& camera) {
                return camera.placement && camera.placement->plan == plan.id;
            });
        if (hasCamera || !plan.walls.empty() || !plan.targets.empty())
            plans.push_back(&plan);
    }
    return plans;
}

PlanSheet PlanSheetOf(const Plan& plan, const ReportOptions& options) {
    return PlanSheetFor(options.design, plan, options.date, options.planImages, options.format);
}

// What the report shows, worked out once for both passes.
struct ReportContent {
    std::vector<ScheduleRow> schedule;
    std::vector<const Plan*> plans;   // those that get a page, in the design's order
    std::vector<DesignSheet> sheets;  // in the design's order, filled by the counting pass
};

// Lays the report out page by page on the painter's device, in its device pixels; `startPage`
// starts each page after the first (false: there is none). Each page's footer is numbered of
// `totalPages`; the counting pass, which passes 0, draws none.
class ReportPainter {
  public:
    ReportPainter(QPainter& painter, std::function<bool()> startPage, const QRectF& paper,
                  QString footerTitle, int totalPages)
        : painter(painter),
          device(*painter.device()),
          startPage(std::move(startPage)),
          pt(device.logicalDpiY() / 72.0),
          paper(paper),
          page(paper.adjusted(0, 0, 0, -(LineHeight(bodyFont) + 8 * pt))),
          footerTitle(std::move(footerTitle)),
          totalPages(totalPages),
          y(page.top()) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::black);
        Footer();
    }

    int Pages() const { return pageNumber; }

    // One page: a name or notes longer than it are cut at its foot.
    void Cover(const ReportOptions& options, const std::vector<ScheduleRow>& schedule) {
        painter.save();
        painter.setClipRect(page);
        CoverText(options, schedule);
        painter.restore();
    }

    // The schedule from a new page, its header repeated on every page it continues on.
    void Schedule(const std::vector<ScheduleRow>& rows) {
        const QString title = QStringLiteral("Camera schedule");
        NextPage();
        SectionTitle(title);
        const std::vector<double> widths = ColumnWidths(rows);
        ScheduleHeader(widths);
        if (rows.empty()) {
            painter.setFont(bodyFont);
            painter.drawText(QRectF(page.left(), y, page.width(), LineHeight(bodyFont)),
                             Qt::AlignLeft | Qt::AlignVCenter,
                             QStringLiteral("The design has no cameras."));
            return;
        }
        // Rows spaced and ruled, so that the eye keeps to one across eleven columns.
        const double rowHeight = 1.5 * LineHeight(bodyFont);
        for (const ScheduleRow& row : rows) {
            if (y + rowHeight > page.bottom()) {
                NextPage();
                SectionTitle(title + QStringLiteral(" (continued)"));
                ScheduleHeader(widths);
            }
            QStringList texts;
            for (const ScheduleCell& cell : row.cells)
                texts << OneLine(cell.text);
            Cells(widths, texts, bodyFont, rowHeight, Qt::AlignVCenter);
            painter.save();
            painter.setPen(QPen(Qt::lightGray, 0.25 * pt));
            painter.drawLine(QPointF(page.left(), y), QPointF(page.right(), y));
            painter.restore();
        }
    }

    // The plan, fitted to a page of its own; the counting pass only counts it.
    void PlanPage(const Plan& plan, const ReportOptions& options) {
        NextPage();
        if (totalPages <= 0)
            return;
        PlanPaper paper;
        paper.orientation = QPageLayout::Portrait;
        painter.save();
        PaintPlanPage(painter, page, PlanSheetOf(plan, options), paper);
        painter.restore();
    }

    // The camera's design sheet from a new page, continued on the pages it starts.
    void Sheet(const DesignSheet& sheet, const QString& title, const SheetPictures& pictures) {
        NextPage();
        DrawDesignSheet(painter, page, sheet, pictures, {title, [this] { return NextPage(); }});
    }

  private:
    void CoverText(const ReportOptions& options, const std::vector<ScheduleRow>& schedule) {
        painter.setFont(titleFont);
        const double height = LineHeight(titleFont);
        painter.drawText(QRectF(page.left(), y, page.width(), height),
                         Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Design report"));
        painter.setFont(bodyFont);
        painter.drawText(QRectF(page.left(), y, page.width(), height),
                         Qt::AlignRight | Qt::AlignVCenter, options.date);
        y += height + 2 * pt;
        Rule();
        y += 12 * pt;

        Wrapped(nameFont, DesignTitle(options.design));
        y += 12 * pt;
        const QString lengths = options.design.unit == LengthUnit::Feet
                                    ? QStringLiteral("Lengths in feet")
                                    : QStringLiteral("Lengths in metres");
        QStringList lines{QStringLiteral("Cameras: %1").arg(options.design.cameras.size()),
                          ToQString(ScheduleSummary(schedule))};
        if (const TargetsMet targets = CountTargetsMet(options.design); targets.total > 0)
            lines << QStringLiteral("Targets met: %1 of %2").arg(targets.met).arg(targets.total);
        lines << lengths;
        for (const QString& line : lines)
            Wrapped(coverFont, line);
        if (options.design.notes.empty())
            return;
        y += 12 * pt;
        SectionTitle(QStringLiteral("Notes"));
        Wrapped(coverFont, ToQString(options.design.notes));
    }

    bool NextPage() {
        if (!startPage())
            return false;
        ++pageNumber;
        y = page.top();
        Footer();
        return true;
    }

    // The design's name and "n of N" under a rule at the foot of the page.
    void Footer() {
        if (totalPages <= 0)
            return;
        painter.save();
        const double height = LineHeight(bodyFont);
        const QRectF line(paper.left(), paper.bottom() - height, paper.width(), height);
        painter.setPen(QPen(Qt::black, 0.5 * pt));
        painter.drawLine(QPointF(line.left(), line.top() - 3 * pt),
                         QPointF(line.right(), line.top() - 3 * pt));
        painter.setPen(Qt::black);
        painter.setFont(bodyFont);
        const QString number = QStringLiteral("%1 of %2").arg(pageNumber).arg(totalPages);
        painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, number);
        const double titleWidth =
            std::max(0.0, line.width() - TextWidth(bodyFont, number) - 24 * pt);
        painter.drawText(
            QRectF(line.left(), line.top(), titleWidth, height), Qt::AlignLeft | Qt::AlignVCenter,
            QFontMetricsF(bodyFont, &device).elidedText(footerTitle, Qt::ElideRight, titleWidth));
        painter.restore();
    }

    double LineHeight(const QFont& font) const {
        return QFontMetricsF(font, &device).lineSpacing();
    }

    double TextWidth(const QFont& font, const QString& text) const {
        return QFontMetricsF(font, &device).horizontalAdvance(text);
    }

    void Rule() {
        painter.save();
        painter.setPen(QPen(Qt::black, 0.5 * pt));
        painter.drawLine(QPointF(page.left(), y), QPointF(page.right(), y));
        painter.restore();
    }

    void SectionTitle(const QString& title) {
        painter.setFont(headingFont);
        painter.drawText(QRectF(page.left(), y, page.width(), LineHeight(headingFont)),
                         Qt::AlignLeft | Qt::AlignVCenter, title);
        y += LineHeight(headingFont) + 2 * pt;
    }

    // Text across the page, wrapped between words (anywhere in a word too long for a line).
    void Wrapped(const QFont& font, const QString& text) {
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextWrapAnywhere;
        const QRectF box(page.left(), y, page.width(), std::max(0.0, page.bottom() - y));
        painter.setFont(font);
        painter.drawText(box, flags, text);
        y += std::max(QFontMetricsF(font, &device).boundingRect(box, flags, text).height(),
                      LineHeight(font));
    }

    static bool IsFigure(std::size_t column) {
        switch (static_cast<ScheduleColumn>(column)) {
            case ScheduleColumn::Resolution:
            case ScheduleColumn::FocalLength:
            case ScheduleColumn::Distance:
            case ScheduleColumn::MountingHeight:
            case ScheduleColumn::Density:
                return true;
            default:
                return false;
        }
    }

    // The columns as wide as every row needs, so that they stay put from page to page, with the
    // captions on two lines; where that is wider than the page the names, then the lens models,
    // are cut short (with an ellipsis) down to a fifth of the page; any room left is shared out.
    std::vector<double> ColumnWidths(const std::vector<ScheduleRow>& rows) const {
        const QFontMetricsF body(bodyFont, &device);
        const QFontMetricsF header(boldFont, &device);
        std::vector<double> widths;
        double total = 0;
        for (std::size_t c = 0; c < kScheduleColumns; ++c) {
            double width =
                TwoLineWidth(header, ToQString(ScheduleCaption(static_cast<ScheduleColumn>(c))));
            for (const ScheduleRow& row : rows)
                width = std::max(width, body.horizontalAdvance(OneLine(row.cells[c].text)));
            widths.push_back(width + Pad());
            total += width + Pad();
        }
        for (const ScheduleColumn cut : {ScheduleColumn::Name, ScheduleColumn::Lens}) {
            double& width = widths[static_cast<std::size_t>(cut)];
            const double least = std::min(width, page.width() / 5);
            const double spare = page.width() - total;
            if (spare >= 0)
                break;
            const double narrower = std::max(least, width + spare);
            total -= width - narrower;
            width = narrower;
        }
        const double spare = page.width() - total;
        if (spare > 0) {
            for (double& width : widths)
                width += spare / static_cast<double>(widths.size());
        }
        return widths;
    }

    double Pad() const { return 6 * pt; }

    void ScheduleHeader(const std::vector<double>& widths) {
        QStringList captions;
        for (std::size_t c = 0; c < kScheduleColumns; ++c)
            captions << ToQString(ScheduleCaption(static_cast<ScheduleColumn>(c)));
        Cells(widths, captions, boldFont, 2 * LineHeight(boldFont),
              Qt::AlignBottom | Qt::TextWordWrap);
        y += 1 * pt;
        Rule();
        y += 1 * pt;
    }

    // One line of the table, each text in its column (cut short with an ellipsis unless it may
    // wrap).
    void Cells(const std::vector<double>& widths, const QStringList& texts, const QFont& font,
               double height, int flags) {
        painter.setFont(font);
        const QFontMetricsF metrics(font, &device);
        double x = page.left();
        for (std::size_t c = 0; c < widths.size(); ++c) {
            const QRectF cell(x, y, widths[c] - Pad(), height);
            const QString text = texts.value(static_cast<int>(c));
            painter.drawText(cell, (IsFigure(c) ? Qt::AlignRight : Qt::AlignLeft) | flags,
                             flags & Qt::TextWordWrap
                                 ? text
                                 : metrics.elidedText(text, Qt::ElideRight, cell.width()));
            x += widths[c];
        }
        y += height;
    }

    // First: the page's layout below is measured in them.
    const QFont nameFont = ArialFont(22, true);
    const QFont titleFont = ArialFont(16, true);
    const QFont coverFont = ArialFont(11);
    const QFont headingFont = ArialFont(10, true);
    const QFont bodyFont = ArialFont(8.5);
    const QFont boldFont = ArialFont(8.5, true);
    QPainter& painter;
    const QPaintDevice& device;
    const std::function<bool()> startPage;
    const double pt;     // device pixels per point
    const QRectF paper;  // the printable area
    const QRectF page;   // the part above the footer
    const QString footerTitle;
    const int totalPages;
    int pageNumber = 1;
    double y;  // the top of what comes next
};

QRectF PaperOf(const QPagedPaintDevice& device, int resolution) {
    const QRect paper = device.pageLayout().paintRectPixels(resolution);
    return QRectF(QPointF(0, 0), paper.size());
}

// The first pass: works out each camera's sheet and lays the whole report out on a page that
// measures as `like` does and keeps nothing, to count the pages (a sheet's lens list may take a
// second). Exactly as the second pass does, since every step of the layout is measured by the
// fonts and the device's resolution alone; the pictures are left out, their frames take their
// room. About half the second pass's time. No value when cancelled; 0 when
// the page could not be laid out.
std::optional<int> CountPages(ReportContent& content, const ReportOptions& options,
                              const QPagedPaintDevice& like, int resolution, Steps& steps) {
    LayoutPage layoutPage(like);
    QPainter painter;
    if (!painter.begin(&layoutPage))
        return 0;
    ReportPainter out(
        painter, [] { return true; }, PaperOf(like, resolution), QString(), 0);
    out.Cover(options, content.schedule);
    for (const Plan* plan : content.plans)
        out.PlanPage(*plan, options);
    out.Schedule(content.schedule);
    content.sheets.clear();
    content.sheets.reserve(options.design.cameras.size());
    for (const Camera& camera : options.design.cameras) {
        content.sheets.push_back(SheetOf(camera, options));
        out.Sheet(content.sheets.back(), CameraTitle(camera), {});
        if (!steps.Next())
            return std::nullopt;
    }
    return out.Pages();
}

// The second pass, on the device the painter has begun: false when cancelled.
bool DrawPages(QPainter& painter, QPagedPaintDevice& device, int resolution,
               const ReportContent& content, const ReportOptions& options, int totalPages,
               Steps& steps) {
    ReportPainter out(
        painter, [&device] { return device.newPage(); }, PaperOf(device, resolution),
        DesignTitle(options.design), totalPages);
    out.Cover(options, content.schedule);
    for (const Plan* plan : content.plans) {
        out.PlanPage(*plan, options);
        if (!steps.Next())
            return false;
    }
    out.Schedule(content.schedule);
    if (!steps.Next())
        return false;
    for (std::size_t i = 0; i < content.sheets.size(); ++i) {
        out.Sheet(content.sheets[i], CameraTitle(options.design.cameras[i]),
                  PicturesOf(content.sheets[i], options.palette));
        if (!steps.Next())
            return false;
    }
    return true;
}

// A step per camera in each pass, one per plan page, the cover and schedule, and the finished
// document.
int StepCount(const ReportOptions& options) {
    return 2 * static_cast<int>(options.design.cameras.size()) +
           static_cast<int>(PlansShown(options.design).size()) + 2;
}

QPageLayout ReportLayout(const QPageSize& pageSize) {
    return QPageLayout(pageSize, QPageLayout::Portrait,
                       QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                       QPageLayout::Millimeter);
}

ReportResult Cancelled() {
    return {ReportOutcome::Cancelled, QString()};
}

ReportResult Failed(const QString& reason) {
    return {ReportOutcome::Failed, reason};
}

}  // namespace

ReportResult WriteDesignReportPdf(const QString& path, const ReportOptions& options,
                                  const ReportProgress& progress) {
    Steps steps(progress, StepCount(options));
    if (!steps.Start())
        return Cancelled();
    ReportContent content;
    content.schedule = ScheduleOf(options.design, options.format);
    content.plans = PlansShown(options.design);
    // Drawn in memory first: QPdfWriter says nothing of a failed write to a file.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageLayout(ReportLayout(options.pageSize));
        writer.setTitle(DesignTitle(options.design));
        writer.setCreator(QStringLiteral("Vistamarq"));
        const std::optional<int> pages =
            CountPages(content, options, writer, writer.resolution(), steps);
        if (!pages)
            return Cancelled();
        QPainter painter;
        if (*pages == 0 || !painter.begin(&writer))
            return Failed(QStringLiteral("The PDF could not be drawn."));
        if (!DrawPages(painter, writer, writer.resolution(), content, options, *pages, steps))
            return Cancelled();
        painter.end();
    }
    if (!steps.Next())
        return Cancelled();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Failed(file.errorString());
    if (file.write(pdf.data()) != pdf.data().size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return Failed(error);
    }
    if (!file.commit())
        return Failed(file.errorString());
    return {};
}

PlanSheet PlanSheetFor(const Design& design, const Plan& plan, const QString& date,
                       const QHash<QString, DesignBlob>& images, const NumberFormat& format,
                       PlanScene scene) {
    PlanSheet sheet;
    sheet.designName = OneLine(design.name);
    sheet.date = date;
    sheet.planName = OneLine(plan.name);
    sheet.scene = scene.planId == plan.id ? std::move(scene) : BuildPlanScene(design, plan.id);
    if (plan.image)
        sheet.underlay = images.value(QString::fromStdString(*plan.image));
    sheet.pdfPage = plan.imagePage;
    // As the plan view draws it: an unscaled drawing at a centimetre to its pixel.
    sheet.metresPerPixel = plan.metresPerPixel.value_or(kUnscaledMetresPerPixel);
    sheet.originM = QPointF(plan.origin.x, plan.origin.y);
    sheet.unit = design.unit;
    sheet.format = format;
    return sheet;
}

QFuture<ReportResult> StartDesignReportPdf(const QString& path, const ReportOptions& options) {
    // Shared: the pool takes a copyable function, and a promise is only moved.
    auto promise = std::make_shared<QPromise<ReportResult>>();
    QFuture<ReportResult> future = promise->future();
    promise->start();
    QThreadPool::globalInstance()->start([promise, path, options] {
        const ReportResult result =
            WriteDesignReportPdf(path, options, [&promise](int done, int total) {
                if (done == 0)
                    promise->setProgressRange(0, total);
                promise->setProgressValue(done);
                return !promise->isCanceled();
            });
        if (result.outcome != ReportOutcome::Cancelled)
            promise->addResult(result);
        promise->finish();
    });
    return future;
}

ReportResult PrintDesignReport(QPrinter& printer, const ReportOptions& options,
                               const ReportProgress& progress) {
    // The printer's own layout, with margins of at least kLeastPrinterMarginMm, as for a sheet.
    const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
    const auto least = [](double margin) { return std::max(margin, kLeastPrinterMarginMm); };
    printer.setPageMargins(QMarginsF(least(margins.left()), least(margins.top()),
                                     least(margins.right()), least(margins.bottom())),
                           QPageLayout::Millimeter);
    Steps steps(progress, StepCount(options));
    if (!steps.Start())
        return Cancelled();
    ReportContent content;
    content.schedule = ScheduleOf(options.design, options.format);
    content.plans = PlansShown(options.design);
    const std::optional<int> pages =
        CountPages(content, options, printer, printer.resolution(), steps);
    if (!pages)
        return Cancelled();
    QPainter painter;
    if (*pages == 0 || !painter.begin(&printer))
        return Failed(QStringLiteral("The printer could not be started."));
    if (!DrawPages(painter, printer, printer.resolution(), content, options, *pages, steps)) {
        printer.abort();
        painter.end();
        return Cancelled();
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return Failed(QStringLiteral("The printer did not take the pages."));
    steps.Next();
    return {};
}
