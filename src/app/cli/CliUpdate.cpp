#include "app/cli/Cli.h"
#include "update/Aggiornamento.h"

#include <QFileInfo>

namespace {

int update(CliContext& c, const CliArgs& a) {
    static const QList<std::pair<QString, TipoAggiornamento>> kinds = {
        {QStringLiteral("checks"), TipoAggiornamento::Controlli},
        {QStringLiteral("notes"), TipoAggiornamento::NoteCompilatore},
        {QStringLiteral("new-entries"), TipoAggiornamento::Nuovi},
        {QStringLiteral("celex"), TipoAggiornamento::Celex},
        {QStringLiteral("hudoc"), TipoAggiornamento::Hudoc},
        {QStringLiteral("nir"), TipoAggiornamento::Nir},
        {QStringLiteral("count"), TipoAggiornamento::Conteggio}};
    if (a.positional().size() != 2) {
        c.err << "Uso: quillaro-cli update SIGLE_FILE {checks|notes|new-entries|celex|hudoc|nir|count}"
              << Qt::endl;
        return 2;
    }
    const QString& file = a.positional()[0];
    const QString path =
        file.contains(u'/') ? QFileInfo(file).absoluteFilePath() : c.state.home.mdbPath(file);
    if (!QFileInfo(path).isFile()) {
        c.err << "File sigle non trovato: " << path << Qt::endl;
        return 1;
    }
    auto kind =
        std::find_if(kinds.begin(), kinds.end(), [&](const auto& k) { return k.first == a.positional()[1]; });
    if (kind == kinds.end()) {
        c.err << "Tipo di aggiornamento sconosciuto: " << a.positional()[1] << Qt::endl;
        return 2;
    }
    const EsitoAggiornamento esito = EseguiAggiornamento(c.state, kind->second, path);
    if (!esito.completato) {
        c.err << esito.errore << Qt::endl;
        return 1;
    }
    if (esito.scritto)
        c.out << "File scritto: " << esito.percorso << Qt::endl;
    for (const QString& avviso : esito.inUso)
        c.err << "Attenzione: " << avviso << '.' << Qt::endl;
    // The file lacks the deliveries whose archives could not be opened or whose lines were refused;
    // with none run there is no file at all.
    int code = 0;
    for (const QString& line :
         {MessaggioSaltate(esito), MessaggioRifiutate(esito), MessaggioNessunFile(esito)})
        if (!line.isEmpty()) {
            c.err << line << Qt::endl;
            code = 1;
        }
    return code;
}

} // namespace

void registerUpdateCommands(CliRegistry& r) {
    r.add({QStringLiteral("update"),
           QStringLiteral("update SIGLE_FILE {checks|notes|new-entries|celex|hudoc|nir|count}"),
           QStringLiteral("esegue un aggiornamento sugli archivi del file sigle (percorso o nome in mdb/)"),
           {},
           update});
}
