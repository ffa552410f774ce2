#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "design_sheet.h"

class QWidget;

// The design sheet's commands: Copy, Save as CSV…, Export PDF… and Print…, each on the sheet as
// it stands at the command. Files are written only here, on the user's command and to the file
// they chose; cancelling a dialog writes nothing, and a failed write says so in a message that
// names the file. Dialogs and messages belong to `window`.
class SheetActions : public QObject {
    Q_OBJECT

  public:
    using MakeSheet = std::function<DesignSheet()>;

    SheetActions(QWidget* window, MakeSheet sheet);

    // "Design sheet:" and the four buttons in a row, named copySheet, saveCsv, exportPdf and
    // printSheet, for the window to place.
    QWidget* MakeButtonRow();

    // Write the sheet to `path`; no value when the file is written, otherwise why not (as the
    // system says it). Nothing is left half written.
    static std::optional<QString> SaveCsv(const DesignSheet& sheet, const QString& path);
    static std::optional<QString> ExportPdf(const DesignSheet& sheet, const QString& path);

  public slots:
    void copySheet_Click();
    void saveCsv_Click();
    void exportPdf_Click();
    void printSheet_Click();

  private:
    using Writer = std::optional<QString> (*)(const DesignSheet& sheet, const QString& path);
    void SaveThroughDialog(const QString& title, const QString& fileName, const QString& filter,
                           Writer write);

    QWidget* m_window;
    MakeSheet m_sheet;
};
