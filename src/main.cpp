#include "shell/app_entry.h"

int main(int argc, char** argv) { return RunVeltraBasic(argc, argv); }
