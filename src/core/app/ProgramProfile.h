#pragma once

#include "grid/Sheet.h"
#include "input/TallyLimits.h"
#include "model/Objectives.h"
#include "model/RunOutcome.h"

#include <string>
#include <utility>
#include <vector>

namespace timbra {

// A menu entry: its text with "&" before the mnemonic, its command id and the prompt the status
// bar shows while it is highlighted; an empty text is a separator.
struct MenuEntry {
    MenuEntry() = default;
    MenuEntry(std::string text, int id, std::string prompt = {})
        : text(std::move(text)), id(id), prompt(std::move(prompt)) {}

    std::string text;
    int id = 0;
    std::string prompt;
    bool separator() const { return text.empty(); }
};

struct Menu {
    std::string title;
    std::vector<MenuEntry> entries;
};

// A reference page: a modal dialog showing a stored sheet (or, for one page, static texts).
struct ReferencePage {
    std::string title;    // dialog caption
    std::string resource; // stored sheet, relative to resources/
    int dialogId = 0;
    int gridId = 0;  // 0: the page has no grid
    int printId = 0; // 0: the page has no Print button
    std::string okText = "OK";
};

// Everything that differs between the two programs: texts, ids, limits, layouts and the stand
// model. Each program has exactly one, and nothing else in the code asks which program it is.
struct ProgramProfile {
    // Identity
    std::string programName; // "Timbra", "Lowtimbra"
    std::string executable;  // "timbra", "lowtimbra"
    std::string modelName;   // "upland", "bottomland"
    std::string appName;     // caption of every message box
    std::string settingsKey; // where the window profile is kept

    // Main frame
    std::string frameTitle;
    std::string documentPath; // where Save writes the (empty) document; empty: Save asks for a name
    std::vector<Menu> mainMenus;
    int inputDataId = 0, viewResultsId = 0, printResultsId = 0, standStatisticsId = 0;
    int gettingStartedId = 0, fieldInstructionsId = 0, fieldDataSheetId = 0;
    static constexpr int AboutId = 57664;
    static constexpr int StatusBarId = 59393;
    std::string aboutText;

    // Welcome dialog
    std::string welcomeCaption;
    std::string welcomeGroupTitle;
    std::vector<std::string> welcomeCredits;
    std::string welcomeDisclaimer;
    std::string welcomeClosingLine;

    // Input dialog
    std::string inputCaption;
    bool inputMaximizeBox = true; // the input dialog's title bar has a maximise box (resizing stays either way)
    int objectiveCount = 4;
    std::vector<int> objectiveIds;
    int runId = 0, objectiveDescriptionsId = 0, standValueBoxId = 0, decisionBoxId = 0, cutoffBoxId = 0,
        gridId = 0;
    std::string standValueLabel, cutoffLabel, decisionLabel = "Decision";
    std::string hint; // empty: no hint line
    std::vector<Menu> inputMenus;
    int newId = 0, clearId = 0, openId = 0, saveAsId = 0, printId = 0, cutId = 0, copyId = 0, pasteId = 0,
        inputHelpId = 0;
    int undoId = 0, redoId = 0;        // the undo history's items, which name the step they undo or redo
    std::string leaveQuestion;         // OK and Cancel
    std::string closeQuestion;         // the close box
    bool objective3ByProvince = false; // Objective 3 is disabled for provinces without a cut-off
    std::vector<std::string> provincesWithoutObjective3;
    std::string printAbortText = "Printing - Click Cancel to quit";

    // Tally grid
    std::string tallyResource;
    TallyLimits tally;
    bool hasProvince = false;

    // Reference pages
    ReferencePage gettingStarted, fieldInstructions, fieldDataSheet, inputHelp, objectiveDescriptions;

    // Stand model
    RunOutcome (*run)(const Sheet& tally, const ObjectiveBoxes& boxes) = nullptr;
    void (*rewriteForObjective)(Sheet& tally, int objective) = nullptr;

    // The stored empty tally grid, restored; aborts only if the program's own resource is broken.
    Sheet loadTallyGrid() const;
    // A reference page's stored sheet, restored.
    Sheet loadPage(const ReferencePage& page) const;
};

const ProgramProfile& timbraProfile();
const ProgramProfile& lowtimbraProfile();
// "upland" or "bottomland"; nullptr for any other name.
const ProgramProfile* profileForModel(const std::string& modelName);

} // namespace timbra
