// The stand document: every kind of edit undoes and redoes to the same cells and boxes, the
// cell-change rules apply to typed and pasted cells alike, and a history of whole-tally steps stays
// small.
#include "core/app/StandDocument.h"

#include "core/TallyBuilder.h"

#include <gtest/gtest.h>

using namespace timbra;

namespace {

std::pair<std::string, ObjectiveBoxes> stateOf(const StandDocument& doc) {
    return {formatTallyText(doc.tally()), doc.boxes()};
}

// A stand with `trees` trees, laid in as Open would.
void openStand(StandDocument& doc, int trees) {
    const Sheet sheet = test::tally(doc.tally().GetMaxRows(),
                                    {.plots = 3, .province = doc.profile().hasProvince ? "Cumberland" : ""},
                                    std::vector<test::Tree>(static_cast<std::size_t>(trees)));
    ASSERT_TRUE(doc.openText(formatTallyText(sheet), "stand", "Open").loaded.ok);
}

// One edit of each kind, named as the Edit menu names it.
StandEdit step(StandDocument& d, const std::string& name) {
    if (name == "Typing") return *d.typeCell(5, 7, "18");
    if (name == "Paste") return d.paste({1, 6, 1, 6}, {{"2", "", "SUM"}, {"3", "", "YLP"}}).edit;
    if (name == "Cut") return d.clearBlock({3, 6, 5, 8}, "Cut");
    if (name == "Delete") return d.clearBlock({1, 2, 10, 7}, "Delete");
    if (name == "New") return d.newTally();
    if (name == "Clear Spreadsheet") return d.clearTally();
    if (name == "Open") return d.openText("1,,WO\r,,,,,,,,,5\r", "small", "Open").edit;
    return d.clickObjective(name.back() - '0'); // "Objective n"
}

} // namespace

TEST(StandDocument, EveryStepUndoesAndRedoes) {
    // clang-format off
    const std::pair<const char*, const ProgramProfile& (*)()> cases[] = {
        {"Typing", timbraProfile}, {"Paste", timbraProfile}, {"Cut", lowtimbraProfile}, {"Delete", timbraProfile},
        {"New", timbraProfile}, {"Clear Spreadsheet", lowtimbraProfile}, {"Open", lowtimbraProfile},
        {"Objective 2", timbraProfile}, {"Objective 3", lowtimbraProfile}};
    // clang-format on
    for (const auto& [name, profile] : cases) {
        SCOPED_TRACE(name);
        StandDocument doc(profile());
        openStand(doc, 4);
        if (std::string(name) == "New") {
            ASSERT_TRUE(doc.clickObjective(3).changed()); // so that New's tick of Objective 1 shows
        }
        const auto before = stateOf(doc);
        const StandEdit edit = step(doc, name);
        const auto after = stateOf(doc);
        EXPECT_EQ(edit.name, name);
        ASSERT_TRUE(edit.changed() && after != before);
        doc.undo(edit);
        EXPECT_EQ(stateOf(doc), before);
        doc.redo(edit);
        EXPECT_EQ(stateOf(doc), after);
    }
}

TEST(StandDocument, AnEditThatChangesNothingIsNoStep) {
    StandDocument doc(lowtimbraProfile());
    EXPECT_TRUE(doc.clearTally().changed()); // the opening 0s go
    EXPECT_FALSE(doc.clearTally().changed());
    EXPECT_FALSE(doc.typeCell(3, 6, " ")->changed());
    EXPECT_FALSE(doc.typeCell(5, 6, "abc")); // refused by the DBH editor
    EXPECT_FALSE(doc.openText(std::string("1\0", 2), "bad", "Open").edit.changed());
}

// Objective 3 follows the province however J3 changed; undo gives back the boxes as they were.
TEST(StandDocument, ProvinceRuleForTypedPastedAndClearedCells) {
    StandDocument doc(timbraProfile());
    const StandEdit pasted = doc.paste({10, 3, 10, 3}, {{"Western Rim"}}).edit;
    EXPECT_FALSE(doc.boxes().enabled[2]);
    EXPECT_TRUE(pasted.boxesBefore.enabled[2]);
    doc.undo(pasted);
    EXPECT_TRUE(doc.boxes().enabled[2]);
    doc.redo(pasted);
    EXPECT_FALSE(doc.cursorRule(10, 3));

    doc.typeCell(10, 3, "Cumberland");
    EXPECT_TRUE(doc.boxes().enabled[2]);
    doc.paste({9, 2, 9, 2}, {{"", "Coastal Plain"}, {"", "Coastal Plain"}}); // J2 refuses it, J3 takes it
    EXPECT_FALSE(doc.boxes().enabled[2]);
    doc.clearBlock({10, 1, 10, 3}, "Delete");
    EXPECT_TRUE(doc.boxes().enabled[2]);

    StandDocument bottomland(lowtimbraProfile());
    bottomland.paste({10, 3, 10, 3}, {{"Western Rim"}});
    EXPECT_TRUE(bottomland.boxes().enabled[2]);
}

TEST(StandDocument, CursorRuleWhereOneCellChanged) {
    StandDocument doc(timbraProfile());
    doc.typeCell(4, 7, "Desirable");
    doc.typeCell(4, 8, "Unacceptable");
    using Cell = std::pair<int, int>;
    EXPECT_EQ(doc.typeCell(5, 7, "8")->cursor, Cell(9, 7));  // small tree: on to the crown class
    EXPECT_EQ(doc.typeCell(5, 7, "18")->cursor, Cell(5, 7)); // the DBH itself: the key moves on
    // The small trees' edges: 6 and 11 inches skip, 12 inches is sawtimber.
    EXPECT_EQ(doc.typeCell(5, 7, "6")->cursor, Cell(9, 7));
    EXPECT_EQ(doc.typeCell(5, 7, "11")->cursor, Cell(9, 7));
    EXPECT_EQ(doc.typeCell(5, 7, "12")->cursor, Cell(5, 7));
    EXPECT_EQ(doc.typeCell(5, 8, "30")->cursor, Cell(9, 8)); // unacceptable tree
    EXPECT_EQ(doc.paste({5, 7, 5, 7}, {{"9"}}).edit.cursor, Cell(9, 7));
    EXPECT_FALSE(doc.paste({5, 7, 5, 8}, {{"10"}}).edit.cursor); // two cells changed
    EXPECT_FALSE(doc.typeCell(6, 7, "2.5")->cursor);
}

// A history of 100 whole-tally steps over a full tally stays far below 64 MB.
TEST(StandDocument, WholeTallyStepsStaySmall) {
    StandDocument doc(lowtimbraProfile());
    openStand(doc, 1495);
    const std::string full = formatTallyText(doc.tally());
    std::size_t bytes = 0;
    for (int step = 0; step < 50; ++step) {
        const StandEdit cleared = doc.clearTally();
        const StandEdit opened = doc.openText(full, "full", "Open").edit;
        EXPECT_GE(cleared.cells.size(), 13000u); // all but column B of 1,495 rows
        bytes += cleared.bytes() + opened.bytes();
    }
    EXPECT_LT(bytes, 64u << 20);
    RecordProperty("bytes", std::to_string(bytes));
}
