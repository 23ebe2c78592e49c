#pragma once
// Reading numbers typed for INPUT.
#include <QString>
#include <QStringView>

// The text without leading and trailing characters of codes 0 to 32 (blanks
// and control characters); other characters, such as a no-break space, stay.
QString TrimControls(QStringView text);

// Converts a typed number: optional blanks, an optional sign, digits with at
// most one regional decimal separator, an optional exponent with "E" or "e",
// optional blanks. Anything else ("inf", "nan", hexadecimal, digit grouping,
// inner blanks) and values beyond the range of a double fail and leave
// value unchanged.
bool TextToNumber(QStringView text, double& value);
