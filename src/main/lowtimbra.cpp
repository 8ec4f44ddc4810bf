#include "core/app/ProgramProfile.h"
#include "gui/app/Startup.h"

int main(int argc, char** argv) {
    return runProgram(argc, argv, timbra::lowtimbraProfile());
}
