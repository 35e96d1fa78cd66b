#include "search/ServizioRicerca.h"

#include "store/MessaggiErrore.h"
#include "store/TextOutput.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <sqlite3.h>

namespace {

// The operation holds the index for its whole time, and tells it where Annulla is read.
class UsoIndice {
public:
    UsoIndice(std::recursive_mutex& m, IndiceRicerca& indice, const std::atomic<bool>* annullata)
        : lock_(m), indice_(indice) {
        if (annullata)
            indice_.impostaAnnullamento(annullata);
        annulla_ = annullata != nullptr;
    }
    ~UsoIndice() {
        if (annulla_)
            indice_.impostaAnnullamento(nullptr);
    }
    UsoIndice(const UsoIndice&) = delete;
    UsoIndice& operator=(const UsoIndice&) = delete;

private:
    std::lock_guard<std::recursive_mutex> lock_;
    IndiceRicerca& indice_;
    bool annulla_ = false;
};

} // namespace

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

bool ServizioRicerca::interrotta(const DbError& e) {
    return (e.number() & 0xFF) == SQLITE_INTERRUPT;
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

PreparazioneRicerca ServizioRicerca::preparaIndice(const AmbitoRicerca& ambito, Progress* progress) {
    PreparazioneRicerca p;
    const ArchiviAmbito a = ArchiviDellAmbito(home_, ambito);
    QStringList mancanti;
    for (const QString& s : a.sigleSenzaArchivio)
        mancanti << visibleControls(s);
    if (!mancanti.isEmpty())
        p.avvisi << QStringLiteral("Archivi del file sigle non trovati in mdb/, non cercati: %1")
                        .arg(mancanti.join(QStringLiteral(", ")));
    QStringList rifiutate;
    for (const QString& s : a.sigleRifiutate)
        rifiutate << u'"' + visibleControls(s) + u'"';
    if (!rifiutate.isEmpty())
        p.avvisi << QStringLiteral(
                        "Righe del file sigle rifiutate, perché una sigla è solo il nome di un archivio "
                        "della cartella mdb (senza percorso né \"..\"): %1. Correggere il file sigle.")
                        .arg(rifiutate.join(QStringLiteral(", ")));
    p.nonLetti << mancanti << rifiutate;
    p.voci = indice_.aggiorna(a.percorsi, progress, a.cartella);
    p.avvisi << AvvisiAggiornamento(p.voci);
    for (const VoceAggiornamento& v : p.voci)
        if (v.esito == VoceAggiornamento::Esito::Errore)
            p.nonLetti << visibleControls(v.nome);
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

PreparazioneRicerca ServizioRicerca::prepara(const AmbitoRicerca& ambito, Progress* progress) {
    UsoIndice uso(uso_, indice_, nullptr);
    QStringList avvisi;
    PreparazioneRicerca p = protetto(avvisi, [&] { return preparaIndice(ambito, progress); });
    avvisi << p.avvisi;
    p.avvisi = avvisi;
    return p;
}

EsitoRicercaCompleta ServizioRicerca::cerca(const QString& testo, const AmbitoRicerca& ambito, int limite,
                                            Progress* progress, int estratti,
                                            const std::atomic<bool>* annullata) {
    QElapsedTimer orologio;
    orologio.start();
    EsitoRicercaCompleta r;
    r.interrogazione = InterpretaRicerca(testo);
    if (!r.interrogazione.valida())
        return r;
    UsoIndice uso(uso_, indice_, annullata);
    if (primaDiCercare)
        primaDiCercare();
    QStringList avvisi;
    try {
        // Made again after damage, the index is filled from the archives before the query runs again.
        protetto(avvisi, [&] {
            PreparazioneRicerca p = preparaIndice(ambito, progress);
            r.avvisi = p.avvisi;
            r.nonLetti = p.nonLetti;
            r.archiviLetti = 0;
            for (const VoceAggiornamento& v : p.voci)
                r.archiviLetti += v.esito == VoceAggiornamento::Esito::Indicizzato ? 1 : 0;
            r.esito = indice_.cerca(r.interrogazione, p.archivi, limite, estratti);
            return 0;
        });
    } catch (const DbError& e) {
        if (!RicercaRifiutataDalMotore(e))
            throw;
        r.interrogazione.errore =
            QStringLiteral(
                "La ricerca è troppo complessa per essere eseguita: semplificarla (meno parole, meno "
                "parentesi, meno NOT).\nDettaglio tecnico: %1")
                .arg(e.description());
        r.esito = {};
        return r;
    }
    avvisi << r.avvisi;
    r.avvisi = avvisi;
    r.microsecondi = orologio.nsecsElapsed() / 1000;
    return r;
}

PreparazioneRicerca ServizioRicerca::indicizza(const AmbitoRicerca& ambito, bool ricostruisci,
                                               Progress* progress) {
    UsoIndice uso(uso_, indice_, nullptr);
    QStringList avvisi;
    if (ricostruisci) {
        protetto(avvisi, [&] {
            indice_.ricrea();
            return 0;
        });
    }
    PreparazioneRicerca p = prepara(ambito, progress);
    avvisi << p.avvisi;
    p.avvisi = avvisi;
    return p;
}

EsitoDoppioni ServizioRicerca::doppioni(const std::optional<QString>& archivio, Progress* progress) {
    UsoIndice uso(uso_, indice_, nullptr);
    EsitoDoppioni r;
    QStringList avvisi;
    protetto(avvisi, [&] {
        r = EsitoDoppioni{};
        // Always against every archive of mdb/: an article of this delivery may be in an earlier one.
        PreparazioneRicerca p = preparaIndice(AmbitoRicerca{}, progress);
        r.avvisi = p.avvisi;
        r.nonLetti = p.nonLetti;
        std::optional<QSet<qint64>> fuoco;
        if (archivio) {
            const PreparazioneRicerca q = preparaIndice({TipoAmbito::Archivio, *archivio, {}}, progress);
            for (const QString& a : q.avvisi)
                if (!r.avvisi.contains(a))
                    r.avvisi << a;
            for (const QString& a : q.nonLetti)
                if (!r.nonLetti.contains(a))
                    r.nonLetti << a;
            const auto id = indice_.idArchivio(*archivio);
            if (!id) {
                r.archivioLetto = false;
                return 0;
            }
            fuoco = QSet<qint64>{*id};
            if (p.archivi && !p.archivi->contains(*id))
                p.archivi->append(*id);
        }
        r.coppie = CercaDoppioni(indice_, p.archivi, fuoco);
        return 0;
    });
    avvisi << r.avvisi;
    r.avvisi = avvisi;
    return r;
}

std::optional<QString> ServizioRicerca::estrattoSeLibero(const Estrattore& estrattore, qint64 idDocumento) {
    std::unique_lock<std::recursive_mutex> lock(uso_, std::try_to_lock);
    if (!lock.owns_lock() || !indice_.aperto())
        return std::nullopt;
    return indice_.estratto(estrattore, idDocumento);
}

std::optional<std::optional<SchedaIndice>> ServizioRicerca::schedaSeLibera(qint64 idDocumento) {
    std::unique_lock<std::recursive_mutex> lock(uso_, std::try_to_lock);
    if (!lock.owns_lock())
        return std::nullopt;
    if (!indice_.aperto())
        return std::optional<SchedaIndice>();
    return indice_.scheda(idDocumento);
}

bool ServizioRicerca::occupato() {
    std::unique_lock<std::recursive_mutex> lock(uso_, std::try_to_lock);
    return !lock.owns_lock();
}

void ServizioRicerca::documentoSalvato(AppState& state, qint64 IDDoc) {
    // No index yet: nothing to keep current (the archive is read whole when one is made). A search
    // running: it, or the next one, sees the archive changed and reads it again.
    if (!state.Connessione.isOpen() || !QFileInfo::exists(indice_.percorso()))
        return;
    std::unique_lock<std::recursive_mutex> lock(uso_, std::try_to_lock);
    if (!lock.owns_lock())
        return;
    QStringList avvisi;
    protetto(avvisi, [&] {
        indice_.documentoSalvato(state.Connessione, IDDoc);
        return 0;
    });
}

void ServizioRicerca::documentiCancellati(AppState& state, const QList<qint64>& IDDocumenti) {
    if (!state.Connessione.isOpen() || !QFileInfo::exists(indice_.percorso()))
        return;
    std::unique_lock<std::recursive_mutex> lock(uso_, std::try_to_lock);
    if (!lock.owns_lock())
        return;
    QStringList avvisi;
    protetto(avvisi, [&] {
        indice_.documentiCancellati(state.Connessione, IDDocumenti);
        return 0;
    });
}

QString DescriviAggiornamento(const VoceAggiornamento& v) {
    const QLocale it(QLocale::Italian, QLocale::Italy);
    const QString tempo =
        it.toString(static_cast<double>(v.millisecondi) / 1000.0, 'f', 1) + QStringLiteral(" s");
    const QString nome = visibleControls(v.nome);
    switch (v.esito) {
    case VoceAggiornamento::Esito::Invariato:
        return QStringLiteral("%1: già aggiornato").arg(nome);
    case VoceAggiornamento::Esito::Indicizzato:
        return QStringLiteral("%1: documenti nuovi %2, cambiati %3, tolti %4 (%5)")
            .arg(nome)
            .arg(v.nuovi)
            .arg(v.cambiati)
            .arg(v.tolti)
            .arg(tempo);
    case VoceAggiornamento::Esito::Rimosso:
        return QStringLiteral("%1: archivio non più presente, tolto dall'indice").arg(nome);
    case VoceAggiornamento::Esito::Errore:
        return QStringLiteral("%1: non indicizzato (%2)").arg(nome, v.errore);
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

QString MessaggioErroreIndice(const QString& cosa, const DbError& e, const QString& percorsoIndice) {
    const QString indice = QDir::toNativeSeparators(percorsoIndice);
    QString perche;
    switch (e.number() & 0xFF) {
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
    case SQLITE_AUTH:
        perche =
            QStringLiteral("L'indice di ricerca %1 non si può scrivere: controllare i permessi del file e "
                           "della cartella mdb (gli archivi non hanno subito alcun danno).")
                .arg(indice);
        break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        perche = QStringLiteral("L'indice di ricerca %1 è in uso da un altro programma (un'altra ricerca o "
                                "indicizzazione): riprovare tra qualche istante.")
                     .arg(indice);
        break;
    case SQLITE_INTERRUPT:
        perche = QStringLiteral("La ricerca è stata annullata.");
        break;
    case SQLITE_FULL:
        perche = QStringLiteral(
                     "Il disco della cartella mdb è pieno e l'indice di ricerca %1 non si può "
                     "aggiornare: liberare spazio e riprovare (gli archivi non hanno subito alcun danno).")
                     .arg(indice);
        break;
    default:
        perche =
            QStringLiteral("L'indice di ricerca %1 non si è potuto usare: riprovare; se si ripete, "
                           "ricostruirlo (quillaro-cli index --rebuild) o rivolgersi all'assistenza. Gli "
                           "archivi non hanno subito alcun danno.")
                .arg(indice);
        break;
    }
    QStringList righe;
    if (!cosa.isEmpty())
        righe << cosa;
    righe << perche;
    if (!e.description().isEmpty())
        righe << QStringLiteral("Dettaglio tecnico: %1 (errore %2)").arg(e.description()).arg(e.number());
    return righe.join(u'\n');
}

bool RicercaRifiutataDalMotore(const DbError& e) {
    return (e.number() & 0xFF) == SQLITE_ERROR && e.description().startsWith(QStringLiteral("fts5:"));
}
