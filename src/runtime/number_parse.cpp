#include "runtime/number_parse.h"

#include "runtime/decimal_separator.h"

#include <charconv>
#include <string>

namespace {
bool IsBlankOrControl(QChar c) { return c.unicode() <= 32; }
bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool IsSign(QChar c) { return c == QLatin1Char('+') || c == QLatin1Char('-'); }

// Walks the text along the number grammar and writes the number in the
// C form ("-12.5e3") that std::from_chars reads. False when the text does
// not follow the grammar.
class NumberScanner {
public:
    NumberScanner(QStringView text, QStringView separator) : m_text(text), m_separator(separator)
    {
    }

    bool Scan(std::string& out)
    {
        SkipBlanks();
        if (At(QLatin1Char('-')))
            out += '-';
        if (AtSign())
            ++m_pos;
        if (!ScanMantissa(out))
            return false;
        if (At(QLatin1Char('E')) || At(QLatin1Char('e'))) {
            ++m_pos;
            out += 'e';
            if (At(QLatin1Char('-')))
                out += '-';
            if (AtSign())
                ++m_pos;
            if (ScanDigits(out) == 0)
                return false;
        }
        SkipBlanks();
        return m_pos == m_text.size();
    }

private:
    bool At(QChar c) const { return m_pos < m_text.size() && m_text[m_pos] == c; }
    bool AtSign() const { return m_pos < m_text.size() && IsSign(m_text[m_pos]); }
    bool AtSeparator() const
    {
        return !m_separator.isEmpty() && m_text.sliced(m_pos).startsWith(m_separator);
    }

    void SkipBlanks()
    {
        while (At(QLatin1Char(' ')))
            ++m_pos;
    }

    int ScanDigits(std::string& out)
    {
        int count = 0;
        while (m_pos < m_text.size() && IsDigit(m_text[m_pos])) {
            out += static_cast<char>(m_text[m_pos].unicode());
            ++m_pos;
            ++count;
        }
        return count;
    }

    // Digits with at most one separator, and at least one digit.
    bool ScanMantissa(std::string& out)
    {
        int digits = ScanDigits(out);
        if (AtSeparator()) {
            m_pos += m_separator.size();
            out += '.';
            digits += ScanDigits(out);
        }
        return digits > 0;
    }

    QStringView m_text;
    QStringView m_separator;
    qsizetype m_pos = 0;
};
} // namespace

QString TrimControls(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlankOrControl(text[begin]))
        ++begin;
    while (end > begin && IsBlankOrControl(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin).toString();
}

bool TextToNumber(QStringView text, double& value)
{
    const QString separator = DecimalSeparator();
    std::string number;
    if (!NumberScanner(text, separator).Scan(number))
        return false;
    double result = 0;
    const char* end = number.data() + number.size();
    const auto [ptr, ec] = std::from_chars(number.data(), end, result, std::chars_format::general);
    if (ec != std::errc() || ptr != end)
        return false;
    value = result;
    return true;
}
