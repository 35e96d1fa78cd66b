#include "update/FileSigle.h"

#include "store/TextOutput.h"

#include <QFile>
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

QString SiglaAggiornamento(const QString& path) { return path.right(3); }

QString ControllaNuovaSigla(const QStringList& sigle, const QString& sigla) {
    if (sigla.trimmed().isEmpty())
        return QStringLiteral("Sigla vuota: non inserita.");
    if (sigle.contains(sigla))
        return QStringLiteral("La sigla \"%1\" è già nella lista.").arg(sigla);
    return {};
}
