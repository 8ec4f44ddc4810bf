#pragma once

#include <QString>

#include <memory>

namespace timbra {
struct ProgramProfile;
}

class CMainFrame;

// Starts the desktop program of `profile`: the main window, the welcome dialog, the event loop.
// A tract file named on the command line opens in the Stands window; any other file is accepted as
// the (empty) document and not read; --version
// prints the program's name and version and ends.
int runProgram(int argc, char** argv, const timbra::ProgramProfile& profile);

// The one line to print instead of starting when there is no display to show the program on;
// empty when there is one (or a Qt platform was chosen explicitly).
QString noDisplayMessage(const timbra::ProgramProfile& profile);

// The main window, shown maximised and painted once (the part of start-up that a benchmark times).
std::unique_ptr<CMainFrame> openMainWindow(const timbra::ProgramProfile& profile);

// The main window, then the welcome dialog run modally over it; what runProgram shows before
// handing over to the event loop.
std::unique_ptr<CMainFrame> startProgram(const timbra::ProgramProfile& profile);
