#include "store/ArchiviRecenti.h"

#include "store/SezioniIni.h"

#include <QFileInfo>
#include <algorithm>

namespace {

const QString kSezione = QStringLiteral("recenti");

QString canonico(const QString& path) {
    const QFileInfo file(path);
    const QString c = file.canonicalFilePath();
    return c.isEmpty() ? file.absoluteFilePath() : c;
}

QList<VoceIni> voci(const QList<ArchivioRecente>& elenco) {
    QList<VoceIni> out;
    int n = 0;
    for (const ArchivioRecente& a : elenco)
        out.append({QString::number(++n), a.aperto.toString(Qt::ISODate) + u'|' + CodificaIni(a.consegna) +
                                              u'|' + CodificaIni(a.percorso)});
    return out;
}

bool scrivi(const HomeFolder& home, const QList<ArchivioRecente>& elenco, QString* errore) {
    return ScriviSezioneIni(home.settingsPath(), kSezione,
                            {QStringLiteral("kept by the program: the archives opened last, most recent "
                                            "first (when|delivery|file)")},
                            voci(elenco), errore);
}

} // namespace

bool ArchivioRecente::esiste() const {
    return QFileInfo(percorso).isFile();
}

bool StessoArchivio(const QString& a, const QString& b) {
#ifdef Q_OS_WIN
    return canonico(a).compare(canonico(b), Qt::CaseInsensitive) == 0;
#else
    return canonico(a) == canonico(b);
#endif
}

QList<ArchivioRecente> LeggiArchiviRecenti(const HomeFolder& home) {
    QList<std::pair<int, ArchivioRecente>> numerati;
    for (const VoceIni& v : LeggiSezioneIni(home.settingsPath(), kSezione)) {
        bool ok = false;
        const int n = v.chiave.toInt(&ok);
        const QStringList campi = v.valore.split(u'|');
        if (!ok || campi.size() != 3)
            continue;
        ArchivioRecente a{DecodificaIni(campi[2]), DecodificaIni(campi[1]),
                          QDateTime::fromString(campi[0], Qt::ISODate)};
        if (a.percorso.isEmpty())
            continue;
        numerati.append({n, a});
    }
    std::stable_sort(numerati.begin(), numerati.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
    // A list edited by hand may name a file twice or hold more than ten: read as kept.
    QList<ArchivioRecente> elenco;
    for (const auto& [n, a] : numerati) {
        const bool doppio = std::any_of(elenco.cbegin(), elenco.cend(), [&a](const ArchivioRecente& b) {
            return StessoArchivio(a.percorso, b.percorso);
        });
        if (!doppio && elenco.size() < kArchiviRecenti)
            elenco.append(a);
    }
    return elenco;
}

QList<ArchivioRecente> ConArchivioRecente(QList<ArchivioRecente> elenco, const ArchivioRecente& archivio) {
    elenco.removeIf(
        [&archivio](const ArchivioRecente& a) { return StessoArchivio(a.percorso, archivio.percorso); });
    elenco.prepend(archivio);
    while (elenco.size() > kArchiviRecenti)
        elenco.removeLast();
    return elenco;
}

bool RegistraArchivioRecente(const HomeFolder& home, const ArchivioRecente& archivio, QString* errore) {
    ArchivioRecente nuovo = archivio;
    nuovo.percorso = canonico(archivio.percorso);
    return scrivi(home, ConArchivioRecente(LeggiArchiviRecenti(home), nuovo), errore);
}

QList<ArchivioRecente> DimenticaArchiviMancanti(const HomeFolder& home) {
    const QList<ArchivioRecente> tutti = LeggiArchiviRecenti(home);
    QList<ArchivioRecente> presenti = tutti;
    presenti.removeIf([](const ArchivioRecente& a) { return !a.esiste(); });
    // The file is rewritten only when something went: a read-only quillaro.ini costs nothing.
    if (presenti.size() != tutti.size())
        scrivi(home, presenti, nullptr);
    return presenti;
}
