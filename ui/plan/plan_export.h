#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <optional>

#include "design_file_store.h"
#include "length_unit.h"
#include "plan_look.h"
#include "plan_scene.h"

// A plan on paper, for Export Plan (PDF or PNG) and the design report's plan pages: the plan
// over its underlay, its legend, scale bar and north arrow, and a title block. Drawn black on
// white whatever the desktop's colours.

// What a plan page shows.
struct PlanSheet {
    QString designName;  // empty: "Untitled design"
    QString date;        // written as given
    QString planName;    // empty: "Unnamed plan"
    PlanScene scene;
    // The underlay as the design file keeps it; empty bytes: none, a blank sheet with a metre
    // grid. One that cannot be read is left out the same way.
    DesignBlob underlay;
    int pdfPage = 0;  // of a PDF underlay, from 0
    // Metres per underlay pixel (a picture's pixel, an SVG's user unit, a PDF's point); no value
    // while the plan is not scaled: then its metres mean nothing on the underlay, which is left
    // out.
    std::optional<double> metresPerPixel;
    QPointF originM;  // where the underlay's top-left corner lies, in the plan's metres
    LengthUnit unit = LengthUnit::Metres;  // of the scale bar
    NumberFormat format;                   // the user's, of the scale bar's length
    PlanLook look;
};

// The paper a plan is drawn on.
struct PlanPaper {
    QPageSize pageSize = QPageSize(QPageSize::A4);
    QPageLayout::Orientation orientation = QPageLayout::Landscape;
    // 100: the plan at 1:100 (a metre of the plan is 10 mm of paper), centred, and cut at the
    // frame where it is larger; no value: the whole plan as large as the frame takes it.
    std::optional<int> scaleDenominator;
};

// Draws the plan page within `page` (the device's pixels) on the painter's device: the frame with
// the plan, then the title block at the foot (the design's name, the plan's name, the date and
// "Scale: 1:100" or "Scale: Fit"). Sizes follow the device's resolution, so that a page reads
// alike in a PDF and in a picture; the underlay is read and drawn at once (a PDF page rendered at
// 300 dpi at most).
void PaintPlanPage(QPainter& painter, const QRectF& page, const PlanSheet& sheet,
                   const PlanPaper& paper);

// Writes the plan page as a one-page PDF at `path`, with margins of 10 mm, replacing what is
// there only once the whole file is written. A message naming the file when it cannot be written.
std::optional<QString> ExportPlanPdf(const QString& path, const PlanSheet& sheet,
                                     const PlanPaper& paper);

// Writes the plan page, fitted, as a PNG picture of `pixels` (white background); texts and marks
// are as large against it as on a sheet of A4 across its longer side. A message naming the file
// when it cannot be written, or when the size is empty or too large to draw.
std::optional<QString> ExportPlanPng(const QString& path, const PlanSheet& sheet, QSize pixels);
