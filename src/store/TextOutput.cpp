#include "store/TextOutput.h"

#include <QDir>
#include <QFileInfo>
#include <array>
#include <stdexcept>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr std::array<char16_t, 32> kHigh = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                            0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

char encodeChar(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == c && c != 0xFFFD)
            return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

QByteArray encodeWindows1252(QStringView text) {
    // Most lines are ASCII, the same bytes in every code page: convert them in one go.
    qsizetype ascii = 0;
    while (ascii < text.size() && text[ascii].unicode() < 0x80)
        ++ascii;
    if (ascii == text.size())
        return text.toLatin1();
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        out.append(encodeChar(c));
    }
    return out;
}

QString decodeWindows1252(const QByteArray& bytes) {
    // One character per byte, written in place: lists of several megabytes are read at once.
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t* d = reinterpret_cast<char16_t*>(out.data());
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *d++ = u >= 0x80 && u < 0xA0 ? char16_t(kHigh[u - 0x80]) : char16_t(u);
    }
    return out;
}

QByteArray encodeText(QStringView text, TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? text.toUtf8() : encodeWindows1252(text);
}

QString decodeText(const QByteArray& bytes, TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? QString::fromUtf8(bytes) : decodeWindows1252(bytes);
}

TextOutput::~TextOutput() {
    try {
        close();
    } catch (...) {
        // A destructor cannot report; close() is called explicitly where the outcome matters.
    }
}

void TextOutput::open(const QString& path, Mode mode, TextEncoding encoding) {
    close();
    const QFileInfo info(path);
    QDir().mkpath(info.absolutePath());
    file_.setFileName(path);
    QIODevice::OpenMode flags = QIODevice::WriteOnly;
    flags |= mode == Mode::Append ? QIODevice::Append : QIODevice::Truncate;
    if (!file_.open(flags))
        throw std::runtime_error(QStringLiteral("Impossibile scrivere il file %1: %2")
                                     .arg(path, file_.errorString())
                                     .toStdString());
    encoding_ = encoding;
    buffer_.clear();
}

void TextOutput::writeLine(QStringView line) {
    buffer_.append(encodeText(line, encoding_));
    buffer_.append("\r\n", 2);
    if (buffer_.size() >= 64 * 1024)
        flush();
}

void TextOutput::flush() {
    if (buffer_.isEmpty() || !file_.isOpen())
        return;
    if (file_.write(buffer_) != buffer_.size()) {
        const QString message =
            QStringLiteral("Errore di scrittura nel file %1: %2").arg(file_.fileName(), file_.errorString());
        buffer_.clear();
        throw std::runtime_error(message.toStdString());
    }
    buffer_.clear();
}

void TextOutput::close() {
    if (!file_.isOpen())
        return;
    flush();
    // QFile keeps a buffer of its own: a full disk may only show when it is emptied, and close()
    // would drop that failure, leaving a cut file reported as written.
    QString reason;
    if (!file_.flush())
        reason = file_.errorString();
    file_.close();
    if (reason.isEmpty() && file_.error() != QFileDevice::NoError)
        reason = file_.errorString();
    if (!reason.isEmpty())
        throw std::runtime_error(QStringLiteral("Errore di scrittura nel file %1: %2")
                                     .arg(file_.fileName(), reason)
                                     .toStdString());
}

QStringList readTextLines(const QString& path, TextEncoding encoding, bool* ok) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (ok)
            *ok = false;
        return {};
    }
    if (ok)
        *ok = true;
    const QString text = decodeText(file.readAll(), encoding);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            lines.append(text.mid(start, i - start));
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

void appendHtml(QString& out, QStringView text, bool quotes) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        switch (ch.unicode()) {
        case u'&':
            out += QStringLiteral("&amp;");
            continue;
        case u'<':
            out += QStringLiteral("&lt;");
            continue;
        case u'>':
            out += QStringLiteral("&gt;");
            continue;
        case u'"':
            out += quotes ? QStringLiteral("&quot;") : QStringLiteral("\"");
            continue;
        case u'\'':
            out += quotes ? QStringLiteral("&#39;") : QStringLiteral("'");
            continue;
        default:
            break;
        }
        // Control characters (other than tab and line breaks) and halves of a broken surrogate pair
        // have no place in a page: parsers stop on them or drop them. They show as U+FFFD, so the
        // reader sees that something was there.
        const bool control =
            (ch.unicode() < 0x20 && ch != u'\t' && ch != u'\n' && ch != u'\r') || ch.unicode() == 0x7F;
        if (ch.unicode() < 0x80 && !control) {
            out += ch;
            continue;
        }
        char32_t code = control ? 0xFFFD : ch.unicode();
        if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            code = QChar::surrogateToUcs4(ch, text[++i]);
        else if (ch.isSurrogate())
            code = 0xFFFD;
        out += QStringLiteral("&#");
        out += QString::number(static_cast<quint32>(code));
        out += u';';
    }
}

QString htmlEscape(QStringView text, bool quotes) {
    QString out;
    out.reserve(text.size() + 8);
    appendHtml(out, text, quotes);
    return out;
}

QString fileNamePart(const QString& text) {
    QString out = text;
    for (QChar& ch : out) {
        if (ch.unicode() < 0x20 || QStringView(u"/\\:*?\"<>|").contains(ch))
            ch = u'_';
    }
    return out;
}
