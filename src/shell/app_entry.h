#pragma once
// The program entry: creates the application and the seven windows, runs the
// event loop until the main window closes, then ends in order.
int RunVeltraBasic(int argc, char** argv);
