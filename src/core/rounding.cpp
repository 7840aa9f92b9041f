#include "core/rounding.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace core {

double roundTo(double value, int places) {
    if (!std::isfinite(value)) return value;
    // The binary value of 1.005 lies just below it; printing with nine decimals first recovers
    // the decimal the user or the database meant, then the digits are rounded as text.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.9f", std::fabs(value));
    std::string s(buf);
    const auto dot = s.find('.');
    std::string intPart = s.substr(0, dot);
    std::string frac = s.substr(dot + 1);
    if (places < 0) places = 0;
    if (places > 8) places = 8;
    std::string kept = intPart + frac.substr(0, places);
    const bool up = frac[places] >= '5';
    if (up) {
        int i = int(kept.size()) - 1;
        while (i >= 0) {
            if (kept[i] == '9') {
                kept[i] = '0';
                --i;
            } else {
                ++kept[i];
                break;
            }
        }
        if (i < 0) kept.insert(kept.begin(), '1');
    }
    std::string out = kept.substr(0, kept.size() - places);
    if (places > 0) out += "." + kept.substr(kept.size() - places);
    double r = std::strtod(out.c_str(), nullptr);
    return value < 0 ? -r : r;
}

} // namespace core
