#include "design_sheet_document.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPalette>
#include <QPdfWriter>
#include <QPicture>
#include <QPrinter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "layout.h"
#include "qt_text.h"

namespace {

constexpr double kMarginMm = 15;
// What a printer's own margins are raised to: the page's edge is where printers lose print.
constexpr double kLeastPrinterMarginMm = 10;

// Lines of the sheet as a table: one row per row name, one column per name, in the sheet's order.
struct Table {
    QStringList headers;  // "Farthest distance (m)"
    std::vector<QStringList> rows;
    std::vector<bool> figures;  // by column: right-aligned
    int stretch = -1;           // the column cut short when the table is too wide
};

Table TableOf(const std::vector<SheetLine>& lines, SheetPart part, const QString& rowHeader) {
    Table table;
    if (!rowHeader.isEmpty()) {
        table.headers << rowHeader;
        table.figures.push_back(false);
    }
    std::u16string currentRow;
    for (const SheetLine& line : lines) {
        if (line.part != part || line.row.empty())
            continue;
        if (table.rows.empty() || line.row != currentRow) {
            currentRow = line.row;
            table.rows.emplace_back();
            if (!rowHeader.isEmpty())
                table.rows.back() << ToQString(line.row);
        }
        const int column = table.rows.back().size();
        table.rows.back() << ToQString(line.value);
        if (table.rows.size() == 1) {
            table.headers << (line.unit.empty() ? ToQString(line.name)
                                                : ToQString(line.name + u" (" + line.unit + u')'));
            table.figures.push_back(false);
        }
        if (column < static_cast<int>(table.figures.size()) && line.figure)
            table.figures[static_cast<std::size_t>(column)] = true;
    }
    return table;
}

// Lays the page out from the top down, in device pixels.
class SheetPainter {
  public:
    SheetPainter(QPainter& painter, const QRectF& page, std::function<bool()> newPage)
        : painter(painter),
          page(page),
          newPage(std::move(newPage)),
          pt(painter.device()->logicalDpiY() / 72.0),
          y(page.top()) {}

    void Heading(const QString& title, const QString& date) {
        const double height = LineHeight(titleFont);
        const double titleWidth = std::max(0.0, page.width() - TextWidth(bodyFont, date) - 12 * pt);
        painter.setFont(titleFont);
        painter.drawText(QRectF(page.left(), y, titleWidth, height),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         QFontMetricsF(titleFont, painter.device())
                             .elidedText(title, Qt::ElideRight, titleWidth));
        painter.setFont(bodyFont);
        painter.drawText(QRectF(page.left(), y, page.width(), height),
                         Qt::AlignRight | Qt::AlignVCenter, date);
        y += height + 2 * pt;
        Rule();
    }

    // The inputs on the left, the results on the right, each as "name  value unit".
    void InputsAndResults(const std::vector<SheetLine>& lines) {
        std::vector<const SheetLine*> inputs;
        std::vector<const SheetLine*> results;
        for (const SheetLine& line : lines) {
            if (line.part == SheetPart::Inputs)
                inputs.push_back(&line);
            else if (line.part == SheetPart::Results)
                results.push_back(&line);
        }
        const double gutter = 18 * pt;
        const double leftWidth = std::min(NaturalWidth(inputs), (page.width() - gutter) * 0.56);
        const QRectF left(page.left(), y, leftWidth, 0);
        const QRectF right(page.left() + leftWidth + gutter, y, page.width() - leftWidth - gutter,
                           0);
        const double leftBottom = NamedValues(QStringLiteral("Inputs"), inputs, left);
        const double rightBottom = NamedValues(QStringLiteral("Results"), results, right);
        y = std::max(leftBottom, rightBottom) + 8 * pt;
    }

    void Note(const std::vector<SheetLine>& lines) {
        for (const SheetLine& line : lines) {
            if (line.part != SheetPart::Note)
                continue;
            QFont font = bodyFont;
            font.setItalic(true);
            painter.setFont(font);
            const QRectF box(page.left(), y, page.width(), page.bottom() - y);
            const QString note = ToQString(FullName(line) + u": " + line.value);
            painter.drawText(box, Qt::TextWordWrap, note);
            // Measured by the font and the device's resolution alone, as every step of the
            // layout, so that a report's counting pass lays the page out exactly so.
            y += QFontMetricsF(font, painter.device())
                     .boundingRect(box, Qt::TextWordWrap, note)
                     .height() +
                 4 * pt;
        }
    }

    void Dori(const std::vector<SheetLine>& lines, int levelReached) {
        SectionTitle(
            QStringLiteral("DORI levels (EN 62676-4), farthest reach and what each needs"));
        const Table table = TableOf(lines, SheetPart::Dori, QStringLiteral("Level"));
        DrawTable(table, 0, table.rows.size(), table.rows.size(), levelReached);
        y += 6 * pt;
    }

    // The two pictures side by side, as tall as leaves `keep` below them.
    void Pictures(const SheetPictures& pictures, double keep) {
        const double gap = 12 * pt;
        const double width = (page.width() - gap) / 2;
        const double height =
            std::clamp(page.bottom() - y - keep - LineHeight(headingFont), 0.0, width * 0.62);
        if (height < 40 * pt)
            return;
        Title(QStringLiteral("Side view"), page.left());
        SectionTitle(QStringLiteral("Top view"), page.left() + width + gap);
        DrawPicture(pictures.sideView, QRectF(page.left(), y, width, height));
        DrawPicture(pictures.topView, QRectF(page.left() + width + gap, y, width, height));
        y += height + 8 * pt;
    }

    // The lens list as the paper's lines give it (up to kPaperLensRows), with the count or the
    // note and the filters above it; continued on a new page, its header repeated, where the page
    // is full and the device has pages; else cut where it is, the rest of `allLenses` counted.
    void Lenses(const std::vector<SheetLine>& lines, std::size_t allLenses) {
        QString level;
        QStringList notes;
        QString more;
        for (const SheetLine& line : lines) {
            if (line.part != SheetPart::Lenses || !line.row.empty())
                continue;
            if (line.name == u"Required level")
                level = ToQString(line.value);
            else if (line.name == u"More lenses")
                more = ToQString(line.value);
            else
                notes << ToQString(FullName(line) + u": " + ValueWithUnit(line));
        }
        const QString title = QStringLiteral("Lenses of the catalogue that reach %1").arg(level);
        SectionTitle(title);
        const double row = LineHeight(bodyFont);
        painter.setFont(bodyFont);
        for (const QString& note : notes) {
            painter.drawText(QRectF(page.left(), y, page.width(), row),
                             Qt::AlignLeft | Qt::AlignVCenter, note);
            y += row;
        }
        Table table = TableOf(lines, SheetPart::Lenses, QString());
        if (table.rows.empty())
            return;
        table.stretch = 1;
        const std::size_t wanted = table.rows.size();
        std::size_t shown = 0;
        while (shown < wanted) {
            const double room = page.bottom() - y - HeaderHeight();
            std::size_t fits = static_cast<std::size_t>(std::max(0.0, std::floor(room / row)));
            if (fits < wanted - shown || !more.isEmpty()) {
                // A line for the count of the others, or for nothing when a page follows.
                fits = fits > 0 ? fits - 1 : 0;
            }
            const std::size_t count = std::min(fits, wanted - shown);
            DrawTable(table, shown, count, wanted, -1);
            shown += count;
            if (shown < wanted && !NewPage(title + QStringLiteral(" (continued)")))
                break;
        }
        if (shown < wanted) {
            const std::size_t others = allLenses - shown;
            more = QStringLiteral("and %1 more %2")
                       .arg(others)
                       .arg(others == 1 ? QStringLiteral("lens") : QStringLiteral("lenses"));
        }
        if (!more.isEmpty()) {
            painter.setFont(bodyFont);
            painter.drawText(QRectF(page.left(), y, page.width(), row),
                             Qt::AlignLeft | Qt::AlignVCenter, more);
            y += row;
        }
    }

    // The height the lens list needs for its title, header and a few rows.
    double LensListLeast() const {
        return LineHeight(headingFont) + 2 * pt + HeaderHeight() + 4 * LineHeight(bodyFont);
    }

  private:
    // Starts a new page with a title, where the device has pages (a PDF, a printer) or the
    // caller starts them.
    bool NewPage(const QString& title) {
        if (newPage) {
            if (!newPage())
                return false;
        } else {
            auto* paged = dynamic_cast<QPagedPaintDevice*>(painter.device());
            if (!paged || !paged->newPage())
                return false;
        }
        y = page.top();
        SectionTitle(title);
        return true;
    }

    double LineHeight(const QFont& font) const {
        return QFontMetricsF(font, painter.device()).lineSpacing();
    }

    double TextWidth(const QFont& font, const QString& text) const {
        return QFontMetricsF(font, painter.device()).horizontalAdvance(text);
    }

    double HeaderHeight() const { return 2 * LineHeight(boldFont) + 2 * pt; }

    void Rule() {
        painter.save();
        painter.setPen(QPen(Qt::black, 0.5 * pt));
        painter.drawLine(QPointF(page.left(), y), QPointF(page.right(), y));
        painter.restore();
        y += 6 * pt;
    }

    void Title(const QString& title, double left) {
        painter.setFont(headingFont);
        painter.drawText(QRectF(left, y, page.right() - left, LineHeight(headingFont)),
                         Qt::AlignLeft | Qt::AlignVCenter, title);
    }

    void SectionTitle(const QString& title, double left) {
        Title(title, left);
        y += LineHeight(headingFont) + 2 * pt;
    }

    void SectionTitle(const QString& title) { SectionTitle(title, page.left()); }

    double NameWidth(const std::vector<const SheetLine*>& lines) const {
        double width = 0;
        for (const SheetLine* line : lines)
            width = std::max(width, TextWidth(bodyFont, ToQString(line->name)));
        return width + 8 * pt;
    }

    double NaturalWidth(const std::vector<const SheetLine*>& lines) const {
        double width = 0;
        for (const SheetLine* line : lines)
            width = std::max(width, TextWidth(bodyFont, ToQString(ValueWithUnit(*line))));
        return NameWidth(lines) + width;
    }

    // A titled list of names and values in `box` (its height unused); returns its bottom.
    double NamedValues(const QString& title, const std::vector<const SheetLine*>& lines,
                       const QRectF& box) {
        Title(title, box.left());
        double top = y + LineHeight(headingFont) + 2 * pt;
        const double nameWidth = std::min(NameWidth(lines), box.width() * 0.6);
        const double row = LineHeight(bodyFont);
        const QFontMetricsF metrics(bodyFont, painter.device());
        painter.setFont(bodyFont);
        const double valueWidth = box.width() - nameWidth;
        // A name or value too long for its column wraps onto more lines: cut, it would read as
        // another figure.
        const auto height = [&](const QString& text, double width) {
            return metrics
                .boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap | Qt::TextWrapAnywhere,
                              text)
                .height();
        };
        for (const SheetLine* line : lines) {
            const QString name = ToQString(line->name);
            const QString value = ToQString(ValueWithUnit(*line));
            const double nameRoom = nameWidth - 4 * pt;
            const double lineHeight =
                std::max({row, height(name, nameRoom), height(value, valueWidth)});
            const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
            painter.drawText(QRectF(box.left(), top, nameRoom, lineHeight), flags, name);
            painter.drawText(QRectF(box.left() + nameWidth, top, valueWidth, lineHeight), flags,
                             value);
            top += lineHeight;
        }
        return top;
    }

    // Draws the header and `count` rows from `first` at full page width, its columns as wide as
    // the first `measured` rows need (so a table continued on a new page keeps its columns); row
    // `bold` in bold.
    void DrawTable(const Table& table, std::size_t first, std::size_t count, std::size_t measured,
                   int bold) {
        const double pad = 6 * pt;
        const QFontMetricsF body(bodyFont, painter.device());
        const QFontMetricsF header(boldFont, painter.device());
        // Headers on one line where the table fits the page so, else on two.
        std::vector<double> widths;
        double total = 0;
        for (const bool twoLines : {false, true}) {
            widths.clear();
            total = 0;
            for (int c = 0; c < table.headers.size(); ++c) {
                double width = twoLines ? TwoLineWidth(header, table.headers[c])
                                        : header.horizontalAdvance(table.headers[c]);
                for (std::size_t r = 0; r < measured; ++r)
                    width = std::max(width, body.horizontalAdvance(table.rows[r].value(c)));
                widths.push_back(width + pad);
                total += width + pad;
            }
            if (total <= page.width())
                break;
        }
        const double spare = page.width() - total;
        if (spare < 0 && table.stretch >= 0) {
            auto& cut = widths[static_cast<std::size_t>(table.stretch)];
            cut = std::max(cut + spare, pad);
        } else if (spare > 0) {
            for (double& width : widths)
                width += spare / static_cast<double>(widths.size());
        }

        const auto cells = [&](const QStringList& texts, const QFont& font, double height,
                               int flags) {
            painter.setFont(font);
            const QFontMetricsF metrics(font, painter.device());
            double x = page.left();
            for (std::size_t c = 0; c < widths.size(); ++c) {
                const QRectF cell(x, y, widths[c] - pad, height);
                const int align = table.figures[c] ? Qt::AlignRight : Qt::AlignLeft;
                const QString text = texts.value(static_cast<int>(c));
                painter.drawText(cell, align | flags,
                                 flags & Qt::TextWordWrap
                                     ? text
                                     : metrics.elidedText(text, Qt::ElideRight, cell.width()));
                x += widths[c];
            }
            y += height;
        };
        cells(table.headers, boldFont, HeaderHeight() - 2 * pt, Qt::AlignBottom | Qt::TextWordWrap);
        y += 1 * pt;
        painter.save();
        painter.setPen(QPen(Qt::black, 0.5 * pt));
        painter.drawLine(QPointF(page.left(), y), QPointF(page.right(), y));
        painter.restore();
        y += 1 * pt;
        for (std::size_t r = first; r < first + count; ++r)
            cells(table.rows[r], static_cast<int>(r) == bold ? boldFont : bodyFont,
                  LineHeight(bodyFont), Qt::AlignVCenter);
    }

    // Recorded at the screen's density and played back at the page's, which drawPicture scales
    // to: the picture's code sizes its pens and fonts for a screen, and drawn straight onto a
    // printer's device would make hairlines and tiny texts.
    void DrawPicture(const SheetPicture& draw, const QRectF& target) {
        painter.save();
        painter.setPen(QPen(Qt::black, 0.5 * pt));
        painter.drawRect(target);
        painter.restore();
        if (!draw)
            return;
        QPicture picture;
        const double scale = painter.device()->logicalDpiX() / double(picture.logicalDpiX());
        {
            QPainter recorder(&picture);
            recorder.setRenderHint(QPainter::Antialiasing);
            draw(recorder, QRectF(0, 0, target.width() / scale, target.height() / scale),
                 PaperPalette());
        }
        painter.save();
        painter.setClipRect(target);
        painter.drawPicture(target.topLeft(), picture);
        painter.restore();
    }

    QPainter& painter;
    const QRectF page;
    const std::function<bool()> newPage;
    const double pt;  // device pixels per point
    double y;         // the top of what comes next
    const QFont titleFont = ArialFont(16, true);
    const QFont headingFont = ArialFont(10, true);
    const QFont bodyFont = ArialFont(8.5);
    const QFont boldFont = ArialFont(8.5, true);
};

QPageLayout SheetLayout(const QPageSize& pageSize) {
    return QPageLayout(pageSize, QPageLayout::Portrait,
                       QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                       QPageLayout::Millimeter);
}

}  // namespace

QPalette PaperPalette() {
    QPalette palette(Qt::white);
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, Qt::white);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, Qt::black);
    return palette;
}

double TwoLineWidth(const QFontMetricsF& metrics, const QString& text) {
    const QStringList words = text.split(QLatin1Char(' '));
    double least = metrics.horizontalAdvance(text);
    for (int split = 1; split < words.size(); ++split) {
        least = std::min(least, std::max(metrics.horizontalAdvance(words.mid(0, split).join(' ')),
                                         metrics.horizontalAdvance(words.mid(split).join(' '))));
    }
    return std::ceil(least) + 1;
}

QPageSize SheetPageSize(const QLocale& locale) {
    const bool letter = locale.territory() == QLocale::UnitedStates ||
                        locale.territory() == QLocale::Canada ||
                        locale.measurementSystem() == QLocale::ImperialUSSystem;
    return QPageSize(letter ? QPageSize::Letter : QPageSize::A4);
}

void DrawDesignSheet(QPainter& painter, const QRectF& page, const DesignSheet& sheet,
                     const SheetPictures& pictures, const SheetPaging& paging) {
    const std::vector<SheetLine> lines = SheetLines(sheet, sheet.userFormat, SheetMedium::Paper);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    SheetPainter out(painter, page, paging.newPage);
    out.Heading(paging.title, ToQString(sheet.inputs.date));
    out.InputsAndResults(lines);
    out.Note(lines);
    out.Dori(lines, LevelShown(sheet.coverage.figures).value_or(-1));
    out.Pictures(pictures, out.LensListLeast());
    out.Lenses(lines, sheet.lenses.lenses.size());
}

std::optional<QString> WriteDesignSheetPdf(const QString& path, const DesignSheet& sheet,
                                           const SheetPictures& pictures,
                                           const QPageSize& pageSize) {
    // Drawn in memory first: QPdfWriter says nothing of a failed write to a file.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageLayout(SheetLayout(pageSize));
        writer.setTitle(QStringLiteral("Coverage design sheet"));
        writer.setCreator(QStringLiteral("Vistamarq"));
        QPainter painter;
        if (!painter.begin(&writer))
            return QStringLiteral("The PDF could not be drawn.");
        const QRect page = writer.pageLayout().paintRectPixels(writer.resolution());
        DrawDesignSheet(painter, QRectF(QPointF(0, 0), page.size()), sheet, pictures);
        painter.end();
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(pdf.data()) != pdf.data().size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

std::optional<QString> PrintDesignSheet(QPrinter& printer, const DesignSheet& sheet,
                                        const SheetPictures& pictures) {
    // The printer's own layout, with margins of at least kLeastPrinterMarginMm: many printers
    // offer 3 to 5 mm, where the edge of a table is lost.
    const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
    const auto least = [](double margin) { return std::max(margin, kLeastPrinterMarginMm); };
    printer.setPageMargins(QMarginsF(least(margins.left()), least(margins.top()),
                                     least(margins.right()), least(margins.bottom())),
                           QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&printer))
        return QStringLiteral("The printer could not be started.");
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    DrawDesignSheet(painter, QRectF(QPointF(0, 0), page.size()), sheet, pictures);
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return QStringLiteral("The printer did not take the page.");
    return std::nullopt;
}
