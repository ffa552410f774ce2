#pragma once

#include <QApplication>

#include "design_windows.h"
#include "module1.h"
#include "obbiettivi.h"
#include "partno_window.h"

// The windows of the program's start that the Coverage window reads: the calculator shown, the
// part-number window made. Make it once the application exists.
struct StartWindows {
    StartWindows() {
        calculator.show();
        calculator.CalcoloFocale_Timer();
        QApplication::processEvents();
    }
    Obbiettivi calculator{"/nonexistent/settings"};
    PartNo partNo;
    ModeWindowReadings readings{calculator, partNo};
    ReadingsSources followed{readings};
};
