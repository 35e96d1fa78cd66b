#pragma once

// Archives for the checks, made row by row with SQL: a document that passes every rule unless a
// test changes it, sources of any family, and the norms catalogue's acts.

#include "store/TextOutput.h"
#include "support/TestHome.h"

#include <QMap>
#include <QtTest>

struct Coppia {
    QString S;
    QString D;
    int controllo = 0;
};

// A document row and its links. The defaults pass rules 1 to 14.
struct Doc {
    qint64 id = 0; // 0: the next key
    QVariant rifBibl = 1;
    QVariant pagine = QStringLiteral("12-15");
    QVariant td = QStringLiteral("01");
    QVariant tabs = QStringLiteral("400");
    QVariant bib = QStringLiteral("A");
    QVariant lin = QStringLiteral("00");
    QMap<QString, QString> testi{{QStringLiteral("0"), QStringLiteral("Titolo del documento")}};
    bool responsabile = true;
    QList<Coppia> coppie{{QStringLiteral("S1"), QStringLiteral("D1"), 0}};
    QList<qint64> fonti; // empty: a source no rule looks into
    bool senzaFonti = false;
};

class ArchivioProva {
public:
    explicit ArchivioProva(TestHome& t, const QString& consegna = QStringLiteral("12"),
                           const QString& inizio = QStringLiteral("1"))
        : t_(t) {
        const QString path = t.createArchive(QStringLiteral("PROVA"), QStringLiteral("3"),
                                             QStringLiteral("2026"), consegna, inizio);
        if (!t.open(path))
            qFatal("archive not opened");
        db().EseguiIstruzione(
            QStringLiteral("insert into tabRifBibl (IDRifBibl, IDRivistaOnline, Data) values (1, "
                           "'CPer', '2026-01-00')"));
    }

    cConnessione& db() { return t_.state().Connessione; }

    qint64 documento(const Doc& d) {
        db().EseguiIstruzione(
            QStringLiteral(
                "insert into tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN) values (?, ?, "
                "?, ?, ?, ?, ?)"),
            {d.id == 0 ? QVariant() : QVariant(d.id), d.rifBibl, d.pagine, d.tabs, d.bib, d.td, d.lin});
        const qint64 id = d.id == 0 ? db().lastInsertId() : d.id;
        for (auto it = d.testi.begin(); it != d.testi.end(); ++it)
            testo(id, it.key(), it.value());
        if (d.responsabile) {
            db().EseguiIstruzione(
                QStringLiteral("insert into tabResponsabilita (PrimoElemento, SecondoElemento) values "
                               "('Rossi', 'Mario')"));
            db().EseguiIstruzione(
                QStringLiteral("insert into legameDocResp (IDDoc, IDResponsabilita, FlagAutore) values "
                               "(?, ?, -1)"),
                {id, db().lastInsertId()});
        }
        for (const Coppia& c : d.coppie)
            db().EseguiIstruzione(
                QStringLiteral(
                    "insert into legameDocClass (IDDoc, CodiceS, CodiceD, Controllo) values (?, ?, ?, ?)"),
                {id, c.S, c.D, c.controllo});
        QList<qint64> fonti = d.fonti;
        if (fonti.isEmpty() && !d.senzaFonti)
            fonti << fonte({{QStringLiteral("TP"), QStringLiteral("FCA")},
                            {QStringLiteral("testo"), QStringLiteral("Fonte storica")}});
        for (qint64 f : fonti)
            db().EseguiIstruzione(QStringLiteral("insert into legameDocFonte (IDDoc, IDFonte) values (?, ?)"),
                                  {id, f});
        return id;
    }

    void testo(qint64 doc, const QString& tipo, const QString& testo) {
        db().EseguiIstruzione(QStringLiteral("insert into tabTesto (Testo) values (?)"), {testo});
        db().EseguiIstruzione(
            QStringLiteral("insert into legameDocTesto (IDDoc, IDTesto, Tipo) values (?, ?, ?)"),
            {doc, db().lastInsertId(), tipo});
    }

    // A tabFonte row with the given columns (names are the test's own, values bound).
    qint64 fonte(const QVariantMap& colonne) {
        QStringList nomi;
        QStringList segni;
        QVariantList valori;
        for (auto it = colonne.begin(); it != colonne.end(); ++it) {
            nomi << it.key();
            segni << QStringLiteral("?");
            valori << it.value();
        }
        db().EseguiIstruzione(
            QStringLiteral("insert into tabFonte (%1) values (%2)").arg(nomi.join(u','), segni.join(u',')),
            valori);
        return db().lastInsertId();
    }

    // The key of an act or court name in tabFonteInterna, added when missing.
    qint64 nomeInterno(const QString& fonteNorm) {
        {
            RecordSet rs =
                db().ApriRS(QStringLiteral("select IDFonteInterna from tabFonteInterna where FonteNorm = ?"),
                            {fonteNorm});
            if (!rs.eof())
                return rs.field(0).toLongLong();
        }
        db().EseguiIstruzione(
            QStringLiteral("insert into tabFonteInterna (FonteNorm, liv1, liv2) values (?, '2', '1')"),
            {fonteNorm});
        return db().lastInsertId();
    }

    // A domestic source: family, act or court, date parts, number, citation.
    qint64 fonteInterna(const QString& tp, const QString& fonteNorm, const QVariant& numero,
                        const QString& giorno, const QString& mese, const QString& anno,
                        const QString& testo) {
        return fonte({{QStringLiteral("TP"), tp},
                      {QStringLiteral("IDNomeFonte"), nomeInterno(fonteNorm)},
                      {QStringLiteral("numero"), numero},
                      {QStringLiteral("giorno"), giorno},
                      {QStringLiteral("mese"), mese},
                      {QStringLiteral("anno"), anno},
                      {QStringLiteral("testo"), testo}});
    }

private:
    TestHome& t_;
};

// Acts of the norms catalogue, promulgation as ISO text.
inline void inserisciCatalogo(TestHome& t, const QList<QStringList>& atti) {
    cConnessione cat;
    if (!cat.ApriConnessione(cConnessione::connectionStringFor(t.home().cataloguePath()), FileKind::Catalogue))
        qFatal("catalogue not opened");
    for (const QStringList& a : atti)
        cat.EseguiIstruzione(
            QStringLiteral("insert into tabCatalogo (estremi, titolo, anno, numero, promulgazione, "
                           "abbreviazione) values (?, 'Titolo', ?, ?, ?, ?)"),
            {a[0], a[1].left(4).toInt(), a[2], a[1], a[3]});
}

// The bytes a text file must hold: every line ended by CR LF, in Windows-1252.
inline QByteArray righe(const QStringList& linee) {
    QByteArray out;
    for (const QString& l : linee)
        out += encodeWindows1252(l) + "\r\n";
    return out;
}

// True when every line break of the file is CR LF.
inline bool soloCrLf(const QString& path) {
    QByteArray bytes = readFileBytes(path);
    bytes.replace("\r\n", "");
    return !bytes.contains('\n') && !bytes.contains('\r');
}
