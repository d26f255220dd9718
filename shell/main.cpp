#include "start.h"

int main(int argc, char *argv[])
{
    return pranoth::runProgram(argc, argv);
}
