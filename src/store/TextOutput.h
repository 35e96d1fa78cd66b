#pragma once

// Text files written line by line, each line ended by CR LF, in Windows-1252 (the code page the
// centre's readers and tools expect) or, when the home's settings say so, in UTF-8.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <memory>

enum class TextEncoding { Windows1252, Utf8 };

// The Windows-1252 byte of a character, or -1 when the code page lacks it (the C1 controls
// U+0080..U+009F among them): the one table of the code page, for the text files and the RTF print.
int windows1252Byte(char32_t c);
// Windows-1252 bytes of a text; characters the code page lacks become '?'.
QByteArray encodeWindows1252(QStringView text);
QString decodeWindows1252(const QByteArray& bytes);
QByteArray encodeText(QStringView text, TextEncoding encoding);
QString decodeText(const QByteArray& bytes, TextEncoding encoding);
// The bytes of an output line: as encodeText, with C0 control characters other than tab, CR and
// LF, DEL and the C1 controls written as '?' (Windows-1252) or U+FFFD (UTF-8), so that no reader
// or terminal takes them for commands.
QByteArray encodeOutputLine(QStringView text, TextEncoding encoding);

// A text from a file or an archive made fit to show in a message or on a terminal: control
// characters as \t, \n, \r or \xHH (a backslash itself stays as it is).
QString visibleControls(QStringView text);

// An output written whole or not at all. Truncate: the lines go into a temporary file beside the
// target (".<name>.new" once complete), which replaces the old file in one rename when closed. Append (a
// batch file that grows by one section per archive): the section goes into a temporary file and is added to
// the end of the target in one go when closed; a failure cuts the target back to its old length, and a note
// beside the target ("<name>.append", its length before) lets the next append cut off a section
// that a kill left half-added. Until close() succeeds the file under the final name is the old one.
class TextOutput {
public:
    enum class Mode { Truncate, Append };

    TextOutput() = default;
    // Without a successful close() what was written is dropped.
    ~TextOutput();
    TextOutput(const TextOutput&) = delete;
    TextOutput& operator=(const TextOutput&) = delete;

    // Prepares the temporary file, creating the target's folder when missing. Throws
    // std::runtime_error with a message in Italian when it cannot be made.
    void open(const QString& path, Mode mode, TextEncoding encoding);
    bool isOpen() const { return file_ != nullptr; }
    // Writes the text and CR LF. Control characters other than tab and line breaks are written as
    // a visible replacement ('?' in Windows-1252, U+FFFD in UTF-8). Throws std::runtime_error
    // when the disk refuses it.
    void writeLine(QStringView line = {});
    // The same for a line made of ASCII alone (as appendHtml makes them): its bytes go as they are.
    // A byte outside printable ASCII and tab is taken as Latin-1 and written as writeLine would.
    void writeAsciiLine(QByteArrayView line);
    // Puts the file in place (see above). Throws std::runtime_error when it cannot; the target is
    // then as it was before open().
    void close();
    // Drops what was written; the target stays as it was.
    void discard();
    // The target's path.
    QString path() const { return path_; }

    // Closes several outputs of one run (all in one folder) as one: all are written out whole
    // first; a failure then leaves every target as it was. Then a note beside the first target
    // (".<name>.together") says that the group is complete, the files are put in place and the note
    // goes. A kill in that last step leaves the note, and the next open() of any of them, or
    // finishInterruptedGroup() before reading one, completes the group: the files are never from
    // different runs.
    static void closeTogether(std::initializer_list<TextOutput*> outputs);

    // Tests only: called after each file of a group is put in place, where a kill must leave a
    // group that the next run completes.
    static inline void (*afterGroupStepForTests)() = nullptr;

private:
    void flush();
    void finish();
    void beginAppend();
    void append();
    void undoAppend();
    void endAppend();
    void stage();
    void putInPlace();
    void commitReplace();
    void release();

    QString path_;
    Mode mode_ = Mode::Truncate;
    std::unique_ptr<QFileDevice> file_; // QSaveFile (Truncate) or QTemporaryFile (Append)
    std::unique_ptr<QFile> target_;     // the batch file while a section is added
    qint64 before_ = -1;                // its length before, -1 when it did not exist
    TextEncoding encoding_ = TextEncoding::Windows1252;
    QByteArray buffer_;
    bool staged_ = false; // the whole new file waits beside the target for its rename
};

// Completes the closing of a group of outputs that a kill interrupted, when `path` belongs to one
// (see closeTogether); nothing otherwise. Called before reading an output that may be part of a
// group. False, with the reason, when a file cannot be put in place now (the group stays noted).
bool finishInterruptedGroup(const QString& path, QString* reason = nullptr);

// The note an interrupted append leaves beside its target.
QString appendNotePath(const QString& target);

// Reads a whole text file and splits it into lines (CR LF, LF or CR), once a group of outputs it
// belongs to is complete (finishInterruptedGroup). Missing file: empty result with ok=false.
QStringList readTextLines(const QString& path, TextEncoding encoding, bool* ok = nullptr);
// The lines of a text (CR LF, LF or CR); a last line without its break is a line too.
QStringList splitTextLines(const QString& text);

// Archive text made safe for an HTML page: & < > as entities, and " ' too when the text goes into
// an attribute value (quotes = true); every character outside ASCII as &#N;, so the page reads the
// same in any encoding; control characters and broken surrogates as &#65533; (U+FFFD).
void appendHtml(QString& out, QStringView text, bool quotes = true);
QString htmlEscape(QStringView text, bool quotes = true);

// A delivery number as part of an output's file name: characters that would leave dump/ or that
// file systems refuse become "_".
QString fileNamePart(const QString& text);
