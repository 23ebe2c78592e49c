#pragma once
// The text form of numbers: 15 significant digits, the regional decimal
// separator, no digit grouping; scientific form ("1E15", "1,5E-5") below
// 1E-4 and from 1E15 on.
#include <QString>

QString NumberText(double value);
