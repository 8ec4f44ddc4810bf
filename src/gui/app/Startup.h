#pragma once

namespace timbra {
struct ProgramProfile;
}

// Starts the desktop program of `profile`: the main window, the welcome dialog, the event loop.
int runProgram(int argc, char** argv, const timbra::ProgramProfile& profile);
