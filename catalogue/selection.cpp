#include "catalogue.h"

#include <string>
#include <vector>

namespace {

bool IsSet(const SearchOptions& options, LensType lensType) {
    switch (lensType) {
        case LensType::FF:
            return options.FF;
        case LensType::zoom:
            return options.zoom;
        case LensType::VAR:
            return options.VAR;
        case LensType::HSP:
            return options.HSP;
    }
    return false;
}

bool IsSet(const SearchOptions& options, Format format) {
    switch (format) {
        case Format::un:
            return options.un;
        case Format::dueterzi:
            return options.dueterzi;
        case Format::unmezzo:
            return options.unmezzo;
        case Format::unterzo:
            return options.unterzo;
        case Format::unquarto:
            return options.unquarto;
    }
    return false;
}

// The motorized-iris button stays set when the user leaves the zoom type (it is only
// disabled), so it must not count for the other lens types.
bool IsSet(const SearchOptions& options, LensType lensType, Iris iris) {
    switch (iris) {
        case Iris::M:
            return lensType == LensType::zoom && options.M;
        case Iris::Manual:
            return options.Manual;
        case Iris::DC:
            return options.DC;
        case Iris::VD:
            return options.VD;
    }
    return false;
}

}  // namespace

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
        if (!IsSet(options, group.lensType) || !IsSet(options, group.format) ||
            !IsSet(options, group.lensType, group.iris))
            continue;
        listings.reserve(listings.size() + group.rows.size());
        for (const CatalogueRow& row : group.rows)
            listings.push_back({std::string(row.modelNumber), DescriptionLine(group, row)});
    }
    return listings;
}
