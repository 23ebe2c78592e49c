#pragma once
// The program's ini file: sections and keys matched without regard to case,
// every write reaching the file at once, lines it does not change kept byte
// for byte (line ends included), new names taking the writer's case.
#include <QByteArray>
#include <QString>
#include <optional>

class IniFile {
public:
    explicit IniFile(QString path);

    const QString& path() const { return m_path; }
    bool exists() const;

    // A missing file, section or key reads as the default.
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // Decimal with an optional sign, or hexadecimal after "0x"/"0X" (or "$");
    // anything else reads as the default.
    int ReadInteger(const QString& section, const QString& key, int def) const;
    // An integer; any value other than 0 is true.
    bool ReadBool(const QString& section, const QString& key, bool def) const;

    // Raise VeltraError "Unable to write to <path>" when the file cannot be
    // written, or cannot be read back to keep its other lines.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);

    // The integer grammar of ReadInteger, exposed for its tests.
    static std::optional<int> ParseInteger(const QString& text);

private:
    std::optional<QString> Find(const QString& section, const QString& key) const;
    // The file's bytes, empty when it does not exist; nothing when it exists
    // but cannot be read.
    std::optional<QByteArray> Load() const;

    QString m_path;
};
