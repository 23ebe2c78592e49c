#include "runtime/run_cycle.h"

#include "runtime/builtin_program.h"
#include "runtime/data_file.h"
#include "runtime/print_statement.h"
#include "runtime/runtime_state.h"
#include "shell/guard.h"
#include "shell/resource_localizer.h"
#include "shell/tform1.h"
#include "speech/sound_cues.h"
#include "speech/voice_preparation.h"

#include <QAction>
#include <QMenu>

namespace {
constexpr int kReadyText = 25;
bool g_programstarted = false;

// The items that must not be used while the program runs; Exit and the
// braille keyboard switch stay usable.
void SetRunMenuEnabled(TForm1& form, bool enabled)
{
    form.Startsubmenu->setEnabled(enabled);
    form.soundssubmenu->setEnabled(enabled);
    form.environmentsubmenu->setEnabled(enabled);
    form.Voicesubmenu->setEnabled(enabled);
    form.usesapi5submenu->setEnabled(enabled);
    form.helpmenu->setEnabled(enabled);
}

// Enables the items again when the run ends, however it ends.
class RunMenuRestorer {
public:
    explicit RunMenuRestorer(TForm1& form) : m_form(form) {}
    ~RunMenuRestorer() { SetRunMenuEnabled(m_form, true); }
    RunMenuRestorer(const RunMenuRestorer&) = delete;
    RunMenuRestorer& operator=(const RunMenuRestorer&) = delete;

private:
    TForm1& m_form;
};

void RunProgram(TForm1& form, DataFile& datafile)
{
    if (!form.usesapi5submenu->isChecked())
        PrepareVoiceForStart();
    datafile.OpenIfPresent();
    g_programstarted = true;
    ResetRuntime();
    BuiltInProgram();
    PrintText(Str(kReadyText), 0);
}
} // namespace

void RunStartCommand(TForm1& form)
{
    SetRunMenuEnabled(form, false);
    const RunMenuRestorer restorer(form);
    DataFile datafile;
    // An error ends the run here with its message; the menu must not stay
    // disabled, or the user could only quit.
    Guarded([&] { RunProgram(form, datafile); });
    datafile.Close();
}

void ResetRuntime()
{
    Runtime().pendinginput.clear();
    Runtime().scrcursor.SetColumn(0);
    ResetNoteMemory();
}

bool ProgramStarted() { return g_programstarted; }
void ResetProgramStarted() { g_programstarted = false; }
