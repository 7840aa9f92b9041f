#pragma once

#include <QByteArray>
#include <QString>

namespace core {

// The database connection speaks cp1250; everything inside the program is UTF-8 QString.
// Characters cp1250 cannot hold become "?".
QByteArray toCp1250(const QString& text);
QString fromCp1250(const QByteArray& bytes);

// Files an older installation wrote may be cp1250: UTF-8 when the bytes are valid UTF-8.
QString decodeLegacyText(const QByteArray& bytes);

// Letters of cp1250 with a diacritic replaced by their base letter (Č → C, ř → r, Ł → L);
// ß and everything else stay.
QString stripCp1250Diacritics(const QString& text);

} // namespace core
