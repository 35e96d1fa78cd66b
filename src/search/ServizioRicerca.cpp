#include "search/ServizioRicerca.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <sqlite3.h>

ServizioRicerca::ServizioRicerca(const HomeFolder& home)
    : home_(home), indice_(IndiceRicerca::percorsoIndice(home)) {}

ServizioRicerca& ServizioRicerca::di(AppState& state) {
    for (const auto& o : state.osservatori)
        if (auto* s = dynamic_cast<ServizioRicerca*>(o.get()))
            return *s;
    auto s = std::make_shared<ServizioRicerca>(state.home);
    state.osservatori.push_back(s);
    return *s;
}

bool ServizioRicerca::danneggiato(const DbError& e) {
    const int primario = e.number() & 0xFF;
    return primario == SQLITE_CORRUPT || primario == SQLITE_NOTADB || primario == SQLITE_FORMAT;
}

QString ServizioRicerca::messaggioDanneggiato(const DbError& e) const {
    return QStringLiteral(
               "L'indice di ricerca era danneggiato e non è stato usato: viene costruito di nuovo dagli "
               "archivi, che non hanno subito alcun danno.\nDettaglio tecnico: %1 (errore %2)")
        .arg(e.description())
        .arg(e.number());
}

void ServizioRicerca::apriSeServe(QStringList& avvisi) {
    if (indice_.aperto())
        return;
    const QString avviso = indice_.apri();
    if (!avviso.isEmpty())
        avvisi << avviso;
}

PreparazioneRicerca ServizioRicerca::prepara(const AmbitoRicerca& ambito, Progress* progress) {
    PreparazioneRicerca p;
    const ArchiviAmbito a = ArchiviDellAmbito(home_, ambito);
    if (!a.sigleSenzaArchivio.isEmpty())
        p.avvisi << QStringLiteral("Archivi del file sigle non trovati in mdb/, non cercati: %1")
                        .arg(a.sigleSenzaArchivio.join(QStringLiteral(", ")));
    p.voci = protetto(p.avvisi, [&] { return indice_.aggiorna(a.percorsi, progress, a.cartella); });
    p.avvisi << AvvisiAggiornamento(p.voci);
    QList<qint64> ids;
    for (const QString& path : a.percorsi)
        if (const auto id = indice_.idArchivio(path))
            ids << *id;
    // Every archive the index knows is in the scope: no need to tell them apart.
    if (ambito.tipo == TipoAmbito::Tutti && indice_.db().scalar("select count(*) from archivi") == ids.size())
        p.archivi = std::nullopt;
    else
        p.archivi = ids;
    return p;
}

EsitoRicercaCompleta ServizioRicerca::cerca(const QString& testo, const AmbitoRicerca& ambito, int limite,
                                            Progress* progress, int estratti) {
    QElapsedTimer orologio;
    orologio.start();
    EsitoRicercaCompleta r;
    r.interrogazione = InterpretaRicerca(testo);
    if (!r.interrogazione.valida())
        return r;
    PreparazioneRicerca p = prepara(ambito, progress);
    r.avvisi = p.avvisi;
    for (const VoceAggiornamento& v : p.voci)
        r.archiviLetti += v.esito == VoceAggiornamento::Esito::Indicizzato ? 1 : 0;
    r.esito = protetto(r.avvisi, [&] {
        return indice_.cerca(r.interrogazione.espressione, p.archivi, limite, estratti,
                             r.interrogazione.frasi);
    });
    r.microsecondi = orologio.nsecsElapsed() / 1000;
    return r;
}

PreparazioneRicerca ServizioRicerca::indicizza(const AmbitoRicerca& ambito, bool ricostruisci,
                                               Progress* progress) {
    QStringList avvisi;
    if (ricostruisci) {
        apriSeServe(avvisi);
        indice_.ricrea();
    }
    PreparazioneRicerca p = prepara(ambito, progress);
    avvisi << p.avvisi;
    p.avvisi = avvisi;
    return p;
}

EsitoDoppioni ServizioRicerca::doppioni(const std::optional<QString>& archivio, Progress* progress) {
    EsitoDoppioni r;
    // Always against every archive of mdb/: an article of this delivery may be in an earlier one.
    PreparazioneRicerca p = prepara(AmbitoRicerca{}, progress);
    r.avvisi = p.avvisi;
    std::optional<QSet<qint64>> fuoco;
    if (archivio) {
        const PreparazioneRicerca q = prepara({TipoAmbito::Archivio, *archivio, {}}, progress);
        for (const QString& a : q.avvisi)
            if (!r.avvisi.contains(a))
                r.avvisi << a;
        const auto id = indice_.idArchivio(*archivio);
        if (!id) {
            r.archivioLetto = false;
            return r;
        }
        fuoco = QSet<qint64>{*id};
        if (p.archivi && !p.archivi->contains(*id))
            p.archivi->append(*id);
    }
    r.coppie = protetto(r.avvisi, [&] { return CercaDoppioni(indice_, p.archivi, fuoco); });
    return r;
}

void ServizioRicerca::documentoSalvato(AppState& state, qint64 IDDoc) {
    // No index yet: nothing to keep current (the archive is read whole when one is made).
    if (!state.Connessione.isOpen() || !QFileInfo::exists(indice_.percorso()))
        return;
    QStringList avvisi;
    protetto(avvisi, [&] { indice_.documentoSalvato(state.Connessione, IDDoc); });
}

void ServizioRicerca::documentiCancellati(AppState& state, const QList<qint64>& IDDocumenti) {
    if (!state.Connessione.isOpen() || !QFileInfo::exists(indice_.percorso()))
        return;
    QStringList avvisi;
    protetto(avvisi, [&] { indice_.documentiCancellati(state.Connessione, IDDocumenti); });
}

QString DescriviAggiornamento(const VoceAggiornamento& v) {
    const QLocale it(QLocale::Italian, QLocale::Italy);
    const QString tempo =
        it.toString(static_cast<double>(v.millisecondi) / 1000.0, 'f', 1) + QStringLiteral(" s");
    switch (v.esito) {
    case VoceAggiornamento::Esito::Invariato:
        return QStringLiteral("%1: già aggiornato").arg(v.nome);
    case VoceAggiornamento::Esito::Indicizzato:
        return QStringLiteral("%1: documenti nuovi %2, cambiati %3, tolti %4 (%5)")
            .arg(v.nome)
            .arg(v.nuovi)
            .arg(v.cambiati)
            .arg(v.tolti)
            .arg(tempo);
    case VoceAggiornamento::Esito::Rimosso:
        return QStringLiteral("%1: archivio non più presente, tolto dall'indice").arg(v.nome);
    case VoceAggiornamento::Esito::Errore:
        return QStringLiteral("%1: non indicizzato (%2)").arg(v.nome, v.errore);
    }
    return {};
}

QStringList AvvisiAggiornamento(const QList<VoceAggiornamento>& voci) {
    QStringList righe;
    for (const VoceAggiornamento& v : voci)
        if (v.esito == VoceAggiornamento::Esito::Errore)
            righe << DescriviAggiornamento(v);
    if (righe.isEmpty())
        return {};
    return {QStringLiteral(
                "Alcuni archivi non sono stati letti e non sono compresi nella ricerca: controllare che "
                "siano archivi di Quillaro e che non siano in uso.\n") +
            righe.join(u'\n')};
}
