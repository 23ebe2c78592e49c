#include "runtime/runtime_state.h"

namespace {
RuntimeState g_runtime;
}

RuntimeState& Runtime() { return g_runtime; }

void ResetRuntimeState() { g_runtime = RuntimeState(); }
