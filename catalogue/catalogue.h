#pragma once

#include <string>
#include <string_view>
#include <vector>

// One lens of the maker's catalogue.
struct CatalogueRow {
    std::string_view modelNumber;  // 5 to 16 capitals, digits and hyphens
    std::string_view body;         // 24 to 68 characters, beginning with two blanks
};

enum class LensType { FF, zoom, VAR, HSP };
enum class Format { un, dueterzi, unmezzo, unterzo, unquarto };
enum class Iris { M, Manual, DC, VD };

// The ordered lenses listed for one combination of lens type, sensor format and iris control.
struct CatalogueGroup {
    std::string_view name;  // "FF_dueterzi_Manual", ...
    LensType lensType;
    Format format;
    Iris iris;
    std::string_view lensFormat;  // "2/3", "1/2" or "1/3": opens every description line
    std::vector<CatalogueRow> rows;
};

// The whole catalogue: 24 groups, 137 rows, in the catalogue's own order.
const std::vector<CatalogueGroup>& CatalogueGroups();

// The thirteen option buttons of the main window that a search reads: set or not. Nothing
// enforces one button per frame; every set button is looked at.
struct SearchOptions {
    bool FF = false, zoom = false, VAR = false, HSP = false;
    bool un = false, dueterzi = false, unmezzo = false, unterzo = false, unquarto = false;
    bool M = false, Manual = false, DC = false, VD = false;
};

// One result: the model number beside its description line (format, inch mark, body).
struct LensListing {
    std::string modelNumber;
    std::string description;

    bool operator==(const LensListing& other) const {
        return modelNumber == other.modelNumber && description == other.description;
    }
};

// The line that the results show for a row of a group: its lens format, an inch mark, the body.
std::string DescriptionLine(const CatalogueGroup& group, const CatalogueRow& row);

// The lenses that match the options, in order: lens types FF, zoom, VAR, HSP; formats un to
// unquarto; irises M, Manual, DC, VD under zoom and Manual, DC, VD otherwise (M counts only
// for zoom). A combination without a group adds nothing.
std::vector<LensListing> SelectLenses(const SearchOptions& options);

// The line the results show in place of lenses when the model-number list is still empty after
// a search.
inline constexpr char kNoMatchingLenses[] = "There are no lenses that match your inquiry.";
