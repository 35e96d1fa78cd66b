#pragma once

// Archive texts made safe for the files the printouts write: RTF that every reader opens with each
// character intact, HTML that renders what the archive holds, and file names that stay in dump/.

#include "store/TextOutput.h" // appendHtml, htmlEscape, fileNamePart

#include <QByteArray>
#include <QString>

// Appends a text as RTF: backslash doubled, braces escaped, tab and line breaks as \tab and
// \line, Windows-1252 characters as \'xx and anything else as {\uc1\uN?}. The result is ASCII.
void appendRtf(QString& out, QStringView text);
QString rtfEscape(QStringView text);

// An RTF file of the installation made ASCII without changing what a reader sees: bytes above
// 127 become \'xx (the template declares code page 1252); a UTF-8 byte-order mark is dropped.
// Line breaks are kept: the caller decides how lines are joined.
QString rtfAsciiBytes(const QByteArray& bytes);
