#include "capture/ProposteCattura.h"

#include "store/AppState.h"
#include "store/SezioniIni.h"
#include "store/mdlGlobale.h"

#include <QRegularExpression>

namespace {

const QString kSezioneIssn = QStringLiteral("issn");

// Titles compared as the operator reads them: without case, accents or repeated blanks.
QString chiaveTitolo(const QString& t) {
    const QString scomposto = t.normalized(QString::NormalizationForm_KD);
    QString out;
    out.reserve(scomposto.size());
    for (QChar c : scomposto)
        if (c.category() != QChar::Mark_NonSpacing)
            out += c;
    return out.toCaseFolded().simplified();
}

QString persone(const QList<VoceResponsabilita>& elenco) {
    QStringList righe;
    for (const VoceResponsabilita& v : elenco)
        righe << (v.SecondoElemento.isEmpty() ? v.PrimoElemento
                                              : v.PrimoElemento + QStringLiteral(", ") + v.SecondoElemento);
    return righe.join(QStringLiteral("; "));
}

QList<VoceResponsabilita> attive(const QList<VoceResponsabilita>& elenco, bool autori) {
    QList<VoceResponsabilita> out;
    for (const VoceResponsabilita& v : elenco)
        if (!v.Cancellata && v.FlagAutore == autori)
            out << v;
    return out;
}

bool stessePersone(const QList<VoceResponsabilita>& a, const QList<VoceResponsabilita>& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i].PrimoElemento != b[i].PrimoElemento || a[i].SecondoElemento != b[i].SecondoElemento)
            return false;
    return true;
}

QList<VoceResponsabilita> voci(const QList<PersonaCatturata>& elenco, bool autori) {
    QList<VoceResponsabilita> out;
    for (const PersonaCatturata& p : elenco)
        out << VoceResponsabilita{0, p.cognome, p.ente ? QString() : p.nome, autori, false};
    return out;
}

// "20 dicembre 2006", "dicembre 2006", "2006".
QString dataLeggibile(const QString& data) {
    if (data.isEmpty() || data == u"0000-00-00")
        return {};
    const DataCatturata d = DataDaTesto(data);
    if (d.vuota())
        return data;
    QString t = QString::number(d.anno);
    if (d.mese > 0)
        t = NomiMesi().at(d.mese - 1) + u' ' + t;
    if (d.giorno > 0)
        t = QString::number(d.giorno) + u' ' + t;
    return t;
}

// Language names and codes as the sources write them, to the Italian name of tabLingua.
QString nomeItaliano(const QString& lingua) {
    static const QList<std::pair<QString, QStringList>> lingue = {
        {QStringLiteral("italiano"), {"it", "ita", "italian", "italiano"}},
        {QStringLiteral("inglese"), {"en", "eng", "english", "inglese"}},
        {QStringLiteral("francese"), {"fr", "fre", "fra", "french", "francais", "francese"}},
        {QStringLiteral("tedesco"), {"de", "ger", "deu", "german", "deutsch", "tedesco"}},
        {QStringLiteral("spagnolo"), {"es", "spa", "spanish", "espanol", "castellano", "spagnolo"}},
        {QStringLiteral("portoghese"), {"pt", "por", "portuguese", "portugues", "portoghese"}},
        {QStringLiteral("latino"), {"la", "lat", "latin", "latina", "latino"}},
        {QStringLiteral("olandese"), {"nl", "dut", "nld", "dutch", "nederlands", "olandese"}},
        {QStringLiteral("greco"), {"el", "gre", "ell", "greek", "greco"}},
        {QStringLiteral("russo"), {"ru", "rus", "russian", "russo"}},
        {QStringLiteral("polacco"), {"pl", "pol", "polish", "polski", "polacco"}},
        {QStringLiteral("sloveno"), {"sl", "slv", "slovenian", "slovene", "slovenscina", "sloveno"}},
        {QStringLiteral("rumeno"), {"ro", "rum", "ron", "romanian", "romana", "rumeno"}},
        {QStringLiteral("croato"), {"hr", "hrv", "croatian", "hrvatski", "croato"}}};
    // "en-US", "it_IT": the language without its country.
    QString chiave = chiaveTitolo(lingua);
    if (const qsizetype taglio = chiave.indexOf(QRegularExpression(QStringLiteral("[-_ ]"))); taglio > 0)
        chiave.truncate(taglio);
    for (const auto& [nome, forme] : lingue)
        if (forme.contains(chiave))
            return nome;
    return {};
}

Proposta proposta(CampoDocumento campo, const QString& etichetta, const QString& valore,
                  const QString& origine, const QString& attuale) {
    Proposta p;
    p.campo = campo;
    p.etichetta = etichetta;
    p.valore = valore;
    p.origine = origine;
    p.attuale = attuale;
    p.uguale = !valore.isEmpty() && valore == attuale;
    p.spuntata = attuale.isEmpty() && !valore.isEmpty();
    return p;
}

} // namespace

QString ElenchiCattura::titoloRivista(const QString& CPer) const {
    for (const auto& [codice, titolo] : riviste)
        if (codice == CPer)
            return titolo;
    return {};
}

ElenchiCattura CaricaElenchiCattura(AppState& state) {
    ElenchiCattura e;
    RecordSet rs = state.Connessione.ApriRS(
        QStringLiteral("select IDRivistaOnline, Titolo from tabRivisteOnline order by IDRivistaOnline"));
    for (; !rs.eof(); rs.moveNext())
        e.riviste.append({rs.field(0).toString(), rs.field(1).toString()});
    rs = state.Connessione.ApriRS(QStringLiteral("select idLingua, Lingua from tabLingua order by idLingua"));
    for (; !rs.eof(); rs.moveNext())
        e.lingue.append({rs.field(0).toString(), rs.field(1).toString()});
    for (const VoceIni& v : LeggiSezioneIni(state.home.settingsPath(), kSezioneIssn))
        if (const QString issn = IssnNormale(v.chiave); !issn.isEmpty())
            e.issn.insert(issn, v.valore.trimmed());
    return e;
}

const Proposta* ProposteCattura::proposta(CampoDocumento campo) const {
    for (const Proposta& p : proposte)
        if (p.campo == campo)
            return &p;
    return nullptr;
}

QString PagineDocumento(const QString& prima, const QString& ultima, const QString& CPer) {
    if (prima.isEmpty())
        return {};
    if (RivistaConNumeroPagine(CPer)) {
        bool daNumero = false, aNumero = false;
        const qint64 da = prima.toLongLong(&daNumero);
        const qint64 a = ultima.isEmpty() ? da : ultima.toLongLong(&aNumero);
        if (daNumero && (ultima.isEmpty() || aNumero) && a >= da)
            return QString::number(a - da + 1);
        return {};
    }
    return ultima.isEmpty() ? prima : prima + u'-' + ultima;
}

QString CodiceLingua(const QString& lingua, const QList<std::pair<QString, QString>>& lingue) {
    const QString nome = nomeItaliano(lingua);
    if (nome.isEmpty())
        return {};
    for (const auto& [codice, descrizione] : lingue)
        if (chiaveTitolo(descrizione) == nome)
            return codice;
    return {};
}

QString TestoDataDocumento(const DataCatturata& d) {
    if (d.vuota())
        return {};
    const QString anno = QStringLiteral("%1").arg(d.anno, 4, 10, QLatin1Char('0'));
    if (d.mese == 0)
        return anno + QStringLiteral("-00");
    return QStringLiteral("%1-%2-%3")
        .arg(anno)
        .arg(d.mese, 2, 10, QLatin1Char('0'))
        .arg(d.giorno, 2, 10, QLatin1Char('0'));
}

ProposteCattura Proponi(const MetadatiArticolo& m, const CampiDocumento& attuali,
                        const ElenchiCattura& elenchi) {
    ProposteCattura p;
    const auto da = [&](CampoMetadati c) { return m.origine.value(c); };
    CampiDocumento& v = p.valori;

    v.Titolo = m.titolo;
    p.proposte << proposta(CampoDocumento::Titolo, QStringLiteral("Titolo"), v.Titolo,
                           da(CampoMetadati::Titolo), attuali.Titolo.trimmed());

    p.autori = voci(m.autori, true);
    p.proposte << proposta(CampoDocumento::Autori, QStringLiteral("Autori"), persone(p.autori),
                           da(CampoMetadati::Autori), persone(attive(attuali.Responsabilita, true)));
    p.proposte.back().uguale =
        !p.autori.isEmpty() && stessePersone(p.autori, attive(attuali.Responsabilita, true));
    p.curatori = voci(m.curatori, false);
    if (!p.curatori.isEmpty()) {
        Proposta c = proposta(CampoDocumento::Curatori, QStringLiteral("Curatori"), persone(p.curatori),
                              da(CampoMetadati::Curatori), persone(attive(attuali.Responsabilita, false)));
        // The editors a record names are the journal's, as a rule, not the article's.
        c.spuntata = false;
        c.uguale = stessePersone(p.curatori, attive(attuali.Responsabilita, false));
        c.nota =
            QStringLiteral("Curatori secondo il record, non autori: spuntare solo se sono i curatori dello "
                           "scritto.");
        p.proposte << c;
    }

    // The journal: by ISSN, then by title; none matched is said.
    p.issn = m.issn;
    QString come;
    for (const QString& issn : m.issn) {
        const QString codice = elenchi.issn.value(issn);
        if (!codice.isEmpty() && !elenchi.titoloRivista(codice).isEmpty()) {
            p.CPer = codice;
            come = QStringLiteral("per ISSN %1").arg(issn);
            break;
        }
    }
    if (p.CPer.isEmpty() && !m.rivista.isEmpty()) {
        const QString chiave = chiaveTitolo(m.rivista);
        for (const auto& [codice, titolo] : elenchi.riviste)
            if (chiaveTitolo(titolo) == chiave) {
                p.CPer = codice;
                come = QStringLiteral("per titolo");
                break;
            }
    }
    if (!m.rivista.isEmpty() || !m.issn.isEmpty()) {
        const QString letta =
            m.issn.isEmpty() ? m.rivista
            : m.rivista.isEmpty()
                ? QStringLiteral("ISSN %1").arg(m.issn.join(QStringLiteral(", ")))
                : QStringLiteral("%1 (ISSN %2)").arg(m.rivista, m.issn.join(QStringLiteral(", ")));
        const QString attuale =
            attuali.CPer.isEmpty() ? QString() : attuali.CPer + QStringLiteral(" - ") + attuali.TitoloRivista;
        v.CPer = p.CPer;
        v.TitoloRivista = elenchi.titoloRivista(p.CPer);
        Proposta r =
            proposta(CampoDocumento::Rivista, QStringLiteral("Rivista"),
                     p.CPer.isEmpty() ? letta : p.CPer + QStringLiteral(" - ") + v.TitoloRivista,
                     da(m.rivista.isEmpty() ? CampoMetadati::Issn : CampoMetadati::Rivista), attuale);
        if (p.CPer.isEmpty()) {
            r.applicabile = false;
            r.spuntata = false;
            r.nota = QStringLiteral(
                "Nessuna rivista di tabRivisteOnline ha questo ISSN o questo titolo: sceglierla "
                "nell'elenco se è tra quelle del centro, altrimenti lasciare la rivista del "
                "documento.");
        } else {
            r.uguale = p.CPer == attuali.CPer;
            r.nota = QStringLiteral("Letta: %1; trovata in tabRivisteOnline %2.").arg(letta, come);
        }
        p.proposte << r;
    }

    v.Data = TestoDataDocumento(m.data);
    Proposta data = proposta(CampoDocumento::Data, QStringLiteral("Data"), dataLeggibile(v.Data),
                             da(CampoMetadati::Data), dataLeggibile(attuali.Data));
    p.proposte << data;

    v.Fascicolo = m.fascicolo;
    p.proposte << proposta(CampoDocumento::Fascicolo, QStringLiteral("Fascicolo"), v.Fascicolo,
                           da(CampoMetadati::Fascicolo), attuali.Fascicolo.trimmed());
    v.Volume = m.volume;
    p.proposte << proposta(CampoDocumento::Volume, QStringLiteral("Volume"), v.Volume,
                           da(CampoMetadati::Volume), attuali.Volume.trimmed());
    // The volume's year where the source gives it, else the year of publication.
    if (m.annoVolume > 0) {
        v.Annata = QString::number(m.annoVolume);
        p.proposte << proposta(CampoDocumento::Annata, QStringLiteral("Annata"), v.Annata,
                               da(CampoMetadati::AnnoVolume), attuali.Annata.trimmed());
    } else if (!m.data.vuota()) {
        v.Annata = QString::number(m.data.anno);
        p.proposte << proposta(CampoDocumento::Annata, QStringLiteral("Annata"), v.Annata,
                               QStringLiteral("anno di pubblicazione: %1").arg(da(CampoMetadati::Data)),
                               attuali.Annata.trimmed());
    }

    p.primaPagina = m.primaPagina;
    p.ultimaPagina = m.ultimaPagina;
    const QString rivistaPagine = p.CPer.isEmpty() ? attuali.CPer : p.CPer;
    v.Pagine = PagineDocumento(m.primaPagina, m.ultimaPagina, rivistaPagine);
    if (!m.primaPagina.isEmpty()) {
        QString origine = da(CampoMetadati::PrimaPagina);
        if (const QString ultima = da(CampoMetadati::UltimaPagina); !ultima.isEmpty() && ultima != origine)
            origine += QStringLiteral(", ") + ultima;
        Proposta pagine = proposta(CampoDocumento::Pagine, QStringLiteral("Pagine"), v.Pagine, origine,
                                   attuali.Pagine.trimmed());
        if (v.Pagine.isEmpty()) {
            pagine.applicabile = false;
            pagine.valore = m.ultimaPagina.isEmpty() ? m.primaPagina : m.primaPagina + u'-' + m.ultimaPagina;
            pagine.nota =
                QStringLiteral("La rivista %1 indica il numero delle pagine, che da \"%2\" non si ricava.")
                    .arg(rivistaPagine, pagine.valore);
        } else if (RivistaConNumeroPagine(rivistaPagine)) {
            pagine.nota =
                QStringLiteral("Numero delle pagine: la rivista %1 lo indica al posto dell'intervallo.")
                    .arg(rivistaPagine);
        }
        p.proposte << pagine;
    }

    v.DocURL = m.url;
    p.proposte << proposta(CampoDocumento::Url, QStringLiteral("URL"), v.DocURL, da(CampoMetadati::Url),
                           attuali.DocURL.trimmed());

    // The archive keeps a text on one line: the paragraphs are joined by a blank.
    const QString abstract = m.abstract.join(u' ');
    const QString codice = CodiceLingua(m.lingua, elenchi.lingue);
    p.tipoAbstract = nomeItaliano(m.lingua) == u"inglese" ? QStringLiteral("8") : QStringLiteral("1");
    if (!abstract.isEmpty()) {
        v.Testi.insert(p.tipoAbstract, abstract);
        p.proposte << proposta(CampoDocumento::Abstract, QStringLiteral("Abstract"), abstract,
                               da(CampoMetadati::Abstract), attuali.Testi.value(p.tipoAbstract).trimmed());
    }

    if (!m.lingua.isEmpty()) {
        v.LIN = codice;
        const auto descrizione = [&](const QString& c) {
            for (const auto& [cod, nome] : elenchi.lingue)
                if (cod == c)
                    return cod + QStringLiteral(" - ") + nome;
            return c;
        };
        Proposta l = proposta(CampoDocumento::Lingua, QStringLiteral("Lingua"),
                              codice.isEmpty() ? m.lingua : descrizione(codice), da(CampoMetadati::Lingua),
                              attuali.LIN.isEmpty() ? QString() : descrizione(attuali.LIN));
        if (codice.isEmpty()) {
            l.applicabile = false;
            l.spuntata = false;
            l.nota = QStringLiteral("\"%1\" non corrisponde a nessuna lingua di tabLingua.").arg(m.lingua);
        }
        p.proposte << l;
    }
    for (Proposta& x : p.proposte)
        if (x.uguale || !x.applicabile)
            x.spuntata = false;
    return p;
}

CampiDocumento Applica(const ProposteCattura& p, const QList<CampoDocumento>& spuntate, const QString& CPer,
                       const QString& tipoAbstract, const CampiDocumento& attuali,
                       const ElenchiCattura& elenchi) {
    CampiDocumento r = attuali;
    const CampiDocumento& v = p.valori;
    const auto sostituisci = [&](bool autori, const QList<VoceResponsabilita>& nuove) {
        for (VoceResponsabilita& x : r.Responsabilita)
            if (x.FlagAutore == autori)
                x.Cancellata = true;
        r.Responsabilita << nuove;
    };
    for (CampoDocumento c : spuntate) {
        switch (c) {
        case CampoDocumento::Titolo:
            r.Titolo = v.Titolo;
            break;
        case CampoDocumento::Autori:
            sostituisci(true, p.autori);
            break;
        case CampoDocumento::Curatori:
            sostituisci(false, p.curatori);
            break;
        case CampoDocumento::Rivista:
            if (!CPer.isEmpty()) {
                r.CPer = CPer;
                r.TitoloRivista = elenchi.titoloRivista(CPer);
            }
            break;
        case CampoDocumento::Data:
            r.Data = v.Data;
            break;
        case CampoDocumento::Fascicolo:
            r.Fascicolo = v.Fascicolo;
            break;
        case CampoDocumento::Volume:
            r.Volume = v.Volume;
            break;
        case CampoDocumento::Annata:
            r.Annata = v.Annata;
            break;
        case CampoDocumento::Pagine:
            // Written for the journal the document will have.
            if (const QString pagine = PagineDocumento(
                    p.primaPagina, p.ultimaPagina,
                    spuntate.contains(CampoDocumento::Rivista) && !CPer.isEmpty() ? CPer : r.CPer);
                !pagine.isEmpty())
                r.Pagine = pagine;
            break;
        case CampoDocumento::Url:
            r.DocURL = v.DocURL;
            break;
        case CampoDocumento::Abstract:
            r.Testi[tipoAbstract] = v.Testi.value(p.tipoAbstract);
            break;
        case CampoDocumento::Lingua:
            if (!v.LIN.isEmpty())
                r.LIN = v.LIN;
            break;
        }
    }
    return r;
}

bool RicordaIssn(const HomeFolder& home, const QStringList& issn, const QString& CPer, QString* errore) {
    QList<VoceIni> voci = LeggiSezioneIni(home.settingsPath(), kSezioneIssn);
    bool cambiate = false;
    for (const QString& i : issn) {
        const auto it = std::find_if(voci.begin(), voci.end(),
                                     [&](const VoceIni& v) { return IssnNormale(v.chiave) == i; });
        if (it == voci.end())
            voci.append({i, CPer});
        else if (it->valore != CPer)
            it->valore = CPer;
        else
            continue;
        cambiate = true;
    }
    if (!cambiate)
        return true;
    return ScriviSezioneIni(
        home.settingsPath(), kSezioneIssn,
        {QStringLiteral("ISSN=codice della rivista in tabRivisteOnline: la cattura da indirizzo o "
                        "DOI riconosce così le riviste del centro")},
        voci, errore);
}
