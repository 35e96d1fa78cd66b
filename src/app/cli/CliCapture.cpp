#include "app/cli/Cli.h"
#include "capture/Cattura.h"

namespace {

const QString kUsoCapture = QStringLiteral("capture ADDRESS_OR_DOI [--format text|json]");

// Exit 1 when nothing could be read (offline, 404, not a page, time out), 2 for input that is
// neither a DOI nor an address. The steps go to standard error, the fields to standard output.
int comandoCapture(CliContext& c, const CliArgs& a) {
    if (a.positional().size() != 1) {
        c.err << "Uso: quillaro-cli " << kUsoCapture << Qt::endl;
        return 2;
    }
    const QString formato = a.value(QStringLiteral("format")).value_or(QStringLiteral("text"));
    if (formato != u"text" && formato != u"json") {
        c.err << "Formato sconosciuto: " << formato << " (text o json)" << Qt::endl;
        return 2;
    }
    const IndirizzoCattura indirizzo = InterpretaIndirizzo(a.positional().first());
    if (indirizzo.tipo == IndirizzoCattura::Tipo::NonValido) {
        c.err << indirizzo.errore << Qt::endl;
        return 2;
    }
    const EsitoCattura esito = CatturaInAttesa(indirizzo, OpzioniCattura::da(c.state.settings),
                                               [&c](const QString& passo) { c.err << passo << Qt::endl; });
    for (const QString& avviso : esito.avvisi)
        c.err << avviso << Qt::endl;
    if (!esito.letto) {
        c.err << esito.errore << Qt::endl;
        return 1;
    }
    if (formato == u"json")
        c.out << QString::fromUtf8(JsonMetadati(esito.metadati));
    else
        c.out << TestoMetadati(esito.metadati);
    c.out.flush();
    return 0;
}

} // namespace

void registerCaptureCommands(CliRegistry& r) {
    r.add({QStringLiteral("capture"),
           kUsoCapture,
           QStringLiteral(
               "legge i dati di un articolo dalla sua pagina web o dal suo DOI e li stampa con la loro "
               "origine"),
           {QStringLiteral("format")},
           comandoCapture});
}
