#include "shell/app_entry.h"

#include "input/key_state.h"
#include "shell/app_windows.h"
#include "shell/guard.h"
#include "shell/tform1.h"
#include "shell/ui_services.h"

int RunVeltraBasic(int argc, char** argv)
{
    GuardedApplication app(argc, argv);
    // The main window's close handler decides how the program ends; Qt must
    // not end the event loop on its own when the last window closes.
    app.setQuitOnLastWindowClosed(false);
    KeyStateTracker::instance().install();

    CreateAppWindows();
    Windows().form1->show();
    int code = app.exec();

    RunShutdownHooks();
    DestroyAppWindows();
    return code;
}
