#include "core/import/ImportFields.h"

#include <utility>

namespace timbra {

namespace {

struct FieldInfo {
    Field field;
    std::string_view key, label;
    // Header names, as match keys, that name the field exactly, then beginnings that name it
    // ("dbhcm", "htft"). The table is searched in its order, so the longer names come first.
    std::vector<std::string_view> names, beginnings;
};

const std::vector<FieldInfo>& fieldTable() {
    static const std::vector<FieldInfo> table = {
        {Field::NumberOfPlots,
         "numberOfPlots",
         "Number of Plots",
         {"numberofplots", "nplots", "noplots", "plots", "plotcount"},
         {}},
        {Field::PlotSize, "plotSize", "Plot Size", {"plotsize", "plotarea", "psize"}, {"plotsize"}},
        {Field::Plot,
         "plot",
         "Plot #",
         {"plot", "plt", "plotno", "plotnum", "plotnumber", "plotid"},
         {"plot"}},
        {Field::TreeClass,
         "treeClass",
         "Tree Class",
         {"treeclass", "trclass", "trcl", "tc", "risk", "riskclass", "treerisk"},
         {"treeclass", "risk"}},
        {Field::Tree,
         "tree",
         "Tree #",
         {"tree", "tr", "treeno", "treenum", "treenumber", "treeid", "tno"},
         {}},
        {Field::SpeciesClass,
         "speciesClass",
         "Species Class",
         {"speciesclass", "spclass", "sppclass", "spcl", "sc"},
         {"speciesclass"}},
        {Field::Species,
         "species",
         "Species",
         {"species", "spp", "spcd", "sp", "speciescode", "spcode"},
         {"species"}},
        {Field::Dbh, "dbh", "DBH", {"dbh", "dia", "diam", "diameter", "d"}, {"dbh", "dia"}},
        {Field::Height,
         "height",
         "Height",
         {"height", "ht", "logs", "merchht", "mht", "merchheight", "merchlogs", "nlogs", "h"},
         {"height", "merchh", "logs", "ht"}},
        {Field::Grade,
         "grade",
         "Grade",
         {"grade", "gr", "grd", "loggrade", "buttloggrade", "blg"},
         {"grade"}},
        {Field::Vigor, "vigor", "Vigor", {"vigor", "vigour", "vig", "vg"}, {"vig"}},
        {Field::CrownClass,
         "crownClass",
         "Crown Class",
         {"crown", "crownclass", "crcl", "crclass", "cc"},
         {"crown"}},
        {Field::StandName, "standName", "Stand Name", {"standname", "name"}, {}},
        {Field::Location,
         "location",
         "Stand Location",
         {"location", "standlocation", "loc", "tract", "compartment"},
         {}},
        {Field::Province, "province", "Province", {"province", "prov", "physiographicprovince"}, {}},
    };
    return table;
}

const FieldInfo& infoOf(Field f) {
    for (const FieldInfo& info : fieldTable())
        if (info.field == f) return info;
    return fieldTable().front(); // every field is in the table
}

} // namespace

std::string matchKey(std::string_view text) {
    std::string key;
    for (char c : text) {
        if (c >= 'A' && c <= 'Z')
            key.push_back(static_cast<char>(c - 'A' + 'a'));
        else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            key.push_back(c);
    }
    return key;
}

TallyCell headerCellOf(Field f) {
    switch (f) {
    case Field::StandName:
        return StandNameCell;
    case Field::Location:
        return StandLocationCell;
    case Field::PlotSize:
        return PlotSizeCell;
    case Field::NumberOfPlots:
        return NumberOfPlotsCell;
    default:
        return ProvinceCell;
    }
}

TallyCell judgingCellOf(Field f) {
    return isTreeField(f) ? TallyCell{columnOf(f), FirstTreeRow} : headerCellOf(f);
}

std::string_view fieldKey(Field f) {
    return infoOf(f).key;
}

std::string_view fieldLabel(Field f) {
    return infoOf(f).label;
}

std::optional<Field> fieldForKey(std::string_view key) {
    for (const FieldInfo& info : fieldTable())
        if (info.key == key) return info.field;
    return std::nullopt;
}

std::optional<Field> guessFieldOfHeader(std::string_view header) {
    const std::string key = matchKey(header);
    if (key.empty()) return std::nullopt;
    for (const FieldInfo& info : fieldTable())
        for (std::string_view name : info.names)
            if (key == name) return info.field;
    for (const FieldInfo& info : fieldTable())
        for (std::string_view beginning : info.beginnings)
            if (key.starts_with(beginning)) return info.field;
    return std::nullopt;
}

bool looksLikeStandHeader(std::string_view header) {
    const std::string key = matchKey(header);
    for (std::string_view name :
         {"stand", "standid", "standno", "standnumber", "stnd", "std", "unit", "standname"})
        if (key == name) return true;
    return false;
}

} // namespace timbra
