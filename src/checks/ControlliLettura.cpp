#include "checks/ControlliLettura.h"

namespace {

// The statements of the single-document reading (DatiArchivio), for all documents at once: the same
// rows in the same order within each document.
const QString kResponsabili = QStringLiteral("select IDDoc from legameDocResp order by IDDoc");
// Every text kind of a document in the order of its kinds; the text itself only for the title
// translations, the one kind whose text a rule reads (the first one, in the order of its links).
const QString kTesti = QStringLiteral(
    "select l.IDDoc, l.Tipo, t.IDTesto, t.Testo from legameDocTesto l left join tabTesto t on t.IDTesto = "
    "l.IDTesto and l.Tipo = '3' order by l.IDDoc, l.Tipo");
const QString kCoppie =
    QStringLiteral("select IDDoc, CodiceS, CodiceD, Controllo from legameDocClass order by IDDoc, ID");
// Every link, so that a document citing only other families still has sources. The names of the
// acts and courts (domestic, and EU, whose date alone is examined) are small tables read once: a
// look-up of each for every link cost as much as the rest of the reading.
const QString kFonti = QStringLiteral(
    "select l.IDDoc, f.IDFonte, f.TP, f.Testo, f.Numero, f.Giorno, f.Mese, f.Anno, f.IDNomeFonte from "
    "legameDocFonte l left join tabFonte f on f.IDFonte = l.IDFonte order by l.IDDoc, l.ID");

QHash<qint64, QString> nomi(cConnessione& db, const QString& sql) {
    QHash<qint64, QString> n;
    for (RecordSet rs = db.ApriRS(sql); !rs.eof(); rs.moveNext())
        if (!rs.isNull(0))
            n.insert(rs.integer(0), rs.text(1));
    return n;
}

bool esaminata(const QString& TP) {
    return TP == u"LIO" || TP == u"LICO" || TP == u"LIOA" || TP == u"GICO" || TP == u"GICA";
}

// Moves the cursor past the rows of the documents before id (links of deleted documents); true
// when it stands on a row of id.
bool su(RecordSet& rs, qint64 id) {
    while (!rs.eof() && rs.integer(0) < id)
        rs.moveNext();
    return !rs.eof() && rs.integer(0) == id;
}

} // namespace

struct LetturaControlli::Documento {
    bool responsabili = false;
    bool englishAbstract = false;
    std::optional<QString> traduzione;
    QList<int> tipi; // -1 for a kind that is not a number
    QList<CoppiaControllo> coppie;
    bool fonti = false;
    QList<FonteControllo> esaminate;
};

// The document row as DatiArchivio reads it, its links from what the cursors gathered.
class LetturaControlli::Dati final : public DatiArchivio {
public:
    Dati(cConnessione& db, const RecordSet& riga, const ColonneDocumento& colonne, const Documento& d)
        : DatiArchivio(db, riga, colonne), d_(d) {}

    bool haResponsabilita() override { return d_.responsabili; }
    bool haEnglishAbstract() override { return d_.englishAbstract; }
    std::optional<QString> traduzione() override { return d_.traduzione; }
    bool perOgniTipoTesto(const std::function<void(int tipo)>& tipo) override {
        for (const int t : d_.tipi)
            tipo(t);
        return !d_.tipi.isEmpty();
    }
    bool perOgniCoppia(const std::function<void(const CoppiaControllo&)>& coppia) override {
        for (const CoppiaControllo& c : d_.coppie)
            coppia(c);
        return !d_.coppie.isEmpty();
    }
    bool perOgniFonte(const std::function<void(const FonteControllo&)>& fonte) override {
        for (const FonteControllo& f : d_.esaminate)
            fonte(f);
        return d_.fonti;
    }

private:
    const Documento& d_;
};

LetturaControlli::LetturaControlli(cConnessione& connessione)
    : db_(connessione), responsabili_(db_.ApriRS(kResponsabili)), testi_(db_.ApriRS(kTesti)),
      coppie_(db_.ApriRS(kCoppie)), fonti_(db_.ApriRS(kFonti)),
      nomiInterni_(nomi(db_, QStringLiteral("select IDFonteInterna, FonteNorm from TabFonteInterna"))),
      nomiUe_(nomi(db_, QStringLiteral("select IDFonteCom, FonteCom from tabFonteCom"))),
      corrente_(std::make_unique<Documento>()) {}

LetturaControlli::~LetturaControlli() = default;

DatiControllo& LetturaControlli::documento(const RecordSet& riga, const ColonneDocumento& colonne) {
    dati_.reset();
    leggi(riga.field(colonne.id).toLongLong());
    dati_ = std::make_unique<Dati>(db_, riga, colonne, *corrente_);
    return *dati_;
}

void LetturaControlli::leggi(qint64 id) {
    Documento& d = *corrente_;
    d.responsabili = su(responsabili_, id);

    d.englishAbstract = false;
    d.traduzione.reset();
    d.tipi.clear();
    for (; su(testi_, id); testi_.moveNext()) {
        const QString tipo = testi_.text(1);
        bool numero = false;
        const int t = tipo.trimmed().toInt(&numero);
        d.tipi << (numero ? t : -1);
        if (tipo == u"8")
            d.englishAbstract = true;
        if (tipo == u"3" && !d.traduzione && !testi_.isNull(2))
            d.traduzione = testi_.text(3);
    }

    d.coppie.clear();
    for (int voce = 0; su(coppie_, id); coppie_.moveNext(), ++voce)
        d.coppie << CoppiaControllo{coppie_.text(1), coppie_.text(2), coppie_.integer(3), voce};

    d.fonti = false;
    d.esaminate.clear();
    for (int voce = 0; su(fonti_, id); fonti_.moveNext(), ++voce) {
        d.fonti = true;
        if (fonti_.isNull(1))
            continue;
        const QString TP = fonti_.text(2);
        const bool ue = TP == u"NIC";
        if (!ue && !esaminata(TP))
            continue;
        const QHash<qint64, QString>& nomi = ue ? nomiUe_ : nomiInterni_;
        const auto nome = fonti_.isNull(8) ? nomi.cend() : nomi.constFind(fonti_.integer(8));
        if (nome == nomi.cend())
            continue;
        d.esaminate << FonteControllo{TP,
                                      fonti_.text(3),
                                      fonti_.field(4).variant(),
                                      fonti_.text(5),
                                      fonti_.text(6),
                                      fonti_.text(7),
                                      *nome,
                                      voce};
    }
}
