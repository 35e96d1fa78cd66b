#include "store/TextOutput.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr std::array<char16_t, 32> kHigh = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                            0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

} // namespace

int windows1252Byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<int>(c);
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == c && c != 0xFFFD)
            return static_cast<int>(0x80 + i);
    return -1;
}

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
        const int byte = windows1252Byte(c);
        out.append(byte < 0 ? '?' : static_cast<char>(byte));
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

namespace {

// Characters that a reader or a terminal would take for commands: C0 other than tab and line
// breaks, DEL, C1.
// What is written in one go.
constexpr qsizetype kBufferUscita = 64 * 1024;

constexpr bool outputControl(char16_t c) {
    return (c < 0x20 && c != u'\t' && c != u'\r' && c != u'\n') || (c >= 0x7F && c <= 0x9F);
}

[[noreturn]] void cannotWrite(const QString& path, const QString& reason) {
    throw std::runtime_error(
        QStringLiteral("Impossibile scrivere il file %1: %2").arg(path, reason).toStdString());
}

[[noreturn]] void writeError(const QString& path, const QString& reason) {
    throw std::runtime_error(
        QStringLiteral("Errore di scrittura nel file %1: %2").arg(path, reason).toStdString());
}

// Before a section is added, the target's length (-1: no file) goes into a note beside it. The
// line break ends a whole note: one cut by a kill was written before any append began, and is
// ignored. Only a kill is guarded against, so the note is not forced to the disk.
void writeAppendNote(const QString& target, qint64 before) {
    QFile note(appendNotePath(target));
    const QByteArray text = QByteArray::number(before) + '\n';
    if (!note.open(QIODevice::WriteOnly | QIODevice::Truncate) || note.write(text) != text.size() ||
        !note.flush())
        cannotWrite(note.fileName(), note.errorString());
}

// A note left by a kill during an append: the target is cut back to its length before it.
void repairInterruptedAppend(const QString& target) {
    const QString notePath = appendNotePath(target);
    QFile note(notePath);
    if (!note.open(QIODevice::ReadOnly))
        return;
    const QByteArray text = note.readAll();
    note.close();
    bool ok = false;
    const qint64 before = text.endsWith('\n') ? text.trimmed().toLongLong(&ok) : 0;
    if (ok) {
        const QFileInfo info(target);
        const bool repaired = before < 0 ? !info.exists() || QFile::remove(target)
                                         : info.size() <= before || QFile::resize(target, before);
        if (!repaired)
            cannotWrite(target, QStringLiteral("la sezione lasciata a metà da un'esecuzione interrotta non "
                                               "si può togliere"));
    }
    QFile::remove(notePath);
}

// Where a replacing output waits, whole, for its rename: hidden beside its target.
QString stagingPath(const QString& target) {
    const QFileInfo info(target);
    return info.dir().filePath(u'.' + info.fileName() + QStringLiteral(".new"));
}

// The note of a group being put in place, beside its first target.
QString groupNotePath(const QString& firstTarget) {
    const QFileInfo info(firstTarget);
    return info.dir().filePath(u'.' + info.fileName() + QStringLiteral(".together"));
}

const QByteArray kGroupHead = "quillaro group 1";
const QByteArray kGroupEnd = "end";

// Replaces the target in one step (rename over it, as QSaveFile does); false when it cannot.
bool renameOver(const QString& from, const QString& to, QString* reason) {
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()),
                            std::filesystem::path(to.toStdU16String()), error);
    if (error && reason)
        *reason = QString::fromLocal8Bit(error.message());
    return !error;
}

// The files of a group note: "R <staged name> <target name>" for a replacement, "A <target name>"
// for an append, names of the note's folder. Nothing for a note that is not whole.
struct GroupNote {
    QList<std::pair<QString, QString>> replaces;
    QStringList appends;
    bool whole = false;
    bool names(const QString& fileName) const {
        return appends.contains(fileName) || std::any_of(replaces.cbegin(), replaces.cend(),
                                                         [&](const auto& r) { return r.second == fileName; });
    }
};

GroupNote readGroupNote(const QString& path) {
    GroupNote note;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return note;
    const QList<QByteArray> lines = file.readAll().split('\n');
    if (lines.value(0) != kGroupHead)
        return note;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].split('\t');
        if (fields.size() == 3 && fields[0] == "R")
            note.replaces.append({QString::fromUtf8(fields[1]), QString::fromUtf8(fields[2])});
        else if (fields.size() == 2 && fields[0] == "A")
            note.appends << QString::fromUtf8(fields[1]);
        else if (lines[i] == kGroupEnd)
            note.whole = true;
    }
    return note;
}

// Puts in place what a complete group note lists: staged files renamed over their targets (one
// already renamed has no staged file left), appends kept by taking their notes away. Then the note
// goes; it stays when a file cannot be put in place.
bool completeGroup(const QString& notePath, const GroupNote& note, QString* reason) {
    const QDir dir = QFileInfo(notePath).dir();
    for (const auto& [staged, target] : note.replaces) {
        const QString from = dir.filePath(staged);
        QString why;
        if (QFileInfo::exists(from) && !renameOver(from, dir.filePath(target), &why) &&
            QFileInfo::exists(from)) {
            if (reason)
                *reason =
                    QStringLiteral("Impossibile scrivere il file %1: %2").arg(dir.filePath(target), why);
            return false;
        }
    }
    for (const QString& target : note.appends)
        QFile::remove(appendNotePath(dir.filePath(target)));
    QFile::remove(notePath);
    return true;
}

} // namespace

bool finishInterruptedGroup(const QString& path, QString* reason) {
    const QFileInfo info(path);
    const QDir dir = info.dir();
    const QStringList notes = dir.entryList({QStringLiteral(".*.together")}, QDir::Files | QDir::Hidden);
    for (const QString& name : notes) {
        const GroupNote note = readGroupNote(dir.filePath(name));
        // Notes are written whole or not at all: one that is not whole is not ours.
        if (note.whole && note.names(info.fileName()) && !completeGroup(dir.filePath(name), note, reason))
            return false;
    }
    return true;
}

QByteArray encodeOutputLine(QStringView text, TextEncoding encoding) {
    qsizetype i = 0;
    while (i < text.size() && !outputControl(text[i].unicode()))
        ++i;
    if (i == text.size())
        return encodeText(text, encoding);
    // U+FFFD, which Windows-1252 lacks and writes as '?'.
    QString visible = text.toString();
    for (; i < visible.size(); ++i)
        if (outputControl(visible[i].unicode()))
            visible[i] = QChar(QChar::ReplacementCharacter);
    return encodeText(visible, encoding);
}

QString visibleControls(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u'\t')
            out += QStringLiteral("\\t");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else if (c < 0x20 || (c >= 0x7F && c <= 0x9F))
            out += QStringLiteral("\\x") + QString::number(c, 16).toUpper().rightJustified(2, u'0');
        else
            out += ch;
    }
    return out;
}

QString appendNotePath(const QString& target) {
    return target + QStringLiteral(".append");
}

TextOutput::~TextOutput() {
    discard();
}

void TextOutput::open(const QString& path, Mode mode, TextEncoding encoding) {
    discard();
    path_.clear();
    QDir().mkpath(QFileInfo(path).absolutePath());
    // A group this file belongs to is put in place before anything else touches it; a staged file
    // no group claims was left by a run killed before it was whole.
    if (QString reason; !finishInterruptedGroup(path, &reason))
        throw std::runtime_error(reason.toStdString());
    QFile::remove(stagingPath(path));
    if (mode == Mode::Truncate) {
        auto save = std::make_unique<QSaveFile>(stagingPath(path));
        // The lines are gathered here in blocks: the device need not copy them again.
        if (!save->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            cannotWrite(path, save->errorString());
        file_ = std::move(save);
    } else {
        repairInterruptedAppend(path);
        auto section = std::make_unique<QTemporaryFile>(path + QStringLiteral(".XXXXXX"));
        if (!section->open())
            cannotWrite(path, section->errorString());
        file_ = std::move(section);
    }
    path_ = path;
    mode_ = mode;
    encoding_ = encoding;
}

void TextOutput::writeLine(QStringView line) {
    // Most lines are ASCII without controls, the same bytes in either encoding: they go straight
    // into the buffer, which keeps its memory from one flush to the next.
    const qsizetype inizio = buffer_.size();
    const qsizetype n = line.size();
    if (buffer_.capacity() < inizio + n + 2)
        buffer_.reserve(std::max<qsizetype>(2 * (inizio + n + 2), kBufferUscita));
    const char16_t* s = line.utf16();
    // Written without an early exit, so that the compiler can take the characters in blocks.
    unsigned altri = 0; // characters other than printable ASCII and tab
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned c = s[i];
        altri |= static_cast<unsigned>(c - 0x20u > 0x5Eu) & static_cast<unsigned>(c != 0x09u);
    }
    if (altri == 0) {
        buffer_.resize(inizio + n);
        char* d = buffer_.data() + inizio;
        for (qsizetype i = 0; i < n; ++i)
            d[i] = static_cast<char>(s[i]);
    } else {
        buffer_.append(encodeOutputLine(line, encoding_));
    }
    buffer_.append("\r\n", 2);
    if (buffer_.size() >= kBufferUscita)
        flush();
}

void TextOutput::writeAsciiLine(QByteArrayView line) {
    unsigned altri = 0;
    for (const char b : line) {
        const unsigned c = static_cast<unsigned char>(b);
        altri |= static_cast<unsigned>(c - 0x20u > 0x5Eu) & static_cast<unsigned>(c != 0x09u);
    }
    if (altri != 0) {
        writeLine(QString::fromLatin1(line));
        return;
    }
    const qsizetype inizio = buffer_.size();
    const qsizetype n = line.size();
    if (buffer_.capacity() < inizio + n + 2)
        buffer_.reserve(std::max<qsizetype>(2 * (inizio + n + 2), kBufferUscita));
    buffer_.resize(inizio + n + 2);
    char* d = buffer_.data() + inizio;
    std::memcpy(d, line.data(), static_cast<size_t>(n));
    d[n] = '\r';
    d[n + 1] = '\n';
    if (buffer_.size() >= kBufferUscita)
        flush();
}

void TextOutput::flush() {
    if (buffer_.isEmpty() || !file_)
        return;
    const qint64 size = buffer_.size();
    const qint64 written = file_->write(buffer_);
    buffer_.resize(0);
    if (written != size)
        writeError(path_, file_->errorString());
}

void TextOutput::finish() {
    flush();
    // The device keeps a buffer of its own: a full disk may only show when it is emptied.
    if (!file_->flush())
        writeError(path_, file_->errorString());
}

void TextOutput::stage() {
    auto* save = static_cast<QSaveFile*>(file_.get());
    const bool committed = save->commit();
    const QString reason = save->errorString();
    file_.reset();
    if (!committed)
        writeError(path_, reason);
    staged_ = true;
}

void TextOutput::putInPlace() {
    const QString staged = stagingPath(path_);
    QString reason;
    // Gone already: a reader completing this group put it in place.
    if (!renameOver(staged, path_, &reason) && QFileInfo::exists(staged))
        cannotWrite(path_, reason);
    staged_ = false;
    // A note of an append interrupted earlier no longer speaks of this file.
    QFile::remove(appendNotePath(path_));
}

void TextOutput::commitReplace() {
    stage();
    putInPlace();
}

void TextOutput::release() {
    target_.reset();
    file_.reset();
    buffer_.clear();
    staged_ = false;
}

void TextOutput::beginAppend() {
    const QFileInfo info(path_);
    before_ = info.exists() ? info.size() : -1;
    writeAppendNote(path_, before_);
    // Unbuffered: what write() accepted is in the file, and cutting back leaves nothing pending.
    target_ = std::make_unique<QFile>(path_);
    if (!target_->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        const QString reason = target_->errorString();
        target_.reset();
        QFile::remove(appendNotePath(path_));
        cannotWrite(path_, reason);
    }
}

void TextOutput::append() {
    if (!file_->seek(0))
        writeError(path_, file_->errorString());
    for (;;) {
        const QByteArray chunk = file_->read(1024 * 1024);
        if (chunk.isEmpty())
            break;
        if (target_->write(chunk) != chunk.size())
            writeError(path_, target_->errorString());
    }
    if (file_->error() != QFileDevice::NoError)
        writeError(path_, file_->errorString());
}

void TextOutput::endAppend() {
    target_->close();
    target_.reset();
    QFile::remove(appendNotePath(path_));
    file_.reset();
}

void TextOutput::undoAppend() {
    if (!target_)
        return;
    target_->close();
    target_.reset();
    const bool undone = before_ < 0 ? QFile::remove(path_) : QFile::resize(path_, before_);
    // When the file cannot be cut back now, the note stays and the next append does it.
    if (undone)
        QFile::remove(appendNotePath(path_));
}

void TextOutput::discard() {
    undoAppend();
    buffer_.clear();
    // An uncommitted QSaveFile and a QTemporaryFile remove their temporary file.
    file_.reset();
    if (staged_)
        QFile::remove(stagingPath(path_));
    staged_ = false;
}

void TextOutput::close() {
    closeTogether({this});
}

void TextOutput::closeTogether(std::initializer_list<TextOutput*> outputs) {
    std::vector<TextOutput*> replaces, appends;
    for (TextOutput* o : outputs)
        if (o->isOpen())
            (o->mode_ == Mode::Append ? appends : replaces).push_back(o);
    // Whole beside the targets first: a failure up to the note leaves every target as it was.
    try {
        for (TextOutput* o : outputs)
            if (o->isOpen())
                o->finish();
        for (TextOutput* o : replaces)
            o->stage();
        for (TextOutput* o : appends)
            o->beginAppend();
        for (TextOutput* o : appends)
            o->append();
    } catch (...) {
        for (TextOutput* o : outputs)
            o->discard();
        throw;
    }
    if (replaces.empty() && appends.empty())
        return;
    const QString first = replaces.empty() ? appends.front()->path_ : replaces.front()->path_;
    const QString dir = QFileInfo(first).absolutePath();
    bool oneFolder = true;
    for (const auto* list : {&replaces, &appends})
        for (const TextOutput* o : *list)
            oneFolder = oneFolder && QFileInfo(o->path_).absolutePath() == dir;
    Q_ASSERT(oneFolder);
    const bool group = replaces.size() + appends.size() > 1 && oneFolder;
    const QString notePath = groupNotePath(first);
    if (group) {
        QByteArray text = kGroupHead + '\n';
        for (const TextOutput* o : replaces)
            text += "R\t" + QFileInfo(stagingPath(o->path_)).fileName().toUtf8() + '\t' +
                    QFileInfo(o->path_).fileName().toUtf8() + '\n';
        for (const TextOutput* o : appends)
            text += "A\t" + QFileInfo(o->path_).fileName().toUtf8() + '\n';
        text += kGroupEnd + '\n';
        QSaveFile note(notePath);
        if (!note.open(QIODevice::WriteOnly) || note.write(text) != text.size() || !note.commit()) {
            const QString reason = note.errorString();
            for (TextOutput* o : outputs)
                o->discard();
            cannotWrite(notePath, reason);
        }
    }
    // From here the group is complete: a failure leaves the note, and the next run finishes it.
    try {
        for (TextOutput* o : replaces) {
            o->putInPlace();
            if (group && afterGroupStepForTests)
                afterGroupStepForTests();
        }
        for (TextOutput* o : appends) {
            o->endAppend();
            if (group && afterGroupStepForTests)
                afterGroupStepForTests();
        }
    } catch (...) {
        if (!group) {
            for (TextOutput* o : outputs)
                o->discard();
            throw;
        }
        for (TextOutput* o : outputs)
            o->release();
        throw;
    }
    if (group)
        QFile::remove(notePath);
}

QStringList readTextLines(const QString& path, TextEncoding encoding, bool* ok) {
    // A list of a group a kill left half in place is read once the group is whole; when it cannot
    // be completed now, the file is read as it is.
    finishInterruptedGroup(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (ok)
            *ok = false;
        return {};
    }
    if (ok)
        *ok = true;
    return splitTextLines(decodeText(file.readAll(), encoding));
}

QStringList splitTextLines(const QString& text) {
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

namespace {

// Printable ASCII that HTML takes as it is.
bool htmlPiano(char16_t c) {
    return c >= 0x20 && c < 0x7F && c != u'&' && c != u'<' && c != u'>' && c != u'"' && c != u'\'';
}

} // namespace

void appendHtml(QString& out, QStringView text, bool quotes) {
    out.reserve(out.size() + text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        // Plain characters go in runs.
        qsizetype fine = i;
        while (fine < text.size() && htmlPiano(text[fine].unicode()))
            ++fine;
        if (fine > i) {
            out += text.mid(i, fine - i);
            i = fine - 1;
            continue;
        }
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
