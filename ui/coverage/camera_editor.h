#pragma once

#include <QWidget>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "coverage.h"
#include "locked_fields.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;

// The form of one camera: its sensor, pixels and lens, where its target is, and what it is for
// (the level required there). It reads and writes a CoverageInputs through one table of controls
// and fields, and knows nothing of where the values come from: a user's edit emits inputsEdited()
// once; SetInputs() emits nothing. Fields without a control (distanceIsLineOfSight, the lens
// chosen) are carried from SetInputs() to Inputs() unchanged.
//
// Only the rows that the choices make count are shown; hidden rows keep their texts. The caption
// column is as wide as its widest caption, shown or not, so that no row moves when one appears.
// Texts are kept as typed, in the number format given; switching the unit converts the lengths
// at full precision, kept behind the box, which shows them to hundredths as a user would type
// them until the user edits the box; switching back gives back what was typed. Switching the
// aspect ratio keeps the pixels across and takes the pixels down from a preset or the ratio.
class CameraEditor : public QWidget {
    Q_OBJECT

  public:
    CameraEditor(const NumberFormat& format, const CoverageInputs& start,
                 QWidget* parent = nullptr);

    CoverageInputs Inputs() const;
    void SetInputs(const CoverageInputs& inputs);
    // Locked fields are read-only and look it (a list is disabled, a box loses its white).
    void SetLocked(const LockedFields& locked);

    // The controls that take the focus, in reading order, hidden ones included.
    std::vector<QWidget*> TabOrder() const;

    // The pixels as `aspect` wants them (ResolutionForAspect), written into the boxes quietly:
    // for an aspect that the user or a followed source changed. Remembers the note to show.
    void FitPixelsToAspect(Aspect aspect);
    // "The pixels down were set from the aspect ratio: 1000 × 563." after the last aspect change
    // that set them from the ratio; empty once the pixels are edited or chosen again.
    QString ResolutionNote() const { return m_resolutionNote; }

  signals:
    void inputsEdited();

  private slots:
    void format_Change();
    void aspect_Change();
    void resolution_Change();
    void pixels_Change();
    void units_Change();
    void mounted_Change();
    void tilt_Change();
    void Form_Change();

  private:
    QWidget* BuildCameraGroup();
    QWidget* BuildTargetGroup();
    QLineEdit* AddTextBox(QFormLayout* form, const char* name, const QString& caption,
                          const QString& unit);
    std::array<QLineEdit*, 2> AddTextPair(QFormLayout* form, std::array<const char*, 2> names,
                                          const QString& caption,
                                          std::array<QString, 2> accessibleNames,
                                          const QString& unit);
    QComboBox* NewList(const char* name, const QString& caption);
    QComboBox* AddList(QFormLayout* form, const char* name, const QString& caption);
    void ConnectEdits();
    void ReserveCaptionWidth();
    void FillResolutionPresets();
    void SelectMatchingPreset();
    void ShowRowsInUse();

    // One control for one field of CoverageInputs. A list's items carry the field's value, an
    // enum or index, as an int. A length is in the form's unit and converted with it.
    struct TextField {
        QLineEdit* box;
        std::u16string CoverageInputs::*field;
        QLabel* unitLabel;  // a length's unit, shown beside it; null for other fields
    };
    struct ChoiceField {
        QComboBox* list;
        int (*read)(const CoverageInputs&);
        void (*write)(CoverageInputs&, int);
    };
    struct CheckField {
        QCheckBox* check;
        bool CoverageInputs::*field;
    };

    NumberFormat m_numberFormat;
    CoverageInputs m_carried;  // as last set; its fields without a control are returned as set
    LengthUnit m_unitShown = LengthUnit::Metres;

    std::vector<TextField> m_texts;
    // A length converted to another unit at full precision, by its box, while the box shows it
    // rounded (ShownLengthText) and the user has not edited it.
    std::map<const QLineEdit*, std::u16string> m_exactLengths;
    QString m_resolutionNote;
    std::vector<ChoiceField> m_choices;
    std::vector<CheckField> m_checks;

    QFormLayout* m_cameraForm = nullptr;
    QFormLayout* m_targetForm = nullptr;
    QComboBox *m_format, *m_aspect, *m_customBy, *m_resolution, *m_units, *m_tilt, *m_requiredLevel;
    QLineEdit *m_customWidth, *m_customHeight, *m_pixelSize, *m_pixelsH, *m_pixelsV, *m_focal,
        *m_distance, *m_cameraHeight, *m_targetHeight, *m_tiltAngleDeg, *m_requiredWidth;
    QCheckBox* m_mounted;
    QLabel* m_distanceCaption;
    QLabel* m_lensChosen;  // the catalogue lens chosen for the camera, shown while there is one
};
