#include "lens_table.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "sensor_format.h"

namespace {

// The lens formats of the catalogue carry the sensor format's nominal diagonal; a format the
// table does not know covers nothing.
double CoveredDiagonalMm(std::string_view lensFormat) {
    for (const SensorFormat& format : kSensorFormats) {
        if (format.inches == lensFormat)
            return format.diagonalMm;
    }
    return 0;
}

}  // namespace

bool NearlyEqual(double a, double b) {
    return std::abs(a - b) <= kCatalogueTolerance * std::max(std::abs(a), std::abs(b));
}

bool Covers(const CatalogueLens& lens, double sensorDiagonalMm) {
    return lens.coveredDiagonalMm >= sensorDiagonalMm ||
           NearlyEqual(lens.coveredDiagonalMm, sensorDiagonalMm);
}

const std::vector<CatalogueLens>& CatalogueLenses() {
    static const std::vector<CatalogueLens> lenses = [] {
        std::vector<CatalogueLens> read;
        for (const CatalogueGroup& group : CatalogueGroups()) {
            for (const CatalogueRow& row : group.rows) {
                const std::optional<FocalRange> range = FocalRangeOf(row.body);
                if (!range)
                    continue;
                const auto first =
                    std::find_if(read.begin(), read.end(), [&](const CatalogueLens& lens) {
                        return lens.row->modelNumber == row.modelNumber;
                    });
                read.push_back({&group, &row, *range, CoveredDiagonalMm(group.lensFormat),
                                KindOf(group.lensType, *range), MegapixelsOf(row.body),
                                static_cast<std::size_t>(first - read.begin())});
            }
        }
        return read;
    }();
    return lenses;
}
