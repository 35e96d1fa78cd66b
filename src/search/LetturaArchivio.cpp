#include "search/LetturaArchivio.h"

#include "search/Tokenizzatore.h"
#include "store/AppState.h"

#include <QHash>

namespace {

void aggiungiFirma(quint64& h, QStringView s) {
    // Four UTF-16 units at a time, taken as numbers: the same fingerprint in every process and on
    // every machine.
    const auto mescola = [&h](quint64 w) {
        h = (h ^ w) * 0x9E3779B97F4A7C15ULL;
        h ^= h >> 32;
    };
    const char16_t* c = s.utf16();
    const qsizetype n = s.size();
    qsizetype i = 0;
    for (; i + 4 <= n; i += 4)
        mescola(quint64(c[i]) | quint64(c[i + 1]) << 16 | quint64(c[i + 2]) << 32 | quint64(c[i + 3]) << 48);
    quint64 resto = 0;
    for (int k = 0; i < n; ++i, ++k)
        resto |= quint64(c[i]) << (16 * k);
    // The length ends each text: "ab" + "c" and "a" + "bc" differ.
    mescola(resto);
    mescola(static_cast<quint64>(n));
}

// The key of each document of a block, to append the rows of the link tables to it.
QHash<qint64, DocumentoIndice*> perNumero(QList<DocumentoIndice>& documenti) {
    QHash<qint64, DocumentoIndice*> mappa;
    mappa.reserve(documenti.size());
    for (DocumentoIndice& d : documenti)
        mappa.insert(d.numero, &d);
    return mappa;
}

QString unisci(const QString& a, const QString& b) {
    if (a.isEmpty())
        return b;
    if (b.isEmpty())
        return a;
    return a + u' ' + b;
}

const QString kDocumenti = QStringLiteral(
    "select d.IDDocumento, d.Pagine, d.DocURL, r.IDRivistaOnline, r.Data, r.Fascicolo, r.Volume, r.Annata, "
    "o.Titolo from tabDocumento d left join tabRifBibl r on r.IDRifBibl = d.IDRifBibl "
    "left join tabRivisteOnline o on o.IDRivistaOnline = r.IDRivistaOnline ");

} // namespace

QString DocumentoIndice::anno() const {
    const QString a = data.left(4);
    return a == u"0000" ? QString() : a.trimmed();
}

QString DocumentoIndice::primaPagina() const {
    // "121-157", "p. 121", "pp. 121-157", "pag. 12 ss.": the first number.
    qsizetype i = 0;
    while (i < pagine.size() && !pagine.at(i).isDigit() &&
           (pagine.at(i).isSpace() || pagine.at(i).isLetter() || pagine.at(i) == u'.'))
        ++i;
    const qsizetype inizio = i;
    while (i < pagine.size() && pagine.at(i).isDigit())
        ++i;
    QString p = pagine.mid(inizio, i - inizio);
    // "007" and "7" are the same page.
    while (p.size() > 1 && p.startsWith(u'0'))
        p.remove(0, 1);
    return p == u"0" ? QString() : p;
}

QString DocumentoIndice::chiaveFascicolo() const {
    const QString pagina = primaPagina();
    if (pagina.isEmpty() || rivista.trimmed().isEmpty())
        return {};
    const QChar sep(0x1F);
    return TestoPiegato(rivista) + sep + data.trimmed() + sep + TestoPiegato(fascicolo) + sep +
           TestoPiegato(volume) + sep + TestoPiegato(annata) + sep + pagina;
}

qint64 DocumentoIndice::firma() const {
    quint64 h = 14695981039346656037ULL;
    aggiungiFirma(h, QString::number(numero));
    for (const QString* s : {&identificativo, &rivista, &titoloRivista, &data, &fascicolo, &volume, &annata,
                             &pagine, &url, &titolo, &traduzione})
        aggiungiFirma(h, *s);
    for (const QStringList* l : {&testi, &autori, &fonti, &classi}) {
        for (const QString& s : *l)
            aggiungiFirma(h, s);
        aggiungiFirma(h, u"|");
    }
    return static_cast<qint64>(h);
}

QString NumerazioneArchivio::identificativo(qint64 posizione) const {
    return anno + centro + NumeroQuattroCifre(NumeroSpostato(inizio, posizione));
}

LettoreArchivio::LettoreArchivio(cConnessione& connection) : c_(connection) {}

NumerazioneArchivio LettoreArchivio::numerazione() {
    NumerazioneArchivio n;
    RecordSet rs =
        c_.ApriRS(QStringLiteral("select AnnoProduzione, IDCentroSpoglio, NumInizio from tabInfo"));
    if (!rs.eof()) {
        n.anno = rs.field(0).toString();
        n.centro = rs.field(1).toString();
        n.inizio = rs.field(2).toString().trimmed().toLongLong();
    }
    return n;
}

QList<DocumentoIndice> LettoreArchivio::blocco(std::optional<qint64> dopo, int n, qint64 posizione,
                                               const NumerazioneArchivio& numerazione) {
    RecordSet rs =
        dopo
            ? c_.ApriRS(kDocumenti + QStringLiteral("where d.IDDocumento > ? order by d.IDDocumento limit ?"),
                        {*dopo, n})
            : c_.ApriRS(kDocumenti + QStringLiteral("order by d.IDDocumento limit ?"), {n});
    return leggi(rs, posizione, numerazione);
}

QList<DocumentoIndice> LettoreArchivio::leggi(RecordSet& rs, qint64 posizione,
                                              const NumerazioneArchivio& numerazione) {
    QList<DocumentoIndice> documenti;
    for (; !rs.eof(); rs.moveNext()) {
        DocumentoIndice d;
        d.numero = rs.integer(0);
        d.identificativo = numerazione.identificativo(posizione);
        posizione = NumeroSpostato(posizione, 1);
        d.pagine = rs.text(1);
        d.url = rs.text(2);
        d.rivista = rs.text(3);
        d.data = rs.text(4);
        d.fascicolo = rs.text(5);
        d.volume = rs.text(6);
        d.annata = rs.text(7);
        d.titoloRivista = rs.text(8);
        documenti.append(std::move(d));
    }
    rs.close();
    completa(documenti);
    return documenti;
}

void LettoreArchivio::completa(QList<DocumentoIndice>& documenti) {
    if (documenti.isEmpty())
        return;
    const qint64 da = documenti.first().numero, a = documenti.last().numero;
    const auto mappa = perNumero(documenti);
    {
        RecordSet rs =
            c_.ApriRS(QStringLiteral("select l.IDDoc, l.Tipo, t.Testo from legameDocTesto l join tabTesto t "
                                     "on t.IDTesto = l.IDTesto where l.IDDoc between ? and ? "
                                     "order by l.IDDoc, l.Tipo"),
                      {da, a});
        for (; !rs.eof(); rs.moveNext()) {
            DocumentoIndice* d = mappa.value(rs.integer(0));
            if (!d)
                continue;
            const QString tipo = rs.text(1).trimmed();
            QString testo = rs.text(2);
            if (testo.isEmpty())
                continue;
            if (tipo == u"0")
                d->titolo = unisci(d->titolo, testo);
            else if (tipo == u"3")
                d->traduzione = unisci(d->traduzione, testo);
            else
                d->testi << std::move(testo);
        }
    }
    {
        RecordSet rs =
            c_.ApriRS(QStringLiteral("select l.IDDoc, r.PrimoElemento, r.SecondoElemento from "
                                     "legameDocResp l join tabResponsabilita r on r.IDResponsabilita = "
                                     "l.IDResponsabilita where l.IDDoc between ? and ? "
                                     "order by l.IDDoc, l.rowid"),
                      {da, a});
        for (; !rs.eof(); rs.moveNext())
            if (DocumentoIndice* d = mappa.value(rs.integer(0))) {
                const QString nome = unisci(rs.text(1).trimmed(), rs.text(2).trimmed());
                if (!nome.isEmpty())
                    d->autori << nome;
            }
    }
    {
        RecordSet rs =
            c_.ApriRS(QStringLiteral("select l.IDDoc, f.testo from legameDocFonte l join tabFonte f on "
                                     "f.IDFonte = l.IDFonte where l.IDDoc between ? and ? "
                                     "order by l.IDDoc, l.ID"),
                      {da, a});
        for (; !rs.eof(); rs.moveNext())
            if (DocumentoIndice* d = mappa.value(rs.integer(0))) {
                QString citazione = rs.text(1);
                // What follows "*" is the system's own mark, not part of the citation.
                const qsizetype star = citazione.indexOf(u'*');
                if (star >= 0)
                    citazione.truncate(star);
                citazione = citazione.trimmed();
                if (!citazione.isEmpty())
                    d->fonti << citazione;
            }
    }
    {
        RecordSet rs = c_.ApriRS(
            QStringLiteral(
                "select c.IDDoc, c.CodiceS, c.CodiceD, s.Descrizione, x.Descrizione from legameDocClass c "
                "left join tabSistematici s on s.CodiceS = c.CodiceS left join tabDescrittori x on "
                "x.CodiceD = c.CodiceD where c.IDDoc between ? and ? order by c.IDDoc, c.ID"),
            {da, a});
        for (; !rs.eof(); rs.moveNext())
            if (DocumentoIndice* d = mappa.value(rs.integer(0))) {
                QString descrittore = rs.text(2).trimmed();
                if (descrittore == u"0")
                    descrittore.clear();
                QString voce = unisci(rs.text(1).trimmed(), descrittore);
                voce = unisci(voce, rs.text(3).trimmed());
                if (!descrittore.isEmpty())
                    voce = unisci(voce, rs.text(4).trimmed());
                if (!voce.isEmpty())
                    d->classi << voce;
            }
    }
}

std::optional<DocumentoIndice> LettoreArchivio::documento(qint64 numero) {
    qint64 posizione = 0;
    {
        RecordSet rs =
            c_.ApriRS(QStringLiteral("select count(*) from tabDocumento where IDDocumento < ?"), {numero});
        posizione = rs.field(0).toLongLong();
    }
    const NumerazioneArchivio n = numerazione();
    RecordSet rs = c_.ApriRS(kDocumenti + QStringLiteral("where d.IDDocumento = ?"), {numero});
    QList<DocumentoIndice> uno = leggi(rs, posizione, n);
    if (uno.isEmpty())
        return std::nullopt;
    return uno.first();
}

qint64 LettoreArchivio::documentiDopo(qint64 numero) {
    RecordSet rs =
        c_.ApriRS(QStringLiteral("select count(*) from tabDocumento where IDDocumento > ?"), {numero});
    return rs.field(0).toLongLong();
}
