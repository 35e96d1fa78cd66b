#include "update/FileSigle.h"

#include "store/FileLookup.h"
#include "store/TextOutput.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <stdexcept>

QStringList LeggiFileSigle(const QString& path) {
    bool ok = false;
    // Abbreviations are plain ASCII names; the code page of the centre's tools is assumed for the rest.
    QStringList lines = readTextLines(path, TextEncoding::Windows1252, &ok);
    if (!ok)
        throw std::runtime_error(QStringLiteral("Impossibile leggere il file %1").arg(path).toStdString());
    return lines;
}

void ScriviFileSigle(const QString& path, const QStringList& sigle) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error(
            QStringLiteral("Impossibile scrivere il file %1: %2").arg(path, file.errorString()).toStdString());
    QByteArray bytes;
    for (const QString& s : sigle) {
        bytes += encodeWindows1252(s);
        bytes += "\r\n";
    }
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error(
            QStringLiteral("Impossibile scrivere il file %1: %2").arg(path, file.errorString()).toStdString());
}

bool FileSigleEsistente(const QString& path) {
    const QFileInfo info(path);
    return !findIgnoringCase(info.absolutePath(), info.fileName(),
                             QDir::AllEntries | QDir::Hidden | QDir::System)
                .isEmpty();
}

QString SiglaAggiornamento(const QString& path) { return path.right(3); }

bool RigaVuota(const QString& riga) {
    return riga.trimmed().isEmpty();
}

bool SiglaValida(const QString& riga) {
    if (RigaVuota(riga))
        return false;
    const QString nome = riga.trimmed();
    if (nome == u"." || nome == u"..")
        return false;
    for (const QChar ch : riga) {
        const char16_t c = ch.unicode();
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == u'/' || c == u'\\' || c == u':')
            return false;
    }
    return true;
}

QString ControllaNuovaSigla(const QStringList& sigle, const QString& sigla) {
    if (RigaVuota(sigla))
        return QStringLiteral("Sigla vuota: non inserita.");
    if (!SiglaValida(sigla))
        return QStringLiteral("La sigla \"%1\" non è valida: una sigla è il nome di un archivio della "
                              "cartella mdb, senza percorso. Non inserita.")
            .arg(visibleControls(sigla));
    if (sigle.contains(sigla))
        return QStringLiteral("La sigla \"%1\" è già nella lista.").arg(sigla);
    return {};
}
