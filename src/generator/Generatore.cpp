#include "generator/Generatore.h"

#include "checks/RilieviDocumento.h"
#include "sources/CatalogoNorme.h"
#include "classification/mdlClasse.h"
#include "generator/GeneratoreCasuale.h"
#include "generator/GeneratoreFonti.h"
#include "generator/GeneratoreTesti.h"
#include "documents/SalvaDocumento.h"
#include "documents/mdlDocumenti.h"
#include "store/Archivio.h"
#include "store/Template.h"
#include "store/mdlGlobale.h"
#include "ui/ScriptedDialogs.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <deque>
#include <map>
#include <stdexcept>
#include <vector>

// The findings of the rules come at the rates of a delivery before its review: about one document
// in 25 with a general error (a code, the authors, the classification or the pages missing, texts
// that do not match the abstract type, an English abstract without the title's translation), each
// kind a few per thousand; 4 % of the articles in another language; 1.5 % without any source
// (editorials, reviews); one classification pair in 300 outside the scheme and one in 125 with an
// asterisked descriptor; 2 % of the title translations entered by the compiler; one judgment of
// the higher courts in 200 cited without its number. In the source list "Fonte errata" marks only
// the slips asked for (--slips): every other act of the State that the checks look up is cited as
// the catalogue has it.

namespace {

// The parts of a seed that draw from streams of their own.
enum Parte : quint64 { PartePreparazione = 1, ParteDocumenti, ParteFascicoli, ParteIdentita, ParteDoppioni };

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
    NomiFonti fonti;
    AttiCatalogo atti;
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
    const QStringList regioni = listaTesti({"AB", "BA", "CL", "CM", "ER", "FV", "LA", "LI", "LO", "MA",
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

Catalogo preparaCatalogo(cConnessione& c, Casuale& rnd, const QString& catalogoNorme) {
    preparaCodici(c);
    preparaClassificazione(c, rnd);
    Catalogo catalogo;
    // The lists as the document window has them in the delivery's year, whatever the day.
    catalogo.liste = CaricaListe(c, QDate(2026, 12, 31));
    Catalogo& k = catalogo;
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
    NomiFonti& f = catalogo.fonti;
    f.codici = colonna(
        c, QStringLiteral("select FonteNorm from tabFonteInterna where liv1 = '1' order by FonteNorm"));
    if (f.codici.isEmpty()) {
        f.codici = listaTesti({"c.c.", "c.p.", "c.p.c.", "c.p.p.", "c. nav.", "c. cons.", "c. priv."});
        for (const QString& n : f.codici)
            assicuraInterna(c, n, QStringLiteral("1"), QString());
    }
    f.costituzione = colonna(
        c, QStringLiteral("select FonteNorm from tabFonteInterna where liv1 = '0' order by IDFonteInterna"));
    if (f.costituzione.isEmpty()) {
        f.costituzione = listaTesti({"Cost."});
        assicuraInterna(c, f.costituzione.first(), QStringLiteral("0"), QString());
    }
    f.atti = nomiInterni(c, QStringLiteral("2"), QStringLiteral("1"),
                         listaTesti({"l.", "d.lg.", "d.l.", "d.p.r.", "r.d."}));
    f.attiProvinciali =
        nomiInterni(c, QStringLiteral("2"), QStringLiteral("2"), listaTesti({"l.p.", "d.p.p."}));
    f.attiRegionali =
        nomiInterni(c, QStringLiteral("2"), QStringLiteral("3"), listaTesti({"l.r.", "reg. r."}));
    f.attiMinisteriali =
        nomiInterni(c, QStringLiteral("2"), QStringLiteral("6"), listaTesti({"d.m.", "circ.", "d.p.c.m."}));
    f.attiAmministrazioni =
        nomiInterni(c, QStringLiteral("2"), QStringLiteral("7"), listaTesti({"delib.", "ord. amm."}));
    f.attiAutorita =
        nomiInterni(c, QStringLiteral("2"), QStringLiteral("9"), listaTesti({"provv.", "delib. aut."}));
    f.contratti =
        nomiInterni(c, QStringLiteral("2"), QStringLiteral("a"), listaTesti({"CCNL", "contr. integr."}));
    f.tribunali =
        nomiInterni(c, QStringLiteral("3"), QStringLiteral("3"), listaTesti({"Trib.", "App.", "G.d.P."}));
    f.tributari =
        nomiInterni(c, QStringLiteral("3"), QStringLiteral("4"), listaTesti({"Comm. prov.", "Comm. reg."}));
    f.amministrativi =
        nomiInterni(c, QStringLiteral("3"), QStringLiteral("6"), listaTesti({"TAR", "Cons. St."}));
    // The names the citation procedures write themselves.
    for (const char* n : {"l. cost.", "reg. cam.", "reg. sen."})
        assicuraInterna(c, QString::fromUtf8(n), QStringLiteral("2"), QString());
    for (const char* n : {"C. Cost.", "Cass.", "C. Conti", "giur. sport", "Cons. giurisd. Camera"})
        assicuraInterna(c, QString::fromUtf8(n), QStringLiteral("3"), QString());

    f.trattatiUE = nomiPerTipo(c, QStringLiteral("tabFonteCom"), QStringLiteral("FonteCom"), 1,
                               listaTesti({"TUE", "TFUE", "Carta dir. fond. UE"}));
    f.derivatoUE = nomiPerTipo(
        c, QStringLiteral("tabFonteCom"), QStringLiteral("FonteCom"), 2,
        listaTesti({"Reg. UE", "Reg. CE", "Reg. CEE", "Dir. UE", "Dir. CE", "Dir. CEE", "Dec. UE"}));
    f.corteUE = nomiPerTipo(c, QStringLiteral("tabFonteCom"), QStringLiteral("FonteCom"), 3,
                            listaTesti({"C. giust. UE", "Trib. UE", "C. giust. CE"}));
    f.organismi = nomiPerTipo(c, QStringLiteral("tabFonteInt"), QStringLiteral("FonteInt"), 2,
                              listaTesti({"Ris. ONU", "Racc. Cons. Europa", "Dich. OIL"}));
    f.corteInternazionale = nomiPerTipo(c, QStringLiteral("tabFonteInt"), QStringLiteral("FonteInt"), 3,
                                        listaTesti({"C. eur. dir. uomo", "C. int. giust.", "C. pen. int."}));
    f.canonici = nomiPerTipo(c, QStringLiteral("tabFonteCan"), QStringLiteral("FonteCan"), 3,
                             listaTesti({"Trib. Eccl. Reg.", "Trib. Eccl. Dioc.", "Rota Romana"}));
    assicuraRiga(c, QStringLiteral("tabFonteCan"), QStringLiteral("FonteCan"), QStringLiteral("C. Iur. Can."),
                 QStringLiteral("insert into tabFonteCan (FonteCan, Tipo) values (?, 1)"),
                 {QStringLiteral("C. Iur. Can.")});
    {
        RecordSet rs = c.ApriRS(QStringLiteral("select FonteCom, Codice from tabFonteCom where Tipo = 3"));
        for (; !rs.eof(); rs.moveNext())
            if (!rs.field(1).toString().isEmpty())
                f.lettereCorteUE.insert(rs.field(0).toString(),
                                        rs.field(1).toString() == u"J"   ? QStringLiteral("C")
                                        : rs.field(1).toString() == u"A" ? QStringLiteral("T")
                                                                         : rs.field(1).toString());
    }
    {
        RecordSet rs = c.ApriRS(QStringLiteral("select IDNIT, Fonte from tabNIT order by IDNIT"));
        for (; !rs.eof(); rs.moveNext())
            f.trattatiNIT << rs.field(0).toString() + QStringLiteral(") ") + rs.field(1).toString();
    }
    // The acts of the State the checks look up come from the catalogue; their names must be known.
    catalogo.atti.carica(catalogoNorme);
    for (const QString& n : catalogo.atti.nomi())
        if (n != u"l. cost.")
            assicuraInterna(c, n, QStringLiteral("2"), QStringLiteral("1"));
    for (const QString& n : f.atti + QStringList{QStringLiteral("l. cost.")})
        (AbbreviazioneNelCatalogo(n).isEmpty() ? f.attiNonControllati : f.attiControllati) << n;
    // The decrees of the Prime Minister are listed among the ministerial acts too: they are acts
    // of the State, cited as such.
    for (QStringList* nomi : {&f.attiMinisteriali, &f.attiAmministrazioni, &f.attiAutorita}) {
        const QStringList tutti = *nomi;
        nomi->removeIf([](const QString& n) { return !AbbreviazioneNelCatalogo(n).isEmpty(); });
        if (nomi->isEmpty())
            *nomi = tutti;
    }
    return catalogo;
}

// ---------------------------------------------------------------------------------------------
// Issues and what makes an article itself: its issue, pages, title, URL and authors. Each comes
// from the seed and the document's number alone, so that a copy of another delivery's document
// can be made without that delivery.

struct Fascicolo {
    QString rivista;
    int anno = 0, mese = 0, giorno = 0;
    QString numero, volume, annata;
    qint64 primo = 0;           // its first document
    int paginaIniziale = 1;     // issues are paged on from the volume's previous ones, or from 1
    std::vector<int> lunghezze; // the pages of each article, in order
};

class Fascicoli {
public:
    Fascicoli(quint32 seme, const QStringList& riviste)
        : r_(Casuale::di(seme, ParteFascicoli)), riviste_(riviste) {}

    // The issue of document k and the article's position in it.
    std::pair<const Fascicolo*, int> di(qint64 k) {
        while (fine_ < k)
            nuovo();
        const auto dopo = std::upper_bound(elenco_.begin(), elenco_.end(), k,
                                           [](qint64 n, const Fascicolo& f) { return n < f.primo; });
        const Fascicolo& f = *(dopo - 1);
        return {&f, static_cast<int>(k - f.primo)};
    }

private:
    void nuovo() {
        Fascicolo f;
        // Position 0 of the list is its caption.
        f.rivista = riviste_.at(r_.tra(1, static_cast<int>(riviste_.size()) - 1));
        f.anno = r_.tra(2015, kUltimoAnno);
        const int data = r_.tra(0, 99);
        f.mese = data < 92 ? r_.tra(1, 12) : 0;
        f.giorno = data < 80 ? r_.tra(1, 28) : 0;
        f.numero = r_.su1000(900) ? QString::number(r_.tra(1, 12)) : QString();
        f.volume = r_.su1000(600) ? QString::number(f.anno - 1990) : QString();
        f.annata = r_.su1000(700) ? QString::number(f.anno) : QString();
        f.paginaIniziale = r_.su1000(200) ? 1 : r_.tra(2, 1500);
        const int articoli = r_.tra(3, 14);
        for (int i = 0; i < articoli; ++i)
            f.lunghezze.push_back(r_.su1000(30) ? 1 : r_.tra(4, 40));
        f.primo = fine_ + 1;
        fine_ += articoli;
        elenco_.push_back(std::move(f));
    }

    Casuale r_;
    const QStringList& riviste_;
    std::deque<Fascicolo> elenco_;
    qint64 fine_ = 0;
};

struct Identita {
    const Fascicolo* fascicolo = nullptr;
    QString pagine, titolo, url;
    QList<VoceResponsabilita> persone;
};

// The cataloguing errors of a document, one at most.
enum class Errore {
    Nessuno,
    SenzaTD,
    SenzaTAbs,
    SenzaBib,
    SenzaAutori,
    SenzaClassificazione,
    TAbsTesti,
    Pagine0,
    SenzaTraduzione
};

struct Tasso {
    Errore errore;
    int permille;
};
const Tasso kErrori[] = {{Errore::SenzaTD, 4},
                         {Errore::SenzaTAbs, 3},
                         {Errore::SenzaBib, 5},
                         {Errore::SenzaAutori, 4},
                         {Errore::SenzaClassificazione, 4},
                         {Errore::TAbsTesti, 6},
                         {Errore::Pagine0, 3},
                         {Errore::SenzaTraduzione, 8}};

// The position of the first item with that code; -1 when none.
int posizione(const QStringList& items, const QString& codice) {
    for (int i = 1; i < items.size(); ++i)
        if (items.at(i).startsWith(codice))
            return i;
    return -1;
}

class Generatore {
public:
    Generatore(cConnessione& c, const Catalogo& k, const OpzioniGeneratore& o, Dialogs& dialogs)
        : c_(c), k_(k), o_(o), dialogs_(dialogs), r_(Casuale::di(o.seme, ParteDocumenti)) {
        registro_.seme = o.seme;
        registro_.documenti = o.documenti;
        registro_.sviste = o.sviste;
        registro_.doppioni = o.doppioni;
    }

    void documento(qint64 numero) {
        const std::optional<DoppioneGenerato> copia = copiaDi(o_.seme, numero);
        Identita id =
            copia ? identita(copia->semeOriginale, copia->documentoOriginale) : identita(o_.seme, numero);
        if (copia) {
            id.titolo = TitoloRibattuto(r_, id.titolo);
            registro_.elencoDoppioni.append(*copia);
        }

        Errore errore = Errore::Nessuno;
        for (int t = r_.tra(0, 999); const Tasso& e : kErrori) {
            if (t < e.permille) {
                errore = e.errore;
                break;
            }
            t -= e.permille;
        }

        DocumentBuffer b;
        b.NuovoDocumento = true;
        b.IDDocCorrente = numero;
        DatiDocumento d;
        PreparaDati(d, k_.liste);
        d.txtID = QString::number(numero);
        riferimento(d, id);
        codici(d, errore);
        if (errore != Errore::SenzaAutori)
            b.ElencoResponsabilita = id.persone;
        classificazione(b, errore);
        fonti(b, numero);
        testi(b, d, id, errore);

        const RisultatoSalvataggio esito = ScriviDocumento(c_, b, d);
        if (!esito.salvato())
            throw std::runtime_error(QStringLiteral("Documento %1 non salvato: %2")
                                         .arg(numero)
                                         .arg(esito.messaggio)
                                         .toStdString());
    }

    const RegistroGenerazione& registro() const { return registro_; }

private:
    Fascicoli& fascicoli(quint32 seme) {
        auto it = fascicoli_.find(seme);
        if (it == fascicoli_.end())
            it = fascicoli_.try_emplace(seme, seme, k_.liste.cmbCPer).first;
        return it->second;
    }

    Identita identita(quint32 seme, qint64 k) {
        const auto [f, posizione] = fascicoli(seme).di(k);
        Casuale r = Casuale::di(seme, ParteIdentita, static_cast<quint64>(k));
        Identita id;
        id.fascicolo = f;
        // Page ranges where the journal gives them, the number of pages where it gives that.
        if (RivistaConNumeroPagine(f->rivista)) {
            id.pagine = QString::number(r.tra(3, 60));
        } else {
            int da = f->paginaIniziale;
            for (int i = 0; i < posizione; ++i)
                da += f->lunghezze.at(static_cast<size_t>(i));
            const int a = da + f->lunghezze.at(static_cast<size_t>(posizione)) - 1;
            id.pagine = a == da ? QString::number(da) : QStringLiteral("%1-%2").arg(da).arg(a);
        }
        id.titolo = TitoloGenerato(r);
        id.url = QStringLiteral("https://www.rivista%1.it/articoli/%2/%3")
                     .arg(f->rivista.toLower())
                     .arg(f->anno)
                     .arg(r.tra(1, 99999));
        // Persons are shared: a population that grows with the archive, each person writing several articles.
        const int popolazione = static_cast<int>(std::max<qint64>(300, (k - 1) / 6 + 300));
        const int t = r.tra(0, 99);
        const int autori = t < 55 ? 1 : t < 82 ? 2 : t < 95 ? 3 : t < 99 ? 4 : 5;
        const bool curatore = r.su1000(50);
        for (int i = 0; i < autori + (curatore ? 1 : 0); ++i) {
            const VoceResponsabilita p = PersonaGenerata(r.tra(0, popolazione - 1), i < autori);
            const bool presente =
                std::any_of(id.persone.cbegin(), id.persone.cend(), [&](const VoceResponsabilita& q) {
                    return q.PrimoElemento == p.PrimoElemento && q.SecondoElemento == p.SecondoElemento;
                });
            if (!presente)
                id.persone.append(p);
        }
        return id;
    }

    // Whether document k of a delivery is a copy (the same choice for every delivery of that seed
    // made with the same share).
    bool copia(quint32 seme, qint64 k) const {
        return o_.doppioni > 0 &&
               Casuale::di(seme, ParteDoppioni, static_cast<quint64>(k)).percento(o_.doppioni);
    }

    // The document that document k copies, when it is a copy: an earlier one of this delivery, or
    // one of a delivery made with one of the eight seeds before, never one that is a copy itself.
    std::optional<DoppioneGenerato> copiaDi(quint32 seme, qint64 k) const {
        if (!copia(seme, k))
            return std::nullopt;
        Casuale r = Casuale::di(seme, ParteDoppioni, static_cast<quint64>(k));
        r.prossimo(); // the draw copia() made
        const bool altrove = seme > 1 && (k == 1 || r.su1000(500));
        if (!altrove && k == 1)
            return std::nullopt;
        DoppioneGenerato d{k, seme, 0};
        if (altrove)
            d.semeOriginale =
                seme - static_cast<quint32>(r.tra(1, static_cast<int>(std::min<quint32>(8, seme - 1))));
        const qint64 ultimo = altrove ? o_.documenti : k - 1;
        for (int tentativo = 0; tentativo < 16; ++tentativo) {
            const qint64 o = 1 + static_cast<qint64>(r.prossimo() % static_cast<quint64>(ultimo));
            if (!copia(d.semeOriginale, o)) {
                d.documentoOriginale = o;
                return d;
            }
        }
        return std::nullopt;
    }

    void riferimento(DatiDocumento& d, const Identita& id) {
        const Fascicolo& f = *id.fascicolo;
        seleziona(d.cmbCPer, k_.liste.cmbCPer, static_cast<int>(k_.liste.cmbCPer.indexOf(f.rivista)));
        seleziona(d.cmbAA, k_.liste.cmbAA, static_cast<int>(k_.liste.cmbAA.indexOf(QString::number(f.anno))));
        seleziona(d.cmbMM, k_.liste.cmbMM, f.mese);
        seleziona(d.cmbGG, k_.liste.cmbGG, f.mese > 0 ? f.giorno : 0);
        d.txtFascicolo = f.numero;
        d.txtVolume = f.volume;
        d.txtAnnata = f.annata;
        d.txtPagine = id.pagine;
        d.txtDocURL = id.url;
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
        tipoAbstract_ = r_.scegli(listaTesti({"500", "500", "500", "600", "700", "800", "900", "400"}));
        if (d.ComboTD.testo.left(2) != u"01" && tipoAbstract_ == u"400")
            tipoAbstract_ = QStringLiteral("600");
        seleziona(d.ComboTAbs, k_.liste.ComboTAbs, posizione(k_.liste.ComboTAbs, tipoAbstract_));
        seleziona(d.ComboBib, k_.liste.ComboBib, r_.tra(1, static_cast<int>(k_.liste.ComboBib.size()) - 1));
        straniero_ = r_.su1000(40) && k_.liste.ComboLIN.size() > 2;
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

    void classificazione(DocumentBuffer& b, Errore errore) {
        if (errore == Errore::SenzaClassificazione || k_.sistematici.isEmpty())
            return;
        const int t = r_.tra(0, 99);
        const int coppie = t < 30 ? 1 : t < 60 ? 2 : t < 80 ? 3 : t < 92 ? r_.tra(4, 6) : r_.tra(7, 10);
        b.IndiceClassificazione = -1;
        for (int i = 0; i < coppie; ++i) {
            DatiClassificazione dati;
            const int tipo = r_.tra(0, 999) % 991;
            if (tipo < 970 && !k_.coppie.empty()) { // an allowed pair
                const auto& p = k_.coppie.at(r_.tra(0, static_cast<int>(k_.coppie.size()) - 1));
                dati.txtSistematico = p.first;
                dati.lstDescrittore << rigaDescrittore(p.second, QString());
            } else if (tipo < 980) { // a systematic heading alone
                dati.txtSistematico = r_.scegli(k_.sistematici);
            } else if (tipo < 983 && !k_.descrittori.isEmpty()) { // a pair outside the scheme
                dati.txtSistematico = r_.scegli(k_.sistematici);
                dati.lstDescrittore << rigaDescrittore(r_.scegli(k_.descrittori), QString());
            } else if (k_.asteriscati.size() > 1) { // asterisked, mostly allowed
                int pos = r_.tra(1, static_cast<int>(k_.asteriscati.size()) - 1);
                if (tipo < 989 && !k_.coppieDSA.empty()) {
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

    void fonti(DocumentBuffer& b, qint64 numero) {
        const int t = r_.tra(0, 999);
        const int n = t < 15    ? 0
                      : t < 365 ? r_.tra(1, 3)
                      : t < 775 ? r_.tra(4, 7)
                      : t < 945 ? r_.tra(8, 12)
                                : r_.tra(13, 20);
        QSet<QString> citate;
        for (int i = 0; i < n; ++i) {
            quint64 seme;
            // About two citations in three are of a source not cited before.
            if (semi_.empty() || r_.su1000(660)) {
                seme = r_.prossimo();
                semi_.push_back(seme);
            } else {
                seme = semi_.at(static_cast<size_t>(r_.popolare(static_cast<qint64>(semi_.size()))));
            }
            const FonteGenerata fonte = FonteDaSeme(seme, k_.fonti, k_.atti, dialogs_, c_);
            const bool controllata = fonte.atto && !fonte.atto->numero.isEmpty();
            std::optional<Svista> svista;
            if (controllata && sbaglia())
                svista = Svia(r_, fonte, k_.fonti, k_.atti, dialogs_);
            const VoceFonte& voce = svista ? svista->voce : fonte.voce;
            // A document cites a source once.
            if (citate.contains(voce.testo))
                continue;
            citate.insert(voce.testo);
            if (controllata)
                ++registro_.citazioniCatalogo;
            if (svista)
                registro_.elencoSviste.append(
                    SvistaGenerata{numero, svista->elemento, voce.testo, fonte.voce.testo, fonte.atto->id});
            b.ElencoFonti.append(voce);
        }
    }

    // Whether the next citation of a catalogue act slips: at random, but never more than two
    // citations away from the share asked for, so that a benchmark gets the share it sets.
    bool sbaglia() {
        const double attese = o_.sviste / 100.0 * static_cast<double>(registro_.citazioniCatalogo + 1);
        const auto fatte = static_cast<double>(registro_.elencoSviste.size());
        const bool caso = r_.percento(o_.sviste);
        if (fatte + 1 > attese + 2)
            return false;
        return caso || fatte + 2 < attese;
    }

    void testi(DocumentBuffer& b, DatiDocumento& d, const Identita& id, Errore errore) {
        d.txtTitolo = id.titolo;
        const QString tabs = d.ComboTAbs.posizione >= 1 ? d.ComboTAbs.testo.left(3) : tipoAbstract_;
        if (tabs == u"500") {
            b.TestoRiassunto = RiassuntoGenerato(r_);
            b.TestoSommario = SommarioGenerato(r_);
        } else if (tabs == u"600") {
            b.TestoSommario = SommarioGenerato(r_);
        } else if (tabs == u"700") {
            b.TestoInTemaDi = InTemaDiGenerato(r_);
        } else if (tabs == u"800") {
            b.TestoRiassunto = RiassuntoGenerato(r_);
            b.TestoInTemaDi = InTemaDiGenerato(r_);
        } else if (tabs == u"900") {
            b.TestoRiassunto = RiassuntoGenerato(r_);
            b.TestoEnglishAbstract = AbstractGenerato(r_);
        }
        if (tabs != u"400" && tabs != u"900" && r_.su1000(150))
            b.TestoEnglishAbstract = AbstractGenerato(r_);
        if (errore == Errore::TAbsTesti) {
            if (tabs == u"400") {
                b.TestoRiassunto = RiassuntoGenerato(r_);
            } else {
                b.TestoRiassunto.clear();
                b.TestoSommario.clear();
                b.TestoInTemaDi.clear();
            }
        }
        if ((straniero_ || !b.TestoEnglishAbstract.isEmpty()) && errore != Errore::SenzaTraduzione)
            b.TestoTraduzione =
                r_.su1000(20) ? QStringLiteral("[") + TraduzioneGenerata(r_) + u']' : TraduzioneGenerata(r_);
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
            b.TestoNotaDoc = NotaCompilatoreGenerata(r_, k_.sistematici);
    }

    cConnessione& c_;
    const Catalogo& k_;
    const OpzioniGeneratore& o_;
    Dialogs& dialogs_;
    Casuale r_;
    std::map<quint32, Fascicoli> fascicoli_;
    QString tipoAbstract_;
    bool straniero_ = false;
    std::vector<quint64> semi_;
    RegistroGenerazione registro_;
};

// ---------------------------------------------------------------------------------------------
// The record.

QString numeroQuota(double quota) {
    return QString::number(quota, 'g', 6);
}

void scriviRegistro(const QString& path, const RegistroGenerazione& r, const QString& archivio) {
    QStringList righe{
        QStringLiteral("# Registro della generazione di %1: le sviste nelle citazioni degli atti del "
                       "catalogo e i documenti copiati")
            .arg(archivio),
        QStringLiteral("seme\t%1").arg(r.seme),
        QStringLiteral("documenti\t%1").arg(r.documenti),
        QStringLiteral("sviste\t") + numeroQuota(r.sviste),
        QStringLiteral("doppioni\t") + numeroQuota(r.doppioni),
        QStringLiteral("citazioni catalogo\t%1").arg(r.citazioniCatalogo)};
    for (const SvistaGenerata& s : r.elencoSviste)
        righe << QStringLiteral("svista\t%1\t%2\t%3\t%4\t%5")
                     .arg(s.documento)
                     .arg(s.elemento, s.scritta, s.giusta)
                     .arg(s.idCatalogo);
    for (const DoppioneGenerato& d : r.elencoDoppioni)
        righe << QStringLiteral("doppione\t%1\t%2\t%3")
                     .arg(d.documento)
                     .arg(d.semeOriginale)
                     .arg(d.documentoOriginale);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write((righe.join(u'\n') + u'\n').toUtf8()) < 0 ||
        !file.commit())
        throw std::runtime_error(QStringLiteral("Il registro %1 non è stato scritto: %2")
                                     .arg(path, file.errorString())
                                     .toStdString());
}

} // namespace

QString PercorsoRegistroGenerazione(const QString& archivio) {
    const QFileInfo fi(archivio);
    return fi.dir().filePath(fi.completeBaseName() + QStringLiteral(".generazione.tsv"));
}

std::optional<RegistroGenerazione> LeggiRegistroGenerazione(const QString& archivio) {
    QFile file(PercorsoRegistroGenerazione(archivio));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    RegistroGenerazione r;
    const QStringList righe = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (const QString& riga : righe) {
        const QStringList c = riga.split(u'\t');
        const QString& chiave = c.first();
        if (chiave == u"seme" && c.size() == 2)
            r.seme = c[1].toUInt();
        else if (chiave == u"documenti" && c.size() == 2)
            r.documenti = c[1].toLongLong();
        else if (chiave == u"sviste" && c.size() == 2)
            r.sviste = c[1].toDouble();
        else if (chiave == u"doppioni" && c.size() == 2)
            r.doppioni = c[1].toDouble();
        else if (chiave == u"citazioni catalogo" && c.size() == 2)
            r.citazioniCatalogo = c[1].toLongLong();
        else if (chiave == u"svista" && c.size() == 6)
            r.elencoSviste.append(SvistaGenerata{c[1].toLongLong(), c[2], c[3], c[4], c[5].toLongLong()});
        else if (chiave == u"doppione" && c.size() == 4)
            r.elencoDoppioni.append(DoppioneGenerato{c[1].toLongLong(), c[2].toUInt(), c[3].toLongLong()});
    }
    return r;
}

void GeneraArchivio(AppState& state, const QString& path, const OpzioniGeneratore& opzioni,
                    Progress* progress) {
    if (path.isEmpty())
        throw std::runtime_error("Nome archivio non valido");
    if (QFileInfo::exists(path))
        throw std::runtime_error(QStringLiteral("Il file %1 esiste già").arg(path).toStdString());
    if (!(opzioni.sviste >= 0 && opzioni.sviste <= 100) ||
        !(opzioni.doppioni >= 0 && opzioni.doppioni <= 100))
        throw std::runtime_error("Le quote di sviste e doppioni vanno da 0 a 100 (per cento)");
    // Made under a temporary name, it appears under its own only when complete.
    const QString part = path + QStringLiteral(".gen");
    const QString registro = PercorsoRegistroGenerazione(path);
    QFile::remove(part);
    copyNewFile(state.home.templatePath(), part);
    try {
        cConnessione c;
        ApriCopiaModello(c, part);
        // Nothing to protect while the file is being made: a failure throws it away.
        c.executeScript(QStringLiteral("PRAGMA synchronous = OFF;"));
        Casuale rnd = Casuale::di(opzioni.seme, PartePreparazione);
        Catalogo catalogo;
        {
            Transaction t(c);
            c.EseguiIstruzione(QStringLiteral("delete from tabInfo"));
            c.EseguiIstruzione(
                QStringLiteral("insert into tabInfo (IDCentroSpoglio, AnnoProduzione, Consegna, "
                               "NumInizio) values ('3', '2026', ?, '1')"),
                {QFileInfo(path).completeBaseName()});
            SegnaComeArchivio(c);
            catalogo = preparaCatalogo(c, rnd, state.home.cataloguePath());
            t.commit();
        }
        // The composers speak only to a page they refuse, and the generator fills every page.
        ScriptedDialogs dialogs;
        Generatore g(c, catalogo, opzioni, dialogs);
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
        scriviRegistro(registro, g.registro(), QFileInfo(path).fileName());
    } catch (const DbError& e) {
        QFile::remove(part);
        throw std::runtime_error(
            QStringLiteral("Generazione non riuscita: %1").arg(e.description()).toStdString());
    } catch (...) {
        QFile::remove(part);
        throw;
    }
    try {
        moveIntoPlace(part, path);
    } catch (...) {
        QFile::remove(registro);
        throw;
    }
}
