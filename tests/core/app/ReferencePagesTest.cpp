#include "app/ProgramProfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using timbra::lowtimbraProfile;
using timbra::ProgramProfile;
using timbra::ReferencePage;
using timbra::Sheet;
using timbra::timbraProfile;

namespace {

using PageMember = ReferencePage ProgramProfile::*;

struct PageCase {
    const ProgramProfile& profile;
    PageMember page;
    int columns, rows;
};

std::string describe(const PageCase& c) {
    return c.profile.programName + " " + (c.profile.*c.page).resource;
}

// A broken page resource aborts loadPage, so loading every page is the first check.
TEST(ReferencePages, EveryPageLoadsWithItsSizeAndIsReadOnly) {
    const ProgramProfile& t = timbraProfile();
    const ProgramProfile& l = lowtimbraProfile();
    const std::vector<PageCase> cases = {
        {t, &ProgramProfile::gettingStarted, 1, 15},
        {t, &ProgramProfile::objectiveDescriptions, 5, 54},
        {t, &ProgramProfile::fieldDataSheet, 17, 37},
        {t, &ProgramProfile::fieldInstructions, 2, 93},
        {t, &ProgramProfile::inputHelp, 9, 253},
        {l, &ProgramProfile::gettingStarted, 1, 6},
        {l, &ProgramProfile::objectiveDescriptions, 20, 46},
        {l, &ProgramProfile::fieldDataSheet, 17, 37},
        {l, &ProgramProfile::fieldInstructions, 2, 90},
        {l, &ProgramProfile::inputHelp, 9, 253},
    };
    for (const PageCase& c : cases) {
        SCOPED_TRACE(describe(c));
        const Sheet page = c.profile.loadPage(c.profile.*c.page);
        EXPECT_EQ(page.GetMaxCols(), c.columns);
        EXPECT_EQ(page.GetMaxRows(), c.rows);
        int texts = 0;
        for (int row = 1; row <= page.GetMaxRows(); ++row)
            for (int col = 1; col <= page.GetMaxCols(); ++col) {
                EXPECT_TRUE(page.formatAt(col, row).staticText) << timbra::columnName(col) << row;
                texts += !page.GetText(col, row).empty();
            }
        EXPECT_GT(texts, 4);
    }
}

// Texts the pages must show exactly where they stand, typos and blanks included.
TEST(ReferencePages, KeyTextsStandInTheirCells) {
    struct Text {
        const ProgramProfile& profile;
        PageMember page;
        int col, row;
        std::string text;
    };
    const ProgramProfile& t = timbraProfile();
    const ProgramProfile& l = lowtimbraProfile();
    const PageMember gs = &ProgramProfile::gettingStarted, od = &ProgramProfile::objectiveDescriptions,
                     fds = &ProgramProfile::fieldDataSheet, fi = &ProgramProfile::fieldInstructions;
    const std::vector<Text> texts = {
        {t, gs, 1, 3, "Getting Started Instructions"},
        {t, gs, 1, 6, "data in the input screen select INPUT HELP from the SPREADSHEET HELP menu located "},
        {t, gs, 1, 9,
         "To view reults enter all stand data in the input screen and press run, save the data (if desired)"},
        {t, gs, 1, 10, "and exit the input screen.  Select VIEW RESULTS from the RESULTS menu."},
        {t, gs, 1, 13, "located on the main screen."},
        {l, gs, 1, 1, "Starting Timbra V1.1"},
        {l, gs, 1, 2, "INPUTTING STAND DATA:"},
        {l, gs, 1, 4, "( For help with inputing data see HELP MENU in the input dialog )"},
        {l, gs, 1, 6,
         "To view results, select VIEW RESULTS from the RESULTS MENU.  You can then print the results if "
         "desired."},
        {t, od, 1, 3, "Objective Descriptions"},
        {t, od, 1, 4, "Note: The \"species code\" for yellow poplar must be \"YLP\" "},
        {t, od, 1, 10, "\"Reserve Stock\" to become \"Preferred Stock\", which "},
        {t, od, 2, 16, "Select one of the four objectives from the input screen."},
        {t, od, 2, 28, "Objective 3:"},
        {t, od, 3, 31, "Sugar maple is \"Unacceptable\""},
        {t, od, 3, 36, "Sugar maple is \"Unacceptable\""},
        {l, od, 1, 7, "class for trees over 26\" in dbh. 26\" trees originally "},
        {l, od, 2, 12, "Select one of the three objectives from the input screen."},
        {l, od, 2, 20, "Objective 3:"},
        {l, od, 3, 16, "Sweetgum smaller than 12\" are \"Acceptable\" species"},
        {l, od, 3, 22, "Sweetgum smaller than 12\" are \"Unacceptable\" species"},
        {t, fds, 4, 2, "_________________________"},
        {l, fds, 15, 3, "____ of ____"},
        {t, fds, 10, 5, "crown  = D, C, I, or S"},
        {l, fds, 10, 6, "tree  = P, R, CT, or CU"},
        {t, fds, 1, 7, "Note: Always use SWG for sweetgum species code"},
        {l, fds, 1, 7, "Note: Always use SWG for sweetgum species code"},
        {t, fds, 6, 8, "vigor "},
        {l, fds, 16, 8, "crown "},
        {t, fds, 17, 8, "tree"},
        {t, fi, 1, 1, "Field Instructions for \"Timbra - Bottomland Decision-Maker\""},
        {l, fi, 1, 1, "Field Instructions for \"Timbra - Bottomland Decision-Maker\""},
    };
    for (const Text& x : texts) {
        SCOPED_TRACE(x.profile.programName + " " + (x.profile.*x.page).resource);
        EXPECT_EQ(x.profile.loadPage(x.profile.*x.page).GetText(x.col, x.row), x.text)
            << timbra::columnName(x.col) << x.row;
    }
}

TEST(ReferencePages, FieldDataSheetHalvesAndSeparator) {
    for (const ProgramProfile* p : {&timbraProfile(), &lowtimbraProfile()}) {
        const Sheet page = p->loadPage(p->fieldDataSheet);
        for (int col = 1; col <= 8; ++col)
            EXPECT_EQ(page.GetText(col, 8), page.GetText(col + 9, 8));
        for (int row = 8; row <= 37; ++row)
            EXPECT_EQ(page.GetText(9, row), "***") << row;
        EXPECT_EQ(page.GetColWidth(9), 2.37);
    }
}

// Where the page's texts are written in our own words, the headings the user looks for are
// checked by presence and column; headings in column 1, their texts indented.
std::vector<std::string> column(const Sheet& page, int col) {
    std::vector<std::string> out;
    for (int row = 1; row <= page.GetMaxRows(); ++row)
        out.push_back(page.GetText(col, row));
    return out;
}

bool holds(const std::vector<std::string>& cells, const std::string& text) {
    return std::find(cells.begin(), cells.end(), text) != cells.end();
}

TEST(ReferencePages, SectionsOfInstructionsAndInputHelp) {
    const std::vector<std::string> fieldSections = {"General Information:",
                                                    "Number of Plots:",
                                                    "Plot Size:",
                                                    "Plot Location:",
                                                    "TREE TALLY PROCEDURE",
                                                    "Mandatory Information",
                                                    "Species:",
                                                    "Species Class:",
                                                    "DBH:",
                                                    "Tree Class:",
                                                    "Optional Information",
                                                    "Merchantable Height:",
                                                    "Butt Log Grade:",
                                                    "Tree Vigor:",
                                                    "Crown Class:"};
    const std::vector<std::string> helpSections = {"Header Information",    "Spreadsheet Data Entry",
                                                   "Mandatory Information", "Optional spreadsheet items",
                                                   "Analyzing the Data",    "Input Screen Menu Options"};
    for (const ProgramProfile* p : {&timbraProfile(), &lowtimbraProfile()}) {
        SCOPED_TRACE(p->programName);
        const Sheet instructions = p->loadPage(p->fieldInstructions);
        const auto headings = column(instructions, 1);
        auto at = headings.begin();
        for (const auto& s : fieldSections) {
            at = std::find(at, headings.end(), s);
            EXPECT_NE(at, headings.end()) << "missing or out of order: " << s;
        }
        EXPECT_EQ(instructions.GetColWidth(2), p == &timbraProfile() ? 71.37 : 68.87);

        const Sheet help = p->loadPage(p->inputHelp);
        EXPECT_EQ(help.GetText(1, 2), "Input Help");
        for (const auto& s : helpSections)
            EXPECT_TRUE(holds(column(help, 1), s)) << s;
        const auto items = column(help, 2);
        for (const auto& s : {"Stand Name:", "Number of Plots:", "Plot Size:", "Objective:", "Plot Number:",
                              "Species:", "Diameter:", "Height Class:", "Initial Results:",
                              "The NEW Menu Item:", "SAVE AS:", "COPY and PASTE:"})
            EXPECT_TRUE(holds(items, s)) << s;
        EXPECT_EQ(holds(items, "Province:"), p->hasProvince);
        EXPECT_EQ(holds(items, "CLEAR SPREADSHEET:"), p->clearId != 0);
        EXPECT_TRUE(holds(column(help, 3), "The maximum number of plots is 40."));
    }
}

TEST(ReferencePages, TimbraGettingStartedSizes) {
    const Sheet page = timbraProfile().loadPage(timbraProfile().gettingStarted);
    EXPECT_EQ(page.GetColWidth(1), 83.75);
    EXPECT_EQ(page.GetRowHeight(2), 0);
    EXPECT_EQ(page.GetRowHeight(3), 18.2);
}

} // namespace
