#pragma once

#include <QFuture>
#include <QHash>
#include <QPageSize>
#include <QPalette>
#include <QString>
#include <functional>

#include "design.h"
#include "design_file_store.h"
#include "design_sheet_document.h"
#include "number_text.h"
#include "plan_export.h"

class QPrinter;

// The design's report on paper, for File > Export Report (PDF)… and Print Report…: a cover
// page (the design's name, its notes, the date, the count of cameras and how many meet their
// level, and how many targets are met when the design has any), a page for each site plan that
// holds a camera, a wall or a target (the whole plan fitted to the page, over its underlay), the
// camera schedule as a table over as many pages as it needs with its header on each,
// then each camera's design sheet titled with the camera's name, each on a page of its own (its
// lens list may continue on the next). Every page's footer holds the design's name and "n of N".
// Names are written on one line ("Untitled design", "Unnamed camera" where there is none).
// Figures are written in the user's number format, lengths in the design's unit, as the design
// window shows them.

struct ReportOptions {
    Design design;
    NumberFormat format;  // the user's: what the figures are written in
    QString date;         // as the user reads dates; written as given on the cover and sheets
    QPageSize pageSize = QPageSize(QPageSize::A4);  // SheetPageSize(QLocale()) for the user's
    QPalette palette = PaperPalette();  // of the side and top views: black on white for paper
    // The plans' underlays by their SHA-256 (Plan::image); a plan whose underlay is not here is
    // drawn on a blank sheet with its metre grid.
    QHash<QString, DesignBlob> planImages = {};
};

// Told, before the work and after each step of it, how many of how many steps are done (the
// count does not change during one run); returns false to cancel. An empty function: never
// cancelled.
using ReportProgress = std::function<bool(int done, int total)>;

enum class ReportOutcome {
    Done,       // the file is written, the printer took the pages
    Cancelled,  // by the progress function: no file written, or the print run aborted
    Failed,     // see the reason
};

struct ReportResult {
    ReportOutcome outcome = ReportOutcome::Done;
    // Why it failed, as the system tells it ("Permission denied"), for a message that names the
    // file; empty unless Failed.
    QString reason;
};

// A plan's page as the report and Export Plan draw it: the design's and plan's names, the date,
// the plan's drawing from `images` (by sha256), its page and scale, figures in the user's
// `format`; `scene`: the plan's, when the caller has it (else worked out here).
PlanSheet PlanSheetFor(const Design& design, const Plan& plan, const QString& date,
                       const QHash<QString, DesignBlob>& images, const NumberFormat& format,
                       PlanScene scene = {});

// Writes the report as a PDF to `path`, replacing what is there only once the whole file is
// written: a failed or cancelled export leaves the old file, or no file, and nothing half
// written. Takes a step per camera twice (the first pass counts the pages), one per plan page
// and two more; a 500-camera design takes seconds, so a window runs it through
// StartDesignReportPdf. Safe on any thread: it draws with QPainter on a QPdfWriter only.
ReportResult WriteDesignReportPdf(const QString& path, const ReportOptions& options,
                                  const ReportProgress& progress = {});

// WriteDesignReportPdf on a thread of the global thread pool, for a window that shows its
// progress (QFutureWatcher's progressRangeChanged and progressValueChanged) and offers to cancel
// (QFuture::cancel: nothing is written). The future holds one result unless it was cancelled;
// then it holds none. Cancelled after its last step, while the file is being saved, the file is
// saved all the same: the window may say so, as it finds the future cancelled and the file there.
QFuture<ReportResult> StartDesignReportPdf(const QString& path, const ReportOptions& options);

// Prints the report on the paper the printer is set up with (set it to options.pageSize before
// offering the print dialog), within the printer's margins raised to at least 10 mm. On the
// thread that owns the printer; the progress function may process the window's events. Cancelled
// while printing, the print run is aborted.
ReportResult PrintDesignReport(QPrinter& printer, const ReportOptions& options,
                               const ReportProgress& progress = {});
