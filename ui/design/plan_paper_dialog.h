#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <optional>

class QWidget;

// What Export Plan puts the plan on: a sheet of paper, which way round, and a scale ("1:100": a
// metre of the site is 10 mm on paper) or none, to fit the plan to the sheet.
struct PlanPaperChoice {
    QPageSize size = QPageSize(QPageSize::A3);
    QPageLayout::Orientation orientation = QPageLayout::Landscape;
    std::optional<int> scale;  // the denominator: 100 for 1:100; none: fit
};

// The scales offered, as plans are drawn: 1:50 to 1:1000.
inline constexpr int kPlanScales[] = {50, 100, 200, 250, 500, 1000};

// Asks for the paper and the scale, starting from `start`; no value when the user cancels.
std::optional<PlanPaperChoice> AskPlanPaper(QWidget* parent, const PlanPaperChoice& start);
