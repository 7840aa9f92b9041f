#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace core {

// An INI file whose sections and keys compare without regard to case, kept in file order.
// Reads UTF-8, or cp1250 when the bytes are not valid UTF-8; writes UTF-8. Values read lose the
// blanks around them and one pair of quotes, as Windows reads them; a value that would lose
// something is written in quotes, so it reads back the same.
class IniFile {
public:
    IniFile() = default;
    explicit IniFile(QString path);

    const QString& path() const { return path_; }
    void load();                // missing file: empty
    bool save() const;          // writes the whole file; false when it cannot be written
    void loadFromText(const QString& text);
    QString toText() const;

    bool sectionExists(const QString& section) const;
    bool valueExists(const QString& section, const QString& key) const;
    QStringList keys(const QString& section) const;

    QString readString(const QString& section, const QString& key, const QString& def = {}) const;
    int readInteger(const QString& section, const QString& key, int def) const;
    bool readBool(const QString& section, const QString& key, bool def) const;
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value); // "True" / "False"
    void eraseSection(const QString& section);
    void deleteKey(const QString& section, const QString& key);

    // A remembered control value: key "{component}_{property}" in the window's section.
    QString readProperty(const QString& section, const QString& component, const QString& property,
                         const QString& def = {}) const;
    void writeProperty(const QString& section, const QString& component, const QString& property,
                       const QString& value);

    // A string list (the lines of a memo): its own section "{section}.{key}" with "Count" and
    // "Item0", "Item1", ...
    QStringList readStringList(const QString& section, const QString& key) const;
    void writeStringList(const QString& section, const QString& key, const QStringList& lines);

private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        std::vector<Entry> entries;
    };
    const Section* find(const QString& section) const;
    Section& obtain(const QString& section);

    QString path_;
    std::vector<Section> sections_;
};

} // namespace core
