#include "capture/LetturaRecord.h"

#include "capture/NomiPersona.h"
#include "capture/TestoMarcato.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {

QStringList stringhe(const QJsonValue& v) {
    QStringList out;
    if (v.isArray()) {
        for (const QJsonValue& x : v.toArray())
            out << TestoJson(x);
    } else if (const QString s = TestoJson(v); !s.isEmpty()) {
        // mEDRA writes "ISSN" as one string, several separated by commas or blanks.
        out = s.split(QRegularExpression(QStringLiteral("[,; ]+")), Qt::SkipEmptyParts);
    }
    return out;
}

int intero(const QJsonValue& v) {
    return v.isString() ? v.toString().toInt() : v.toInt();
}

// {"date-parts": [[2017, 3, 22]]}, or a "raw"/"literal" text.
DataCatturata dataCsl(const QJsonValue& v) {
    const QJsonObject o = v.toObject();
    const QJsonArray parti = o.value(u"date-parts").toArray().at(0).toArray();
    if (!parti.isEmpty()) {
        DataCatturata d = DataDaTesto(QString::number(intero(parti.at(0))));
        if (d.vuota())
            return d;
        const int mese = intero(parti.at(1));
        const int giorno = intero(parti.at(2));
        return DataDaTesto(QStringLiteral("%1-%2-%3").arg(d.anno).arg(mese).arg(giorno));
    }
    for (const char16_t* chiave : {u"raw", u"literal", u"date-time"})
        if (const QString t = o.value(QStringView(chiave)).toString(); !t.isEmpty())
            return DataDaTesto(t);
    return {};
}

QList<PersonaCatturata> personeCsl(const QJsonValue& v) {
    QList<PersonaCatturata> out;
    for (const QJsonValue& x : v.toArray()) {
        const QJsonObject p = x.toObject();
        PersonaCatturata persona;
        if (p.contains(u"family")) {
            const QString particella = (p.value(u"dropping-particle").toString() + u' ' +
                                        p.value(u"non-dropping-particle").toString())
                                           .trimmed();
            persona = PersonaDaParti(p.value(u"family").toString(), p.value(u"given").toString(), particella);
        } else if (p.contains(u"name")) {
            // Crossref gives an organisation its "name".
            persona = Ente(p.value(u"name").toString());
        } else if (p.contains(u"literal")) {
            persona = PersonaDaNome(p.value(u"literal").toString());
        }
        if (!persona.cognome.isEmpty())
            out << persona;
    }
    return out;
}

QString urlNormale(const QString& url) {
    for (const QString& vecchio : {QStringLiteral("http://dx.doi.org/"),
                                   QStringLiteral("https://dx.doi.org/"), QStringLiteral("http://doi.org/")})
        if (url.startsWith(vecchio, Qt::CaseInsensitive))
            return QStringLiteral("https://doi.org/") + url.mid(vecchio.size());
    return url;
}

} // namespace

QString TestoJson(const QJsonValue& v) {
    if (v.isString())
        return v.toString();
    if (v.isDouble())
        return QString::number(v.toInteger());
    if (v.isArray())
        for (const QJsonValue& x : v.toArray())
            if (const QString s = TestoJson(x); !s.trimmed().isEmpty())
                return s;
    if (v.isObject()) {
        const QJsonObject o = v.toObject();
        for (const char16_t* chiave : {u"name", u"value", u"@value", u"alternateName"})
            if (o.contains(QStringView(chiave)))
                return TestoJson(o.value(QStringView(chiave)));
    }
    return {};
}

std::optional<MetadatiArticolo> LeggiRecordJson(const QByteArray& corpo, const QString& fonte) {
    QJsonParseError errore{};
    const QJsonDocument doc = QJsonDocument::fromJson(corpo, &errore);
    if (errore.error != QJsonParseError::NoError)
        return std::nullopt;
    QJsonObject o = doc.isArray() ? doc.array().at(0).toObject() : doc.object();
    // Crossref's envelope: {"status": "ok", "message-type": "work", "message": {...}}.
    if (o.value(u"message").isObject())
        o = o.value(u"message").toObject();
    if (!o.contains(u"title") && !o.contains(u"DOI") && !o.contains(u"author"))
        return std::nullopt;

    MetadatiArticolo m;
    const auto origine = [&](CampoMetadati c, const QString& chiave) {
        if (m.ha(c))
            m.origine[c] = QStringLiteral("%1 (%2)").arg(fonte, chiave);
    };
    m.titolo = TestoPiano(TestoJson(o.value(u"title")));
    if (const QString sotto = TestoPiano(TestoJson(o.value(u"subtitle")));
        !m.titolo.isEmpty() && !sotto.isEmpty() && !m.titolo.contains(sotto, Qt::CaseInsensitive))
        m.titolo += QStringLiteral(": ") + sotto;
    origine(CampoMetadati::Titolo, QStringLiteral("title"));
    m.autori = personeCsl(o.value(u"author"));
    origine(CampoMetadati::Autori, QStringLiteral("author"));
    m.curatori = personeCsl(o.value(u"editor"));
    origine(CampoMetadati::Curatori, QStringLiteral("editor"));
    m.rivista = TestoPiano(TestoJson(o.value(u"container-title")));
    origine(CampoMetadati::Rivista, QStringLiteral("container-title"));
    QStringList issn;
    for (const QString& s : stringhe(o.value(u"ISSN")))
        issn << IssnNormale(s);
    for (const QJsonValue& t : o.value(u"issn-type").toArray())
        issn << IssnNormale(t.toObject().value(u"value").toString());
    aggiungiIssn(m.issn, issn);
    origine(CampoMetadati::Issn, QStringLiteral("ISSN"));
    // "issued" is the earliest of print and online; the others stand in where it is missing.
    for (const char16_t* chiave : {u"issued", u"published-online", u"published-print", u"published"}) {
        m.data = dataCsl(o.value(QStringView(chiave)));
        if (!m.data.vuota()) {
            origine(CampoMetadati::Data, QString::fromUtf16(chiave));
            break;
        }
    }
    m.volume = TestoPiano(TestoJson(o.value(u"volume")));
    origine(CampoMetadati::Volume, QStringLiteral("volume"));
    m.fascicolo = TestoPiano(TestoJson(o.value(u"issue")));
    origine(CampoMetadati::Fascicolo, QStringLiteral("issue"));
    const QJsonObject fascicolo = o.value(u"journal-issue").toObject();
    for (const char16_t* chiave : {u"published-online", u"published-print"}) {
        const DataCatturata d = dataCsl(fascicolo.value(QStringView(chiave)));
        if (!d.vuota()) {
            m.annoVolume = d.anno;
            origine(CampoMetadati::AnnoVolume, QStringLiteral("journal-issue"));
            break;
        }
    }
    QString chiavePagine = QStringLiteral("page");
    QString pagine = TestoPiano(TestoJson(o.value(u"page")));
    if (pagine.isEmpty()) {
        chiavePagine = QStringLiteral("page-first");
        pagine = TestoPiano(TestoJson(o.value(u"page-first")));
    }
    if (pagine.isEmpty()) {
        chiavePagine = QStringLiteral("article-number");
        pagine = TestoPiano(TestoJson(o.value(u"article-number")));
    }
    std::tie(m.primaPagina, m.ultimaPagina) = PagineDaIntervallo(pagine);
    origine(CampoMetadati::PrimaPagina, chiavePagine);
    origine(CampoMetadati::UltimaPagina, chiavePagine);
    m.lingua = TestoJson(o.value(u"language")).trimmed();
    origine(CampoMetadati::Lingua, QStringLiteral("language"));
    m.abstract = Paragrafi(TestoJson(o.value(u"abstract")));
    origine(CampoMetadati::Abstract, QStringLiteral("abstract"));
    m.doi = DoiDaTesto(TestoJson(o.value(u"DOI")));
    origine(CampoMetadati::Doi, QStringLiteral("DOI"));
    m.url = urlNormale(TestoJson(o.value(u"URL")).trimmed());
    origine(CampoMetadati::Url, QStringLiteral("URL"));
    return m;
}

bool SembraOnix(const QByteArray& corpo) {
    const QByteArray inizio = corpo.left(2048);
    return inizio.contains("<ONIXDOI") || inizio.contains("ONIXDOISerial") || inizio.contains("DOIMetadata");
}

std::optional<MetadatiArticolo> LeggiOnix(const QByteArray& corpo, const QString& fonte) {
    if (!SembraOnix(corpo))
        return std::nullopt;
    MetadatiArticolo m;
    const auto origine = [&](CampoMetadati c, const QString& elemento) {
        if (m.ha(c))
            m.origine[c] = QStringLiteral("%1 (%2)").arg(fonte, elemento);
    };
    QXmlStreamReader xml(corpo);
    // Where the reader stands: the serial's or the article's title, a contributor, a date.
    bool inSerie = false, inArticolo = false, inContributore = false;
    QString ruolo, nomeIntero, cognome, nomi, ente;
    while (!xml.atEnd()) {
        xml.readNext();
        const QStringView nome = xml.name();
        if (xml.isStartElement()) {
            if (nome == u"SerialPublication") {
                inSerie = true;
            } else if (nome == u"ContentItem") {
                inArticolo = true;
            } else if (nome == u"Contributor") {
                inContributore = true;
                ruolo.clear();
                nomeIntero.clear();
                cognome.clear();
                nomi.clear();
                ente.clear();
            } else if (nome == u"TitleText") {
                const QString t = TestoPiano(xml.readElementText());
                if (inArticolo && m.titolo.isEmpty()) {
                    m.titolo = t;
                    origine(CampoMetadati::Titolo, QStringLiteral("ContentItem/Title"));
                } else if (inSerie && m.rivista.isEmpty()) {
                    m.rivista = t;
                    origine(CampoMetadati::Rivista, QStringLiteral("SerialWork/Title"));
                }
            } else if (nome == u"IDValue" && inSerie) {
                aggiungiIssn(m.issn, {IssnNormale(xml.readElementText())});
                origine(CampoMetadati::Issn, QStringLiteral("SerialPublication/IDValue"));
            } else if (inContributore && nome == u"ContributorRole") {
                ruolo = xml.readElementText().trimmed();
            } else if (inContributore && nome == u"PersonName") {
                nomeIntero = xml.readElementText();
            } else if (inContributore && nome == u"KeyNames") {
                cognome = xml.readElementText();
            } else if (inContributore && nome == u"NamesBeforeKey") {
                nomi = xml.readElementText();
            } else if (inContributore && nome == u"CorporateName") {
                ente = xml.readElementText();
            } else if (nome == u"JournalIssueNumber") {
                m.fascicolo = TestoPiano(xml.readElementText());
                origine(CampoMetadati::Fascicolo, QStringLiteral("JournalIssueNumber"));
            } else if (nome == u"JournalVolumeNumber") {
                m.volume = TestoPiano(xml.readElementText());
                origine(CampoMetadati::Volume, QStringLiteral("JournalVolumeNumber"));
            } else if (nome == u"FirstPageNumber") {
                m.primaPagina = TestoPiano(xml.readElementText());
                origine(CampoMetadati::PrimaPagina, QStringLiteral("FirstPageNumber"));
            } else if (nome == u"LastPageNumber") {
                m.ultimaPagina = TestoPiano(xml.readElementText());
                origine(CampoMetadati::UltimaPagina, QStringLiteral("LastPageNumber"));
            } else if (nome == u"LanguageCode" && m.lingua.isEmpty()) {
                m.lingua = xml.readElementText().trimmed();
                origine(CampoMetadati::Lingua, QStringLiteral("LanguageCode"));
            } else if (nome == u"PublicationDate" && inArticolo) {
                m.data = DataDaTesto(xml.readElementText());
                origine(CampoMetadati::Data, QStringLiteral("PublicationDate"));
            } else if (nome == u"Date" && !inArticolo) {
                if (const DataCatturata d = DataDaTesto(xml.readElementText()); !d.vuota()) {
                    m.annoVolume = d.anno;
                    origine(CampoMetadati::AnnoVolume, QStringLiteral("JournalIssueDate"));
                }
            } else if (nome == u"DOI" && m.doi.isEmpty()) {
                m.doi = DoiDaTesto(xml.readElementText());
                origine(CampoMetadati::Doi, QStringLiteral("DOI"));
            } else if (nome == u"DOIWebsiteLink") {
                m.url = xml.readElementText().trimmed();
                origine(CampoMetadati::Url, QStringLiteral("DOIWebsiteLink"));
            } else if (nome == u"Text" && inArticolo && m.abstract.isEmpty()) {
                m.abstract = Paragrafi(xml.readElementText());
                origine(CampoMetadati::Abstract, QStringLiteral("OtherText"));
            }
        } else if (xml.isEndElement()) {
            if (nome == u"SerialPublication") {
                inSerie = false;
            } else if (nome == u"ContentItem") {
                inArticolo = false;
            } else if (nome == u"Contributor") {
                inContributore = false;
                // A01 wrote it; B01 edited it. KeyNames equal to the whole name is no split.
                PersonaCatturata p;
                if (!ente.isEmpty())
                    p = Ente(ente);
                else if (!cognome.isEmpty() && cognome != nomeIntero)
                    p = PersonaDaParti(cognome, nomi);
                else
                    p = PersonaDaNome(nomeIntero.isEmpty() ? cognome : nomeIntero);
                if (p.cognome.isEmpty())
                    continue;
                if (ruolo.startsWith(u'A')) {
                    m.autori << p;
                    origine(CampoMetadati::Autori, QStringLiteral("Contributor"));
                } else if (ruolo.startsWith(u'B')) {
                    m.curatori << p;
                    origine(CampoMetadati::Curatori, QStringLiteral("Contributor"));
                }
            }
        }
    }
    if (xml.hasError() && m.vuoto())
        return std::nullopt;
    return m;
}
