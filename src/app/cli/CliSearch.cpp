#include "app/cli/Cli.h"
#include "search/Doppioni.h"
#include "search/FormatiRicerca.h"
#include "search/ServizioRicerca.h"
#include "store/MessaggiErrore.h"

#include <QFileInfo>
#include <QLocale>
#include <algorithm>

namespace {

enum class Formato { Testo, Json, Csv };

std::optional<Formato> formato(CliContext& c, const CliArgs& a) {
    const QString f = a.value(QStringLiteral("format")).value_or(QStringLiteral("text"));
    if (f == u"text")
        return Formato::Testo;
    if (f == u"json")
        return Formato::Json;
    if (f == u"csv")
        return Formato::Csv;
    c.err << "Formato sconosciuto: " << f << " (text, json o csv)" << Qt::endl;
    return std::nullopt;
}

void avvisi(CliContext& c, const QStringList& testi) {
    for (const QString& t : testi)
        c.err << t << Qt::endl;
}

// Exit status 1, naming them, when archives of the scope could not be searched.
int nonCercati(CliContext& c, const QStringList& archivi) {
    if (archivi.isEmpty())
        return 0;
    c.err << QStringLiteral("Ricerca incompleta: non cercati %1").arg(archivi.join(QStringLiteral(", ")))
          << Qt::endl;
    return 1;
}

QString secondi(qint64 microsecondi) {
    return QLocale(QLocale::Italian, QLocale::Italy)
        .toString(static_cast<double>(microsecondi) / 1e6, 'f', 3);
}

// The archive named on the command line, as a path that must exist.
std::optional<QString> archivio(CliContext& c, const QString& nome) {
    const QString path = QFileInfo(c.state.home.archivePath(nome)).absoluteFilePath();
    if (!QFileInfo(path).isFile()) {
        c.err << "Archivio non trovato: " << path << Qt::endl;
        return std::nullopt;
    }
    return path;
}

int comandoSearch(CliContext& c, const CliArgs& a) {
    const QString testo = a.positional().join(u' ');
    if (testo.trimmed().isEmpty()) {
        c.err << "Uso: quillaro-cli search QUERY [--archive ARCHIVE | --all | --sigle FILE] [--limit N] "
                 "[--format text|json|csv]"
              << Qt::endl;
        return 2;
    }
    const auto f = formato(c, a);
    if (!f)
        return 2;
    const auto archivioScelto = a.value(QStringLiteral("archive"));
    const auto sigle = a.value(QStringLiteral("sigle"));
    if ((archivioScelto ? 1 : 0) + (sigle ? 1 : 0) + (a.flag(QStringLiteral("all")) ? 1 : 0) > 1) {
        c.err << "Indicare un solo ambito: --archive, --all oppure --sigle." << Qt::endl;
        return 2;
    }
    int limite = 100;
    if (const auto l = a.value(QStringLiteral("limit"))) {
        bool ok = false;
        limite = l->toInt(&ok);
        if (!ok || limite < 1) {
            c.err << "--limit vuole un numero intero maggiore di zero: " << *l << Qt::endl;
            return 2;
        }
    }
    AmbitoRicerca ambito;
    if (archivioScelto) {
        const auto path = archivio(c, *archivioScelto);
        if (!path)
            return 1;
        ambito = {TipoAmbito::Archivio, *path, {}};
    } else if (sigle) {
        const QString path =
            sigle->contains(u'/') ? QFileInfo(*sigle).absoluteFilePath() : c.state.home.mdbPath(*sigle);
        if (!QFileInfo(path).isFile()) {
            c.err << "File sigle non trovato: " << path << Qt::endl;
            return 1;
        }
        ambito = {TipoAmbito::Sigle, {}, path};
    }
    ServizioRicerca& servizio = ServizioRicerca::di(c.state);
    EsitoRicercaCompleta r;
    try {
        // The lines of text name the documents; JSON and CSV carry the excerpts too.
        r = servizio.cerca(testo, ambito, limite, nullptr, *f == Formato::Testo ? 0 : -1);
    } catch (const DbError& e) {
        c.err << MessaggioErroreIndice(QStringLiteral("La ricerca non è stata eseguita."), e,
                                       servizio.indice().percorso())
              << Qt::endl;
        return 1;
    } catch (const std::exception& e) {
        c.err << QString::fromStdString(e.what()) << Qt::endl;
        return 1;
    }
    if (!r.interrogazione.valida()) {
        c.err << r.interrogazione.errore << Qt::endl;
        return 2;
    }
    avvisi(c, r.avvisi);
    switch (*f) {
    case Formato::Testo:
        for (const RisultatoRicerca& x : r.esito.risultati)
            c.out << RigaRisultato(x) << '\n';
        break;
    case Formato::Json:
        c.out << QString::fromUtf8(JsonRisultati(r.esito.risultati));
        break;
    case Formato::Csv:
        c.out << CsvRisultati(r.esito.risultati);
        break;
    }
    c.out.flush();
    c.err
        << (r.esito.stimato          ? QStringLiteral("circa %1 documenti trovati").arg(r.esito.totale)
            : r.esito.totale == 1 ? QStringLiteral("1 documento trovato")
                                  : QStringLiteral("%1 documenti trovati").arg(r.esito.totale))
        << QStringLiteral(", %1 mostrati, in %2 s").arg(r.esito.risultati.size()).arg(secondi(r.microsecondi))
        << (r.esito.recenti ? u' ' + NotaRecenti() : QString())
        << (r.archiviLetti > 0
                ? QStringLiteral(" (compresa l'indicizzazione di %1 archivi)").arg(r.archiviLetti)
                : QString())
        << Qt::endl;
    // What was found is printed, but the answer is not the whole scope's.
    return nonCercati(c, r.nonLetti);
}

int comandoIndex(CliContext& c, const CliArgs& a) {
    if (!a.positional().isEmpty()) {
        c.err << "Uso: quillaro-cli index [--rebuild]" << Qt::endl;
        return 2;
    }
    ServizioRicerca& servizio = ServizioRicerca::di(c.state);
    PreparazioneRicerca p;
    try {
        p = servizio.indicizza(AmbitoRicerca{}, a.flag(QStringLiteral("rebuild")), nullptr);
    } catch (const DbError& e) {
        c.err << MessaggioErroreIndice(QStringLiteral("L'indice di ricerca non è stato aggiornato."), e,
                                       servizio.indice().percorso())
              << Qt::endl;
        return 1;
    }
    avvisi(c, p.avvisi);
    bool errori = false;
    for (const VoceAggiornamento& v : p.voci) {
        c.out << DescriviAggiornamento(v) << '\n';
        errori = errori || v.esito == VoceAggiornamento::Esito::Errore;
    }
    c.out << "Indice: " << servizio.indice().percorso() << Qt::endl;
    return errori ? 1 : 0;
}

int comandoDuplicates(CliContext& c, const CliArgs& a) {
    const bool tutti = a.flag(QStringLiteral("all"));
    if (a.positional().size() > 1 || (a.positional().size() == 1) == tutti) {
        c.err << "Uso: quillaro-cli duplicates [ARCHIVE | --all] [--format text|json|csv]" << Qt::endl;
        return 2;
    }
    const auto f = formato(c, a);
    if (!f)
        return 2;
    std::optional<QString> path;
    if (!tutti) {
        path = archivio(c, a.positional().first());
        if (!path)
            return 1;
    }
    EsitoDoppioni r;
    ServizioRicerca& servizio = ServizioRicerca::di(c.state);
    try {
        r = servizio.doppioni(path, nullptr);
    } catch (const DbError& e) {
        c.err << MessaggioErroreIndice(QStringLiteral("La ricerca dei doppioni non è stata eseguita."), e,
                                       servizio.indice().percorso())
              << Qt::endl;
        return 1;
    }
    avvisi(c, r.avvisi);
    if (!r.archivioLetto)
        return std::max(1, nonCercati(c, r.nonLetti));
    const QList<CoppiaDoppioni>& coppie = r.coppie;
    switch (*f) {
    case Formato::Testo:
        for (const CoppiaDoppioni& x : coppie)
            c.out << RigaDoppioni(x) << '\n';
        break;
    case Formato::Json:
        c.out << QString::fromUtf8(JsonDoppioni(coppie));
        break;
    case Formato::Csv:
        c.out << CsvDoppioni(coppie);
        break;
    }
    c.out.flush();
    c.err << QStringLiteral("%1 coppie di possibili doppioni").arg(coppie.size()) << Qt::endl;
    return nonCercati(c, r.nonLetti);
}

} // namespace

void registerSearchCommands(CliRegistry& r) {
    r.add(
        {QStringLiteral("search"),
         QStringLiteral(
             "search QUERY [--archive ARCHIVE | --all | --sigle FILE] [--limit N] [--format text|json|csv]"),
         QStringLiteral(
             "cerca i documenti (campi: titolo: autore: fonte: testo: rivista: anno: classe: archivio:)"),
         {QStringLiteral("archive"), QStringLiteral("sigle"), QStringLiteral("limit"),
          QStringLiteral("format")},
         comandoSearch});
    r.add({QStringLiteral("index"),
           QStringLiteral("index [--rebuild]"),
           QStringLiteral("aggiorna l'indice di ricerca degli archivi di mdb/ e dice che cosa ha fatto"),
           {},
           comandoIndex});
    r.add({QStringLiteral("duplicates"),
           QStringLiteral("duplicates [ARCHIVE | --all] [--format text|json|csv]"),
           QStringLiteral("elenca le coppie di documenti che sono probabilmente lo stesso articolo"),
           {QStringLiteral("format")},
           comandoDuplicates});
}
