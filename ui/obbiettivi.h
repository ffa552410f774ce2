#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "catalogue.h"
#include "lens_calculator.h"
#include "mode_window.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTimer;
class PictureButton;

// The main window: the lens calculator and the search by type. It owns the calculator state and
// applies the box writes that the calculator returns; the menus and the search button only ask
// the application to switch windows (signals), which the start-up code wires.
class Obbiettivi : public ModeWindow {
    Q_OBJECT

  public:
    // `settingsFile` is where the user's number-format settings are read from at load time.
    explicit Obbiettivi(const std::filesystem::path& settingsFile, QWidget* parent = nullptr);

    const LensCalculator& calculator() const { return calc; }
    SearchOptions searchOptions() const;
    // The sensor format chosen, as the sensor table names it ("1/3").
    std::string_view sensorFormatInches() const;
    // Whether the second row, the tele end of a zoom lens, is in use.
    bool zoomLensChosen() const;

  signals:
    void searchRequested();
    // The calculator's state or its rows in use have changed: raised by a tick that found
    // something new to read, and by a change of lens type.
    void calculatorChanged();

  public slots:
    void CalcoloFocale_Timer();
    void TimerMove_Timer();

    void Focale1_Click() { EvaluateBox(0, Quantity::F, Evaluation::Click); }
    void L1_Click() { EvaluateBox(0, Quantity::L, Evaluation::Click); }
    void H1_Click() { EvaluateBox(0, Quantity::H, Evaluation::Click); }
    void V1_Click() { EvaluateBox(0, Quantity::V, Evaluation::Click); }
    void Focale2_Click() { EvaluateBox(1, Quantity::F, Evaluation::Click); }
    void L2_Click() { EvaluateBox(1, Quantity::L, Evaluation::Click); }
    void H2_Click() { EvaluateBox(1, Quantity::H, Evaluation::Click); }
    void V2_Click() { EvaluateBox(1, Quantity::V, Evaluation::Click); }
    void Focale1_LostFocus() { EvaluateBox(0, Quantity::F, Evaluation::Leave); }
    void L1_LostFocus() { EvaluateBox(0, Quantity::L, Evaluation::Leave); }
    void H1_LostFocus() { EvaluateBox(0, Quantity::H, Evaluation::Leave); }
    void V1_LostFocus() { EvaluateBox(0, Quantity::V, Evaluation::Leave); }
    void Focale2_LostFocus() { EvaluateBox(1, Quantity::F, Evaluation::Leave); }
    void L2_LostFocus() { EvaluateBox(1, Quantity::L, Evaluation::Leave); }
    void H2_LostFocus() { EvaluateBox(1, Quantity::H, Evaluation::Leave); }
    void V2_LostFocus() { EvaluateBox(1, Quantity::V, Evaluation::Leave); }

    void un_Click() { SelectSensor(un); }
    void dueterzi_Click() { SelectSensor(dueterzi); }
    void unmezzo_Click() { SelectSensor(unmezzo); }
    void unterzo_Click() { SelectSensor(unterzo); }
    void unquarto_Click() { SelectSensor(unquarto); }
    void FF_Click() { ShowTeleRow(false); }
    void HSP_Click() { ShowTeleRow(false); }
    void VAR_Click() { ShowTeleRow(false); }
    void zoom_Click() { ShowTeleRow(true); }
    // The iris options count only through their selection, which a search reads.
    void Manual_Click() {}
    void DC_Click() {}
    void VD_Click() {}
    void M_Click() {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildSearchMenuItem();
    void BuildOptionFrames(QWidget* client);
    void BuildCalculatorFrame(QWidget* client);
    void Form_Load(const std::filesystem::path& settingsFile);

    QLineEdit* Box(int row, Quantity q) const;
    void EvaluateBox(int row, Quantity q, Evaluation kind);
    void ApplyWrites(const std::vector<BoxWrite>& writes, const std::array<Quantity, 2>& ownBoxes);
    void OnFocusChanged(QWidget* old, QWidget* now) override;
    using BoxHandlers = std::array<std::array<void (Obbiettivi::*)(), 4>, 2>;
    void RunBoxHandler(const QObject* box, const BoxHandlers& handlers);
    void FocusSelectedOption(QRadioButton* arrivedAt, Qt::FocusReason reason);
    void SelectSensor(const QRadioButton* option);
    void ShowTeleRow(bool zoomLens);
    void NameBoxesForScreenReaders(bool zoomLens);

    LensCalculator calc;
    std::array<std::array<QLineEdit*, 4>, 2> boxes{};  // [row][F, L, H, V]
    std::array<QString, 4> boxHeadings;
    QRadioButton *un, *dueterzi, *unmezzo, *unterzo, *unquarto;
    QRadioButton *zoom, *VAR, *HSP, *FF;
    QRadioButton *Manual, *DC, *VD, *M;
    // The same buttons in the order of the catalogue's LensType, Format and Iris.
    std::array<QRadioButton*, 4> lensTypeOptions{};
    std::array<QRadioButton*, 5> formatOptions{};
    std::array<QRadioButton*, 4> irisOptions{};
    QLabel *macro, *Tele;
    PictureButton* OptarionCons = nullptr;
    QTimer* CalcoloFocale = nullptr;
    QTimer* TimerMove = nullptr;

    // Everything a tick reads. A tick that would read what the last one read gives the same
    // writes, which the boxes already show, so it returns at once; being a copy of all it
    // reads, no change can slip past it. The boxes' texts are represented by the count of their
    // changes, which every change of any box's text advances (its textChanged signal).
    struct TickInputs {
        LensCalculator calc;
        std::uint64_t boxTextsRevision = 0;
        const QWidget* focus = nullptr;
        bool typedIn = false;
    };
    TickInputs ReadTickInputs() const;
    bool ReadsAsLastTick() const;
    std::optional<TickInputs> lastTick;
    bool applyingWrites = false;  // the window's own writes to its boxes are no entry of the user
    std::uint64_t boxTextsRevision = 0;
};
