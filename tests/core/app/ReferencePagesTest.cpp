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

// A broken page resource aborts loadPage, so loading every page is the first check.
TEST(ReferencePages, EveryPageLoadsWithItsSizeAndIsReadOnly) {
    const ProgramProfile& t = timbraProfile();
    const ProgramProfile& l = lowtimbraProfile();
    const struct {
        const ProgramProfile& profile;
        PageMember page;
        int columns, rows;
    } cases[] = {
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.profile.programName + " " + (c.profile.*c.page).resource);
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

// Texts the pages must show exactly where they stand, typos and trailing blanks included, and the
// places where the two programs' pages differ.
TEST(ReferencePages, KeyTextsStandInTheirCells) {
    const ProgramProfile& t = timbraProfile();
    const ProgramProfile& l = lowtimbraProfile();
    const PageMember gs = &ProgramProfile::gettingStarted, od = &ProgramProfile::objectiveDescriptions,
                     fi = &ProgramProfile::fieldInstructions;
    const struct {
        const ProgramProfile& profile;
        PageMember page;
        int col, row;
        std::string text;
    } texts[] = {
        {t, gs, 1, 9,
         "To view reults enter all stand data in the input screen and press run, save the data (if desired)"},
        {l, gs, 1, 1, "Starting Timbra V1.1"},
        {l, gs, 1, 4, "( For help with inputing data see HELP MENU in the input dialog )"},
        {t, od, 1, 4, "Note: The \"species code\" for yellow poplar must be \"YLP\" "},
        {t, od, 2, 16, "Select one of the four objectives from the input screen."},
        {l, od, 2, 12, "Select one of the three objectives from the input screen."},
        {l, od, 3, 22, "Sweetgum smaller than 12\" are \"Unacceptable\" species"},
        {l, fi, 1, 1, "Field Instructions for \"Timbra - Bottomland Decision-Maker\""},
    };
    for (const auto& x : texts)
        EXPECT_EQ(x.profile.loadPage(x.profile.*x.page).GetText(x.col, x.row), x.text)
            << x.profile.programName << " " << (x.profile.*x.page).resource << " "
            << timbra::columnName(x.col) << x.row;
}

// The input help names the province and Clear only for the program that has them.
TEST(ReferencePages, InputHelpItemsFollowTheProgram) {
    for (const ProgramProfile* p : {&timbraProfile(), &lowtimbraProfile()}) {
        const Sheet help = p->loadPage(p->inputHelp);
        std::vector<std::string> items;
        for (int row = 1; row <= help.GetMaxRows(); ++row)
            items.push_back(help.GetText(2, row));
        const auto holds = [&](const std::string& text) {
            return std::find(items.begin(), items.end(), text) != items.end();
        };
        EXPECT_TRUE(holds("Number of Plots:")) << p->programName;
        EXPECT_EQ(holds("Province:"), p->hasProvince) << p->programName;
        EXPECT_EQ(holds("CLEAR SPREADSHEET:"), p->clearId != 0) << p->programName;
    }
}

} // namespace
