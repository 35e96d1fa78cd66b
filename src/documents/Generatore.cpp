#include "documents/Generatore.h"

#include "classification/mdlClasse.h"
#include "documents/Responsabilita.h"
#include "documents/SalvaDocumento.h"
#include "documents/mdlDocumenti.h"
#include "store/VoceFonte.h"
#include "store/Archivio.h"
#include "store/Template.h"
#include "store/mdlGlobale.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>
#include <vector>

namespace {

// A small random generator of our own, so that a seed gives the same archive everywhere.
class Casuale {
public:
    explicit Casuale(quint64 seme) : stato_(seme * 0x9E3779B97F4A7C15ULL + 0x2545F4914F6CDD1DULL) {}

    quint64 prossimo() {
        quint64 z = (stato_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // A whole number from lo to hi, both included.
    int tra(int lo, int hi) { return lo + static_cast<int>(prossimo() % static_cast<quint64>(hi - lo + 1)); }
    // True in permille cases out of a thousand.
    bool su1000(int permille) { return static_cast<int>(prossimo() % 1000) < permille; }
    template <class List> const auto& scegli(const List& list) {
        return list.at(static_cast<qsizetype>(prossimo() % static_cast<quint64>(list.size())));
    }
    // An index below n, small ones much more often: a few sources are cited everywhere.
    qint64 popolare(qint64 n) {
        const double u = static_cast<double>(prossimo() % 1000000) / 1000000.0;
        return std::min<qint64>(n - 1, static_cast<qint64>(u * u * u * static_cast<double>(n)));
    }

private:
    quint64 stato_;
};

QStringList lista(std::initializer_list<const char*> items) {
    QStringList out;
    for (const char* s : items)
        out << QString::fromUtf8(s);
    return out;
}

// ---------------------------------------------------------------------------------------------
// Lookup data: what the template has, and a small set of our own where a table is empty.

bool vuota(cConnessione& c, const QString& table) {
    RecordSet rs = c.ApriRS(QStringLiteral("select count(*) from %1").arg(table));
    return rs.field(0).toLongLong() == 0;
}

void riempiSeVuota(cConnessione& c, const QString& table, const QString& insert,
                   const std::vector<QVariantList>& rows) {
    if (!vuota(c, table))
        return;
    for (const QVariantList& row : rows)
        c.EseguiIstruzione(insert, row);
}

QStringList colonna(cConnessione& c, const QString& sql, const QVariantList& params = {}) {
    QStringList out;
    RecordSet rs = c.ApriRS(sql, params);
    for (; !rs.eof(); rs.moveNext())
        out << rs.field(0).toString();
    return out;
}

void assicuraRiga(cConnessione& c, const QString& table, const QString& textColumn, const QString& value,
                  const QString& insert, const QVariantList& params) {
    RecordSet rs = c.ApriRS(QStringLiteral("select 1 from %1 where %2 = ?").arg(table, textColumn), {value});
    if (!rs.eof())
        return;
    rs.close();
    c.EseguiIstruzione(insert, params);
}

void assicuraInterna(cConnessione& c, const QString& nome, const QString& liv1, const QString& liv2) {
    assicuraRiga(c, QStringLiteral("tabFonteInterna"), QStringLiteral("FonteNorm"), nome,
                 QStringLiteral("insert into tabFonteInterna (FonteNorm, liv1, liv2) values (?, ?, ?)"),
                 {nome, liv1, liv2});
}

// The names of a kind of domestic act or court; the template's when it has them.
QStringList nomiInterni(cConnessione& c, const QString& liv1, const QString& liv2,
                        const QStringList& riserva) {
    QStringList nomi = colonna(
        c, QStringLiteral("select FonteNorm from tabFonteInterna where liv1 = ? and liv2 = ?"), {liv1, liv2});
    if (nomi.isEmpty()) {
        for (const QString& n : riserva)
            assicuraInterna(c, n, liv1, liv2);
        nomi = riserva;
    }
    return nomi;
}

QStringList nomiPerTipo(cConnessione& c, const QString& table, const QString& textColumn, int tipo,
                        const QStringList& riserva) {
    QStringList nomi = colonna(
        c, QStringLiteral("select %1 from %2 where Tipo = ? order by %1").arg(textColumn, table), {tipo});
    if (nomi.isEmpty()) {
        for (const QString& n : riserva)
            assicuraRiga(c, table, textColumn, n,
                         QStringLiteral("insert into %1 (%2, Tipo) values (?, ?)").arg(table, textColumn),
                         {n, tipo});
        nomi = riserva;
    }
    return nomi;
}

struct Catalogo {
    ListeDocumento liste;
    QStringList sistematici;
    std::vector<std::pair<QString, QString>> coppie;    // tabLegameDS
    QStringList descrittori;                            // regular descriptor codes
    QStringList asteriscati;                            // items of cmbAsteriscati
    std::vector<std::pair<QString, QString>> coppieDSA; // (NS, CodiceD)

    QStringList regioni, province;
    QStringList codici, costituzione, atti, attiProvinciali, attiRegionali, attiMinisteriali,
        attiAmministrazioni, attiAutorita, contratti, tribunali, tributari, amministrativi;
    QStringList trattatiUE, derivatoUE, corteUE, organismi, corteInternazionale, trattati, canonici;
};

void preparaCodici(cConnessione& c) {
    riempiSeVuota(
        c, QStringLiteral("tabRivisteOnline"),
        QStringLiteral(
            "insert into tabRivisteOnline (IDRivistaOnline, Titolo, IDPeriodicita) values (?, ?, ?)"),
        {{QStringLiteral("DPCE"), QStringLiteral("Diritto pubblico comparato ed europeo online"),
          QStringLiteral("T")},
         {QStringLiteral("FICO"), QStringLiteral("Federalismi.it"), QStringLiteral("Q")},
         {QStringLiteral("GCOS"), QStringLiteral("Giurisprudenza costituzionale online"),
          QStringLiteral("B")},
         {QStringLiteral("NLCC"), QStringLiteral("Le nuove leggi civili commentate online"),
          QStringLiteral("B")},
         {QStringLiteral("QGIU"), QStringLiteral("Questione giustizia"), QStringLiteral("T")},
         {QStringLiteral("RDIC"), QStringLiteral("Rivista di diritto civile online"), QStringLiteral("B")},
         {QStringLiteral("RIDL"), QStringLiteral("Rivista italiana di diritto del lavoro online"),
          QStringLiteral("T")},
         {QStringLiteral("DPEN"), QStringLiteral("Diritto penale contemporaneo"), QStringLiteral("M")}});
    riempiSeVuota(c, QStringLiteral("tabTipoDoc"),
                  QStringLiteral("insert into tabTipoDoc (IDTD, TipoDoc) values (?, ?)"),
                  {{QStringLiteral("01"), QStringLiteral("Contributo indipendente")},
                   {QStringLiteral("02"), QStringLiteral("Editoriale")},
                   {QStringLiteral("03"), QStringLiteral("Nota a sentenza")},
                   {QStringLiteral("04"), QStringLiteral("Recensione")},
                   {QStringLiteral("05"), QStringLiteral("Rassegna")},
                   {QStringLiteral("06"), QStringLiteral("Osservatorio")},
                   {QStringLiteral("07"), QStringLiteral("Commento a norma")}});
    riempiSeVuota(c, QStringLiteral("tabTAbs"),
                  QStringLiteral("insert into tabTAbs (IDTAbs, TipoAbstract) values (?, ?)"),
                  {{QStringLiteral("400"), QStringLiteral("Nessun testo")},
                   {QStringLiteral("500"), QStringLiteral("Riassunto e sommario")},
                   {QStringLiteral("600"), QStringLiteral("Sommario")},
                   {QStringLiteral("700"), QStringLiteral("In tema di")},
                   {QStringLiteral("800"), QStringLiteral("Riassunto e in tema di")},
                   {QStringLiteral("900"), QStringLiteral("Abstract")}});
    riempiSeVuota(c, QStringLiteral("tabBib"),
                  QStringLiteral("insert into tabBib (IDBib, TipoBibliografia) values (?, ?)"),
                  {{QStringLiteral("0"), QStringLiteral("Nessuna bibliografia")},
                   {QStringLiteral("1"), QStringLiteral("Note a piè di pagina")},
                   {QStringLiteral("2"), QStringLiteral("Bibliografia finale")},
                   {QStringLiteral("3"), QStringLiteral("Note e bibliografia")}});
    riempiSeVuota(c, QStringLiteral("tabLingua"),
                  QStringLiteral("insert into tabLingua (idLingua, Lingua) values (?, ?)"),
                  {{QStringLiteral("00"), QStringLiteral("italiano")},
                   {QStringLiteral("01"), QStringLiteral("inglese")},
                   {QStringLiteral("02"), QStringLiteral("francese")},
                   {QStringLiteral("03"), QStringLiteral("tedesco")},
                   {QStringLiteral("04"), QStringLiteral("spagnolo")}});
    const QStringList regioni = lista({"AB", "BA", "CL", "CM", "ER", "FV", "LA", "LI", "LO", "MA",
                                       "MO", "PI", "PU", "SA", "SI", "TO", "TA", "UM", "VA", "VE"});
    if (vuota(c, QStringLiteral("tabRegione")))
        for (const QString& r : regioni)
            c.EseguiIstruzione(QStringLiteral("insert into tabRegione (CodRegione, Regione) values (?, ?)"),
                               {r, r});
    if (vuota(c, QStringLiteral("tabProvincia"))) {
        c.EseguiIstruzione(
            QStringLiteral("insert into tabProvincia (CodProvincia, provincia) values ('BZ', 'Bolzano')"));
        c.EseguiIstruzione(
            QStringLiteral("insert into tabProvincia (CodProvincia, provincia) values ('TN', 'Trento')"));
    }
}

void preparaClassificazione(cConnessione& c, Casuale& rnd) {
    if (!vuota(c, QStringLiteral("tabSistematici")))
        return;
    // A small scheme: 40 headings, 160 descriptors, each heading with a dozen allowed descriptors,
    // and 24 asterisked descriptors.
    for (int s = 1; s <= 40; ++s) {
        const QString codice = QStringLiteral("%1.%2").arg(100 + (s - 1) / 8).arg((s - 1) % 8 + 1);
        c.EseguiIstruzione(
            QStringLiteral("insert into tabSistematici (CodiceS, Descrizione, Sigla) values (?, ?, ?)"),
            {codice, QStringLiteral("Voce sistematica %1").arg(s), QStringLiteral("VS%1").arg(s)});
    }
    for (int d = 1; d <= 160; ++d)
        c.EseguiIstruzione(
            QStringLiteral("insert into tabDescrittori (CodiceD, Descrizione) values (?, ?)"),
            {QStringLiteral("D%1").arg(d, 4, 10, QLatin1Char('0')), QStringLiteral("descrittore %1").arg(d)});
    const QStringList sistematici =
        colonna(c, QStringLiteral("select CodiceS from tabSistematici order by CodiceS"));
    for (const QString& s : sistematici)
        for (int k = 0; k < 12; ++k)
            c.EseguiIstruzione(QStringLiteral("insert into tabLegameDS (NS, ND) values (?, ?)"),
                               {s, QStringLiteral("D%1").arg(rnd.tra(1, 160), 4, 10, QLatin1Char('0'))});
    for (int a = 1; a <= 24; ++a)
        c.EseguiIstruzione(QStringLiteral("insert into tabLegameDSA (NS, ND, CodiceD) values (?, ?, ?)"),
                           {rnd.scegli(sistematici), QStringLiteral("asteriscato proposto %1").arg(a),
                            QStringLiteral("A%1").arg(a, 4, 10, QLatin1Char('0'))});
}

Catalogo preparaCatalogo(cConnessione& c, Casuale& rnd) {
    preparaCodici(c);
    preparaClassificazione(c, rnd);
    Catalogo k;
    k.liste = CaricaListe(c, QDate::currentDate());
    k.sistematici = colonna(c, QStringLiteral("select CodiceS from tabSistematici order by CodiceS"));
    {
        RecordSet rs = c.ApriRS(QStringLiteral("select NS, ND from tabLegameDS order by ID"));
        for (; !rs.eof(); rs.moveNext())
            k.coppie.emplace_back(rs.field(0).toString(), rs.field(1).toString());
    }
    {
        RecordSet rs = c.ApriRS(QStringLiteral("select NS, CodiceD from tabLegameDSA order by ID"));
        for (; !rs.eof(); rs.moveNext())
            k.coppieDSA.emplace_back(rs.field(0).toString(), rs.field(1).toString());
    }
    k.descrittori = colonna(c, QStringLiteral("select CodiceD from tabDescrittori order by CodiceD"));
    k.asteriscati = ElencoAsteriscati(c);
    k.regioni = colonna(c, QStringLiteral("select CodRegione from tabRegione order by IDRegione"));
    k.province = colonna(c, QStringLiteral("select CodProvincia from tabProvincia order by IDProvincia"));

    k.codici = colonna(
        c, QStringLiteral("select FonteNorm from tabFonteInterna where liv1 = '1' order by FonteNorm"));
    if (k.codici.isEmpty()) {
        k.codici = lista({"c.c.", "c.p.", "c.p.c.", "c.p.p.", "c. nav.", "c. cons.", "c. priv."});
        for (const QString& n : k.codici)
            assicuraInterna(c, n, QStringLiteral("1"), QString());
    }
    k.costituzione = colonna(c, QStringLiteral("select FonteNorm from tabFonteInterna where liv1 = '0' order by IDFonteInterna"));
    if (k.costituzione.isEmpty()) {
        k.costituzione = lista({"Cost."});
        assicuraInterna(c, k.costituzione.first(), QStringLiteral("0"), QString());
    }
    k.atti = nomiInterni(c, QStringLiteral("2"), QStringLiteral("1"),
                         lista({"l.", "d.lg.", "d.l.", "d.p.r.", "r.d."}));
    k.attiProvinciali = nomiInterni(c, QStringLiteral("2"), QStringLiteral("2"), lista({"l.p.", "d.p.p."}));
    k.attiRegionali = nomiInterni(c, QStringLiteral("2"), QStringLiteral("3"), lista({"l.r.", "reg. r."}));
    k.attiMinisteriali =
        nomiInterni(c, QStringLiteral("2"), QStringLiteral("6"), lista({"d.m.", "circ.", "d.p.c.m."}));
    k.attiAmministrazioni =
        nomiInterni(c, QStringLiteral("2"), QStringLiteral("7"), lista({"delib.", "ord. amm."}));
    k.attiAutorita =
        nomiInterni(c, QStringLiteral("2"), QStringLiteral("9"), lista({"provv.", "delib. aut."}));
    k.contratti = nomiInterni(c, QStringLiteral("2"), QStringLiteral("a"), lista({"CCNL", "contr. integr."}));
    k.tribunali =
        nomiInterni(c, QStringLiteral("3"), QStringLiteral("3"), lista({"Trib.", "App.", "G.d.P."}));
    k.tributari =
        nomiInterni(c, QStringLiteral("3"), QStringLiteral("4"), lista({"Comm. prov.", "Comm. reg."}));
    k.amministrativi = nomiInterni(c, QStringLiteral("3"), QStringLiteral("6"), lista({"TAR", "Cons. St."}));
    // The names the citation procedures write themselves.
    for (const char* n : {"l. cost.", "reg. cam.", "reg. sen."})
        assicuraInterna(c, QString::fromUtf8(n), QStringLiteral("2"), QString());
    for (const char* n : {"C. Cost.", "Cass.", "C. Conti", "giur. sport", "Cons. giurisd. Camera"})
        assicuraInterna(c, QString::fromUtf8(n), QStringLiteral("3"), QString());

    k.trattatiUE = nomiPerTipo(c, QStringLiteral("tabFonteCom"), QStringLiteral("FonteCom"), 1,
                               lista({"TUE", "TFUE", "Carta dir. fond. UE"}));
    k.derivatoUE =
        nomiPerTipo(c, QStringLiteral("tabFonteCom"), QStringLiteral("FonteCom"), 2,
                    lista({"Reg. UE", "Reg. CE", "Reg. CEE", "dir. UE", "dir. CE", "dir. CEE", "dec. UE"}));
    k.corteUE = nomiPerTipo(c, QStringLiteral("tabFonteCom"), QStringLiteral("FonteCom"), 3,
                            lista({"C. giust. UE", "Trib. UE", "C. giust. CE"}));
    k.organismi = nomiPerTipo(c, QStringLiteral("tabFonteInt"), QStringLiteral("FonteInt"), 2,
                              lista({"Ris. ONU", "Racc. Cons. Europa", "Dich. OIL"}));
    k.corteInternazionale = nomiPerTipo(c, QStringLiteral("tabFonteInt"), QStringLiteral("FonteInt"), 3,
                                        lista({"C. eur. dir. uomo", "C. int. giust.", "C. pen. int."}));
    k.trattati = nomiPerTipo(c, QStringLiteral("tabFonteInt"), QStringLiteral("FonteInt"), 1,
                             lista({"CEDU", "Conv. New York 1989", "Conv. Vienna 1969"}));
    k.canonici = nomiPerTipo(c, QStringLiteral("tabFonteCan"), QStringLiteral("FonteCan"), 3,
                             lista({"Trib. Eccl. Reg.", "Trib. Eccl. Dioc.", "Rota Romana"}));
    assicuraRiga(c, QStringLiteral("tabFonteCan"), QStringLiteral("FonteCan"), QStringLiteral("C. Iur. Can."),
                 QStringLiteral("insert into tabFonteCan (FonteCan, Tipo) values (?, 1)"),
                 {QStringLiteral("C. Iur. Can.")});
    return k;
}

// ---------------------------------------------------------------------------------------------
// Sources. A source is made from its own seed, so that citing an earlier one again gives an
// identical entry, which the save finds instead of storing it twice.

const QStringList& citta() {
    static const QStringList l = lista(
        {"Roma",    "Milano",  "Napoli",   "Torino",  "Bologna",  "Firenze",         "Genova",  "Venezia",
         "Bari",    "Palermo", "Catania",  "Trento",  "Bolzano",  "Brescia",         "Verona",  "Padova",
         "Perugia", "Ancona",  "Cagliari", "Trieste", "L'Aquila", "Reggio Calabria", "Salerno", "Lecce",
         "Pescara", "Forlì"});
    return l;
}

const QStringList& sezioniCassazione() {
    static const QStringList l = lista({"sez. un.", "sez. I", "sez. II", "sez. III", "sez. IV", "sez. V",
                                        "sez. VI", "sez. lav.", "sez. trib."});
    return l;
}

const QStringList& sezioni() {
    static const QStringList l =
        lista({"sez. I", "sez. II", "sez. III", "sez. IV", "sez. lav.", "sez. fall."});
    return l;
}

const QStringList& ministeri() {
    static const QStringList l =
        lista({"Ministero della salute", "Ministero dell'economia e delle finanze",
               "Ministero della giustizia", "Ministero dell'interno",
               "Ministero del lavoro e delle politiche sociali", "Ministero dell'istruzione"});
    return l;
}

const QStringList& autorita() {
    static const QStringList l =
        lista({"AGCOM", "AGCM", "Garante privacy", "ANAC", "CONSOB", "ARERA", "IVASS"});
    return l;
}

const QStringList& amministrazioni() {
    static const QStringList l = lista({"INPS", "Agenzia delle entrate", "Comune di Milano",
                                        "Regione Lombardia", "INAIL", "Comune di Roma"});
    return l;
}

const QStringList& stati() {
    static const QStringList l = lista({"Francia", "Germania", "Spagna", "Regno Unito", "Stati Uniti",
                                        "Austria", "Svizzera", "Belgio", "Paesi Bassi", "Portogallo"});
    return l;
}

QString mese(Casuale& r) {
    return NomiMesi().at(r.tra(0, 11));
}

QString articolo(Casuale& r, VoceFonte& v, int massimo) {
    v.articolo = QString::number(r.tra(1, massimo));
    QString s = QStringLiteral("art. ") + v.articolo;
    if (r.su1000(60)) {
        v.ripa = r.scegli(lista({"bis", "ter", "quater"}));
        s += u' ' + v.ripa;
    }
    if (r.su1000(350)) {
        v.comma = QString::number(r.tra(1, 12));
        s += QStringLiteral(" comma ") + v.comma;
        if (r.su1000(120)) {
            v.lettera = QString(QChar(u'a' + r.tra(0, 8)));
            s += QStringLiteral(" lett. ") + v.lettera;
        }
    }
    return s;
}

// " <giorno> <mese> <anno>, n. <numero>", storing the fields.
QString estremi(Casuale& r, VoceFonte& v, int daAnno, int aAnno, int numeroMassimo) {
    v.giorno = QString::number(r.tra(1, 28));
    v.mese = mese(r);
    v.anno = QString::number(r.tra(daAnno, aAnno));
    v.numero = QString::number(r.tra(1, numeroMassimo));
    return u' ' + v.giorno + u' ' + v.mese + u' ' + v.anno + QStringLiteral(", n. ") + v.numero;
}

QString prefissoDecisione(Casuale& r, VoceFonte& v) {
    if (r.su1000(40)) {
        v.Decreto = true;
        return QStringLiteral("decr. ");
    }
    if (r.su1000(150)) {
        v.Ordinanza = true;
        return QStringLiteral("ord. ");
    }
    return {};
}

QString compatta(QString s) {
    s.replace(QStringLiteral("  "), QStringLiteral(" "));
    return s;
}

VoceFonte fonteDaSeme(quint64 seme, const Catalogo& k) {
    Casuale r(seme);
    VoceFonte v;
    AzzeraFonte(v);
    const int famiglia = r.tra(0, 999);
    if (famiglia < 250) { // laws and decrees
        v.TP = QStringLiteral("LIO");
        v.NomeFonte = r.scegli(k.atti);
        const QString art = r.su1000(800) ? articolo(r, v, 120) : QString();
        v.testo = compatta((art + u' ' + v.NomeFonte).trimmed() + estremi(r, v, 1942, 2025, 300));
    } else if (famiglia < 400) { // codes and Constitution
        const bool costituzione = r.su1000(250);
        v.TP = QStringLiteral("LIC");
        v.NomeFonte = costituzione ? k.costituzione.first() : r.scegli(k.codici);
        v.testo = compatta(articolo(r, v, costituzione ? 139 : 2969) + u' ' + v.NomeFonte);
    } else if (famiglia < 420) {
        v.TP = QStringLiteral("LICO");
        v.NomeFonte = QStringLiteral("l. cost.");
        v.testo = compatta(v.NomeFonte + estremi(r, v, 1948, 2022, 3));
    } else if (famiglia < 460) {
        v.TP = QStringLiteral("LIR");
        v.NomeFonte = r.scegli(k.attiRegionali);
        v.Regione = r.scegli(k.regioni);
        const QString art = r.su1000(600) ? articolo(r, v, 60) : QString();
        v.testo =
            compatta((art + u' ' + v.NomeFonte + u' ' + v.Regione).trimmed() + estremi(r, v, 1972, 2025, 60));
    } else if (famiglia < 470) {
        v.TP = QStringLiteral("LIP");
        v.NomeFonte = r.scegli(k.attiProvinciali);
        v.Provincia = r.scegli(k.province);
        v.testo = compatta((v.NomeFonte + u' ' + v.Provincia).trimmed() + estremi(r, v, 1975, 2025, 40));
    } else if (famiglia < 520) {
        v.TP = QStringLiteral("LIOA");
        const int tipo = r.tra(0, 9);
        if (tipo < 5) {
            v.NomeFonte = r.scegli(k.attiMinisteriali);
            v.Ministero = r.scegli(ministeri());
            v.testo = compatta(v.NomeFonte + u' ' + v.Ministero + estremi(r, v, 1990, 2025, 500));
        } else if (tipo < 7) {
            v.NomeFonte = r.scegli(k.attiAutorita);
            v.Autorita = r.scegli(autorita());
            v.testo = compatta(v.NomeFonte + u' ' + v.Autorita + estremi(r, v, 1995, 2025, 900));
        } else if (tipo < 9) {
            v.NomeFonte = r.scegli(k.attiAmministrazioni);
            v.Amministrazione = r.scegli(amministrazioni());
            v.testo = compatta(v.NomeFonte + u' ' + v.Amministrazione + estremi(r, v, 1995, 2025, 900));
        } else {
            v.NomeFonte = r.su1000(500) ? QStringLiteral("reg. cam.") : QStringLiteral("reg. sen.");
            v.testo = compatta(articolo(r, v, 160) + u' ' + v.NomeFonte);
        }
    } else if (famiglia < 535) {
        v.TP = QStringLiteral("AC");
        v.NomeFonte = r.scegli(k.contratti);
        v.altro = r.scegli(lista({"metalmeccanici", "commercio", "credito", "sanità privata", "scuola"}));
        v.testo =
            compatta(v.NomeFonte + estremi(r, v, 2000, 2025, 9) + QStringLiteral(" (") + v.altro + u')');
    } else if (famiglia < 580) {
        v.TP = QStringLiteral("GICO");
        v.NomeFonte = QStringLiteral("C. Cost.");
        v.testo = compatta(prefissoDecisione(r, v) + v.NomeFonte + estremi(r, v, 1956, 2025, 320));
    } else if (famiglia < 650) {
        v.TP = QStringLiteral("GICA");
        v.NomeFonte = QStringLiteral("Cass.");
        QString s = prefissoDecisione(r, v) + v.NomeFonte;
        if (r.su1000(900)) {
            v.Sezione = r.scegli(sezioniCassazione());
            s += u' ' + v.Sezione;
        }
        v.testo = compatta(s + estremi(r, v, 1990, 2025, 39999));
    } else if (famiglia < 690) {
        v.TP = QStringLiteral("GIO");
        v.NomeFonte = r.scegli(k.tribunali);
        v.Citta = r.scegli(citta());
        QString s = prefissoDecisione(r, v) + v.NomeFonte + u' ' + v.Citta;
        if (r.su1000(400)) {
            v.Sezione = r.scegli(sezioni());
            s += u' ' + v.Sezione;
        }
        v.testo = compatta(s + estremi(r, v, 1995, 2025, 9999));
    } else if (famiglia < 725) {
        v.TP = QStringLiteral("GIA");
        v.NomeFonte = r.scegli(k.amministrativi);
        QString s = prefissoDecisione(r, v) + v.NomeFonte;
        if (v.NomeFonte == u"TAR" || r.su1000(100)) {
            v.Regione = r.scegli(k.regioni);
            s += u' ' + v.Regione;
            if (r.su1000(500)) {
                v.Citta = r.scegli(citta());
                s += QStringLiteral(" - ") + v.Citta;
            }
        }
        if (r.su1000(500)) {
            v.Sezione = r.scegli(sezioni());
            s += u' ' + v.Sezione;
        }
        v.testo = compatta(s + estremi(r, v, 1995, 2025, 9999));
    } else if (famiglia < 735) {
        v.TP = QStringLiteral("GICC");
        v.NomeFonte = QStringLiteral("C. Conti");
        QString s = prefissoDecisione(r, v) + v.NomeFonte;
        if (r.su1000(600)) {
            v.Regione = r.scegli(k.regioni);
            s += u' ' + v.Regione;
        }
        v.Sezione = QStringLiteral("sez. giurisd.");
        s += u' ' + v.Sezione;
        v.testo = compatta(s + estremi(r, v, 1995, 2025, 999));
    } else if (famiglia < 745) {
        v.TP = QStringLiteral("GIT");
        v.NomeFonte = r.scegli(k.tributari);
        v.Citta = r.scegli(citta());
        v.testo = compatta(v.NomeFonte + QStringLiteral(" - ") + v.Citta + estremi(r, v, 2000, 2025, 999));
    } else if (famiglia < 750) {
        v.TP = QStringLiteral("GIS");
        v.NomeFonte = QStringLiteral("giur. sport");
        v.altro = r.scegli(lista({"calcio", "ciclismo", "atletica"}));
        v.testo =
            compatta(v.NomeFonte + estremi(r, v, 2005, 2025, 200) + QStringLiteral(" (") + v.altro + u')');
    } else if (famiglia < 800) { // EU secondary law
        v.TP = QStringLiteral("NIC");
        v.NomeFonte = r.scegli(k.derivatoUE);
        const QString art = r.su1000(600) ? articolo(r, v, 99) : QString();
        v.anno = QString::number(r.tra(1968, 2025));
        v.numero = QString::number(r.tra(1, 2500));
        QString s = (art + u' ' + v.NomeFonte).trimmed() + u' ';
        if (v.NomeFonte.startsWith(QStringLiteral("Reg.")))
            s += v.anno >= u"2015" ? v.anno + u'/' + v.numero
                                   : v.numero + u'/' + (v.anno >= u"2000" ? v.anno : v.anno.mid(2));
        else
            s += (v.anno <= u"1999" ? v.anno.mid(2) : v.anno) + u'/' + v.numero;
        v.testo = compatta(s);
    } else if (famiglia < 820) {
        v.TP = QStringLiteral("NIC");
        v.NomeFonte = r.scegli(k.trattatiUE);
        v.testo = compatta(articolo(r, v, 358) + u' ' + v.NomeFonte);
    } else if (famiglia < 850) {
        v.TP = QStringLiteral("GEC");
        v.NomeFonte = r.scegli(k.corteUE);
        QString s = prefissoDecisione(r, v) + v.NomeFonte;
        if (r.su1000(300)) {
            v.Sezione = r.scegli(lista({"Grande Sezione", "sez. I", "sez. III", "sez. V"}));
            s += u' ' + v.Sezione;
        }
        v.giorno = QString::number(r.tra(1, 28));
        v.mese = mese(r);
        v.anno = QString::number(r.tra(1990, 2025));
        v.numero = QStringLiteral("C-%1/%2").arg(r.tra(1, 999)).arg(v.anno.mid(2));
        s += u' ' + v.giorno + u' ' + v.mese + u' ' + v.anno + QStringLiteral(", n. ") + v.numero;
        if (r.su1000(300)) {
            v.altro = r.scegli(lista({"Schrems", "Google Spain", "Taricco", "Melloni", "\"Lautsi\""}));
            s += QStringLiteral(" (") + v.altro + u')';
        }
        v.testo = compatta(s);
    } else if (famiglia < 870) {
        v.TP = QStringLiteral("NIT");
        v.NomeFonte = r.scegli(k.trattati);
        v.testo = compatta(articolo(r, v, 59) + u' ' + v.NomeFonte);
    } else if (famiglia < 880) {
        v.TP = QStringLiteral("NIA");
        v.NomeFonte = r.scegli(k.organismi);
        v.testo = compatta(v.NomeFonte + estremi(r, v, 1948, 2025, 999));
    } else if (famiglia < 910) {
        v.TP = QStringLiteral("GEI");
        v.NomeFonte = r.scegli(k.corteInternazionale);
        QString s = prefissoDecisione(r, v) + v.NomeFonte;
        if (r.su1000(250)) {
            v.Sezione = QStringLiteral("Grande Camera");
            s += u' ' + v.Sezione;
        }
        s += estremi(r, v, 1990, 2025, 99999);
        v.altro = r.scegli(lista({"Rossi c. Italia", "Bianchi c. Italia", "Costa e Pavan c. Italia",
                                  "Lautsi c. Italia", "Torreggiani c. Italia"}));
        v.testo = compatta(s + QStringLiteral(" (") + v.altro + u')');
    } else if (famiglia < 930) {
        v.TP = QStringLiteral("NS");
        v.Stato = r.scegli(stati());
        const QString libero =
            r.scegli(lista({"Code civil", "BGB", "Código civil", "Companies Act", "StGB", "ZGB"}));
        v.altro = libero;
        v.testo = compatta(articolo(r, v, 2000) + u' ' + libero + estremi(r, v, 1900, 2025, 999) +
                           QStringLiteral(" (") + v.Stato + u')');
    } else if (famiglia < 950) {
        v.TP = QStringLiteral("GS");
        v.Stato = r.scegli(stati());
        v.altro = r.scegli(lista({"Cour de cassation", "Bundesgerichtshof", "Tribunal Supremo",
                                  "Supreme Court", "Conseil d'État"}));
        v.testo = compatta(v.altro + estremi(r, v, 1950, 2025, 9999) + QStringLiteral(" (") + v.Stato + u')');
    } else if (famiglia < 960) {
        v.TP = QStringLiteral("FCC");
        v.NomeFonte = QStringLiteral("C. Iur. Can.");
        v.articolo = QString::number(r.tra(1, 1752));
        QString s = QStringLiteral("can. ") + v.articolo;
        if (r.su1000(400)) {
            v.comma = QString::number(r.tra(1, 4));
            s += QStringLiteral(" par. ") + v.comma;
        }
        v.anno = QStringLiteral("1983");
        v.testo = compatta(s + u' ' + v.NomeFonte + QStringLiteral(" 1983"));
    } else if (famiglia < 970) {
        v.TP = QStringLiteral("FCG");
        v.NomeFonte = r.scegli(k.canonici);
        QString s = v.NomeFonte;
        if (v.NomeFonte == u"Trib. Eccl. Reg.") {
            v.Regione = r.scegli(k.regioni);
            s += u' ' + v.Regione;
        } else if (v.NomeFonte == u"Trib. Eccl. Dioc.") {
            v.Citta = r.scegli(citta());
            s += u' ' + v.Citta;
        }
        v.testo = compatta(s + estremi(r, v, 1970, 2025, 999));
    } else if (famiglia < 975) {
        v.TP = QStringLiteral("FCA");
        v.altro = r.scegli(lista({"Istr. Dignitas connubii", "Decr. gen. CEI", "Conc. Vat. II"}));
        v.testo = compatta(u' ' + v.altro + estremi(r, v, 1965, 2025, 99));
    } else { // historical sources
        static const QStringList codici =
            lista({"FSRG", "FSRP", "FSRE", "FSRL", "FSGG", "FSGL", "FSBG", "FSC", "FSE", "FSI", "FSAG"});
        v.TP = r.scegli(codici);
        const int libro = r.tra(1, 50), titolo = r.tra(1, 20), frammento = r.tra(1, 99);
        v.testo = QStringLiteral("D. %1.%2.%3").arg(libro).arg(titolo).arg(frammento);
        if (v.TP.startsWith(QStringLiteral("FSG")))
            v.testo = QStringLiteral("Lys. %1.%2").arg(libro).arg(frammento);
        else if (v.TP == u"FSI")
            v.testo = QStringLiteral("Bald. ad C. %1.%2.%3").arg(libro).arg(titolo).arg(frammento);
    }
    return v;
}

// ---------------------------------------------------------------------------------------------
// Texts and persons.

const QStringList& temi() {
    static const QStringList l = lista({"la responsabilità civile",
                                        "il contratto di appalto",
                                        "la tutela dei dati personali",
                                        "il licenziamento per giusta causa",
                                        "la successione ereditaria",
                                        "il processo amministrativo",
                                        "la concorrenza sleale",
                                        "il danno non patrimoniale",
                                        "la prescrizione del reato",
                                        "l'abuso del diritto",
                                        "la tutela del consumatore",
                                        "il diritto d'autore",
                                        "la crisi d'impresa",
                                        "il trust",
                                        "il controllo a distanza dei lavoratori",
                                        "l'azione di classe",
                                        "l'arbitrato rituale",
                                        "la mediazione civile",
                                        "il contratto preliminare",
                                        "la separazione dei coniugi",
                                        "l'affidamento condiviso",
                                        "la responsabilità medica",
                                        "gli appalti pubblici",
                                        "il procedimento disciplinare",
                                        "la firma elettronica",
                                        "l'intelligenza artificiale",
                                        "il whistleblowing",
                                        "la sostenibilità d'impresa",
                                        "il diritto all'oblio",
                                        "la custodia cautelare",
                                        "il principio di leale collaborazione",
                                        "l'autonomia differenziata",
                                        "il giudicato amministrativo",
                                        "la legittima difesa",
                                        "il mandato d'arresto europeo"});
    return l;
}

const QStringList& eventi() {
    static const QStringList l =
        lista({"la riforma Cartabia", "il codice della crisi d'impresa", "le Sezioni Unite del 2021",
               "il regolamento generale sulla protezione dei dati", "la legge n. 24 del 2017",
               "il nuovo codice dei contratti pubblici",
               "la sentenza n. 242 del 2019 della Corte costituzionale", "la direttiva (UE) 2019/1937"});
    return l;
}

const QStringList& topics() {
    static const QStringList l =
        lista({"civil liability", "public procurement", "data protection", "dismissal for just cause",
               "inheritance law", "administrative proceedings", "unfair competition", "medical malpractice",
               "consumer protection", "copyright", "insolvency", "artificial intelligence", "whistleblowing",
               "the right to be forgotten", "pre-trial detention", "regional autonomy"});
    return l;
}

// The pattern with %1, %2 and %3 replaced by the three texts (any of them may be absent).
QString riempi(QString pattern, const QString& a, const QString& b, const QString& c = {}) {
    pattern.replace(QStringLiteral("%1"), a);
    pattern.replace(QStringLiteral("%2"), b);
    pattern.replace(QStringLiteral("%3"), c);
    return pattern;
}

QString maiuscola(QString s) {
    if (!s.isEmpty())
        s[0] = s[0].toUpper();
    return s;
}

QString titolo(Casuale& r) {
    const QString t = r.scegli(temi()), t2 = r.scegli(temi()), e = r.scegli(eventi());
    switch (r.tra(0, 8)) {
    case 0:
        return maiuscola(t) + QStringLiteral(" dopo ") + e;
    case 1:
        return QStringLiteral("Note in tema di ") + t;
    case 2:
        return maiuscola(t) + QStringLiteral(": profili problematici");
    case 3:
        return QStringLiteral("Riflessioni su ") + t + QStringLiteral(" e ") + t2;
    case 4:
        return QStringLiteral("Il punto su ") + t;
    case 5:
        return QStringLiteral("Ancora su ") + t + QStringLiteral(": il c.d. \"") + t2 + u'"';
    case 6:
        return maiuscola(t) + QStringLiteral(" nella giurisprudenza di legittimità");
    case 7:
        return maiuscola(t) + QStringLiteral(" tra ") + t2 + QStringLiteral(" e ") + e;
    default:
        return QStringLiteral("«") + maiuscola(t) + QStringLiteral("»: una rilettura");
    }
}

QString riassunto(Casuale& r) {
    static const QStringList frasi =
        lista({"Il contributo si sofferma su %1, con particolare riguardo a %2.",
               "L'Autore esamina %1 alla luce di quanto disposto con %3.",
               "Dopo aver ricostruito il quadro normativo, si analizzano gli orientamenti della "
               "giurisprudenza su %1.",
               "Si evidenziano le criticità ancora aperte, anche in relazione a %2.",
               "Il saggio propone una lettura sistematica del tema (%1), tenendo conto de: %3.",
               "Vengono poi esaminate le ricadute pratiche per gli operatori del diritto.",
               "Si conclude con alcune considerazioni de iure condendo su %2.",
               "La nota critica la soluzione accolta, ritenendo preferibile un'interpretazione "
               "costituzionalmente orientata.",
               "L'analisi muove dalla ratio dell'istituto e dai suoi rapporti con %2."});
    QStringList out;
    const int n = r.tra(3, 9);
    for (int i = 0; i < n; ++i)
        out << riempi(r.scegli(frasi), r.scegli(temi()), r.scegli(temi()), r.scegli(eventi()));
    return out.join(u' ');
}

QString sommario(Casuale& r) {
    QStringList parti{QStringLiteral("1. Premessa.")};
    const int n = r.tra(3, 7);
    for (int i = 2; i < n; ++i)
        parti << QStringLiteral("%1. %2.").arg(i).arg(maiuscola(r.scegli(temi())));
    parti << QStringLiteral("%1. Conclusioni.").arg(n);
    return parti.join(QStringLiteral(" - "));
}

QString inTemaDi(Casuale& r) {
    return r.scegli(temi()) + QStringLiteral(" - ") + r.scegli(temi()) + QStringLiteral(" - ") +
           r.scegli(eventi());
}

QString abstractInglese(Casuale& r) {
    static const QStringList frasi =
        lista({"The paper examines %1 in the light of recent case law.",
               "The Author analyses the relationship between %1 and %2.",
               "After outlining the legal framework, the essay discusses the main open issues.",
               "The article concludes that a reform of %1 is needed.",
               "Particular attention is paid to the impact of EU law on %2."});
    QStringList out;
    const int n = r.tra(3, 6);
    for (int i = 0; i < n; ++i)
        out << riempi(r.scegli(frasi), r.scegli(topics()), r.scegli(topics()));
    return out.join(u' ');
}

QString traduzione(Casuale& r) {
    return maiuscola(r.scegli(topics())) + QStringLiteral(": ") +
           r.scegli(lista({"some remarks", "a critical review", "recent developments", "open questions"}));
}

const QStringList& cognomi() {
    static const QStringList l =
        lista({"Rossi",      "Russo",   "Ferrari",    "Esposito",   "Bianchi",    "Romano",     "Colombo",
               "Ricci",      "Marino",  "Greco",      "Bruno",      "Gallo",      "Conti",      "De Luca",
               "Mancini",    "Costa",   "Giordano",   "Rizzo",      "Lombardi",   "Moretti",    "Barbieri",
               "Fontana",    "Santoro", "Mariani",    "Rinaldi",    "Caruso",     "Ferrara",    "Galli",
               "Martini",    "Leone",   "Longo",      "Gentile",    "Martinelli", "Vitale",     "Lombardo",
               "Serra",      "Coppola", "De Santis",  "D'Angelo",   "Marchetti",  "Parisi",     "Villa",
               "Conte",      "Ferraro", "Ferri",      "Fabbri",     "Bianco",     "Marini",     "Grasso",
               "Valentini",  "Messina", "Sala",       "De Angelis", "Gatti",      "Pellegrini", "Palumbo",
               "Sanna",      "Farina",  "Rizzi",      "Monti",      "Cattaneo",   "Morelli",    "Amato",
               "Silvestri",  "Mazza",   "Testa",      "Grassi",     "Pellegrino", "Carbone",    "Giuliani",
               "Benedetti",  "Barone",  "Rossetti",   "Caputo",     "Montanari",  "Guerra",     "Palmieri",
               "Bernardi",   "Martino", "Fiore",      "De Rosa",    "Ferretti",   "Bellini",    "Basile",
               "Riva",       "Donati",  "Piras",      "Vitali",     "Battaglia",  "Sartori",    "Neri",
               "Costantini", "Milani",  "Pagano",     "Ruggiero",   "Sorrentino", "D'Amico",    "Orlando",
               "Damico",     "Negri",   "Dell'Acqua", "Lo Russo",   "Dall'Olio",  "Sant'Elia"});
    return l;
}

const QStringList& nomi() {
    static const QStringList l =
        lista({"Marco",      "Giulia",   "Luca",     "Francesca",  "Andrea",    "Chiara",     "Alessandro",
               "Sara",       "Matteo",   "Elena",    "Giuseppe",   "Valentina", "Francesco",  "Martina",
               "Lorenzo",    "Federica", "Davide",   "Silvia",     "Stefano",   "Paola",      "Roberto",
               "Laura",      "Paolo",    "Anna",     "Giovanni",   "Maria",     "Antonio",    "Elisa",
               "Simone",     "Ilaria",   "Riccardo", "Alessandra", "Fabio",     "Claudia",    "Massimo",
               "Roberta",    "Enrico",   "Monica",   "Nicola",     "Barbara",   "Pier Luigi", "Maria Rosaria",
               "Gian Paolo", "Niccolò"});
    return l;
}

VoceResponsabilita persona(qint64 k, bool autore) {
    VoceResponsabilita v;
    const qsizetype s = cognomi().size(), n = nomi().size();
    v.PrimoElemento = cognomi().at(k % s);
    // One person in a hundred is known by the surname alone.
    v.SecondoElemento = (k % 97 == 13) ? QString() : nomi().at((k / s + k * 7) % n);
    v.FlagAutore = autore;
    return v;
}

// ---------------------------------------------------------------------------------------------

// The position of the first item with that code; -1 when none.
int posizione(const QStringList& items, const QString& codice) {
    for (int i = 1; i < items.size(); ++i)
        if (items.at(i).startsWith(codice))
            return i;
    return -1;
}

struct Fascicolo {
    QString rivista;
    int anno = 0, mese = 0, giorno = 0;
    QString numero, volume, annata;
    int articoliRimasti = 0;
};

enum class Errore {
    Nessuno,
    SenzaTD,
    SenzaTAbs,
    SenzaBib,
    SenzaAutori,
    SenzaClassificazione,
    TAbsTesti,
    Pagine0,
    SenzaFonti,
    SenzaTraduzione
};

class Generatore {
public:
    Generatore(cConnessione& c, const Catalogo& k, quint32 seme) : c_(c), k_(k), r_(seme) {}

    void documento(qint64 numero) {
        if (fascicolo_.articoliRimasti <= 0)
            nuovoFascicolo();
        --fascicolo_.articoliRimasti;

        Errore errore = Errore::Nessuno;
        if (r_.su1000(75))
            errore = static_cast<Errore>(r_.tra(1, 9));

        DocumentBuffer b;
        b.NuovoDocumento = true;
        b.IDDocCorrente = numero;
        DatiDocumento d;
        PreparaDati(d, k_.liste);
        d.txtID = QString::number(numero);
        riferimento(d);
        codici(d, errore);
        persone(b, errore);
        classificazione(b, errore);
        fonti(b, errore);
        testi(b, d, errore);

        const RisultatoSalvataggio esito = ScriviDocumento(c_, b, d);
        if (!esito.salvato())
            throw std::runtime_error(QStringLiteral("Documento %1 non salvato: %2")
                                         .arg(numero)
                                         .arg(esito.messaggio)
                                         .toStdString());
    }

    qint64 fontiNuove() const { return static_cast<qint64>(semi_.size()); }

private:
    void nuovoFascicolo() {
        Fascicolo& f = fascicolo_;
        f.rivista = k_.liste.cmbCPer.at(r_.tra(1, static_cast<int>(k_.liste.cmbCPer.size()) - 1));
        f.anno = r_.tra(2015, 2025);
        const int data = r_.tra(0, 99);
        f.mese = data < 92 ? r_.tra(1, 12) : 0;
        f.giorno = data < 80 ? r_.tra(1, 28) : 0;
        f.numero = r_.su1000(900) ? QString::number(r_.tra(1, 12)) : QString();
        f.volume = r_.su1000(600) ? QString::number(f.anno - 1990) : QString();
        f.annata = r_.su1000(700) ? QString::number(f.anno) : QString();
        f.articoliRimasti = r_.tra(3, 14);
    }

    void riferimento(DatiDocumento& d) {
        const Fascicolo& f = fascicolo_;
        seleziona(d.cmbCPer, k_.liste.cmbCPer, static_cast<int>(k_.liste.cmbCPer.indexOf(f.rivista)));
        seleziona(d.cmbAA, k_.liste.cmbAA, static_cast<int>(k_.liste.cmbAA.indexOf(QString::number(f.anno))));
        seleziona(d.cmbMM, k_.liste.cmbMM, f.mese);
        seleziona(d.cmbGG, k_.liste.cmbGG, f.mese > 0 ? f.giorno : 0);
        d.txtFascicolo = f.numero;
        d.txtVolume = f.volume;
        d.txtAnnata = f.annata;
        const int da = r_.tra(1, 400);
        d.txtPagine =
            r_.su1000(850) ? QStringLiteral("%1-%2").arg(da).arg(da + r_.tra(1, 40)) : QString::number(da);
        d.txtDocURL = QStringLiteral("https://www.%1.it/articoli/%2/%3")
                          .arg(f.rivista.toLower())
                          .arg(f.anno)
                          .arg(r_.tra(1, 99999));
    }

    void codici(DatiDocumento& d, Errore errore) {
        const QStringList& td = k_.liste.ComboTD;
        int pos = posizione(td, QStringLiteral("01"));
        const int t = r_.tra(0, 99);
        if (t >= 60 && t < 78)
            pos = posizione(td, QStringLiteral("03"));
        else if (t >= 78 && t < 88)
            pos = posizione(td, QStringLiteral("07"));
        else if (t >= 88)
            pos = r_.tra(1, static_cast<int>(td.size()) - 1);
        seleziona(d.ComboTD, td, pos < 1 ? 1 : pos);
        tipoAbstract_ = r_.scegli(lista({"500", "500", "500", "600", "700", "800", "900", "400"}));
        if (d.ComboTD.testo.left(2) != u"01" && tipoAbstract_ == u"400")
            tipoAbstract_ = QStringLiteral("600");
        seleziona(d.ComboTAbs, k_.liste.ComboTAbs, posizione(k_.liste.ComboTAbs, tipoAbstract_));
        seleziona(d.ComboBib, k_.liste.ComboBib, r_.tra(1, static_cast<int>(k_.liste.ComboBib.size()) - 1));
        straniero_ = r_.su1000(60) && k_.liste.ComboLIN.size() > 2;
        seleziona(d.ComboLIN, k_.liste.ComboLIN,
                  straniero_ ? r_.tra(2, static_cast<int>(k_.liste.ComboLIN.size()) - 1) : 1);
        if (errore == Errore::SenzaTD)
            seleziona(d.ComboTD, td, 0);
        if (errore == Errore::SenzaTAbs)
            seleziona(d.ComboTAbs, k_.liste.ComboTAbs, 0);
        if (errore == Errore::SenzaBib)
            seleziona(d.ComboBib, k_.liste.ComboBib, 0);
        if (errore == Errore::Pagine0)
            d.txtPagine = QStringLiteral("0");
    }

    void persone(DocumentBuffer& b, Errore errore) {
        if (errore == Errore::SenzaAutori)
            return;
        // Persons are shared: a pool that grows with the archive, each person writing several articles.
        const qint64 pool = std::max<qint64>(300, documentiScritti_ / 6 + 300);
        ++documentiScritti_;
        const int t = r_.tra(0, 99);
        const int autori = t < 55 ? 1 : t < 82 ? 2 : t < 95 ? 3 : t < 99 ? 4 : 5;
        for (int i = 0; i < autori; ++i)
            b.ElencoResponsabilita.append(persona(r_.tra(0, static_cast<int>(pool) - 1), true));
        if (r_.su1000(50))
            b.ElencoResponsabilita.append(persona(r_.tra(0, static_cast<int>(pool) - 1), false));
    }

    void classificazione(DocumentBuffer& b, Errore errore) {
        if (errore == Errore::SenzaClassificazione || k_.sistematici.isEmpty())
            return;
        const int t = r_.tra(0, 99);
        const int coppie = t < 30 ? 1 : t < 60 ? 2 : t < 80 ? 3 : t < 92 ? r_.tra(4, 6) : r_.tra(7, 10);
        b.IndiceClassificazione = -1;
        for (int i = 0; i < coppie; ++i) {
            DatiClassificazione dati;
            const int tipo = r_.tra(0, 99);
            if (tipo < 85 && !k_.coppie.empty()) { // an allowed pair
                const auto& p = k_.coppie.at(r_.tra(0, static_cast<int>(k_.coppie.size()) - 1));
                dati.txtSistematico = p.first;
                dati.lstDescrittore << rigaDescrittore(p.second, QString());
            } else if (tipo < 90) { // a systematic heading alone
                dati.txtSistematico = r_.scegli(k_.sistematici);
            } else if (tipo < 94 && !k_.descrittori.isEmpty()) { // a pair outside the scheme
                dati.txtSistematico = r_.scegli(k_.sistematici);
                dati.lstDescrittore << rigaDescrittore(r_.scegli(k_.descrittori), QString());
            } else if (k_.asteriscati.size() > 1) { // asterisked, mostly allowed
                int pos = r_.tra(1, static_cast<int>(k_.asteriscati.size()) - 1);
                if (tipo < 98 && !k_.coppieDSA.empty()) {
                    const auto& p = k_.coppieDSA.at(r_.tra(0, static_cast<int>(k_.coppieDSA.size()) - 1));
                    dati.txtSistematico = p.first;
                    pos = posizioneAsteriscato(k_.asteriscati, p.second);
                } else {
                    dati.txtSistematico = r_.scegli(k_.sistematici);
                }
                dati.cmbAsteriscati = pos;
                dati.asteriscato = k_.asteriscati.at(pos);
            } else {
                dati.txtSistematico = r_.scegli(k_.sistematici);
            }
            MemorizzaClassificazione(c_, b, dati);
        }
    }

    void fonti(DocumentBuffer& b, Errore errore) {
        if (errore == Errore::SenzaFonti)
            return;
        const int t = r_.tra(0, 99);
        const int n = t < 3    ? 0
                      : t < 38 ? r_.tra(1, 3)
                      : t < 78 ? r_.tra(4, 7)
                      : t < 95 ? r_.tra(8, 12)
                               : r_.tra(13, 20);
        for (int i = 0; i < n; ++i) {
            quint64 seme;
            // About two citations in three are of a source not cited before.
            if (semi_.empty() || r_.su1000(660)) {
                seme = r_.prossimo();
                semi_.push_back(seme);
            } else {
                seme = semi_.at(static_cast<size_t>(r_.popolare(static_cast<qint64>(semi_.size()))));
            }
            b.ElencoFonti.append(fonteDaSeme(seme, k_));
        }
    }

    void testi(DocumentBuffer& b, DatiDocumento& d, Errore errore) {
        d.txtTitolo = titolo(r_);
        const QString tabs = d.ComboTAbs.posizione >= 1 ? d.ComboTAbs.testo.left(3) : tipoAbstract_;
        if (tabs == u"500") {
            b.TestoRiassunto = riassunto(r_);
            b.TestoSommario = sommario(r_);
        } else if (tabs == u"600") {
            b.TestoSommario = sommario(r_);
        } else if (tabs == u"700") {
            b.TestoInTemaDi = inTemaDi(r_);
        } else if (tabs == u"800") {
            b.TestoRiassunto = riassunto(r_);
            b.TestoInTemaDi = inTemaDi(r_);
        } else if (tabs == u"900") {
            b.TestoRiassunto = riassunto(r_);
            b.TestoEnglishAbstract = abstractInglese(r_);
        }
        if (tabs != u"400" && tabs != u"900" && r_.su1000(150))
            b.TestoEnglishAbstract = abstractInglese(r_);
        if (errore == Errore::TAbsTesti) {
            if (tabs == u"400") {
                b.TestoRiassunto = riassunto(r_);
            } else {
                b.TestoRiassunto.clear();
                b.TestoSommario.clear();
                b.TestoInTemaDi.clear();
            }
        }
        if ((straniero_ || !b.TestoEnglishAbstract.isEmpty()) && errore != Errore::SenzaTraduzione)
            b.TestoTraduzione = r_.su1000(20) ? QStringLiteral("[") + traduzione(r_) + u']' : traduzione(r_);
        // A note, except for independent contributions, names the decision or act commented.
        if (d.ComboTD.testo.left(2) != u"01" || d.ComboTD.posizione < 1) {
            QString citata = QStringLiteral("Cass. sez. un. 11 novembre 2008, n. 26972");
            for (const VoceFonte& v : b.ElencoFonti)
                if (v.TP.startsWith(QStringLiteral("GI"))) {
                    citata = v.testo;
                    break;
                }
            d.txtNota = (d.ComboTD.testo.left(2) == u"07" ? QStringLiteral("Commento a ")
                                                          : QStringLiteral("Nota a ")) +
                        citata;
        }
        if (r_.su1000(30))
            b.TestoNotaDoc =
                QStringLiteral("Si propone il nuovo descrittore \"%1\" per %2.")
                    .arg(r_.scegli(temi()), r_.scegli(k_.sistematici.isEmpty() ? temi() : k_.sistematici));
    }

    cConnessione& c_;
    const Catalogo& k_;
    Casuale r_;
    Fascicolo fascicolo_;
    QString tipoAbstract_;
    bool straniero_ = false;
    qint64 documentiScritti_ = 0;
    std::vector<quint64> semi_;
};

} // namespace

void GeneraArchivio(AppState& state, const QString& path, const OpzioniGeneratore& opzioni,
                    Progress* progress) {
    if (path.isEmpty())
        throw std::runtime_error("Nome archivio non valido");
    if (QFileInfo::exists(path))
        throw std::runtime_error(QStringLiteral("Il file %1 esiste già").arg(path).toStdString());
    // Made under a temporary name, it appears under its own only when complete.
    const QString part = path + QStringLiteral(".gen");
    QFile::remove(part);
    copyNewFile(state.home.templatePath(), part);
    try {
        cConnessione c;
        ApriCopiaModello(c, part);
        // Nothing to protect while the file is being made: a failure throws it away.
        c.executeScript(QStringLiteral("PRAGMA synchronous = OFF;"));
        Casuale rnd(opzioni.seme);
        Catalogo catalogo;
        {
            Transaction t(c);
            c.EseguiIstruzione(QStringLiteral("delete from tabInfo"));
            c.EseguiIstruzione(
                QStringLiteral("insert into tabInfo (IDCentroSpoglio, AnnoProduzione, Consegna, "
                               "NumInizio) values ('3', '2026', ?, '1')"),
                {QFileInfo(path).completeBaseName()});
            SegnaComeArchivio(c);
            catalogo = preparaCatalogo(c, rnd);
            t.commit();
        }
        Generatore g(c, catalogo, opzioni.seme);
        if (progress) {
            progress->setLabel(QStringLiteral("Generazione documenti"));
            progress->setRange(opzioni.documenti);
        }
        constexpr qint64 kPerTransazione = 2000;
        for (qint64 fatti = 0; fatti < opzioni.documenti;) {
            Transaction t(c);
            const qint64 fine = std::min(opzioni.documenti, fatti + kPerTransazione);
            for (; fatti < fine; ++fatti) {
                g.documento(fatti + 1);
                if (progress && (fatti + 1) % 100 == 0)
                    progress->setValue(fatti + 1);
            }
            t.commit();
        }
        if (progress)
            progress->setValue(opzioni.documenti);
        if (!c.ChiudiConnessione())
            throw std::runtime_error(QStringLiteral("Chiusura di %1 non riuscita").arg(part).toStdString());
    } catch (const DbError& e) {
        QFile::remove(part);
        throw std::runtime_error(
            QStringLiteral("Generazione non riuscita: %1").arg(e.description()).toStdString());
    } catch (...) {
        QFile::remove(part);
        throw;
    }
    moveIntoPlace(part, path);
}
