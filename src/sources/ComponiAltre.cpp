#include "sources/ComponiAltre.h"

#include "sources/Componi.h"
#include "store/Dialogs.h"
#include "store/cConnessione.h"
#include "store/mdlGlobale.h"

#include <QDate>

namespace {

// Pieces of the article part; each family uses its own selection.
enum Pezzo : unsigned {
    Art = 1u << 0,
    RipA = 1u << 1,
    Comma = 1u << 2,
    RipC = 1u << 3,
    Lett = 1u << 4,
    NumP = 1u << 5,
    All = 1u << 6,
};

QString parteArticolo(VoceFonte& voce, const PaginaFonte& p, unsigned pezzi) {
    QString s;
    if ((pezzi & Art) && !p.txtArt.isEmpty()) {
        s += QStringLiteral("art. ") + p.txtArt;
        voce.articolo = p.txtArt;
    }
    if ((pezzi & RipA) && !p.ripa.isEmpty()) {
        s += u' ' + p.ripa;
        voce.ripa = p.ripa;
    }
    if ((pezzi & Comma) && !p.txtComma.isEmpty()) {
        s += QStringLiteral(" comma ") + p.txtComma;
        voce.comma = p.txtComma;
    }
    if ((pezzi & RipC) && !p.ripc.isEmpty()) {
        s += u' ' + p.ripc;
        voce.ripc = p.ripc;
    }
    if ((pezzi & Lett) && !p.txtLett.isEmpty()) {
        s += QStringLiteral(" lett. ") + p.txtLett;
        voce.lettera = p.txtLett;
    }
    if ((pezzi & NumP) && !p.txtNumP.isEmpty()) {
        s += QStringLiteral(" n. ") + p.txtNumP;
        voce.numerop = p.txtNumP;
    }
    if ((pezzi & All) && !p.txtAll.isEmpty()) {
        s += QStringLiteral(" all. ") + p.txtAll;
        voce.allegato = p.txtAll;
    }
    return s;
}

// The text so far, a blank only when it is not empty, then x.
QString unisci(const QString& s, const QString& x) {
    return s.isEmpty() ? x : s + u' ' + x;
}

// " (<txtLibero>)" when a free text is given, kept in altro.
QString nota(VoceFonte& voce, const PaginaFonte& p) {
    if (p.txtLibero.isEmpty())
        return {};
    voce.altro = p.txtLibero;
    return QStringLiteral(" (") + p.txtLibero + u')';
}

void fine(VoceFonte& voce, const QString& testo, const QString& TP) {
    voce.testo = RiduciSpazi(testo);
    voce.TP = TP;
}

bool avviso(Dialogs& dialogs, const QString& testo) {
    AvvisoFonte(dialogs, testo, applicationTitle());
    return false;
}

// "ord. " or "decr. " in front of the court, both flags kept as checked.
QString prefissoDecisione(VoceFonte& voce, const PaginaFonte& p) {
    voce.Ordinanza = p.chkOrd;
    voce.Decreto = p.chkDecr;
    if (p.chkOrd)
        return QStringLiteral("ord. ");
    if (p.chkDecr)
        return QStringLiteral("decr. ");
    return {};
}

QString conSezione(VoceFonte& voce, const PaginaFonte& p) {
    voce.Sezione = p.txtInfo2;
    return p.txtInfo2.isEmpty() ? QString() : u' ' + p.txtInfo2;
}

bool componiTrattato(VoceFonte& voce, const PaginaFonte& p, cConnessione& connessione, Dialogs& dialogs) {
    const std::optional<qint64> id = NumeroRiga(p.txtLibero);
    RecordSet rs;
    if (id)
        rs = connessione.ApriRS(
            QStringLiteral("select NIT, Descrizione, Numero, Data, Fonte from tabNIT where IDNIT = ?"),
            {*id});
    if (!id || rs.eof())
        return avviso(dialogs, QStringLiteral("Il trattato indicato non è nell'elenco dei trattati: "
                                              "sceglierlo di nuovo con la ricerca!"));
    const QString s = unisci(parteArticolo(voce, p, Art | RipA | Comma | RipC | Lett | NumP | All),
                             rs.field(u"Fonte").toString());
    voce.NomeFonte = rs.field(u"NIT").toString();
    const QString numero = rs.field(u"Numero").toString();
    if (!numero.isEmpty())
        voce.numero = numero;
    const QString descrizione = rs.field(u"Descrizione").toString();
    if (!descrizione.isEmpty())
        voce.altro = descrizione;
    const QDate data = QDate::fromString(rs.field(u"Data").toString().left(10), Qt::ISODate);
    if (data.isValid()) {
        voce.anno = QString::number(data.year());
        voce.giorno = QString::number(data.day());
        QString mese = QString::number(data.month());
        voce.mese = MeseNome(mese);
    }
    fine(voce, s, QStringLiteral("NIT"));
    return true;
}

// Regulations: number and year, "1408/71" up to 1999, "883/2004" from 2000, "2016/679" from 2015.
bool componiRegolamento(const QString& nome, VoceFonte& voce, const PaginaFonte& p, Dialogs& dialogs) {
    if (p.txtN.isEmpty())
        return avviso(dialogs, QStringLiteral("Manca il numero!"));
    voce.numero = p.txtN;
    if (p.txtAA.isEmpty())
        return avviso(dialogs, QStringLiteral("Manca l'anno!"));
    voce.anno = p.txtAA;
    const QString anno = p.txtAA >= QStringLiteral("2000") ? p.txtAA : p.txtAA.mid(2);
    QString s = unisci(parteArticolo(voce, p, Art | RipA | Comma | RipC | Lett), nome) + u' ';
    s += p.txtAA >= QStringLiteral("2015") ? anno + u'/' + p.txtN : p.txtN + u'/' + anno;
    fine(voce, s, QStringLiteral("NIC"));
    return true;
}

// Other acts of secondary law: "93/13" up to 1999, "2004/38" after.
bool componiAltroAtto(const QString& nome, VoceFonte& voce, const PaginaFonte& p, Dialogs& dialogs) {
    QString s = unisci(parteArticolo(voce, p, Art | RipA | Comma | RipC), nome);
    if (p.txtAA.isEmpty())
        return avviso(dialogs, QStringLiteral("Manca l'anno!"));
    voce.anno = p.txtAA;
    s += u' ' + (p.txtAA <= QStringLiteral("1999") ? p.txtAA.mid(2) : p.txtAA);
    if (p.txtN.isEmpty())
        return avviso(dialogs, QStringLiteral("Manca il numero!"));
    voce.numero = p.txtN;
    s += u'/' + p.txtN;
    fine(voce, s, QStringLiteral("NIC"));
    return true;
}

bool componiDerivato(const QString& nome, VoceFonte& voce, const PaginaFonte& p, Dialogs& dialogs) {
    if (nome == u"Reg. P.E.") {
        QString s = nome;
        if (!p.txtArt.isEmpty()) {
            voce.articolo = p.txtArt;
            s = QStringLiteral("art. ") + p.txtArt + u' ' + nome;
        }
        fine(voce, s, QStringLiteral("NIC"));
        return true;
    }
    if (nome == u"Ris. P.E." || nome == u"Ris. CE" || nome == u"Ris. CEE" || nome == u"Ris. UE") {
        fine(voce, nome + ComponiEstremi(voce, p), QStringLiteral("NIC"));
        return true;
    }
    if (nome == u"Reg. CEE" || nome == u"Reg. CE" || nome == u"Reg. UE")
        return componiRegolamento(nome, voce, p, dialogs);
    return componiAltroAtto(nome, voce, p, dialogs);
}

} // namespace

std::optional<qint64> NumeroRiga(const QString& riga) {
    const qsizetype fine = riga.indexOf(QStringLiteral(") "));
    if (fine <= 0)
        return std::nullopt;
    bool ok = false;
    const qint64 n = riga.left(fine).toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return n;
}

QString CodiceTraAsterischi(const QString& caption) {
    const qsizetype inizio = caption.indexOf(QStringLiteral("(*"));
    if (inizio < 0)
        return {};
    const qsizetype fine = caption.indexOf(QStringLiteral("*)"), inizio + 2);
    if (fine < 0)
        return {};
    return caption.mid(inizio + 2, fine - inizio - 2);
}

bool ComponiInternazionale(const QString& nome, const QString& TP, VoceFonte& voce, const PaginaFonte& p,
                           cConnessione& connessione, Dialogs& dialogs) {
    if (TP == u"NIT")
        return componiTrattato(voce, p, connessione, dialogs);
    voce.NomeFonte = nome;
    if (TP == u"NIA") {
        fine(voce, nome + ComponiEstremi(voce, p) + nota(voce, p), TP);
        return true;
    }
    const QString s = prefissoDecisione(voce, p) + nome + conSezione(voce, p);
    fine(voce, s + ComponiEstremi(voce, p) + nota(voce, p), QStringLiteral("GEI"));
    return true;
}

bool ComponiComunitaria(const QString& nome, const QString& TP, VoceFonte& voce, const PaginaFonte& p,
                        Dialogs& dialogs) {
    voce.NomeFonte = nome;
    if (TP == u"NIC T") {
        fine(voce, unisci(parteArticolo(voce, p, Art | RipA | Comma | RipC | Lett | NumP), nome),
             QStringLiteral("NIC"));
        return true;
    }
    if (TP == u"NIC D")
        return componiDerivato(nome, voce, p, dialogs);
    if (TP == u"NIC C") {
        fine(voce, nome + ComponiEstremi(voce, p) + nota(voce, p), QStringLiteral("NIC"));
        return true;
    }
    const QString s = prefissoDecisione(voce, p) + nome + conSezione(voce, p);
    fine(voce, s + ComponiEstremi(voce, p) + nota(voce, p), QStringLiteral("GEC"));
    return true;
}

bool ComponiStraniera(const QString& famiglia, VoceFonte& voce, const PaginaFonte& p, Dialogs& dialogs) {
    if (p.txtLibero.isEmpty() || p.txtStato.isEmpty())
        return avviso(dialogs, QStringLiteral("Manca la fonte e/o lo stato!"));
    voce.Stato = p.txtStato;
    const QString stato = QStringLiteral(" (") + p.txtStato + u')';
    if (CodiceTraAsterischi(famiglia) == u"GS") {
        fine(voce, p.txtLibero + ComponiEstremi(voce, p) + stato, QStringLiteral("GS"));
        return true;
    }
    const QString s = unisci(parteArticolo(voce, p, Art | RipA | Comma | RipC | Lett | NumP), p.txtLibero);
    fine(voce, s + ComponiEstremi(voce, p) + stato, QStringLiteral("NS"));
    return true;
}

bool ComponiCanonica(const QString& famiglia, const QString& nome, VoceFonte& voce, const PaginaFonte& p,
                     Dialogs& dialogs) {
    const QString codice = CodiceTraAsterischi(famiglia);
    if (codice == u"FCA") {
        if (p.txtLibero.isEmpty())
            return avviso(dialogs, QStringLiteral("Manca la fonte!"));
        // The blank goes in front of the free text even when no article precedes it.
        const QString s = parteArticolo(voce, p, Art | Comma | Lett | NumP) + u' ' + p.txtLibero;
        fine(voce, s + ComponiEstremi(voce, p), QStringLiteral("FCA"));
        return true;
    }
    voce.NomeFonte = nome;
    if (codice == u"FCC") {
        // Canons and paragraphs of the Code of Canon Law; without a year it is the code of 1983.
        QString s;
        if (!p.txtArt.isEmpty()) {
            s += QStringLiteral("can. ") + p.txtArt;
            voce.articolo = p.txtArt;
        }
        if (!p.txtComma.isEmpty()) {
            s += QStringLiteral(" par. ") + p.txtComma;
            voce.comma = p.txtComma;
        }
        if (!p.txtLett.isEmpty()) {
            s += QStringLiteral(" lett. ") + p.txtLett;
            voce.lettera = p.txtLett;
        }
        if (!p.txtNumP.isEmpty()) {
            s += QStringLiteral(" n. ") + p.txtNumP;
            voce.numerop = p.txtNumP;
        }
        voce.anno = p.txtAA.isEmpty() ? QStringLiteral("1983") : p.txtAA;
        fine(voce, unisci(s, nome) + u' ' + voce.anno, QStringLiteral("FCC"));
        return true;
    }
    QString s;
    if (nome == u"Trib. Eccl. Reg.") {
        if (p.regione.isEmpty())
            return avviso(dialogs, QStringLiteral("Manca la regione!"));
        voce.Regione = p.codiceRegione();
        s = TogliSpazi(nome + u' ' + voce.Regione);
    } else if (nome == u"Trib. Eccl. Dioc." && !p.txtInfo1.isEmpty()) {
        s = nome + u' ' + p.txtInfo1;
        voce.Citta = p.txtInfo1;
    } else {
        s = nome;
    }
    fine(voce, s + ComponiEstremi(voce, p) + nota(voce, p), QStringLiteral("FCG"));
    return true;
}

bool ComponiStorica(const QString& nome, VoceFonte& voce, const PaginaFonte& p, Dialogs& dialogs) {
    if (p.txtLibero.isEmpty())
        return avviso(dialogs, QStringLiteral("Immettere testo libero per la fonte!"));
    fine(voce, p.txtLibero, CodiceTraAsterischi(nome));
    return true;
}

bool ImmettiFonteAltra(int numeroPagina, const PaginaFonte& p, DocumentBuffer& buffer,
                       cConnessione& connessione, Dialogs& dialogs) {
    if (p.tipo < 1) {
        AvvisoFonte(dialogs, MessaggiFonte::nessunaFonte(), MessaggiFonte::attenzione());
        return false;
    }
    if (buffer.IndiceFonte != -1)
        return false;
    buffer.ElencoFonti.append(VoceFonte());
    VoceFonte& voce = buffer.ElencoFonti.last();
    AzzeraFonte(voce);

    const auto attoMancante = [&] { return avviso(dialogs, MessaggiFonte::mancaAtto()); };
    bool fatto = false;
    switch (numeroPagina) {
    case PaginaInternazionale:
        if (p.tipo == 1)
            fatto = p.txtLibero.isEmpty()
                        ? attoMancante()
                        : ComponiInternazionale({}, QStringLiteral("NIT"), voce, p, connessione, dialogs);
        else
            fatto = p.atto.isEmpty()
                        ? attoMancante()
                        : ComponiInternazionale(p.atto,
                                                p.tipo == 2 ? QStringLiteral("NIA") : QStringLiteral("GEI"),
                                                voce, p, connessione, dialogs);
        break;
    case PaginaComunitaria: {
        static const QStringList codici = {QStringLiteral("NIC T"), QStringLiteral("NIC D"),
                                           QStringLiteral("NIC C"), QStringLiteral("GEC")};
        fatto = p.atto.isEmpty() ? attoMancante()
                                 : ComponiComunitaria(p.atto, codici.value(p.tipo - 1), voce, p, dialogs);
        break;
    }
    case PaginaStraniera:
        fatto = ComponiStraniera(p.voceTipo, voce, p, dialogs);
        break;
    case PaginaCanonica:
        if (!p.voceTipo.contains(QStringLiteral("FCA")) && p.atto.isEmpty())
            fatto = attoMancante();
        else
            fatto = ComponiCanonica(p.voceTipo, p.atto, voce, p, dialogs);
        break;
    case PaginaStorica:
        if (!p.atto.isEmpty())
            fatto = ComponiStorica(p.atto, voce, p, dialogs);
        else if (p.tipo >= 4 && p.tipo <= 6) // cuneiform, Hebrew, intermediate: no sub-kinds
            fatto = ComponiStorica(p.voceTipo, voce, p, dialogs);
        else
            fatto = attoMancante();
        break;
    default:
        break;
    }
    if (!fatto || !TestoSenzaAsterisco(voce, dialogs)) {
        buffer.ElencoFonti.removeLast();
        return false;
    }
    return true;
}

void MostraFormalismo(Dialogs& dialogs) {
    dialogs.message(
        QStringLiteral("--> Non occorre mettere gli zeri a sinistra a nessun tipo di informazione numerica.\n"
                       "--> L'anno deve essere nella forma 'aaaa'\n"
                       "--> Le parentesi fisse nei testi liberi vengono messe automaticamente"),
        QStringLiteral("Formalismo"), Buttons::Ok, Icon::Information);
}
