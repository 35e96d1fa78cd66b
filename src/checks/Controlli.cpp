#include "checks/Controlli.h"

#include "checks/AggiornaInfo.h"
#include "checks/Uscite.h"
#include "store/Archivio.h"
#include "store/TextOutput.h"

#include <QFile>
#include <QFileInfo>
#include <array>
#include <stdexcept>

namespace {

// Text types of legameDocTesto.Tipo that the rules look at.
enum Tipo { Riassunto = 1, Sommario = 2, Traduzione = 3, Nota = 4, InTemaDi = 7, AbstractInglese = 8 };

QString rec(qint64 n) {
    return QStringLiteral("(rec. ") + QString::number(n) + u')';
}

// Derives errclasse./errfonte. from the update path by its file name only, so that a folder
// called "errori.x" higher up is never touched.
QString derivaDaErrori(const QString& pathErrori, const QString& nuovoNome) {
    static const QString prefisso = QStringLiteral("errori.");
    const QString nome = QFileInfo(pathErrori).fileName();
    if (!nome.startsWith(prefisso, Qt::CaseInsensitive))
        throw std::runtime_error(QStringLiteral("Il file di aggiornamento %1 non è un file \"errori.\"")
                                     .arg(pathErrori)
                                     .toStdString());
    return pathErrori.left(pathErrori.size() - nome.size()) + nuovoNome + nome.mid(prefisso.size());
}

// The catalogue's abbreviation of an act name, or nothing when the act is not in the catalogue.
QString abbreviazioneCatalogo(const QString& fonteNorm) {
    if (fonteNorm == u"l. cost.")
        return QStringLiteral("l.cost.");
    if (fonteNorm == u"d.lg.")
        return QStringLiteral("d.lgs.");
    if (fonteNorm == u"dir. p.c.m.")
        return QStringLiteral("dir.p.c.m.");
    if (fonteNorm == u"d.l." || fonteNorm == u"d.p.r." || fonteNorm == u"l." || fonteNorm == u"r.d." ||
        fonteNorm == u"d.p.c.m.")
        return fonteNorm;
    return {};
}

// A month or day as two digits: "3" -> "03", "15" -> "15", "03" -> "03". A text that is not a
// number stays as it is (and then matches no catalogue date).
QString dueCifre(const QString& valore) {
    bool ok = false;
    const int n = valore.trimmed().toInt(&ok);
    if (!ok || n < 0)
        return valore;
    return QString::number(n).rightJustified(2, u'0');
}

// One pass over the documents with the statements reused for each of them.
class Controllo {
public:
    Controllo(AppState& state, TextOutput& generali, TextOutput& classe, TextOutput& fonti)
        : state_(state), db_(state.Connessione), generali_(generali), classe_(classe), fonti_(fonti) {}

    void documento(const RecordSet& doc);

    int colID = -1, colRifBibl = -1, colPagine = -1, colTD = -1, colTAbs = -1, colBib = -1, colLIN = -1;

private:
    void traduzione(qint64 id);
    void tipiTesto(qint64 id);
    void lingua(qint64 id, bool straniera);
    void nota(qint64 id, const QString& td);
    void tipoAbstract(qint64 id, const QString& tabs);
    void classificazione(qint64 id);
    void fontiDocumento(qint64 id);
    void fonte(qint64 id, qint64 idFonte);

    AppState& state_;
    cConnessione& db_;
    TextOutput& generali_;
    TextOutput& classe_;
    TextOutput& fonti_;
    std::array<bool, 9> tipi_{};
};

void Controllo::documento(const RecordSet& doc) {
    const qint64 id = doc.field(colID).toLongLong();
    tipi_.fill(false);

    // 1: a Null reference is as missing as 0.
    if (doc.field(colRifBibl).toLongLong() == 0)
        generali_.writeLine(QStringLiteral("Manca rif. bibliografico ") + rec(id));
    // 2
    if (PagineZero(doc.field(colPagine).variant()))
        generali_.writeLine(QStringLiteral("Manca indicazione pagine ") + rec(id));
    // 3 to 5 fire on empty text only; Null is then read as empty by the rules that need text.
    const Field td = doc.field(colTD);
    const Field tabs = doc.field(colTAbs);
    const Field bib = doc.field(colBib);
    if (!td.isNull() && td.toString().isEmpty())
        generali_.writeLine(QStringLiteral("Manca indicazione TD ") + rec(id));
    if (!tabs.isNull() && tabs.toString().isEmpty())
        generali_.writeLine(QStringLiteral("Manca indicazione TAbs ") + rec(id));
    if (!bib.isNull() && bib.toString().isEmpty())
        generali_.writeLine(QStringLiteral("Manca indicazione Bib ") + rec(id));
    // 6
    {
        RecordSet rs =
            db_.ApriRS(QStringLiteral("select IDResponsabilita from legameDocResp where IDDoc = ?"), {id});
        if (rs.eof())
            generali_.writeLine(QStringLiteral("Manca responsabilità ") + rec(id));
    }
    // 7
    traduzione(id);
    // 8
    tipiTesto(id);
    // 9: a Null language is the default, Italian.
    const Field lin = doc.field(colLIN);
    lingua(id, !lin.isNull() && lin.toString() != u"00");
    // 10, 11
    nota(id, td.toString());
    tipoAbstract(id, tabs.toString());
    // 12, 13
    classificazione(id);
    // 14
    fontiDocumento(id);
}

void Controllo::traduzione(qint64 id) {
    RecordSet ea =
        db_.ApriRS(QStringLiteral("select IDTesto from legameDocTesto where IDDoc = ? and Tipo = '8'"), {id});
    if (ea.eof())
        return;
    RecordSet tr =
        db_.ApriRS(QStringLiteral("select Testo from tabTesto, legameDocTesto where tabTesto.IDTesto = "
                                  "legameDocTesto.IDTesto and IDDoc = ? and Tipo = '3'"),
                   {id});
    if (tr.eof())
        generali_.writeLine(QStringLiteral("Manca traduzione ") + rec(id));
    else if (tr.field(0).toString().contains(u'['))
        generali_.writeLine(QStringLiteral("Traduzione immessa dal compilatore ") + rec(id));
}

void Controllo::tipiTesto(qint64 id) {
    RecordSet rs =
        db_.ApriRS(QStringLiteral("select Tipo from legameDocTesto where IDDoc = ? order by Tipo"), {id});
    if (rs.eof()) {
        generali_.writeLine(QStringLiteral("Mancano tutte le tipologie di testo ") + rec(id));
        return;
    }
    for (; !rs.eof(); rs.moveNext()) {
        bool ok = false;
        const int tipo = rs.field(0).toString().trimmed().toInt(&ok);
        // Only the types the editor stores can be flagged.
        if (ok && tipo >= 0 && tipo < static_cast<int>(tipi_.size()))
            tipi_[static_cast<size_t>(tipo)] = true;
    }
}

void Controllo::lingua(qint64 id, bool straniera) {
    if (straniera && tipi_[Traduzione])
        generali_.writeLine(QStringLiteral("Lingua straniera - titolo tradotto ") + rec(id));
    else if (straniera)
        generali_.writeLine(QStringLiteral("Lingua straniera - manca traduzione titolo ") + rec(id));
    else if (tipi_[Traduzione] && !tipi_[AbstractInglese])
        generali_.writeLine(QStringLiteral("Traduzione titolo senza EA e codice lingua straniera ") +
                            rec(id));
}

void Controllo::nota(qint64 id, const QString& td) {
    if (td != u"01" && !tipi_[Nota])
        generali_.writeLine(QStringLiteral("Manza nota con TD <> 01 ") + rec(id));
    else if (td == u"01" && tipi_[Nota])
        generali_.writeLine(QStringLiteral("Contributo indipendente e presenza nota ") + rec(id));
}

void Controllo::tipoAbstract(qint64 id, const QString& tabs) {
    if (tabs == u"400") {
        if (tipi_[Riassunto] || tipi_[Sommario] || tipi_[Nota] || tipi_[InTemaDi])
            generali_.writeLine(QStringLiteral("TAbs=400 con testi ") + rec(id));
    } else if (tabs == u"500" || tabs == u"800") {
        if (!tipi_[Riassunto] || (!tipi_[Sommario] && !tipi_[InTemaDi]))
            generali_.writeLine(
                QStringLiteral("TAbs=500/800 e manca riassunto e/o sommario e/o in tema di ") + rec(id));
    } else if (tabs == u"600") {
        if (!tipi_[Sommario])
            generali_.writeLine(QStringLiteral("TAbs=600 e manca sommario ") + rec(id));
    } else if (tabs == u"700") {
        if (!tipi_[InTemaDi])
            generali_.writeLine(QStringLiteral("TAbs=700 e manca in tema di ") + rec(id));
    } else if (tabs == u"900") {
        if (!tipi_[Riassunto])
            generali_.writeLine(QStringLiteral("TAbs=900 e manca abstract ") + rec(id));
    }
}

void Controllo::classificazione(qint64 id) {
    RecordSet rs =
        db_.ApriRS(QStringLiteral("select * from legameDocClass where IDDoc = ? order by ID"), {id});
    if (rs.eof()) {
        generali_.writeLine(QStringLiteral("Manca classificazione ") + rec(id));
        return;
    }
    const int colS = rs.columnIndex(u"CodiceS");
    const int colD = rs.columnIndex(u"CodiceD");
    const int colControllo = rs.columnIndex(u"Controllo");
    for (; !rs.eof(); rs.moveNext()) {
        QString testo;
        switch (rs.field(colControllo).toLongLong()) {
        case 1:
            testo = QStringLiteral("Coppia non valida: ");
            break;
        case 2:
            testo = QStringLiteral("Coppia asteriscata valida: ");
            break;
        case 3:
            testo = QStringLiteral("Coppia asteriscata non valida: ");
            break;
        default:
            continue;
        }
        classe_.writeLine(testo + rs.field(colS).toString() + QStringLiteral("; ") +
                          rs.field(colD).toString() + rec(id));
    }
}

void Controllo::fontiDocumento(qint64 id) {
    RecordSet rs =
        db_.ApriRS(QStringLiteral("select IDFonte from legameDocFonte where IDDoc = ? order by ID"), {id});
    if (rs.eof()) {
        generali_.writeLine(QStringLiteral("Manca fonte ") + rec(id));
        return;
    }
    for (; !rs.eof(); rs.moveNext())
        fonte(id, rs.field(0).toLongLong());
}

void Controllo::fonte(qint64 id, qint64 idFonte) {
    RecordSet rs = db_.ApriRS(
        QStringLiteral(
            "select TabFonte.*, FonteNorm from tabFonte, TabFonteInterna where tabFonte.IDNomeFonte = "
            "tabFonteInterna.IDFonteInterna and (TabFonte.TP = 'LIO' or TabFonte.TP = 'LICO' or "
            "TabFonte.TP = 'LIOA'  or TabFonte.TP = 'GICO' or TabFonte.TP = 'GICA') and IDFonte = ?"),
        {idFonte});
    for (; !rs.eof(); rs.moveNext()) {
        const QString testo = rs.field(u"Testo").toString();
        const QString numero = rs.field(u"Numero").toString();
        const QString tp = rs.field(u"TP").toString();
        const QString fonteNorm = rs.field(u"FonteNorm").toString();
        if (numero.isEmpty()) {
            if (tp == u"GICO" || tp == u"GICA")
                fonti_.writeLine(QStringLiteral("Senza numero: ") + testo + u' ' + rec(id));
            continue;
        }
        if (fonteNorm == u"C. Cost.") {
            if (rs.field(u"Numero").toLongLong() >= 1000)
                fonti_.writeLine(QStringLiteral("GICA con numero >= 1000: ") + testo + u' ' + rec(id));
            continue;
        }
        const QString abbreviazione = abbreviazioneCatalogo(fonteNorm);
        if (abbreviazione.isEmpty())
            continue;
        if (!state_.CatalogoAperto)
            throw DbError(3044, QStringLiteral("Il catalogo delle norme non è disponibile: %1")
                                    .arg(state_.home.cataloguePath()));
        // The catalogue keeps the promulgation date as ISO text.
        const QString data = rs.field(u"Anno").toString() + u'-' + dueCifre(rs.field(u"Mese").toString()) +
                             u'-' + dueCifre(rs.field(u"Giorno").toString());
        RecordSet cat = state_.ConnessioneCatalogo.ApriRS(
            QStringLiteral(
                "select ID from tabCatalogo where Promulgazione = ? and Numero = ? and Abbreviazione = ?"),
            {data, numero, abbreviazione});
        if (cat.eof())
            fonti_.writeLine(QStringLiteral("Fonte errata: ") + testo + u' ' + rec(id));
    }
}

// Closes the catalogue at the end of the run, or on the way out of a failed one, when the run
// opened it.
struct CatalogoDelControllo {
    AppState& state;
    bool aperto;
    ~CatalogoDelControllo() {
        if (aperto)
            ChiudiCatalogo(state);
    }
};

// Appends the lines of a text, each followed by CR LF whatever break it had (CR LF, LF, CR or none
// at the end), as reading it line by line and writing every line back would.
void aggiungiRigheCrLf(QString& out, const QString& text) {
    out.reserve(out.size() + text.size() + 2);
    const qsizetype n = text.size();
    const char16_t* c = reinterpret_cast<const char16_t*>(text.constData());
    // The lists this program writes end every line with CR LF: then the text goes as it is.
    bool soloCrLf = true;
    for (qsizetype i = 0; i < n && soloCrLf; ++i) {
        if (c[i] == u'\r')
            soloCrLf = i + 1 < n && c[++i] == u'\n';
        else if (c[i] == u'\n')
            soloCrLf = false;
    }
    if (soloCrLf) {
        out += text;
        if (n > 0 && c[n - 1] != u'\n')
            out += QStringLiteral("\r\n");
        return;
    }
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        out += QStringView(text).mid(start, i - start);
        out += QStringLiteral("\r\n");
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n) {
        out += QStringView(text).mid(start);
        out += QStringLiteral("\r\n");
    }
}

} // namespace

bool PagineZero(const QVariant& pagine) {
    if (pagine.isNull())
        return false;
    if (pagine.typeId() == QMetaType::LongLong || pagine.typeId() == QMetaType::Int ||
        pagine.typeId() == QMetaType::Double)
        return pagine.toDouble() == 0.0;
    QString testo = pagine.toString().trimmed();
    if (testo.isEmpty())
        return false;
    bool ok = false;
    double valore = testo.toDouble(&ok);
    if (!ok) {
        testo.replace(u',', u'.');
        valore = testo.toDouble(&ok);
    }
    return ok && valore == 0.0;
}

FileErrori PercorsiErrori(const AppState& state) {
    FileErrori f;
    if (state.ModoAggiornamento) {
        f.generali = state.FileScelto;
        f.classe = derivaDaErrori(state.FileScelto, QStringLiteral("errclasse."));
        f.fonti = derivaDaErrori(state.FileScelto, QStringLiteral("errfonte."));
    } else {
        f.generali = state.home.dumpPath(QStringLiteral("errori.") + fileNamePart(state.Consegna()));
        f.classe = state.home.dumpPath(QStringLiteral("errclasse.") + fileNamePart(state.Consegna()));
        f.fonti = state.home.dumpPath(QStringLiteral("errfonte.") + fileNamePart(state.Consegna()));
    }
    return f;
}

FileErrori EseguiControlli(AppState& state) {
    FileErrori percorsi;
    {
        BusyScope busy(state.ui(), QStringLiteral("Controllo dei documenti..."));
        LeggiInfo(state);
        CatalogoDelControllo catalogo{state, ApriCatalogo(state)};
        LetturaUnica lettura(state.Connessione);
        LetturaUnica letturaCatalogo(state.ConnessioneCatalogo);

        percorsi = PercorsiErrori(state);
        const auto modo = state.ModoAggiornamento ? TextOutput::Mode::Append : TextOutput::Mode::Truncate;
        TextOutput generali, classe, fonti;
        generali.open(percorsi.generali, modo, state.encoding());
        classe.open(percorsi.classe, modo, state.encoding());
        fonti.open(percorsi.fonti, modo, state.encoding());
        if (state.ModoAggiornamento) {
            const QString sezione = QStringLiteral("Consegna ") + state.Consegna();
            generali.writeLine(sezione);
            classe.writeLine(sezione);
            fonti.writeLine(sezione);
        }

        qint64 totale = 0;
        {
            RecordSet n = state.Connessione.ApriRS(QStringLiteral("select count(*) as T from tabDocumento"));
            totale = n.eof() ? 0 : n.field(0).toLongLong();
        }
        busy.progress().setRange(totale);

        Controllo controllo(state, generali, classe, fonti);
        RecordSet doc =
            state.Connessione.ApriRS(QStringLiteral("select * from tabDocumento order by IDDocumento"));
        controllo.colID = doc.columnIndex(u"IDDocumento");
        controllo.colRifBibl = doc.columnIndex(u"IDRifBibl");
        controllo.colPagine = doc.columnIndex(u"Pagine");
        controllo.colTD = doc.columnIndex(u"TD");
        controllo.colTAbs = doc.columnIndex(u"TAbs");
        controllo.colBib = doc.columnIndex(u"Bib");
        controllo.colLIN = doc.columnIndex(u"LIN");
        for (int c : {controllo.colID, controllo.colRifBibl, controllo.colPagine, controllo.colTD,
                      controllo.colTAbs, controllo.colBib, controllo.colLIN})
            if (c < 0)
                throw DbError(3265,
                              QStringLiteral("La tabella tabDocumento non ha tutte le colonne attese."));
        qint64 fatti = 0;
        for (; !doc.eof(); doc.moveNext()) {
            controllo.documento(doc);
            busy.progress().setValue(++fatti);
        }
        doc.close();

        generali.writeLine();
        classe.writeLine();
        fonti.writeLine();
        generali.close();
        classe.close();
        fonti.close();
    }
    // Recorded once the lists are whole: a run that failed is not a run done.
    AggiornaInfo(state, QStringLiteral("1"));
    state.ui().message(QStringLiteral("Fine controllo: ") + state.Consegna());
    return percorsi;
}

void MostraErrori(AppState& state, const QString& code, const QString& nomeFile, const QString& title,
                  const std::function<void(const QString&)>& finestra) {
    LeggiInfo(state);
    AggiornaInfo(state, code);
    const QString path = state.home.dumpPath(nomeFile + fileNamePart(state.Consegna()));
    if (!QFileInfo::exists(path)) {
        state.ui().message(
            QStringLiteral("Il file %1 non esiste ancora: eseguire prima \"Esegui controlli\".")
                .arg(QDir::toNativeSeparators(path)),
            applicationTitle(), Buttons::Ok, Icon::Information);
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        state.ui().message(
            QStringLiteral("Impossibile leggere il file %1.").arg(QDir::toNativeSeparators(path)),
            applicationTitle(), Buttons::Ok, Icon::Warning);
        return;
    }
    // Title, an empty line, then every line of the file followed by CR LF, in one string: a list
    // of a large delivery is never held a second time as separate lines.
    QString testo = title + QStringLiteral("\r\n\r\n");
    const qsizetype inizio = testo.size();
    aggiungiRigheCrLf(testo, decodeText(file.readAll(), state.encoding()));
    file.close();
    if (QStringView(testo).mid(inizio) == u"\r\n") {
        state.ui().message(QStringLiteral("Non ci sono errori!"));
        return;
    }
    finestra(testo);
}
