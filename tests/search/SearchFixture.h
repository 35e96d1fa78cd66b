#pragma once

// Archives with documents written row by row (as another program would write them), for the search
// tests.

#include "search/ServizioRicerca.h"
#include "store/cConnessione.h"
#include "support/TestHome.h"

#include <QMap>
#include <QPair>
#include <QSet>
#include <QStringList>

struct DocProva {
    qint64 numero = 0;
    QString titolo;
    QString rivista = QStringLiteral("101");
    QString data = QStringLiteral("2024-03-00");
    QString fascicolo = QStringLiteral("3");
    QString volume;
    QString annata;
    QString pagine = QStringLiteral("10-20");
    QMap<QString, QString> testi;          // kind -> text
    QList<QPair<QString, QString>> autori; // surname, given name
    QStringList fonti;                     // citation texts
    QList<QPair<QString, QString>> classi; // systematic, descriptor
};

// Appends the document to the archive (its reference shared when equal), in one transaction.
inline void scriviDocumentoProva(const QString& archivio, const DocProva& d) {
    cConnessione c;
    if (!c.ApriConnessione(archivio))
        throw std::runtime_error("archive not opened");
    Transaction t(c);
    qint64 rif = 0;
    {
        RecordSet rs =
            c.ApriRS(QStringLiteral("select IDRifBibl from tabRifBibl where IDRivistaOnline = ? and Data = ? "
                                    "and Fascicolo = ? and Volume = ? and Annata = ?"),
                     {d.rivista, d.data, d.fascicolo, d.volume, d.annata});
        if (!rs.eof())
            rif = rs.field(0).toLongLong();
    }
    if (rif == 0) {
        c.EseguiIstruzione(
            QStringLiteral("insert into tabRifBibl (IDRivistaOnline, Data, Fascicolo, Volume, Annata) "
                           "values (?, ?, ?, ?, ?)"),
            {d.rivista, d.data, d.fascicolo, d.volume, d.annata});
        rif = c.lastInsertId();
    }
    c.EseguiIstruzione(
        QStringLiteral("insert into tabDocumento (IDDocumento, IDRifBibl, Pagine, TD, TAbs, Bib, LIN) "
                       "values (?, ?, ?, '01', '500', '0', '00')"),
        {d.numero, rif, d.pagine});
    QMap<QString, QString> testi = d.testi;
    if (!d.titolo.isEmpty())
        testi.insert(QStringLiteral("0"), d.titolo);
    for (auto it = testi.cbegin(); it != testi.cend(); ++it) {
        c.EseguiIstruzione(QStringLiteral("insert into tabTesto (Testo) values (?)"), {it.value()});
        c.EseguiIstruzione(
            QStringLiteral("insert into legameDocTesto (IDDoc, IDTesto, Tipo) values (?, ?, ?)"),
            {d.numero, c.lastInsertId(), it.key()});
    }
    for (const auto& [cognome, nome] : d.autori) {
        c.EseguiIstruzione(
            QStringLiteral("insert into tabResponsabilita (PrimoElemento, SecondoElemento) values (?, ?)"),
            {cognome, nome});
        c.EseguiIstruzione(
            QStringLiteral(
                "insert into legameDocResp (IDDoc, IDResponsabilita, FlagAutore) values (?, ?, -1)"),
            {d.numero, c.lastInsertId()});
    }
    for (const QString& f : d.fonti) {
        c.EseguiIstruzione(QStringLiteral("insert into tabFonte (TP, testo) values ('LIC', ?)"), {f});
        c.EseguiIstruzione(QStringLiteral("insert into legameDocFonte (IDDoc, IDFonte) values (?, ?)"),
                           {d.numero, c.lastInsertId()});
    }
    for (const auto& [s, dd] : d.classi)
        c.EseguiIstruzione(
            QStringLiteral(
                "insert into legameDocClass (IDDoc, CodiceS, CodiceD, Controllo) values (?, ?, ?, 0)"),
            {d.numero, s, dd});
    t.commit();
}

// The numbers of the documents found, as "ARCHIVE/NUMBER".
inline QSet<QString> trovati(const EsitoRicercaCompleta& r) {
    QSet<QString> out;
    for (const RisultatoRicerca& x : r.esito.risultati)
        out.insert(x.archivio + u'/' + QString::number(x.numero));
    return out;
}

inline QSet<QString> insieme(const QStringList& l) {
    return QSet<QString>(l.cbegin(), l.cend());
}
