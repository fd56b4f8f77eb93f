#include "app/ProgramMain.h"

// The process entry: the program takes no arguments, so none are passed on.
int main()
{
    return program::main();
}
