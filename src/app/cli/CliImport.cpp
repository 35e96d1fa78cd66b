#include "app/cli/Cli.h"
#include "import/ImportaArchivio.h"

#include <QFileInfo>

namespace {

void stampa(QTextStream& stream, const QStringList& lines) {
    for (const QString& line : lines)
        stream << line << Qt::endl;
}

int importa(CliContext& c, const CliArgs& a) {
    const bool modello = a.flag(QStringLiteral("template"));
    const bool catalogo = a.flag(QStringLiteral("catalogue"));
    const std::optional<QString> nome = a.value(QStringLiteral("as"));
    if (a.positional().size() != 1 || (modello && catalogo) || ((modello || catalogo) && nome)) {
        c.err << "Uso: quillaro-cli import FILE.mdb [--as NAME]" << Qt::endl
              << "     quillaro-cli import FILE.mdb --template | --catalogue" << Qt::endl;
        return 2;
    }
    const QString file = a.positional().first();
    EsitoImportazione esito;
    if (modello)
        esito = ImportaModello(c.state, file);
    else if (catalogo)
        esito = ImportaCatalogo(c.state, file);
    else
        esito = ImportaArchivio(c.state, file, nome.value_or(NomeProposto(file)));
    if (!esito.riuscita) {
        c.err << esito.messaggio << Qt::endl;
        return 1;
    }
    stampa(c.out, esito.riepilogo());
    return esito.riepilogoNonScritto.isEmpty() ? 0 : 1;
}

int importaTutti(CliContext& c, const CliArgs& a) {
    if (a.positional().size() != 1) {
        c.err << "Uso: quillaro-cli import-all FOLDER" << Qt::endl;
        return 2;
    }
    const EsitoCartella esito =
        ImportaCartella(c.state, a.positional().first(), nullptr, [&](const VoceCartella& v, int i, int n) {
            c.out << QStringLiteral("[%1/%2] ").arg(i).arg(n) << v.riga() << Qt::endl;
        });
    if (!esito.messaggio.isEmpty()) {
        c.err << esito.messaggio << Qt::endl;
        return 1;
    }
    // The line of each archive was printed when it was done; the totals close the run.
    stampa(c.out, esito.totali());
    if (!esito.dove().isEmpty())
        c.out << esito.dove() << Qt::endl;
    return esito.completo() ? 0 : 1;
}

} // namespace

void registerImportCommands(CliRegistry& r) {
    r.add({QStringLiteral("import"),
           QStringLiteral("import FILE.mdb [--as NAME] [--template|--catalogue]"),
           QStringLiteral(
               "importa un archivio Access in mdb/NAME.db; --template ne fa il modello, --catalogue il "
               "catalogo norme"),
           {QStringLiteral("as")},
           importa});
    r.add({QStringLiteral("import-all"),
           QStringLiteral("import-all FOLDER"),
           QStringLiteral("importa ogni archivio di consegna (.mdb) di una cartella"),
           {},
           importaTutti});
}
