#include "shell/ini_file.h"

#include "shell/atomic_file.h"
#include "shell/errors.h"

#include <QFile>
#include <QList>
#include <charconv>

namespace {
constexpr int kMaxStringLength = 2047;

// One line of the file with the end it had ("\r\n", "\n" or none).
struct Line {
    QByteArray text;
    QByteArray end;
};

QList<Line> SplitLines(const QByteArray& bytes)
{
    QList<Line> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype nl = bytes.indexOf('\n', start);
        if (nl < 0) {
            lines.append({bytes.mid(start), QByteArray()});
            break;
        }
        qsizetype textEnd = (nl > start && bytes[nl - 1] == '\r') ? nl - 1 : nl;
        lines.append({bytes.mid(start, textEnd - start), bytes.mid(textEnd, nl + 1 - textEnd)});
        start = nl + 1;
    }
    return lines;
}

// The section name of a heading line, or nothing.
std::optional<QString> SectionOf(const QByteArray& text)
{
    QByteArray t = text.trimmed();
    if (t.size() >= 2 && t.startsWith('[')) {
        qsizetype close = t.indexOf(']');
        if (close > 0)
            return QString::fromUtf8(t.mid(1, close - 1)).trimmed();
    }
    return std::nullopt;
}

// The key and value of a "key=value" line, or nothing.
std::optional<std::pair<QString, QString>> EntryOf(const QByteArray& text)
{
    qsizetype eq = text.indexOf('=');
    if (eq < 0)
        return std::nullopt;
    QString key = QString::fromUtf8(text.left(eq)).trimmed();
    if (key.isEmpty() || key.startsWith(QLatin1Char(';')))
        return std::nullopt;
    return std::make_pair(key, QString::fromUtf8(text.mid(eq + 1)).trimmed());
}

bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }
} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

bool IniFile::exists() const { return QFile::exists(m_path); }

std::optional<QByteArray> IniFile::Load() const
{
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        return f.exists() ? std::nullopt : std::optional<QByteArray>(QByteArray());
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

std::optional<QString> IniFile::Find(const QString& section, const QString& key) const
{
    bool inSection = false;
    for (const Line& line : SplitLines(Load().value_or(QByteArray()))) {
        if (auto name = SectionOf(line.text)) {
            inSection = SameName(*name, section);
            continue;
        }
        if (!inSection)
            continue;
        if (auto entry = EntryOf(line.text); entry && SameName(entry->first, key))
            return entry->second;
    }
    return std::nullopt;
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& def) const
{
    auto value = Find(section, key);
    return value ? value->left(kMaxStringLength) : def;
}

std::optional<int> IniFile::ParseInteger(const QString& text)
{
    QByteArray t = text.toLatin1();
    const char* p = t.constData();
    const char* end = p + t.size();
    int base = 10;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-'))
        negative = (*p++ == '-');
    if (end - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        base = 16;
        p += 2;
    } else if (end - p > 1 && *p == '$') {
        base = 16;
        p += 1;
    }
    if (p == end || *p == '+' || *p == '-')
        return std::nullopt;
    long long value = 0;
    auto [ptr, ec] = std::from_chars(p, end, value, base);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    if (negative)
        value = -value;
    // Hexadecimal values take the 32-bit pattern ("0xFFFFFFFF" is -1).
    if (base == 16 && value >= 0 && value <= 0xFFFFFFFFLL)
        return static_cast<int>(static_cast<uint32_t>(value));
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}

int IniFile::ReadInteger(const QString& section, const QString& key, int def) const
{
    auto value = Find(section, key);
    if (!value)
        return def;
    return ParseInteger(*value).value_or(def);
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    const QString failure = QStringLiteral("Unable to write to %1").arg(m_path);
    // Rewriting a file that cannot be read would lose every other key in it.
    const std::optional<QByteArray> old = Load();
    if (!old)
        throw VeltraError(failure);
    QList<Line> lines = SplitLines(*old);
    QByteArray eol = "\n";
    for (const Line& l : lines)
        if (!l.end.isEmpty()) {
            eol = l.end;
            break;
        }

    qsizetype sectionLine = -1; // heading of the (first) matching section
    qsizetype lastEntry = -1;   // last key line of that section
    qsizetype keyLine = -1;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (auto name = SectionOf(lines[i].text)) {
            inSection = SameName(*name, section) && (sectionLine < 0);
            if (inSection)
                sectionLine = lastEntry = i;
            continue;
        }
        if (inSection && !lines[i].text.trimmed().isEmpty()) {
            lastEntry = i;
            if (auto entry = EntryOf(lines[i].text); entry && SameName(entry->first, key)) {
                keyLine = i;
                break;
            }
        }
    }

    if (keyLine >= 0) {
        // Keep the key exactly as written in the file; only the value changes.
        QByteArray& text = lines[keyLine].text;
        text = text.left(text.indexOf('=') + 1) + value.toUtf8();
    } else {
        Line entry{key.toUtf8() + '=' + value.toUtf8(), eol};
        if (sectionLine >= 0) {
            if (lines[lastEntry].end.isEmpty())
                lines[lastEntry].end = eol;
            lines.insert(lastEntry + 1, entry);
        } else {
            if (!lines.isEmpty() && lines.last().end.isEmpty())
                lines.last().end = eol;
            lines.append({'[' + section.toUtf8() + ']', eol});
            lines.append(entry);
        }
    }

    QByteArray out;
    for (const Line& l : lines)
        out += l.text + l.end;
    try {
        ReplaceFileContents(m_path, out);
    } catch (const FileError&) {
        throw VeltraError(failure);
    }
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
