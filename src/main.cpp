#include "experiment/program.h"

int main(int argc, char **argv) {
    return experiment::runProgram(argc, argv);
}
