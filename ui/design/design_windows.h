#pragma once

#include <memory>

#include "coverage/followed_sources.h"
#include "design_module.h"

// The design window as the module gives it to the program. Tests, which link the module's code
// into their own program, call this where the program calls the module's exported function.
std::unique_ptr<DesignWindows> NewDesignWindows(const CalculatorReadings& readings);

// The calculator and part-number windows as the Coverage window follows them, their changes
// passed on as the program tells them.
class ReadingsSources : public FollowedSources {
  public:
    explicit ReadingsSources(const CalculatorReadings& readings) : m_readings(readings) {}

    const LensCalculator& Calculator() const override { return m_readings.Calculator(); }
    std::string_view SensorFormatInches() const override { return m_readings.SensorFormatInches(); }
    bool ZoomLensChosen() const override { return m_readings.ZoomLensChosen(); }
    const std::optional<DecodedLens>& LastDecodedLens() const override {
        return m_readings.LastDecodedLens();
    }

  private:
    const CalculatorReadings& m_readings;
};

// NewDesignWindows for Module1 in a program that links the module's code (the tests, the
// benchmarks), where the program calls the module's exported function.
inline DesignWindows* DesignWindowsInProcess(const CalculatorReadings& readings) {
    return NewDesignWindows(readings).release();
}
