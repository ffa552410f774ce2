#include "coverage_window.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

#include "coverage_pictures.h"
#include "design_sheet_document.h"
#include "lens_list.h"
#include "obbiettivi.h"
#include "partno_window.h"
#include "text_box.h"

namespace {

QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QString UnitCaption(LengthUnit unit) {
    return unit == LengthUnit::Feet ? QStringLiteral("ft") : QStringLiteral("m");
}

// The desktop's measurement system decides the unit the window opens in.
LengthUnit DesktopUnit() {
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? LengthUnit::Feet
                                                                      : LengthUnit::Metres;
}

void SetTextIfChanged(QLineEdit* box, const QString& text) {
    if (box->text() != text) {
        const QSignalBlocker blocker(box);
        box->setText(text);
        box->setCursorPosition(0);
    }
}

void SetIndexQuietly(QComboBox* list, int index) {
    const QSignalBlocker blocker(list);
    list->setCurrentIndex(index);
}

// A screen reader names a scroll bar by what it scrolls.
void NameScrollBars(QAbstractScrollArea* area, const QString& what) {
    area->verticalScrollBar()->setAccessibleName(what + QStringLiteral(", vertical scroll bar"));
    area->horizontalScrollBar()->setAccessibleName(what +
                                                   QStringLiteral(", horizontal scroll bar"));
}

constexpr int kDoriColumns = 6;
const std::array<const char*, kDoriColumns> kDoriHeadings{"Level",
                                                          "Density",
                                                          "Farthest distance",
                                                          "Focal length needed",
                                                          "Pixels across needed",
                                                          "Range on the ground"};

}  // namespace

CoverageWindow::CoverageWindow(const Obbiettivi& calculator, const PartNo& partNo, QWidget* parent)
    : QWidget(parent, Qt::Window),
      calculator(calculator),
      partNo(partNo),
      numberFormat(calculator.calculator().format()),
      unitShown(DesktopUnit()) {
    setObjectName(QStringLiteral("Coverage"));
    setWindowTitle(QStringLiteral("Coverage"));
    setWindowIcon(QIcon(QStringLiteral(":/assets/vistamarq.png")));

    auto* content = new QWidget;
    auto* grid = new QGridLayout(content);

    auto* inputs = new QVBoxLayout;
    auto* followRow = new QFormLayout;
    follow = AddList(
        followRow, "follow", QStringLiteral("Follow"),
        {QStringLiteral("Calculator, wide (row 1)"), QStringLiteral("Calculator, tele (row 2)"),
         QStringLiteral("Part number"), QStringLiteral("Own values")});
    inputs->addLayout(followRow);
    inputs->addWidget(BuildCameraGroup());
    inputs->addWidget(BuildLensGroup());
    inputs->addWidget(BuildTargetGroup());
    message = new QLabel;
    message->setObjectName(QStringLiteral("message"));
    message->setWordWrap(true);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont emphasis = message->font();
    emphasis.setBold(true);
    message->setFont(emphasis);
    inputs->addWidget(message);
    inputs->addStretch();
    grid->addLayout(inputs, 0, 0);
    auto* seen = new QVBoxLayout;
    seen->addWidget(BuildResults());
    seen->addWidget(BuildPictures(), 1);
    grid->addLayout(seen, 0, 1);

    doriTable = new QTableWidget(static_cast<int>(kDoriLevels.size()), kDoriColumns);
    doriTable->setObjectName(QStringLiteral("doriTable"));
    doriTable->setAccessibleName(QStringLiteral("DORI levels"));
    doriTable->setAccessibleDescription(
        QStringLiteral("For each level of EN 62676-4: its density, the farthest distance this "
                       "camera and lens reach it, the focal length and the pixels across it "
                       "needs at the target"));
    for (int column = 0; column < kDoriColumns; ++column)
        doriTable->setHorizontalHeaderItem(
            column, new QTableWidgetItem(QString::fromLatin1(kDoriHeadings[column])));
    doriTable->verticalHeader()->hide();
    doriTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    doriTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    doriTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    doriTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    doriTable->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    doriTable->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
    // Measured once after each recomputation that changes a cell (ResizeToContents would
    // measure the whole table again for every cell written).
    doriTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    doriTable->horizontalHeader()->setStretchLastSection(true);
    doriTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    doriTable->verticalHeader()->setDefaultSectionSize(doriTable->fontMetrics().height() + 6);
    for (int row = 0; row < doriTable->rowCount(); ++row) {
        for (int column = 0; column < kDoriColumns; ++column) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                               : Qt::AlignRight | Qt::AlignVCenter);
            doriTable->setItem(row, column, item);
        }
    }
    grid->addWidget(doriTable, 1, 0, 1, 2);
    grid->addWidget(BuildLensList(), 3, 0, 1, 2);
    grid->addWidget(BuildSheetButtons(), 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    auto* scroller = new QScrollArea;
    scroller->setWidget(content);
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    NameScrollBars(scroller, QStringLiteral("Coverage"));
    NameScrollBars(lensSuggestions, lensSuggestions->accessibleName());
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroller);

    // The form as it opens: the calculator's start, in the desktop's unit.
    const CoverageInputs start = DefaultCoverageInputs(unitShown);
    SetIndexQuietly(format, static_cast<int>(start.format));
    SetIndexQuietly(aspect, start.aspect == Aspect::SixteenByNine ? 1 : 0);
    SetIndexQuietly(units, unitShown == LengthUnit::Feet ? 1 : 0);
    SetTextIfChanged(customWidth, ToQString(start.customWidthMm));
    SetTextIfChanged(customHeight, ToQString(start.customHeightMm));
    SetTextIfChanged(pixelSize, ToQString(start.pixelSizeUm));
    SetTextIfChanged(pixelsH, ToQString(start.pixelsAcross));
    SetTextIfChanged(pixelsV, ToQString(start.pixelsDown));
    SetTextIfChanged(focal, ToQString(start.focalLengthMm));
    SetTextIfChanged(distance, ToQString(start.distance));
    SetTextIfChanged(cameraHeight, ToQString(start.cameraHeight));
    SetTextIfChanged(targetHeight, ToQString(start.targetHeight));
    SetTextIfChanged(tiltAngleDeg, ToQString(start.tiltDeg));
    FillResolutionPresets();
    units_Change();
    ShowRowsInUse();
    ShowFollowedFieldsReadOnly();

    connect(follow, &QComboBox::currentIndexChanged, this, &CoverageWindow::follow_Change);
    connect(format, &QComboBox::currentIndexChanged, this, &CoverageWindow::format_Change);
    connect(aspect, &QComboBox::currentIndexChanged, this, &CoverageWindow::aspect_Change);
    connect(customBy, &QComboBox::currentIndexChanged, this, &CoverageWindow::format_Change);
    connect(resolution, &QComboBox::currentIndexChanged, this, &CoverageWindow::resolution_Change);
    connect(units, &QComboBox::currentIndexChanged, this, &CoverageWindow::units_Change);
    connect(tilt, &QComboBox::currentIndexChanged, this, &CoverageWindow::tilt_Change);
    connect(mounted, &QCheckBox::toggled, this, &CoverageWindow::mounted_Change);
    connect(requiredLevel, &QComboBox::currentIndexChanged, this,
            &CoverageWindow::requiredLevel_Change);
    for (QLineEdit* box : {pixelsH, pixelsV})
        connect(box, &QLineEdit::textChanged, this, &CoverageWindow::pixels_Change);
    for (QLineEdit* box : {customWidth, customHeight, pixelSize, focal, distance, cameraHeight,
                           targetHeight, tiltAngleDeg})
        connect(box, &QLineEdit::textChanged, this, &CoverageWindow::Form_Change);

    Recompute();
    // Large enough for every field and the whole table on a usual screen; smaller, it scrolls.
    resize(QSize(1120, 900).boundedTo(this->screen()->availableSize() * 9 / 10));
    setMinimumSize(480, 360);
}

QLineEdit* CoverageWindow::AddTextBox(QFormLayout* form, const char* name, const QString& caption,
                                      const QString& unit) {
    auto* field = new QWidget;
    auto* row = new QHBoxLayout(field);
    row->setContentsMargins(0, 0, 0, 0);
    QLineEdit* box = NewTextBox(QString(), field);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(caption);
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 18);
    row->addWidget(box);
    if (!unit.isEmpty()) {
        auto* unitLabel = new QLabel(unit, field);
        unitLabel->setObjectName(QString::fromLatin1(name) + QStringLiteral("Unit"));
        unitLabel->setMinimumWidth(
            unitLabel->fontMetrics().horizontalAdvance(QStringLiteral("mm ")));
        row->addWidget(unitLabel);
    }
    row->addStretch();
    auto* label = new QLabel(caption + QLatin1Char(':'));
    label->setBuddy(box);
    form->addRow(label, field);
    return box;
}

QComboBox* CoverageWindow::AddList(QFormLayout* form, const char* name, const QString& caption,
                                   const QStringList& items) {
    auto* list = new QComboBox;
    list->setObjectName(QString::fromLatin1(name));
    list->setAccessibleName(caption);
    list->addItems(items);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* label = new QLabel(caption + QLatin1Char(':'));
    label->setBuddy(list);
    form->addRow(label, list);
    return list;
}

QWidget* CoverageWindow::BuildCameraGroup() {
    auto* group = new QGroupBox(QStringLiteral("Camera"));
    cameraForm = new QFormLayout(group);
    QStringList formats;
    for (std::size_t i = 0; i < kFormatChoices; ++i)
        formats << ToQString(FormatLabel(i, numberFormat));
    format = AddList(cameraForm, "format", QStringLiteral("Sensor format"), formats);
    aspect = AddList(cameraForm, "aspect", QStringLiteral("Aspect ratio"),
                     {QStringLiteral("4:3"), QStringLiteral("16:9")});
    customBy = AddList(cameraForm, "customBy", QStringLiteral("Custom sensor given by"),
                       {QStringLiteral("Width and height"), QStringLiteral("Pixel size")});
    customWidth =
        AddTextBox(cameraForm, "customWidth", QStringLiteral("Sensor width"), QStringLiteral("mm"));
    customHeight = AddTextBox(cameraForm, "customHeight", QStringLiteral("Sensor height"),
                              QStringLiteral("mm"));
    pixelSize = AddTextBox(cameraForm, "pixelSize", QStringLiteral("Pixel size"),
                           QStringLiteral("\u00b5m"));
    resolution = AddList(cameraForm, "resolution", QStringLiteral("Resolution"), {});
    pixelsH = AddTextBox(cameraForm, "pixelsH", QStringLiteral("Pixels across"), QString());
    pixelsV = AddTextBox(cameraForm, "pixelsV", QStringLiteral("Pixels down"), QString());
    auto* note = new QLabel(
        QStringLiteral("Named formats are nominal: makers differ by a few tenths of a "
                       "millimetre. A custom sensor given by its pixel size gives the exact "
                       "figure."));
    note->setObjectName(QStringLiteral("formatNote"));
    note->setWordWrap(true);
    QFont small = note->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    note->setFont(small);
    cameraForm->addRow(note);
    return group;
}

QWidget* CoverageWindow::BuildLensGroup() {
    auto* group = new QGroupBox(QStringLiteral("Lens"));
    auto* form = new QFormLayout(group);
    focal = AddTextBox(form, "focal", QStringLiteral("Focal length"), QStringLiteral("mm"));
    return group;
}

QWidget* CoverageWindow::BuildTargetGroup() {
    auto* group = new QGroupBox(QStringLiteral("Target"));
    targetForm = new QFormLayout(group);
    units = AddList(targetForm, "units", QStringLiteral("Units"),
                    {QStringLiteral("metres"), QStringLiteral("feet")});
    distance =
        AddTextBox(targetForm, "distance", QStringLiteral("Distance"), UnitCaption(unitShown));
    distanceCaption = qobject_cast<QLabel*>(targetForm->labelForField(distance->parentWidget()));
    mounted = new QCheckBox(QStringLiteral("Camera &mounted above the target"));
    mounted->setObjectName(QStringLiteral("mounted"));
    mounted->setAccessibleName(QStringLiteral("Camera mounted above the target"));
    targetForm->addRow(mounted);
    cameraHeight =
        AddTextBox(targetForm, "cameraHeight", QStringLiteral("Camera height above the ground"),
                   UnitCaption(unitShown));
    targetHeight =
        AddTextBox(targetForm, "targetHeight", QStringLiteral("Target height above the ground"),
                   UnitCaption(unitShown));
    tilt = AddList(
        targetForm, "tilt", QStringLiteral("Tilt"),
        {QStringLiteral("Aimed at the target"), QStringLiteral("Angle below the horizontal")});
    tiltAngleDeg = AddTextBox(targetForm, "tiltAngleDeg", QStringLiteral("Tilt angle"),
                              QStringLiteral("\u00b0"));
    return group;
}

QWidget* CoverageWindow::BuildResults() {
    auto* group = new QGroupBox(QStringLiteral("What the camera sees"));
    resultsForm = new QFormLayout(group);
    for (const ResultItem& result : ResultList(CoverageTexts{})) {
        auto* value = new QLabel;
        value->setObjectName(
            QString::fromLatin1(result.id.data(), static_cast<int>(result.id.size())));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        if (result.id == "level") {
            QFont bold = value->font();
            bold.setBold(true);
            value->setFont(bold);
        }
        resultsForm->addRow(ToQString(result.caption) + QLatin1Char(':'), value);
        results.push_back(value);
    }
    return group;
}

QWidget* CoverageWindow::BuildLensList() {
    auto* group = new QGroupBox(QStringLiteral("Lenses of the catalogue that reach the level"));
    auto* column = new QVBoxLayout(group);
    auto* levelRow = new QFormLayout;
    levelRow->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    QStringList levels;
    for (const DoriLevel& level : kDoriLevels)
        levels << ToQString(level.name);
    requiredLevel = AddList(levelRow, "requiredLevel", QStringLiteral("Level required"), levels);
    requiredLevel->setCurrentIndex(levels.indexOf(QStringLiteral("Identify")));
    column->addLayout(levelRow);

    lensSuggestions = new QTreeWidget;
    lensSuggestions->setObjectName(QStringLiteral("lensSuggestions"));
    lensSuggestions->setAccessibleName(QStringLiteral("Lenses that reach the level"));
    lensSuggestions->setHeaderLabels({QStringLiteral("Model #"), QStringLiteral("Description"),
                                      QStringLiteral("Set to"), QStringLiteral("Density"),
                                      QStringLiteral("Scene width")});
    lensSuggestions->setRootIsDecorated(false);
    lensSuggestions->setUniformRowHeights(true);
    lensSuggestions->setMinimumHeight(lensSuggestions->fontMetrics().height() * 7);
    // Sized to the first list, not to every list: measuring 137 rows at each keystroke would
    // cost more than computing them.
    lensSuggestions->header()->setSectionResizeMode(QHeaderView::Interactive);
    column->addWidget(lensSuggestions);
    lensNote = new QLabel;
    lensNote->setObjectName(QStringLiteral("lensNote"));
    lensNote->setWordWrap(true);
    column->addWidget(lensNote);
    return group;
}

QWidget* CoverageWindow::BuildPictures() {
    auto* group = new QGroupBox(QStringLiteral("Pictures"));
    auto* row = new QHBoxLayout(group);
    sideView = new SideView;
    topView = new TopView;
    row->addWidget(sideView, 1);
    row->addWidget(topView, 1);
    return group;
}

QWidget* CoverageWindow::BuildSheetButtons() {
    auto* buttons = new QWidget;
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("Design sheet:")));
    const std::array<std::tuple<const char*, QString, void (CoverageWindow::*)()>, 4> commands{{
        {"copySheet", QStringLiteral("&Copy"), &CoverageWindow::copySheet_Click},
        {"saveCsv", QStringLiteral("Save as CS&V\u2026"), &CoverageWindow::saveCsv_Click},
        {"exportPdf", QStringLiteral("Export P&DF\u2026"), &CoverageWindow::exportPdf_Click},
        {"printSheet", QStringLiteral("&Print\u2026"), &CoverageWindow::printSheet_Click},
    }};
    for (const auto& [name, caption, handler] : commands) {
        auto* button = new QPushButton(caption);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, handler);
        row->addWidget(button);
    }
    row->addStretch();
    return buttons;
}

CoverageWindow::Source CoverageWindow::CurrentSource() const {
    return static_cast<Source>(follow->currentIndex());
}

bool CoverageWindow::FollowsCalculator() const {
    return CurrentSource() == Source::CalculatorWide || CurrentSource() == Source::CalculatorTele;
}

void CoverageWindow::showEvent(QShowEvent* event) {
    connect(&calculator, &Obbiettivi::calculatorChanged, this, &CoverageWindow::Source_Change,
            Qt::UniqueConnection);
    connect(&partNo, &PartNo::lensDecoded, this, &CoverageWindow::Source_Change,
            Qt::UniqueConnection);
    Source_Change();
    QWidget::showEvent(event);
}

// Hidden, the window follows nothing: no slot of its own runs until it is shown again.
void CoverageWindow::hideEvent(QHideEvent* event) {
    disconnect(&calculator, &Obbiettivi::calculatorChanged, this, nullptr);
    disconnect(&partNo, &PartNo::lensDecoded, this, nullptr);
    QWidget::hideEvent(event);
}

void CoverageWindow::follow_Change() {
    ShowFollowedFieldsReadOnly();
    Source_Change();
}

// The source changed, or the window is shown: its values are copied into the fields, all of
// them before the one recalculation.
void CoverageWindow::Source_Change() {
    OfferTeleRow();
    switch (CurrentSource()) {
        case Source::CalculatorWide:
            FollowCalculatorRow(0);
            break;
        case Source::CalculatorTele:
            FollowCalculatorRow(1);
            break;
        case Source::PartNumber:
            FollowPartNumber();
            break;
        case Source::OwnValues:
            break;
    }
    ShowRowsInUse();
    Recompute();
}

// The tele row is offered while the calculator has a zoom lens; a window following it when the
// lens type changes follows the wide row.
void CoverageWindow::OfferTeleRow() {
    const bool zoom = calculator.zoomLensChosen();
    if (auto* model = qobject_cast<QStandardItemModel*>(follow->model()))
        model->item(static_cast<int>(Source::CalculatorTele))->setEnabled(zoom);
    if (!zoom && CurrentSource() == Source::CalculatorTele)
        SetIndexQuietly(follow, static_cast<int>(Source::CalculatorWide));
}

// The calculator's stored texts, at full precision; its distance is in feet.
void CoverageWindow::FollowCalculatorRow(int row) {
    const CalcRow& calcRow = calculator.calculator().rows[static_cast<std::size_t>(row)];
    if (const auto index = SensorFormatIndex(calculator.sensorFormatInches()))
        SetIndexQuietly(format, static_cast<int>(*index));
    SetTextIfChanged(focal, QString::fromStdU16String(calcRow.StoredF));
    const auto inUnit =
        ConvertLengthText(calcRow.StoredL, LengthUnit::Feet, unitShown, numberFormat);
    SetTextIfChanged(distance, QString::fromStdU16String(inUnit ? *inUnit : calcRow.StoredL));
    // The calculator's picture is 4:3; the presets change only when the aspect does, not at
    // every tick that is followed.
    if (aspect->currentIndex() != 0) {
        SetIndexQuietly(aspect, 0);
        FillResolutionPresets();
    }
}

void CoverageWindow::FollowPartNumber() {
    const auto& lens = partNo.lastDecodedLens();
    if (!lens)
        return;
    if (const auto index = SensorFormatIndex(lens->formatInches))
        SetIndexQuietly(format, static_cast<int>(*index));
    SetTextIfChanged(focal, QString::fromStdU16String(NumberText(lens->focalMm, numberFormat)));
}

// What a source gives cannot be typed over: the fields show it, read-only.
void CoverageWindow::ShowFollowedFieldsReadOnly() {
    const Source source = CurrentSource();
    const bool calculatorSource = FollowsCalculator();
    const bool lensFollowed = calculatorSource || source == Source::PartNumber;
    format->setEnabled(!lensFollowed);
    aspect->setEnabled(!calculatorSource);
    focal->setReadOnly(lensFollowed);
    distance->setReadOnly(calculatorSource);
}

void CoverageWindow::format_Change() {
    ShowRowsInUse();
    Recompute();
}

void CoverageWindow::aspect_Change() {
    FillResolutionPresets();
    Recompute();
}

void CoverageWindow::FillResolutionPresets() {
    const Aspect shape = aspect->currentIndex() == 1 ? Aspect::SixteenByNine : Aspect::FourByThree;
    const QSignalBlocker blocker(resolution);
    resolution->clear();
    for (const Resolution& preset : ResolutionPresets(shape))
        resolution->addItem(QStringLiteral("%1 \u00d7 %2").arg(preset.across).arg(preset.down),
                            QSize(preset.across, preset.down));
    resolution->addItem(QStringLiteral("Other"));
    SelectMatchingPreset();
}

void CoverageWindow::SelectMatchingPreset() {
    int match = resolution->count() - 1;  // "Other"
    for (int i = 0; i + 1 < resolution->count(); ++i) {
        const QSize size = resolution->itemData(i).toSize();
        if (pixelsH->text() == QString::number(size.width()) &&
            pixelsV->text() == QString::number(size.height()))
            match = i;
    }
    SetIndexQuietly(resolution, match);
}

void CoverageWindow::resolution_Change() {
    const QSize size = resolution->currentData().toSize();
    if (size.isEmpty())
        return;  // "Other": the pixels stay as typed
    SetTextIfChanged(pixelsH, QString::number(size.width()));
    SetTextIfChanged(pixelsV, QString::number(size.height()));
    Recompute();
}

void CoverageWindow::pixels_Change() {
    SelectMatchingPreset();
    Recompute();
}

// The lengths typed are converted at full precision, so that switching back gives them back;
// a text that is no number stays as it is.
void CoverageWindow::units_Change() {
    const LengthUnit chosen = units->currentIndex() == 1 ? LengthUnit::Feet : LengthUnit::Metres;
    for (QLineEdit* box : {distance, cameraHeight, targetHeight}) {
        const auto converted =
            ConvertLengthText(box->text().toStdU16String(), unitShown, chosen, numberFormat);
        if (converted)
            SetTextIfChanged(box, QString::fromStdU16String(*converted));
        if (auto* unitLabel = findChild<QLabel*>(box->objectName() + QStringLiteral("Unit")))
            unitLabel->setText(UnitCaption(chosen));
    }
    unitShown = chosen;
    if (FollowsCalculator())
        Source_Change();
    else
        Recompute();
}

void CoverageWindow::mounted_Change() {
    ShowRowsInUse();
    Recompute();
}

void CoverageWindow::tilt_Change() {
    ShowRowsInUse();
    Recompute();
}

void CoverageWindow::Form_Change() {
    Recompute();
}

void CoverageWindow::requiredLevel_Change() {
    ListLenses();
}

// The widest view that still reaches the level comes first.
void CoverageWindow::ListLenses() {
    const LensList list = ListLensesReaching(shown.figures, ReadForm(), {}, numberFormat);
    lensSuggestions->setUpdatesEnabled(false);
    // The same lenses as listed (an edit of the distance changes only their figures): their
    // texts are updated in place; other lenses are listed afresh.
    bool sameLenses = lensSuggestions->topLevelItemCount() == static_cast<int>(list.rows.size());
    for (int i = 0; sameLenses && i < lensSuggestions->topLevelItemCount(); ++i)
        sameLenses = lensSuggestions->topLevelItem(i)->text(0) ==
                     QString::fromStdU16String(list.rows[static_cast<std::size_t>(i)].modelNumber);
    if (!sameLenses) {
        lensSuggestions->clear();
        QList<QTreeWidgetItem*> items;
        items.reserve(static_cast<qsizetype>(list.rows.size()));
        for (std::size_t i = 0; i < list.rows.size(); ++i) {
            auto* item = new QTreeWidgetItem;
            for (int column = 2; column < 5; ++column)
                item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
            items << item;
        }
        lensSuggestions->addTopLevelItems(items);
    }
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
        const LensListRow& row = list.rows[i];
        QTreeWidgetItem* item = lensSuggestions->topLevelItem(static_cast<int>(i));
        const std::array<const std::u16string*, 5> texts{
            &row.modelNumber, &row.description, &row.focalLength, &row.density, &row.sceneWidth};
        for (int column = 0; column < 5; ++column) {
            const QString text =
                QString::fromStdU16String(*texts[static_cast<std::size_t>(column)]);
            if (item->text(column) != text)
                item->setText(column, text);
        }
    }
    if (!lensColumnsSized && !list.rows.empty()) {
        for (int column = 0; column < lensSuggestions->columnCount(); ++column)
            lensSuggestions->resizeColumnToContents(column);
        lensColumnsSized = true;
    }
    lensSuggestions->setUpdatesEnabled(true);
    lensNote->setText(QString::fromStdU16String(list.note));
    lensNote->setVisible(!list.note.empty());
}

// Only the rows that the choices make count are shown.
void CoverageWindow::ShowRowsInUse() {
    const bool custom = static_cast<std::size_t>(format->currentIndex()) == kCustomFormat;
    const bool byPixelSize = customBy->currentIndex() == 1;
    cameraForm->setRowVisible(aspect, !custom);
    cameraForm->setRowVisible(customBy, custom);
    cameraForm->setRowVisible(customWidth->parentWidget(), custom && !byPixelSize);
    cameraForm->setRowVisible(customHeight->parentWidget(), custom && !byPixelSize);
    cameraForm->setRowVisible(pixelSize->parentWidget(), custom && byPixelSize);

    const bool onPole = mounted->isChecked();
    targetForm->setRowVisible(cameraHeight->parentWidget(), onPole);
    targetForm->setRowVisible(targetHeight->parentWidget(), onPole);
    targetForm->setRowVisible(tilt, onPole);
    targetForm->setRowVisible(tiltAngleDeg->parentWidget(), onPole && tilt->currentIndex() == 1);
    const QString caption = !onPole ? QStringLiteral("Distance to the target")
                            : FollowsCalculator()
                                ? QStringLiteral("Distance along the line of sight")
                                : QStringLiteral("Distance on the ground from the pole");
    distanceCaption->setText(caption + QLatin1Char(':'));
    distance->setAccessibleName(caption);
    const auto list = ResultList(shown.texts);
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].mountingOnly)
            resultsForm->setRowVisible(results[i], onPole);
    }
    doriTable->setColumnHidden(kDoriColumns - 1, !onPole);
}

CoverageInputs CoverageWindow::ReadForm() const {
    CoverageInputs in;
    in.format = static_cast<std::size_t>(format->currentIndex());
    in.aspect = aspect->currentIndex() == 1 ? Aspect::SixteenByNine : Aspect::FourByThree;
    in.custom = customBy->currentIndex() == 1 ? CustomSensor::ByPixelSize : CustomSensor::BySize;
    in.customWidthMm = customWidth->text().toStdU16String();
    in.customHeightMm = customHeight->text().toStdU16String();
    in.pixelSizeUm = pixelSize->text().toStdU16String();
    in.pixelsAcross = pixelsH->text().toStdU16String();
    in.pixelsDown = pixelsV->text().toStdU16String();
    in.focalLengthMm = focal->text().toStdU16String();
    in.unit = unitShown;
    in.distance = distance->text().toStdU16String();
    in.distanceIsLineOfSight = FollowsCalculator();
    in.mounted = mounted->isChecked();
    in.cameraHeight = cameraHeight->text().toStdU16String();
    in.targetHeight = targetHeight->text().toStdU16String();
    in.tiltAimed = tilt->currentIndex() == 0;
    in.tiltDeg = tiltAngleDeg->text().toStdU16String();
    in.requiredLevel = requiredLevel->currentIndex();
    return in;
}

void CoverageWindow::Recompute() {
    shown = ComputeCoverage(ReadForm(), numberFormat);

    const auto list = ResultList(shown.texts);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const QString text = ToQString(list[i].text);
        results[i]->setText(text);
        results[i]->setAccessibleName(ToQString(list[i].caption) + QStringLiteral(": ") + text);
    }

    bool tableChanged = false;
    for (std::size_t row = 0; row < shown.texts.doriTable.size(); ++row) {
        const DoriRowTexts& texts = shown.texts.doriTable[row];
        const std::array<const std::u16string*, kDoriColumns> cells{
            &texts.level,        &texts.density,    &texts.farthest, &texts.focalLengthNeeded,
            &texts.pixelsNeeded, &texts.groundRange};
        const bool reached = shown.figures.level && *shown.figures.level >= static_cast<int>(row);
        const bool isLevel = shown.figures.level && *shown.figures.level == static_cast<int>(row);
        for (int column = 0; column < kDoriColumns; ++column) {
            QTableWidgetItem* item = doriTable->item(static_cast<int>(row), column);
            const QString text =
                QString::fromStdU16String(*cells[static_cast<std::size_t>(column)]);
            if (item->text() == text && item->font().bold() == isLevel)
                continue;
            item->setText(text);
            QFont font = item->font();
            font.setBold(isLevel);
            item->setFont(font);
            item->setToolTip(reached ? QStringLiteral("Reached at the target")
                                     : QStringLiteral("Not reached at the target"));
            tableChanged = true;
        }
    }
    if (tableChanged)
        doriTable->resizeColumnsToContents();

    QString note = QString::fromStdU16String(shown.message);
    if (note.isEmpty() && CurrentSource() == Source::PartNumber && !partNo.lastDecodedLens())
        note = QStringLiteral(
            "No part number decoded yet: type one with its format and focal length in the "
            "part-number window.");
    message->setText(note);
    message->setVisible(!note.isEmpty());
    sideView->SetFigures(shown.figures, unitShown, numberFormat);
    topView->SetFigures(shown.figures, unitShown, numberFormat);
    ListLenses();
}

DesignSheet CoverageWindow::Sheet() const {
    const QDate today = QDate::currentDate();
    const QString date = QLocale().toString(today, QLocale::LongFormat);
    return MakeDesignSheet({ReadForm(),
                            follow->currentText().toStdU16String(),
                            date.toStdU16String(),
                            {today.year(), today.month(), today.day()},
                            {}},
                           numberFormat);
}

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

std::optional<QString> CoverageWindow::SaveCsv(const QString& path) const {
    QSaveFile file(path);
    const std::string csv = SheetCsv(Sheet());
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(csv.data(), static_cast<qint64>(csv.size())) !=
            static_cast<qint64>(csv.size()) ||
        !file.commit())
        return file.errorString();
    return std::nullopt;
}

std::optional<QString> CoverageWindow::ExportPdf(const QString& path) const {
    const DesignSheet sheet = Sheet();
    return WriteDesignSheetPdf(path, sheet, PicturesOf(sheet), SheetPageSize(QLocale()));
}

void CoverageWindow::copySheet_Click() {
    QGuiApplication::clipboard()->setText(
        QString::fromStdU16String(SheetText(Sheet(), numberFormat)));
}

void CoverageWindow::saveCsv_Click() {
    SaveThroughDialog(QStringLiteral("Save as CSV"), QStringLiteral("coverage.csv"),
                      QStringLiteral("CSV files (*.csv)"), &CoverageWindow::SaveCsv);
}

void CoverageWindow::exportPdf_Click() {
    SaveThroughDialog(QStringLiteral("Export PDF"), QStringLiteral("coverage.pdf"),
                      QStringLiteral("PDF files (*.pdf)"), &CoverageWindow::ExportPdf);
}

// Files are written only here, on the user's command and to the file they chose; cancelling
// the dialog writes nothing.
void CoverageWindow::SaveThroughDialog(const QString& title, const QString& fileName,
                                       const QString& filter, Writer write) {
    const QString path = QFileDialog::getSaveFileName(this, title, fileName, filter);
    if (path.isEmpty())
        return;
    if (const auto failure = (this->*write)(path))
        ReportFailedWrite(path, *failure);
}

void CoverageWindow::printSheet_Click() {
    QPrinter printer;
    printer.setPageSize(SheetPageSize(QLocale()));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const DesignSheet sheet = Sheet();
    if (const auto failure = PrintDesignSheet(printer, sheet, PicturesOf(sheet)))
        QMessageBox::warning(this, QStringLiteral("Print"),
                             QStringLiteral("The design sheet was not printed: %1").arg(*failure));
}

void CoverageWindow::ReportFailedWrite(const QString& path, const QString& reason) {
    QMessageBox::warning(
        this, QStringLiteral("Coverage"),
        QStringLiteral("%1 was not written: %2").arg(QDir::toNativeSeparators(path), reason));
}
