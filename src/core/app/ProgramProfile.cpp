#include "core/app/ProgramProfile.h"

#include "core/app/Resources.h"
#include "core/grid/StoredSheet.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace timbra {

namespace {
Sheet restore(const std::string& resource) {
    const auto data = findResource(resource);
    StoredSheetResult r = data ? loadStoredSheet(*data) : StoredSheetResult{{}, "not among the resources"};
    if (!r.ok()) {
        // A broken stored grid is a build fault, never a user's: stop loudly rather than show a wrong grid.
        std::fprintf(stderr, "stored sheet %s: %s\n", resource.c_str(), r.error.c_str());
        std::abort();
    }
    return std::move(r.sheet);
}
} // namespace

Sheet ProgramProfile::loadTallyGrid() const {
    return restore(tallyResource);
}

Sheet ProgramProfile::loadPage(const ReferencePage& page) const {
    return restore(page.resource);
}

std::string actionName(Command command) {
    static constexpr std::pair<Command, const char*> names[] = {
        {Command::StatusBar, "actionStatusBar"},
        {Command::InputData, "actionInputData"},
        {Command::ViewResults, "actionViewResults"},
        {Command::PrintResults, "actionPrintResults"},
        {Command::StandStatistics, "actionStandStatistics"},
        {Command::GettingStarted, "actionGettingStarted"},
        {Command::FieldInstructions, "actionFieldInstructions"},
        {Command::FieldDataSheet, "actionFieldDataSheet"},
        {Command::AppAbout, "actionAppAbout"},
        {Command::New, "actionNew"},
        {Command::ClearSpreadsheet, "actionClearSpreadsheet"},
        {Command::Open, "actionOpen"},
        {Command::SaveAs, "actionSaveAs"},
        {Command::Import, "actionImport"},
        {Command::Print, "actionPrint"},
        {Command::Undo, "actionUndo"},
        {Command::Redo, "actionRedo"},
        {Command::Cut, "actionCut"},
        {Command::Copy, "actionCopy"},
        {Command::Paste, "actionPaste"},
        {Command::InputHelp, "actionInputHelp"},
    };
    for (const auto& [c, name] : names)
        if (c == command) return name;
    return {};
}

const ProgramProfile* profileForModel(const std::string& modelName) {
    if (modelName == timbraProfile().modelName) return &timbraProfile();
    if (modelName == lowtimbraProfile().modelName) return &lowtimbraProfile();
    return nullptr;
}

} // namespace timbra
