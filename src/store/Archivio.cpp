#include "store/Archivio.h"

#include "store/ArchivioInUso.h"
#include "store/FileLookup.h"
#include "store/MessaggiErrore.h"
#include "store/Template.h"

#include <QDir>
#include <QFileInfo>

namespace {

const char* const kInfoColumns[InfoCount] = {
    "IDCentroSpoglio", "AnnoProduzione",   "Consegna",          "NumInizio",
    "Storico",         "Celex",            "StampaCompleta",    "StampaSoloTesto",
    "StampaConsistenze", "StampaProspetto", "VisualizzaErroriGenerici", "VisualizzaErroriClasse",
    "VisualizzaErroriFonti"};

} // namespace

namespace {

enum class EsitoInfo { Letta, Mancante, Errore };

EsitoInfo leggiInfo(AppState& state, QString* errore) {
    try {
        RecordSet rs = state.Connessione.ApriRS(QStringLiteral("select * from tabInfo"));
        QStringList info;
        for (int i = 0; i < InfoCount; ++i)
            info << (rs.eof() ? QString() : rs.field(QString::fromLatin1(kInfoColumns[i])).toString());
        state.Info = info;
        return rs.eof() ? EsitoInfo::Mancante : EsitoInfo::Letta;
    } catch (const DbError& e) {
        *errore = MessaggioErroreDb(QStringLiteral("Le informazioni di consegna (tabInfo) non si possono leggere."), e);
        return EsitoInfo::Errore;
    }
}

const QString kInfoMancanti = QStringLiteral("Nessun record corrente: l'archivio non ha le informazioni di consegna.");

// Another program has the archive: the operator decides whether two work on it at once.
bool confermaUso(AppState& state, const QString& path) {
    const QList<UsoArchivio> altri = AltriUsi(path);
    if (altri.isEmpty())
        return true;
    return state.ui().message(
               AvvisoUso(path, altri, QDateTime::currentDateTimeUtc()) +
                   QStringLiteral(
                       ".\nSe lo aprite anche qui, lavorate su documenti diversi: un documento "
                       "modificato nel frattempo dall'altro programma non viene sovrascritto senza "
                       "chiedere.\n\nAprire l'archivio?"),
               QStringLiteral("Archivio in uso"), Buttons::YesNo, Icon::Warning) == Answer::Yes;
}

} // namespace

bool LeggiInfo(AppState& state) {
    QString errore;
    switch (leggiInfo(state, &errore)) {
    case EsitoInfo::Letta:
        return true;
    case EsitoInfo::Mancante:
        state.ui().message(kInfoMancanti);
        return false;
    case EsitoInfo::Errore:
        state.ui().message(errore);
        return false;
    }
    return false;
}

EsitoApertura ApriArchivioEsito(AppState& state, const QString& path) {
    state.NomeArchivio = path;
    state.StringaConnessione = cConnessione::connectionStringFor(path);
    EsitoApertura esito;
    const auto rifiuta = [&](const QString& motivo) {
        state.ArchivioAperto = false;
        esito.motivo = motivo;
        return esito;
    };
    if (path.isEmpty())
        return rifiuta({});
    if (!state.Connessione.ApriConnessione(state.StringaConnessione, FileKind::DeliveryArchive))
        return rifiuta(state.Connessione.lastErrorMessage());
    if (state.segnaArchiviAperti && !confermaUso(state, path)) {
        state.Connessione.ChiudiConnessione();
        state.ArchivioAperto = false;
        esito.rinuncia = true;
        return esito;
    }
    state.ArchivioAperto = true;
    QString errore;
    switch (leggiInfo(state, &errore)) {
    case EsitoInfo::Letta:
        break;
    case EsitoInfo::Mancante:
        // The operator is told and the archive stays open, as the system always did.
        esito.avviso = kInfoMancanti;
        break;
    case EsitoInfo::Errore:
        // A delivery whose information cannot be read is not worked on: every run would write
        // files without its number.
        state.Connessione.ChiudiConnessione();
        for (QString& value : state.Info)
            value.clear();
        return rifiuta(errore);
    }
    if (state.segnaArchiviAperti) {
        state.sessioneUso = NuovaSessione();
        RegistraUso(path, QuestoUso(state.sessioneUso));
    }
    esito.aperto = true;
    return esito;
}

bool ApriArchivio(AppState& state, const QString& path) {
    const EsitoApertura esito = ApriArchivioEsito(state, path);
    if (esito.aperto) {
        if (!esito.avviso.isEmpty())
            state.ui().message(esito.avviso);
    } else if (!esito.rinuncia) {
        // The cancelled dialog keeps its one line; any other refusal says what the file is.
        state.ui().message(esito.motivo.isEmpty()
                               ? QStringLiteral("Errore nell'apertura del db")
                               : QStringLiteral("Errore nell'apertura del db\n") + esito.motivo);
    }
    return esito.aperto;
}

void ChiudiArchivio(AppState& state) {
    if (!state.ArchivioAperto)
        return;
    state.Connessione.ChiudiConnessione();
    state.ArchivioAperto = false;
    if (!state.sessioneUso.isEmpty()) {
        RilasciaUso(state.NomeArchivio, state.sessioneUso);
        state.sessioneUso.clear();
    }
}

void RinnovaUsoArchivio(AppState& state) {
    if (state.ArchivioAperto && !state.sessioneUso.isEmpty())
        RegistraUso(state.NomeArchivio, QuestoUso(state.sessioneUso));
}

bool InformazioneConsegna::completa() const {
    return !consegna.isEmpty() && !inizio.isEmpty() && !centro.isEmpty() && centro != u"Centro spoglio" &&
           !anno.isEmpty() && anno != u"Anno produzione";
}

QStringList CentriSpoglio() {
    QStringList items;
    for (char c = '1'; c <= '9'; ++c)
        items << QString(QChar(c));
    for (char c = 'A'; c <= 'H'; ++c)
        items << QString(QChar(c));
    items << QStringLiteral("J") << QStringLiteral("K") << QStringLiteral("I");
    for (char c = 'L'; c <= 'Z'; ++c)
        items << QString(QChar(c));
    return items;
}

QStringList AnniProduzione(const QDate& today) {
    QStringList years;
    for (int y = today.year() - 1; y <= today.year() + 2; ++y)
        years << QString::number(y);
    return years;
}

QString NomeArchivioNuovo(const QString& chosenPath) {
    const QFileInfo info(chosenPath);
    // "cons.mdb", the name operators are used to type, is the archive CONS.db.
    const QString base = NomeSenzaEstensione(info.fileName());
    if (base.isEmpty())
        return {};
    return info.absoluteDir().filePath(base.toUpper() + QStringLiteral(".db"));
}

bool nameTaken(const QString& path) {
    const QFileInfo info(path);
    return !findIgnoringCase(info.absolutePath(), info.fileName(),
                             QDir::AllEntries | QDir::Hidden | QDir::System)
                .isEmpty();
}

void ApriCopiaModello(cConnessione& connection, const QString& copy) {
    if (!connection.ApriConnessione(cConnessione::connectionStringFor(copy), FileKind::Template))
        throw std::runtime_error(QStringLiteral("il modello degli archivi (masterOnline.db) non è valido.\n%1")
                                     .arg(connection.lastErrorMessage())
                                     .toStdString());
}

void SegnaComeArchivio(cConnessione& connection) {
    connection.EseguiIstruzione(QStringLiteral("PRAGMA application_id = %1").arg(cConnessione::kApplicationId));
}

NuovoArchivio CreaArchivio(AppState& state, const QString& chosenPath, const InformazioneConsegna& info) {
    NuovoArchivio result;
    const QString motivo =
        MotivoNomeArchivio(NomeSenzaEstensione(QFileInfo(chosenPath.trimmed()).fileName()));
    const QString target = motivo.isEmpty() ? NomeArchivioNuovo(chosenPath) : QString();
    if (target.isEmpty()) {
        result.esito = EsitoNuovoArchivio::NomeNonValido;
        result.message = QStringLiteral("Nome archivio non valido: ") + motivo;
        return result;
    }
    result.path = target;
    if (nameTaken(target)) {
        result.esito = EsitoNuovoArchivio::NomeEsistente;
        result.message = QStringLiteral("L'archivio %1 esiste già: scegliere un altro nome!").arg(target);
        return result;
    }
    // The archive is made under a temporary name and appears under its own only when complete.
    const QString part = target + QStringLiteral(".new");
    try {
        QFile::remove(part);
        copyNewFile(state.home.templatePath(), part);
        cConnessione connection;
        ApriCopiaModello(connection, part);
        {
            Transaction t(connection);
            connection.EseguiIstruzione(
                QStringLiteral("insert into tabInfo (IDCentroSpoglio, AnnoProduzione, Consegna, NumInizio) "
                               "values (?, ?, ?, ?)"),
                {info.centro, info.anno, info.consegna, info.inizio});
            SegnaComeArchivio(connection);
            t.commit();
        }
        if (!connection.ChiudiConnessione())
            throw std::runtime_error("chiusura non riuscita");
        if (nameTaken(target))
            throw std::runtime_error(QStringLiteral("impossibile scrivere %1").arg(target).toStdString());
        moveIntoPlace(part, target);
    } catch (const DbError& e) {
        QFile::remove(part);
        result.esito = EsitoNuovoArchivio::Errore;
        result.message = QStringLiteral("Archivio nuovo non creato: %1").arg(e.description());
        return result;
    } catch (const std::exception& e) {
        QFile::remove(part);
        result.esito = EsitoNuovoArchivio::Errore;
        result.message = QStringLiteral("Archivio nuovo non creato: %1").arg(QString::fromStdString(e.what()));
        return result;
    }
    result.esito = EsitoNuovoArchivio::Creato;
    return result;
}

void StatoMenu::dopoAvvio() {
    fileApri = true;
    fileNuovo = true;
    fileChiudi = false;
    documenti = false;
    utilitaDocumenti = false;
}

void StatoMenu::dopoApertura() {
    fileApri = false;
    fileNuovo = false;
    fileChiudi = true;
    documenti = true;
    utilitaDocumenti = true;
}

void StatoMenu::dopoChiusura() {
    fileApri = true;
    fileNuovo = true;
    fileChiudi = false;
    documenti = false;
    utilitaDocumenti = false;
}

void StatoMenu::dopoNuovo() {
    fileApri = true;
    fileNuovo = false;
    fileChiudi = false;
    documenti = false;
}
