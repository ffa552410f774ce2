#include "lens_lookup.h"

#include "lens_table.h"

std::optional<LensRecord> FindLens(std::string_view modelNumber) {
    const CatalogueLens* found = nullptr;
    const auto span = [](const CatalogueLens& lens) {
        return lens.range.longestMm - lens.range.shortestMm;
    };
    for (const CatalogueLens& lens : CatalogueLenses()) {
        if (lens.row->modelNumber == modelNumber && (!found || span(lens) > span(*found)))
            found = &lens;
    }
    if (!found)
        return std::nullopt;
    return LensRecord{DescriptionLine(*found->group, *found->row), found->range};
}
