#include "sources/PaginaFonte.h"

const QStringList& SuffissiRipartizione() {
    static const QStringList s = {QStringLiteral("bis"),          QStringLiteral("ter"),
                                  QStringLiteral("quater"),       QStringLiteral("quinquies"),
                                  QStringLiteral("sexies"),       QStringLiteral("septies"),
                                  QStringLiteral("octies"),       QStringLiteral("novies"),
                                  QStringLiteral("decies"),       QStringLiteral("undecies"),
                                  QStringLiteral("duodecies"),    QStringLiteral("terdecies"),
                                  QStringLiteral("quaterdecies"), QStringLiteral("quinquiesdecies"),
                                  QStringLiteral("sexiesdecies"), QStringLiteral("septiesdecies"),
                                  QStringLiteral("octiesdecies"), QStringLiteral("vices"),
                                  QStringLiteral("vicessemel"),   QStringLiteral("vicesbis"),
                                  QStringLiteral("vicester")};
    return s;
}

QStringList SuffissiArticolo() {
    return SuffissiRipartizione();
}
QStringList SuffissiComma() {
    return SuffissiRipartizione().mid(0, 17);
}
QStringList SuffissiAltreFonti() {
    return SuffissiRipartizione().mid(0, 14);
}

const QStringList& RegioniItaliane() {
    static const QStringList r = {QStringLiteral("AB - Abruzzo"),
                                  QStringLiteral("BA - Basilicata"),
                                  QStringLiteral("CL - Calabria"),
                                  QStringLiteral("CM - Campania"),
                                  QStringLiteral("ER - Emilia Romagna"),
                                  QStringLiteral("FV - Friuli Venezia Giulia"),
                                  QStringLiteral("LA - Lazio"),
                                  QStringLiteral("LI - Liguria"),
                                  QStringLiteral("LO - Lombardia"),
                                  QStringLiteral("MA - Marche"),
                                  QStringLiteral("MO - Molise"),
                                  QStringLiteral("PI - Piemonte"),
                                  QStringLiteral("PU - Puglia"),
                                  QStringLiteral("SA - Sardegna"),
                                  QStringLiteral("SI - Sicilia"),
                                  QStringLiteral("TO - Toscana"),
                                  QStringLiteral("TA - Trentino Alto Adige"),
                                  QStringLiteral("UM - Umbria"),
                                  QStringLiteral("VA - Valle d'Aosta"),
                                  QStringLiteral("VE - Veneto")};
    return r;
}

const QStringList& ProvinceAutonome() {
    static const QStringList p = {QStringLiteral("BZ - Bolzano"), QStringLiteral("TN - Trento")};
    return p;
}

std::optional<QString> CodiceDaElenco(const QString& testo, const QStringList& righe) {
    const QString t = testo.trimmed();
    for (const QString& riga : righe) {
        const QString codice = riga.section(u' ', 0, 0);
        if (codice.isEmpty() || !t.startsWith(codice, Qt::CaseInsensitive))
            continue;
        if (t.size() == codice.size() || !t.at(codice.size()).isLetterOrNumber())
            return codice;
    }
    return std::nullopt;
}

const QStringList& TipiNormativa() {
    static const QStringList t = {QStringLiteral("Legge costituzionale"),
                                  QStringLiteral("Atti statali aventi forza di legge"),
                                  QStringLiteral("Leggi e statuti provinciali"),
                                  QStringLiteral("Leggi e statuti regionali"),
                                  QStringLiteral("Regolamento della Camera"),
                                  QStringLiteral("Regolamento del Senato"),
                                  QStringLiteral("Atti governativi e ministeriali"),
                                  QStringLiteral("Atti di altre amministrazioni statali e locali"),
                                  QStringLiteral("Regolamenti ed altri atti degli enti locali"),
                                  QStringLiteral("Atti delle autorità amministrative indipendenti"),
                                  QStringLiteral("Contratti collettivi")};
    return t;
}

const QStringList& TipiGiurisprudenza() {
    static const QStringList t = {
        QStringLiteral("Corte costituzionale"),
        QStringLiteral("Consiglio di giurisdizione della Camera dei Deputati"),
        QStringLiteral("Corte suprema di Cassazione"),
        QStringLiteral("Giurisprudenza ordinaria"),
        QStringLiteral("Giurisprudenza tributaria"),
        QStringLiteral("Corte dei Conti"),
        QStringLiteral("Giurisprudenza amministrativa"),
        QStringLiteral("Giurisprudenza speciale"),
        QStringLiteral("Forme di risoluzione delle controversie alternative alla giurisdizione"),
        QStringLiteral("Giurisprudenza sportiva")};
    return t;
}

const QStringList& TitoliAltreFonti() {
    static const QStringList t = {QStringLiteral("Diritto internazionale"),
                                  QStringLiteral("Diritto comunitario"), QStringLiteral("Diritto straniero"),
                                  QStringLiteral("Diritto canonico"), QStringLiteral("Fonti storiche")};
    return t;
}

const QStringList& FamiglieAltreFonti(int pagina) {
    static const QStringList famiglie[5] = {
        {QStringLiteral("Trattati, accordi, convenzioni internazionali (*NIT*)"),
         QStringLiteral("Atti di organi di organismi internazionali (*NIA*)"),
         QStringLiteral("Giurisprudenza internazionale (*GEI*)")},
        {QStringLiteral("Fonti normative (*NIC*) - Trattati"),
         QStringLiteral("Fonti normative (*NIC*) - Diritto derivato"),
         QStringLiteral("Fonti normative (*NIC*) - Convenzioni"),
         QStringLiteral("Fonti giurisprudenziali (*GEC*)")},
        {QStringLiteral("Fonti normative (*NS*)"), QStringLiteral("Fonti giurisprudenziali (*GS*)")},
        {QStringLiteral("Fonti normative (*FCC*)"), QStringLiteral("Altre fonti normative (*FCA*)"),
         QStringLiteral("Fonti giurisprudenziali (*FCG*)")},
        {QStringLiteral("Fonti romane (*FSR*)"), QStringLiteral("Fonti greche (*FSG*)"),
         QStringLiteral("Fonti bizantine (*FSB*)"), QStringLiteral("Fonti cuneiformi (*FSC*)"),
         QStringLiteral("Fonti ebraiche (*FSE*)"),
         QStringLiteral("Fonti di diritto intermedio o comune (*FSI*)"),
         QStringLiteral("Altre fonti (*FSA*)")}};
    static const QStringList none;
    return pagina >= 0 && pagina < 5 ? famiglie[pagina] : none;
}

QStringList SottotipiStorici(const QString& famiglia) {
    return {QStringLiteral("giuridiche (*%1G*)").arg(famiglia),
            QStringLiteral("papirologiche (*%1P*)").arg(famiglia),
            QStringLiteral("epigrafiche (*%1E*)").arg(famiglia),
            QStringLiteral("letterarie (*%1L*)").arg(famiglia)};
}
