#pragma once
// The seven windows of the program, created once at start in this order and
// living until the end. Null until created (and in tests that do not create them).
class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TAboutbox;

struct AppWindows {
    TForm1* form1 = nullptr;     // main window
    TForm2* form2 = nullptr;     // input dialog
    TForm3* form3 = nullptr;     // environment dialog
    TForm4* form4 = nullptr;     // voice settings dialog
    TForm5* form5 = nullptr;     // sounds dialog
    TForm6* form6 = nullptr;     // screen review
    TAboutbox* aboutbox = nullptr;
};

AppWindows& Windows();

// Creates the seven windows in order, running each one's creation handler
// inside the error guard after construction (a window whose creation failed
// still exists). Used by the program entry and by window tests.
void CreateAppWindows();
// Deletes the windows in reverse order.
void DestroyAppWindows();
