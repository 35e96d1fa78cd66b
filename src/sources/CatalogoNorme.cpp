#include "sources/CatalogoNorme.h"

#include "sources/Componi.h"
#include "store/Dialogs.h"
#include "store/cConnessione.h"

#include <QDate>
#include <algorithm>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// List name -> catalogue abbreviation, where the two are written differently.
const std::pair<const char16_t*, const char16_t*> kAbbreviazioni[] = {
    {u"d.lg.", u"d.lgs."},
    {u"dir. p.c.m.", u"dir.p.c.m."},
    {u"l. cost.", u"l.cost."},
};

QString dueCifre(const QString& n) {
    return n.size() == 1 ? u'0' + n : n;
}

// A like pattern that takes the typed text literally.
QString letterale(const QString& s) {
    QString out;
    for (const QChar c : s) {
        if (c == u'\\' || c == u'%' || c == u'_')
            out += u'\\';
        out += c;
    }
    return out;
}

// A number typed as text compares with the catalogue's numeric year; anything else matches nothing.
QVariant numeroOTesto(const QString& s) {
    bool ok = false;
    const qlonglong n = s.trimmed().toLongLong(&ok);
    return ok ? QVariant(n) : QVariant(s);
}

// Characters to insert, delete or change to turn a into b.
int caratteriDiversi(const QString& a, const QString& b) {
    std::vector<int> riga(static_cast<size_t>(b.size()) + 1);
    for (size_t j = 0; j < riga.size(); ++j)
        riga[j] = static_cast<int>(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonale = riga[0];
        riga[0] = static_cast<int>(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int sopra = riga[static_cast<size_t>(j)];
            riga[static_cast<size_t>(j)] = std::min({sopra + 1, riga[static_cast<size_t>(j - 1)] + 1,
                                                     diagonale + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonale = sopra;
        }
    }
    return riga.back();
}

// "l. 7 agosto 1990, n. 241": the list's name of the act and its date and number as the
// composers write them.
QString citazioneAtto(const QString& abbreviazione, const QString& data, const QString& numero) {
    PaginaFonte p;
    const QDate d = QDate::fromString(data, Qt::ISODate);
    if (d.isValid()) {
        p.txtGG = QString::number(d.day());
        QString mese = QString::number(d.month());
        p.mese = MeseNome(mese);
        p.txtAA = QString::number(d.year());
    }
    p.txtN = numero;
    VoceFonte v;
    return NomeListaDaCatalogo(abbreviazione) + ComponiEstremi(v, p);
}

qint64 scartoNumeri(const QString& a, const QString& b) {
    bool okA = false;
    bool okB = false;
    const qint64 x = a.toLongLong(&okA);
    const qint64 y = b.toLongLong(&okB);
    return okA && okB ? std::abs(x - y) : std::numeric_limits<int>::max();
}

qint64 scartoDate(const QString& a, const QString& b) {
    const QDate x = QDate::fromString(a, Qt::ISODate);
    const QDate y = QDate::fromString(b, Qt::ISODate);
    return x.isValid() && y.isValid() ? std::abs(x.daysTo(y)) : std::numeric_limits<int>::max();
}

} // namespace

const QStringList& NomiAttoCatalogo() {
    static const QStringList n = {QStringLiteral("l."),         QStringLiteral("l. cost."),
                                  QStringLiteral("d.p.r."),     QStringLiteral("d.l."),
                                  QStringLiteral("d.lg."),      QStringLiteral("d.p.c.m."),
                                  QStringLiteral("dir. p.c.m.")};
    return n;
}

QString AbbreviazioneCatalogo(const QString& nomeLista) {
    for (const auto& [lista, catalogo] : kAbbreviazioni)
        if (nomeLista == QStringView(lista))
            return QString::fromUtf16(catalogo);
    return nomeLista;
}

QString NomeListaDaCatalogo(const QString& abbreviazione) {
    for (const auto& [lista, catalogo] : kAbbreviazioni)
        if (abbreviazione == QStringView(catalogo))
            return QString::fromUtf16(lista);
    return abbreviazione;
}

QString AbbreviazioneNelCatalogo(const QString& fonteNorm) {
    if (fonteNorm == u"d.l." || fonteNorm == u"d.p.r." || fonteNorm == u"l." || fonteNorm == u"r.d." ||
        fonteNorm == u"d.p.c.m.")
        return fonteNorm;
    if (fonteNorm == u"l. cost." || fonteNorm == u"d.lg." || fonteNorm == u"dir. p.c.m.")
        return AbbreviazioneCatalogo(fonteNorm);
    return {};
}

QString DataNelCatalogo(const QString& anno, const QString& mese, const QString& giorno) {
    const auto dueCifre = [](const QString& valore) {
        bool ok = false;
        const int n = valore.trimmed().toInt(&ok);
        if (!ok || n < 0)
            return valore;
        return QString::number(n).rightJustified(2, u'0');
    };
    return anno + u'-' + dueCifre(mese) + u'-' + dueCifre(giorno);
}

bool AttoNelCatalogo(cConnessione& catalogo, const QString& abbreviazione, const QString& data,
                     const QString& numero) {
    RecordSet rs = catalogo.ApriRS(
        QStringLiteral(
            "select ID from tabCatalogo where Promulgazione = ? and Numero = ? and Abbreviazione = ?"),
        {data, numero, abbreviazione});
    return !rs.eof();
}

QStringList PromulgazioniNelCatalogo(cConnessione& catalogo, const QString& abbreviazione, int anno,
                                     const QString& numero) {
    QStringList out;
    for (RecordSet rs =
             catalogo.ApriRS(QStringLiteral("select promulgazione from tabCatalogo where anno = ? and "
                                            "numero = ? and abbreviazione = ?"),
                             {anno, numero, abbreviazione});
         !rs.eof(); rs.moveNext())
        out << rs.field(0).toString();
    return out;
}

QString ElementoCorretto(AttoSimile::Elemento e) {
    switch (e) {
    case AttoSimile::Elemento::Data:
        return QStringLiteral("corregge la data");
    case AttoSimile::Elemento::Numero:
        return QStringLiteral("corregge il numero");
    case AttoSimile::Elemento::Atto:
        break;
    }
    return QStringLiteral("corregge l'atto");
}

QList<AttoSimile> AttiSimili(cConnessione& catalogo, const QString& abbreviazione, const QString& data,
                             const QString& numero) {
    using E = AttoSimile::Elemento;
    QList<AttoSimile> simili;
    const auto leggi = [&](const QString& condizione, const QVariantList& valori, E elemento) {
        for (RecordSet rs = catalogo.ApriRS(QStringLiteral("select id, abbreviazione, promulgazione, numero "
                                                           "from tabCatalogo where ") +
                                                condizione,
                                            valori);
             !rs.eof(); rs.moveNext()) {
            AttoSimile a;
            a.id = rs.field(0).toLongLong();
            a.abbreviazione = rs.field(1).toString();
            a.data = rs.field(2).toString();
            a.numero = rs.field(3).toString();
            a.elemento = elemento;
            switch (elemento) {
            case E::Data:
                a.distanza = caratteriDiversi(data, a.data);
                a.scarto = scartoDate(data, a.data);
                break;
            case E::Numero:
                a.distanza = caratteriDiversi(numero, a.numero);
                a.scarto = scartoNumeri(numero, a.numero);
                break;
            case E::Atto:
                // One word typed for another, whatever their letters.
                a.distanza = 2;
                break;
            }
            a.citazione = citazioneAtto(a.abbreviazione, a.data, a.numero);
            simili.append(a);
        }
    };
    // Each read is served by an index: (numero, abbreviazione) and (promulgazione, ...).
    leggi(QStringLiteral("numero = ? and abbreviazione = ? and promulgazione <> ?"),
          {numero, abbreviazione, data}, E::Data);
    leggi(QStringLiteral("promulgazione = ? and abbreviazione = ? and numero <> ?"),
          {data, abbreviazione, numero}, E::Numero);
    leggi(QStringLiteral("promulgazione = ? and numero = ? and abbreviazione <> ?"),
          {data, numero, abbreviazione}, E::Atto);
    std::stable_sort(simili.begin(), simili.end(), [](const AttoSimile& a, const AttoSimile& b) {
        return std::tie(a.distanza, a.scarto, a.elemento, a.id) <
               std::tie(b.distanza, b.scarto, b.elemento, b.id);
    });
    return simili;
}

Condizione CondizioneCatalogo(const RicercaCatalogo& r) {
    QStringList pezzi;
    Condizione c;
    if (!r.anno.isEmpty()) {
        pezzi << QStringLiteral("tabCatalogo.anno = ?");
        c.params << numeroOTesto(r.anno);
    }
    if (!r.numero.isEmpty()) {
        pezzi << QStringLiteral("tabCatalogo.numero = ?");
        c.params << r.numero;
    }
    const QString mese = MeseNumero(r.mese);
    if (mese != u"0") {
        // The month (and day) of the ISO date "YYYY-MM-DD".
        pezzi << QStringLiteral("tabCatalogo.promulgazione like ? escape '\\'");
        if (r.giorno.isEmpty())
            c.params << QStringLiteral("____-") + dueCifre(mese) + QStringLiteral("-%");
        else
            c.params << QStringLiteral("____-") + dueCifre(mese) + u'-' + letterale(dueCifre(r.giorno)) +
                            u'%';
    }
    if (!r.nomeAtto.isEmpty()) {
        pezzi << QStringLiteral("tabCatalogo.abbreviazione = ?");
        c.params << AbbreviazioneCatalogo(r.nomeAtto);
    }
    if (!r.parola.isEmpty()) {
        const Condizione parole =
            CondizioneRicerca(QStringLiteral("tabCatalogo.Titolo"), r.parola, r.intero, r.modo);
        pezzi << parole.sql;
        c.params << parole.params;
    }
    c.sql = pezzi.join(QStringLiteral(" and "));
    return c;
}

bool CercaCatalogo(cConnessione& catalogo, Dialogs& dialogs, const RicercaCatalogo& ricerca,
                   QStringList& righe) {
    const Condizione c = CondizioneCatalogo(ricerca);
    if (c.sql.isEmpty())
        return false;
    QStringList trovate;
    for (RecordSet rs = catalogo.ApriRS(
             QStringLiteral("select id, estremi, titolo from tabCatalogo where ") + c.sql, c.params);
         !rs.eof(); rs.moveNext())
        trovate << rs.field(u"id").toString() + QStringLiteral(") ") + rs.field(u"estremi").toString() +
                       QStringLiteral(" --- ") + rs.field(u"titolo").toString();
    if (trovate.isEmpty()) {
        dialogs.message(
            QStringLiteral("Non ci sono provvedimenti che soddisfano la ricerca - cambiare e riprovare"),
            applicationTitle(), Buttons::Ok, Icon::Information);
        return false;
    }
    righe = std::move(trovate);
    return true;
}

QString DettaglioCatalogo(cConnessione& catalogo, qint64 id) {
    RecordSet rs =
        catalogo.ApriRS(QStringLiteral("select estremi, titolo from tabCatalogo where id = ?"), {id});
    if (rs.eof())
        return {};
    return rs.field(u"estremi").toString() + u'\n' + rs.field(u"titolo").toString();
}

bool CopiaCatalogo(cConnessione& catalogo, qint64 id, PaginaFonte& pagina) {
    RecordSet rs = catalogo.ApriRS(QStringLiteral("select * from tabCatalogo where id = ?"), {id});
    if (rs.eof())
        return false;
    pagina.txtAA = rs.field(u"anno").toString();
    pagina.txtN = rs.field(u"numero").toString();
    const QString data = rs.field(u"promulgazione").toString();
    pagina.txtGG.clear();
    pagina.mese.clear();
    if (data.size() >= 10) {
        // Written as the operator would: no leading zero on the day.
        bool ok = false;
        const int giorno = data.mid(8, 2).toInt(&ok);
        if (ok && giorno > 0)
            pagina.txtGG = QString::number(giorno);
        QString mese = data.mid(5, 2);
        pagina.mese = MeseNome(mese);
    }
    const QString abbreviazione = rs.field(u"abbreviazione").toString();
    if (abbreviazione == u"l.cost.") {
        pagina.tipo = 1;
        pagina.atto.clear();
    } else {
        pagina.tipo = 2;
        pagina.atto = NomeListaDaCatalogo(abbreviazione);
    }
    pagina.voceTipo = TipiNormativa().at(pagina.tipo - 1);
    return true;
}
