#include "citations/ProposteFonti.h"

#include "sources/CatalogoNorme.h"
#include "sources/Componi.h"
#include "sources/ComponiAltre.h"
#include "sources/ElenchiFonti.h"
#include "store/DocumentBuffer.h"
#include "store/cConnessione.h"
#include "store/mdlGlobale.h"
#include "sources/DialogsComposizione.h"

namespace {

QString regione(const QString& codice) {
    for (const QString& r : RegioniItaliane())
        if (r.startsWith(codice + QStringLiteral(" - ")))
            return r;
    return {};
}

QString assente(const QString& nome) {
    return QStringLiteral("\"%1\" non è fra i nomi delle fonti dell'archivio").arg(nome);
}

// The page of the domestic dialog: its position in the list, or false with the reason.
bool scegli(const QStringList& elenco, const QString& nome, PropostaFonte& p) {
    const qsizetype k = elenco.indexOf(nome);
    if (k < 0) {
        p.problema = assente(nome);
        return false;
    }
    p.valori.tipo = static_cast<int>(k) + 1;
    p.valori.voceTipo = nome;
    return true;
}

// The Cassazione section with its matter, where the archive has it ("sez. III civ.").
QString sezione(const Citazione& c, const ElenchiProposte& e) {
    const QString conMateria = c.sezione + u' ' + c.materia;
    return !c.materia.isEmpty() && !c.sezione.isEmpty() && e.sezioni.contains(conMateria) ? conMateria
                                                                                          : c.sezione;
}

// Fills the dialog page the operator would have filled for the citation.
bool riempi(const Citazione& c, const ElenchiProposte& e, PropostaFonte& p) {
    PaginaFonte& v = p.valori;
    v.txtArt = c.articolo;
    v.ripa = c.suffisso;
    v.txtComma = c.comma;
    v.ripc = c.suffissoComma;
    v.txtLett = c.lettera;
    v.txtNumP = c.numeroPunto;
    if (c.giorno > 0 && c.mese > 0) {
        v.txtGG = QString::number(c.giorno);
        QString mese = QString::number(c.mese);
        v.mese = MeseNome(mese);
    }
    if (c.anno > 0)
        v.txtAA = QString::number(c.anno);
    v.txtN = c.numero;
    v.province = e.province;
    const QString& tp = c.TP;
    const auto normativa = [&](int tipo, const char* liv2) {
        p.pagina = PaginaNormativa;
        v.tipo = tipo;
        v.voceTipo = TipiNormativa().at(tipo - 1);
        v.atto = c.nome;
        if (liv2 && !e.normativa.value(QLatin1String(liv2)).contains(c.nome)) {
            p.problema = assente(c.nome);
            return false;
        }
        return true;
    };
    const auto giurisprudenza = [&](int tipo, const char* liv2) {
        p.pagina = PaginaGiurisprudenza;
        v.tipo = tipo;
        v.voceTipo = TipiGiurisprudenza().at(tipo - 1);
        v.atto = c.nome;
        v.chkOrd = c.ordinanza;
        v.chkDecr = c.decreto;
        v.txtInfo2 = sezione(c, e);
        if (liv2 && !e.giurisprudenza.value(QLatin1String(liv2)).contains(c.nome)) {
            p.problema = assente(c.nome);
            return false;
        }
        return true;
    };
    const auto altra = [&](int pagina, int tipo, const QStringList* elenco) {
        p.altreFonti = true;
        p.pagina = pagina;
        v.tipo = tipo;
        v.voceTipo = FamiglieAltreFonti(pagina).value(tipo - 1);
        v.atto = c.nome;
        if (!c.suffisso.isEmpty() && !SuffissiAltreFonti().contains(c.suffisso)) {
            p.problema = QStringLiteral("il suffisso \"%1\" non è fra quelli del dialogo").arg(c.suffisso);
            return false;
        }
        if (elenco && !elenco->contains(c.nome)) {
            p.problema = assente(c.nome);
            return false;
        }
        return true;
    };

    if (tp == u"LIC") {
        const bool costituzione = e.costituzione.contains(c.nome);
        p.pagina = costituzione ? PaginaCostituzione : PaginaCodificazioni;
        return scegli(costituzione ? e.costituzione : e.codici, c.nome, p);
    }
    if (tp == u"LICO")
        return normativa(1, nullptr);
    if (tp == u"LIO")
        return normativa(2, "1");
    if (tp == u"LIP") {
        v.txtInfo1 = c.provincia;
        return normativa(3, "2");
    }
    if (tp == u"LIR") {
        v.regione = regione(c.regione);
        return normativa(4, "3");
    }
    if (tp == u"LIOA")
        return normativa(7, "6");
    if (tp == u"GICO")
        return giurisprudenza(1, nullptr);
    if (tp == u"GICA")
        return giurisprudenza(3, nullptr);
    if (tp == u"GIO") {
        v.txtInfo1 = c.citta;
        return giurisprudenza(4, "3");
    }
    if (tp == u"GICC") {
        v.regione = regione(c.regione);
        return giurisprudenza(6, nullptr);
    }
    if (tp == u"GIA") {
        v.regione = regione(c.regione);
        v.txtInfo1 = c.citta;
        return giurisprudenza(7, "6");
    }
    if (tp == u"NIC") {
        const QStringList trattati = e.comunitarie.value(1);
        const QStringList derivato = e.comunitarie.value(2);
        return trattati.contains(c.nome) ? altra(PaginaComunitaria, 1, &trattati)
                                         : altra(PaginaComunitaria, 2, &derivato);
    }
    if (tp == u"GEC") {
        const QStringList corti = e.comunitarie.value(3);
        v.txtInfo2 = c.sezione;
        v.chkOrd = c.ordinanza;
        return altra(PaginaComunitaria, 4, &corti);
    }
    if (tp == u"NIT") {
        if (!altra(PaginaInternazionale, 1, nullptr))
            return false;
        v.atto.clear();
        v.txtLibero = e.trattati.value(c.nome);
        if (v.txtLibero.isEmpty()) {
            p.problema = QStringLiteral("\"%1\" non è fra i trattati dell'archivio").arg(c.nome);
            return false;
        }
        return true;
    }
    if (tp == u"GEI") {
        v.txtInfo2 = c.sezione;
        v.txtLibero = c.parti;
        return altra(PaginaInternazionale, 3, &e.internazionali);
    }
    p.problema = QStringLiteral("famiglia %1 non prevista").arg(tp);
    return false;
}

// Composes the page as the dialog would, on a scratch list.
bool componi(PropostaFonte& p, cConnessione& archivio) {
    DocumentBuffer prova;
    DialogsComposizione dialogs;
    const bool fatto = p.altreFonti ? ImmettiFonteAltra(p.pagina, p.valori, prova, archivio, dialogs)
                                    : ImmettiFonteInterna(p.pagina, p.valori, prova, dialogs);
    if (!fatto) {
        p.problema = dialogs.avviso.isEmpty() ? QStringLiteral("la fonte non si compone") : dialogs.avviso;
        return false;
    }
    p.voce = prova.ElencoFonti.last();
    p.problema.clear();
    return true;
}

QString iso(int anno, int mese, int giorno) {
    return QStringLiteral("%1-%2-%3")
        .arg(anno, 4, 10, QLatin1Char('0'))
        .arg(mese, 2, 10, QLatin1Char('0'))
        .arg(giorno, 2, 10, QLatin1Char('0'));
}

void cercaNelCatalogo(PropostaFonte& p, cConnessione* catalogo, cConnessione& archivio) {
    const QString abbreviazione = AbbreviazioneNelCatalogo(p.voce.NomeFonte);
    if (abbreviazione.isEmpty() || (p.voce.TP != u"LIO" && p.voce.TP != u"LICO"))
        return;
    if (!catalogo || !catalogo->isOpen()) {
        p.catalogo = StatoCatalogo::NonDisponibile;
        return;
    }
    const Citazione& c = p.citazione;
    try {
        const QString data = p.voce.giorno.isEmpty() ? QString() : iso(c.anno, c.mese, c.giorno);
        if (!data.isEmpty() && !p.voce.numero.isEmpty()) {
            p.catalogo = AttoNelCatalogo(*catalogo, abbreviazione, data, p.voce.numero)
                             ? StatoCatalogo::NelCatalogo
                             : StatoCatalogo::NonNelCatalogo;
            return;
        }
        p.catalogo = StatoCatalogo::NonNelCatalogo;
        if (c.anno <= 0 || p.voce.numero.isEmpty())
            return;
        // Cited by number and year: the catalogue gives its day and month, which the checks need.
        const QStringList date = PromulgazioniNelCatalogo(*catalogo, abbreviazione, c.anno, p.voce.numero);
        if (date.size() != 1 || date.first().size() < 10)
            return;
        PropostaFonte completa = p;
        completa.valori.txtGG = QString::number(date.first().mid(8, 2).toInt());
        QString mese = date.first().mid(5, 2);
        completa.valori.mese = MeseNome(mese);
        if (!componi(completa, archivio))
            return;
        completa.catalogo = StatoCatalogo::NelCatalogo;
        completa.dataDalCatalogo = true;
        p = completa;
    } catch (const DbError&) {
        p.catalogo = StatoCatalogo::NonDisponibile;
    }
}

bool stessaFonte(const VoceFonte& a, const VoceFonte& b) {
    return a.TP == b.TP && a.testo.compare(b.testo, Qt::CaseInsensitive) == 0;
}

bool nelDocumento(const VoceFonte& v, const QList<VoceFonte>& fonti) {
    for (const VoceFonte& f : fonti)
        if (!f.Cancellata && stessaFonte(f, v))
            return true;
    return false;
}

} // namespace

QString PropostaFonte::testoMostrato() const {
    if (aggiungibile())
        return rigaFonte(voce);
    const Citazione& c = citazione;
    QStringList pezzi;
    if (!c.articolo.isEmpty())
        pezzi << QStringLiteral("art. ") + c.articolo +
                     (c.suffisso.isEmpty() ? QString() : u' ' + c.suffisso);
    if (!c.comma.isEmpty())
        pezzi << QStringLiteral("comma ") + c.comma +
                     (c.suffissoComma.isEmpty() ? QString() : u' ' + c.suffissoComma);
    if (!c.lettera.isEmpty())
        pezzi << QStringLiteral("lett. ") + c.lettera;
    pezzi << c.nome;
    QString testo = pezzi.join(u' ');
    if (!c.data().isEmpty()) {
        QString mese = QString::number(c.mese);
        testo += QStringLiteral(" %1 %2 %3").arg(c.giorno).arg(MeseNome(mese)).arg(c.anno);
    } else if (c.anno > 0) {
        testo += u' ' + QString::number(c.anno);
    }
    if (!c.numero.isEmpty())
        testo += QStringLiteral(", n. ") + c.numero;
    return testo;
}

QString PropostaFonte::etichettaCatalogo() const {
    switch (catalogo) {
    case StatoCatalogo::NelCatalogo:
        return QStringLiteral("nel catalogo");
    case StatoCatalogo::NonNelCatalogo:
        return QStringLiteral("non nel catalogo");
    case StatoCatalogo::NonDisponibile:
        return QStringLiteral("catalogo non disponibile");
    case StatoCatalogo::NonPertinente:
        break;
    }
    return {};
}

ElenchiProposte LeggiElenchiProposte(cConnessione& archivio) {
    ElenchiProposte e;
    e.costituzione = FontiInterne(archivio, QStringLiteral("0"));
    e.codici = FontiInterne(archivio, QStringLiteral("1"));
    for (const char* liv2 : {"1", "2", "3", "6"})
        e.normativa.insert(QLatin1String(liv2),
                           FontiInterne(archivio, QStringLiteral("2"), QLatin1String(liv2)));
    for (const char* liv2 : {"3", "6"})
        e.giurisprudenza.insert(QLatin1String(liv2),
                                FontiInterne(archivio, QStringLiteral("3"), QLatin1String(liv2)));
    for (int tipo = 1; tipo <= 3; ++tipo)
        e.comunitarie.insert(tipo, FontiComunitarie(archivio, tipo));
    e.internazionali = FontiInternazionali(archivio, 3);
    e.trattati = TrattatiPerSigla(archivio);
    e.sezioni = ElencoSezioni(archivio);
    e.province = ElencoProvince(archivio);
    return e;
}

void ProponiFonti(const QList<TestoDocumento>& testi, const QList<VoceFonte>& fontiDocumento,
                  const ElenchiProposte& elenchi, cConnessione& archivio, cConnessione* catalogo,
                  const std::function<bool(PropostaFonte&&)>& ricevi) {
    for (const TestoDocumento& t : testi) {
        for (const Citazione& c : RiconosciCitazioni(t.testo)) {
            PropostaFonte p;
            p.citazione = c;
            p.testo = t.nome;
            if (riempi(c, elenchi, p) && componi(p, archivio))
                cercaNelCatalogo(p, catalogo, archivio);
            p.giaPresente = p.aggiungibile() && nelDocumento(p.voce, fontiDocumento);
            if (!ricevi(std::move(p)))
                return;
        }
    }
}

QList<PropostaFonte> ProponiFonti(const QList<TestoDocumento>& testi, const QList<VoceFonte>& fontiDocumento,
                                  const ElenchiProposte& elenchi, cConnessione& archivio,
                                  cConnessione* catalogo, bool riunisci) {
    QList<PropostaFonte> out;
    // The same source cited again is one proposal: found by its key, not by a pass over those
    // made (a text citing thousands of sources would take the square of them).
    QHash<QString, qsizetype> viste;
    ProponiFonti(testi, fontiDocumento, elenchi, archivio, catalogo, [&](PropostaFonte&& p) {
        if (riunisci) {
            const QString chiave = p.aggiungibile()
                                       ? QStringLiteral("1|") + p.voce.TP + u'|' + p.voce.testo.toCaseFolded()
                                       : QStringLiteral("0|") + DescriviCitazione(p.citazione);
            const auto it = viste.constFind(chiave);
            if (it != viste.cend()) {
                ++out[*it].occorrenze;
                return true;
            }
            viste.insert(chiave, out.size());
        }
        out.append(std::move(p));
        return true;
    });
    return out;
}

int AggiungiProposte(const QList<PropostaFonte>& proposte, DocumentBuffer& buffer, cConnessione& archivio) {
    int aggiunte = 0;
    for (const PropostaFonte& p : proposte) {
        if (!p.aggiungibile() || nelDocumento(p.voce, buffer.ElencoFonti))
            continue;
        DialogsComposizione dialogs;
        buffer.IndiceFonte = -1;
        const bool fatto = p.altreFonti ? ImmettiFonteAltra(p.pagina, p.valori, buffer, archivio, dialogs)
                                        : ImmettiFonteInterna(p.pagina, p.valori, buffer, dialogs);
        if (fatto)
            ++aggiunte;
    }
    return aggiunte;
}
