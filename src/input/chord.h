#pragma once
// The six-key braille keyboard: F D S J K L act as dots 1 to 6 and the space
// bar as the space key. A chord pattern is the held dots' numbers in
// ascending order ("14", "123456"), " " for the space bar alone, or "" when
// no chord key is held.
#include <QString>

class KeyStateTracker;

// The chord pattern of the keys the tracker holds down. The dot keys are
// taken by physical position (the keys carrying F D S J K L on a US layout),
// so the chord stays on the home row under every layout; events without a
// scan code (offscreen tests) fall back to the Qt key codes of those letters.
QString ChordPattern(const KeyStateTracker& keys);

// Sets Braille().brlchord from the key state of the key event being handled.
void ReadChord();

// The text the chord produces through the braille table ("" for none),
// keeping Braille().brlprefix: a prefix chord activates its prefix and
// produces nothing, "#cap" lasts for one character, other prefixes last
// until the space chord, which always produces " ".
QString TranslateChord(const QString& pattern);
