#include "capture/LetturaPagina.h"

#include "capture/Gumbo.h"
#include "capture/LetturaRecord.h"
#include "capture/NomiPersona.h"
#include "capture/TestoMarcato.h"
#include "store/TextOutput.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringDecoder>
#include <vector>

namespace {

QByteArray parametroCharset(const QByteArray& tipo) {
    static const QRegularExpression charset(QStringLiteral(R"(charset\s*=\s*["']?\s*([A-Za-z0-9_:.\-]+))"),
                                            QRegularExpression::CaseInsensitiveOption);
    const auto m = charset.match(QString::fromLatin1(tipo));
    return m.hasMatch() ? m.captured(1).toLatin1().toLower() : QByteArray();
}

bool comeWindows1252(const QByteArray& c) {
    static const QList<QByteArray> nomi = {"windows-1252", "cp1252",     "x-cp1252", "iso-8859-1",
                                           "iso8859-1",    "iso_8859-1", "latin1",   "latin-1",
                                           "l1",           "us-ascii",   "ascii",    "ansi_x3.4-1968"};
    return nomi.contains(c);
}

bool utf8(const QByteArray& c) {
    return c == "utf-8" || c == "utf8";
}

// ---------------------------------------------------------------------------------------------
// The tags of the page.

struct Raccolta {
    QHash<QString, QStringList> valori; // by name in lower case, "dc:" read as "dc."
    QHash<QString, QString> nomi;       // the name as the page writes it, for the origin
    QStringList jsonLd;
    QString canonico;
};

// One element's tags; whether its children are worth reading.
bool raccogliElemento(const GumboElement& e, Raccolta& r) {
    switch (e.tag) {
    case GUMBO_TAG_META: {
        QString nome = gumbo::attributo(e, "name").trimmed();
        if (nome.isEmpty())
            nome = gumbo::attributo(e, "property").trimmed();
        if (nome.isEmpty() || !gumbo::haAttributo(e, "content"))
            return false;
        QString chiave = nome.toLower();
        if (chiave.startsWith(u"dc:") || chiave.startsWith(u"dcterms:"))
            chiave.replace(chiave.indexOf(u':'), 1, u'.');
        r.valori[chiave] << gumbo::attributo(e, "content");
        if (!r.nomi.contains(chiave))
            r.nomi.insert(chiave, nome);
        return false;
    }
    case GUMBO_TAG_LINK:
        if (r.canonico.isEmpty() &&
            gumbo::attributo(e, "rel").trimmed().compare(u"canonical", Qt::CaseInsensitive) == 0)
            r.canonico = gumbo::attributo(e, "href").trimmed();
        return false;
    case GUMBO_TAG_SCRIPT:
        if (gumbo::attributo(e, "type").trimmed().startsWith(u"application/ld+json", Qt::CaseInsensitive)) {
            QString testo;
            for (unsigned i = 0; i < e.children.length; ++i) {
                const auto* f = static_cast<const GumboNode*>(e.children.data[i]);
                if (f->type == GUMBO_NODE_TEXT || f->type == GUMBO_NODE_CDATA ||
                    f->type == GUMBO_NODE_WHITESPACE)
                    testo += QString::fromUtf8(f->v.text.text);
            }
            r.jsonLd << testo;
        }
        return false;
    case GUMBO_TAG_STYLE:
        return false;
    default:
        return true;
    }
}

// The tree in document order, with a stack of our own: a page's depth is the page's to choose.
void raccogli(const GumboNode* radice, Raccolta& r) {
    std::vector<const GumboNode*> daVedere{radice};
    while (!daVedere.empty()) {
        const GumboNode* n = daVedere.back();
        daVedere.pop_back();
        const GumboVector* figli = gumbo::figli(n);
        if (!figli || (n->type == GUMBO_NODE_ELEMENT && !raccogliElemento(n->v.element, r)))
            continue;
        for (unsigned i = figli->length; i-- > 0;)
            daVedere.push_back(static_cast<const GumboNode*>(figli->data[i]));
    }
}

// The values of the first of the names the page gives, with the name as the page writes it.
struct Valori {
    QStringList valori;
    QString nome;
    bool vuoti() const { return valori.isEmpty(); }
    QString primo() const { return valori.value(0); }
};

Valori primi(const Raccolta& r, std::initializer_list<const char*> nomi) {
    for (const char* n : nomi) {
        const QString chiave = QString::fromLatin1(n);
        QStringList v = r.valori.value(chiave);
        v.removeIf([](const QString& x) { return x.trimmed().isEmpty(); });
        if (!v.isEmpty())
            return {v, r.nomi.value(chiave)};
    }
    return {};
}

QString origineTag(const QString& nome) {
    return QStringLiteral("pagina (%1)").arg(nome);
}

// ---------------------------------------------------------------------------------------------
// schema.org in JSON-LD.

QString tipoSchema(const QJsonValue& t) {
    QString s = t.isArray() ? t.toArray().at(0).toString() : t.toString();
    const qsizetype taglio = std::max(s.lastIndexOf(u'/'), s.lastIndexOf(u':'));
    return taglio >= 0 ? s.mid(taglio + 1) : s;
}

bool articolo(const QJsonObject& o) {
    const QJsonValue t = o.value(u"@type");
    const QJsonArray tipi = t.isArray() ? t.toArray() : QJsonArray{t};
    for (const QJsonValue& x : tipi)
        if (tipoSchema(x).endsWith(u"Article"))
            return true;
    return false;
}

std::optional<QJsonObject> trovaArticolo(const QJsonValue& v, int profondita = 0) {
    if (profondita > 6)
        return std::nullopt;
    if (v.isArray()) {
        for (const QJsonValue& x : v.toArray())
            if (auto a = trovaArticolo(x, profondita + 1))
                return a;
        return std::nullopt;
    }
    const QJsonObject o = v.toObject();
    if (articolo(o))
        return o;
    for (const char16_t* chiave : {u"@graph", u"mainEntity"})
        if (auto a = trovaArticolo(o.value(QStringView(chiave)), profondita + 1))
            return a;
    return std::nullopt;
}

QList<PersonaCatturata> personeJson(const QJsonValue& v) {
    QList<PersonaCatturata> out;
    const QJsonArray elenco = v.isArray() ? v.toArray() : QJsonArray{v};
    for (const QJsonValue& x : elenco) {
        PersonaCatturata p;
        if (x.isString()) {
            p = PersonaDaNome(x.toString());
        } else {
            const QJsonObject o = x.toObject();
            if (tipoSchema(o.value(u"@type")) == u"Organization")
                p = Ente(TestoJson(o.value(u"name")));
            else if (o.contains(u"familyName"))
                p = PersonaDaParti(TestoJson(o.value(u"familyName")), TestoJson(o.value(u"givenName")));
            else
                p = PersonaDaNome(TestoJson(o.value(u"name")));
        }
        if (!p.cognome.isEmpty())
            out << p;
    }
    return out;
}

MetadatiArticolo leggiJsonLd(const QStringList& blocchi) {
    MetadatiArticolo m;
    for (QString testo : blocchi) {
        // Some pages wrap the block in a comment or CDATA, as for old browsers.
        testo.remove(QRegularExpression(QStringLiteral(R"(^\s*(<!--|<!\[CDATA\[)|(-->|\]\]>)\s*$)")));
        const QJsonDocument doc = QJsonDocument::fromJson(testo.toUtf8());
        const auto trovato =
            trovaArticolo(doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object()));
        if (!trovato)
            continue;
        const QJsonObject& a = *trovato;
        const QString tipo = QStringLiteral("pagina (JSON-LD %1.%2)").arg(tipoSchema(a.value(u"@type")));
        const auto origine = [&](CampoMetadati c, const QString& proprieta) {
            if (m.ha(c))
                m.origine[c] = tipo.arg(proprieta);
        };
        const QString titolo = a.contains(u"headline") ? QStringLiteral("headline") : QStringLiteral("name");
        m.titolo = TestoPiano(TestoJson(a.value(titolo)));
        origine(CampoMetadati::Titolo, titolo);
        m.autori = personeJson(a.value(u"author"));
        origine(CampoMetadati::Autori, QStringLiteral("author"));
        m.curatori = personeJson(a.value(u"editor"));
        origine(CampoMetadati::Curatori, QStringLiteral("editor"));
        m.data = DataDaTesto(TestoJson(a.value(u"datePublished")));
        origine(CampoMetadati::Data, QStringLiteral("datePublished"));
        // isPartOf: PublicationIssue -> PublicationVolume -> Periodical, in any depth.
        QJsonObject parte = a.value(u"isPartOf").toObject();
        for (int i = 0; i < 4 && !parte.isEmpty(); ++i, parte = parte.value(u"isPartOf").toObject()) {
            const QString t = tipoSchema(parte.value(u"@type"));
            if (t == u"PublicationIssue") {
                m.fascicolo = TestoPiano(TestoJson(parte.value(u"issueNumber")));
                origine(CampoMetadati::Fascicolo, QStringLiteral("isPartOf.issueNumber"));
                if (const DataCatturata d = DataDaTesto(TestoJson(parte.value(u"datePublished")));
                    !d.vuota()) {
                    m.annoVolume = d.anno;
                    origine(CampoMetadati::AnnoVolume, QStringLiteral("isPartOf.datePublished"));
                }
            } else if (t == u"PublicationVolume") {
                m.volume = TestoPiano(TestoJson(parte.value(u"volumeNumber")));
                origine(CampoMetadati::Volume, QStringLiteral("isPartOf.volumeNumber"));
            } else if (t == u"Periodical") {
                m.rivista = TestoPiano(TestoJson(parte.value(u"name")));
                origine(CampoMetadati::Rivista, QStringLiteral("isPartOf.name"));
                for (const QJsonValue& i : parte.value(u"issn").isArray() ? parte.value(u"issn").toArray()
                                                                          : QJsonArray{parte.value(u"issn")})
                    aggiungiIssn(m.issn, {IssnNormale(i.toString())});
                origine(CampoMetadati::Issn, QStringLiteral("isPartOf.issn"));
            }
        }
        if (a.contains(u"pageStart")) {
            m.primaPagina = TestoPiano(TestoJson(a.value(u"pageStart")));
            m.ultimaPagina = TestoPiano(TestoJson(a.value(u"pageEnd")));
        } else {
            std::tie(m.primaPagina, m.ultimaPagina) = PagineDaIntervallo(TestoJson(a.value(u"pagination")));
        }
        origine(CampoMetadati::PrimaPagina, QStringLiteral("pageStart"));
        origine(CampoMetadati::UltimaPagina, QStringLiteral("pageEnd"));
        m.lingua = TestoJson(a.value(u"inLanguage")).trimmed();
        origine(CampoMetadati::Lingua, QStringLiteral("inLanguage"));
        const QString riassunto =
            a.contains(u"abstract") ? QStringLiteral("abstract") : QStringLiteral("description");
        m.abstract = Paragrafi(TestoJson(a.value(riassunto)));
        origine(CampoMetadati::Abstract, riassunto);
        const QJsonValue parole = a.value(u"keywords");
        if (parole.isArray()) {
            for (const QJsonValue& p : parole.toArray())
                m.paroleChiave << TestoPiano(TestoJson(p));
        } else {
            m.paroleChiave =
                TestoPiano(parole.toString())
                    .split(QRegularExpression(QStringLiteral("\\s*[;,]\\s*")), Qt::SkipEmptyParts);
        }
        origine(CampoMetadati::ParoleChiave, QStringLiteral("keywords"));
        // The article's own identifiers ("citation" lists the works it cites).
        for (const char16_t* chiave : {u"identifier", u"sameAs", u"@id", u"url"}) {
            const QJsonValue v = a.value(QStringView(chiave));
            const QJsonArray valori = v.isArray() ? v.toArray() : QJsonArray{v};
            for (const QJsonValue& x : valori)
                if (m.doi.isEmpty())
                    m.doi = DoiDaTesto(TestoJson(x));
            if (!m.doi.isEmpty()) {
                origine(CampoMetadati::Doi, QString::fromUtf16(chiave));
                break;
            }
        }
        m.url = TestoJson(a.value(u"url")).trimmed();
        origine(CampoMetadati::Url, QStringLiteral("url"));
        break;
    }
    return m;
}

// ---------------------------------------------------------------------------------------------
// The tags, field by field.

MetadatiArticolo leggiTag(const Raccolta& r, QStringList& avvisi) {
    MetadatiArticolo m;
    const auto prendi = [&](CampoMetadati c, std::initializer_list<const char*> nomi, auto&& assegna) {
        const Valori v = primi(r, nomi);
        if (v.vuoti())
            return;
        assegna(v);
        if (m.ha(c))
            m.origine[c] = origineTag(v.nome);
    };
    prendi(CampoMetadati::Titolo,
           {"citation_title", "bepress_citation_title", "dc.title", "dcterms.title", "prism.title"},
           [&](const Valori& v) { m.titolo = TestoPiano(v.primo()); });
    prendi(CampoMetadati::Autori,
           {"citation_author", "bepress_citation_author", "citation_authors", "dc.creator",
            "dc.creator.personalname", "dcterms.creator"},
           [&](const Valori& v) {
               for (const QString& a : v.valori) {
                   // citation_authors lists them all in one tag, separated by semicolons.
                   const QStringList nomi = v.nome.compare(u"citation_authors", Qt::CaseInsensitive) == 0
                                                ? a.split(u';', Qt::SkipEmptyParts)
                                                : QStringList{a};
                   for (const QString& n : nomi)
                       if (const PersonaCatturata p = PersonaDaNome(n); !p.cognome.isEmpty())
                           m.autori << p;
               }
           });
    prendi(CampoMetadati::Curatori, {"citation_editor", "bepress_citation_editor"}, [&](const Valori& v) {
        for (const QString& a : v.valori)
            if (const PersonaCatturata p = PersonaDaNome(a); !p.cognome.isEmpty())
                m.curatori << p;
    });
    prendi(CampoMetadati::Rivista,
           {"citation_journal_title", "bepress_citation_journal_title", "citation_conference_title",
            "dc.relation.ispartof", "dcterms.ispartof", "dc.source", "prism.publicationname"},
           [&](const Valori& v) { m.rivista = TestoPiano(v.primo()); });
    prendi(CampoMetadati::Issn, {"citation_issn", "bepress_citation_issn", "prism.issn", "prism.eissn"},
           [&](const Valori& v) {
               for (const QString& i : v.valori)
                   aggiungiIssn(m.issn, {IssnNormale(i)});
           });
    prendi(CampoMetadati::Data,
           {"citation_publication_date", "citation_date", "bepress_citation_publication_date",
            "bepress_citation_date", "citation_cover_date", "citation_online_date", "dc.date.issued",
            "dcterms.issued", "dc.date", "dcterms.date", "prism.publicationdate", "prism.coverdate"},
           [&](const Valori& v) { m.data = DataDaTesto(v.primo()); });
    prendi(CampoMetadati::Volume, {"citation_volume", "bepress_citation_volume", "prism.volume"},
           [&](const Valori& v) { m.volume = TestoPiano(v.primo()); });
    prendi(CampoMetadati::Fascicolo,
           {"citation_issue", "bepress_citation_issue", "prism.number", "prism.issueidentifier"},
           [&](const Valori& v) { m.fascicolo = TestoPiano(v.primo()); });
    // The first and the last page from the same family of tags (Highwire writes either pair).
    struct Famiglia {
        const char* prima[2];
        const char* ultima[2];
    };
    static const Famiglia pagine[] = {
        {{"citation_firstpage", "citation_startpage"}, {"citation_lastpage", "citation_endpage"}},
        {{"bepress_citation_firstpage", nullptr}, {"bepress_citation_lastpage", nullptr}},
        {{"prism.startingpage", nullptr}, {"prism.endingpage", nullptr}}};
    const auto cerca = [&](const char* const(&nomi)[2]) {
        for (const char* n : nomi)
            if (n)
                if (const Valori v = primi(r, {n}); !v.vuoti())
                    return v;
        return Valori{};
    };
    for (const Famiglia& f : pagine) {
        const Valori p = cerca(f.prima);
        if (p.vuoti())
            continue;
        const Valori u = cerca(f.ultima);
        m.primaPagina = TestoPiano(p.primo());
        m.ultimaPagina = TestoPiano(u.primo());
        if (m.ultimaPagina == m.primaPagina)
            m.ultimaPagina.clear();
        m.origine[CampoMetadati::PrimaPagina] = origineTag(p.nome);
        if (!m.ultimaPagina.isEmpty())
            m.origine[CampoMetadati::UltimaPagina] = origineTag(u.nome);
        break;
    }
    prendi(CampoMetadati::Lingua,
           {"citation_language", "bepress_citation_language", "dc.language", "dcterms.language"},
           [&](const Valori& v) { m.lingua = v.primo().trimmed(); });
    prendi(CampoMetadati::Abstract,
           {"citation_abstract", "bepress_citation_abstract", "dc.description", "dcterms.abstract",
            "dcterms.description"},
           [&](const Valori& v) { m.abstract = Paragrafi(v.primo()); });
    prendi(CampoMetadati::ParoleChiave, {"citation_keywords", "bepress_citation_keywords", "dc.subject"},
           [&](const Valori& v) {
               for (const QString& k : v.valori)
                   for (const QString& p :
                        k.split(QRegularExpression(QStringLiteral("\\s*;\\s*")), Qt::SkipEmptyParts))
                       // A classification number (DC.Subject scheme DDC "004") is not a keyword.
                       if (const QString t = TestoPiano(p);
                           !t.isEmpty() && !m.paroleChiave.contains(t) &&
                           !t.contains(QRegularExpression(QStringLiteral("^[\\d.]+$"))))
                           m.paroleChiave << t;
           });
    // A DOI only where the tag holds one: dc.identifier also carries URNs and addresses.
    for (const char* nome : {"citation_doi", "bepress_citation_doi", "dc.identifier", "dcterms.identifier",
                             "prism.doi", "doi"}) {
        for (const QString& v : primi(r, {nome}).valori) {
            if (const QString d = DoiDaTesto(v); !d.isEmpty()) {
                m.doi = d;
                m.origine[CampoMetadati::Doi] = origineTag(r.nomi.value(QString::fromLatin1(nome)));
                break;
            }
        }
        if (!m.doi.isEmpty())
            break;
    }
    prendi(CampoMetadati::Url,
           {"citation_abstract_html_url", "citation_public_url", "citation_fulltext_html_url",
            "bepress_citation_abstract_html_url", "prism.url"},
           [&](const Valori& v) { m.url = v.primo().trimmed(); });
    if (m.url.isEmpty() && !r.canonico.isEmpty()) {
        m.url = r.canonico;
        m.origine[CampoMetadati::Url] = QStringLiteral("pagina (link rel=canonical)");
    }

    // A lone first page of five digits or more that the DOI does not carry is a publisher's own
    // number (Frontiers writes its internal id there), not a page.
    if (!m.primaPagina.isEmpty() && m.ultimaPagina.isEmpty() && !m.doi.isEmpty()) {
        bool numero = false;
        m.primaPagina.toLongLong(&numero);
        QString cifreDoi = m.doi;
        cifreDoi.remove(QRegularExpression(QStringLiteral("\\D")));
        if (numero && m.primaPagina.size() >= 5 && !cifreDoi.contains(m.primaPagina)) {
            avvisi << QStringLiteral(
                          "%1 \"%2\" tralasciata: non è una pagina ma un numero interno dell'editore.")
                          .arg(m.origine.value(CampoMetadati::PrimaPagina), m.primaPagina);
            m.primaPagina.clear();
            m.origine.remove(CampoMetadati::PrimaPagina);
        }
    }
    return m;
}

} // namespace

QByteArray CodificaPagina(const QByteArray& corpo, const QByteArray& tipoContenuto) {
    if (corpo.startsWith("\xEF\xBB\xBF"))
        return "utf-8";
    if (corpo.startsWith("\xFF\xFE"))
        return "utf-16le";
    if (corpo.startsWith("\xFE\xFF"))
        return "utf-16be";
    QByteArray c = parametroCharset(tipoContenuto);
    if (c.isEmpty()) {
        // The page's own declaration, in its first bytes as browsers look for it.
        static const QRegularExpression meta(
            QStringLiteral(R"(<meta[^>]*?charset\s*=\s*["']?\s*([A-Za-z0-9_:.\-]+))"),
            QRegularExpression::CaseInsensitiveOption);
        const auto m = meta.match(QString::fromLatin1(corpo.left(4096)));
        if (m.hasMatch())
            c = m.captured(1).toLatin1().toLower();
    }
    if (utf8(c) || comeWindows1252(c))
        return comeWindows1252(c) ? QByteArray("windows-1252") : QByteArray("utf-8");
    if (!c.isEmpty() && QStringDecoder(c.constData()).isValid())
        return c;
    QStringDecoder prova(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString letto = prova.decode(corpo);
    Q_UNUSED(letto)
    return prova.hasError() ? QByteArray("windows-1252") : QByteArray("utf-8");
}

QString TestoPagina(const QByteArray& corpo, const QByteArray& tipoContenuto) {
    const QByteArray c = CodificaPagina(corpo, tipoContenuto);
    if (c == "utf-8")
        return QString::fromUtf8(corpo.startsWith("\xEF\xBB\xBF") ? corpo.mid(3) : corpo);
    if (c == "windows-1252")
        return decodeWindows1252(corpo);
    QStringDecoder decoder(c.constData());
    return decoder.decode(corpo);
}

bool SembraHtml(const QByteArray& corpo, const QByteArray& tipoContenuto) {
    const QByteArray tipo = tipoContenuto.toLower();
    if (tipo.contains("html"))
        return true;
    if (!tipo.isEmpty() && !tipo.startsWith("text/plain") && !tipo.startsWith("application/octet-stream"))
        return false;
    const QByteArray inizio = corpo.left(1024).trimmed().toLower();
    return inizio.startsWith("<!doctype html") || inizio.startsWith("<html") || inizio.contains("<head");
}

PaginaLetta LeggiPagina(const QByteArray& corpo, const QByteArray& tipoContenuto, const QUrl& indirizzo) {
    const QByteArray codifica = CodificaPagina(corpo, tipoContenuto);
    const gumbo::Documento documento(codifica == "utf-8" ? corpo
                                                         : TestoPagina(corpo, tipoContenuto).toUtf8());
    PaginaLetta p;
    if (codifica == "utf-8") {
        // A page that says UTF-8 and is not, wholly: the browser shows the same marks, but the
        // operator is told, since names are what such pages spoil.
        QStringDecoder prova(QStringDecoder::Utf8);
        const QString letto = prova.decode(corpo);
        if (prova.hasError())
            p.avvisi << QStringLiteral("La pagina dichiara la codifica UTF-8 ma non la rispetta: i caratteri "
                                       "illeggibili (%1) sono mostrati come \"\uFFFD\"; controllare nomi e "
                                       "titolo.")
                            .arg(letto.count(QChar(0xFFFD)));
    }
    if (!documento.rifiuto().isEmpty()) {
        p.rifiuto = documento.rifiuto();
        return p;
    }
    Raccolta r;
    if (documento.radice())
        raccogli(documento.radice(), r);
    p.metadati = leggiTag(r, p.avvisi);
    p.metadati.completa(leggiJsonLd(r.jsonLd));
    if (p.metadati.url.isEmpty() && indirizzo.isValid() && !p.metadati.vuoto()) {
        p.metadati.url = indirizzo.toString();
        p.metadati.origine[CampoMetadati::Url] = QStringLiteral("indirizzo letto");
    }
    return p;
}
