#include "app/cli/Cli.h"

#include "store/Archivio.h"
#include "store/ArchivioInUso.h"
#include "store/FileLookup.h"
#include "store/Template.h"

#include <QFile>
#include <QFileInfo>

namespace {

int init(CliContext& c, const CliArgs& a) {
    const QStringList created = c.state.home.ensureLayout();
    c.out << "Cartella home: " << c.state.home.root() << Qt::endl;
    if (created.isEmpty())
        c.out << "Niente da creare: la cartella era già pronta." << Qt::endl;
    for (const QString& item : created)
        c.out << "  creato " << item << Qt::endl;
    if (a.flag(QStringLiteral("refresh-head"))) {
        const HomeFolder::RefreshedHead head = c.state.home.refreshHead();
        if (!head.replaced)
            c.out << "La testata della stampa è già quella installata: " << c.state.home.headPath()
                  << Qt::endl;
        else if (!head.backup.isEmpty())
            c.out << "Testata della stampa aggiornata: " << c.state.home.headPath() << Qt::endl
                  << "  la precedente è in " << head.backup << Qt::endl;
    }
    return 0;
}

int nuovo(CliContext& c, const CliArgs& a) {
    if (a.positional().size() != 1) {
        c.err << "Uso: quillaro-cli new NAME --centro C --anno YYYY --consegna N --inizio N" << Qt::endl;
        return 2;
    }
    InformazioneConsegna info;
    info.centro = a.value(QStringLiteral("centro")).value_or(QString());
    info.anno = a.value(QStringLiteral("anno")).value_or(QString());
    info.consegna = a.value(QStringLiteral("consegna")).value_or(QString());
    info.inizio = a.value(QStringLiteral("inizio")).value_or(QString());
    if (!info.completa()) {
        c.err << "Informazioni incomplete!" << Qt::endl;
        c.err << "Archivio nuovo non creato!" << Qt::endl;
        return 1;
    }
    // A name, never a path: the new archive is always mdb/NAME.db of the home.
    const QString nome = a.positional().first();
    if (const QString motivo = MotivoNomeArchivio(nome); !motivo.isEmpty()) {
        c.err << "Nome archivio non valido: " << motivo << Qt::endl;
        return 1;
    }
    const NuovoArchivio result = CreaArchivio(c.state, c.state.home.mdbPath(NomeArchivioValido(nome)), info);
    if (result.esito != EsitoNuovoArchivio::Creato) {
        c.err << result.message << Qt::endl;
        return 1;
    }
    c.out << "Archivio creato: " << result.path << Qt::endl;
    return 0;
}

int info(CliContext& c, const CliArgs& a) {
    if (a.positional().size() != 1) {
        c.err << "Uso: quillaro-cli info ARCHIVE" << Qt::endl;
        return 2;
    }
    if (!c.openArchive(a.positional().first(), false))
        return 1;
    static const char* const names[InfoCount] = {
        "IDCentroSpoglio",  "AnnoProduzione",  "Consegna",        "NumInizio",
        "Storico",          "Celex",           "StampaCompleta",  "StampaSoloTesto",
        "StampaConsistenze", "StampaProspetto", "VisualizzaErroriGenerici", "VisualizzaErroriClasse",
        "VisualizzaErroriFonti"};
    for (int i = 0; i < InfoCount; ++i)
        c.out << names[i] << ": " << c.state.Info.value(i) << Qt::endl;
    const QDateTime adesso = QDateTime::currentDateTimeUtc();
    for (const UsoArchivio& u : AltriUsi(c.state.NomeArchivio))
        c.out << "In uso da: " << DescrizioneUso(u, adesso) << " (" << u.programma << ", processo " << u.pid
              << ")" << Qt::endl;
    return 0;
}

int demo(CliContext& c, const CliArgs&) {
    const QString path = c.state.home.mdbPath(QStringLiteral("DEMO.db"));
    // The old demo goes only when the new one is whole: an interrupted run leaves one of the two.
    replaceDemoArchive(path);
    c.out << "Archivio dimostrativo: " << path << Qt::endl;
    return 0;
}

} // namespace

void registerStoreCommands(CliRegistry& r) {
    r.add({QStringLiteral("init"),
           QStringLiteral("init [--refresh-head]"),
           QStringLiteral(
               "prepara la cartella home (mdb/, dump/, modello, catalogo, immagini); --refresh-head "
               "sostituisce \"testata new.rtf\" con quella installata, tenendo la vecchia come .bak"),
           {},
           init});
    r.add({QStringLiteral("new"), QStringLiteral("new NAME --centro C --anno YYYY --consegna N --inizio N"),
           QStringLiteral("crea mdb/NAME.db dal modello con le informazioni di consegna"),
           {QStringLiteral("centro"), QStringLiteral("anno"), QStringLiteral("consegna"), QStringLiteral("inizio")},
           nuovo});
    r.add({QStringLiteral("info"), QStringLiteral("info ARCHIVE"),
           QStringLiteral("mostra le 13 informazioni di consegna (tabInfo)"), {}, info});
    r.add({QStringLiteral("demo"), QStringLiteral("demo"), QStringLiteral("(ri)crea l'archivio dimostrativo mdb/DEMO.db"),
           {}, demo});
}
