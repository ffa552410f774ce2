#pragma once

#include <QObject>
#include <optional>
#include <string_view>

#include "lens_calculator.h"
#include "part_number.h"

// What the Coverage window can follow, read only: the lens calculator's state and the last lens a
// part number gave. The program implements it over its calculator and part-number windows; the
// Coverage window never learns of those windows and never writes into them.
class FollowedSources : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;

    virtual const LensCalculator& Calculator() const = 0;
    // The sensor format chosen in the calculator, as the sensor table names it ("1/3").
    virtual std::string_view SensorFormatInches() const = 0;
    // Whether the calculator's second row, the tele end of a zoom lens, is in use.
    virtual bool ZoomLensChosen() const = 0;
    // The format and focal length of the last part number that gave both; no value before one
    // has.
    virtual const std::optional<DecodedLens>& LastDecodedLens() const = 0;

  signals:
    // The calculator's state or its rows in use have changed.
    void calculatorChanged();
    // A part number has given a lens.
    void lensDecoded();
};
