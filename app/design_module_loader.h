#pragma once

#include <QString>
#include <variant>

#include "design_module.h"

// Loads the design module, "vistamarq-design.so" in "../lib/vistamarq/modules" from the program's
// own folder, and finds its exported function; or says why it could not. The module stays loaded
// until the program ends.
std::variant<CreateDesignWindowsFunction, QString> LoadDesignModule();
