#pragma once

// The sections of quillaro.ini that the program keeps by itself (the recent archives, the last
// checks). Such a section is rewritten whole and alone: the settings and comments an administrator
// wrote in the other sections stay exactly as they are, which QSettings would not keep.

#include <QByteArray>
#include <QList>
#include <QString>

struct VoceIni {
    QString chiave;
    QString valore;
    bool operator==(const VoceIni&) const = default;
};

// How the file was read: it may be missing; it is refused when it is not a plain file (a FIFO would
// hang the reader, a device like /dev/zero never end), when it is larger than 1 MiB or when it
// cannot be read (permissions).
enum class LetturaIni { Assente, Letta, Rifiutata };
// The bytes of quillaro.ini; the reason of a refusal in Italian in `errore`.
LetturaIni LeggiFileIni(const QString& path, QByteArray& bytes, QString* errore = nullptr);

// The key=value lines of [sezione] in file order, comments and blank lines skipped; the section's
// name is compared without regard to case. Empty when the file or the section is missing, or the
// file is refused.
QList<VoceIni> LeggiSezioneIni(const QString& path, const QString& sezione);

// Replaces [sezione] with the comment lines and the entries, or appends it when missing; every
// other line is kept byte for byte (whatever its encoding), line ends included. The file is written
// whole or not at all. False, with the reason in `errore`, when it cannot be read or written.
bool ScriviSezioneIni(const QString& path, const QString& sezione, const QStringList& commento,
                      const QList<VoceIni>& voci, QString* errore = nullptr);

// A text made safe as a key or a value of these sections, and back: "%", "|", "=", ";", "#",
// brackets, control characters and blanks at either end become %XX; the rest is kept readable.
QString CodificaIni(const QString& testo);
QString DecodificaIni(const QString& testo);
