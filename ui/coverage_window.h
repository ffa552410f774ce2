#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "coverage.h"
#include "design_sheet.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QTableWidget;
class QTreeWidget;
class SideView;
class TopView;
class Obbiettivi;
class PartNo;

// The Coverage window: what a camera and lens see of a target at a distance, the pixel density
// across the scene and the DORI level it reaches. Camera and lens follow the calculator's row 1
// or 2, or the last part number decoded, or are the user's own; the window only reads those
// windows, never writes into them. Every edit recomputes every result at once; while the window
// is hidden it does no work at all, and it follows its source again when shown.
class CoverageWindow : public QWidget {
    Q_OBJECT

  public:
    // Where camera and lens come from, in the order of the `follow` list.
    enum class Source { CalculatorWide, CalculatorTele, PartNumber, OwnValues };

    CoverageWindow(const Obbiettivi& calculator, const PartNo& partNo, QWidget* parent = nullptr);

    // What the window shows: the model's figures, texts and message.
    const Coverage& coverage() const { return shown; }

    // Every input and result, as the design sheet lists them.
    DesignSheet Sheet() const;
    // Write the design sheet to `path`; no value when the file is written, otherwise why not.
    // Nothing is left half written.
    std::optional<QString> SaveCsv(const QString& path) const;
    std::optional<QString> ExportPdf(const QString& path) const;

  public slots:
    void follow_Change();
    void format_Change();
    void aspect_Change();
    void resolution_Change();
    void pixels_Change();
    void units_Change();
    void mounted_Change();
    void tilt_Change();
    void requiredLevel_Change();
    void copySheet_Click();
    void saveCsv_Click();
    void exportPdf_Click();
    void printSheet_Click();
    void Form_Change();
    void Source_Change();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QWidget* BuildCameraGroup();
    QWidget* BuildLensGroup();
    QWidget* BuildTargetGroup();
    QWidget* BuildResults();
    QWidget* BuildLensList();
    QWidget* BuildPictures();
    QWidget* BuildSheetButtons();
    using Writer = std::optional<QString> (CoverageWindow::*)(const QString& path) const;
    void SaveThroughDialog(const QString& title, const QString& fileName, const QString& filter,
                           Writer write);
    void ReportFailedWrite(const QString& path, const QString& reason);
    void ListLenses();
    QLineEdit* AddTextBox(QFormLayout* form, const char* name, const QString& caption,
                          const QString& unit);
    QComboBox* AddList(QFormLayout* form, const char* name, const QString& caption,
                       const QStringList& items);

    Source CurrentSource() const;
    bool FollowsCalculator() const;
    void OfferTeleRow();
    void FollowCalculatorRow(int row);
    void FollowPartNumber();
    void ShowFollowedFieldsReadOnly();
    void FillResolutionPresets();
    void SelectMatchingPreset();
    void ShowRowsInUse();
    CoverageInputs ReadForm() const;
    void Recompute();

    const Obbiettivi& calculator;
    const PartNo& partNo;
    NumberFormat numberFormat;
    LengthUnit unitShown = LengthUnit::Metres;
    Coverage shown;

    QComboBox *follow, *format, *aspect, *customBy, *resolution, *units, *tilt;
    QLineEdit *customWidth, *customHeight, *pixelSize, *pixelsH, *pixelsV, *focal, *distance;
    QLineEdit *cameraHeight, *targetHeight, *tiltAngleDeg;
    QCheckBox* mounted;
    QLabel *distanceCaption, *message;
    QFormLayout *cameraForm, *targetForm, *resultsForm;
    std::vector<QLabel*> results;  // in ResultList's order
    QTableWidget* doriTable;
    QComboBox* requiredLevel;
    QTreeWidget* lensSuggestions;
    QLabel* lensNote;
    bool lensColumnsSized = false;
    SideView* sideView;
    TopView* topView;
};
