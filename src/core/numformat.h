#pragma once

#include <QString>
#include <optional>

namespace core {

// Formats like the program's display patterns: "# ##0.00", "## ##0.0000", "### ###.000".
// A blank in the integer part asks for thousands grouping with a blank; the screen uses a decimal
// comma. Digits "0" are always printed, "#" only when needed, so "### ###.000" prints zero as ",000".
// A value that is no finite number prints as "INF", "-INF" or "NAN".
QString formatNumber(double value, const QString& pattern);

// Quantities with four places, money with two.
inline QString formatMoney(double v) { return formatNumber(v, "# ##0.00"); }
inline QString formatQuantity(double v) { return formatNumber(v, "## ##0.0000"); }

// Reads a number typed by the user: decimal comma or point, blanks between thousands allowed.
// Empty or anything else gives no value.
std::optional<double> parseNumber(const QString& text);

} // namespace core
