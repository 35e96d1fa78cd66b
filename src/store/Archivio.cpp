#include "store/Archivio.h"

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

bool LeggiInfo(AppState& state) {
    try {
        RecordSet rs = state.Connessione.ApriRS(QStringLiteral("select * from tabInfo"));
        QStringList info;
        for (int i = 0; i < InfoCount; ++i)
            info << (rs.eof() ? QString() : rs.field(QString::fromLatin1(kInfoColumns[i])).toString());
        if (rs.eof())
            state.ui().message(QStringLiteral("Nessun record corrente: l'archivio non ha le informazioni di consegna."));
        state.Info = info;
        return !rs.eof();
    } catch (const DbError& e) {
        state.ui().message(e.description());
        return false;
    }
}

bool ApriArchivio(AppState& state, const QString& path) {
    state.NomeArchivio = path;
    state.StringaConnessione = cConnessione::connectionStringFor(path);
    if (path.isEmpty() || !state.Connessione.ApriConnessione(state.StringaConnessione)) {
        state.ui().message(QStringLiteral("Errore nell'apertura del db"));
        state.ArchivioAperto = false;
        return false;
    }
    state.ArchivioAperto = true;
    LeggiInfo(state);
    return true;
}

void ChiudiArchivio(AppState& state) {
    if (!state.ArchivioAperto)
        return;
    state.Connessione.ChiudiConnessione();
    state.ArchivioAperto = false;
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
    QString base = info.fileName();
    if (info.suffix().compare(u"db", Qt::CaseInsensitive) == 0)
        base.chop(3);
    if (base.isEmpty())
        return {};
    return info.absoluteDir().filePath(base.toUpper() + QStringLiteral(".db"));
}

bool nameTaken(const QString& path) {
    const QFileInfo info(path);
    if (info.exists())
        return true;
    const QStringList entries = info.absoluteDir().entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries)
        if (entry.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

NuovoArchivio CreaArchivio(AppState& state, const QString& chosenPath, const InformazioneConsegna& info) {
    NuovoArchivio result;
    const QString target = chosenPath.trimmed().isEmpty() ? QString() : NomeArchivioNuovo(chosenPath);
    if (target.isEmpty()) {
        result.esito = EsitoNuovoArchivio::NomeNonValido;
        result.message = QStringLiteral("Nome archivio non valido");
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
        markFile(part, cConnessione::kApplicationId); // the template has a mark of its own
        cConnessione connection;
        if (!connection.ApriConnessione(cConnessione::connectionStringFor(part)))
            throw std::runtime_error(
                QStringLiteral("il modello non è un archivio valido: %1").arg(connection.lastErrorMessage()).toStdString());
        connection.EseguiIstruzione(
            QStringLiteral("insert into tabInfo (IDCentroSpoglio, AnnoProduzione, Consegna, NumInizio) values (?, ?, ?, ?)"),
            {info.centro, info.anno, info.consegna, info.inizio});
        if (!connection.ChiudiConnessione())
            throw std::runtime_error("chiusura non riuscita");
        if (nameTaken(target) || !QFile::rename(part, target))
            throw std::runtime_error(QStringLiteral("impossibile scrivere %1").arg(target).toStdString());
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
