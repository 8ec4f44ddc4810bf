// Importing headed tree lists: reading the file, the guesses, the conversions at their rounding
// edges, the audit's reasons against typing's, the stands a file splits into, and the writer.
#include "core/TestFiles.h"

#include "core/app/StandDocument.h"
#include "core/import/ImportWriter.h"
#include "core/import/SavedMappings.h"
#include "core/import/TallyImporter.h"

#include <gtest/gtest.h>

namespace timbra {
namespace {

using test::cases;

// The case tables write a byte that is not UTF-8 as \xHH.
std::string bytesOf(const std::string& text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\\x") == 0 && i + 3 < text.size() + 0) {
            bytes.push_back(static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16)));
            i += 3;
        } else {
            bytes.push_back(text[i]);
        }
    }
    return bytes;
}

std::string joined(const std::vector<std::string>& cells) {
    std::string s;
    for (std::size_t i = 0; i < cells.size(); ++i)
        s += (i ? "|" : "") + cells[i];
    return s;
}

const ProgramProfile& profileOf(const std::string& model) {
    return *profileForModel(model);
}

// A table of one header and the given rows.
SourceTable tableOf(std::vector<std::string> header, std::vector<std::vector<std::string>> rows) {
    SourceTable t;
    t.header = std::move(header);
    for (std::size_t i = 0; i < rows.size(); ++i)
        t.lines.push_back(static_cast<int>(i) + 2);
    t.rows = std::move(rows);
    return t;
}

// A mapping that takes the plot from column "Plot" and one field from column "Value".
ImportMapping plotAnd(Field f) {
    ImportMapping m;
    m.source(Field::Plot) = FieldSource::column("Plot");
    m.source(f) = FieldSource::column("Value");
    m.source(Field::NumberOfPlots) = FieldSource::fixed("1");
    return m;
}

TEST(Import, ReadsDelimitersQuotesAndEncodings) {
    for (const auto& c : cases("import", "reading")) {
        const std::string given = c[2];
        const SourceRead read = readSourceText(bytesOf(c[1]), "list.csv",
                                               given.empty() ? std::nullopt : std::optional<char>(given[0]));
        ASSERT_TRUE(read.ok) << c[0] << ": " << read.error;
        EXPECT_EQ(std::string(1, read.table.delimiter), c[3].get<std::string>()) << c[0];
        EXPECT_EQ(joined(read.table.header), c[4].get<std::string>()) << c[0];
        std::vector<std::string> rows;
        for (const auto& row : read.table.rows)
            rows.push_back(joined(row));
        EXPECT_EQ(rows, c[5].get<std::vector<std::string>>()) << c[0];
        EXPECT_EQ(read.table.windows1252Bytes, c[6].get<std::size_t>()) << c[0];
    }
}

TEST(Import, RefusesWhatOpenRefuses) {
    EXPECT_FALSE(readSourceText(std::string(MaxTallyFileBytes + 1, 'a'), "big.csv").ok);
    EXPECT_FALSE(readSourceText("Plot\n" + std::string(MaxTallyRowBytes + 1, '1') + "\n", "long.csv").ok);
    EXPECT_FALSE(readSourceText(std::string("Plot\n1\0", 7), "nul.csv").ok);
    EXPECT_FALSE(readSourceText("\n\n", "empty.csv").ok);
    test::TempFolder folder;
    EXPECT_FALSE(readSourceFile(folder.path()).ok);
}

TEST(Import, GuessesFieldsUnitsAndStandsFromHeaderNames) {
    for (const auto& c : cases("import", "headers")) {
        const std::string name = c[0], expected = c[1];
        const auto f = guessFieldOfHeader(name);
        const std::string got = looksLikeStandHeader(name) ? "stand" : f ? std::string(fieldKey(*f)) : "";
        EXPECT_EQ(got, expected) << name;
    }
    const TallyImporter importer(timbraProfile());
    for (const auto& c : cases("import", "guessedUnits")) {
        const ImportMapping m = importer.guessMapping(tableOf({"Plot", c[0], c[1]}, {}));
        EXPECT_EQ(unitKey(m.dbhUnit), c[2].get<std::string>()) << c[0];
        EXPECT_EQ(unitKey(m.heightUnit), c[3].get<std::string>()) << c[1];
    }
    // The stand column names the stands; a column is used once; Lowtimbra has no province.
    const auto table =
        tableOf({"STAND", "PLOT", "Plot", "Province", "CR_CL"}, {{"A", "1", "1", "western", "dom"}});
    const ImportMapping m = importer.guessMapping(table);
    EXPECT_EQ(m.standColumn, "STAND");
    EXPECT_EQ(m.source(Field::StandName), FieldSource::column("STAND"));
    EXPECT_EQ(m.source(Field::Plot), FieldSource::column("PLOT"));
    EXPECT_EQ(m.source(Field::Province), FieldSource::column("Province"));
    EXPECT_EQ(m.values.at(Field::CrownClass).at("dom"), "Dominant");
    EXPECT_EQ(m.values.at(Field::Province).at("western"), "Western Rim");
    EXPECT_EQ(TallyImporter(lowtimbraProfile()).guessMapping(table).source(Field::Province).kind,
              FieldSource::Kind::Nothing);
}

TEST(Import, GuessesListEntriesByMatchOrOnePrefix) {
    const TallyImporter importer(timbraProfile());
    for (const auto& c : cases("import", "values")) {
        const auto entry =
            importer.guessEntry(*fieldForKey(c[0].get<std::string>()), c[1].get<std::string>());
        EXPECT_EQ(entry.value_or("(none)"), c[2].is_null() ? "(none)" : c[2].get<std::string>()) << c.dump();
    }
}

TEST(Import, ConvertsUnitsAndRoundsAsTheCellTakesIt) {
    for (const auto& c : cases("import", "conversions")) {
        const TallyImporter importer(profileOf(c[0]));
        const Field f = *fieldForKey(c[1].get<std::string>());
        ImportMapping m = plotAnd(f);
        const std::string unit = c[2];
        m.dbhUnit = unit == "cm" ? DbhUnit::Centimetres : DbhUnit::Inches;
        m.heightUnit = unit == "ft" ? HeightUnit::Feet : unit == "m" ? HeightUnit::Metres : HeightUnit::Logs;
        const ImportResult r = importer.run(tableOf({"Plot", "Value"}, {{"1", c[3]}}), m);
        ASSERT_EQ(r.stands.size(), 1u);
        EXPECT_EQ(r.stands[0].tally.GetText(columnOf(f), FirstTreeRow), c[4].get<std::string>()) << c.dump();
        const std::string kind = r.audit.empty() ? "" : std::string(kindText(r.audit[0].kind));
        EXPECT_EQ(kind, c[5].get<std::string>()) << c.dump();
        EXPECT_LE(r.audit.size(), 1u) << c.dump();
    }
}

TEST(Import, RefusesWithTheWordsTypingGives) {
    for (const auto& c : cases("import", "refusals")) {
        const ProgramProfile& profile = profileOf(c[0]);
        const TallyImporter importer(profile);
        const Field f = *fieldForKey(c[1].get<std::string>());
        ImportMapping m = plotAnd(f);
        if (f == Field::NumberOfPlots) m.source(f) = FieldSource::fixed(c[2]);
        const ImportResult r = importer.run(tableOf({"Plot", "Value"}, {{"1", c[2]}}), m);
        ASSERT_EQ(r.audit.size(), 1u) << c.dump();
        EXPECT_EQ(r.audit[0].kind, AuditEntry::Kind::Refused);
        EXPECT_EQ(r.audit[0].reason, c[3].get<std::string>()) << c.dump();
        EXPECT_FALSE(r.everythingTaken());
        // Typing the same text into the same cell is refused, and the refused text is kept to be marked.
        const TallyCell cell = judgingCellOf(f);
        StandDocument typed(profile);
        EXPECT_FALSE(typed.typeCell(cell.col, cell.row, c[2].get<std::string>())) << c.dump();
        EXPECT_EQ(r.stands[0].tally.GetText(cell.col, cell.row), c[2].get<std::string>());
        // Marked once opened, but for a 0, which every number cell holds as "not entered".
        EXPECT_EQ(r.stands[0].tally.holds(cell.col, cell.row, c[2].get<std::string>()), c[2] == "0")
            << c.dump();
    }
}

// A refused text far longer than a cell takes is not kept, so the tally always saves within Open's limits.
TEST(Import, ARefusedTextFarTooLongIsNotKept) {
    const TallyImporter importer(timbraProfile());
    const std::string quotes(3000, '"');
    const ImportResult r =
        importer.run(tableOf({"Plot", "Value"}, {{"1", quotes}, {"1", "OAKS"}}), plotAnd(Field::Species));
    ASSERT_EQ(r.audit.size(), 1u);
    EXPECT_EQ(r.audit[0].becomes, "");
    EXPECT_EQ(r.stands[0].tally.GetText(SpeciesColumn, 6) + "|" + r.stands[0].tally.GetText(SpeciesColumn, 7),
              " |OAKS");
}

TEST(Import, ValueMapsLeaveEmptyOrKeepWhatTheyDoNotName) {
    const TallyImporter importer(timbraProfile());
    ImportMapping m = plotAnd(Field::CrownClass);
    m.values[Field::CrownClass] = {{"1", "Dominant"}, {"9", ""}};
    const ImportResult r =
        importer.run(tableOf({"Plot", "Value"}, {{"1", "1"}, {"1", "9"}, {"1", "co-dominant"}}), m);
    const Sheet& t = r.stands[0].tally;
    EXPECT_EQ(t.GetText(CrownClassColumn, 6) + "|" + t.GetText(CrownClassColumn, 7) + "|" +
                  t.GetText(CrownClassColumn, 8),
              "Dominant| |Co-dominant");
    ASSERT_EQ(r.audit.size(), 1u);
    EXPECT_EQ(r.audit[0].line, 3);
    EXPECT_EQ(r.audit[0].reason, "Left empty by the value map");
    EXPECT_TRUE(r.everythingTaken());
}

TEST(Import, SplitsStandsFillsPlotsAndLeavesOutRowsThatWouldEndTheTally) {
    const TallyImporter importer(timbraProfile());
    const auto table = tableOf({"Stand", "Plot", "DBH"}, {{"North", "1", "14"},
                                                          {"South/East", "1", "12"},
                                                          {"North", "2", "16"},
                                                          {"", "1", "10"},
                                                          {"North", "0", "18"},
                                                          {"North", "x", "18"},
                                                          {"North", "2", "20"}});
    const ImportMapping m = importer.guessMapping(table);
    const ImportResult r = importer.run(table, m);
    ASSERT_EQ(r.stands.size(), 2u);
    EXPECT_EQ(r.stands[0].key, "North");
    EXPECT_EQ(r.stands[0].rowsRead, 5);
    EXPECT_EQ(r.stands[0].treesRead, 3);
    EXPECT_EQ(r.stands[1].treesRead, 1);
    const Sheet& north = r.stands[0].tally;
    EXPECT_EQ(north.GetText(3, 2) + "|" + north.GetText(10, 2) + "|" + north.GetText(5, 8) + "|" +
                  north.GetText(1, 9),
              "North|2|20|0");
    std::vector<int> leftOut;
    for (const AuditEntry& e : r.audit)
        if (e.kind == AuditEntry::Kind::RowLeftOut) leftOut.push_back(e.line);
    EXPECT_EQ(leftOut, (std::vector<int>{5, 6, 7}));
    EXPECT_EQ(tallyFileNames(r, "list"), (std::vector<std::string>{"North.txt", "South_East.txt"}));
}

TEST(Import, AStandTooLargeForTheGridIsLeftOutWhole) {
    const TallyImporter importer(lowtimbraProfile());
    std::vector<std::vector<std::string>> rows(TallyImporter::TreeRows + 1, {"Big", "1"});
    rows.push_back({"Small", "1"});
    const ImportResult r =
        importer.run(tableOf({"Stand", "Plot"}, rows), importer.guessMapping(tableOf({"Stand", "Plot"}, {})));
    ASSERT_EQ(r.stands.size(), 2u);
    EXPECT_TRUE(r.stands[0].leftOut);
    EXPECT_EQ(r.stands[0].treesRead, 1496);
    EXPECT_FALSE(r.stands[1].leftOut);
    ASSERT_EQ(r.audit.size(), 2u); // the stand, and the small stand's plots filled
    EXPECT_EQ(r.audit[0].reason, "It has 1496 trees, more than the grid's 1495 tree rows");
    EXPECT_EQ(tallyFileNames(r, "list"), std::vector<std::string>{"Small.txt"});
    // Exactly as many trees as tree rows fit.
    rows.resize(TallyImporter::TreeRows);
    EXPECT_FALSE(
        importer.run(tableOf({"Stand", "Plot"}, rows), importer.guessMapping(tableOf({"Stand", "Plot"}, {})))
            .stands[0]
            .leftOut);
}

TEST(Import, MappingsRoundTripThroughJsonAndBadOnesSayWhy) {
    const TallyImporter importer(timbraProfile());
    const SourceRead read = readSourceFile(TIMBRA_EXAMPLES "/pine-knob-cruise.csv");
    ASSERT_TRUE(read.ok);
    ImportMapping m = importer.guessMapping(read.table);
    m.name = "crew \"A\"";
    m.delimiter = ';';
    m.source(Field::Location) = FieldSource::fixed("Pine Knob");
    std::string why;
    EXPECT_EQ(mappingFromJson(mappingToJson(m), why), m) << why;
    for (const char* bad :
         {"[]", "{}", R"({"format":"timbra-import-mapping","fields":{"dbhx":{"column":"D"}}})",
          R"({"format":"timbra-import-mapping","units":{"dbh":"mm"}})",
          R"({"format":"timbra-import-mapping","fields":{"dbh":{"column":3}}})"}) {
        why.clear();
        EXPECT_FALSE(mappingFromJson(bad, why)) << bad;
        EXPECT_FALSE(why.empty()) << bad;
    }
    m.source(Field::Grade) = FieldSource::column("GRADE_X");
    EXPECT_EQ(importer.run(read.table, m).error, "The file has no column \"GRADE_X\".");
}

// The stand header: a column's first value in the stand, through the value maps; a fixed value for
// every stand; the number of plots filled from the plots read, refused past the cell's 40.
TEST(Import, StandHeadersFromColumnsFixedValuesAndPlotsRead) {
    const TallyImporter importer(timbraProfile());
    std::vector<std::vector<std::string>> rows{
        {"A", "", "1", "0.2"}, {"A", "Rim", "2", "0.2"}, {"A", "Plain", "1", ""}};
    for (int plot = 1; plot <= 41; ++plot)
        rows.push_back({"B", "", std::to_string(plot), "0.1"});
    const auto table = tableOf({"Stand", "Prov", "Plot", "Size"}, rows);
    ImportMapping m = importer.guessMapping(table);
    m.source(Field::PlotSize) = FieldSource::column("Size");
    m.source(Field::Location) = FieldSource::fixed("Tract 9");
    m.values[Field::Province] = {{"Rim", "Western Rim"}};
    m.values[Field::PlotSize] = {{"0.2", "Fifth acre"}, {"0.1", "Tenth acre"}};
    const ImportResult r = importer.run(table, m);
    ASSERT_EQ(r.stands.size(), 2u);
    const auto header = [](const Sheet& t) {
        return t.GetText(3, 2) + "|" + t.GetText(3, 3) + "|" + t.GetText(8, 2) + "|" + t.GetText(10, 2) +
               "|" + t.GetText(10, 3);
    };
    EXPECT_EQ(header(r.stands[0].tally), "A|Tract 9|Fifth acre|2|Western Rim");
    EXPECT_EQ(header(r.stands[1].tally), "B|Tract 9|Tenth acre|41|");
    ASSERT_FALSE(r.audit.empty());
    EXPECT_EQ(describe(r.audit.back()),
              "stand, B, Number of Plots: \"41\" -> \"41\": refused. Not accepted here: "
              "this cell takes a whole number from 1 to 40.");
}

TEST(Import, SavedMappingsAreFoundByTheirHeader) {
    test::TempFolder folder;
    const SavedMappings saved(folder / "mappings");
    ImportMapping a, b;
    a.name = "Crew A";
    a.header = {"PLOT", "DBH"};
    b.name = "Crew B/2";
    b.header = {"Plot", "Dbh"};
    ASSERT_TRUE(saved.save(a).ok);
    ASSERT_TRUE(saved.save(b).ok);
    test::writeFile(folder / "mappings/broken.json", "{");
    EXPECT_EQ(saved.all().size(), 2u);
    EXPECT_EQ(saved.pathOf("Crew B/2"), folder / "mappings/Crew B_2.json");
    EXPECT_EQ(saved.forHeader({"Plot", "Dbh"}).value_or(ImportMapping{}).name, "Crew B/2");
    EXPECT_FALSE(saved.forHeader({"Plot"}));
    // Saving under the same name replaces the mapping.
    a.dbhUnit = DbhUnit::Centimetres;
    ASSERT_TRUE(saved.save(a).ok);
    EXPECT_EQ(saved.forHeader({"PLOT", "DBH"})->dbhUnit, DbhUnit::Centimetres);
    std::string why;
    test::writeFile(folder / "big.json", std::string(1024 * 1024 + 1, ' '));
    EXPECT_FALSE(readMappingFile(folder / "big.json", why));
    EXPECT_NE(why.find("larger than 1 MiB"), std::string::npos) << why;
}

// The example cruise file, imported by its mapping, gives exactly the tallies shipped beside it.
TEST(Import, TheExampleCruiseGivesTheShippedTallies) {
    std::string why;
    const auto m = mappingFromJson(test::readFile(TIMBRA_EXAMPLES "/pine-knob-cruise.mapping.json"), why);
    ASSERT_TRUE(m) << why;
    const SourceRead read = readSourceFile(TIMBRA_EXAMPLES "/pine-knob-cruise.csv");
    ASSERT_TRUE(read.ok);
    const ImportResult r = TallyImporter(timbraProfile()).run(read.table, *m);
    test::TempFolder folder;
    const std::vector<StandFile> files = writeStands(r, folder.path(), "pine-knob-cruise");
    ASSERT_EQ(files.size(), 3u);
    for (const StandFile& f : files) {
        ASSERT_TRUE(f.written) << f.error;
        const std::string name = f.path.substr(folder.path().size() + 1);
        EXPECT_EQ(test::readFile(f.path), test::readFile(TIMBRA_EXAMPLES "/pine-knob-tallies/" + name))
            << name;
    }
    // A second import keeps the files unless asked, and replaces them when the answer is yes.
    test::writeFile(files[0].path, "kept");
    EXPECT_FALSE(writeStands(r, folder.path(), "x")[0].written);
    EXPECT_EQ(test::readFile(files[0].path), "kept");
    std::vector<std::string> asked;
    const auto yes = [&](const std::string& path) {
        asked.push_back(path);
        return true;
    };
    EXPECT_TRUE(writeStands(r, folder.path(), "x", yes)[0].written);
    EXPECT_EQ(asked.size(), 3u);
    EXPECT_EQ(safeFileName("../..\x01/etc, Unit 2"), "_..__etc, Unit 2");
    EXPECT_EQ(safeFileName(" ."), "stand");
}

} // namespace
} // namespace timbra
