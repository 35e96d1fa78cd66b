#include "printouts/TestoSicuro.h"
#include "store/TextOutput.h"

namespace {

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
            } else if (const int byte = windows1252Byte(c); byte >= 0) {
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
