#include "update/FileSigle.h"

#include "store/FileLookup.h"
#include "store/TextOutput.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <stdexcept>

QStringList LeggiFileSigle(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("Impossibile leggere il file %1").arg(path).toStdString());
    QByteArray bytes = file.readAll();
    // Abbreviations are plain ASCII names; the code page of the centre's tools is assumed for the
    // rest, unless an editor marked the file as UTF-8: its mark is not part of the first name.
    static const QByteArray bom("\xEF\xBB\xBF");
    if (bytes.startsWith(bom))
        return splitTextLines(QString::fromUtf8(bytes.mid(bom.size())));
    return splitTextLines(decodeWindows1252(bytes));
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

QString SiglaAggiornamento(const QString& path) {
    // Of the file's own name: the folder's separator would put the outputs in another folder.
    return fileNamePart(QFileInfo(path).fileName().right(3));
}

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
    // The batches find archives without regard to case: "H" beside "h" would run one archive twice.
    for (const QString& presente : sigle)
        if (presente.compare(sigla, Qt::CaseInsensitive) == 0)
            return presente == sigla
                       ? QStringLiteral("La sigla \"%1\" è già nella lista.").arg(sigla)
                       : QStringLiteral("La sigla \"%1\" è già nella lista come \"%2\": gli archivi non "
                                        "distinguono maiuscole e minuscole. Non inserita.")
                             .arg(sigla, presente);
    return {};
}
