#include "app/ProgramProfile.h"

#include "upland/UplandModel.h"

namespace timbra {

namespace {
ProgramProfile makeTimbra() {
    ProgramProfile p;
    p.programName = "Timbra";
    p.executable = "timbra";
    p.modelName = "upland";
    p.appName = "Timbra";
    p.settingsKey = "Local AppWizard-Generated Applications";

    p.frameTitle = "Timbra - Duvuri Dezorivu-Zezod";
    p.inputDataId = 32779;
    p.viewResultsId = 32780;
    p.printResultsId = 32781;
    p.standStatisticsId = 32785;
    p.gettingStartedId = 32782;
    p.fieldInstructionsId = 32783;
    p.fieldDataSheetId = 32784;
    p.mainMenus = {
        {"&View", {{"&Status Bar", ProgramProfile::StatusBarId, "Show or hide the status bar"}}},
        {"Model", {{"Input data", p.inputDataId, "Open the input dialog"}}},
        {"Results",
         {{"View Results", p.viewResultsId, "Show the stand analysis report"},
          {"Print Results", p.printResultsId, "Print the stand analysis report"},
          {"Stand Statistics", p.standStatisticsId,
           "Show how sure the decision is, with the stand tables and charts"}}},
        {"&Help",
         {{"Getting Started", p.gettingStartedId, "Show how to get started"},
          {},
          {"Field Instructions", p.fieldInstructionsId, "Show the field instructions"},
          {"Field Data Sheet", p.fieldDataSheetId, "Show the blank field data sheet"},
          {},
          {"&About Timbra...", ProgramProfile::AboutId,
           "Display program information, version number and copyright"}}},
    };
    p.aboutText = "Timbra Version 1.1\nUpland decision-maker for southern broadleaf stands";

    p.welcomeCaption = "Welcome to Timbra-Upland";
    p.welcomeGroupTitle = "Timbra-Upland";
    // Roles only: the welcome screen credits the people behind the model and the program.
    p.welcomeCredits = {"Upland stand model: its research developers", "Application: its software developer",
                        "Both at their forestry research institution"};
    p.welcomeDisclaimer =
        "This program evaluates the management potential of a southern broadleaf stand and "
        "decides whether the stand should be managed or regenerated. It has been tested, but "
        "it comes with no guarantee of any kind. You take full responsibility for its use, and "
        "its authors are not liable for any damages that may result from it. Please report "
        "any errors you find.";
    p.welcomeClosingLine = "Press the OK button then select the GETTING STARTED menu item for instructions.";

    p.inputCaption = "Upland Input";
    p.objectiveCount = 4;
    p.objectiveIds = {1001, 1002, 1003, 1004};
    p.runId = 1005;
    p.objectiveDescriptionsId = 1010;
    p.standValueBoxId = 1007;
    p.decisionBoxId = 1008;
    p.cutoffBoxId = 1006;
    p.gridId = 1000;
    p.standValueLabel = "Stand value";
    p.cutoffLabel = "Cutoff value";
    p.newId = 32771;
    p.openId = 32772;
    p.saveAsId = 32773;
    p.printId = 32774;
    p.cutId = 32775;
    p.copyId = 32776;
    p.pasteId = 32777;
    p.inputHelpId = 32778;
    p.undoId = 32779;
    p.redoId = 32780;
    p.inputMenus = {
        {"Spreadsheet options",
         {{"New", p.newId},
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
        {"Spreadsheet help", {{"Input help", p.inputHelpId}}},
    };
    p.leaveQuestion = "Exiting will erase any unsaved input data, do you still want to exit data input?.";
    p.closeQuestion = p.leaveQuestion;
    p.objective3ByProvince = true;
    p.provincesWithoutObjective3 = {"Western Rim", "Coastal Plain"};

    p.tallyResource = "timbra/tally.json";
    p.tally = {
        .lastBlankedRow = 1500, .lastClearedRow = 1500, .printMarkerRow = true, .printFallbackRow = 1499};
    p.hasProvince = true;

    p.gettingStarted = {"Getting Started", "timbra/getting-started.json", 137, 1013, 0};
    p.fieldInstructions = {"Field Instructions", "timbra/field-instructions.json", 141, 1017, 1011};
    p.fieldDataSheet = {"Field Data Sheet", "timbra/field-data-sheet.json", 139, 1015, 1014};
    p.inputHelp = {"Input help", "timbra/input-help.json", 135, 1012, 1011};
    p.objectiveDescriptions = {"Objective Descriptions", "timbra/objective-descriptions.json", 133, 1009, 0};

    p.run = &upland::run;
    p.rewriteForObjective = &upland::rewriteForObjective;
    return p;
}
} // namespace

const ProgramProfile& timbraProfile() {
    static const ProgramProfile profile = makeTimbra();
    return profile;
}

} // namespace timbra
