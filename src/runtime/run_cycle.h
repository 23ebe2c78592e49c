#pragma once
// Program/Start: runs the built-in program once from its beginning to its end.
class TForm1;

void RunStartCommand(TForm1& form);

// Whether Start has been chosen since the program started (the screen review
// opens from the main window only after that).
bool ProgramStarted();
void ResetProgramStarted();
