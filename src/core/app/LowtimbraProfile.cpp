#include "core/app/ProgramProfile.h"

#include "core/bottomland/BottomlandModel.h"

namespace timbra {

namespace {
ProgramProfile makeLowtimbra() {
    ProgramProfile p;
    p.programName = "Lowtimbra";
    p.executable = "lowtimbra";
    p.modelName = "bottomland";
    p.appName = "Timbra";

    p.frameTitle = "Devevovivo Zezodidu Zodor - Timbra";
    p.documentPath = "Timbra";
    p.mainMenus = {
        {"&View", {{"&Status Bar", Command::StatusBar, "Show or hide the status bar"}}},
        {"Model", {{"Input Data", Command::InputData, "Open the input dialog"}}},
        {"Results",
         {{"View Results", Command::ViewResults, "Show the stand analysis report"},
          {"Print Results", Command::PrintResults, "Print the stand analysis report"},
          {"Stand Statistics", Command::StandStatistics,
           "Show how sure the decision is, with the stand tables and charts"}}},
        {"Getting Started",
         {{"Start-up Help", Command::GettingStarted, "Show how to get started"},
          {},
          {"Field Instructions", Command::FieldInstructions, "Show the field instructions"},
          {"Field Data Sheet", Command::FieldDataSheet, "Show the blank field data sheet"},
          {},
          {"&About Timbra...", Command::AppAbout,
           "Display program information, version number and copyright"}}},
    };
    p.aboutText = "Bottomland decision-maker for southern broadleaf stands";

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
    p.standValueLabel = "Stand Value";
    p.cutoffLabel = "Cut-off Value";
    p.hint = "Press RUN then OK to view results";
    p.inputMenus = {
        {"Spreadsheet Options",
         {{"New", Command::New},
          {"Clear Spreadsheet", Command::ClearSpreadsheet},
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
        {"Help Options", {{"Input Help", Command::InputHelp}}},
    };
    p.leaveQuestion = "Exiting will erase any unsaved input data, do you still want to exit data input?.";
    p.closeQuestion = "Exiting will erase any unsaved input data, do you still want to exit data input?";

    p.tallyResource = "lowtimbra/tally.json";
    p.tally = {.printMarkerRow = false, .printFallbackRow = 1498};
    p.hasProvince = false;

    p.gettingStarted = {"Getting Started", "lowtimbra/getting-started.json", false, false};
    p.fieldInstructions = {"Field Instructions", "lowtimbra/field-instructions.json", true, true};
    p.fieldDataSheet = {"Field Data Sheet", "lowtimbra/field-data-sheet.json", true, true};
    p.inputHelp = {"Help", "lowtimbra/input-help.json", true, true, "Exit Help"};
    p.objectiveDescriptions = {"Objective Descriptions", "lowtimbra/objective-descriptions.json", true,
                               false};

    p.model = &bottomland::model;
    return p;
}
} // namespace

const ProgramProfile& lowtimbraProfile() {
    static const ProgramProfile profile = makeLowtimbra();
    return profile;
}

} // namespace timbra
