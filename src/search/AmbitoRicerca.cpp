#include "search/AmbitoRicerca.h"

#include "search/IndiceRicerca.h"
#include "update/Aggiornamento.h"
#include "update/FileSigle.h"

#include <QDir>
#include <QFileInfo>

QStringList ArchiviDellaCartella(const HomeFolder& home) {
    const QDir dir(home.mdbDir());
    const QStringList esclusi = {QFileInfo(home.templatePath()).fileName(),
                                 QFileInfo(home.cataloguePath()).fileName(),
                                 QFileInfo(IndiceRicerca::percorsoIndice(home)).fileName()};
    QStringList out;
    for (const QString& nome : dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase)) {
        if (!nome.endsWith(QStringLiteral(".db"), Qt::CaseInsensitive))
            continue;
        bool escluso = false;
        for (const QString& e : esclusi)
            escluso = escluso || nome.compare(e, Qt::CaseInsensitive) == 0;
        const QString path = dir.filePath(nome);
        if (!escluso && LeggiFirmaFile(path).archivio)
            out << path;
    }
    return out;
}

ArchiviAmbito ArchiviDellAmbito(const HomeFolder& home, const AmbitoRicerca& ambito) {
    ArchiviAmbito a;
    switch (ambito.tipo) {
    case TipoAmbito::Archivio:
        a.percorsi << QFileInfo(ambito.archivio).absoluteFilePath();
        break;
    case TipoAmbito::Tutti:
        a.percorsi = ArchiviDellaCartella(home);
        a.cartella = home.mdbDir();
        break;
    case TipoAmbito::Sigle:
        for (const QString& sigla : LeggiFileSigle(ambito.fileSigle)) {
            if (RigaVuota(sigla))
                continue;
            // A path or ".." would search archives outside mdb/, as the batches refuse it.
            if (!SiglaValida(sigla)) {
                a.sigleRifiutate << sigla;
                continue;
            }
            const QString path = ArchivioDellaSigla(home, sigla);
            if (!QFileInfo(path).isFile())
                a.sigleSenzaArchivio << sigla;
            else if (!a.percorsi.contains(path))
                a.percorsi << path;
        }
        break;
    }
    return a;
}
