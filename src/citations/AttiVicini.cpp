#include "citations/AttiVicini.h"

#include "sources/Componi.h"
#include "sources/DialogsComposizione.h"
#include "store/DocumentBuffer.h"
#include "store/cConnessione.h"

namespace {

// The promulgation date the citation gives: the whole day, or its year only (then the acts of the
// same kind and number are offered, those of that year first).
QString dataCitata(const Citazione& c) {
    if (c.anno <= 0)
        return {};
    if (c.giorno > 0 && c.mese > 0)
        return QStringLiteral("%1-%2-%3")
            .arg(c.anno, 4, 10, QLatin1Char('0'))
            .arg(c.mese, 2, 10, QLatin1Char('0'))
            .arg(c.giorno, 2, 10, QLatin1Char('0'));
    return QString::number(c.anno);
}

bool nelDocumento(const VoceFonte& v, const QList<VoceFonte>& fonti) {
    for (const VoceFonte& f : fonti)
        if (!f.Cancellata && f.TP == v.TP && f.testo.compare(v.testo, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

QString AttoVicino::etichetta() const {
    return proposta.voce.testo + QStringLiteral(" (") + ElementoCorretto(atto.elemento) + u')';
}

QList<AttoVicino> AttiViciniDi(const PropostaFonte& proposta, const QList<VoceFonte>& fontiDocumento,
                               cConnessione& catalogo) {
    QList<AttoVicino> out;
    if (proposta.catalogo != StatoCatalogo::NonNelCatalogo || !proposta.aggiungibile() || proposta.altreFonti)
        return out;
    const QString abbreviazione = AbbreviazioneNelCatalogo(proposta.voce.NomeFonte);
    const QString data = dataCitata(proposta.citazione);
    if (abbreviazione.isEmpty() || data.isEmpty() || proposta.voce.numero.isEmpty())
        return out;
    for (const AttoSimile& a : AttiSimili(catalogo, abbreviazione, data, proposta.voce.numero)) {
        AttoVicino v{a, proposta};
        PropostaFonte& p = v.proposta;
        if (!CopiaCatalogo(catalogo, a.id, p.valori))
            continue;
        // Composed on a scratch list, as the dialog would compose the page.
        DocumentBuffer prova;
        DialogsComposizione silenziosi;
        if (!ImmettiFonteInterna(p.pagina, p.valori, prova, silenziosi) || prova.ElencoFonti.isEmpty())
            continue;
        p.voce = prova.ElencoFonti.last();
        p.problema.clear();
        p.catalogo = StatoCatalogo::NelCatalogo;
        p.dataDalCatalogo = false;
        p.giaPresente = nelDocumento(p.voce, fontiDocumento);
        out.append(std::move(v));
    }
    return out;
}
