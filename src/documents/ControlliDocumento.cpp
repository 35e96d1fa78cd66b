#include "documents/ControlliDocumento.h"

#include "checks/Uscite.h"
#include "documents/SalvaDocumento.h"
#include "documents/Testi.h"
#include "sources/CercaFonte.h"

#include <optional>

namespace {

// The families rule 14 examines; the check run picks them with its own statement.
bool esaminataDallaRegola14(const QString& TP) {
    return TP == u"LIO" || TP == u"LICO" || TP == u"LIOA" || TP == u"GICO" || TP == u"GICA";
}

} // namespace

DatiFinestra::DatiFinestra(cConnessione& connection, const DocumentBuffer& buffer, const DatiDocumento& dati)
    : db_(connection), buffer_(buffer), dati_(dati) {}

// The save refuses a document without a journal code (chosen, or kept from the stored reference);
// with one it always finds or makes the reference.
bool DatiFinestra::senzaRiferimento() {
    return RivistaDaMemorizzare(dati_).isEmpty();
}

// Stored as typed.
QVariant DatiFinestra::pagine() {
    return QVariant(dati_.txtPagine);
}

// The save writes a code not given as empty text, never Null.
std::optional<QString> DatiFinestra::TD() {
    return CodiciDaMemorizzare(dati_).TD;
}

std::optional<QString> DatiFinestra::TAbs() {
    return CodiciDaMemorizzare(dati_).TAbs;
}

std::optional<QString> DatiFinestra::Bib() {
    return CodiciDaMemorizzare(dati_).Bib;
}

bool DatiFinestra::straniera() {
    return CodiciDaMemorizzare(dati_).LIN != u"00";
}

// A list the save finds empty leaves the stored links alone, and a loaded list holds them all.
bool DatiFinestra::haResponsabilita() {
    for (const VoceResponsabilita& v : buffer_.ElencoResponsabilita)
        if (!v.Cancellata)
            return true;
    return false;
}

// A text that is empty once cleaned for storing is not stored.
bool DatiFinestra::haEnglishAbstract() {
    return !testoDaMemorizzare(buffer_.TestoEnglishAbstract).isEmpty();
}

std::optional<QString> DatiFinestra::traduzione() {
    const QString t = testoDaMemorizzare(buffer_.TestoTraduzione);
    if (t.isEmpty())
        return std::nullopt;
    return t;
}

bool DatiFinestra::perOgniTipoTesto(const std::function<void(int tipo)>& tipo) {
    const auto testi = TestiDaMemorizzare(buffer_, dati_);
    bool alcuno = false;
    for (size_t i = 0; i < testi.size(); ++i) {
        if (testoDaMemorizzare(*testi[i]).isEmpty())
            continue;
        alcuno = true;
        tipo(QString::fromLatin1(kTipiTesto[i]).toInt());
    }
    return alcuno;
}

bool DatiFinestra::perOgniCoppia(const std::function<void(const CoppiaControllo&)>& coppia) {
    bool alcuna = false;
    const QList<VoceClassificazione>& elenco = buffer_.ElencoClassificazione;
    for (int i = 0; i < elenco.size(); ++i) {
        const VoceClassificazione& v = elenco.at(i);
        if (v.Cancellata)
            continue;
        alcuna = true;
        coppia(CoppiaControllo{v.CodiceS, v.CodiceD, v.Controllo, i});
    }
    return alcuna;
}

bool DatiFinestra::perOgniFonte(const std::function<void(const FonteControllo&)>& fonte) {
    bool alcuna = false;
    const QList<VoceFonte>& elenco = buffer_.ElencoFonti;
    for (int i = 0; i < elenco.size(); ++i) {
        const VoceFonte& v = elenco.at(i);
        if (v.Cancellata)
            continue;
        alcuna = true;
        // EU acts too, for their date alone.
        const bool ue = v.TP == u"NIC";
        if (!ue && !esaminataDallaRegola14(v.TP))
            continue;
        // The act's name as the stored row gives it back: through the key the save looks up. A name
        // that is not in the table cannot be saved, so there is no stored row to examine.
        const QString tabella = ue ? QStringLiteral("tabFonteCom") : QStringLiteral("tabFonteInterna");
        const QString chiaveColonna = ue ? QStringLiteral("IDFonteCom") : QStringLiteral("IDFonteInterna");
        const QString nomeColonna = ue ? QStringLiteral("FonteCom") : QStringLiteral("FonteNorm");
        qint64 chiave = 0;
        {
            RecordSet rs = db_.ApriRS(
                QStringLiteral("select %1 from %2 where %3 = ?").arg(chiaveColonna, tabella, nomeColonna),
                {v.NomeFonte});
            if (rs.eof())
                continue;
            chiave = rs.field(0).toLongLong();
        }
        RecordSet nome = db_.ApriRS(
            QStringLiteral("select %1 from %2 where %3 = ?").arg(nomeColonna, tabella, chiaveColonna),
            {chiave});
        if (nome.eof())
            continue;
        fonte(FonteControllo{v.TP, v.testo, QVariant(v.numero), v.giorno, MeseFonte(v), v.anno,
                             nome.field(0).toString(), i});
    }
    return alcuna;
}

EsitoControlli ControllaFinestra(AppState& state, const DocumentBuffer& buffer, const DatiDocumento& dati) {
    // One read lock for the whole evaluation instead of one per statement; without it the rules
    // still run, only slower.
    std::optional<LetturaUnica> lettura;
    try {
        lettura.emplace(state.Connessione);
    } catch (const DbError&) {
    }
    DatiFinestra fonte(state.Connessione, buffer, dati);
    return Controlla(state, fonte);
}

QString RigaRilieviAperti(qsizetype rilievi) {
    if (rilievi <= 0)
        return {};
    return (rilievi == 1 ? QStringLiteral("Resta 1 rilievo dei controlli")
                         : QStringLiteral("Restano %1 rilievi dei controlli").arg(rilievi)) +
           QStringLiteral(": vedere il riquadro \"Controlli\" della finestra.");
}
