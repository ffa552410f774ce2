#pragma once

#include <bitset>
#include <cstddef>
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

// The option buttons of the main window that a search reads, set or not, each frame's buttons
// indexed by its enum above. Nothing enforces one button per frame; every set button is looked at.
struct SearchOptions {
    std::bitset<4> lensTypes;  // by LensType
    std::bitset<5> formats;    // by Format
    std::bitset<4> irises;     // by Iris

    bool Has(LensType t) const { return lensTypes.test(static_cast<std::size_t>(t)); }
    bool Has(Format f) const { return formats.test(static_cast<std::size_t>(f)); }
    bool Has(Iris i) const { return irises.test(static_cast<std::size_t>(i)); }
    SearchOptions& Set(LensType t, bool on = true) {
        lensTypes.set(static_cast<std::size_t>(t), on);
        return *this;
    }
    SearchOptions& Set(Format f, bool on = true) {
        formats.set(static_cast<std::size_t>(f), on);
        return *this;
    }
    SearchOptions& Set(Iris i, bool on = true) {
        irises.set(static_cast<std::size_t>(i), on);
        return *this;
    }
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
// unquarto; irises M, Manual, DC, VD. A combination without a group adds nothing (only zoom
// lenses have a motorized iris, so M adds nothing to the other lens types).
std::vector<LensListing> SelectLenses(const SearchOptions& options);

// The line the results show in place of lenses when the model-number list is still empty after
// a search.
inline constexpr char kNoMatchingLenses[] = "There are no lenses that match your inquiry.";
