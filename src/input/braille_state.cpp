#include "input/braille_state.h"

BrailleState& Braille()
{
    static BrailleState state;
    return state;
}
