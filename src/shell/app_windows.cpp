#include "shell/app_windows.h"

#include "runtime/tform2.h"
#include "shell/guard.h"
#include "shell/tform1.h"
#include "speech/tform4.h"
#include "windows/taboutbox.h"
#include "windows/tform3.h"
#include "windows/tform5.h"
#include "windows/tform6.h"

namespace {
AppWindows g_windows;

template <typename Window> Window* Create(QWidget* parent)
{
    auto* w = new Window(parent);
    Guarded([w] { w->FormCreate(); });
    return w;
}
} // namespace

AppWindows& Windows() { return g_windows; }

void CreateAppWindows()
{
    g_windows.form1 = Create<TForm1>(nullptr);
    QWidget* main = g_windows.form1;
    g_windows.form2 = Create<TForm2>(main);
    g_windows.form3 = Create<TForm3>(main);
    g_windows.form4 = Create<TForm4>(main);
    g_windows.form5 = Create<TForm5>(main);
    g_windows.form6 = Create<TForm6>(main);
    g_windows.aboutbox = Create<TAboutbox>(main);
}

void DestroyAppWindows()
{
    // The dialogs are children of the main window and go with it.
    delete g_windows.form1;
    g_windows = AppWindows();
}
