#pragma once

// An open archive with the lookup rows the editor tests rely on. The rows are added beside whatever
// the template holds, under codes of their own, so the tests do not depend on the template's data.

#include "documents/DatiDocumento.h"
#include "store/DocumentBuffer.h"
#include "documents/mdlDocumenti.h"
#include "support/TestHome.h"

#include <QDate>
#include <stdexcept>

namespace editor_test {

inline void aggiungi(cConnessione& c, const QString& table, const QString& keyColumn, const QVariant& key,
                     const QString& columns, const QVariantList& values) {
    RecordSet rs = c.ApriRS(QStringLiteral("select 1 from %1 where %2 = ?").arg(table, keyColumn), {key});
    if (!rs.eof())
        return;
    rs.close();
    QStringList marks;
    for (qsizetype i = 0; i < values.size(); ++i)
        marks << QStringLiteral("?");
    c.EseguiIstruzione(
        QStringLiteral("insert into %1 (%2) values (%3)").arg(table, columns, marks.join(u',')), values);
}

inline void riempiLookup(cConnessione& c) {
    Transaction t(c);
    aggiungi(c, "tabRivisteOnline", "IDRivistaOnline", "TST1", "IDRivistaOnline, Titolo",
             {"TST1", "Rivista di prova"});
    aggiungi(c, "tabRivisteOnline", "IDRivistaOnline", "TST2", "IDRivistaOnline, Titolo",
             {"TST2", "Rivista \"due\" d'Italia"});
    const char* td[] = {
        "Contributo indipendente", "Editoriale", "Nota a sentenza", "Recensione", "Rassegna", "Osservatorio",
        "Commento a norma"};
    for (int i = 0; i < 7; ++i)
        aggiungi(c, "tabTipoDoc", "IDTD", QStringLiteral("0%1").arg(i + 1), "IDTD, TipoDoc",
                 {QStringLiteral("0%1").arg(i + 1), QString::fromUtf8(td[i])});
    for (int i = 4; i <= 9; ++i)
        aggiungi(c, "tabTAbs", "IDTAbs", QStringLiteral("%1").arg(i * 100), "IDTAbs, TipoAbstract",
                 {QStringLiteral("%1").arg(i * 100), QStringLiteral("tipo %1").arg(i * 100)});
    for (int i = 0; i <= 3; ++i)
        aggiungi(c, "tabBib", "IDBib", QString::number(i), "IDBib, TipoBibliografia",
                 {QString::number(i), QStringLiteral("bibliografia %1").arg(i)});
    const char* lingue[] = {"italiano", "inglese", "francese"};
    for (int i = 0; i < 3; ++i)
        aggiungi(c, "tabLingua", "idLingua", QStringLiteral("0%1").arg(i), "idLingua, Lingua",
                 {QStringLiteral("0%1").arg(i), QString::fromUtf8(lingue[i])});
    for (const char* n : {"l.", "d.lg.", "c.c.", "Cass.", "TAR", "C. Cost.", "Trib."})
        aggiungi(c, "tabFonteInterna", "FonteNorm", n, "FonteNorm, liv1, liv2", {n, "2", "1"});
    aggiungi(c, "tabFonteCom", "FonteCom", "Reg. UE", "FonteCom, Tipo", {"Reg. UE", 2});
    aggiungi(c, "tabFonteCom", "FonteCom", "C. giust. UE", "FonteCom, Tipo", {"C. giust. UE", 3});
    aggiungi(c, "tabFonteInt", "FonteInt", "C. eur. dir. uomo", "FonteInt, Tipo", {"C. eur. dir. uomo", 3});
    aggiungi(c, "tabFonteInt", "FonteInt", "CEDU", "FonteInt, Tipo", {"CEDU", 1});
    aggiungi(c, "tabFonteCan", "FonteCan", "C. Iur. Can.", "FonteCan, Tipo", {"C. Iur. Can.", 1});
    aggiungi(c, "tabFonteCan", "FonteCan", "Trib. Eccl. Reg.", "FonteCan, Tipo", {"Trib. Eccl. Reg.", 3});
    aggiungi(c, "tabRegione", "CodRegione", "LA", "CodRegione", {"LA"});
    aggiungi(c, "tabRegione", "CodRegione", "LO", "CodRegione", {"LO"});
    aggiungi(c, "tabProvincia", "CodProvincia", "BZ", "CodProvincia, provincia", {"BZ", "Bolzano"});
    aggiungi(c, "tabProvincia", "CodProvincia", "TN", "CodProvincia, provincia", {"TN", "Trento"});
    aggiungi(c, "tabSistematici", "CodiceS", "T1.1", "CodiceS, Sigla, Descrizione",
             {"T1.1", "TS1", "Sistematico uno"});
    aggiungi(c, "tabSistematici", "CodiceS", "T1.2", "CodiceS, Sigla, Descrizione",
             {"T1.2", "TS2", "Sistematico due"});
    for (const char* d : {"TD001", "TD002", "TD003"})
        aggiungi(c, "tabDescrittori", "CodiceD", d, "CodiceD, Descrizione",
                 {d, QStringLiteral("descrittore %1").arg(d)});
    aggiungi(c, "tabLegameDS", "NS || '/' || ND", "T1.1/TD001", "NS, ND", {"T1.1", "TD001"});
    aggiungi(c, "tabLegameDS", "NS || '/' || ND", "T1.1/TD002", "NS, ND", {"T1.1", "TD002"});
    aggiungi(c, "tabLegameDSA", "CodiceD", "AT001", "NS, ND, CodiceD",
             {"T1.1", "asteriscato di prova", "AT001"});
    aggiungi(c, "tabLegameDSA", "CodiceD", "AT002", "NS, ND, CodiceD",
             {"T1.2", "altro asteriscato", "AT002"});
    t.commit();
}

// An archive open on the state's connection, with the lookup rows and the window's lists.
class Archivio {
public:
    // A new archive, or (aperto) the one already open on the state's connection.
    explicit Archivio(TestHome& t, bool aperto = false) : t_(t) {
        if (!aperto && !t.open(t.createArchive()))
            throw std::runtime_error("archive not opened");
        riempiLookup(c());
        liste = CaricaListe(c(), QDate::currentDate());
    }
    cConnessione& c() { return t_.state().Connessione; }

    // Position of the first item of a list that starts with the code.
    static int pos(const QStringList& items, const QString& code) {
        for (int i = 1; i < items.size(); ++i)
            if (items.at(i).startsWith(code) &&
                (items.at(i).size() == code.size() || items.at(i).at(code.size()) == u'|'))
                return i;
        throw std::runtime_error(("no item " + code).toStdString());
    }

    // A new document of journal TST1 dated 12 March 2020, with the given number.
    DatiDocumento dati(qint64 numero) const {
        DatiDocumento d;
        PreparaDati(d, liste);
        d.txtID = QString::number(numero);
        seleziona(d.cmbCPer, liste.cmbCPer, pos(liste.cmbCPer, "TST1"));
        seleziona(d.cmbAA, liste.cmbAA, pos(liste.cmbAA, "2020"));
        seleziona(d.cmbMM, liste.cmbMM, 3);
        seleziona(d.cmbGG, liste.cmbGG, 12);
        seleziona(d.ComboTD, liste.ComboTD, pos(liste.ComboTD, "01"));
        seleziona(d.ComboTAbs, liste.ComboTAbs, pos(liste.ComboTAbs, "500"));
        seleziona(d.ComboBib, liste.ComboBib, pos(liste.ComboBib, "1"));
        seleziona(d.ComboLIN, liste.ComboLIN, pos(liste.ComboLIN, "00"));
        d.txtFascicolo = "3";
        d.txtVolume = "12";
        d.txtAnnata = "2020";
        d.txtPagine = "10-25";
        d.txtDocURL = "https://example.org/a?b=1&c=2";
        d.txtTitolo = "Titolo di prova";
        return d;
    }

    static DocumentBuffer nuovo(qint64 numero) {
        DocumentBuffer b;
        b.NuovoDocumento = true;
        b.IDDocCorrente = numero;
        return b;
    }

    ListeDocumento liste;

private:
    TestHome& t_;
};

// The law of 7 August 1990 under another number, with its article when given: the source the
// save, conflict and recovery tests move around.
inline VoceFonte leggeDel1990(const QString& numero, const QString& articolo = {}) {
    VoceFonte v;
    v.TP = "LIO";
    v.NomeFonte = "l.";
    v.articolo = articolo;
    v.giorno = "7";
    v.mese = "agosto";
    v.anno = "1990";
    v.numero = numero;
    v.testo = (articolo.isEmpty() ? QString() : "art. " + articolo + " ") + "l. 7 agosto 1990, n. " + numero;
    return v;
}

inline qint64 conta(cConnessione& c, const QString& sql, const QVariantList& params = {}) {
    return c.ApriRS(sql, params).field(0).toLongLong();
}

// The rows of a select, one "a|b|c" line each, Null as <null>.
inline QStringList righe(cConnessione& c, const QString& sql, const QVariantList& params = {}) {
    QStringList out;
    RecordSet rs = c.ApriRS(sql, params);
    for (; !rs.eof(); rs.moveNext()) {
        QStringList campi;
        for (int i = 0; i < rs.columnCount(); ++i)
            campi << (rs.field(i).isNull() ? QStringLiteral("<null>") : rs.field(i).toString());
        out << campi.join(u'|');
    }
    return out;
}

// Every row of the document tables, to compare an archive before and after.
inline QStringList fotografia(cConnessione& c) {
    QStringList all;
    for (const char* t :
         {"tabDocumento", "tabRifBibl", "tabTesto", "legameDocTesto", "tabResponsabilita", "legameDocResp",
          "legameDocClass", "tabFonte", "legameDocFonte", "tabCitta", "tabSezione"})
        all << QString::fromLatin1(t) << righe(c, QStringLiteral("select * from %1 order by rowid").arg(t));
    return all;
}

} // namespace editor_test

// Failure messages that show what differs.
inline char* toString(const Combo& c) {
    return qstrdup(QStringLiteral("%1:%2").arg(c.posizione).arg(c.testo).toUtf8().constData());
}
inline char* toString(const DatiDocumento& d) {
    const auto c = [](const Combo& x) { return QStringLiteral("%1:%2").arg(x.posizione).arg(x.testo); };
    const QStringList parts = {d.txtID,
                               d.txtAnnoPr,
                               c(d.cmbCPer),
                               d.txtRivistaOnline,
                               c(d.cmbGG),
                               c(d.cmbMM),
                               c(d.cmbAA),
                               d.txtFascicolo,
                               d.txtVolume,
                               d.txtAnnata,
                               d.txtPagine,
                               d.txtDocURL,
                               c(d.ComboTD),
                               c(d.ComboTAbs),
                               c(d.ComboBib),
                               c(d.ComboLIN),
                               d.txtTitolo,
                               d.txtNota,
                               d.lstResponsabilita.join(u'/'),
                               d.lstClassificazione.join(u'/'),
                               d.lstFonte.join(u'/')};
    return qstrdup(parts.join(QStringLiteral(" # ")).toUtf8().constData());
}
