#include "speech/tts_result.h"

QString ResultText(HRESULT code) {
    switch (code) {
    case S_OK:
        return QStringLiteral("The operation completed successfully");
    case S_FALSE:
        return QStringLiteral("Incorrect function");
    case E_NOTIMPL:
        return QStringLiteral("Not implemented");
    case E_NOINTERFACE:
        return QStringLiteral("No such interface supported");
    case E_POINTER:
        return QStringLiteral("Invalid pointer");
    case E_ABORT:
        return QStringLiteral("Operation aborted");
    case E_FAIL:
        return QStringLiteral("Unspecified error");
    case E_UNEXPECTED:
        return QStringLiteral("Catastrophic failure");
    case E_OUTOFMEMORY:
        return QStringLiteral(
            "Not enough memory resources are available to complete this operation");
    case E_INVALIDARG:
        return QStringLiteral("The parameter is incorrect");
    default:
        return QStringLiteral("Error 0x%1")
            .arg(static_cast<uint32_t>(code), 8, 16, QLatin1Char('0'));
    }
}

EngineError::EngineError(HRESULT code) : VeltraError(ResultText(code)), m_code(code) {}

HRESULT CheckResult(HRESULT code) {
    if (Failed(code)) throw EngineError(code);
    return code;
}
