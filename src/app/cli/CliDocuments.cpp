#include "app/cli/Cli.h"
#include "documents/Recupero.h"
#include "generator/Generatore.h"
#include "store/FileLookup.h"
#include "store/HomeFolder.h"
#include "store/mdlGlobale.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <optional>
#include <utility>

namespace {

// Progress on the terminal: a line every tenth of the run.
class ProgressoTesto : public Progress {
public:
    explicit ProgressoTesto(QTextStream& out) : out_(out) {}
    void setRange(qint64 total) override { total_ = total; }
    void setValue(qint64 done) override {
        if (total_ <= 0)
            return;
        const qint64 decimo = done * 10 / total_;
        if (decimo <= ultimo_ || done >= total_)
            return;
        ultimo_ = decimo;
        out_ << "  " << done << " documenti" << Qt::endl;
    }
    void setLabel(const QString&) override {}

private:
    QTextStream& out_;
    qint64 total_ = 0;
    qint64 ultimo_ = 0;
};

const QString kUsoGenerate =
    QStringLiteral("generate ARCHIVE --docs N [--seed S] [--slips PERCENT] [--duplicates PERCENT]");

// A share in per cent, 0 to 100; nothing when the text is not one.
std::optional<double> quota(const QString& testo) {
    bool ok = false;
    const double q = testo.toDouble(&ok);
    return ok && q >= 0 && q <= 100 ? std::optional<double>(q) : std::nullopt;
}

int generate(CliContext& c, const CliArgs& a) {
    if (a.positional().size() != 1) {
        c.err << "Uso: quillaro-cli " << kUsoGenerate << Qt::endl;
        return 2;
    }
    OpzioniGeneratore opzioni;
    bool ok = true;
    if (const auto docs = a.value(QStringLiteral("docs")))
        opzioni.documenti = docs->toLongLong(&ok);
    if (!ok || opzioni.documenti < 0) {
        c.err << "Numero di documenti non valido: " << a.value(QStringLiteral("docs")).value_or(QString())
              << Qt::endl;
        return 2;
    }
    if (const auto seed = a.value(QStringLiteral("seed")))
        opzioni.seme = seed->toUInt(&ok);
    if (!ok) {
        c.err << "Seme non valido: " << a.value(QStringLiteral("seed")).value_or(QString()) << Qt::endl;
        return 2;
    }
    for (const auto& [nome, valore] : {std::pair{QStringLiteral("slips"), &opzioni.sviste},
                                       std::pair{QStringLiteral("duplicates"), &opzioni.doppioni}}) {
        const std::optional<QString> testo = a.value(nome);
        if (!testo)
            continue;
        const std::optional<double> q = quota(*testo);
        if (!q) {
            c.err << "Quota non valida per --" << nome << ": " << *testo
                  << " (un numero da 0 a 100, per cento)" << Qt::endl;
            return 2;
        }
        *valore = *q;
    }
    // A bare name or a path, whose file name follows the rule of every new archive.
    const QString path = c.state.home.archivePath(a.positional().first());
    if (const QString motivo = MotivoNomeArchivio(NomeSenzaEstensione(QFileInfo(path).fileName()));
        !motivo.isEmpty()) {
        c.err << "Nome archivio non valido: " << motivo << Qt::endl;
        return 1;
    }
    if (QFileInfo::exists(path)) {
        c.err << "Il file " << path << " esiste già" << Qt::endl;
        return 1;
    }
    c.out << "Generazione di " << opzioni.documenti << " documenti in " << path << Qt::endl;
    ProgressoTesto progresso(c.out);
    QElapsedTimer clock;
    clock.start();
    try {
        GeneraArchivio(c.state, path, opzioni, &progresso);
    } catch (const std::exception& e) {
        c.err << QString::fromStdString(e.what()) << Qt::endl;
        return 1;
    }
    qint64 fonti = 0;
    cConnessione archivio;
    if (archivio.ApriConnessione(path)) {
        try {
            fonti = archivio.ApriRS(QStringLiteral("select count(*) from tabFonte")).field(0).toLongLong();
        } catch (const DbError&) {
        }
    }
    c.out << "Archivio generato: " << path << " (" << opzioni.documenti << " documenti, " << fonti
          << " fonti, " << QString::number(clock.elapsed() / 1000.0, 'f', 1) << " s)" << Qt::endl;
    if (const std::optional<RegistroGenerazione> r = LeggiRegistroGenerazione(path))
        c.out << "Registro: " << PercorsoRegistroGenerazione(path) << " (" << r->elencoSviste.size()
              << " sviste su " << r->citazioniCatalogo << " citazioni di atti del catalogo, "
              << r->elencoDoppioni.size() << " documenti copiati)" << Qt::endl;
    return 0;
}

const QString kUsoRecover = QStringLiteral("recover [--list | --discard N]");

// "rossi su PC-12 (quillaro, processo 4242)"
QString programmaDi(const FileRecupero& f) {
    const UsoArchivio& p = f.recupero.programma;
    return QStringLiteral("%1 su %2 (%3, processo %4)")
        .arg(p.utente.isEmpty() ? QStringLiteral("un altro utente") : p.utente, p.computer, p.programma)
        .arg(p.pid);
}

// What has become of a file's work, as the list says it.
QString statoRecupero(const FileRecupero& f, const QStringList& Mesi) {
    if (f.attivo)
        return QStringLiteral("ancora aperto da ") + programmaDi(f);
    if (GiaSalvato(f.recupero, Mesi))
        return QStringLiteral("già salvato nell'archivio");
    return QStringLiteral("da ripristinare");
}

int recover(CliContext& c, const CliArgs& a) {
    const std::optional<QString> scarta = a.value(QStringLiteral("discard"));
    if (!a.positional().isEmpty() || (scarta && a.flag(QStringLiteral("list")))) {
        c.err << "Uso: quillaro-cli " << kUsoRecover << Qt::endl;
        return 2;
    }
    const ElencoRecuperi elenco = LeggiRecuperi(c.state.home);
    for (const QString& m : elenco.messiDaParte)
        c.err << "Messo da parte in recupero/scartati perché non si può leggere: " << m << Qt::endl;
    const QDateTime adesso = QDateTime::currentDateTimeUtc();
    if (!scarta) {
        if (elenco.files.isEmpty())
            c.out << "Nessun documento non salvato." << Qt::endl;
        for (qsizetype i = 0; i < elenco.files.size(); ++i) {
            const FileRecupero& f = elenco.files[i];
            c.out << (i + 1) << '\t' << NomeSenzaEstensione(QFileInfo(f.recupero.archivio).fileName()) << '\t'
                  << NomeDocumentoRecuperato(f.recupero) << '\t' << "modifiche "
                  << QuandoModificato(f.recupero, adesso) << '\t' << statoRecupero(f, c.state.Mesi) << '\t'
                  << f.recupero.archivio << Qt::endl;
        }
        return 0;
    }
    bool numero = false;
    const qsizetype n = scarta->toLongLong(&numero);
    if (!numero || n < 1 || n > elenco.files.size()) {
        c.err << "Nessun documento non salvato con il numero " << *scarta << " (quillaro-cli recover --list)"
              << Qt::endl;
        return 2;
    }
    const FileRecupero& f = elenco.files[n - 1];
    const QString nome = QStringLiteral("Il %1 dell'archivio %2")
                             .arg(NomeDocumentoRecuperato(f.recupero),
                                  NomeSenzaEstensione(QFileInfo(f.recupero.archivio).fileName()));
    // Its window still has the work and would write it again: it is discarded there.
    if (f.attivo) {
        c.err << nome << " è ancora aperto da " << programmaDi(f)
              << ": chiuderlo da lì, salvando o abbandonando le modifiche." << Qt::endl;
        return 1;
    }
    if (!EliminaRecupero(f.percorso)) {
        c.err << "Impossibile eliminare " << f.percorso << Qt::endl;
        return 1;
    }
    c.out << nome << " (modifiche " << QuandoModificato(f.recupero, adesso) << ") è stato eliminato."
          << Qt::endl;
    return 0;
}

} // namespace

void registerDocumentCommands(CliRegistry& r) {
    r.add({QStringLiteral("generate"),
           kUsoGenerate,
           QStringLiteral("crea un archivio di prova con N documenti realistici (stesso seme, stesso "
                          "archivio) e il registro delle citazioni sbagliate (--slips, 5 %) e dei documenti "
                          "copiati (--duplicates, 0 %)"),
           {QStringLiteral("docs"), QStringLiteral("seed"), QStringLiteral("slips"),
            QStringLiteral("duplicates")},
           generate});
    r.add({QStringLiteral("recover"),
           kUsoRecover,
           QStringLiteral("elenca i documenti rimasti non salvati quando il programma si è interrotto "
                          "(--list, come senza opzioni), o elimina quello di numero N dell'elenco"),
           {QStringLiteral("discard")},
           recover});
}
