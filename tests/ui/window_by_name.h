#pragma once

#include <QString>

#include "about_window.h"
#include "module1.h"
#include "obbiettivi.h"
#include "partno_window.h"
#include "search_window.h"

// The program's windows by the names the tables use.
inline QWidget* WindowByName(const Module1& windows, const QString& name) {
    if (name == QLatin1String("Obbiettivi"))
        return windows.obbiettivi();
    if (name == QLatin1String("PartNo"))
        return windows.partNo();
    if (name == QLatin1String("Search"))
        return windows.search();
    return windows.about();
}
