#include "checks/ImprontaControllo.h"

#include "store/SezioniIni.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace {

const QString kSezione = QStringLiteral("controlli");
// Deliveries checked in this home whose impronta is kept; the oldest go first.
constexpr int kImpronteTenute = 50;

QString canonico(const QString& path) {
    const QFileInfo file(path);
    const QString c = file.canonicalFilePath();
    return c.isEmpty() ? file.absoluteFilePath() : c;
}

// The archive on the main connection (also during an update batch, which opens each in turn).
QString archivioInUso(const AppState& state) {
    return state.Connessione.isOpen() ? canonico(state.Connessione.path()) : QString();
}

QString chiave(const FileErrori& elenchi) {
    return CodificaIni(QFileInfo(elenchi.generali).fileName());
}

// Size and modification time of a list: another run that rewrites it changes one of them.
QString firmaFile(const QString& path) {
    const QFileInfo file(path);
    if (!file.isFile())
        return {};
    return QString::number(file.size()) + u':' + QString::number(file.lastModified().toMSecsSinceEpoch());
}

struct Impronta {
    quint32 contatore = 0;
    QString firme; // the three lists' firmaFile, joined by "|"
    QString archivio;

    static std::optional<Impronta> da(const QString& valore) {
        const QStringList campi = valore.split(u'|');
        bool ok = false;
        if (campi.size() != 5)
            return std::nullopt;
        const quint32 contatore = campi[0].toUInt(&ok);
        if (!ok)
            return std::nullopt;
        return Impronta{contatore, campi.mid(1, 3).join(u'|'), DecodificaIni(campi[4])};
    }
    QString valore() const {
        return QString::number(contatore) + u'|' + firme + u'|' + CodificaIni(archivio);
    }
};

QString firme(const FileErrori& elenchi) {
    return firmaFile(elenchi.generali) + u'|' + firmaFile(elenchi.classe) + u'|' + firmaFile(elenchi.fonti);
}

QList<VoceIni> leggi(const AppState& state) {
    return LeggiSezioneIni(state.home.settingsPath(), kSezione);
}

void scrivi(const AppState& state, const QList<VoceIni>& voci) {
    // Without the impronta the lists only read as to be redone: nothing is lost when it cannot be
    // written.
    ScriviSezioneIni(state.home.settingsPath(), kSezione,
                     {QStringLiteral("kept by the program: the archive state each check's lists describe "
                                     "(list=counter|lists|archive)")},
                     voci);
}

} // namespace

std::optional<quint32> ContatoreModifiche(const QString& archivio) {
    QFile file(archivio);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray testata = file.read(28);
    if (testata.size() < 28 || !testata.startsWith("SQLite format 3"))
        return std::nullopt;
    return qFromBigEndian<quint32>(testata.constData() + 24);
}

void AnnullaImpronta(const AppState& state, const FileErrori& elenchi) {
    QList<VoceIni> voci = leggi(state);
    const QString k = chiave(elenchi);
    if (voci.removeIf([&k](const VoceIni& v) { return v.chiave == k; }) > 0)
        scrivi(state, voci);
}

void RegistraImpronta(const AppState& state, const FileErrori& elenchi) {
    const QString archivio = archivioInUso(state);
    const auto contatore = ContatoreModifiche(archivio);
    if (archivio.isEmpty() || !contatore)
        return;
    QList<VoceIni> voci = leggi(state);
    const QString k = chiave(elenchi);
    voci.removeIf([&k](const VoceIni& v) { return v.chiave == k; });
    voci.prepend({k, Impronta{*contatore, firme(elenchi), archivio}.valore()});
    while (voci.size() > kImpronteTenute)
        voci.removeLast();
    scrivi(state, voci);
}

EsitoImpronta VerificaImpronta(const AppState& state, const FileErrori& elenchi) {
    const QString archivio = archivioInUso(state);
    const auto contatore = ContatoreModifiche(archivio);
    if (archivio.isEmpty() || !contatore || firmaFile(elenchi.generali).isEmpty())
        return EsitoImpronta::Assente;
    const QString k = chiave(elenchi);
    for (const VoceIni& v : leggi(state)) {
        if (v.chiave != k)
            continue;
        const auto impronta = Impronta::da(v.valore);
        if (!impronta || impronta->archivio != archivio || impronta->firme != firme(elenchi))
            return EsitoImpronta::Assente;
        return impronta->contatore == *contatore ? EsitoImpronta::Valida : EsitoImpronta::ArchivioModificato;
    }
    return EsitoImpronta::Assente;
}

SeguitoImpronta::SeguitoImpronta(const AppState& state) : state_(state) {
    // Inside a transaction the write reaches the file only at its commit: the counter would not
    // move here, and the impronta then reads as to be redone, which is safe.
    if (state.Connessione.transactionDepth() > 0)
        return;
    archivio_ = archivioInUso(state);
    if (!archivio_.isEmpty())
        prima_ = ContatoreModifiche(archivio_);
}

void SeguitoImpronta::avanza() {
    if (!prima_)
        return;
    const auto dopo = ContatoreModifiche(archivio_);
    if (!dopo || *dopo == *prima_)
        return;
    QList<VoceIni> voci = leggi(state_);
    bool mossa = false;
    for (VoceIni& v : voci) {
        auto impronta = Impronta::da(v.valore);
        if (!impronta || impronta->archivio != archivio_ || impronta->contatore != *prima_)
            continue;
        impronta->contatore = *dopo;
        v.valore = impronta->valore();
        mossa = true;
    }
    if (mossa)
        scrivi(state_, voci);
}
