#pragma once
// Failure codes of the speech engines turned into the program's error.
#include "shell/errors.h"
#include "speech/tts_interfaces.h"

// An engine call that failed: the code and the system's text for it.
class EngineError : public VeltraError {
public:
    explicit EngineError(HRESULT code);
    HRESULT code() const { return m_code; }

private:
    HRESULT m_code;
};

// The text of a result code ("Not implemented" for E_NOTIMPL, ...); codes
// without a text of their own read "Error 0x8xxxxxxx".
QString ResultText(HRESULT code);

// Raises EngineError when the code is a failure; returns the code otherwise.
HRESULT CheckResult(HRESULT code);
