#include "runtime/input_statement.h"

#include "runtime/number_parse.h"
#include "runtime/print_statement.h"
#include "runtime/runtime_state.h"
#include "runtime/tform2.h"
#include "shell/app_windows.h"
#include "shell/resource_localizer.h"

#include <stdexcept>

namespace {
constexpr int kPromptText = 23;
constexpr int kRetypeText = 44;
const QChar kComma = QLatin1Char(',');

InputDialogAnswerer g_answerer;

std::optional<QString> AskForLine()
{
    if (g_answerer)
        return g_answerer();
    TForm2* dialog = Windows().form2;
    if (!dialog)
        throw std::logic_error("the input dialog does not exist");
    return dialog->AskForLine();
}

// Takes the next value from pendinginput into the variable. Returns false
// when that value is not a number (the variable is then unchanged).
bool TakePendingValue(double& variable)
{
    QString& pending = Runtime().pendinginput;
    if (pending.startsWith(kComma))
        pending.remove(0, 1);
    pending = TrimControls(pending);

    const qsizetype comma = pending.indexOf(kComma);
    bool converted = true;
    if (comma >= 0) {
        converted = TextToNumber(QStringView(pending).first(comma), variable);
        pending = TrimControls(QStringView(pending).sliced(comma + 1));
    } else {
        if (pending.isEmpty())
            variable = 0;
        else
            converted = TextToNumber(pending, variable);
        pending.clear();
    }
    return converted;
}
} // namespace

void InputNumber(double& variable, uint8_t mode)
{
    QString& pending = Runtime().pendinginput;
    bool fromdialog = false;
    if (mode == 0 || mode == 2)
        pending.clear();
    const QString saved = pending;

    for (;;) {
        if (pending.isEmpty()) {
            if (mode > 0)
                PrintText(Str(kPromptText), 0);
            const std::optional<QString> line = AskForLine();
            if (line) {
                fromdialog = true;
                if (line->isEmpty())
                    variable = 0;
                pending = TrimControls(*line);
                if (pending.startsWith(kComma)) {
                    // A line that starts with a comma gives 0 and keeps the rest as it is.
                    variable = 0;
                    pending.remove(0, 1);
                    return;
                }
            }
        }
        if (pending.isEmpty() || TakePendingValue(variable))
            return;
        if (!fromdialog) {
            // A bad value left over from an earlier line counts as 0, silently.
            variable = 0;
            return;
        }
        // A bad typed line: the rest of it goes, and the user types again.
        pending = saved;
        PrintText(Str(kRetypeText), 0);
    }
}

void SetInputDialogAnswererForTesting(InputDialogAnswerer answerer)
{
    g_answerer = std::move(answerer);
}
