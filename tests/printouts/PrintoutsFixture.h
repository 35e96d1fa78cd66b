#pragma once

// Archives for the printout tests: a fresh archive from the template, filled row by row.

#include "store/Archivio.h"
#include "support/TestHome.h"

#include <QtTest>

class PrintoutsFixture {
public:
    explicit PrintoutsFixture(TestHome& t, const QString& anno = QStringLiteral("2026"),
                              const QString& inizio = QStringLiteral("1"),
                              const QString& consegna = QStringLiteral("12"))
        : t_(t) {
        const QString path =
            t.createArchive(QStringLiteral("PROVA"), QStringLiteral("3"), anno, consegna, inizio);
        if (!t.open(path))
            throw std::runtime_error("archive not opened");
    }

    cConnessione& db() { return t_.state().Connessione; }
    void exec(const QString& sql, const QVariantList& params = {}) { db().EseguiIstruzione(sql, params); }

    void rivista(const QString& id, const QString& titolo, const QString& periodicita = QStringLiteral("M")) {
        exec(QStringLiteral(
                 "insert into tabRivisteOnline (IDRivistaOnline, Titolo, IDPeriodicita) values (?, ?, ?)"),
             {id, titolo, periodicita});
    }
    qint64 fascicolo(const QString& rivista, const QString& data, const QVariant& fascicolo = QString(),
                     const QVariant& volume = QString(), const QVariant& annata = QString()) {
        exec(QStringLiteral("insert into tabRifBibl (IDRivistaOnline, Data, Fascicolo, Volume, Annata) "
                            "values (?, ?, ?, ?, ?)"),
             {rivista, data, fascicolo, volume, annata});
        return db().lastInsertId();
    }
    struct Doc {
        qint64 rif = 0;
        QVariant pagine = QString();
        QVariant TAbs = QString();
        QVariant Bib = QString();
        QVariant TD = QString();
        QVariant LIN = QStringLiteral("00");
        QVariant url = QString();
    };
    qint64 documento(const Doc& d) {
        exec(QStringLiteral(
                 "insert into tabDocumento (IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL) "
                 "values (?, ?, ?, ?, ?, ?, '00', '00', '00', ?)"),
             {d.rif, d.pagine, d.TAbs, d.Bib, d.TD, d.LIN, d.url});
        return db().lastInsertId();
    }
    void testo(qint64 doc, const QString& tipo, const QVariant& testo) {
        exec(QStringLiteral("insert into tabTesto (Testo) values (?)"), {testo});
        exec(QStringLiteral("insert into legameDocTesto (IDDoc, IDTesto, Tipo) values (?, ?, ?)"),
             {doc, db().lastInsertId(), tipo});
    }
    void responsabile(qint64 doc, const QString& primo, const QVariant& secondo, bool autore) {
        exec(QStringLiteral("insert into tabResponsabilita (PrimoElemento, SecondoElemento) values (?, ?)"),
             {primo, secondo});
        exec(QStringLiteral(
                 "insert into legameDocResp (IDDoc, IDResponsabilita, FlagAutore) values (?, ?, ?)"),
             {doc, db().lastInsertId(), autore ? -1 : 0});
    }
    void fonte(qint64 doc, const QString& TP, const QVariant& testo) {
        exec(QStringLiteral("insert into tabFonte (TP, testo) values (?, ?)"), {TP, testo});
        exec(QStringLiteral("insert into legameDocFonte (IDDoc, IDFonte) values (?, ?)"),
             {doc, db().lastInsertId()});
    }
    void coppia(qint64 doc, const QString& S, const QVariant& D) {
        exec(QStringLiteral(
                 "insert into legameDocClass (IDDoc, CodiceS, CodiceD, Controllo) values (?, ?, ?, 0)"),
             {doc, S, D});
    }
    // Lookup rows, replacing what the template may already hold for the code.
    void sistematico(const QString& S, const QVariant& descrizione, const QVariant& sigla) {
        exec(QStringLiteral(
                 "insert or replace into tabSistematici (CodiceS, Descrizione, Sigla) values (?, ?, ?)"),
             {S, descrizione, sigla});
    }
    void descrittore(const QString& D, const QVariant& descrizione) {
        exec(QStringLiteral("insert or replace into tabDescrittori (CodiceD, Descrizione) values (?, ?)"),
             {D, descrizione});
    }
    void descrittoreAsterisco(const QString& D, const QString& ND) {
        exec(QStringLiteral("delete from tabLegameDSA where CodiceD = ?"), {D});
        exec(QStringLiteral("insert into tabLegameDSA (NS, ND, CodiceD) values ('1', ?, ?)"), {ND, D});
    }
    void bibliografia(const QString& id, const QString& tipo) {
        exec(QStringLiteral("insert or replace into tabBib (IDBib, TipoBibliografia) values (?, ?)"),
             {id, tipo});
    }

private:
    TestHome& t_;
};

// Lines of a file written with CR LF (decoded as Latin-1: the files under test are ASCII).
inline QStringList crlfLines(const QString& path) {
    const QString text = QString::fromLatin1(readFileBytes(path));
    if (text.isEmpty())
        return {};
    if (!text.endsWith(QStringLiteral("\r\n")))
        return {QStringLiteral("<no CR LF at the end>")};
    return text.chopped(2).split(QStringLiteral("\r\n"));
}
