#include "sources/Componi.h"

#include "store/Dialogs.h"

#include <optional>

QString RiduciSpazi(const QString& testo) {
    QString t = testo;
    return t.replace(QStringLiteral("  "), QStringLiteral(" "));
}

QString TogliSpazi(const QString& testo) {
    qsizetype begin = 0;
    qsizetype end = testo.size();
    while (begin < end && testo.at(begin) == u' ')
        ++begin;
    while (end > begin && testo.at(end - 1) == u' ')
        --end;
    return testo.mid(begin, end - begin);
}

void AvvisoFonte(Dialogs& dialogs, const QString& testo, const QString& titolo) {
    dialogs.message(testo, titolo, Buttons::Ok, Icon::Warning);
}

QString ComponiEstremi(VoceFonte& voce, const PaginaFonte& pagina) {
    QString e;
    if (!pagina.txtGG.isEmpty()) {
        e += u' ' + pagina.txtGG;
        voce.giorno = pagina.txtGG;
    }
    if (!pagina.mese.isEmpty()) {
        e += u' ' + pagina.mese;
        voce.mese = pagina.mese;
    }
    if (!pagina.txtAA.isEmpty()) {
        e += u' ' + pagina.txtAA;
        voce.anno = pagina.txtAA;
    }
    if (!pagina.txtN.isEmpty()) {
        e += QStringLiteral(", n. ") + pagina.txtN;
        voce.numero = pagina.txtN;
    }
    return e;
}

QString ParteArticolo(VoceFonte& voce, const PaginaFonte& pagina, bool conAllegato) {
    QString s;
    if (!pagina.txtArt.isEmpty()) {
        s = QStringLiteral("art. ") + pagina.txtArt;
        voce.articolo = pagina.txtArt;
    }
    // A suffix counts even without its article or paragraph.
    if (!pagina.ripa.isEmpty()) {
        s += u' ' + pagina.ripa;
        voce.ripa = pagina.ripa;
    }
    if (!pagina.txtComma.isEmpty()) {
        s += QStringLiteral(" comma ") + pagina.txtComma;
        voce.comma = pagina.txtComma;
    }
    if (!pagina.ripc.isEmpty()) {
        s += u' ' + pagina.ripc;
        voce.ripc = pagina.ripc;
    }
    if (!pagina.txtLett.isEmpty()) {
        s += QStringLiteral(" lett. ") + pagina.txtLett;
        voce.lettera = pagina.txtLett;
    }
    if (!pagina.txtNumP.isEmpty()) {
        s += QStringLiteral(" n. ") + pagina.txtNumP;
        voce.numerop = pagina.txtNumP;
    }
    if (conAllegato && !pagina.txtAll.isEmpty()) {
        s += QStringLiteral(" all. ") + pagina.txtAll;
        voce.allegato = pagina.txtAll;
    }
    return s;
}

void ComponiArticolo(const QString& nome, const QString& TP, VoceFonte& voce, const PaginaFonte& pagina) {
    const QString s = ParteArticolo(voce, pagina, true);
    voce.NomeFonte = nome;
    voce.testo = RiduciSpazi(s + u' ' + nome);
    voce.TP = TP;
}

namespace {

QString unito(const QString& a, const QString& b) {
    return TogliSpazi(a + u' ' + b);
}

// The act chosen in the page's list; false after "Manca l'atto!" when none.
bool attoScelto(const PaginaFonte& pagina, Dialogs& dialogs) {
    if (!pagina.atto.isEmpty())
        return true;
    AvvisoFonte(dialogs, MessaggiFonte::mancaAtto(), applicationTitle());
    return false;
}

bool regioneScelta(const PaginaFonte& pagina, Dialogs& dialogs) {
    if (!pagina.regione.isEmpty())
        return true;
    AvvisoFonte(dialogs, QStringLiteral("Manca la regione!"), applicationTitle());
    return false;
}

// The code of the province typed or picked in txtInfo1: its code alone, or a line of the list, in
// any case; nothing when it is none of the provinces the archive knows.
std::optional<QString> codiceProvincia(const PaginaFonte& pagina) {
    return CodiceDaElenco(pagina.txtInfo1, pagina.province.isEmpty() ? ProvinceAutonome() : pagina.province);
}

// The province of kinds 3 and 9: given, and one the archive knows (the save could not store
// another); false after the message.
bool provinciaData(const PaginaFonte& pagina, Dialogs& dialogs) {
    if (pagina.txtInfo1.isEmpty()) {
        AvvisoFonte(dialogs, QStringLiteral("Manca la provincia!"), applicationTitle());
        return false;
    }
    if (codiceProvincia(pagina))
        return true;
    const QStringList& note = pagina.province.isEmpty() ? ProvinceAutonome() : pagina.province;
    AvvisoFonte(dialogs,
                QStringLiteral("Provincia \"%1\" non riconosciuta: la fonte non è stata aggiunta.\n"
                               "Scrivere la sigla di una delle province ammesse (%2) oppure sceglierla con "
                               "un doppio click nell'elenco.")
                    .arg(pagina.txtInfo1, note.join(QStringLiteral(", "))),
                applicationTitle());
    return false;
}

// Kinds 3 and 9 with a province, kinds 4 and 9 with a region.
QString conProvincia(VoceFonte& voce, const PaginaFonte& pagina, const QString& s, const QString& estremi) {
    const QString codice = codiceProvincia(pagina).value_or(pagina.txtInfo1.left(2));
    voce.Provincia = codice;
    return TogliSpazi(s + u' ' + voce.NomeFonte + u' ' + codice) + estremi;
}

QString conRegione(VoceFonte& voce, const PaginaFonte& pagina, const QString& s, const QString& estremi) {
    const QString codice = pagina.codiceRegione();
    voce.Regione = codice;
    return TogliSpazi(s + u' ' + voce.NomeFonte + u' ' + codice) + estremi;
}

} // namespace

bool ComponiNormativa(int tipo, VoceFonte& voce, const PaginaFonte& pagina, Dialogs& dialogs) {
    QString s = TogliSpazi(ParteArticolo(voce, pagina, false));
    switch (tipo) {
    case 1:
        voce.TP = QStringLiteral("LICO");
        voce.NomeFonte = QStringLiteral("l. cost.");
        s = unito(s, voce.NomeFonte) + ComponiEstremi(voce, pagina);
        break;
    case 2:
        voce.TP = QStringLiteral("LIO");
        if (!attoScelto(pagina, dialogs))
            return false;
        voce.NomeFonte = pagina.atto;
        s = unito(s, voce.NomeFonte) + ComponiEstremi(voce, pagina);
        break;
    case 3:
        voce.TP = QStringLiteral("LIP");
        if (!attoScelto(pagina, dialogs) || !provinciaData(pagina, dialogs))
            return false;
        voce.NomeFonte = pagina.atto;
        s = conProvincia(voce, pagina, s, ComponiEstremi(voce, pagina));
        break;
    case 4:
        voce.TP = QStringLiteral("LIR");
        if (!attoScelto(pagina, dialogs) || !regioneScelta(pagina, dialogs))
            return false;
        voce.NomeFonte = pagina.atto;
        s = conRegione(voce, pagina, s, ComponiEstremi(voce, pagina));
        break;
    case 5:
    case 6:
        // The rules of the two Chambers are cited without date or number.
        voce.TP = QStringLiteral("LIOA");
        voce.NomeFonte = tipo == 5 ? QStringLiteral("reg. cam.") : QStringLiteral("reg. sen.");
        s = unito(s, voce.NomeFonte);
        break;
    case 7: {
        voce.TP = QStringLiteral("LIOA");
        if (!attoScelto(pagina, dialogs))
            return false;
        voce.NomeFonte = pagina.atto;
        if (pagina.txtInfo1.isEmpty()) {
            const Answer a =
                dialogs.message(QStringLiteral("Manca il ministero: giusto?"),
                                MessaggiFonte::attenzioneEsclamativo(), Buttons::YesNoCancel, Icon::Question);
            if (a != Answer::Yes)
                return false;
            s = unito(s, voce.NomeFonte) + ComponiEstremi(voce, pagina);
        } else {
            voce.Ministero = pagina.txtInfo1;
            s = TogliSpazi(s + u' ' + voce.NomeFonte + u' ' + pagina.txtInfo1) + ComponiEstremi(voce, pagina);
        }
        break;
    }
    case 8:
    case 10: {
        voce.TP = QStringLiteral("LIOA");
        if (!attoScelto(pagina, dialogs))
            return false;
        voce.NomeFonte = pagina.atto;
        if (pagina.txtInfo1.isEmpty()) {
            AvvisoFonte(dialogs,
                        tipo == 8 ? QStringLiteral("Manca l'amministrazione!")
                                  : QStringLiteral("Manca l'autorità!"),
                        MessaggiFonte::attenzioneEsclamativo());
            return false;
        }
        if (tipo == 8)
            voce.Amministrazione = pagina.txtInfo1;
        else
            voce.Autorita = pagina.txtInfo1;
        s = TogliSpazi(s + u' ' + voce.NomeFonte + u' ' + pagina.txtInfo1) + ComponiEstremi(voce, pagina);
        break;
    }
    case 9:
        if (!attoScelto(pagina, dialogs))
            return false;
        voce.NomeFonte = pagina.atto;
        // Regional acts are the names ending in "r."; the others belong to the provinces.
        if (pagina.atto.endsWith(QStringLiteral("r."))) {
            voce.TP = QStringLiteral("LIR");
            if (!regioneScelta(pagina, dialogs))
                return false;
            s = conRegione(voce, pagina, s, ComponiEstremi(voce, pagina));
        } else {
            voce.TP = QStringLiteral("LIP");
            if (!provinciaData(pagina, dialogs))
                return false;
            s = conProvincia(voce, pagina, s, ComponiEstremi(voce, pagina));
        }
        break;
    case 11: {
        voce.TP = QStringLiteral("AC");
        if (!attoScelto(pagina, dialogs))
            return false;
        voce.NomeFonte = pagina.atto;
        if (pagina.txtInfo3.isEmpty()) {
            const Answer a =
                dialogs.message(QStringLiteral("Manca l'argomento: giusto?"),
                                MessaggiFonte::attenzioneEsclamativo(), Buttons::YesNoCancel, Icon::Question);
            if (a == Answer::No)
                return false;
            s = unito(s, voce.NomeFonte) + ComponiEstremi(voce, pagina);
        } else {
            voce.altro = pagina.txtInfo3;
            s = unito(s, voce.NomeFonte) + ComponiEstremi(voce, pagina) + QStringLiteral(" (") +
                pagina.txtInfo3 + u')';
        }
        break;
    }
    default:
        AvvisoFonte(dialogs, MessaggiFonte::nessunaFonte(), MessaggiFonte::attenzione());
        return false;
    }
    if (!pagina.txtAll.isEmpty()) {
        s += QStringLiteral(", all. ") + pagina.txtAll;
        voce.allegato = pagina.txtAll;
    }
    voce.testo = TogliSpazi(RiduciSpazi(s));
    return true;
}

namespace {

bool cittaData(const PaginaFonte& pagina, Dialogs& dialogs) {
    if (!pagina.txtInfo1.isEmpty())
        return true;
    AvvisoFonte(dialogs, QStringLiteral("Manca la città!"), applicationTitle());
    return false;
}

// " LA" when a region is chosen, stored in the entry.
QString pezzoRegione(VoceFonte& voce, const PaginaFonte& pagina) {
    if (pagina.regione.isEmpty())
        return {};
    voce.Regione = pagina.codiceRegione();
    return u' ' + voce.Regione;
}

// " - Roma" when a city is typed, stored in the entry.
QString pezzoCittaTrattino(VoceFonte& voce, const PaginaFonte& pagina) {
    if (pagina.txtInfo1.isEmpty())
        return {};
    voce.Citta = pagina.txtInfo1;
    return QStringLiteral(" - ") + pagina.txtInfo1;
}

QString pezzoSezione(VoceFonte& voce, const PaginaFonte& pagina) {
    if (pagina.txtInfo2.isEmpty())
        return {};
    voce.Sezione = pagina.txtInfo2;
    return u' ' + pagina.txtInfo2;
}

} // namespace

bool ComponiGiurisprudenza(int tipo, VoceFonte& voce, const PaginaFonte& pagina, Dialogs& dialogs) {
    if (tipo < 1 || tipo > 10) {
        AvvisoFonte(dialogs, MessaggiFonte::nessunaFonte(), MessaggiFonte::attenzione());
        return false;
    }
    QString prefisso;
    if (tipo <= 9) {
        // A decree wins over an order when both boxes are checked.
        if (pagina.chkDecr) {
            prefisso = QStringLiteral("decr.");
            voce.Decreto = true;
        } else if (pagina.chkOrd) {
            prefisso = QStringLiteral("ord.");
            voce.Ordinanza = true;
        }
    }
    const auto base = [&] { return prefisso.isEmpty() ? voce.NomeFonte : prefisso + u' ' + voce.NomeFonte; };

    QString s;
    switch (tipo) {
    case 1:
    case 2:
        voce.TP = tipo == 1 ? QStringLiteral("GICO") : QStringLiteral("GICD");
        voce.NomeFonte = tipo == 1 ? QStringLiteral("C. Cost.") : QStringLiteral("Cons. giurisd. Camera");
        s = base() + ComponiEstremi(voce, pagina);
        break;
    case 3:
        voce.TP = QStringLiteral("GICA");
        voce.NomeFonte = QStringLiteral("Cass.");
        s = base() + pezzoSezione(voce, pagina) + ComponiEstremi(voce, pagina);
        break;
    case 4:
        voce.TP = QStringLiteral("GIO");
        if (!attoScelto(pagina, dialogs) || !cittaData(pagina, dialogs))
            return false;
        voce.NomeFonte = pagina.atto;
        s = base();
        if (!pagina.txtInfo3.isEmpty()) {
            s += u' ' + pagina.txtInfo3;
            voce.altro = pagina.txtInfo3;
        }
        s += u' ' + pagina.txtInfo1;
        voce.Citta = pagina.txtInfo1;
        s += pezzoSezione(voce, pagina) + ComponiEstremi(voce, pagina);
        break;
    case 5: {
        voce.TP = QStringLiteral("GIT");
        if (!attoScelto(pagina, dialogs))
            return false;
        const QString& a = pagina.atto;
        if ((a == u"Comm. I grado" || a == u"Comm. II grado" || a == u"Comm. prov.") &&
            !cittaData(pagina, dialogs))
            return false;
        if (a == u"Comm. reg." && !regioneScelta(pagina, dialogs))
            return false;
        voce.NomeFonte = a;
        s = base() + pezzoRegione(voce, pagina) + pezzoCittaTrattino(voce, pagina) +
            pezzoSezione(voce, pagina) + ComponiEstremi(voce, pagina);
        break;
    }
    case 6:
        voce.TP = QStringLiteral("GICC");
        voce.NomeFonte = QStringLiteral("C. Conti");
        s = base() + pezzoRegione(voce, pagina) + pezzoSezione(voce, pagina) + ComponiEstremi(voce, pagina);
        break;
    case 7:
        voce.TP = QStringLiteral("GIA");
        if (!attoScelto(pagina, dialogs))
            return false;
        if (pagina.atto == u"TAR" && !regioneScelta(pagina, dialogs))
            return false;
        voce.NomeFonte = pagina.atto;
        s = base() + pezzoRegione(voce, pagina) + pezzoCittaTrattino(voce, pagina) +
            pezzoSezione(voce, pagina) + ComponiEstremi(voce, pagina);
        break;
    case 8:
        if (!attoScelto(pagina, dialogs))
            return false;
        if (pagina.atto.contains(QStringLiteral("acque"), Qt::CaseInsensitive))
            voce.TP = QStringLiteral("GIQ");
        else if (pagina.atto.contains(QStringLiteral("brevetti"), Qt::CaseInsensitive))
            voce.TP = QStringLiteral("GIB");
        else
            voce.TP = QStringLiteral("GIM");
        if (pagina.atto == u"Trib. Acque" && !regioneScelta(pagina, dialogs))
            return false;
        voce.NomeFonte = pagina.atto;
        s = base() + pezzoRegione(voce, pagina) + pezzoCittaTrattino(voce, pagina) +
            ComponiEstremi(voce, pagina);
        break;
    case 9:
        voce.TP = QStringLiteral("GIAL");
        if (!attoScelto(pagina, dialogs))
            return false;
        voce.NomeFonte = pagina.atto;
        s = base();
        if (!pagina.txtInfo1.isEmpty()) {
            s += u' ' + pagina.txtInfo1;
            voce.Citta = pagina.txtInfo1;
        }
        if (!pagina.txtInfo3.isEmpty()) {
            s += u' ' + pagina.txtInfo3;
            voce.altro = pagina.txtInfo3;
        }
        s += ComponiEstremi(voce, pagina);
        break;
    case 10:
        voce.TP = QStringLiteral("GIS");
        voce.NomeFonte = QStringLiteral("giur. sport");
        s = voce.NomeFonte + ComponiEstremi(voce, pagina);
        if (!pagina.txtInfo3.isEmpty()) {
            s += QStringLiteral(" (") + pagina.txtInfo3 + u')';
            voce.altro = pagina.txtInfo3;
        }
        break;
    }
    voce.testo = RiduciSpazi(s);
    return true;
}

bool ImmettiFonteInterna(int numeroPagina, const PaginaFonte& pagina, DocumentBuffer& buffer,
                         Dialogs& dialogs) {
    if (pagina.tipo < 1) {
        AvvisoFonte(dialogs, MessaggiFonte::nessunaFonte(), MessaggiFonte::attenzione());
        return false;
    }
    // The dialogs only ever add: with a current entry they leave the list alone.
    if (buffer.IndiceFonte != -1)
        return false;
    buffer.ElencoFonti.append(VoceFonte());
    VoceFonte& voce = buffer.ElencoFonti.last();
    AzzeraFonte(voce);
    bool fatto = true;
    switch (numeroPagina) {
    case PaginaCodificazioni: {
        const bool bancarie =
            pagina.voceTipo.toUpper() == QStringLiteral("Norme bancarie uniformi").toUpper();
        ComponiArticolo(pagina.voceTipo, bancarie ? QStringLiteral("LIAB") : QStringLiteral("LIC"), voce,
                        pagina);
        break;
    }
    case PaginaCostituzione:
        ComponiArticolo(pagina.voceTipo, QStringLiteral("LIC"), voce, pagina);
        break;
    case PaginaNormativa:
        fatto = ComponiNormativa(pagina.tipo, voce, pagina, dialogs);
        break;
    case PaginaGiurisprudenza:
        fatto = ComponiGiurisprudenza(pagina.tipo, voce, pagina, dialogs);
        break;
    default:
        fatto = false;
        break;
    }
    if (!fatto || !TestoSenzaAsterisco(voce, dialogs)) {
        buffer.ElencoFonti.removeLast();
        return false;
    }
    return true;
}

bool TestoSenzaAsterisco(const VoceFonte& voce, Dialogs& dialogs) {
    if (!voce.testo.contains(u'*'))
        return true;
    AvvisoFonte(dialogs, MessaggiFonte::asterisco(), applicationTitle());
    return false;
}
