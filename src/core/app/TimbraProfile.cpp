#include "core/app/ProgramProfile.h"

#include "core/upland/UplandModel.h"

namespace timbra {

namespace {
ProgramProfile makeTimbra() {
    ProgramProfile p;
    p.programName = "Timbra";
    p.executable = "timbra";
    p.modelName = "upland";
    p.appName = "Timbra";

    p.frameTitle = "Timbra - Duvuri Dezorivu-Zezod";
    p.mainMenus = {
        {"&View", {{"&Status Bar", Command::StatusBar, "Show or hide the status bar"}}},
        {"Model", {{"Input data", Command::InputData, "Open the input dialog"}}},
        {"Results",
         {{"View Results", Command::ViewResults, "Show the stand analysis report"},
          {"Print Results", Command::PrintResults, "Print the stand analysis report"},
          {"Stand Statistics", Command::StandStatistics,
           "Show how sure the decision is, with the stand tables and charts"}}},
        {"&Help",
         {{"Getting Started", Command::GettingStarted, "Show how to get started"},
          {},
          {"Field Instructions", Command::FieldInstructions, "Show the field instructions"},
          {"Field Data Sheet", Command::FieldDataSheet, "Show the blank field data sheet"},
          {},
          {"&About Timbra...", Command::AppAbout,
           "Display program information, version number and copyright"}}},
    };
    p.aboutText = "Upland decision-maker for southern broadleaf stands";

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
    p.standValueLabel = "Stand value";
    p.cutoffLabel = "Cutoff value";
    p.inputMenus = {
        {"Spreadsheet options",
         {{"New", Command::New},
          {},
          {"Open", Command::Open},
          {"Save as...", Command::SaveAs},
          {"Import...", Command::Import,
           "Read a tree list with its own columns (CSV) into the grid, after a preview and an audit"},
          {},
          {"Print", Command::Print},
          {},
          {"Undo", Command::Undo},
          {"Redo", Command::Redo},
          {},
          {"Cut", Command::Cut},
          {"Copy", Command::Copy},
          {"Paste", Command::Paste}}},
        {"Spreadsheet help", {{"Input help", Command::InputHelp}}},
    };
    p.leaveQuestion = "Exiting will erase any unsaved input data, do you still want to exit data input?.";
    p.closeQuestion = p.leaveQuestion;

    p.tallyResource = "timbra/tally.json";
    p.tally = {.printMarkerRow = true, .printFallbackRow = 1499};
    p.hasProvince = true;

    p.gettingStarted = {"Getting Started", "timbra/getting-started.json", true, false};
    p.fieldInstructions = {"Field Instructions", "timbra/field-instructions.json", true, true};
    p.fieldDataSheet = {"Field Data Sheet", "timbra/field-data-sheet.json", true, true};
    p.inputHelp = {"Input help", "timbra/input-help.json", true, true};
    p.objectiveDescriptions = {"Objective Descriptions", "timbra/objective-descriptions.json", true, false};

    p.model = &upland::model;
    return p;
}
} // namespace

const ProgramProfile& timbraProfile() {
    static const ProgramProfile profile = makeTimbra();
    return profile;
}

} // namespace timbra
