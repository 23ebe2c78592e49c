#pragma once
// The one BASIC program of the system: a number-guessing game with Czech texts.

// Runs the game from its beginning to its end.
void BuiltInProgram();
