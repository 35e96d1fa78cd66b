#include "capture/MetadatiArticolo.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QUrl>

QString DataCatturata::iso() const {
    if (anno <= 0)
        return {};
    QString t = QStringLiteral("%1").arg(anno, 4, 10, QLatin1Char('0'));
    if (mese > 0) {
        t += QStringLiteral("-%1").arg(mese, 2, 10, QLatin1Char('0'));
        if (giorno > 0)
            t += QStringLiteral("-%1").arg(giorno, 2, 10, QLatin1Char('0'));
    }
    return t;
}

namespace {

// Month names of the languages the centre's journals and the publishers' pages write, by the
// first three letters (accents dropped); the month is the position.
int meseDaNome(QStringView parola) {
    static const char* const nomi[12][5] = {
        {"jan", "gen", "jän", nullptr, nullptr},     {"feb", "fév", "fev", nullptr, nullptr},
        {"mar", "mär", nullptr, nullptr, nullptr},   {"apr", "avr", nullptr, nullptr, nullptr},
        {"may", "mag", "mai", nullptr, nullptr},     {"jun", "giu", "jui", nullptr, nullptr},
        {"jul", "lug", nullptr, nullptr, nullptr},   {"aug", "ago", "aoû", "aou", nullptr},
        {"sep", "set", nullptr, nullptr, nullptr},   {"oct", "ott", "okt", nullptr, nullptr},
        {"nov", nullptr, nullptr, nullptr, nullptr}, {"dec", "dic", "déc", "dez", nullptr}};
    if (parola.size() < 3)
        return 0;
    const QString tre = parola.left(3).toString().toLower();
    // "juin" and "juillet" share "jui": the fourth letter tells them apart.
    if (tre == u"jui")
        return parola.size() > 3 && parola.at(3).toLower() == u'l' ? 7 : 6;
    for (int m = 0; m < 12; ++m)
        for (const char* n : nomi[m])
            if (n && tre == QString::fromUtf8(n))
                return m + 1;
    return 0;
}

DataCatturata valida(int anno, int mese, int giorno) {
    DataCatturata d;
    if (anno < 1000 || anno > 2999)
        return d;
    d.anno = anno;
    if (mese < 1 || mese > 12)
        return d;
    d.mese = mese;
    if (giorno >= 1 && QDate(anno, mese, giorno).isValid())
        d.giorno = giorno;
    return d;
}

} // namespace

DataCatturata DataDaTesto(QStringView testo) {
    const QString t = testo.trimmed().toString();
    // Year first: ISO dates, the slashes of citation_* tags, our own "yyyy-00".
    static const QRegularExpression annoPrima(
        QStringLiteral(R"(^(\d{4})(?:[-/.](\d{1,2})(?:[-/.](\d{1,2}))?)?(?!\d))"));
    if (const auto m = annoPrima.match(t); m.hasMatch())
        return valida(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    // Day first, as Italian pages write it ("20/12/2006"); month first only where the day could
    // not be a month.
    static const QRegularExpression giornoPrima(
        QStringLiteral(R"(^(\d{1,2})[-/.](\d{1,2})[-/.](\d{4})(?!\d))"));
    if (const auto m = giornoPrima.match(t); m.hasMatch()) {
        int g = m.captured(1).toInt(), mm = m.captured(2).toInt();
        if (mm > 12 && g <= 12)
            std::swap(g, mm);
        return valida(m.captured(3).toInt(), mm, g);
    }
    // Words: "Dec 20, 2006", "20 December 2006", "dicembre 2006".
    static const QRegularExpression parole(QStringLiteral(R"([\p{L}]+|\d+)"));
    int anno = 0, mese = 0, giorno = 0;
    for (auto it = parole.globalMatch(t); it.hasNext();) {
        const QString p = it.next().captured();
        if (p.at(0).isDigit()) {
            if (p.size() == 4 && !anno)
                anno = p.toInt();
            else if (p.size() <= 2 && !giorno)
                giorno = p.toInt();
        } else if (!mese) {
            mese = meseDaNome(p);
        }
    }
    return valida(anno, mese, mese ? giorno : 0);
}

QString nomeJson(CampoMetadati campo) {
    switch (campo) {
    case CampoMetadati::Titolo:
        return QStringLiteral("title");
    case CampoMetadati::Autori:
        return QStringLiteral("authors");
    case CampoMetadati::Curatori:
        return QStringLiteral("editors");
    case CampoMetadati::Rivista:
        return QStringLiteral("journal");
    case CampoMetadati::Issn:
        return QStringLiteral("issn");
    case CampoMetadati::Data:
        return QStringLiteral("date");
    case CampoMetadati::Volume:
        return QStringLiteral("volume");
    case CampoMetadati::Fascicolo:
        return QStringLiteral("issue");
    case CampoMetadati::AnnoVolume:
        return QStringLiteral("volume_year");
    case CampoMetadati::PrimaPagina:
        return QStringLiteral("first_page");
    case CampoMetadati::UltimaPagina:
        return QStringLiteral("last_page");
    case CampoMetadati::Lingua:
        return QStringLiteral("language");
    case CampoMetadati::Abstract:
        return QStringLiteral("abstract");
    case CampoMetadati::ParoleChiave:
        return QStringLiteral("keywords");
    case CampoMetadati::Doi:
        return QStringLiteral("doi");
    case CampoMetadati::Url:
        return QStringLiteral("url");
    }
    return {};
}

bool MetadatiArticolo::ha(CampoMetadati campo) const {
    switch (campo) {
    case CampoMetadati::Titolo:
        return !titolo.isEmpty();
    case CampoMetadati::Autori:
        return !autori.isEmpty();
    case CampoMetadati::Curatori:
        return !curatori.isEmpty();
    case CampoMetadati::Rivista:
        return !rivista.isEmpty();
    case CampoMetadati::Issn:
        return !issn.isEmpty();
    case CampoMetadati::Data:
        return !data.vuota();
    case CampoMetadati::Volume:
        return !volume.isEmpty();
    case CampoMetadati::Fascicolo:
        return !fascicolo.isEmpty();
    case CampoMetadati::AnnoVolume:
        return annoVolume > 0;
    case CampoMetadati::PrimaPagina:
        return !primaPagina.isEmpty();
    case CampoMetadati::UltimaPagina:
        return !ultimaPagina.isEmpty();
    case CampoMetadati::Lingua:
        return !lingua.isEmpty();
    case CampoMetadati::Abstract:
        return !abstract.isEmpty();
    case CampoMetadati::ParoleChiave:
        return !paroleChiave.isEmpty();
    case CampoMetadati::Doi:
        return !doi.isEmpty();
    case CampoMetadati::Url:
        return !url.isEmpty();
    }
    return false;
}

bool MetadatiArticolo::vuoto() const {
    return titolo.isEmpty() && autori.isEmpty() && rivista.isEmpty() && abstract.isEmpty();
}

void MetadatiArticolo::completa(const MetadatiArticolo& a) {
    const auto prendi = [&](CampoMetadati campo, auto membro) {
        if (ha(campo) || !a.ha(campo))
            return;
        this->*membro = a.*membro;
        origine[campo] = a.origine.value(campo);
    };
    prendi(CampoMetadati::Titolo, &MetadatiArticolo::titolo);
    prendi(CampoMetadati::Autori, &MetadatiArticolo::autori);
    prendi(CampoMetadati::Curatori, &MetadatiArticolo::curatori);
    prendi(CampoMetadati::Rivista, &MetadatiArticolo::rivista);
    prendi(CampoMetadati::Issn, &MetadatiArticolo::issn);
    prendi(CampoMetadati::Data, &MetadatiArticolo::data);
    prendi(CampoMetadati::Volume, &MetadatiArticolo::volume);
    prendi(CampoMetadati::Fascicolo, &MetadatiArticolo::fascicolo);
    prendi(CampoMetadati::AnnoVolume, &MetadatiArticolo::annoVolume);
    // The pages go together: a first page from one source and a last from another do not make a range.
    if (!ha(CampoMetadati::PrimaPagina) && !ha(CampoMetadati::UltimaPagina)) {
        prendi(CampoMetadati::PrimaPagina, &MetadatiArticolo::primaPagina);
        prendi(CampoMetadati::UltimaPagina, &MetadatiArticolo::ultimaPagina);
    }
    prendi(CampoMetadati::Lingua, &MetadatiArticolo::lingua);
    prendi(CampoMetadati::Abstract, &MetadatiArticolo::abstract);
    prendi(CampoMetadati::ParoleChiave, &MetadatiArticolo::paroleChiave);
    prendi(CampoMetadati::Doi, &MetadatiArticolo::doi);
    prendi(CampoMetadati::Url, &MetadatiArticolo::url);
}

QString IssnNormale(QStringView testo) {
    static const QRegularExpression issn(
        QStringLiteral(R"((?<!\d)(\d{4})[-\x{2010}\x{2013} ]?(\d{3}[\dxX])(?![\dxX]))"));
    const auto m = issn.match(testo);
    if (!m.hasMatch())
        return {};
    return m.captured(1) + u'-' + m.captured(2).toUpper();
}

void aggiungiIssn(QStringList& elenco, const QStringList& nuovi) {
    for (const QString& n : nuovi)
        if (!n.isEmpty() && !elenco.contains(n))
            elenco << n;
}

std::pair<QString, QString> PagineDaIntervallo(QStringView testo) {
    static const QRegularExpression trattino(QStringLiteral(R"(\s*[-\x{2010}-\x{2015}]\s*)"));
    const QStringList parti = testo.trimmed().toString().split(trattino, Qt::SkipEmptyParts);
    if (parti.isEmpty())
        return {};
    const QString prima = parti.first();
    QString ultima = parti.size() == 2 ? parti.last() : QString();
    bool numeroPrima = false, numeroUltima = false;
    const qint64 da = prima.toLongLong(&numeroPrima);
    qint64 a = ultima.toLongLong(&numeroUltima);
    // "123-9": the last page written with its own last digits only.
    if (numeroPrima && numeroUltima && a < da && ultima.size() < prima.size()) {
        ultima = prima.left(prima.size() - ultima.size()) + ultima;
        a = ultima.toLongLong();
    }
    if (ultima == prima || (numeroPrima && numeroUltima && a < da))
        ultima.clear();
    return {prima, ultima};
}

QString DoiDaTesto(QStringView testo) {
    static const QRegularExpression doi(QStringLiteral(R"(10\.\d{4,9}/[^\s"<>]+)"));
    QString t = testo.toString();
    // An address may carry the DOI percent-encoded ("10.1393%2Fncc").
    if (t.contains(u'%'))
        t = QUrl::fromPercentEncoding(t.toUtf8());
    const auto m = doi.match(t);
    if (!m.hasMatch())
        return {};
    QString d = m.captured();
    while (!d.isEmpty() && QStringView(u".,;:)]}'").contains(d.back()))
        d.chop(1);
    return d;
}

QByteArray JsonMetadati(const MetadatiArticolo& m) {
    QJsonObject o;
    const auto persone = [](const QList<PersonaCatturata>& elenco) {
        QJsonArray a;
        for (const PersonaCatturata& p : elenco) {
            QJsonObject x{{QStringLiteral("family"), p.cognome}};
            if (!p.ente && !p.nome.isEmpty())
                x.insert(QStringLiteral("given"), p.nome);
            a.append(x);
        }
        return a;
    };
    const auto testo = [&](CampoMetadati c, const QString& v) {
        if (!v.isEmpty())
            o.insert(nomeJson(c), v);
    };
    testo(CampoMetadati::Titolo, m.titolo);
    if (!m.autori.isEmpty())
        o.insert(nomeJson(CampoMetadati::Autori), persone(m.autori));
    if (!m.curatori.isEmpty())
        o.insert(nomeJson(CampoMetadati::Curatori), persone(m.curatori));
    testo(CampoMetadati::Rivista, m.rivista);
    if (!m.issn.isEmpty())
        o.insert(nomeJson(CampoMetadati::Issn), QJsonArray::fromStringList(m.issn));
    testo(CampoMetadati::Data, m.data.iso());
    testo(CampoMetadati::Volume, m.volume);
    testo(CampoMetadati::Fascicolo, m.fascicolo);
    testo(CampoMetadati::PrimaPagina, m.primaPagina);
    testo(CampoMetadati::UltimaPagina, m.ultimaPagina);
    testo(CampoMetadati::Lingua, m.lingua);
    testo(CampoMetadati::Abstract, m.abstract.join(QStringLiteral("\n\n")));
    if (!m.paroleChiave.isEmpty())
        o.insert(nomeJson(CampoMetadati::ParoleChiave), QJsonArray::fromStringList(m.paroleChiave));
    testo(CampoMetadati::Doi, m.doi);
    testo(CampoMetadati::Url, m.url);
    QJsonObject origine;
    for (auto it = m.origine.cbegin(); it != m.origine.cend(); ++it)
        if (m.ha(it.key()) && it.key() != CampoMetadati::AnnoVolume)
            origine.insert(nomeJson(it.key()), it.value());
    o.insert(QStringLiteral("origin"), origine);
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

QString TestoMetadati(const MetadatiArticolo& m) {
    QString out;
    const auto riga = [&](CampoMetadati c, const QString& etichetta, const QString& valore) {
        if (!valore.isEmpty())
            out += QStringLiteral("%1: %2  [%3]\n").arg(etichetta, valore, m.origine.value(c));
    };
    const auto persone = [&](CampoMetadati c, const QString& etichetta,
                             const QList<PersonaCatturata>& elenco) {
        if (elenco.isEmpty())
            return;
        out += QStringLiteral("%1:  [%2]\n").arg(etichetta, m.origine.value(c));
        for (const PersonaCatturata& p : elenco)
            out += QStringLiteral("  %1%2\n")
                       .arg(p.cognome, p.ente             ? QStringLiteral(" (ente)")
                                       : p.nome.isEmpty() ? QString()
                                                          : QStringLiteral(", ") + p.nome);
    };
    riga(CampoMetadati::Titolo, QStringLiteral("Titolo"), m.titolo);
    persone(CampoMetadati::Autori, QStringLiteral("Autori"), m.autori);
    persone(CampoMetadati::Curatori, QStringLiteral("Curatori (non autori)"), m.curatori);
    riga(CampoMetadati::Rivista, QStringLiteral("Rivista"), m.rivista);
    riga(CampoMetadati::Issn, QStringLiteral("ISSN"), m.issn.join(QStringLiteral(", ")));
    riga(CampoMetadati::Data, QStringLiteral("Data"), m.data.iso());
    riga(CampoMetadati::Volume, QStringLiteral("Volume"), m.volume);
    riga(CampoMetadati::Fascicolo, QStringLiteral("Fascicolo"), m.fascicolo);
    riga(CampoMetadati::PrimaPagina, QStringLiteral("Prima pagina"), m.primaPagina);
    riga(CampoMetadati::UltimaPagina, QStringLiteral("Ultima pagina"), m.ultimaPagina);
    riga(CampoMetadati::Lingua, QStringLiteral("Lingua"), m.lingua);
    riga(CampoMetadati::ParoleChiave, QStringLiteral("Parole chiave"),
         m.paroleChiave.join(QStringLiteral("; ")));
    riga(CampoMetadati::Doi, QStringLiteral("DOI"), m.doi);
    riga(CampoMetadati::Url, QStringLiteral("URL"), m.url);
    if (!m.abstract.isEmpty()) {
        out += QStringLiteral("Abstract:  [%1]\n").arg(m.origine.value(CampoMetadati::Abstract));
        for (const QString& p : m.abstract)
            out += QStringLiteral("  ") + p + u'\n';
    }
    return out;
}
