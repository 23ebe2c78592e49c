#pragma once
// The user's regional decimal separator, used both to print and to read numbers.
// It comes from the system locale (not from the C library's locale, which Qt
// sets from the environment) and the program never changes it.
#include <QString>

QString DecimalSeparator();
// Tests choose the separator; an empty text returns to the system's.
void SetDecimalSeparatorForTesting(const QString& separator);
