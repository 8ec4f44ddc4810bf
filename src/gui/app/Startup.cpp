#include "app/Startup.h"

#include "app/ProgramProfile.h"

#include <QApplication>

int runProgram(int argc, char** argv, const timbra::ProgramProfile&)
{
    QApplication app(argc, argv);
    return 0;
}
