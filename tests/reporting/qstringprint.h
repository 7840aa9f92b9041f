#pragma once

#include <QString>
#include <ostream>

// Report lines in test failures as readable text rather than bytes.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
