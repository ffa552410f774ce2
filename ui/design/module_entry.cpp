// The design module's one exported symbol, which the program looks up by name.
#include "design_windows.h"

extern "C" __attribute__((visibility("default"))) DesignWindows* VistamarqCreateDesignWindows(
    const CalculatorReadings& readings) {
    return NewDesignWindows(readings).release();
}
