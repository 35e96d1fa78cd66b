#include "generator/GeneratoreTesti.h"

namespace {

const QStringList& temi() {
    static const QStringList l = listaTesti({"la responsabilità civile",
                                             "il contratto di appalto",
                                             "la tutela dei dati personali",
                                             "il licenziamento per giusta causa",
                                             "la successione ereditaria",
                                             "il processo amministrativo",
                                             "la concorrenza sleale",
                                             "il danno non patrimoniale",
                                             "la prescrizione del reato",
                                             "l'abuso del diritto",
                                             "la tutela del consumatore",
                                             "il diritto d'autore",
                                             "la crisi d'impresa",
                                             "il trust",
                                             "il controllo a distanza dei lavoratori",
                                             "l'azione di classe",
                                             "l'arbitrato rituale",
                                             "la mediazione civile",
                                             "il contratto preliminare",
                                             "la separazione dei coniugi",
                                             "l'affidamento condiviso",
                                             "la responsabilità medica",
                                             "gli appalti pubblici",
                                             "il procedimento disciplinare",
                                             "la firma elettronica",
                                             "l'intelligenza artificiale",
                                             "il whistleblowing",
                                             "la sostenibilità d'impresa",
                                             "il diritto all'oblio",
                                             "la custodia cautelare",
                                             "il principio di leale collaborazione",
                                             "l'autonomia differenziata",
                                             "il giudicato amministrativo",
                                             "la legittima difesa",
                                             "il mandato d'arresto europeo"});
    return l;
}

const QStringList& eventi() {
    static const QStringList l =
        listaTesti({"la riforma Cartabia", "il codice della crisi d'impresa", "le Sezioni Unite del 2021",
                    "il regolamento generale sulla protezione dei dati", "la legge n. 24 del 2017",
                    "il nuovo codice dei contratti pubblici",
                    "la sentenza n. 242 del 2019 della Corte costituzionale", "la direttiva (UE) 2019/1937"});
    return l;
}

const QStringList& topics() {
    static const QStringList l = listaTesti(
        {"civil liability", "public procurement", "data protection", "dismissal for just cause",
         "inheritance law", "administrative proceedings", "unfair competition", "medical malpractice",
         "consumer protection", "copyright", "insolvency", "artificial intelligence", "whistleblowing",
         "the right to be forgotten", "pre-trial detention", "regional autonomy"});
    return l;
}

// The pattern with %1, %2 and %3 replaced by the three texts (any of them may be absent).
QString riempi(QString pattern, const QString& a, const QString& b, const QString& c = {}) {
    pattern.replace(QStringLiteral("%1"), a);
    pattern.replace(QStringLiteral("%2"), b);
    pattern.replace(QStringLiteral("%3"), c);
    return pattern;
}

QString maiuscola(QString s) {
    if (!s.isEmpty())
        s[0] = s[0].toUpper();
    return s;
}

// Titles: one or two subjects (a head, what it concerns, sometimes a qualifier), in one of the
// forms legal titles take, often with a subtitle or the act or decision they discuss.
const QStringList& teste() {
    static const QStringList l = listaTesti({"la responsabilità",
                                             "il risarcimento del danno",
                                             "la tutela",
                                             "la nullità",
                                             "il recesso",
                                             "l'obbligo di informazione",
                                             "il diritto di accesso",
                                             "la disciplina",
                                             "il regime",
                                             "la prova",
                                             "la prescrizione",
                                             "la legittimazione",
                                             "il controllo giudiziale",
                                             "la clausola penale",
                                             "l'onere della prova",
                                             "il principio di proporzionalità",
                                             "la buona fede",
                                             "la sospensione",
                                             "la revoca",
                                             "la competenza",
                                             "il danno non patrimoniale",
                                             "la decadenza",
                                             "il contraddittorio",
                                             "la motivazione",
                                             "l'interesse legittimo",
                                             "la riserva di legge",
                                             "il sindacato",
                                             "la trasparenza",
                                             "la vigilanza",
                                             "la sanzione",
                                             "la confisca",
                                             "il concorso",
                                             "la delega",
                                             "l'autonomia",
                                             "la cessione",
                                             "la garanzia",
                                             "il trasferimento",
                                             "la risoluzione",
                                             "l'inadempimento",
                                             "il licenziamento",
                                             "la successione",
                                             "l'affidamento",
                                             "il giudicato",
                                             "la mediazione",
                                             "l'arbitrato",
                                             "la concorrenza",
                                             "il conflitto di interessi",
                                             "la tutela cautelare",
                                             "l'azione di classe",
                                             "il trattamento dei dati"});
    return l;
}

const QStringList& oggetti() {
    static const QStringList l = listaTesti({"del datore di lavoro",
                                             "del consumatore",
                                             "della pubblica amministrazione",
                                             "nei contratti pubblici",
                                             "del medico",
                                             "degli amministratori di società",
                                             "in materia ambientale",
                                             "del minore",
                                             "nel processo civile",
                                             "nel processo penale",
                                             "nel processo amministrativo",
                                             "in materia tributaria",
                                             "del professionista",
                                             "dell'ente locale",
                                             "nelle società quotate",
                                             "del lavoratore somministrato",
                                             "nei rapporti di famiglia",
                                             "del socio",
                                             "dell'appaltatore",
                                             "del vettore",
                                             "nel diritto dell'Unione europea",
                                             "del terzo",
                                             "dell'imputato",
                                             "della vittima",
                                             "nelle procedure concorsuali",
                                             "del curatore",
                                             "dell'intermediario finanziario",
                                             "del titolare del trattamento",
                                             "delle piattaforme digitali",
                                             "dell'assicuratore",
                                             "nel condominio",
                                             "del conduttore",
                                             "del mandatario",
                                             "della banca",
                                             "dell'erede",
                                             "del coniuge",
                                             "delle autorità indipendenti",
                                             "del giudice",
                                             "delle regioni",
                                             "nel pubblico impiego",
                                             "nello sport",
                                             "nel settore sanitario",
                                             "nell'impresa familiare",
                                             "del fideiussore",
                                             "nel trust",
                                             "degli enti ecclesiastici",
                                             "nelle fondazioni",
                                             "dei dati sanitari",
                                             "degli algoritmi",
                                             "nel lavoro agile",
                                             "nel commercio elettronico",
                                             "nel diritto d'autore",
                                             "del produttore",
                                             "nella crisi d'impresa",
                                             "nei contratti di locazione",
                                             "nel diritto internazionale privato",
                                             "dello straniero",
                                             "del richiedente asilo",
                                             "del detenuto",
                                             "degli enti del terzo settore"});
    return l;
}

const QStringList& qualificazioni() {
    static const QStringList l = listaTesti(
        {"alla luce della riforma", "nell'ordinamento italiano", "in prospettiva comparata",
         "dopo la pandemia", "nell'era digitale", "tra legge e contratto", "oltre il dato testuale",
         "nella prassi applicativa", "secondo la Corte di giustizia", "nel dialogo tra le Corti",
         "tra diritto interno e diritto europeo", "dopo l'intervento delle Sezioni Unite",
         "nella giurisprudenza più recente", "tra vecchie e nuove questioni", "nel sistema delle fonti",
         "in una prospettiva costituzionale", "e i suoi limiti", "nella legislazione di settore"});
    return l;
}

const QStringList& sottotitoli() {
    static const QStringList l = listaTesti({"profili problematici",
                                             "una rilettura",
                                             "questioni aperte",
                                             "prime riflessioni",
                                             "luci e ombre",
                                             "un bilancio",
                                             "spunti ricostruttivi",
                                             "tra tradizione e innovazione",
                                             "profili comparatistici",
                                             "note a margine di una recente pronuncia",
                                             "il punto della giurisprudenza",
                                             "le novità della riforma",
                                             "problemi e prospettive",
                                             "un'analisi critica",
                                             "dalla teoria alla prassi",
                                             "alla ricerca di un equilibrio",
                                             "un cambio di paradigma",
                                             "osservazioni critiche",
                                             "un'occasione mancata",
                                             "verso un nuovo statuto",
                                             "ragioni di una scelta",
                                             "i nodi irrisolti",
                                             "prime applicazioni",
                                             "una proposta interpretativa"});
    return l;
}

const QStringList& sezioniTitolo() {
    static const QStringList l = listaTesti(
        {"sez. un.", "sez. I", "sez. II", "sez. III", "sez. V", "sez. VI", "sez. lav.", "sez. trib."});
    return l;
}

// A preposition before a phrase that opens with its article, joined as Italian joins them:
// "su" + "la tutela" -> "sulla tutela", "di" + "l'arbitrato" -> "dell'arbitrato".
QString articolata(const QString& preposizione, const QString& sintagma) {
    static const std::pair<const char16_t*, const char16_t*> kArticoli[] = {
        {u"il ", u"l "}, {u"lo ", u"llo "},  {u"la ", u"lla "}, {u"l'", u"ll'"},
        {u"i ", u"i "},  {u"gli ", u"gli "}, {u"le ", u"lle "}};
    const QString radice = preposizione == u"di" ? QStringLiteral("de") : preposizione;
    for (const auto& [articolo, unito] : kArticoli)
        if (sintagma.startsWith(QStringView(articolo)))
            return radice + QString::fromUtf16(unito) + sintagma.mid(QStringView(articolo).size());
    return preposizione + u' ' + sintagma;
}

QString senzaArticolo(const QString& sintagma) {
    if (sintagma.startsWith(QStringLiteral("l'")))
        return sintagma.mid(2);
    static const QStringList articoli = listaTesti({"il", "lo", "la", "i", "gli", "le"});
    return articoli.contains(sintagma.section(u' ', 0, 0)) ? sintagma.section(u' ', 1) : sintagma;
}

QString soggetto(Casuale& r) {
    QString s = r.scegli(teste()) + u' ' + r.scegli(oggetti());
    if (r.su1000(400))
        s += u' ' + r.scegli(qualificazioni());
    return s;
}

QString dataTitolo(Casuale& r, int da, int a) {
    static const QStringList mesi =
        listaTesti({"gennaio", "febbraio", "marzo", "aprile", "maggio", "giugno", "luglio", "agosto",
                    "settembre", "ottobre", "novembre", "dicembre"});
    return QStringLiteral("%1 %2 %3").arg(r.tra(1, 28)).arg(r.scegli(mesi)).arg(r.tra(da, a));
}

// The decision a note comments on.
QString decisioneTitolo(Casuale& r) {
    switch (r.tra(0, 4)) {
    case 0:
        return QStringLiteral("C. Cost. %1, n. %2").arg(dataTitolo(r, 2005, 2025)).arg(r.tra(1, 320));
    case 1:
        return QStringLiteral("Cons. St., sez. %1, %2, n. %3")
            .arg(r.scegli(listaTesti({"III", "IV", "V", "VI"})), dataTitolo(r, 2005, 2025))
            .arg(r.tra(1, 9999));
    case 2:
        return QStringLiteral("C. giust. UE %1, C-%2/%3")
            .arg(dataTitolo(r, 2010, 2025))
            .arg(r.tra(1, 999))
            .arg(r.tra(10, 24));
    default:
        return QStringLiteral("Cass., %1, %2, n. %3")
            .arg(r.scegli(sezioniTitolo()), dataTitolo(r, 2005, 2025))
            .arg(r.tra(1, 39999));
    }
}

// The act or event a title places its subject after.
QString evento(Casuale& r) {
    if (r.su1000(100))
        return r.scegli(eventi());
    switch (r.tra(0, 2)) {
    case 0:
        return QStringLiteral("la l. n. %1 del %2").arg(r.tra(1, 300)).arg(r.tra(1990, 2025));
    case 1:
        return QStringLiteral("il d.lgs. n. %1 del %2").arg(r.tra(1, 300)).arg(r.tra(1993, 2025));
    default:
        return QStringLiteral("la sentenza n. %1 del %2 della Corte costituzionale")
            .arg(r.tra(1, 320))
            .arg(r.tra(2000, 2025));
    }
}

const QStringList& cognomi() {
    static const QStringList l = listaTesti(
        {"Rossi",      "Russo",   "Ferrari",    "Esposito",   "Bianchi",    "Romano",     "Colombo",
         "Ricci",      "Marino",  "Greco",      "Bruno",      "Gallo",      "Conti",      "De Luca",
         "Mancini",    "Costa",   "Giordano",   "Rizzo",      "Lombardi",   "Moretti",    "Barbieri",
         "Fontana",    "Santoro", "Mariani",    "Rinaldi",    "Caruso",     "Ferrara",    "Galli",
         "Martini",    "Leone",   "Longo",      "Gentile",    "Martinelli", "Vitale",     "Lombardo",
         "Serra",      "Coppola", "De Santis",  "D'Angelo",   "Marchetti",  "Parisi",     "Villa",
         "Conte",      "Ferraro", "Ferri",      "Fabbri",     "Bianco",     "Marini",     "Grasso",
         "Valentini",  "Messina", "Sala",       "De Angelis", "Gatti",      "Pellegrini", "Palumbo",
         "Sanna",      "Farina",  "Rizzi",      "Monti",      "Cattaneo",   "Morelli",    "Amato",
         "Silvestri",  "Mazza",   "Testa",      "Grassi",     "Pellegrino", "Carbone",    "Giuliani",
         "Benedetti",  "Barone",  "Rossetti",   "Caputo",     "Montanari",  "Guerra",     "Palmieri",
         "Bernardi",   "Martino", "Fiore",      "De Rosa",    "Ferretti",   "Bellini",    "Basile",
         "Riva",       "Donati",  "Piras",      "Vitali",     "Battaglia",  "Sartori",    "Neri",
         "Costantini", "Milani",  "Pagano",     "Ruggiero",   "Sorrentino", "D'Amico",    "Orlando",
         "Damico",     "Negri",   "Dell'Acqua", "Lo Russo",   "Dall'Olio",  "Sant'Elia"});
    return l;
}

const QStringList& nomi() {
    static const QStringList l = listaTesti(
        {"Marco",      "Giulia",   "Luca",     "Francesca",  "Andrea",    "Chiara",     "Alessandro",
         "Sara",       "Matteo",   "Elena",    "Giuseppe",   "Valentina", "Francesco",  "Martina",
         "Lorenzo",    "Federica", "Davide",   "Silvia",     "Stefano",   "Paola",      "Roberto",
         "Laura",      "Paolo",    "Anna",     "Giovanni",   "Maria",     "Antonio",    "Elisa",
         "Simone",     "Ilaria",   "Riccardo", "Alessandra", "Fabio",     "Claudia",    "Massimo",
         "Roberta",    "Enrico",   "Monica",   "Nicola",     "Barbara",   "Pier Luigi", "Maria Rosaria",
         "Gian Paolo", "Niccolò"});
    return l;
}

} // namespace

QString RiassuntoGenerato(Casuale& r) {
    static const QStringList frasi =
        listaTesti({"Il contributo si sofferma su %1, con particolare riguardo a %2.",
                    "L'Autore esamina %1 alla luce di quanto disposto con %3.",
                    "Dopo aver ricostruito il quadro normativo, si analizzano gli orientamenti della "
                    "giurisprudenza su %1.",
                    "Si evidenziano le criticità ancora aperte, anche in relazione a %2.",
                    "Il saggio propone una lettura sistematica del tema (%1), tenendo conto de: %3.",
                    "Vengono poi esaminate le ricadute pratiche per gli operatori del diritto.",
                    "Si conclude con alcune considerazioni de iure condendo su %2.",
                    "La nota critica la soluzione accolta, ritenendo preferibile un'interpretazione "
                    "costituzionalmente orientata.",
                    "L'analisi muove dalla ratio dell'istituto e dai suoi rapporti con %2."});
    QStringList out;
    const int n = r.tra(3, 9);
    for (int i = 0; i < n; ++i)
        out << riempi(r.scegli(frasi), soggetto(r), soggetto(r), evento(r));
    return out.join(u' ');
}

QString SommarioGenerato(Casuale& r) {
    QStringList parti{QStringLiteral("1. Premessa.")};
    const int n = r.tra(3, 7);
    for (int i = 2; i < n; ++i)
        parti << QStringLiteral("%1. %2.").arg(i).arg(
            maiuscola(r.scegli(teste()) + u' ' + r.scegli(oggetti())));
    parti << QStringLiteral("%1. Conclusioni.").arg(n);
    return parti.join(QStringLiteral(" - "));
}

QString InTemaDiGenerato(Casuale& r) {
    return r.scegli(temi()) + QStringLiteral(" - ") + r.scegli(temi()) + QStringLiteral(" - ") +
           r.scegli(eventi());
}

QString AbstractGenerato(Casuale& r) {
    static const QStringList frasi =
        listaTesti({"The paper examines %1 in the light of recent case law.",
                    "The Author analyses the relationship between %1 and %2.",
                    "After outlining the legal framework, the essay discusses the main open issues.",
                    "The article concludes that a reform of %1 is needed.",
                    "Particular attention is paid to the impact of EU law on %2."});
    QStringList out;
    const int n = r.tra(3, 6);
    for (int i = 0; i < n; ++i)
        out << riempi(r.scegli(frasi), r.scegli(topics()), r.scegli(topics()));
    return out.join(u' ');
}

QString TraduzioneGenerata(Casuale& r) {
    return maiuscola(r.scegli(topics())) + QStringLiteral(": ") +
           r.scegli(
               listaTesti({"some remarks", "a critical review", "recent developments", "open questions"}));
}

VoceResponsabilita PersonaGenerata(qint64 k, bool autore) {
    VoceResponsabilita v;
    const qsizetype s = cognomi().size(), n = nomi().size();
    v.PrimoElemento = cognomi().at(k % s);
    // One person in a hundred is known by the surname alone.
    v.SecondoElemento = (k % 97 == 13) ? QString() : nomi().at((k / s + k * 7) % n);
    v.FlagAutore = autore;
    return v;
}

QString TitoloGenerato(Casuale& r) {
    // Every form carries a second subject, an act or a decision: a subject alone would repeat
    // among a few thousand articles.
    const QString s = soggetto(r);
    const auto dopo = [&r] { return QStringLiteral(" dopo ") + evento(r); };
    QString t;
    switch (r.tra(0, 10)) {
    case 0:
        t = maiuscola(s) + QStringLiteral(" e ") + soggetto(r);
        break;
    case 1:
        t = QStringLiteral("Note in tema ") + articolata(QStringLiteral("di"), s) + dopo();
        break;
    case 2:
        t = QStringLiteral("Riflessioni ") + articolata(QStringLiteral("su"), s) + QStringLiteral(" e ") +
            soggetto(r);
        break;
    case 3:
        t = QStringLiteral("Il punto ") + articolata(QStringLiteral("su"), s) + dopo();
        break;
    case 4:
        return QStringLiteral("Ancora ") + articolata(QStringLiteral("su"), s) + dopo() +
               QStringLiteral(": il c.d. \"") + senzaArticolo(r.scegli(temi())) + u'"';
    case 5:
        t = maiuscola(s) + dopo() + QStringLiteral(" nella giurisprudenza ") +
            r.scegli(
                listaTesti({"di legittimità", "costituzionale", "europea", "amministrativa", "di merito"}));
        break;
    case 6:
        t = maiuscola(s) + QStringLiteral(" tra ") + soggetto(r) + QStringLiteral(" e ") + evento(r);
        break;
    case 7:
        return QStringLiteral("«") + maiuscola(s) + QStringLiteral("»: ") + r.scegli(sottotitoli()) + dopo();
    case 8:
        t = maiuscola(s) + dopo();
        break;
    case 9:
        return QStringLiteral("Osservazioni a margine di ") + decisioneTitolo(r) +
               QStringLiteral(", in tema ") + articolata(QStringLiteral("di"), s);
    default:
        return maiuscola(s) + QStringLiteral(". Nota a ") + decisioneTitolo(r);
    }
    if (r.su1000(450))
        t += QStringLiteral(": ") + r.scegli(sottotitoli());
    return t;
}

QString TitoloRibattuto(Casuale& r, const QString& titolo) {
    const int t = r.tra(0, 99);
    if (t < 55 || titolo.size() < 12)
        return titolo;
    if (t < 80) {
        // Other case, other quotes, a full stop at the end: the same once these are set aside.
        QString s = titolo;
        s.replace(QStringLiteral("«"), QStringLiteral("\""))
            .replace(QStringLiteral("»"), QStringLiteral("\""));
        if (r.su1000(500))
            s = s.toUpper();
        else
            s += u'.';
        return s;
    }
    // A letter dropped or doubled past the first third.
    QString s = titolo;
    qsizetype i = r.tra(static_cast<int>(s.size() / 3), static_cast<int>(s.size()) - 2);
    while (i < s.size() - 1 && !s.at(i).isLetter())
        ++i;
    if (r.su1000(500))
        s.remove(i, 1);
    else
        s.insert(i, s.at(i));
    return s;
}

QString NotaCompilatoreGenerata(Casuale& r, const QStringList& sistematici) {
    return QStringLiteral("Si propone il nuovo descrittore \"%1\" per %2.")
        .arg(r.scegli(temi()), r.scegli(sistematici.isEmpty() ? temi() : sistematici));
}
