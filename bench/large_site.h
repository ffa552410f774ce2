#pragma once

#include <vector>

#include "design.h"
#include "geometry.h"

// A large site for the plan's benchmarks: short walls scattered over a 200 m square (fixed seed).
std::vector<Segment> ScatteredWalls(int count);

// A design of 500 cameras (the Coverage form's start, mounted) at random places and headings on
// one plan "p1" among 5,000 such walls, with 50 targets to be seen at Identify.
Design LargeSiteDesign();
