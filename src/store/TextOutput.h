#pragma once

// Text files written line by line, each line ended by CR LF, in Windows-1252 (the code page the
// centre's readers and tools expect) or, when the home's settings say so, in UTF-8.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

enum class TextEncoding { Windows1252, Utf8 };

// Windows-1252 bytes of a text; characters the code page lacks become '?'.
QByteArray encodeWindows1252(QStringView text);
QString decodeWindows1252(const QByteArray& bytes);
QByteArray encodeText(QStringView text, TextEncoding encoding);
QString decodeText(const QByteArray& bytes, TextEncoding encoding);

class TextOutput {
public:
    enum class Mode { Truncate, Append };

    TextOutput() = default;
    ~TextOutput();
    TextOutput(const TextOutput&) = delete;
    TextOutput& operator=(const TextOutput&) = delete;

    // Opens the file, creating its folder when missing. Throws std::runtime_error with a message
    // in Italian when the file cannot be opened.
    void open(const QString& path, Mode mode, TextEncoding encoding);
    bool isOpen() const { return file_.isOpen(); }
    // Writes the text and CR LF. Throws std::runtime_error when the disk refuses it.
    void writeLine(QStringView line = {});
    void close();
    QString path() const { return file_.fileName(); }

private:
    void flush();

    QFile file_;
    TextEncoding encoding_ = TextEncoding::Windows1252;
    QByteArray buffer_;
};

// Reads a whole text file and splits it into lines (CR LF, LF or CR). Missing file: nullopt-like
// empty result with ok=false.
QStringList readTextLines(const QString& path, TextEncoding encoding, bool* ok = nullptr);

// Archive text made safe for an HTML page: & < > as entities, and " ' too when the text goes into
// an attribute value (quotes = true); every character outside ASCII as &#N;, so the page reads the
// same in any encoding; control characters and broken surrogates as &#65533; (U+FFFD).
void appendHtml(QString& out, QStringView text, bool quotes = true);
QString htmlEscape(QStringView text, bool quotes = true);

// A delivery number as part of an output's file name: characters that would leave dump/ or that
// file systems refuse become "_".
QString fileNamePart(const QString& text);
