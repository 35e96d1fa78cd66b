#include "checks/StampeHtml.h"

#include "checks/AggiornaInfo.h"
#include "checks/Uscite.h"
#include "sources/IdentificativiUfficiali.h"
#include "store/PosizioniPerChiave.h"
#include "store/TextOutput.h"
#include "store/mdlGlobale.h"

#include <QHash>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <optional>
#include <vector>

namespace {

bool cifra(QChar c) {
    return c >= u'0' && c <= u'9';
}

QString articoloTrattato(const QString& articolo) {
    const QChar prima = articolo.front().toUpper();
    if (prima >= u'A' && prima <= u'Z') {
        if ((prima == u'K' || prima == u'J') && articolo.size() == 2)
            return articolo.left(1) + u'0' + articolo.mid(1);
        return articolo;
    }
    return articolo.rightJustified(cifra(articolo.back()) ? 3 : 4, u'0');
}

QString causa(const QString& Settore, const QString& Codice, const QString& altro, bool ordinanza) {
    static const QString vuoto = QStringLiteral(" ");
    QString forma;
    QString marcatore;
    if (Codice == u"J") {
        forma = ordinanza ? QStringLiteral("CO") : QStringLiteral("CJ");
        marcatore = QStringLiteral("C-");
    } else if (Codice == u"A") {
        forma = ordinanza ? QStringLiteral("TO") : QStringLiteral("TJ");
        marcatore = QStringLiteral("T-");
    } else if (Codice == u"F") {
        forma = ordinanza ? QStringLiteral("FO") : QStringLiteral("FJ");
        marcatore = QStringLiteral("F-");
    }
    if (altro.isEmpty() || forma.isEmpty())
        return vuoto;
    qsizetype posizione = altro.indexOf(marcatore, 0, Qt::CaseInsensitive);
    qsizetype inizio = posizione + marcatore.size();
    if (posizione < 0) {
        static const QString parola = QStringLiteral("causa ");
        posizione = altro.indexOf(parola, 0, Qt::CaseInsensitive);
        inizio = posizione + parola.size();
    }
    if (posizione < 0)
        return vuoto;
    const qsizetype barra = altro.indexOf(u'/', posizione);
    // Without "/yy" after the number there is no case to name.
    if (barra < inizio || barra + 2 >= altro.size() || !cifra(altro[barra + 1]) || !cifra(altro[barra + 2]))
        return vuoto;
    const QString numero = altro.mid(inizio, barra - inizio).rightJustified(4, u'0');
    const QString aa = altro.mid(barra + 1, 2);
    const QString anno = (aa >= u"50" ? QStringLiteral("19") : QStringLiteral("20")) + aa;
    return Settore + anno + forma + numero;
}

// One HTML page of a delivery: head, a heading per document, the source lines, foot.
class Pagina {
public:
    explicit Pagina(AppState& state) : state_(state) {}

    void apri(const QString& nomeSingolo, const QString& titoloBusy) {
        busy_.emplace(state_.ui(), titoloBusy);
        ApriUscita(file_, state_, nomeSingolo, false);
        file_.writeLine(u"<HTML>");
        file_.writeLine(u"<HEAD>");
        if (state_.ModoAggiornamento)
            file_.writeLine(QStringLiteral("<TITLE>Aggiornamento ") + TestoHtml(state_.SiglaAggiornamento) +
                            QStringLiteral("</TITLE>"));
        else
            file_.writeLine(QStringLiteral("<TITLE>Consegna ") + TestoHtml(state_.Consegna()) +
                            QStringLiteral("</TITLE>"));
        file_.writeLine(u"</HEAD>");
        file_.writeLine(u"<BODY>");
        file_.writeLine(QStringLiteral("<h1>Consegna ") + TestoHtml(state_.Consegna()) +
                        QStringLiteral("</h1>"));
        lettura_.emplace(state_.Connessione);
        numInizio_ = state_.NumInizio();
        {
            RecordSet n = state_.Connessione.ApriRS(QStringLiteral("select count(*) as T from tabDocumento"));
            busy_->progress().setRange(n.eof() ? 0 : n.field(0).toLongLong());
        }
        numeri_ = state_.Connessione.ApriRS(
            QStringLiteral("select IDDocumento from tabDocumento order by IDDocumento"));
        // The titles in document order, read on with the documents; a document's first title is
        // the one shown.
        titoli_ = state_.Connessione.ApriRS(
            QStringLiteral("select LegameDocTesto.IDDoc, TabTesto.Testo from LegameDocTesto, TabTesto where "
                           "TabTesto.IDTesto = LegameDocTesto.IDTesto and LegameDocTesto.Tipo = '0' order by "
                           "LegameDocTesto.IDDoc, LegameDocTesto.rowid"));
    }

    // The heading of a document, when the rows move on to it.
    void documento(qint64 id) {
        if (id == precedente_)
            return;
        // Documents are numbered by position, those without a listed source included.
        while (!numeri_.eof() && numeri_.integer(0) < id) {
            ++precedenti_;
            numeri_.moveNext();
        }
        busy_->progress().setValue(precedenti_);
        if (precedente_ > 0)
            file_.writeLine(u"<hr size=\"1\"/>");
        riga_.resize(0);
        riga_ += QStringLiteral("<h2>Documento: ");
        appendHtml(riga_, IdentificativoDocumento(state_, NumeroSpostato(numInizio_, precedenti_)), false);
        riga_ += QStringLiteral(" (Record: ");
        riga_ += QString::number(id);
        riga_ += QStringLiteral(")</h2>");
        file_.writeLine(riga_);
        while (!titoli_.eof() && titoli_.integer(0) < id)
            titoli_.moveNext();
        if (!titoli_.eof() && titoli_.integer(0) == id) {
            riga_.resize(0);
            riga_ += QStringLiteral("<h3>");
            appendHtml(riga_, titoli_.text(1), false);
            riga_ += QStringLiteral("</h3>");
            ScriviRighe(file_, riga_);
        }
        precedente_ = id;
    }

    void riga(const QString& testo, const QString& link) { ScriviRighe(file_, TestoHtml(testo) + link); }
    // A line of the page's own markup.
    void html(QStringView riga) { ScriviRighe(file_, riga); }
    // The same, known to hold no line break, in ASCII.
    void rigaAscii(QByteArrayView riga) { file_.writeAsciiLine(riga); }

    QString chiudi() {
        numeri_.close();
        titoli_.close();
        lettura_.reset();
        file_.writeLine(u"</BODY>");
        file_.writeLine(u"</HTML>");
        if (state_.ModoAggiornamento)
            file_.writeLine();
        file_.close();
        busy_.reset();
        return file_.path();
    }

private:
    AppState& state_;
    TextOutput file_;
    std::optional<BusyScope> busy_;
    std::optional<LetturaUnica> lettura_;
    RecordSet numeri_;
    RecordSet titoli_;
    QString riga_; // the line being made, its memory kept from line to line
    qint64 precedente_ = 0;
    qint64 precedenti_ = 0;
    qint64 numInizio_ = 0; // the delivery's first number, read once
};

} // namespace

QString CodiceCelex(const QString& Settore, const QString& Codice, const QString& articolo,
                    const QString& annoF, const QString& altro, const QString& numero, const QString& anno,
                    bool ordinanza) {
    if (Settore == u"1")
        return articolo.isEmpty() ? QString() : Settore + annoF + Codice + articoloTrattato(articolo);
    if (Settore == u"3")
        return Settore + anno + Codice + numero.rightJustified(4, u'0');
    if (Settore == u"6")
        return causa(Settore, Codice, altro, ordinanza);
    return {};
}

QString NomeHudoc(const QString& altro) {
    QString testo = altro;
    const qsizetype parentesi = testo.indexOf(u'(');
    if (parentesi >= 0)
        testo = testo.mid(parentesi + 1);
    const qsizetype contro = testo.indexOf(QStringLiteral(" c. "));
    if (contro < 0)
        return {};
    QString nome = testo.left(contro + 1);
    nome.replace(QStringLiteral("et al."), QStringLiteral("and others"), Qt::CaseInsensitive);
    nome.replace(QStringLiteral(" e "), QStringLiteral(" and "), Qt::CaseInsensitive);
    return nome;
}

QString StampaCelex(AppState& state) {
    Pagina pagina(state);
    pagina.apri(QStringLiteral("StampaHTML ") + fileNamePart(state.Consegna()) + QStringLiteral(".html"),
                QStringLiteral("Stampa HTML per il controllo CELEX..."));
    // The sources of a document follow in the order they were linked.
    RecordSet rs = state.Connessione.ApriRS(QStringLiteral(
        "select TabDocumento.IDDocumento, TabFonte.*, tabFonteCom.* from tabDocumento, tabFonte, "
        "tabFonteCom, "
        "LegameDocFonte where tabDocumento.IDDocumento = legameDocFonte.IDDoc and  tabFonte.IDNomeFonte = "
        "tabFonteCom.IDFonteCom and tabFonte.IDFonte = LegameDocFonte.IDFonte and (TabFonte.TP = 'NIC' Or "
        "TabFonte.TP = 'GEC') order by TabDocumento.IDDocumento, LegameDocFonte.ID"));
    const int colID = rs.columnIndex(u"IDDocumento");
    const int colTesto = rs.columnIndex(u"testo");
    const int colSettore = rs.columnIndex(u"Settore");
    const int colAnnoF = rs.columnIndex(u"annoF");
    const int colCodice = rs.columnIndex(u"Codice");
    const int colArticolo = rs.columnIndex(u"articolo");
    const int colNumero = rs.columnIndex(u"numero");
    const int colAnno = rs.columnIndex(u"anno");
    const int colAltro = rs.columnIndex(u"altro");
    const int colOrdinanza = rs.columnIndex(u"ordinanza");
    const QString base = TestoHtml(state.settings.celexBase, Contesto::Attributo);
    for (; !rs.eof(); rs.moveNext()) {
        pagina.documento(rs.field(colID).toLongLong());
        const QString settore = rs.field(colSettore).toString();
        if (settore.isEmpty())
            continue;
        const QString celex = CodiceCelex(settore, rs.field(colCodice).toString(),
                                          rs.field(colArticolo).toString(), rs.field(colAnnoF).toString(),
                                          rs.field(colAltro).toString(), rs.field(colNumero).toString(),
                                          rs.field(colAnno).toString(), rs.field(colOrdinanza).toBool());
        if (celex.isEmpty())
            continue;
        pagina.riga(rs.field(colTesto).toString(),
                    QStringLiteral(" ---> <A HREF=\"") + base +
                        QStringLiteral("/LexUriServ/LexUriServ.do?uri=CELEX:") + TestoUrl(celex) +
                        QStringLiteral(":IT:NOT\"><U><FONT SIZE=\"2\" COLOR=\"#0000ff\">[recupera via "
                                       "CELEX]</U></FONT></A><br>"));
    }
    rs.close();
    const QString path = pagina.chiudi();
    AggiornaInfo(state, QStringLiteral("2"));
    state.ui().message(QStringLiteral("Fine stampa HTML (consegna ") + state.Consegna() + u')');
    return path;
}

QString StampaHudoc(AppState& state) {
    Pagina pagina(state);
    pagina.apri(QStringLiteral("StampaHTML_GEI ") + fileNamePart(state.Consegna()) + QStringLiteral(".html"),
                QStringLiteral("Stampa HTML per il controllo HUDOC..."));
    RecordSet rs = state.Connessione.ApriRS(QStringLiteral(
        "select TabDocumento.IDDocumento, TabFonte.* from tabDocumento, tabFonte, LegameDocFonte where "
        "tabDocumento.IDDocumento = legameDocFonte.IDDoc and tabFonte.IDFonte = LegameDocFonte.IDFonte and "
        "tabFonte.TP = 'GEI' and TabFonte.IDNomeFonte = 2 order by TabDocumento.IDDocumento, "
        "LegameDocFonte.ID"));
    const int colID = rs.columnIndex(u"IDDocumento");
    const int colTesto = rs.columnIndex(u"testo");
    const int colAltro = rs.columnIndex(u"altro");
    // The name goes percent-encoded into the fragment and the base is escaped for the attribute,
    // so the JSON of the fragment stays whole inside its single quotes.
    const QString base = TestoHtml(state.settings.hudocBase, Contesto::Attributo);
    for (; !rs.eof(); rs.moveNext()) {
        pagina.documento(rs.field(colID).toLongLong());
        const QString nome = NomeHudoc(rs.field(colAltro).toString());
        pagina.riga(rs.field(colTesto).toString(),
                    QStringLiteral(" ---> <A target=\"new\" HREF='") + base +
                        QStringLiteral("/eng#{\"docname\":[\"") + TestoUrl(nome) +
                        QStringLiteral("\"]}'><U><FONT SIZE=\"2\" COLOR=\"#0000ff\">[recupera via "
                                       "HUDOC]</U></FONT></A><br>"));
    }
    rs.close();
    const QString path = pagina.chiudi();
    state.ui().message(QStringLiteral("Fine stampa HTML_GEI (consegna ") + state.Consegna() + u')');
    return path;
}

namespace {

QString etichettaServizio(TipoIdentificativo tipo) {
    switch (tipo) {
    case TipoIdentificativo::Urn:
        return QStringLiteral("[recupera via Normattiva]");
    case TipoIdentificativo::Eli:
        return QStringLiteral("[recupera via ELI]");
    case TipoIdentificativo::Ecli:
        return QStringLiteral("[recupera via ECLI]");
    case TipoIdentificativo::Nessuno:
        break;
    }
    return {};
}

// What a source gives on the page: the line of its link, or its item among those without one.
struct Resa {
    bool link = false;
    bool piuRighe = false; // a line break in the citation
    QByteArray html;       // ASCII, as appendHtml makes it
};

// The lines of every source of the delivery. The sources are read in one pass over their table, in
// its own order (a look-up per link costs twice as much), and each is made once, however many
// documents cite it; the few that no document links any more cost a line made for nothing. The
// lines are made on a thread of their own while this one reads on and then writes the page:
// keys are handed out in the order sources are first cited, so the page rarely waits for one.
class LineeFonti {
public:
    explicit LineeFonti(AppState& state) : state_(state) {}
    ~LineeFonti() { ferma(); }

    // Reads every source (within the page's read, so that the count holds) and starts making lines.
    void leggi() {
        const auto nomi = [this](const QString& sql) {
            QHash<qint64, QString> n;
            for (RecordSet rs = state_.Connessione.ApriRS(sql); !rs.eof(); rs.moveNext())
                n.insert(rs.integer(0), rs.text(1));
            return n;
        };
        // The names of acts and courts, domestic and EU, by key: small tables.
        nomiInterni_ = nomi(QStringLiteral("select IDFonteInterna, FonteNorm from tabFonteInterna"));
        nomiUe_ = nomi(QStringLiteral("select IDFonteCom, FonteCom from tabFonteCom"));
        {
            // The lines have their places before the other thread starts: as many as the keys' span
            // (two look-ups of the key's index), counted only when the keys are too far apart.
            RecordSet limiti =
                state_.Connessione.ApriRS(QStringLiteral("select min(IDFonte), max(IDFonte) from tabFonte"));
            const qint64 da = limiti.integer(0), a = limiti.integer(1);
            limiti.close();
            qint64 posti = a >= da ? a - da + 1 : 0;
            if (posti > kPostiSenzaContare) {
                RecordSet n = state_.Connessione.ApriRS(QStringLiteral("select count(*) from tabFonte"));
                posti = n.integer(0);
            }
            posizioni_.prepara(da, a, posti);
            rese_.resize(static_cast<size_t>(posti));
        }
        lavoratore_ = std::thread([this] { lavora(); });
        // This thread only copies the texts as the engine holds them; the other one makes them
        // strings and lines.
        RecordSet fonti = state_.Connessione.ApriRS(
            QStringLiteral("select IDFonte, TP, testo, articolo, ripa, allegato, giorno, mese, anno, numero, "
                           "Ordinanza, Decreto, IDNomeFonte from tabFonte"));
        Lotto lotto;
        size_t lette = 0;
        for (; !fonti.eof(); fonti.moveNext()) {
            const qint64 chiave = fonti.integer(0);
            if (lette == rese_.size()) {
                // More than counted, which one read never gives: made here, kept aside.
                Lotto solo;
                copia(fonti, solo);
                QString riga;
                fuoriConto_.insert(chiave, componi(solo, 0, riga));
                continue;
            }
            posizioni_.imposta(chiave, static_cast<qint32>(lette++));
            copia(fonti, lotto);
            if (lotto.altri.size() == kLotto)
                affida(lotto);
        }
        affida(lotto);
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            finiti_ = true;
        }
        arrivi_.notify_one();
    }

    // The line of a source, once made; nullptr for a key no source has.
    const Resa* trova(qint64 chiave) {
        const qint32 i = posizioni_.posizione(chiave);
        if (i < 0) {
            const auto f = fuoriConto_.constFind(chiave);
            return f == fuoriConto_.cend() ? nullptr : &*f;
        }
        if (static_cast<size_t>(i) >= fatte_.load(std::memory_order_acquire)) {
            std::unique_lock<std::mutex> lock(mutex_);
            pronte_.wait(lock, [&] { return errore_ || static_cast<size_t>(i) < fatte_.load(); });
            if (errore_)
                std::rethrow_exception(errore_);
        }
        return &rese_[static_cast<size_t>(i)];
    }

private:
    // Sources as read, a batch at a time: the texts of columns 1 to kTesti one after the other.
    static constexpr int kTesti = 9; // TP, testo, articolo, ripa, allegato, giorno, mese, anno, numero
    struct Altro {
        qint64 nome = 0; // IDNomeFonte
        bool Ordinanza = false;
        bool Decreto = false;
    };
    struct Lotto {
        QByteArray testi;         // UTF-8
        std::vector<qint32> fine; // where each text ends, kTesti for each source
        std::vector<Altro> altri;
    };
    static constexpr size_t kLotto = 512;
    static constexpr qint64 kPostiSenzaContare = 1 << 18; // 8 MB of places at most

    static void copia(const RecordSet& fonti, Lotto& lotto) {
        for (int c = 1; c <= kTesti; ++c) {
            fonti.appendUtf8(c, lotto.testi);
            lotto.fine.push_back(static_cast<qint32>(lotto.testi.size()));
        }
        lotto.altri.push_back({fonti.integer(12), fonti.boolean(10), fonti.boolean(11)});
    }

    void affida(Lotto& lotto) {
        if (lotto.altri.empty())
            return;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            coda_.push_back(std::move(lotto));
        }
        lotto = Lotto{};
        lotto.testi.reserve(kLotto * 128);
        lotto.fine.reserve(kLotto * kTesti);
        lotto.altri.reserve(kLotto);
        arrivi_.notify_one();
    }

    // The other thread: the batches in the order they came, each line into its place.
    void lavora() {
        QString riga;
        size_t fatte = 0;
        try {
            for (;;) {
                Lotto lotto;
                {
                    std::unique_lock<std::mutex> lock(mutex_);
                    arrivi_.wait(lock, [&] { return !coda_.empty() || finiti_ || fermo_; });
                    if (fermo_ || coda_.empty())
                        return;
                    lotto = std::move(coda_.front());
                    coda_.pop_front();
                }
                for (size_t i = 0; i < lotto.altri.size(); ++i)
                    rese_[fatte++] = componi(lotto, i, riga);
                {
                    const std::lock_guard<std::mutex> lock(mutex_);
                    fatte_.store(fatte, std::memory_order_release);
                }
                pronte_.notify_one();
            }
        } catch (...) {
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                errore_ = std::current_exception();
            }
            pronte_.notify_one();
        }
    }

    void ferma() {
        if (!lavoratore_.joinable())
            return;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            fermo_ = true;
        }
        arrivi_.notify_one();
        lavoratore_.join();
    }

    // The line of source i of the batch.
    Resa componi(const Lotto& lotto, size_t i, QString& riga) const {
        const qint32* fine = lotto.fine.data() + i * kTesti;
        const qint32 inizio = i == 0 ? 0 : fine[-1];
        const auto testo = [&](int c) {
            const qint32 da = c == 0 ? inizio : fine[c - 1];
            return QString::fromUtf8(lotto.testi.constData() + da, fine[c] - da);
        };
        VoceFonte v;
        v.TP = testo(0);
        v.testo = testo(1);
        IdentificativoUfficiale identificativo;
        // The other families have no identifier: their citation is all they need.
        if (FamigliaConIdentificativo(v.TP)) {
            const Altro& altro = lotto.altri[i];
            // The name it was chosen by: of the domestic acts and courts, or of the EU acts.
            if (gruppoFonte(v.TP) == GruppoFonte::Interno)
                v.NomeFonte = nomiInterni_.value(altro.nome);
            else if (v.TP == u"NIC")
                v.NomeFonte = nomiUe_.value(altro.nome);
            v.articolo = testo(2);
            v.ripa = testo(3);
            v.allegato = testo(4);
            v.giorno = testo(5);
            QString mese = testo(6);
            v.mese = MeseNome(mese);
            v.anno = testo(7);
            v.numero = testo(8);
            v.Ordinanza = altro.Ordinanza;
            v.Decreto = altro.Decreto;
            identificativo = ComponiIdentificativo(v);
        }
        Resa r;
        r.link = identificativo.presente();
        riga.resize(0);
        if (r.link) {
            appendHtml(riga, v.testo, false);
            riga += QStringLiteral(" ---> ");
            appendHtml(riga, identificativo.testo, false);
            riga += QStringLiteral(" <A HREF=\"");
            appendHtml(riga, IndirizzoUfficiale(identificativo, state_.settings), true);
            riga += QStringLiteral("\"><FONT SIZE=\"2\" COLOR=\"#0000ff\"><U>");
            riga += etichettaServizio(identificativo.tipo);
            riga += QStringLiteral("</U></FONT></A><br/>");
        } else {
            riga += QStringLiteral("<li>");
            appendHtml(riga, rigaFonte(v), false);
            if (!identificativo.motivo.isEmpty())
                appendHtml(riga, QStringLiteral(" (%1)").arg(identificativo.motivo), false);
            riga += QStringLiteral("</li>");
        }
        r.html = riga.toLatin1();
        r.piuRighe = r.html.contains('\n') || r.html.contains('\r');
        return r;
    }

    AppState& state_;
    QHash<qint64, QString> nomiInterni_;
    QHash<qint64, QString> nomiUe_;
    std::vector<Resa> rese_; // by the order sources are read; sized before the other thread starts
    PosizioniPerChiave posizioni_;
    QHash<qint64, Resa> fuoriConto_;
    std::thread lavoratore_;
    std::mutex mutex_;
    std::condition_variable arrivi_; // a batch to make, or the end
    std::condition_variable pronte_; // more lines made, or a failure
    std::deque<Lotto> coda_;
    bool finiti_ = false;
    bool fermo_ = false;
    std::atomic<size_t> fatte_{0};
    std::exception_ptr errore_;
};

} // namespace

QString StampaNir(AppState& state) {
    Pagina pagina(state);
    pagina.apri(QStringLiteral("StampaHTML_NIR ") + fileNamePart(state.Consegna()) + QStringLiteral(".html"),
                QStringLiteral("Stampa HTML delle fonti con i testi ufficiali..."));
    LineeFonti linee(state);
    linee.leggi();
    // The links of every document; the documents first, so that they come in order from the
    // index, without a sort.
    RecordSet rs = state.Connessione.ApriRS(QStringLiteral(
        "select LegameDocFonte.IDDoc, LegameDocFonte.IDFonte from tabDocumento cross join LegameDocFonte on "
        "LegameDocFonte.IDDoc = tabDocumento.IDDocumento order by TabDocumento.IDDocumento, "
        "LegameDocFonte.ID"));

    // The sources of the document being written that cannot be opened, listed after its links.
    std::vector<const Resa*> senza;
    qint64 corrente = 0;
    const auto scrivi = [&pagina](const Resa& r) {
        if (r.piuRighe)
            pagina.html(QString::fromLatin1(r.html));
        else
            pagina.rigaAscii(r.html);
    };
    const auto chiudiDocumento = [&] {
        if (senza.empty())
            return;
        pagina.html(u"<p><i>Fonti senza identificativo ufficiale:</i></p>");
        pagina.html(u"<ul>");
        for (const Resa* voce : senza)
            scrivi(*voce);
        pagina.html(u"</ul>");
        senza.clear();
    };
    for (; !rs.eof(); rs.moveNext()) {
        const Resa* resa = linee.trova(rs.integer(1));
        if (!resa)
            continue; // a link to a source no longer there
        const qint64 id = rs.integer(0);
        if (id != corrente) {
            chiudiDocumento();
            corrente = id;
        }
        pagina.documento(id);
        if (resa->link)
            scrivi(*resa);
        else
            senza.push_back(resa);
    }
    rs.close();
    chiudiDocumento();
    const QString path = pagina.chiudi();
    state.ui().message(QStringLiteral("Fine stampa HTML_NIR (consegna ") + state.Consegna() + u')');
    return path;
}
