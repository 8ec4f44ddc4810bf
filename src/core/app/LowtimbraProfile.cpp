#include "app/ProgramProfile.h"

#include "bottomland/BottomlandModel.h"

namespace timbra {

namespace {
ProgramProfile makeLowtimbra() {
    ProgramProfile p;
    p.programName = "Lowtimbra";
    p.executable = "lowtimbra";
    p.modelName = "bottomland";
    p.appName = "Timbra";
    p.settingsKey = "TIMBRA Applications";

    p.frameTitle = "Devevovivo Zezodidu Zodor - Timbra";
    p.documentPath = "Timbra";
    p.inputDataId = 32775;
    p.viewResultsId = 32773;
    p.printResultsId = 32774;
    p.standStatisticsId = 32789;
    p.gettingStartedId = 32771;
    p.fieldInstructionsId = 32788;
    p.fieldDataSheetId = 32787;
    p.mainMenus = {
        {"&View", {{"&Status Bar", ProgramProfile::StatusBarId, "Show or hide the status bar"}}},
        {"Model", {{"Input Data", p.inputDataId, "Open the input dialog"}}},
        {"Results",
         {{"View Results", p.viewResultsId, "Show the stand analysis report"},
          {"Print Results", p.printResultsId, "Print the stand analysis report"},
          {"Stand Statistics", p.standStatisticsId,
           "Show how sure the decision is, with the stand tables and charts"}}},
        {"Getting Started",
         {{"Start-up Help", p.gettingStartedId, "Show how to get started"},
          {},
          {"Field Instructions", p.fieldInstructionsId, "Show the field instructions"},
          {"Field Data Sheet", p.fieldDataSheetId, "Show the blank field data sheet"},
          {},
          {"&About Timbra...", ProgramProfile::AboutId,
           "Display program information, version number and copyright"}}},
    };
    p.aboutText = "Timbra Version 1.1\nBottomland decision-maker for southern broadleaf stands";

    p.welcomeCaption = "Welcome to Timbra-Bottomland";
    p.welcomeGroupTitle = "Timbra-Bottomland ";
    // Roles only: the welcome screen credits the people behind the model and the program.
    p.welcomeCredits = {"Bottomland stand model: its research developers",
                        "Application: its software developer", "Both at their forestry research institution"};
    p.welcomeDisclaimer =
        "This program evaluates the management potential of a southern broadleaf stand and "
        "decides whether the stand should be managed or regenerated. It has been tested, but "
        "it comes with no guarantee of any kind. You take full responsibility for its use, and "
        "its authors are not liable for any damages that may result from it. Please report "
        "any errors you find.";
    p.welcomeClosingLine = "Press the OK button then select the GETTING STARTED menu item for instructions";

    p.inputCaption = "Bottomland Input";
    p.inputMaximizeBox = false;
    p.objectiveCount = 3;
    p.objectiveIds = {1003, 1004, 1005};
    p.runId = 1011;
    p.objectiveDescriptionsId = 1014;
    p.standValueBoxId = 1008;
    p.decisionBoxId = 1009;
    p.cutoffBoxId = 1012;
    p.gridId = 1006;
    p.standValueLabel = "Stand Value";
    p.cutoffLabel = "Cut-off Value";
    p.hint = "Press RUN then OK to view results";
    p.newId = 32776;
    p.clearId = 32777;
    p.openId = 32778;
    p.saveAsId = 32779;
    p.printId = 32783;
    p.cutId = 32780;
    p.copyId = 32781;
    p.pasteId = 32782;
    p.inputHelpId = 32784;
    p.undoId = 32785;
    p.redoId = 32786;
    p.inputMenus = {
        {"Spreadsheet Options",
         {{"New", p.newId},
          {"Clear Spreadsheet", p.clearId},
          {},
          {"Open", p.openId},
          {"Save as...", p.saveAsId},
          {},
          {"Print", p.printId},
          {},
          {"Undo", p.undoId},
          {"Redo", p.redoId},
          {},
          {"Cut", p.cutId},
          {"Copy", p.copyId},
          {"Paste", p.pasteId}}},
        {"Help Options", {{"Input Help", p.inputHelpId}}},
    };
    p.leaveQuestion = "Exiting will erase any unsaved input data, do you still want to exit data input?.";
    p.closeQuestion = "Exiting will erase any unsaved input data, do you still want to exit data input?";

    p.tallyResource = "lowtimbra/tally.json";
    p.tally = {
        .lastBlankedRow = 1501, .lastClearedRow = 1500, .printMarkerRow = false, .printFallbackRow = 1498};
    p.hasProvince = false;

    p.gettingStarted = {"Getting Started", "lowtimbra/getting-started.json", 135, 0, 0};
    p.fieldInstructions = {"Field Instructions", "lowtimbra/field-instructions.json", 141, 1021, 1022};
    p.fieldDataSheet = {"Field Data Sheet", "lowtimbra/field-data-sheet.json", 139, 1020, 1019};
    p.inputHelp = {"Help", "lowtimbra/input-help.json", 132, 1010, 1018, "Exit Help"};
    p.objectiveDescriptions = {"Objective Descriptions", "lowtimbra/objective-descriptions.json", 137, 1015,
                               0};

    p.run = &bottomland::run;
    p.rewriteForObjective = &bottomland::rewriteForObjective;
    return p;
}
} // namespace

const ProgramProfile& lowtimbraProfile() {
    static const ProgramProfile profile = makeLowtimbra();
    return profile;
}

} // namespace timbra
