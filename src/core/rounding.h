#pragma once

namespace core {

// Rounds to `places` decimals, halves away from zero. Decimal-correct for values that carry up to
// six decimals (as they come from the database): roundTo(1.005, 2) == 1.01.
double roundTo(double value, int places);
inline double round2(double value) { return roundTo(value, 2); }
inline double round4(double value) { return roundTo(value, 4); }

// Line value of a document: quantity times price, to two places.
inline double lineValue(double quantity, double price) { return round2(quantity * price); }

} // namespace core
