#pragma once

#include <optional>
#include <string_view>

#include "lens_calculator.h"
#include "part_number.h"

class QString;
class QWidget;

// The seam between the program and its design module, a shared library loaded the first time the
// design window is asked for, so that Qt SQL, Qt Print Support and the rest of what only that
// window uses are not mapped while the calculator starts. Both sides speak through these two
// interfaces of virtual functions only: neither binary links a symbol of the other.

// What the design window reads of the calculator and part-number windows, implemented by the
// program. Read only: the design window never writes into those windows.
class CalculatorReadings {
  public:
    virtual const LensCalculator& Calculator() const = 0;
    // The sensor format chosen in the calculator, as the sensor table names it ("1/3").
    virtual std::string_view SensorFormatInches() const = 0;
    // Whether the calculator's second row, the tele end of a zoom lens, is in use.
    virtual bool ZoomLensChosen() const = 0;
    // The format and focal length of the last part number that gave both.
    virtual const std::optional<DecodedLens>& LastDecodedLens() const = 0;

  protected:
    ~CalculatorReadings() = default;
};

// The design window, implemented by the module. It is made hidden; nothing of it shows until Show
// or OpenFile.
class DesignWindows {
  public:
    virtual ~DesignWindows() = default;

    // Shows the design window, the first time beside `beside` (the mode window shown), and
    // brings it to the front.
    virtual void Show(const QWidget* beside) = 0;
    // Shows the design window with the design file at `path` in place of the design open,
    // asking first to save that one's changes. Says in a message box why a file does not open.
    virtual void OpenFile(const QString& path, const QWidget* beside) = 0;
    // The program is asked to end: "Save changes to NAME?" when the design has changes. False
    // when the user chose to stay (Cancel, or a save that failed).
    virtual bool MayEndProgram() = 0;

    // The calculator's state or its rows in use have changed.
    virtual void CalculatorChanged() = 0;
    // A part number has given a lens.
    virtual void LensDecoded() = 0;

    // The design window, for tests and for the program's window switching.
    virtual QWidget* Window() const = 0;
};

// The module's one exported function, found by its name, kCreateDesignWindows. The readings must
// outlive what it returns.
using CreateDesignWindowsFunction = DesignWindows* (*)(const CalculatorReadings& readings);
inline constexpr char kCreateDesignWindows[] = "VistamarqCreateDesignWindows";
