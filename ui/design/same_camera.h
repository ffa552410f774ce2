#pragma once

#include "coverage.h"
#include "design.h"

// Whether a camera shows the same in the schedule: the same id, name and inputs. The keys of the
// file the program does not know are not compared: nothing shows them.
bool SameShownCamera(const Camera& a, const Camera& b);
