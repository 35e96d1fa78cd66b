#include "update/Aggiornamento.h"

#include "store/Archivio.h"
#include "store/ArchivioInUso.h"
#include "update/FileSigle.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {

// Steps of the batch's bar for each archive: a run's own progress moves the bar within its step.
constexpr qint64 kPassiPerArchivio = 1000;

// The runs' own closing boxes ("Fine controllo: 12", ...) come once per archive; during a batch
// they are gathered and shown together at the end. Questions still reach the operator.
class GatheringDialogs : public Dialogs {
public:
    explicit GatheringDialogs(Dialogs& inner) : inner_(inner) {}

    Answer message(const QString& text, const QString& title, Buttons buttons, Icon icon) override {
        if (buttons == Buttons::Ok && icon != Icon::Critical) {
            gathered_ << text;
            return Answer::Ok;
        }
        return inner_.message(text, title, buttons, icon);
    }
    int choose(const QString& text, const QString& title, const QStringList& choices, Icon icon) override {
        return inner_.choose(text, title, choices, icon);
    }
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& initial) override {
        return inner_.input(prompt, title, initial);
    }
    QString chooseFile(const FileDialogRequest& request) override { return inner_.chooseFile(request); }
    void setBusy(bool busy) override { inner_.setBusy(busy); }
    // The batch shows one bar across the archives; a run's progress feeds the archive's share of it,
    // so that a long archive keeps the bar moving and the window painted.
    Progress& progress(const QString&) override { return archivio_; }
    void endProgress() override {}

    // The batch's bar, and the archive now running (0-based).
    void setBatchProgress(Progress* batch) { archivio_.batch = batch; }
    void setArchivio(qint64 index) {
        archivio_.index = index;
        archivio_.total = 0;
    }

    const QStringList& gathered() const { return gathered_; }

private:
    class ArchiveProgress : public Progress {
    public:
        void setRange(qint64 t) override { total = t; }
        void setValue(qint64 done) override {
            if (!batch || total <= 0)
                return;
            batch->setValue(index * kPassiPerArchivio +
                            std::clamp<qint64>(done, 0, total) * kPassiPerArchivio / total);
        }
        void setLabel(const QString&) override {} // the batch's label names the archive
        Progress* batch = nullptr;
        qint64 index = 0;
        qint64 total = 0;
    };
    Dialogs& inner_;
    QStringList gathered_;
    ArchiveProgress archivio_;
};

// Swaps the state's dialogs for the time of the batch.
class DialogsSwap {
public:
    DialogsSwap(AppState& state, Dialogs& replacement) : state_(state), previous_(state.dialogs) {
        state_.dialogs = &replacement;
    }
    ~DialogsSwap() { state_.dialogs = previous_; }
    DialogsSwap(const DialogsSwap&) = delete;
    DialogsSwap& operator=(const DialogsSwap&) = delete;

private:
    AppState& state_;
    Dialogs* previous_;
};

QString errorLine(int number, const QString& description) {
    return QString::number(number) + QStringLiteral(" --> ") + description;
}

} // namespace

QString PercorsoAggiornamento(const HomeFolder& home, TipoAggiornamento tipo, const QString& sigla) {
    switch (tipo) {
    case TipoAggiornamento::Conteggio:
        return home.dumpPath(QStringLiteral("conteggio.") + sigla);
    case TipoAggiornamento::Controlli:
        return home.dumpPath(QStringLiteral("errori.") + sigla);
    case TipoAggiornamento::NoteCompilatore:
        return home.dumpPath(QStringLiteral("note.") + sigla);
    case TipoAggiornamento::Nuovi:
        return home.dumpPath(QStringLiteral("nuovi.") + sigla);
    case TipoAggiornamento::Celex:
        return home.dumpPath(QStringLiteral("StampaHTML ") + sigla + QStringLiteral(".htm"));
    case TipoAggiornamento::Hudoc:
        return home.dumpPath(QStringLiteral("StampaHTML_GEI ") + sigla + QStringLiteral(".htm"));
    case TipoAggiornamento::Nir:
        return home.dumpPath(QStringLiteral("StampaHTML_NIR ") + sigla + QStringLiteral(".htm"));
    }
    return {};
}

QString ArchivioDellaSigla(const HomeFolder& home, const QString& sigla) {
    // Archives are made with upper-case names; an abbreviation typed in another case still finds its
    // archive on a file system that tells cases apart.
    return home.findInMdb(sigla + QStringLiteral(".db"));
}

namespace {

// The names of a list, the first kElencoMassimo of them and then how many more: a huge abbreviation
// file must not make a box taller than the screen.
constexpr qsizetype kElencoMassimo = 50;

QString elenco(const QStringList& nomi, const std::function<QString(const QString&)>& mostra) {
    QStringList mostrati;
    for (qsizetype i = 0; i < nomi.size() && i < kElencoMassimo; ++i)
        mostrati << mostra(nomi[i]);
    QString testo = mostrati.join(QStringLiteral(", "));
    if (nomi.size() > kElencoMassimo)
        testo += QStringLiteral(" e altre %1").arg(nomi.size() - kElencoMassimo);
    return testo;
}

} // namespace

QString MessaggioSaltate(const EsitoAggiornamento& esito) {
    if (esito.saltate.isEmpty())
        return {};
    return QStringLiteral("Archivi non aperti, saltati: %1").arg(elenco(esito.saltate, [](const QString& s) {
        return visibleControls(s);
    }));
}

QString MessaggioRifiutate(const EsitoAggiornamento& esito) {
    if (esito.rifiutate.isEmpty())
        return {};
    return QStringLiteral("Righe del file sigle rifiutate, perché una sigla è solo il nome di un archivio "
                          "della cartella mdb (senza percorso né \"..\"): %1. Correggere il file sigle.")
        .arg(elenco(esito.rifiutate, [](const QString& r) { return u'"' + visibleControls(r) + u'"'; }));
}

QString MessaggioNessunFile(const EsitoAggiornamento& esito) {
    if (!esito.completato || esito.scritto)
        return {};
    return QStringLiteral("Nessun archivio del file sigle è stato elaborato: il file %1 non è stato scritto.")
        .arg(QDir::toNativeSeparators(esito.percorso));
}

QString MessaggioInUso(const EsitoAggiornamento& esito) {
    if (esito.inUso.isEmpty())
        return {};
    return QStringLiteral("Attenzione, archivi aperti anche da un altro programma: di un documento che vi si "
                          "sta modificando è compreso ciò che era salvato.\n") +
           esito.inUso.join(u'\n');
}

qint64 ConteggioDocumenti(AppState& state, TextOutput& file) {
    RecordSet rs =
        state.Connessione.ApriRS(QStringLiteral("SELECT count(IDDocumento) as T from tabDocumento"));
    const qint64 n = rs.field(u"T").toLongLong();
    rs.close();
    const QString primo = IdentificativoDocumento(state, state.NumInizio());
    const QString ultimo = IdentificativoDocumento(state, NumeroSpostato(state.NumInizio(), n - 1));
    file.writeLine(QStringLiteral("Consegna ") + state.Consegna() + QStringLiteral(": ") +
                   QString::number(n).rightJustified(3, u' ') + QStringLiteral(" documenti da ") + primo +
                   QStringLiteral(" a ") + ultimo);
    return n;
}

EsitoAggiornamento EseguiAggiornamento(AppState& state, TipoAggiornamento tipo, QString fileSigle,
                                       const std::function<void(const QString&)>& archivio) {
    return EseguiAggiornamento(state, tipo, fileSigle, RunAggiornamento(tipo), archivio);
}

EsitoAggiornamento EseguiAggiornamento(AppState& state, TipoAggiornamento tipo, QString fileSigle,
                                       const RunArchivio& run,
                                       const std::function<void(const QString&)>& archivio) {
    EsitoAggiornamento esito;
    Dialogs& operatorDialogs = state.ui();

    // The batch reuses the main connection: the archive open now is closed and opened again at the end.
    const bool eraAperto = state.ArchivioAperto;
    const QString archivioAperto = state.NomeArchivio;
    ChiudiArchivio(state);

    state.ModoAggiornamento = true;
    state.SiglaAggiornamento = SiglaAggiornamento(fileSigle);
    state.FileScelto = PercorsoAggiornamento(state.home, tipo, state.SiglaAggiornamento);
    esito.percorso = state.FileScelto;

    GatheringDialogs gathering(operatorDialogs);
    {
        DialogsSwap swap(state, gathering);
        BusyScope busy(operatorDialogs, QStringLiteral("Aggiornamento in corso..."));
        TextOutput conteggio;
        try {
            const QStringList sigle = LeggiFileSigle(fileSigle);
            gathering.setBatchProgress(&busy.progress());
            busy.progress().setRange(sigle.size() * kPassiPerArchivio);
            if (tipo == TipoAggiornamento::Conteggio)
                conteggio.open(state.FileScelto, TextOutput::Mode::Truncate, state.encoding());
            for (qsizetype i = 0; i < sigle.size(); ++i) {
                const QString& sigla = sigle[i];
                if (RigaVuota(sigla))
                    continue;
                // A path or ".." would open, and mark as checked, an archive outside mdb/.
                if (!SiglaValida(sigla)) {
                    esito.rifiutate << sigla;
                    continue;
                }
                busy.progress().setLabel(
                    QStringLiteral("Archivio %1 (%2 di %3)").arg(sigla).arg(i + 1).arg(sigle.size()));
                busy.progress().setValue(i * kPassiPerArchivio);
                gathering.setArchivio(i);
                const QString path = ArchivioDellaSigla(state.home, sigla);
                if (!state.Connessione.ApriConnessione(cConnessione::connectionStringFor(path))) {
                    esito.saltate << sigla; // passed over; named in the closing box
                    continue;
                }
                state.ArchivioAperto = true;
                state.NomeArchivio = path;
                if (const QList<UsoArchivio> altri = AltriUsi(path); !altri.isEmpty())
                    esito.inUso << AvvisoUso(path, altri, QDateTime::currentDateTimeUtc());
                if (archivio &&
                    (tipo == TipoAggiornamento::Controlli || tipo == TipoAggiornamento::NoteCompilatore ||
                     tipo == TipoAggiornamento::Nuovi))
                    archivio(sigla);
                LeggiInfo(state);
                if (tipo == TipoAggiornamento::Conteggio)
                    esito.documenti += ConteggioDocumenti(state, conteggio);
                else
                    run(state);
                ++esito.consegne;
                ChiudiArchivio(state);
            }
            if (tipo == TipoAggiornamento::Conteggio) {
                conteggio.writeLine(QString::number(esito.documenti) + QStringLiteral(" documenti in ") +
                                    QString::number(esito.consegne) + QStringLiteral(" consegne"));
                conteggio.close();
            }
            busy.progress().setValue(sigle.size() * kPassiPerArchivio);
            // The count file is written even for no delivery; the others only by the runs.
            esito.scritto = tipo == TipoAggiornamento::Conteggio || esito.consegne > 0;
            esito.completato = true;
        } catch (const DbError& e) {
            esito.errore = errorLine(e.number(), e.description());
        } catch (const std::exception& e) {
            esito.errore = errorLine(75, QString::fromStdString(e.what()));
        }
        gathering.setBatchProgress(nullptr);
        ChiudiArchivio(state);
    }
    state.ModoAggiornamento = false;

    QStringList closing = gathering.gathered();
    if (esito.completato && tipo == TipoAggiornamento::Conteggio)
        closing << QStringLiteral("%1 documenti in %2 consegne").arg(esito.documenti).arg(esito.consegne);
    // The batch goes on without them, but the operator learns which deliveries are missing from it.
    if (esito.completato && !esito.saltate.isEmpty())
        closing << MessaggioSaltate(esito);
    if (esito.completato && !esito.rifiutate.isEmpty())
        closing << MessaggioRifiutate(esito);
    if (const QString nessuno = MessaggioNessunFile(esito); !nessuno.isEmpty())
        closing << nessuno;
    if (esito.completato && !esito.inUso.isEmpty())
        closing << MessaggioInUso(esito);
    if (!closing.isEmpty())
        operatorDialogs.message(closing.join(u'\n'), applicationTitle(), Buttons::Ok, Icon::Information);
    if (!esito.completato)
        operatorDialogs.message(esito.errore, applicationTitle(), Buttons::Ok, Icon::Critical);

    if (eraAperto && !ApriArchivio(state, archivioAperto))
        esito.completato = false;
    return esito;
}
