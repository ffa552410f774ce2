#pragma once

#include "coverage.h"
#include "design.h"

// Whether two inputs are the same, field by field, texts compared as they are (so "4" and "4.0"
// differ): an edit that leaves them the same is no step of the history and no row to redraw.
bool SameInputs(const CoverageInputs& a, const CoverageInputs& b);

// Whether a camera shows the same in the schedule: the same id, name and inputs. The keys of the
// file the program does not know are not compared: nothing shows them.
bool SameShownCamera(const Camera& a, const Camera& b);
