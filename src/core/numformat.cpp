#include "core/numformat.h"

#include "core/rounding.h"

#include <cmath>

namespace core {

QString formatNumber(double value, const QString& pattern) {
    // A division by zero upstream must not print digits of garbage.
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    const int dot = pattern.indexOf('.');
    const QString intPat = dot < 0 ? pattern : pattern.left(dot);
    const QString fracPat = dot < 0 ? QString() : pattern.mid(dot + 1);
    const int places = int(fracPat.size());
    const bool grouped = intPat.trimmed().contains(' ');
    const int minInt = int(intPat.count('0'));

    const double r = roundTo(value, places);
    QString digits = QString::number(std::fabs(r), 'f', places);
    QString ip = places > 0 ? digits.left(digits.indexOf('.')) : digits;
    QString fp = places > 0 ? digits.mid(digits.indexOf('.') + 1) : QString();
    // Trailing optional fraction digits ("#") are dropped when zero.
    int optional = int(fracPat.count('#'));
    while (optional-- > 0 && fp.endsWith('0')) fp.chop(1);

    if (ip == "0" && minInt == 0) ip.clear();
    while (ip.size() < minInt) ip.prepend('0');
    if (grouped && ip.size() > 3) {
        QString g;
        int n = 0;
        for (int i = int(ip.size()) - 1; i >= 0; --i) {
            g.prepend(ip[i]);
            if (++n % 3 == 0 && i > 0) g.prepend(' ');
        }
        ip = g;
    }
    QString out = ip;
    if (!fp.isEmpty()) out += ',' + fp;
    const bool negative = r < 0;
    return negative ? '-' + out : out;
}

std::optional<double> parseNumber(const QString& text) {
    QString t = text.trimmed();
    t.remove(' ');
    t.remove(QChar(0xA0));
    t.remove(QChar(0x202F)); // the narrow no-break space some locales group with
    t.replace(',', '.');
    if (t.isEmpty()) return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

} // namespace core
