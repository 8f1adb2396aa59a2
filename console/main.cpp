// The program's entry: everything happens in runProgram.
#include "console/program.h"

int main(int argc, char** argv) {
    return runProgram(argc, argv);
}
