#pragma once
// Failed comparisons of QString show the text, not its bytes.

#include <QString>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
