#include "sources/ModificaFonte.h"

#include "sources/CercaFonte.h"
#include "sources/Componi.h"
#include "sources/ElenchiFonti.h"
#include "sources/PaginaFonte.h"
#include "store/Dialogs.h"
#include "store/mdlGlobale.h"

SchedaFonte MostraFonte(const VoceFonte& v) {
    SchedaFonte s;
    s.txtTP = v.TP;
    s.txtFonte = v.NomeFonte;
    s.txtGG = v.giorno;
    s.txtMM = v.mese;
    s.txtAA = v.anno;
    s.txtArt = v.articolo;
    s.txtComma = v.comma;
    s.txtLett = v.lettera;
    s.txtAll = v.allegato;
    s.txtRipA = v.ripa;
    s.txtRipC = v.ripc;
    s.txtN = v.numero;
    s.txtNumP = v.numerop;
    s.txtAltro = v.altro;
    s.txtAmministrazione = v.Amministrazione;
    s.txtAutorita = v.Autorita;
    s.txtCitta = v.Citta;
    s.txtSezione = v.Sezione;
    s.txtRegione = v.Regione;
    s.txtProvincia = v.Provincia;
    s.txtStato = v.Stato;
    s.txtTesto = fonteConSigla(v.TP) ? v.testo + u'*' + v.TP + u'*' : v.testo;
    s.chkDecr = v.Decreto;
    s.chkOrd = v.Ordinanza;
    return s;
}

QString TestoSenzaSigla(const QString& testo) {
    const qsizetype asterisco = testo.indexOf(u'*');
    return asterisco < 0 ? testo : testo.left(asterisco);
}

ValoriFissi ValoriFissiArchivio(cConnessione& connection) {
    return {ElencoProvince(connection), ElencoRegioni(connection),
            [&connection](const VoceFonte& v) { return NomeFonteNoto(connection, v); }};
}

namespace {

// A province or region given as one of the list's codes, written as the list writes it; false,
// after the message, when it is none of them.
bool luogoNoto(QString& campo, const QString& nome, const QStringList& righe, Dialogs& dialogs) {
    if (campo.trimmed().isEmpty())
        return true;
    if (const std::optional<QString> codice = CodiceDaElenco(campo, righe)) {
        campo = *codice;
        return true;
    }
    QStringList codici;
    for (const QString& riga : righe)
        codici << riga.section(u' ', 0, 0);
    dialogs.message(QStringLiteral("%1 \"%2\" non riconosciuta: la modifica non è stata confermata.\n"
                                   "Scrivere la sigla di una delle %3 dell'archivio (%4) oppure lasciare il "
                                   "campo vuoto.")
                        .arg(nome, campo,
                             nome == u"Provincia" ? QStringLiteral("province") : QStringLiteral("regioni"),
                             codici.join(QStringLiteral(", "))),
                    applicationTitle(), Buttons::Ok, Icon::Warning);
    return false;
}

} // namespace

bool ConfermaModificaFonte(DocumentBuffer& buffer, const SchedaFonte& scheda, Dialogs& dialogs,
                           const ValoriFissi& fissi) {
    if (buffer.IndiceFonte < 0 || buffer.IndiceFonte >= buffer.ElencoFonti.size())
        return true;
    SchedaFonte s = scheda;
    if (!s.txtMM.isEmpty() && MeseNumero(s.txtMM) == u"0") {
        dialogs.message(QStringLiteral("Il mese va scritto per esteso, in minuscolo (gennaio ... dicembre), "
                                       "oppure lasciato vuoto!"),
                        QStringLiteral("Attenzione!"), Buttons::Ok, Icon::Warning);
        return false;
    }
    // Only the family code may follow the text between asterisks: anything after a first "*" would
    // be lost.
    const qsizetype asterisco = s.txtTesto.indexOf(u'*');
    if (asterisco >= 0 && (s.txtTesto.count(u'*') != 2 || !s.txtTesto.endsWith(u'*'))) {
        dialogs.message(MessaggiFonte::asterisco(), applicationTitle(), Buttons::Ok, Icon::Warning);
        return false;
    }
    // What the save looks up and cannot add, checked as the entry pages check it: refused here
    // rather than by the save, with the whole document, as error 3021.
    VoceFonte voce;
    CopiaScheda(s, voce);
    if (fissi.nomeNoto && !fissi.nomeNoto(voce)) {
        dialogs.message(QStringLiteral("Fonte \"%1\" non presente negli elenchi delle fonti di tipo %2: la "
                                       "modifica non è stata confermata.\nScrivere il nome come lo mostrano "
                                       "gli elenchi della finestra delle fonti.")
                            .arg(s.txtFonte, s.txtTP),
                        applicationTitle(), Buttons::Ok, Icon::Warning);
        return false;
    }
    if (!luogoNoto(s.txtProvincia, QStringLiteral("Provincia"),
                   fissi.province.isEmpty() ? ProvinceAutonome() : fissi.province, dialogs) ||
        !luogoNoto(s.txtRegione, QStringLiteral("Regione"),
                   fissi.regioni.isEmpty() ? RegioniItaliane() : fissi.regioni, dialogs))
        return false;
    CopiaScheda(s, buffer.ElencoFonti[buffer.IndiceFonte]);
    return true;
}

void CopiaScheda(const SchedaFonte& s, VoceFonte& v) {
    v.TP = s.txtTP;
    v.NomeFonte = s.txtFonte;
    v.giorno = s.txtGG;
    v.mese = s.txtMM;
    v.anno = s.txtAA;
    v.articolo = s.txtArt;
    v.comma = s.txtComma;
    v.lettera = s.txtLett;
    v.allegato = s.txtAll;
    v.ripa = s.txtRipA;
    v.ripc = s.txtRipC;
    v.numero = s.txtN;
    v.numerop = s.txtNumP;
    v.altro = s.txtAltro;
    v.Amministrazione = s.txtAmministrazione;
    v.Autorita = s.txtAutorita;
    v.Citta = s.txtCitta;
    v.Sezione = s.txtSezione;
    v.Regione = s.txtRegione;
    v.Provincia = s.txtProvincia;
    v.Stato = s.txtStato;
    v.testo = TestoSenzaSigla(s.txtTesto);
    v.Decreto = s.chkDecr;
    v.Ordinanza = s.chkOrd;
}
