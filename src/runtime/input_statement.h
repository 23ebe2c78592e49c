#pragma once
// INPUT of one numeric variable, read from a line typed in the input dialog.
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

// Mode 0: a fresh line, no prompt. Mode 1: take the next comma-separated
// value of the line typed before; prompt whenever the dialog is shown.
// Mode 2: a fresh line, with the prompt. Only the first value of a typed line
// is used; the rest waits in pendinginput for a following mode-1 INPUT.
void InputNumber(double& variable, uint8_t mode);

// Shows the input dialog and returns the typed line, or nothing when the
// dialog was closed without OK. Tests answer here instead of a person; an
// empty function returns to the real dialog.
using InputDialogAnswerer = std::function<std::optional<QString>()>;
void SetInputDialogAnswererForTesting(InputDialogAnswerer answerer);
