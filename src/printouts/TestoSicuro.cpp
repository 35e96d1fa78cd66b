#include "printouts/TestoSicuro.h"

#include <array>

namespace {

// Windows-1252 bytes 0x80..0x9F; 0 where the code page has no character.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The Windows-1252 byte of a character above ASCII, or -1.
int cp1252Byte(char16_t c) {
    if (c >= 0xA0 && c <= 0xFF)
        return c;
    for (size_t i = 0; i < kCp1252High.size(); ++i)
        if (kCp1252High[i] == c && c != 0)
            return static_cast<int>(0x80 + i);
    return -1;
}

void appendHexEscape(QString& out, int byte) {
    static const char digits[] = "0123456789abcdef";
    out += u'\\';
    out += u'\'';
    out += QLatin1Char(digits[(byte >> 4) & 0xF]);
    out += QLatin1Char(digits[byte & 0xF]);
}

// RTF counts \u values as signed 16-bit numbers.
void appendUnicodeEscape(QString& out, char16_t unit) {
    out += QStringLiteral("\\u");
    out += QString::number(static_cast<int>(static_cast<qint16>(unit)));
    out += u'?';
}

} // namespace

namespace {

// Characters written as they are: printable ASCII other than the three RTF specials.
constexpr bool rtfLiteral(char16_t c) {
    return c >= 0x20 && c < 0x7F && c != u'\\' && c != u'{' && c != u'}';
}

} // namespace

void appendRtf(QString& out, QStringView text) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        // Long texts are mostly plain: copy each run in one go.
        const qsizetype start = i;
        while (i < n && rtfLiteral(text[i].unicode()))
            ++i;
        if (i > start)
            out.append(text.sliced(start, i - start));
        if (i >= n)
            break;
        const char16_t c = text[i].unicode();
        switch (c) {
        case u'\\':
            out += QStringLiteral("\\\\");
            break;
        case u'{':
            out += QStringLiteral("\\{");
            break;
        case u'}':
            out += QStringLiteral("\\}");
            break;
        case u'\t':
            out += QStringLiteral("\\tab ");
            break;
        case u'\r':
            if (i + 1 < n && text[i + 1] == u'\n')
                ++i;
            out += QStringLiteral("\\line ");
            break;
        case u'\n':
            out += QStringLiteral("\\line ");
            break;
        default:
            if (c < 0x80) {
                appendHexEscape(out, c); // the other control characters
            } else if (const int byte = cp1252Byte(c); byte >= 0) {
                appendHexEscape(out, byte);
            } else {
                // The group keeps \uc1 from leaking and holds both halves of a surrogate pair.
                out += QStringLiteral("{\\uc1");
                appendUnicodeEscape(out, c);
                if (QChar::isHighSurrogate(c) && i + 1 < n && text[i + 1].isLowSurrogate())
                    appendUnicodeEscape(out, text[++i].unicode());
                out += u'}';
            }
            break;
        }
        ++i;
    }
}

QString rtfEscape(QStringView text) {
    QString out;
    out.reserve(text.size() + text.size() / 8 + 8);
    appendRtf(out, text);
    return out;
}

QString rtfAsciiBytes(const QByteArray& bytes) {
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QString out;
    out.reserve(view.size());
    for (const char b : view) {
        const auto u = static_cast<unsigned char>(b);
        if (u < 0x80)
            out += QLatin1Char(b);
        else
            appendHexEscape(out, u);
    }
    return out;
}
