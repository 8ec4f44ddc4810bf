#pragma once

#include "core/grid/Sheet.h"
#include "core/input/TallyLimits.h"
#include "core/model/StandModel.h"

#include <string>
#include <utility>
#include <vector>

namespace timbra {

// What a menu item does. The windows name its action "action" and the handler it runs without "On"
// (actionInputData runs OnInputData), so tests and the windows find it by that name.
enum class Command {
    None,
    // Main window
    StatusBar,
    InputData,
    ViewResults,
    PrintResults,
    StandStatistics,
    GettingStarted,
    FieldInstructions,
    FieldDataSheet,
    AppAbout,
    // Input dialog
    New,
    ClearSpreadsheet,
    Open,
    SaveAs,
    Import,
    Print,
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    InputHelp,
};
// "actionInputData" for Command::InputData; empty for None.
std::string actionName(Command command);

// A menu entry: its text with "&" before the mnemonic, its command and the prompt the status bar
// shows while it is highlighted; an empty text is a separator.
struct MenuEntry {
    MenuEntry() = default;
    MenuEntry(std::string text, Command command, std::string prompt = {})
        : text(std::move(text)), command(command), prompt(std::move(prompt)) {}

    std::string text;
    Command command = Command::None;
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
    bool hasGrid = true;
    bool hasPrint = false; // a Print button
    std::string okText = "OK";
};

// Everything that differs between the two programs: texts, menus, limits, layouts and the stand
// model. Each program has exactly one, and nothing else in the code asks which program it is.
struct ProgramProfile {
    // Identity
    std::string programName; // "Timbra", "Lowtimbra"
    std::string executable;  // "timbra", "lowtimbra"
    std::string modelName;   // "upland", "bottomland"
    std::string appName;     // caption of every message box

    // Main frame
    std::string frameTitle;
    std::string documentPath; // where Save writes the (empty) document; empty: Save asks for a name
    std::vector<Menu> mainMenus;
    std::string aboutText; // what the program is for; the About box adds the version and licence

    // Welcome dialog
    std::string welcomeCaption;
    std::string welcomeGroupTitle;
    std::vector<std::string> welcomeCredits;
    std::string welcomeDisclaimer;
    std::string welcomeClosingLine;

    // Input dialog
    std::string inputCaption;
    // The input dialog's title bar has a maximise box (resizing stays either way).
    bool inputMaximizeBox = true;
    int objectiveCount = 4;
    std::string standValueLabel, cutoffLabel, decisionLabel = "Decision";
    std::string hint;             // empty: no hint line
    std::vector<Menu> inputMenus; // Undo and Redo name the step they undo or redo
    std::string leaveQuestion;    // OK and Cancel
    std::string closeQuestion;    // the close box
    std::string printAbortText = "Printing - Click Cancel to quit";

    // Tally grid
    std::string tallyResource;
    TallyLimits tally;
    bool hasProvince = false;

    // Reference pages
    ReferencePage gettingStarted, fieldInstructions, fieldDataSheet, inputHelp, objectiveDescriptions;

    // Stand model
    const StandModel* model = nullptr;

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
