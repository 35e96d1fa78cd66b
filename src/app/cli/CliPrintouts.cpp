#include "app/cli/Cli.h"
#include "printouts/StampaConsegna.h"
#include "printouts/StampaConsistenza.h"
#include "printouts/StampaProspetto.h"

namespace {

const QString kUsoPrint = QStringLiteral("print ARCHIVE --complete|--texts [--filter]");
const QString kUsoSummary = QStringLiteral("summary ARCHIVE");
const QString kUsoConsistency = QStringLiteral("consistency ARCHIVE");

int uso(CliContext& c, const QString& usage) {
    c.err << "Uso: quillaro-cli " << usage << Qt::endl;
    return 2;
}

int concludi(CliContext& c, const EsitoStampa& esito) {
    if (!esito.ok) {
        c.err << MessaggioStampaNonRiuscita(esito) << Qt::endl;
        return 1;
    }
    c.out << "File scritto: " << esito.path << Qt::endl;
    return 0;
}

int print(CliContext& c, const CliArgs& a) {
    const bool completa = a.flag(QStringLiteral("complete"));
    const bool testi = a.flag(QStringLiteral("texts"));
    const bool filtro = a.flag(QStringLiteral("filter"));
    if (a.positional().size() != 1 || completa == testi || (filtro && !testi))
        return uso(c, kUsoPrint);
    if (!c.openArchive(a.positional().first()))
        return 1;
    return concludi(c, StampaConsegna(c.state, completa, filtro));
}

int summary(CliContext& c, const CliArgs& a) {
    if (a.positional().size() != 1)
        return uso(c, kUsoSummary);
    if (!c.openArchive(a.positional().first()))
        return 1;
    return concludi(c, StampaProspetto(c.state));
}

int consistency(CliContext& c, const CliArgs& a) {
    if (a.positional().size() != 1)
        return uso(c, kUsoConsistency);
    if (!c.openArchive(a.positional().first()))
        return 1;
    return concludi(c, StampaConsistenza(c.state));
}

} // namespace

void registerPrintoutCommands(CliRegistry& r) {
    r.add({QStringLiteral("print"),
           kUsoPrint,
           QStringLiteral("stampa RTF della consegna (completa o solo testi) in dump/stampaRTF-*.rtf"),
           {},
           print});
    r.add({QStringLiteral("summary"),
           kUsoSummary,
           QStringLiteral("prospetto HTML per fascicolo in dump/prospetto <Consegna>.html"),
           {},
           summary});
    r.add({QStringLiteral("consistency"),
           kUsoConsistency,
           QStringLiteral("consistenza per fascicolo in dump/consistenza.<Consegna>"),
           {},
           consistency});
}
