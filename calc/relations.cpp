#include "relations.h"

#include <cmath>

namespace {

std::optional<double> Finite(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<double> VFromH(double h) {
    return Finite((h / 4.0) * 3.0);
}

std::optional<double> HFromV(double v) {
    return Finite((v / 3.0) * 4.0);
}

std::optional<double> FocalFromV(double l, double v, double sensorHeight) {
    if (v == 0)
        return std::nullopt;
    return Finite((l * sensorHeight) / v);
}

std::optional<double> VFromFocal(double l, double f, double sensorHeight) {
    if (f == 0)
        return std::nullopt;
    return Finite((l * sensorHeight) / f);
}
