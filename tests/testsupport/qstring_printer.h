#pragma once
// Lets GoogleTest print QString values readably in failure messages.
#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
