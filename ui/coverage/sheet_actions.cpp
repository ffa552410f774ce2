#include "sheet_actions.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <array>
#include <tuple>

#include "coverage_pictures.h"
#include "design_sheet_document.h"
#include "qt_text.h"

namespace {

// The window's pictures, drawn on paper from the sheet's own figures.
SheetPictures PicturesOf(const DesignSheet& sheet) {
    const CoverageFigures& figures = sheet.coverage.figures;
    const LengthUnit unit = sheet.inputs.form.unit;
    const NumberFormat format = sheet.userFormat;
    return {
        [figures, unit, format](QPainter& painter, const QRectF& area, const QPalette& palette) {
            DrawSideView(painter, area, figures, unit, format, palette);
        },
        [figures, unit, format](QPainter& painter, const QRectF& area, const QPalette& palette) {
            DrawTopView(painter, area, figures, unit, format, palette);
        }};
}

}  // namespace

SheetActions::SheetActions(QWidget* window, MakeSheet sheet)
    : QObject(window), m_window(window), m_sheet(std::move(sheet)) {}

QWidget* SheetActions::MakeButtonRow() {
    auto* buttons = new QWidget;
    buttons->setObjectName(QStringLiteral("sheetButtons"));
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("Design sheet:")));
    const std::array<std::tuple<const char*, QString, const char*, void (SheetActions::*)()>, 4>
        commands{{
            {"copySheet", QStringLiteral("Copy"), "Copy the design sheet to the clipboard as text",
             &SheetActions::copySheet_Click},
            {"saveCsv", QStringLiteral("Save as CS&V\u2026"),
             "Save the design sheet as a CSV file, for a spreadsheet",
             &SheetActions::saveCsv_Click},
            {"exportPdf", QStringLiteral("Export P&DF\u2026"),
             "Export the design sheet as a one-page PDF, with both pictures",
             &SheetActions::exportPdf_Click},
            {"printSheet", QStringLiteral("&Print\u2026"),
             "Print the design sheet on one page, with both pictures",
             &SheetActions::printSheet_Click},
        }};
    for (const auto& [name, caption, tip, handler] : commands) {
        auto* button = new QPushButton(caption);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(QString::fromLatin1(tip));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, handler);
        row->addWidget(button);
    }
    row->addStretch();
    return buttons;
}

std::optional<QString> SheetActions::SaveCsv(const DesignSheet& sheet, const QString& path) {
    QSaveFile file(path);
    const std::string csv = SheetCsv(sheet);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(csv.data(), static_cast<qint64>(csv.size())) !=
            static_cast<qint64>(csv.size()) ||
        !file.commit())
        return file.errorString();
    return std::nullopt;
}

std::optional<QString> SheetActions::ExportPdf(const DesignSheet& sheet, const QString& path) {
    return WriteDesignSheetPdf(path, sheet, PicturesOf(sheet), SheetPageSize(QLocale()));
}

void SheetActions::copySheet_Click() {
    const DesignSheet sheet = m_sheet();
    QGuiApplication::clipboard()->setText(ToQString(SheetText(sheet, sheet.userFormat)));
}

void SheetActions::saveCsv_Click() {
    SaveThroughDialog(QStringLiteral("Save as CSV"), QStringLiteral("coverage.csv"),
                      QStringLiteral("CSV files (*.csv)"), &SheetActions::SaveCsv);
}

void SheetActions::exportPdf_Click() {
    SaveThroughDialog(QStringLiteral("Export PDF"), QStringLiteral("coverage.pdf"),
                      QStringLiteral("PDF files (*.pdf)"), &SheetActions::ExportPdf);
}

void SheetActions::SaveThroughDialog(const QString& title, const QString& fileName,
                                     const QString& filter, Writer write) {
    const QString path = QFileDialog::getSaveFileName(m_window, title, fileName, filter);
    if (path.isEmpty())
        return;
    if (const auto failure = write(m_sheet(), path))
        QMessageBox::warning(
            m_window, QStringLiteral("Coverage"),
            QStringLiteral("%1 was not written: %2").arg(QDir::toNativeSeparators(path), *failure));
}

void SheetActions::printSheet_Click() {
    QPrinter printer;
    printer.setPageSize(SheetPageSize(QLocale()));
    QPrintDialog dialog(&printer, m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const DesignSheet sheet = m_sheet();
    if (const auto failure = PrintDesignSheet(printer, sheet, PicturesOf(sheet)))
        QMessageBox::warning(m_window, QStringLiteral("Print"),
                             QStringLiteral("The design sheet was not printed: %1").arg(*failure));
}
