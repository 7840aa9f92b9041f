#include "core/cp1250.h"

#include <QStringDecoder>
#include <array>
#include <cerrno>
#include <iconv.h>

namespace core {

namespace {

QByteArray convert(const char* to, const char* from, const QByteArray& in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1)) return in;
    QByteArray out;
    out.resize(in.size() * 4 + 16);
    char* src = const_cast<char*>(in.constData());
    size_t srcLeft = size_t(in.size());
    char* dst = out.data();
    size_t dstLeft = size_t(out.size());
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == size_t(-1)) {
            if (errno == EILSEQ || errno == EINVAL) {
                // Not representable: one "?" for the offending character.
                *dst++ = '?';
                --dstLeft;
                // Skip one UTF-8 sequence (or one byte for single-byte input).
                unsigned char c = static_cast<unsigned char>(*src);
                size_t skip = 1;
                if (std::string_view(from) == "UTF-8") {
                    if (c >= 0xF0) skip = 4;
                    else if (c >= 0xE0) skip = 3;
                    else if (c >= 0xC0) skip = 2;
                }
                skip = std::min(skip, srcLeft);
                src += skip;
                srcLeft -= skip;
            } else {
                break;
            }
        }
    }
    iconv_close(cd);
    out.resize(out.size() - qsizetype(dstLeft));
    return out;
}

} // namespace

QByteArray toCp1250(const QString& text) { return convert("CP1250", "UTF-8", text.toUtf8()); }

QString fromCp1250(const QByteArray& bytes) {
    // cp1250 is one byte a character: a table of the 256 values, made once through iconv, turns a
    // cell into text without opening a converter for every cell of a large result.
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b) {
            const QString c = QString::fromUtf8(convert("UTF-8", "CP1250", QByteArray(1, char(b))));
            t[size_t(b)] = c.size() == 1 ? char16_t(c[0].unicode()) : u'?';
        }
        return t;
    }();
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) d[i] = QChar(table[static_cast<unsigned char>(bytes[i])]);
    return out;
}

QString decodeLegacyText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = utf8.decode(bytes);
    if (!utf8.hasError()) return s;
    return fromCp1250(bytes);
}

QString stripCp1250Diacritics(const QString& text) {
    // The accented letters of cp1250 and their base letters.
    static const QString from = QString::fromUtf8(
        "ŠŚŤŽŹšśťžźŁĄŞŻłąşżĽľŔÁÂĂÄĹĆÇČÉĘËĚÍÎĎĐŃŇÓÔŐÖŘŮÚŰÜÝŢŕáâăäĺćçčéęëěíîďđńňóôőöřůúűüýţ");
    static const QString to = QString::fromUtf8(
        "SSTZZsstzzLASZlaszLlRAAAALCCCEEEEIIDDNNOOOORUUUUYTraaaalccceeeeiiddnnooooruuuuyt");
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const qsizetype k = from.indexOf(out[i]);
        if (k >= 0) out[i] = to[k];
    }
    return out;
}

} // namespace core
