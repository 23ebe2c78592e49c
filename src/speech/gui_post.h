#pragma once
// Hands work from any thread to the GUI thread through its event queue.
#include <functional>

// Queues fn to run on the GUI thread the next time it processes events, after
// everything queued before it. Dropped when no application object exists.
void PostToGuiThread(std::function<void()> fn);
