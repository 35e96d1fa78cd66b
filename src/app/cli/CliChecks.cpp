#include "app/cli/Cli.h"
#include "checks/Controlli.h"
#include "checks/Estrazioni.h"
#include "checks/StampeHtml.h"
#include "documents/CorrezioniRilievi.h"
#include "documents/SalvaDocumento.h"
#include "documents/mdlDocumenti.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Opens the archive, runs the operation (which prints its closing message) and lists the files
// it wrote. A failure reaches runCli, which prints it on standard error with a non-zero exit.
int esegui(CliContext& c, const CliArgs& a, const QString& uso,
           const std::function<QStringList(AppState&)>& run) {
    if (a.positional().size() != 1) {
        c.err << "Uso: quillaro-cli " << uso << Qt::endl;
        return 2;
    }
    if (!c.openArchive(a.positional().first()))
        return 1;
    const QStringList files = run(c.state);
    for (const QString& f : files)
        c.out << "File scritto: " << QDir::toNativeSeparators(f) << Qt::endl;
    return 0;
}

const QString kUsoCheck = QStringLiteral("check ARCHIVE [--doc N [--format text|json]]");
const QString kUsoFix = QStringLiteral("fix ARCHIVE --doc N --finding I|ID --choice J");

// A whole number of at least 1 given with an option; 0, after the message, when it is not one.
qint64 numeroOpzione(CliContext& c, const CliArgs& a, const QString& opzione, const QString& nome) {
    const QString testo = a.value(opzione).value_or(QString());
    bool ok = false;
    const qint64 n = testo.trimmed().toLongLong(&ok);
    if (!ok || n < 1) {
        c.err << nome << " non valido: " << testo << Qt::endl;
        return 0;
    }
    return n;
}

QString nomeElenco(ElencoErrori elenco) {
    switch (elenco) {
    case ElencoErrori::Generali:
        return QStringLiteral("generali");
    case ElencoErrori::Classificazione:
        return QStringLiteral("classificazione");
    case ElencoErrori::Fonti:
        break;
    }
    return QStringLiteral("fonti");
}

QJsonArray rilieviJson(const DocumentoConCorrezioni& d) {
    QJsonArray rilievi;
    for (qsizetype i = 0; i < d.esito.rilievi.size(); ++i) {
        const Rilievo& r = d.esito.rilievi.at(i);
        QJsonArray correzioni;
        for (const Correzione& k : d.correzioni.at(i).correzioni)
            correzioni.append(QJsonObject{{QStringLiteral("label"), k.etichetta},
                                          {QStringLiteral("kind"), NomeTipoCorrezione(k.tipo)},
                                          {QStringLiteral("applicable"), !k.soloApertura()}});
        QJsonObject o{{QStringLiteral("id"), IdRilievo(r)},
                      {QStringLiteral("list"), nomeElenco(r.elenco)},
                      {QStringLiteral("rule"), NomeRegola(r.regola)},
                      {QStringLiteral("text"), r.testo},
                      {QStringLiteral("field"), ControlloDelCampo(r.campo)},
                      {QStringLiteral("fixes"), correzioni}};
        if (r.voce >= 0)
            o.insert(QStringLiteral("entry"), r.voce + 1);
        if (!d.correzioni.at(i).nota.isEmpty())
            o.insert(QStringLiteral("note"), d.correzioni.at(i).nota);
        rilievi.append(o);
    }
    return rilievi;
}

// The findings of one stored document on standard output, in the order of the error lists; nothing
// when it has none (json: an array of objects, each with its fixes). Findings are not errors: the
// exit status is 0 unless the document is not there or the rules could not be applied to it.
int controllaDocumento(CliContext& c, const CliArgs& a) {
    if (a.positional().size() != 1) {
        c.err << "Uso: quillaro-cli " << kUsoCheck << Qt::endl;
        return 2;
    }
    const qint64 id = numeroOpzione(c, a, QStringLiteral("doc"), QStringLiteral("Numero di documento"));
    if (id == 0)
        return 2;
    const QString formato = a.value(QStringLiteral("format")).value_or(QStringLiteral("text"));
    if (formato != u"text" && formato != u"json") {
        c.err << "Formato non valido: " << formato << " (text oppure json)" << Qt::endl;
        return 2;
    }
    if (!c.openArchive(a.positional().first()))
        return 1;
    if (formato == u"json") {
        QString errore;
        const ListeDocumento liste = CaricaListe(c.state.Connessione, QDate::currentDate());
        const std::optional<DocumentoConCorrezioni> d = CaricaConCorrezioni(c.state, liste, id, errore);
        if (!d) {
            c.err << errore << Qt::endl;
            return 1;
        }
        c.out << QJsonDocument(rilieviJson(*d)).toJson(QJsonDocument::Indented);
        c.out.flush();
        if (!d->esito.completo()) {
            c.err << d->esito.interruzione << Qt::endl;
            return 1;
        }
        return 0;
    }
    const std::optional<EsitoControlli> esito = RilieviDocumento(c.state, id);
    if (!esito) {
        c.err << "Il documento " << id << " non è presente nell'archivio." << Qt::endl;
        return 1;
    }
    for (const Rilievo& r : esito->rilievi)
        c.out << r.testo << Qt::endl;
    if (!esito->completo()) {
        c.err << esito->interruzione << Qt::endl;
        return 1;
    }
    return 0;
}

// The finding --finding names: by its place (from 1), or by its id, which names a finding with its
// rule, entry and text; -1 after the message when it is none of the document's (exit 2).
qsizetype rilievoIndicato(CliContext& c, const QString& archivio, const QString& indicato, qint64 id,
                          const EsitoControlli& esito) {
    bool numero = false;
    const qint64 posizione = indicato.trimmed().toLongLong(&numero);
    if (numero) {
        if (posizione <= esito.rilievi.size())
            return static_cast<qsizetype>(posizione - 1);
        c.err << QStringLiteral("Il documento %1 non ha il rilievo %2: ne ha %3 (vedere check --doc %1 "
                                "--format json).")
                     .arg(id)
                     .arg(posizione)
                     .arg(esito.rilievi.size())
              << Qt::endl;
        return -1;
    }
    for (qsizetype i = 0; i < esito.rilievi.size(); ++i)
        if (IdRilievo(esito.rilievi.at(i)) == indicato.trimmed())
            return i;
    c.err << QStringLiteral("Il rilievo %1 non è più tra quelli del documento %2: il documento è cambiato "
                            "dopo che i rilievi sono stati letti, e la correzione non è stata applicata. "
                            "Rileggere i rilievi (quillaro-cli check %3 --doc %2 --format json) e "
                            "scegliere di nuovo.")
                 .arg(indicato.trimmed())
                 .arg(id)
                 .arg(archivio)
          << Qt::endl;
    return -1;
}

// Applies one fix of one finding (named by its id, or by its place counted from 1 in the order of
// check --doc --format json; the fix counted from 1) to the stored document through the window's
// save, then prints the findings that remain. The fix is saved over the state it was computed for,
// or not at all.
int correggi(CliContext& c, const CliArgs& a) {
    if (a.positional().size() != 1 || !a.value(QStringLiteral("doc")) ||
        !a.value(QStringLiteral("finding")) || !a.value(QStringLiteral("choice"))) {
        c.err << "Uso: quillaro-cli " << kUsoFix << Qt::endl;
        return 2;
    }
    const qint64 id = numeroOpzione(c, a, QStringLiteral("doc"), QStringLiteral("Numero di documento"));
    const QString indicato = a.value(QStringLiteral("finding")).value_or(QString());
    bool numero = false;
    indicato.trimmed().toLongLong(&numero);
    const qint64 posizione =
        numero ? numeroOpzione(c, a, QStringLiteral("finding"), QStringLiteral("Numero di rilievo")) : 1;
    const qint64 scelta =
        numeroOpzione(c, a, QStringLiteral("choice"), QStringLiteral("Numero di correzione"));
    if (id == 0 || posizione == 0 || scelta == 0)
        return 2;
    if (!c.openArchive(a.positional().first()))
        return 1;
    QString errore;
    const ListeDocumento liste = CaricaListe(c.state.Connessione, QDate::currentDate());
    std::optional<DocumentoConCorrezioni> d = CaricaConCorrezioni(c.state, liste, id, errore);
    if (!d) {
        c.err << errore << Qt::endl;
        return 1;
    }
    const qsizetype indice = rilievoIndicato(c, a.positional().first(), indicato, id, d->esito);
    if (indice < 0)
        return 2;
    const qsizetype rilievo = indice + 1;
    const CorrezioniRilievo& k = d->correzioni.at(indice);
    if (scelta > k.correzioni.size()) {
        c.err << QStringLiteral("Il rilievo %1 del documento %2 non ha la correzione %3: ne ha %4.")
                     .arg(rilievo)
                     .arg(id)
                     .arg(scelta)
                     .arg(k.correzioni.size());
        if (!k.nota.isEmpty())
            c.err << ' ' << k.nota << '.';
        c.err << Qt::endl;
        return 2;
    }
    const Correzione& correzione = k.correzioni.at(scelta - 1);
    if (correzione.soloApertura()) {
        c.err << QStringLiteral("La correzione %1 del rilievo %2 (\"%3\") apre soltanto un dialogo o un "
                                "campo della finestra del documento: va fatta nella finestra.")
                     .arg(scelta)
                     .arg(rilievo)
                     .arg(correzione.etichetta)
              << Qt::endl;
        return 2;
    }
    if (!ApplicaCorrezione(correzione, d->buffer, d->dati, liste)) {
        c.err << "La correzione non si applica al documento " << id << "." << Qt::endl;
        return 1;
    }
    const RisultatoSalvataggio salvato = ScriviDocumento(c.state.Connessione, d->buffer, d->dati);
    switch (salvato.esito) {
    case EsitoSalvataggio::Salvato:
        break;
    case EsitoSalvataggio::ModificatoAltrove:
    case EsitoSalvataggio::CancellatoAltrove:
        // Another program saved between the reading and the save: the fix was for another state.
        c.err << salvato.messaggio
              << QStringLiteral(
                     " La correzione non è stata salvata: rileggere i rilievi (quillaro-cli check %1 "
                     "--doc %2 --format json) e scegliere di nuovo.")
                     .arg(a.positional().first())
                     .arg(id)
              << Qt::endl;
        return 2;
    case EsitoSalvataggio::Errore:
        c.err << salvato.motivo
              << " Rendere l'archivio scrivibile (spazio sul disco, permessi del file) e ripetere il comando."
              << Qt::endl
              << salvato.tecnico << Qt::endl;
        return 1;
    default:
        c.err << salvato.messaggio << Qt::endl;
        return 1;
    }
    NotificaDocumentoSalvato(c.state, salvato.IDDocumento);
    c.out << "Documento " << id << " salvato: " << correzione.etichetta << Qt::endl;
    const std::optional<EsitoControlli> resto = RilieviDocumento(c.state, id);
    if (!resto || !resto->completo()) {
        c.err << (resto ? resto->interruzione : QStringLiteral("Il documento %1 non è più presente.").arg(id))
              << Qt::endl;
        return 1;
    }
    for (const Rilievo& r : resto->rilievi)
        c.out << r.testo << Qt::endl;
    return 0;
}

} // namespace

void registerCheckCommands(CliRegistry& r) {
    r.add({QStringLiteral("check"),
           kUsoCheck,
           QStringLiteral("controlli: dump/errori.N, errclasse.N, errfonte.N; con --doc i rilievi di un "
                          "documento, uno per riga (json: ognuno con le sue correzioni)"),
           {QStringLiteral("doc"), QStringLiteral("format")},
           [](CliContext& c, const CliArgs& a) {
               if (a.value(QStringLiteral("doc")))
                   return controllaDocumento(c, a);
               if (a.value(QStringLiteral("format"))) {
                   c.err << "--format vale solo con --doc" << Qt::endl;
                   return 2;
               }
               return esegui(c, a, kUsoCheck, [](AppState& s) {
                   const FileErrori f = EseguiControlli(s);
                   return QStringList{f.generali, f.classe, f.fonti};
               });
           }});
    r.add({QStringLiteral("fix"),
           kUsoFix,
           QStringLiteral("applica al documento la correzione J del rilievo I (numerati da 1 come in check "
                          "--doc N --format json) o del rilievo di quell'id, lo salva e stampa i rilievi che "
                          "restano"),
           {QStringLiteral("doc"), QStringLiteral("finding"), QStringLiteral("choice")},
           correggi});
    r.add({QStringLiteral("notes"),
           QStringLiteral("notes ARCHIVE"),
           QStringLiteral("note del compilatore: dump/note.N"),
           {},
           [](CliContext& c, const CliArgs& a) {
               return esegui(c, a, QStringLiteral("notes ARCHIVE"),
                             [](AppState& s) { return QStringList{EstraiNote(s)}; });
           }});
    r.add({QStringLiteral("new-entries"),
           QStringLiteral("new-entries ARCHIVE"),
           QStringLiteral("nuovi inserimenti nelle tabelle delle fonti: dump/nuovi.N"),
           {},
           [](CliContext& c, const CliArgs& a) {
               return esegui(c, a, QStringLiteral("new-entries ARCHIVE"),
                             [](AppState& s) { return QStringList{EstraiNuovi(s)}; });
           }});
    r.add({QStringLiteral("celex"),
           QStringLiteral("celex ARCHIVE"),
           QStringLiteral("fonti UE con i link CELEX: dump/StampaHTML N.html"),
           {},
           [](CliContext& c, const CliArgs& a) {
               return esegui(c, a, QStringLiteral("celex ARCHIVE"),
                             [](AppState& s) { return QStringList{StampaCelex(s)}; });
           }});
    r.add({QStringLiteral("hudoc"),
           QStringLiteral("hudoc ARCHIVE"),
           QStringLiteral("sentenze CEDU con i link HUDOC: dump/StampaHTML_GEI N.html"),
           {},
           [](CliContext& c, const CliArgs& a) {
               return esegui(c, a, QStringLiteral("hudoc ARCHIVE"),
                             [](AppState& s) { return QStringList{StampaHudoc(s)}; });
           }});
    r.add({QStringLiteral("nir"),
           QStringLiteral("nir ARCHIVE"),
           QStringLiteral(
               "fonti con i link ai testi ufficiali (URN:NIR, ELI, ECLI): dump/StampaHTML_NIR N.html"),
           {},
           [](CliContext& c, const CliArgs& a) {
               return esegui(c, a, QStringLiteral("nir ARCHIVE"),
                             [](AppState& s) { return QStringList{StampaNir(s)}; });
           }});
}
