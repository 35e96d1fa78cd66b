#include "generator/GeneratoreFonti.h"

#include "checks/RilieviDocumento.h"
#include "sources/CatalogoNorme.h"
#include "sources/Componi.h"
#include "sources/ComponiAltre.h"
#include "store/cConnessione.h"
#include "store/mdlGlobale.h"

#include <QHash>
#include <stdexcept>

namespace {

// The lives of the acts, courts, bodies and authorities the generator cites, by the names the
// template and the generator write: a citation is dated inside them.
struct Vita {
    const char16_t* nome;
    int da;
    int a;
};
const Vita kVite[] = {
    // Acts of the State.
    {u"l. cost.", 1948, kUltimoAnno},
    {u"d.l.", 1948, kUltimoAnno},
    {u"d.lg.", 1988, kUltimoAnno},
    {u"d.p.r.", 1948, kUltimoAnno},
    {u"r.d.", 1861, 1946},
    {u"r.d.l.", 1915, 1946},
    {u"r.d.lg.", 1924, 1946},
    {u"d.lg.lgt.", 1944, 1946},
    {u"d.lg.C.p.S.", 1946, 1947},
    {u"d.p.c.m.", 1948, kUltimoAnno},
    {u"dir. p.c.m.", 1988, kUltimoAnno},
    // Regions and provinces (the special regions from 1948, the autonomous provinces from 1972).
    {u"l. reg.", 1948, kUltimoAnno},
    {u"reg. reg.", 1948, kUltimoAnno},
    {u"st. reg.", 1948, kUltimoAnno},
    {u"l. reg. statutaria", 2001, kUltimoAnno},
    {u"l. prov.", 1972, kUltimoAnno},
    {u"d.p.g.p.", 1972, kUltimoAnno},
    {u"reg. prov.", 1972, kUltimoAnno},
    {u"d.p.p.", 1972, kUltimoAnno},
    {u"l.r.", 1948, kUltimoAnno},
    {u"l.p.", 1972, kUltimoAnno},
    // Courts.
    {u"C. Cost.", 1956, kUltimoAnno},
    {u"Cass.", 1923, kUltimoAnno},
    {u"TAR", 1974, kUltimoAnno},
    {u"C.G.A.", 1948, kUltimoAnno},
    {u"T.R.G.A.", 1976, kUltimoAnno},
    {u"Giud. pace", 1995, kUltimoAnno},
    {u"G.d.P.", 1995, kUltimoAnno},
    {u"Trib. min.", 1934, kUltimoAnno},
    {u"Trib. sorv.", 1986, kUltimoAnno},
    {u"Mag. sorv.", 1975, kUltimoAnno},
    {u"G.i.p.", 1989, kUltimoAnno},
    {u"G.u.p.", 1989, kUltimoAnno},
    {u"Trib. riesame", 1982, kUltimoAnno},
    {u"Pret.", 1861, 1999},
    {u"Conciliatore", 1865, 1995},
    {u"Comm. I grado", 1973, 1995},
    {u"Comm. II grado", 1973, 1995},
    {u"Comm. centr.", 1973, 2014},
    {u"Comm. prov.", 1996, 2023},
    {u"Comm. reg.", 1996, 2023},
    {u"C. giust. trib. I grado", 2023, kUltimoAnno},
    {u"C. giust. trib. II grado", 2023, kUltimoAnno},
    // The European Communities until 1993, the Community until 2009, the Union since.
    {u"Reg. CEE", 1958, 1993},
    {u"Dir. CEE", 1958, 1993},
    {u"Dec. CEE", 1958, 1993},
    {u"Racc. CEE", 1958, 1993},
    {u"Ris. CEE", 1958, 1993},
    {u"Reg. CE", 1993, 2009},
    {u"Dir. CE", 1993, 2009},
    {u"Dec. CE", 1993, 2009},
    {u"Racc. CE", 1993, 2009},
    {u"Ris. CE", 1993, 2009},
    {u"Dec. quadro", 2000, 2009},
    {u"Reg. UE", 2010, kUltimoAnno},
    {u"Dir. UE", 2010, kUltimoAnno},
    {u"Dec. UE", 2010, kUltimoAnno},
    {u"Racc. UE", 2010, kUltimoAnno},
    {u"Ris. UE", 2010, kUltimoAnno},
    {u"Reg. delegato UE", 2010, kUltimoAnno},
    {u"Reg. esecuzione UE", 2010, kUltimoAnno},
    {u"Dir. delegata UE", 2010, kUltimoAnno},
    {u"Reg. P.E.", 1979, kUltimoAnno},
    {u"Ris. P.E.", 1979, kUltimoAnno},
    {u"C. giust. CE", 1958, 2009},
    {u"C. giust. UE", 2010, kUltimoAnno},
    {u"Trib. I grado CE", 1989, 2009},
    {u"Trib. UE", 2010, kUltimoAnno},
    {u"Trib. funz. pubbl. UE", 2005, 2016},
    // International courts and bodies.
    {u"C. eur. dir. uomo", 1959, kUltimoAnno},
    {u"Comm. eur. dir. uomo", 1955, 1999},
    {u"C. int. giust.", 1946, kUltimoAnno},
    {u"C. pen. int.", 2002, kUltimoAnno},
    {u"Trib. pen. int. ex Jugoslavia", 1993, 2017},
    {u"Trib. pen. int. Ruanda", 1995, 2015},
    {u"Comitato dir. umani ONU", 1977, kUltimoAnno},
    {u"C. interam. dir. uomo", 1979, kUltimoAnno},
    {u"Trib. int. dir. mare", 1996, kUltimoAnno},
    {u"C. perm. arbitrato", 1900, kUltimoAnno},
    {u"Organo d'appello OMC", 1995, kUltimoAnno},
    {u"C. afr. dir. uomo e dei popoli", 2006, kUltimoAnno},
    {u"Comitato eur. dir. sociali", 1998, kUltimoAnno},
    {u"C. AELS", 1994, kUltimoAnno},
    {u"C. perm. giust. int.", 1922, 1946},
    {u"Ris. ONU Ass. Gen.", 1946, kUltimoAnno},
    {u"Ris. Cons. Sic. ONU", 1946, kUltimoAnno},
    {u"Dichiar. ONU Ass. Gen.", 1946, kUltimoAnno},
    {u"Ris. Cons. dir. umani ONU", 2006, kUltimoAnno},
    {u"Racc. Cons. Europa Comitato Ministri", 1949, kUltimoAnno},
    {u"Ris. Ass. Parl. Cons. Europa", 1949, kUltimoAnno},
    {u"Racc. Ass. Parl. Cons. Europa", 1949, kUltimoAnno},
    {u"Conv. OIL", 1919, kUltimoAnno},
    {u"Racc. OIL", 1919, kUltimoAnno},
    {u"Decis. OCSE", 1961, kUltimoAnno},
    {u"Racc. OCSE", 1961, kUltimoAnno},
    // Ministries, authorities and administrations under their present names.
    {u"Ministero della salute", 2001, kUltimoAnno},
    {u"Ministero dell'economia e delle finanze", 2001, kUltimoAnno},
    {u"Ministero della giustizia", 1999, kUltimoAnno},
    {u"Ministero del lavoro e delle politiche sociali", 2001, kUltimoAnno},
    {u"Ministero dell'istruzione", 2020, 2022},
    {u"AGCM", 1990, kUltimoAnno},
    {u"AGCOM", 1997, kUltimoAnno},
    {u"Garante privacy", 1997, kUltimoAnno},
    {u"ANAC", 2014, kUltimoAnno},
    {u"CONSOB", 1974, kUltimoAnno},
    {u"ARERA", 2018, kUltimoAnno},
    {u"IVASS", 2013, kUltimoAnno},
    {u"INPS", 1933, kUltimoAnno},
    {u"INAIL", 1933, kUltimoAnno},
    {u"Agenzia delle entrate", 2001, kUltimoAnno},
    {u"Regione Lombardia", 1970, kUltimoAnno},
    // Canon law.
    {u"Istr. Dignitas connubii", 2005, 2005},
    {u"Decr. gen. CEI", 1984, kUltimoAnno},
    {u"Conc. Vat. II", 1962, 1965},
};

// The span [da, a] narrowed to the lives of the names; the first name's life when they do not meet.
VitaAtto entro(int da, int a, std::initializer_list<QString> nomi) {
    VitaAtto v{da, a};
    for (const QString& n : nomi) {
        if (n.isEmpty())
            continue;
        const VitaAtto vita = VitaDi(n);
        v.da = std::max(v.da, vita.da);
        v.a = std::min(v.a, vita.a);
    }
    if (v.da > v.a && nomi.size() > 0)
        v = VitaDi(*nomi.begin());
    return v;
}

const QStringList& citta() {
    static const QStringList l = listaTesti(
        {"Roma",    "Milano",  "Napoli",   "Torino",  "Bologna",  "Firenze",         "Genova",  "Venezia",
         "Bari",    "Palermo", "Catania",  "Trento",  "Bolzano",  "Brescia",         "Verona",  "Padova",
         "Perugia", "Ancona",  "Cagliari", "Trieste", "L'Aquila", "Reggio Calabria", "Salerno", "Lecce",
         "Pescara", "Forlì"});
    return l;
}

const QStringList& sezioniCassazione() {
    static const QStringList l = listaTesti({"sez. un.", "sez. I", "sez. II", "sez. III", "sez. IV", "sez. V",
                                             "sez. VI", "sez. lav.", "sez. trib."});
    return l;
}

const QStringList& sezioni() {
    static const QStringList l =
        listaTesti({"sez. I", "sez. II", "sez. III", "sez. IV", "sez. lav.", "sez. fall."});
    return l;
}

const QStringList& ministeri() {
    static const QStringList l =
        listaTesti({"Ministero della salute", "Ministero dell'economia e delle finanze",
                    "Ministero della giustizia", "Ministero dell'interno",
                    "Ministero del lavoro e delle politiche sociali", "Ministero dell'istruzione"});
    return l;
}

const QStringList& autorita() {
    static const QStringList l =
        listaTesti({"AGCOM", "AGCM", "Garante privacy", "ANAC", "CONSOB", "ARERA", "IVASS"});
    return l;
}

const QStringList& amministrazioni() {
    static const QStringList l = listaTesti({"INPS", "Agenzia delle entrate", "Comune di Milano",
                                             "Regione Lombardia", "INAIL", "Comune di Roma"});
    return l;
}

// Foreign codes and courts with their State.
struct Straniero {
    const char* fonte;
    const char* stato;
};
const Straniero kCodiciStranieri[] = {{"Code civil", "Francia"},
                                      {"Code pénal", "Francia"},
                                      {"BGB", "Germania"},
                                      {"StGB", "Germania"},
                                      {"Código civil", "Spagna"},
                                      {"ABGB", "Austria"},
                                      {"ZGB", "Svizzera"},
                                      {"Burgerlijk Wetboek", "Paesi Bassi"},
                                      {"Código civil", "Portogallo"},
                                      {"Companies Act", "Regno Unito"},
                                      {"Code civil", "Belgio"},
                                      {"Uniform Commercial Code", "Stati Uniti"}};
const Straniero kCortiStraniere[] = {
    {"Cour de cassation", "Francia"},  {"Conseil d'État", "Francia"},
    {"Bundesgerichtshof", "Germania"}, {"Bundesverfassungsgericht", "Germania"},
    {"Tribunal Supremo", "Spagna"},    {"Supreme Court", "Stati Uniti"},
    {"House of Lords", "Regno Unito"}, {"Oberster Gerichtshof", "Austria"},
    {"Bundesgericht", "Svizzera"},     {"Hoge Raad", "Paesi Bassi"}};

// The article part of a page: a number up to massimo, sometimes a suffix, a paragraph, a letter.
void articolo(Casuale& r, PaginaFonte& p, int massimo) {
    p.txtArt = QString::number(r.tra(1, massimo));
    if (r.su1000(60))
        p.ripa = r.scegli(listaTesti({"bis", "ter", "quater"}));
    if (r.su1000(350)) {
        p.txtComma = QString::number(r.tra(1, 12));
        if (r.su1000(120))
            p.txtLett = QString(QChar(u'a' + r.tra(0, 8)));
    }
}

// Day, month and year inside the span, and a number up to numeroMassimo (none for 0).
void estremi(Casuale& r, PaginaFonte& p, VitaAtto vita, int numeroMassimo) {
    p.txtGG = QString::number(r.tra(1, 28));
    p.mese = NomiMesi().at(r.tra(0, 11));
    p.txtAA = QString::number(r.tra(vita.da, vita.a));
    if (numeroMassimo > 0)
        p.txtN = QString::number(r.tra(1, numeroMassimo));
}

// One judgment of the higher courts in 200 is cited without its number.
void senzaNumero(Casuale& r, PaginaFonte& p) {
    if (r.su1000(5))
        p.txtN.clear();
}

void decisione(Casuale& r, PaginaFonte& p) {
    if (r.su1000(40))
        p.chkDecr = true;
    else if (r.su1000(150))
        p.chkOrd = true;
}

// The entry of a page, through the composer the dialogs use. A page the composer refuses is a
// fault of the generator.
template <class Componi> VoceFonte componi(const PaginaFonte& p, Componi&& f) {
    VoceFonte v;
    AzzeraFonte(v);
    if (!f(v))
        throw std::runtime_error(QStringLiteral("Generazione: la fonte \"%1 %2\" non è stata composta")
                                     .arg(p.atto, p.txtLibero)
                                     .toStdString());
    return v;
}

QString caption(int pagina, const QString& codice) {
    for (const QString& c : FamiglieAltreFonti(pagina))
        if (c.contains(QStringLiteral("(*") + codice + QStringLiteral("*)")))
            return c;
    return {};
}

// Kind 1 (constitutional law) or 2 (other acts of the State) of the Normativa page.
int tipoNormativa(const QString& nome) {
    return nome == u"l. cost." ? 1 : 2;
}

PaginaFonte paginaAtto(Casuale& r, const QString& nome, const QDate& data, const QString& numero) {
    PaginaFonte p;
    p.tipo = tipoNormativa(nome);
    p.atto = nome;
    if (r.su1000(800))
        articolo(r, p, nome == u"l. cost." ? 12 : 120);
    p.txtGG = QString::number(data.day());
    p.mese = NomiMesi().at(data.month() - 1);
    p.txtAA = QString::number(data.year());
    p.txtN = numero;
    return p;
}

VoceFonte atto(const PaginaFonte& p, Dialogs& dialogs) {
    return componi(p, [&](VoceFonte& v) { return ComponiNormativa(p.tipo, v, p, dialogs); });
}

} // namespace

VitaAtto VitaDi(const QString& nome) {
    static const QHash<QString, VitaAtto> vite = [] {
        QHash<QString, VitaAtto> h;
        for (const Vita& v : kVite)
            h.insert(QString::fromUtf16(v.nome), VitaAtto{v.da, v.a});
        return h;
    }();
    return vite.value(nome, VitaAtto{});
}

// ---------------------------------------------------------------------------------------------

void AttiCatalogo::carica(const QString& path) {
    statali_.clear();
    costituzionali_.clear();
    chiavi_.clear();
    nomi_.clear();
    cConnessione c;
    if (!c.ApriConnessione(path, FileKind::Catalogue, true))
        return;
    RecordSet rs = c.ApriRS(
        QStringLiteral("select ID, Promulgazione, Numero, Abbreviazione from tabCatalogo order by ID"));
    for (; !rs.eof(); rs.moveNext()) {
        AttoCatalogo a;
        a.id = rs.field(0).toLongLong();
        a.data = QDate::fromString(rs.field(1).toString(), Qt::ISODate);
        a.numero = rs.field(2).toString();
        a.abbreviazione = rs.field(3).toString();
        a.nome = NomeListaDaCatalogo(a.abbreviazione);
        chiavi_.insert(rs.field(1).toString() + u'|' + a.numero + u'|' + a.abbreviazione);
        // Only the acts the checks look up under the same abbreviation, dated within their kind.
        const VitaAtto vita = VitaDi(a.nome);
        if (!a.data.isValid() || AbbreviazioneNelCatalogo(a.nome) != a.abbreviazione ||
            a.data.year() < vita.da || a.data.year() > vita.a)
            continue;
        if (!nomi_.contains(a.nome))
            nomi_ << a.nome;
        (a.nome == u"l. cost." ? costituzionali_ : statali_).push_back(a);
    }
    // A fixed order of popularity, the same in every delivery: the famous acts are cited everywhere.
    Casuale r(0x51A7E5ULL);
    for (std::vector<AttoCatalogo>* atti : {&statali_, &costituzionali_})
        for (size_t i = atti->size(); i > 1; --i)
            std::swap((*atti)[i - 1], (*atti)[static_cast<size_t>(r.prossimo() % i)]);
}

bool AttiCatalogo::contiene(const QDate& data, const QString& numero, const QString& abbreviazione) const {
    return chiavi_.contains(data.toString(Qt::ISODate) + u'|' + numero + u'|' + abbreviazione);
}

// ---------------------------------------------------------------------------------------------

FonteGenerata FonteDaSeme(quint64 seme, const NomiFonti& k, const AttiCatalogo& catalogo, Dialogs& dialogs,
                          cConnessione& archivio) {
    Casuale r(seme);
    FonteGenerata g;
    PaginaFonte p;
    const auto interna = [&](int tipo) {
        return componi(p, [&](VoceFonte& v) { return ComponiNormativa(tipo, v, p, dialogs); });
    };
    const auto giurisprudenza = [&](int tipo) {
        return componi(p, [&](VoceFonte& v) { return ComponiGiurisprudenza(tipo, v, p, dialogs); });
    };
    const int famiglia = r.tra(0, 999);
    if (famiglia < 250 || (famiglia >= 400 && famiglia < 420)) {
        // Acts of the State: those the checks look up come from the catalogue, the others (and
        // all of them without a catalogue) are made up inside their kind's life.
        const bool costituzionale = famiglia >= 400;
        const bool controllato = costituzionale || r.su1000(900);
        const std::vector<AttoCatalogo>& atti = catalogo.atti(costituzionale);
        if (controllato && !atti.empty())
            g.atto = atti.at(static_cast<size_t>(r.popolare(static_cast<qint64>(atti.size()))));
        if (g.atto) {
            p = paginaAtto(r, g.atto->nome, g.atto->data, g.atto->numero);
        } else {
            const QStringList& nomi = costituzionale ? QStringList{QStringLiteral("l. cost.")}
                                      : controllato || k.attiNonControllati.isEmpty() ? k.atti
                                                                                      : k.attiNonControllati;
            const QString nome = r.scegli(nomi);
            const VitaAtto vita = entro(1861, kUltimoAnno, {nome});
            p = paginaAtto(r, nome, QDate(r.tra(vita.da, vita.a), r.tra(1, 12), r.tra(1, 28)),
                           QString::number(r.tra(1, costituzionale ? 3 : 3000)));
        }
        g.voce = atto(p, dialogs);
        g.pagina = p;
    } else if (famiglia < 400) { // codes and Constitution
        const bool costituzione = r.su1000(250);
        articolo(r, p, costituzione ? 139 : 2969);
        const QString nome = costituzione ? k.costituzione.first() : r.scegli(k.codici);
        g.voce = componi(p, [&](VoceFonte& v) {
            ComponiArticolo(nome, QStringLiteral("LIC"), v, p);
            return true;
        });
    } else if (famiglia < 460) {
        p.atto = r.scegli(k.attiRegionali);
        p.regione = r.scegli(RegioniItaliane());
        if (r.su1000(600))
            articolo(r, p, 60);
        estremi(r, p, entro(1972, kUltimoAnno, {p.atto}), 60);
        g.voce = interna(4);
    } else if (famiglia < 470) {
        p.atto = r.scegli(k.attiProvinciali);
        p.txtInfo1 = r.scegli(ProvinceAutonome());
        estremi(r, p, entro(1975, kUltimoAnno, {p.atto}), 40);
        g.voce = interna(3);
    } else if (famiglia < 520) {
        const int tipo = r.tra(0, 9);
        if (tipo < 5) {
            p.atto = r.scegli(k.attiMinisteriali);
            p.txtInfo1 = r.scegli(ministeri());
            estremi(r, p, entro(1990, kUltimoAnno, {p.atto, p.txtInfo1}), 500);
            g.voce = interna(7);
        } else if (tipo < 7) {
            p.atto = r.scegli(k.attiAutorita);
            p.txtInfo1 = r.scegli(autorita());
            estremi(r, p, entro(1995, kUltimoAnno, {p.atto, p.txtInfo1}), 900);
            g.voce = interna(10);
        } else if (tipo < 9) {
            p.atto = r.scegli(k.attiAmministrazioni);
            p.txtInfo1 = r.scegli(amministrazioni());
            estremi(r, p, entro(1995, kUltimoAnno, {p.atto, p.txtInfo1}), 900);
            g.voce = interna(8);
        } else {
            articolo(r, p, 160);
            g.voce = interna(r.su1000(500) ? 5 : 6);
        }
    } else if (famiglia < 535) {
        p.atto = r.scegli(k.contratti);
        p.txtInfo3 =
            r.scegli(listaTesti({"metalmeccanici", "commercio", "credito", "sanità privata", "scuola"}));
        estremi(r, p, entro(2000, kUltimoAnno, {p.atto}), 9);
        g.voce = interna(11);
    } else if (famiglia < 580) {
        decisione(r, p);
        estremi(r, p, entro(1956, kUltimoAnno, {QStringLiteral("C. Cost.")}), 320);
        senzaNumero(r, p);
        g.voce = giurisprudenza(1);
    } else if (famiglia < 650) {
        decisione(r, p);
        if (r.su1000(900))
            p.txtInfo2 = r.scegli(sezioniCassazione());
        estremi(r, p, entro(1990, kUltimoAnno, {}), 39999);
        senzaNumero(r, p);
        g.voce = giurisprudenza(3);
    } else if (famiglia < 690) {
        decisione(r, p);
        p.atto = r.scegli(k.tribunali);
        p.txtInfo1 = r.scegli(citta());
        if (r.su1000(400))
            p.txtInfo2 = r.scegli(sezioni());
        estremi(r, p, entro(1995, kUltimoAnno, {p.atto}), 9999);
        g.voce = giurisprudenza(4);
    } else if (famiglia < 725) {
        decisione(r, p);
        p.atto = r.scegli(k.amministrativi);
        if (p.atto == u"TAR" || r.su1000(100)) {
            p.regione = r.scegli(RegioniItaliane());
            if (r.su1000(500))
                p.txtInfo1 = r.scegli(citta());
        }
        if (r.su1000(500))
            p.txtInfo2 = r.scegli(sezioni());
        estremi(r, p, entro(1995, kUltimoAnno, {p.atto}), 9999);
        g.voce = giurisprudenza(7);
    } else if (famiglia < 735) {
        decisione(r, p);
        if (r.su1000(600))
            p.regione = r.scegli(RegioniItaliane());
        p.txtInfo2 = QStringLiteral("sez. giurisd.");
        estremi(r, p, entro(1995, kUltimoAnno, {}), 999);
        g.voce = giurisprudenza(6);
    } else if (famiglia < 745) {
        p.atto = r.scegli(k.tributari);
        estremi(r, p, entro(1995, kUltimoAnno, {p.atto}), 999);
        // The regional boards are named by their region, the others by their city.
        if (p.atto == u"Comm. reg.")
            p.regione = r.scegli(RegioniItaliane());
        else
            p.txtInfo1 = r.scegli(citta());
        g.voce = giurisprudenza(5);
    } else if (famiglia < 750) {
        p.txtInfo3 = r.scegli(listaTesti({"calcio", "ciclismo", "atletica"}));
        estremi(r, p, entro(2005, kUltimoAnno, {}), 200);
        g.voce = giurisprudenza(10);
    } else if (famiglia < 800) { // EU secondary law
        const QString nome = r.scegli(k.derivatoUE);
        if (r.su1000(600))
            articolo(r, p, 99);
        estremi(r, p, entro(1968, kUltimoAnno, {nome}), 2500);
        g.voce = componi(p, [&](VoceFonte& v) {
            return ComponiComunitaria(nome, QStringLiteral("NIC D"), v, p, dialogs);
        });
    } else if (famiglia < 820) {
        const QString nome = r.scegli(k.trattatiUE);
        articolo(r, p, 358);
        g.voce = componi(p, [&](VoceFonte& v) {
            return ComponiComunitaria(nome, QStringLiteral("NIC T"), v, p, dialogs);
        });
    } else if (famiglia < 850) {
        // Judgments of the EU courts are cited by case ("causa C-311/18"), which the CELEX page
        // reads from the note; before 1989 cases had no court letter ("causa 6/64").
        const QString nome = r.scegli(k.corteUE);
        decisione(r, p);
        if (r.su1000(300))
            p.txtInfo2 = r.scegli(listaTesti({"Grande Sezione", "sez. I", "sez. III", "sez. V"}));
        const VitaAtto vita = entro(1980, kUltimoAnno, {nome});
        estremi(r, p, vita, 0);
        const int annoCausa = std::max(vita.da, p.txtAA.toInt() - r.tra(0, 3));
        const QString lettera = k.lettereCorteUE.value(nome, QStringLiteral("C"));
        p.txtLibero = QStringLiteral("causa ") + (annoCausa >= 1989 ? lettera + u'-' : QString()) +
                      QString::number(r.tra(1, 999)) + u'/' + QString::number(annoCausa).mid(2);
        if (r.su1000(300))
            p.txtLibero += QStringLiteral(", ") +
                           r.scegli(listaTesti({"Schrems", "Google Spain", "Taricco", "Melloni", "Kadi"}));
        g.voce = componi(
            p, [&](VoceFonte& v) { return ComponiComunitaria(nome, QStringLiteral("GEC"), v, p, dialogs); });
    } else if (famiglia < 870 && !k.trattatiNIT.isEmpty()) {
        p.txtLibero = r.scegli(k.trattatiNIT);
        articolo(r, p, 59);
        g.voce = componi(p, [&](VoceFonte& v) {
            return ComponiInternazionale({}, QStringLiteral("NIT"), v, p, archivio, dialogs);
        });
    } else if (famiglia < 880) {
        const QString nome = r.scegli(k.organismi);
        estremi(r, p, entro(1948, kUltimoAnno, {nome}), 999);
        g.voce = componi(p, [&](VoceFonte& v) {
            return ComponiInternazionale(nome, QStringLiteral("NIA"), v, p, archivio, dialogs);
        });
    } else if (famiglia < 910) {
        const QString nome = r.scegli(k.corteInternazionale);
        decisione(r, p);
        if (r.su1000(250))
            p.txtInfo2 = QStringLiteral("Grande Camera");
        estremi(r, p, entro(1990, kUltimoAnno, {nome}), 99999);
        // The Strasbourg judgments are known by their parties, as HUDOC finds them.
        if (nome.contains(QStringLiteral("eur. dir. uomo")))
            p.txtLibero =
                r.scegli(listaTesti({"Rossi c. Italia", "Bianchi c. Italia", "Costa e Pavan c. Italia",
                                     "Lautsi c. Italia", "Torreggiani c. Italia"}));
        g.voce = componi(p, [&](VoceFonte& v) {
            return ComponiInternazionale(nome, QStringLiteral("GEI"), v, p, archivio, dialogs);
        });
    } else if (famiglia < 930) {
        const Straniero& s = kCodiciStranieri[r.tra(0, static_cast<int>(std::size(kCodiciStranieri)) - 1)];
        articolo(r, p, 2000);
        p.txtLibero = QString::fromUtf8(s.fonte);
        p.txtStato = QString::fromUtf8(s.stato);
        g.voce = componi(p, [&](VoceFonte& v) {
            return ComponiStraniera(caption(PaginaStraniera, QStringLiteral("NS")), v, p, dialogs);
        });
    } else if (famiglia < 950) {
        const Straniero& s = kCortiStraniere[r.tra(0, static_cast<int>(std::size(kCortiStraniere)) - 1)];
        p.txtLibero = QString::fromUtf8(s.fonte);
        p.txtStato = QString::fromUtf8(s.stato);
        estremi(r, p, entro(1950, p.txtLibero == u"House of Lords" ? 2009 : kUltimoAnno, {}), 9999);
        g.voce = componi(p, [&](VoceFonte& v) {
            return ComponiStraniera(caption(PaginaStraniera, QStringLiteral("GS")), v, p, dialogs);
        });
    } else if (famiglia < 960) {
        p.txtArt = QString::number(r.tra(1, 1752));
        if (r.su1000(400))
            p.txtComma = QString::number(r.tra(1, 4));
        g.voce = componi(p, [&](VoceFonte& v) {
            return ComponiCanonica(caption(PaginaCanonica, QStringLiteral("FCC")),
                                   QStringLiteral("C. Iur. Can."), v, p, dialogs);
        });
    } else if (famiglia < 970) {
        const QString nome = r.scegli(k.canonici);
        if (nome == u"Trib. Eccl. Reg.")
            p.regione = r.scegli(RegioniItaliane());
        else if (nome == u"Trib. Eccl. Dioc.")
            p.txtInfo1 = r.scegli(citta());
        estremi(r, p, entro(1970, kUltimoAnno, {nome}), 999);
        g.voce = componi(p, [&](VoceFonte& v) {
            return ComponiCanonica(caption(PaginaCanonica, QStringLiteral("FCG")), nome, v, p, dialogs);
        });
    } else if (famiglia < 975) {
        p.txtLibero = r.scegli(listaTesti({"Istr. Dignitas connubii", "Decr. gen. CEI", "Conc. Vat. II"}));
        estremi(r, p, entro(1965, kUltimoAnno, {p.txtLibero}), 99);
        g.voce = componi(p, [&](VoceFonte& v) {
            return ComponiCanonica(caption(PaginaCanonica, QStringLiteral("FCA")), {}, v, p, dialogs);
        });
    } else { // historical sources
        static const QStringList codici =
            listaTesti({"FSRG", "FSRP", "FSRE", "FSRL", "FSGG", "FSGL", "FSBG", "FSC", "FSE", "FSI", "FSAG"});
        const QString codice = r.scegli(codici);
        const int libro = r.tra(1, 50), titolo = r.tra(1, 20), frammento = r.tra(1, 99);
        p.txtLibero = QStringLiteral("D. %1.%2.%3").arg(libro).arg(titolo).arg(frammento);
        if (codice.startsWith(QStringLiteral("FSG")))
            p.txtLibero = QStringLiteral("Lys. %1.%2").arg(libro).arg(frammento);
        else if (codice == u"FSI")
            p.txtLibero = QStringLiteral("Bald. ad C. %1.%2.%3").arg(libro).arg(titolo).arg(frammento);
        g.voce = componi(p, [&](VoceFonte& v) {
            return ComponiStorica(QStringLiteral("(*") + codice + QStringLiteral("*)"), v, p, dialogs);
        });
    }
    return g;
}

// ---------------------------------------------------------------------------------------------

std::optional<Svista> Svia(Casuale& r, const FonteGenerata& fonte, const NomiFonti& k,
                           const AttiCatalogo& catalogo, Dialogs& dialogs) {
    if (!fonte.atto || !fonte.pagina || fonte.atto->numero.isEmpty())
        return std::nullopt;
    const AttoCatalogo& a = *fonte.atto;
    const QString elementi[] = {QStringLiteral("giorno"), QStringLiteral("numero"), QStringLiteral("atto")};
    const int primo = r.tra(0, 2);
    for (int i = 0; i < 3; ++i) {
        const QString& elemento = elementi[(primo + i) % 3];
        PaginaFonte p = *fonte.pagina;
        QDate data = a.data;
        QString numero = a.numero;
        QString nome = a.nome;
        if (elemento == u"giorno") {
            // A neighbouring day or a day with its digits swapped, in the same month.
            const int d = a.data.day();
            const int scambiato = d >= 10 ? (d % 10) * 10 + d / 10 : d;
            const int giorno =
                scambiato != d && scambiato <= a.data.daysInMonth() && scambiato > 0 && r.su1000(300)
                    ? scambiato
                    : d + (d == 1 || (d < a.data.daysInMonth() && r.su1000(500)) ? 1 : -1);
            data = QDate(a.data.year(), a.data.month(), giorno);
        } else if (elemento == u"numero") {
            // The next or the previous number, or one ten away: a digit typed wrong.
            bool ok = false;
            const qint64 n = a.numero.toLongLong(&ok);
            if (!ok)
                continue;
            const qint64 passo = r.su1000(700) ? 1 : 10;
            numero = QString::number(n > passo && r.su1000(500) ? n - passo : n + passo);
        } else {
            QStringList altri;
            for (const QString& n : k.attiControllati) {
                const VitaAtto vita = VitaDi(n);
                if (n != a.nome && a.data.year() >= vita.da && a.data.year() <= vita.a)
                    altri << n;
            }
            if (altri.isEmpty())
                continue;
            nome = r.scegli(altri);
            p.tipo = tipoNormativa(nome);
            p.atto = nome;
        }
        if (catalogo.contiene(data, numero, AbbreviazioneNelCatalogo(nome)))
            continue;
        p.txtGG = QString::number(data.day());
        p.txtN = numero;
        return Svista{elemento, atto(p, dialogs)};
    }
    return std::nullopt;
}
