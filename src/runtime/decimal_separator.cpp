#include "runtime/decimal_separator.h"

#include <QLocale>

namespace {
QString g_override;
}

QString DecimalSeparator()
{
    if (!g_override.isEmpty())
        return g_override;
    static const QString system = QLocale::system().decimalPoint();
    return system;
}

void SetDecimalSeparatorForTesting(const QString& separator) { g_override = separator; }
