#include "app/cli/Cli.h"
#include "checks/Controlli.h"
#include "checks/Estrazioni.h"
#include "checks/StampeHtml.h"

#include <QDir>

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

// The findings of one stored document on standard output, in the order of the error lists; nothing
// when it has none. Findings are not errors: the exit status is 0 unless the document is not there
// or the rules could not be applied to it.
int controllaDocumento(CliContext& c, const CliArgs& a) {
    const QString uso = QStringLiteral("check ARCHIVE --doc N");
    if (a.positional().size() != 1) {
        c.err << "Uso: quillaro-cli " << uso << Qt::endl;
        return 2;
    }
    const QString testo = a.value(QStringLiteral("doc")).value_or(QString());
    bool ok = false;
    const qint64 id = testo.trimmed().toLongLong(&ok);
    if (!ok || id < 1) {
        c.err << "Numero di documento non valido: " << testo << Qt::endl;
        return 2;
    }
    if (!c.openArchive(a.positional().first()))
        return 1;
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

} // namespace

void registerCheckCommands(CliRegistry& r) {
    r.add({QStringLiteral("check"),
           QStringLiteral("check ARCHIVE [--doc N]"),
           QStringLiteral("controlli: dump/errori.N, errclasse.N, errfonte.N; con --doc i rilievi di un "
                          "documento, uno per riga"),
           {QStringLiteral("doc")},
           [](CliContext& c, const CliArgs& a) {
               if (a.value(QStringLiteral("doc")))
                   return controllaDocumento(c, a);
               return esegui(c, a, QStringLiteral("check ARCHIVE [--doc N]"), [](AppState& s) {
                   const FileErrori f = EseguiControlli(s);
                   return QStringList{f.generali, f.classe, f.fonti};
               });
           }});
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
