#include "core/inifile.h"

#include "core/cp1250.h"

#include <QFile>
#include <QSaveFile>

namespace core {

namespace {
bool same(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

bool quoted(const QString& v) {
    return v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
}

// As Windows reads profile strings: blanks around the value and one pair of quotes around it go,
// so "IP = 10.0.0.5" is the address and not " 10.0.0.5".
QString readValue(const QString& raw) {
    const QString v = raw.trimmed();
    return quoted(v) ? v.mid(1, v.size() - 2) : v;
}

// A value that reading would change (blanks at an end, quotes around it) is written in quotes.
QString writtenValue(const QString& v) {
    if (v.isEmpty()) return v;
    return v.front().isSpace() || v.back().isSpace() || quoted(v) ? '"' + v + '"' : v;
}
} // namespace

IniFile::IniFile(QString path) : path_(std::move(path)) { load(); }

void IniFile::load() {
    sections_.clear();
    QFile f(path_);
    if (path_.isEmpty() || !f.open(QIODevice::ReadOnly)) return;
    loadFromText(decodeLegacyText(f.readAll()));
}

void IniFile::loadFromText(const QString& text) {
    sections_.clear();
    Section* current = nullptr;
    for (QString line : text.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        if (line.startsWith(QChar(0xFEFF))) line.remove(0, 1);
        const QString t = line.trimmed();
        if (t.isEmpty() || t.startsWith(';')) continue;
        if (t.startsWith('[') && t.endsWith(']')) {
            current = &obtain(t.mid(1, t.size() - 2).trimmed());
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (eq < 0 || !current) continue;
        const QString key = line.left(eq).trimmed();
        const QString value = readValue(line.mid(eq + 1));
        bool replaced = false;
        for (auto& e : current->entries)
            if (same(e.key, key)) {
                e.value = value;
                replaced = true;
            }
        if (!replaced) current->entries.push_back({key, value});
    }
}

QString IniFile::toText() const {
    QString out;
    for (const auto& s : sections_) {
        out += '[' + s.name + "]\n";
        for (const auto& e : s.entries) out += e.key + '=' + writtenValue(e.value) + '\n';
        out += '\n';
    }
    return out;
}

bool IniFile::save() const {
    if (path_.isEmpty()) return false;
    QSaveFile f(path_);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(toText().toUtf8());
    return f.commit();
}

const IniFile::Section* IniFile::find(const QString& section) const {
    for (const auto& s : sections_)
        if (same(s.name, section)) return &s;
    return nullptr;
}

IniFile::Section& IniFile::obtain(const QString& section) {
    for (auto& s : sections_)
        if (same(s.name, section)) return s;
    sections_.push_back({section, {}});
    return sections_.back();
}

bool IniFile::sectionExists(const QString& section) const { return find(section) != nullptr; }

bool IniFile::valueExists(const QString& section, const QString& key) const {
    if (const auto* s = find(section))
        for (const auto& e : s->entries)
            if (same(e.key, key)) return true;
    return false;
}

QStringList IniFile::keys(const QString& section) const {
    QStringList out;
    if (const auto* s = find(section))
        for (const auto& e : s->entries) out << e.key;
    return out;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const {
    if (const auto* s = find(section))
        for (const auto& e : s->entries)
            if (same(e.key, key)) return e.value;
    return def;
}

int IniFile::readInteger(const QString& section, const QString& key, int def) const {
    bool ok = false;
    const int v = readString(section, key).trimmed().toInt(&ok);
    return ok ? v : def;
}

bool IniFile::readBool(const QString& section, const QString& key, bool def) const {
    const QString v = readString(section, key).trimmed();
    if (same(v, "True")) return true;
    if (same(v, "False")) return false;
    // Older files keep flags as numbers: any number but 0 is true.
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok ? n != 0 : def;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    Section& s = obtain(section);
    for (auto& e : s.entries)
        if (same(e.key, key)) {
            e.value = value;
            return;
        }
    s.entries.push_back({key, value});
}

void IniFile::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? "True" : "False");
}

void IniFile::eraseSection(const QString& section) {
    std::erase_if(sections_, [&](const Section& s) { return same(s.name, section); });
}

void IniFile::deleteKey(const QString& section, const QString& key) {
    for (auto& s : sections_)
        if (same(s.name, section)) std::erase_if(s.entries, [&](const Entry& e) { return same(e.key, key); });
}

QString IniFile::readProperty(const QString& section, const QString& component, const QString& property,
                              const QString& def) const {
    return readString(section, component + '_' + property, def);
}

void IniFile::writeProperty(const QString& section, const QString& component, const QString& property,
                            const QString& value) {
    writeString(section, component + '_' + property, value);
}

QStringList IniFile::readStringList(const QString& section, const QString& key) const {
    const QString sec = section + '.' + key;
    QStringList out;
    const int n = readInteger(sec, "Count", 0);
    for (int i = 0; i < n; ++i) out << readString(sec, "Item" + QString::number(i));
    return out;
}

void IniFile::writeStringList(const QString& section, const QString& key, const QStringList& lines) {
    const QString sec = section + '.' + key;
    eraseSection(sec);
    writeInteger(sec, "Count", int(lines.size()));
    for (int i = 0; i < lines.size(); ++i) writeString(sec, "Item" + QString::number(i), lines[i]);
}

} // namespace core
