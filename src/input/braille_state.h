#pragma once
// The chord keyboard's process-wide state.
#include <QString>

struct BrailleState {
    // The current chord pattern ("14", " " for the space chord, "" for none).
    QString brlchord;
    // The active prefix ("#cap" or another prefix name), "" when none.
    QString brlprefix;
    // The input dialog's own copy of the prefix, restored before every translation.
    QString brlsavedprefix;
};

BrailleState& Braille();
