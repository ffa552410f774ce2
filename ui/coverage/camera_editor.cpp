#include "camera_editor.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <type_traits>

#include "lens_lookup.h"
#include "qt_text.h"
#include "text_box.h"
#include "utf8.h"

namespace {

// Rows close together, so that a mounted camera's form fits a small screen without scrolling.
constexpr int kRowSpacing = 2;
// The characters of a format's name the list shows: all of 1/3" (nominal, 6 mm diagonal).
constexpr int kFormatShown = 26;

// A list's item data is the field's value as an int: an enum, an index, a bool.
template <auto Field>
int ReadChoice(const CoverageInputs& inputs) {
    return static_cast<int>(inputs.*Field);
}

template <auto Field>
void WriteChoice(CoverageInputs& inputs, int value) {
    using Value = std::remove_reference_t<decltype(inputs.*Field)>;
    inputs.*Field = static_cast<Value>(value);
}

QString UnitCaption(LengthUnit unit) {
    return unit == LengthUnit::Feet ? QStringLiteral("ft") : QStringLiteral("m");
}

// A caption as a screen reader speaks it: without its access key's mark.
QString Spoken(QString caption) {
    return caption.remove(QLatin1Char('&'));
}

void SetTextQuietly(QLineEdit* box, const QString& text) {
    if (box->text() != text) {
        const QSignalBlocker blocker(box);
        box->setText(text);
        box->setCursorPosition(0);
    }
}

void SetIndexQuietly(QComboBox* list, int index) {
    if (list->currentIndex() != index) {
        const QSignalBlocker blocker(list);
        list->setCurrentIndex(index);
    }
}

// A box that shows what another source gives looks like the window behind it, not like a
// white field waiting for typing.
void ShowLocked(QLineEdit* box, bool locked) {
    box->setReadOnly(locked);
    QPalette look;  // empty: the box takes its window's palette again
    if (locked) {
        look = box->palette();
        look.setColor(QPalette::Base, look.color(QPalette::Window));
    }
    box->setPalette(look);
}

// The distance is along the line of sight without mounting, and when the calculator gives it;
// its access key is the s of "Distance".
QString DistanceCaption(bool mounted, bool lineOfSight) {
    CoverageInputs kind;
    kind.mounted = mounted;
    kind.distanceIsLineOfSight = lineOfSight;
    return ToQString(DistanceInputCaption(DistanceInputKind(kind))).insert(2, QLatin1Char('&'));
}

}  // namespace

CameraEditor::CameraEditor(const NumberFormat& format, const CoverageInputs& start, QWidget* parent)
    : QWidget(parent), m_numberFormat(format) {
    setObjectName(QStringLiteral("cameraEditor"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(BuildCameraGroup());
    column->addWidget(BuildTargetGroup());
    column->addStretch();

    m_texts = {
        {m_customWidth, &CoverageInputs::customWidthMm, nullptr},
        {m_customHeight, &CoverageInputs::customHeightMm, nullptr},
        {m_pixelSize, &CoverageInputs::pixelSizeUm, nullptr},
        {m_pixelsH, &CoverageInputs::pixelsAcross, nullptr},
        {m_pixelsV, &CoverageInputs::pixelsDown, nullptr},
        {m_focal, &CoverageInputs::focalLengthMm, nullptr},
        {m_distance, &CoverageInputs::distance, findChild<QLabel*>("distanceUnit")},
        {m_cameraHeight, &CoverageInputs::cameraHeight, findChild<QLabel*>("cameraHeightUnit")},
        {m_targetHeight, &CoverageInputs::targetHeight, findChild<QLabel*>("targetHeightUnit")},
        {m_tiltAngleDeg, &CoverageInputs::tiltDeg, nullptr},
        {m_requiredWidth, &CoverageInputs::requiredWidth, findChild<QLabel*>("requiredWidthUnit")},
    };
    m_choices = {
        {m_format, ReadChoice<&CoverageInputs::format>, WriteChoice<&CoverageInputs::format>},
        {m_aspect, ReadChoice<&CoverageInputs::aspect>, WriteChoice<&CoverageInputs::aspect>},
        {m_customBy, ReadChoice<&CoverageInputs::custom>, WriteChoice<&CoverageInputs::custom>},
        {m_units, ReadChoice<&CoverageInputs::unit>, WriteChoice<&CoverageInputs::unit>},
        {m_tilt, ReadChoice<&CoverageInputs::tiltAimed>, WriteChoice<&CoverageInputs::tiltAimed>},
        {m_requiredLevel, ReadChoice<&CoverageInputs::requiredLevel>,
         WriteChoice<&CoverageInputs::requiredLevel>},
    };
    m_checks = {{m_mounted, &CoverageInputs::mounted}};

    ReserveCaptionWidth();
    SetInputs(start);
    ConnectEdits();
}

QLineEdit* CameraEditor::AddTextBox(QFormLayout* form, const char* name, const QString& caption,
                                    const QString& unit) {
    return AddTextPair(form, {name, nullptr}, caption, {Spoken(caption), QString()}, unit)[0];
}

// A row of one box, or two joined by "×" (across × down), with the unit after them.
std::array<QLineEdit*, 2> CameraEditor::AddTextPair(QFormLayout* form,
                                                    std::array<const char*, 2> names,
                                                    const QString& caption,
                                                    std::array<QString, 2> accessibleNames,
                                                    const QString& unit) {
    auto* field = new QWidget;
    auto* row = new QHBoxLayout(field);
    row->setContentsMargins(0, 0, 0, 0);
    std::array<QLineEdit*, 2> boxes{};
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (std::size_t i = 0; i < boxes.size() && names[i]; ++i) {
        if (i > 0)
            row->addWidget(new QLabel(QStringLiteral("\u00d7"), field));
        QLineEdit* box = NewTextBox(QString(), field);
        box->setObjectName(QString::fromLatin1(names[i]));
        box->setAccessibleName(accessibleNames[i]);
        box->setMaximumWidth(digit * (names[1] ? 8 : 16));
        row->addWidget(box);
        boxes[i] = box;
    }
    if (!unit.isEmpty()) {
        auto* unitLabel = new QLabel(unit, field);
        unitLabel->setObjectName(QString::fromLatin1(names[0]) + QStringLiteral("Unit"));
        unitLabel->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("mm ")));
        row->addWidget(unitLabel);
    }
    row->addStretch();
    auto* label = new QLabel(caption + QLatin1Char(':'));
    label->setBuddy(boxes[0]);
    form->addRow(label, field);
    return boxes;
}

QComboBox* CameraEditor::NewList(const char* name, const QString& caption) {
    auto* list = new QComboBox;
    list->setObjectName(QString::fromLatin1(name));
    list->setAccessibleName(Spoken(caption));
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return list;
}

QComboBox* CameraEditor::AddList(QFormLayout* form, const char* name, const QString& caption) {
    QComboBox* list = NewList(name, caption);
    auto* label = new QLabel(caption + QLatin1Char(':'));
    label->setBuddy(list);
    form->addRow(label, list);
    return list;
}

QWidget* CameraEditor::BuildCameraGroup() {
    auto* group = new QGroupBox(QStringLiteral("Camera and lens"));
    m_cameraForm = new QFormLayout(group);
    m_cameraForm->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    m_cameraForm->setVerticalSpacing(kRowSpacing);
    m_format = AddList(m_cameraForm, "format", QStringLiteral("Sensor f&ormat"));
    for (std::size_t i = 0; i < kFormatChoices; ++i)
        m_format->addItem(ToQString(FormatLabel(i, m_numberFormat)), static_cast<int>(i));
    // As wide as its usual choices; a longer one is cut short, and shown whole in the list.
    m_format->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_format->setMinimumContentsLength(kFormatShown);
    m_format->view()->setMinimumWidth(m_format->view()->sizeHintForColumn(0));
    m_format->setToolTip(QStringLiteral(
        "The camera's sensor size, by its nominal format. Named formats are nominal: makers "
        "differ by a few tenths of a millimetre; a custom sensor given by its pixel size gives "
        "the exact figure."));
    m_aspect = AddList(m_cameraForm, "aspect", QStringLiteral("&Aspect ratio"));
    m_aspect->addItem(QStringLiteral("4:3"), static_cast<int>(Aspect::FourByThree));
    m_aspect->addItem(QStringLiteral("16:9"), static_cast<int>(Aspect::SixteenByNine));
    m_aspect->setToolTip(
        QStringLiteral("The picture's shape: how the format's diagonal splits into width and "
                       "height"));
    m_customBy = AddList(m_cameraForm, "customBy", QStringLiteral("Custom sensor given &by"));
    m_customBy->addItem(QStringLiteral("Width and height"), static_cast<int>(CustomSensor::BySize));
    m_customBy->addItem(QStringLiteral("Pixel size"), static_cast<int>(CustomSensor::ByPixelSize));
    m_customBy->setToolTip(
        QStringLiteral("Give the custom sensor by its width and height, or by the size of one "
                       "pixel"));
    const auto size = AddTextPair(m_cameraForm, {"customWidth", "customHeight"},
                                  QStringLiteral("Sensor &width \u00d7 height"),
                                  {QStringLiteral("Sensor width"), QStringLiteral("Sensor height")},
                                  QStringLiteral("mm"));
    m_customWidth = size[0];
    m_customHeight = size[1];
    m_customWidth->setToolTip(QStringLiteral("The sensor's width, in millimetres"));
    m_customHeight->setToolTip(QStringLiteral("The sensor's height, in millimetres"));
    m_pixelSize = AddTextBox(m_cameraForm, "pixelSize", QStringLiteral("Pixel si&ze"),
                             QStringLiteral("\u00b5m"));
    m_pixelSize->setToolTip(
        QStringLiteral("The size of one pixel, in micrometres: the sensor is the pixels across "
                       "and down times it"));
    m_resolution = AddList(m_cameraForm, "resolution", QStringLiteral("&Resolution"));
    m_resolution->setToolTip(
        QStringLiteral("A usual resolution for the aspect ratio; Other keeps the pixels as "
                       "typed"));
    const auto pixels =
        AddTextPair(m_cameraForm, {"pixelsH", "pixelsV"}, QStringLiteral("Pi&xels"),
                    {QStringLiteral("Pixels across"), QStringLiteral("Pixels down")}, QString());
    m_pixelsH = pixels[0];
    m_pixelsV = pixels[1];
    m_pixelsH->setToolTip(QStringLiteral("The pixels across the picture"));
    m_pixelsV->setToolTip(QStringLiteral("The pixels down the picture"));
    m_focal =
        AddTextBox(m_cameraForm, "focal", QStringLiteral("Focal &length"), QStringLiteral("mm"));
    m_focal->setToolTip(QStringLiteral("The lens's focal length, in millimetres"));
    m_lensChosen = new QLabel;
    m_lensChosen->setObjectName(QStringLiteral("lensChosen"));
    m_lensChosen->setWordWrap(true);
    m_lensChosen->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lensChosen->setToolTip(
        QStringLiteral("The lens of the catalogue chosen with Use this lens; another focal "
                       "length, or following another source, leaves it"));
    m_cameraForm->addRow(QStringLiteral("Lens:"), m_lensChosen);
    return group;
}

QWidget* CameraEditor::BuildTargetGroup() {
    auto* group = new QGroupBox(QStringLiteral("Target"));
    m_targetForm = new QFormLayout(group);
    m_targetForm->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    m_targetForm->setVerticalSpacing(kRowSpacing);
    m_units = AddList(m_targetForm, "units", QStringLiteral("&Units"));
    m_units->addItem(QStringLiteral("metres"), static_cast<int>(LengthUnit::Metres));
    m_units->addItem(QStringLiteral("feet"), static_cast<int>(LengthUnit::Feet));
    m_units->setToolTip(QStringLiteral("The unit of the distance and the heights"));
    m_distance = AddTextBox(m_targetForm, "distance", DistanceCaption(false, false),
                            UnitCaption(LengthUnit::Metres));
    m_distance->setToolTip(
        QStringLiteral("How far the target is from the camera; for a mounted camera, along the "
                       "ground from the pole, unless the calculator gives it along the line of "
                       "sight"));
    m_distanceCaption =
        qobject_cast<QLabel*>(m_targetForm->labelForField(m_distance->parentWidget()));
    m_mounted = new QCheckBox(QStringLiteral("Camera &mounted above the target"));
    m_mounted->setObjectName(QStringLiteral("mounted"));
    m_mounted->setAccessibleName(QStringLiteral("Camera mounted above the target"));
    m_mounted->setToolTip(
        QStringLiteral("The camera is on a pole or a wall above the target, looking down at it"));
    m_targetForm->addRow(m_mounted);
    m_cameraHeight =
        AddTextBox(m_targetForm, "cameraHeight", QStringLiteral("Camera height above the ground"),
                   UnitCaption(LengthUnit::Metres));
    m_cameraHeight->setToolTip(QStringLiteral("How high the camera is above the ground"));
    m_targetHeight =
        AddTextBox(m_targetForm, "targetHeight", QStringLiteral("Tar&get height above the ground"),
                   UnitCaption(LengthUnit::Metres));
    m_targetHeight->setToolTip(
        QStringLiteral("How high above the ground the part of the target that must be seen is: "
                       "about 1.6 m for a face"));

    m_tilt = AddList(m_targetForm, "tilt", QStringLiteral("T&ilt"));
    m_tilt->addItem(QStringLiteral("Aimed at the target"), 1);
    m_tilt->addItem(QStringLiteral("Angle below the horizontal"), 0);
    m_tilt->setToolTip(
        QStringLiteral("How the camera is tilted: aimed straight at the target, or at an angle "
                       "below the horizontal that you give"));
    m_tiltAngleDeg = AddTextBox(m_targetForm, "tiltAngleDeg", QStringLiteral("Tilt angle"),
                                QStringLiteral("\u00b0"));
    m_tiltAngleDeg->setToolTip(
        QStringLiteral("The tilt of the lens axis below the horizontal, in degrees"));

    m_requiredLevel = AddList(m_targetForm, "requiredLevel", QStringLiteral("Level re&quired"));
    for (std::size_t level = 0; level < kDoriLevels.size(); ++level)
        m_requiredLevel->addItem(ToQString(kDoriLevels[level].name), static_cast<int>(level));
    m_requiredLevel->setToolTip(
        QStringLiteral("The DORI level the camera must reach at the target; the lens list shows "
                       "the lenses of the catalogue that reach it"));
    m_requiredWidth =
        AddTextBox(m_targetForm, "requiredWidth", QStringLiteral("Width to see at the target"),
                   UnitCaption(LengthUnit::Metres));
    m_requiredWidth->setToolTip(
        QStringLiteral("How wide a scene the camera must show at the target, if it must: the lens "
                       "list leaves out the lenses that see less. Empty: no such need"));
    return group;
}

// The caption column is as wide as its widest caption, shown or not, in both groups alike, so
// that no field moves when a row appears; but no wider than the captions of an unmounted camera
// need: the longer captions of the mounting wrap.
void CameraEditor::ReserveCaptionWidth() {
    int widest = 0;
    for (bool lineOfSight : {false, true}) {
        m_distanceCaption->setText(DistanceCaption(true, lineOfSight) + QLatin1Char(':'));
        widest = std::max(widest, m_distanceCaption->sizeHint().width());
    }
    std::vector<QLabel*> captions;
    for (QFormLayout* form : {m_cameraForm, m_targetForm}) {
        for (int row = 0; row < form->rowCount(); ++row) {
            QLayoutItem* item = form->itemAt(row, QFormLayout::LabelRole);
            if (auto* caption = item ? qobject_cast<QLabel*>(item->widget()) : nullptr) {
                captions.push_back(caption);
                widest = std::max(widest, caption->sizeHint().width());
            }
        }
    }
    m_distanceCaption->setText(DistanceCaption(false, false) + QLatin1Char(':'));
    widest = std::min(widest, m_distanceCaption->sizeHint().width());
    for (QLabel* caption : captions) {
        caption->setWordWrap(true);
        caption->setFixedWidth(widest);
    }
}

void CameraEditor::ConnectEdits() {
    connect(m_format, &QComboBox::currentIndexChanged, this, &CameraEditor::format_Change);
    connect(m_customBy, &QComboBox::currentIndexChanged, this, &CameraEditor::format_Change);
    connect(m_aspect, &QComboBox::currentIndexChanged, this, &CameraEditor::aspect_Change);
    connect(m_resolution, &QComboBox::currentIndexChanged, this, &CameraEditor::resolution_Change);
    connect(m_units, &QComboBox::currentIndexChanged, this, &CameraEditor::units_Change);
    connect(m_tilt, &QComboBox::currentIndexChanged, this, &CameraEditor::tilt_Change);
    connect(m_requiredLevel, &QComboBox::currentIndexChanged, this, &CameraEditor::Form_Change);
    connect(m_mounted, &QCheckBox::toggled, this, &CameraEditor::mounted_Change);
    for (const TextField& text : m_texts) {
        const bool pixels = text.box == m_pixelsH || text.box == m_pixelsV;
        connect(text.box, &QLineEdit::textChanged, this,
                pixels ? &CameraEditor::pixels_Change : &CameraEditor::Form_Change);
    }
}

CoverageInputs CameraEditor::Inputs() const {
    CoverageInputs inputs = m_carried;
    for (const TextField& text : m_texts) {
        const auto exact = m_exactLengths.find(text.box);
        inputs.*text.field =
            exact != m_exactLengths.end() ? exact->second : text.box->text().toStdU16String();
    }
    for (const ChoiceField& choice : m_choices)
        choice.write(inputs, choice.list->currentData().toInt());
    for (const CheckField& check : m_checks)
        inputs.*check.field = check.check->isChecked();
    return inputs;
}

void CameraEditor::SetInputs(const CoverageInputs& inputs) {
    m_carried = inputs;
    const bool aspectChanged = m_aspect->currentData().toInt() != static_cast<int>(inputs.aspect) ||
                               m_resolution->count() == 0;
    for (const ChoiceField& choice : m_choices)
        SetIndexQuietly(choice.list, choice.list->findData(choice.read(inputs)));
    for (const TextField& text : m_texts) {
        // A converted length comes back as it was kept: the box goes on showing it rounded.
        const auto exact = m_exactLengths.find(text.box);
        if (exact != m_exactLengths.end() && exact->second == inputs.*text.field)
            continue;
        m_exactLengths.erase(text.box);
        SetTextQuietly(text.box, ToQString(inputs.*text.field));
    }
    for (const CheckField& check : m_checks) {
        const QSignalBlocker blocker(check.check);
        check.check->setChecked(inputs.*check.field);
    }
    m_unitShown = inputs.unit;
    for (const TextField& text : m_texts) {
        if (text.unitLabel)
            text.unitLabel->setText(UnitCaption(m_unitShown));
    }
    // The presets are refilled only when the aspect changes, not at every value followed.
    if (aspectChanged)
        FillResolutionPresets();
    else
        SelectMatchingPreset();
    ShowRowsInUse();
}

void CameraEditor::SetLocked(const LockedFields& locked) {
    m_format->setEnabled(!locked.format);
    m_aspect->setEnabled(!locked.aspect);
    ShowLocked(m_focal, locked.focalLength);
    ShowLocked(m_distance, locked.distance);
}

std::vector<QWidget*> CameraEditor::TabOrder() const {
    return {m_format,    m_aspect,       m_customBy,      m_customWidth,  m_customHeight,
            m_pixelSize, m_resolution,   m_pixelsH,       m_pixelsV,      m_focal,
            m_units,     m_distance,     m_mounted,       m_cameraHeight, m_targetHeight,
            m_tilt,      m_tiltAngleDeg, m_requiredLevel, m_requiredWidth};
}

// A box the user edits holds what was typed, no longer a converted length.
void CameraEditor::Form_Change() {
    if (auto* box = qobject_cast<QLineEdit*>(sender()))
        m_exactLengths.erase(box);
    emit inputsEdited();
}

void CameraEditor::format_Change() {
    ShowRowsInUse();
    emit inputsEdited();
}

void CameraEditor::aspect_Change() {
    FitPixelsToAspect(static_cast<Aspect>(m_aspect->currentData().toInt()));
    FillResolutionPresets();
    emit inputsEdited();
}

void CameraEditor::FitPixelsToAspect(Aspect aspect) {
    const ResolutionChoice choice =
        ResolutionForAspect(m_pixelsH->text().toStdU16String(), m_pixelsV->text().toStdU16String(),
                            aspect, m_numberFormat);
    SetTextQuietly(m_pixelsH, ToQString(choice.across));
    SetTextQuietly(m_pixelsV, ToQString(choice.down));
    m_resolutionNote = ToQString(::ResolutionNote(choice));
    SelectMatchingPreset();
}

void CameraEditor::FillResolutionPresets() {
    const auto shape = static_cast<Aspect>(m_aspect->currentData().toInt());
    const QSignalBlocker blocker(m_resolution);
    m_resolution->clear();
    for (const Resolution& preset : ResolutionPresets(shape))
        m_resolution->addItem(QStringLiteral("%1 \u00d7 %2").arg(preset.across).arg(preset.down),
                              QSize(preset.across, preset.down));
    m_resolution->addItem(QStringLiteral("Other"));
    SelectMatchingPreset();
}

void CameraEditor::SelectMatchingPreset() {
    int match = m_resolution->count() - 1;  // "Other"
    for (int i = 0; i + 1 < m_resolution->count(); ++i) {
        const QSize size = m_resolution->itemData(i).toSize();
        if (m_pixelsH->text() == QString::number(size.width()) &&
            m_pixelsV->text() == QString::number(size.height()))
            match = i;
    }
    SetIndexQuietly(m_resolution, match);
}

void CameraEditor::resolution_Change() {
    const QSize size = m_resolution->currentData().toSize();
    if (size.isEmpty())
        return;  // "Other": the pixels stay as typed
    SetTextQuietly(m_pixelsH, QString::number(size.width()));
    SetTextQuietly(m_pixelsV, QString::number(size.height()));
    m_resolutionNote.clear();
    emit inputsEdited();
}

void CameraEditor::pixels_Change() {
    m_resolutionNote.clear();
    SelectMatchingPreset();
    emit inputsEdited();
}

// A text that is no number stays as it is.
void CameraEditor::units_Change() {
    const auto chosen = static_cast<LengthUnit>(m_units->currentData().toInt());
    for (const TextField& text : m_texts) {
        if (!text.unitLabel)
            continue;
        const auto exact = m_exactLengths.find(text.box);
        const std::u16string typed =
            exact != m_exactLengths.end() ? exact->second : text.box->text().toStdU16String();
        const auto converted = ConvertLengthText(typed, m_unitShown, chosen, m_numberFormat);
        if (converted && text.box->isReadOnly()) {
            // What a source gives is shown as it gives it.
            m_exactLengths.erase(text.box);
            SetTextQuietly(text.box, ToQString(*converted));
        } else if (converted) {
            const auto shown = ShownLengthText(*converted, m_numberFormat);
            SetTextQuietly(text.box, ToQString(shown.value_or(*converted)));
            m_exactLengths[text.box] = *converted;
        }
        text.unitLabel->setText(UnitCaption(chosen));
    }
    m_unitShown = chosen;
    emit inputsEdited();
}

void CameraEditor::mounted_Change() {
    ShowRowsInUse();
    emit inputsEdited();
}

void CameraEditor::tilt_Change() {
    ShowRowsInUse();
    emit inputsEdited();
}

void CameraEditor::ShowRowsInUse() {
    const std::u16string& model = m_carried.lensModel;
    const auto lens = model.empty() ? std::nullopt : FindLens(Utf8Of(model));
    const QString chosen =
        lens ? ToQString(model) + QStringLiteral(" \u2014 ") +
                   QString::fromUtf8(lens->description.data(),
                                     static_cast<qsizetype>(lens->description.size()))
                       .simplified()
             : QString();
    if (m_lensChosen->text() != chosen)
        m_lensChosen->setText(chosen);
    m_cameraForm->setRowVisible(m_lensChosen, !chosen.isEmpty());
    const bool custom = static_cast<std::size_t>(m_format->currentData().toInt()) == kCustomFormat;
    const bool byPixelSize =
        static_cast<CustomSensor>(m_customBy->currentData().toInt()) == CustomSensor::ByPixelSize;
    m_cameraForm->setRowVisible(m_aspect, !custom);
    m_cameraForm->setRowVisible(m_customBy, custom);
    m_cameraForm->setRowVisible(m_customWidth->parentWidget(), custom && !byPixelSize);
    m_cameraForm->setRowVisible(m_pixelSize->parentWidget(), custom && byPixelSize);

    const bool mounted = m_mounted->isChecked();
    m_targetForm->setRowVisible(m_cameraHeight->parentWidget(), mounted);
    m_targetForm->setRowVisible(m_targetHeight->parentWidget(), mounted);
    m_targetForm->setRowVisible(m_tilt, mounted);
    m_targetForm->setRowVisible(m_tiltAngleDeg->parentWidget(),
                                mounted && m_tilt->currentData().toInt() == 0);

    const QString caption = DistanceCaption(mounted, m_carried.distanceIsLineOfSight);
    if (m_distanceCaption->text() != caption + QLatin1Char(':')) {
        m_distanceCaption->setText(caption + QLatin1Char(':'));
        m_distance->setAccessibleName(Spoken(caption));
    }
}
