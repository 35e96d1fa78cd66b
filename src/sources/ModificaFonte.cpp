#include "sources/ModificaFonte.h"

#include "sources/Componi.h"
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

bool ConfermaModificaFonte(DocumentBuffer& buffer, const SchedaFonte& s, Dialogs& dialogs) {
    if (buffer.IndiceFonte < 0 || buffer.IndiceFonte >= buffer.ElencoFonti.size())
        return true;
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
