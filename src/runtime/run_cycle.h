#pragma once
// Program/Start: runs the built-in program once from its beginning to its end.
class TForm1;

// Disables the menu items that must not run during the program, prepares the
// voice, opens "data.dta" when it exists, resets the runtime, runs the
// program, prints the localized "ready", and enables the items again. An error
// that ends the run is shown and the items are enabled all the same.
void RunStartCommand(TForm1& form);

// The reset before each run: the pending input goes, printing starts at the
// left of the cursor's row (the screen and the row stay as they are), and the
// sound cues forget their remembered note set and duration.
void ResetRuntime();

// Whether Start has been chosen since the program started (the screen review
// opens from the main window only after that).
bool ProgramStarted();
void ResetProgramStarted();
