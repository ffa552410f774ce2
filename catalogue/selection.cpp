#include "catalogue.h"

#include <string>
#include <vector>

std::string DescriptionLine(const CatalogueGroup& group, const CatalogueRow& row) {
    std::string description;
    description.reserve(group.lensFormat.size() + 1 + row.body.size());
    description.append(group.lensFormat).append(1, '"').append(row.body);
    return description;
}

// The groups are stored in the order in which the buttons are tried (lens type, then format,
// then iris, each in button order), so one pass over them yields the matches in that order,
// however many buttons of a frame are set.
std::vector<LensListing> SelectLenses(const SearchOptions& options) {
    std::vector<LensListing> listings;
    for (const CatalogueGroup& group : CatalogueGroups()) {
        if (!options.Has(group.lensType) || !options.Has(group.format) || !options.Has(group.iris))
            continue;
        listings.reserve(listings.size() + group.rows.size());
        for (const CatalogueRow& row : group.rows)
            listings.push_back({std::string(row.modelNumber), DescriptionLine(group, row)});
    }
    return listings;
}
