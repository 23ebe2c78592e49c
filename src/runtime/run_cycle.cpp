#include "runtime/run_cycle.h"

namespace {
bool g_programstarted = false;
}

void RunStartCommand(TForm1&) {}

bool ProgramStarted() { return g_programstarted; }
void ResetProgramStarted() { g_programstarted = false; }
