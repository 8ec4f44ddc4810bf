#include "app/ProgramProfile.h"
#include "app/Startup.h"

int main(int argc, char** argv) {
    return runProgram(argc, argv, timbra::timbraProfile());
}
