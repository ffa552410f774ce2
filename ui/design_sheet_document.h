#pragma once

#include <QPageSize>
#include <QString>
#include <functional>
#include <optional>

#include "design_sheet.h"

class QLocale;
class QPainter;
class QPalette;
class QPrinter;
class QRectF;

// The design sheet on paper: one page with the title and date, the inputs beside the results,
// the DORI table, the side and top views, and the catalogue's lenses, as many as fit, the rest
// counted ("and 12 more lenses"). Figures are written in the number format the form is typed in
// (the sheet's userFormat), lengths in the form's unit.

// A picture of the coverage, drawn to fill a rectangle of the page in the palette given: dark
// on white whatever the desktop's colours, as paper is white. Drawn once per page, at the size
// it has on paper, reckoned at 96 dots per inch, so that its lines and texts are as thick and as
// large as on a screen of that density; an empty function leaves its place blank.
using SheetPicture = std::function<void(QPainter&, const QRectF&, const QPalette&)>;

struct SheetPictures {
    SheetPicture sideView;
    SheetPicture topView;
};

// Letter where offices use it, the United States and Canada (or wherever the locale measures in
// US units); A4 everywhere else.
QPageSize SheetPageSize(const QLocale& locale);

// Draws the page into `page`, a rectangle in the painter's device pixels, whose fonts are sized
// for the painter's device. Lays out the same on any page size; fills no background.
void DrawDesignSheet(QPainter& painter, const QRectF& page, const DesignSheet& sheet,
                     const SheetPictures& pictures);

// Writes the sheet as a one-page PDF to `path`, replacing what is there only once the whole
// file is written: a failed write leaves the old file, or no file, and nothing half written.
// No value when the file is written; otherwise why not, as the system tells it ("Permission
// denied"), for a message that names the file.
std::optional<QString> WriteDesignSheetPdf(const QString& path, const DesignSheet& sheet,
                                           const SheetPictures& pictures,
                                           const QPageSize& pageSize);

// Prints the sheet on one page of the printer, on the paper it is set up with (set it to
// SheetPageSize before offering the print dialog). No value when the printer took the page;
// otherwise why not.
std::optional<QString> PrintDesignSheet(QPrinter& printer, const DesignSheet& sheet,
                                        const SheetPictures& pictures);
