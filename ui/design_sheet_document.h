#pragma once

#include <QPageSize>
#include <QString>
#include <functional>
#include <optional>

#include "design_sheet.h"

class QFontMetricsF;
class QLocale;
class QPainter;
class QPalette;
class QPrinter;
class QRectF;

// The design sheet on paper: a page with the title and date, the inputs beside the results (a
// name or value too long for its column wraps), the DORI table, the side and top views, and the
// catalogue's lenses: up to 40, continued on a second page where the first is full, the rest
// counted ("and 12 more lenses"). Figures are written in the number format the form is typed in
// (the sheet's userFormat), lengths in the form's unit.

// A picture of the coverage (the window's side or top view), drawn to fill a rectangle of the
// page in the palette given: black on white whatever the desktop's colours, as paper is white.
// The rectangle is the picture's size on paper in the screen's logical pixels (96 to the inch
// on most desktops), so that its pens and fonts, sized for a screen, come out on paper as they
// look on a screen of that density. An empty function leaves its frame blank.
using SheetPicture = std::function<void(QPainter&, const QRectF&, const QPalette&)>;

struct SheetPictures {
    SheetPicture sideView;
    SheetPicture topView;
};

// The least width in which a table's heading breaks into at most two lines between its words,
// as the paper's tables set their headings.
double TwoLineWidth(const QFontMetricsF& metrics, const QString& text);

// Letter where offices use it, the United States and Canada (or wherever the locale measures in
// US units); A4 everywhere else.
QPageSize SheetPageSize(const QLocale& locale);

// The palette of paper: black on white, whatever the desktop's colours.
QPalette PaperPalette();

// Where the sheet stands in a longer document, such as a design's report: its title, and how a
// page after the first is started (a caller numbering its pages draws the number there).
struct SheetPaging {
    QString title = QStringLiteral("Coverage design sheet");
    // Starts the next page; false where there is none, and the lens list is cut where it is.
    // Empty: the device's own newPage(), where it has pages (a PDF, a printer).
    std::function<bool()> newPage;
};

// Draws the page into `page`, a rectangle in the device pixels of a painter with no transform
// of its own (fonts are sized for its device). Lays out the same on any page size and fills no
// background; the PDF and the printer draw through it. A title too long for the line beside the
// date is cut short with an ellipsis.
void DrawDesignSheet(QPainter& painter, const QRectF& page, const DesignSheet& sheet,
                     const SheetPictures& pictures, const SheetPaging& paging = {});

// Writes the sheet as a PDF to `path`, replacing what is there only once the whole
// file is written: a failed write leaves the old file, or no file, and nothing half written.
// No value when the file is written; otherwise why not, as the system tells it ("Permission
// denied"), for a message that names the file.
std::optional<QString> WriteDesignSheetPdf(const QString& path, const DesignSheet& sheet,
                                           const SheetPictures& pictures,
                                           const QPageSize& pageSize);

// Prints the sheet on the paper the printer is set up with (set it to SheetPageSize before
// offering the print dialog), within the printer's margins raised to at least 10 mm. No value when
// the printer took the page; otherwise why not.
std::optional<QString> PrintDesignSheet(QPrinter& printer, const DesignSheet& sheet,
                                        const SheetPictures& pictures);
