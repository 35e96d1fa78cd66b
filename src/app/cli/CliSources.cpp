#include "app/cli/Cli.h"
#include "citations/ProposteFonti.h"
#include "store/MessaggiErrore.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>

namespace {

const QString kUsoCites = QStringLiteral("cites [FILE|-] [--format text|json]");

// The text of FILE, or of standard input for "-" or no FILE; nothing, with the reason on err,
// when it cannot be read or is not UTF-8.
std::optional<QString> leggiTesto(CliContext& c, const QString& nome) {
    QFile f;
    bool aperto = false;
    if (nome.isEmpty() || nome == u"-") {
        aperto = f.open(stdin, QIODevice::ReadOnly);
    } else {
        f.setFileName(nome);
        aperto = f.open(QIODevice::ReadOnly);
    }
    if (!aperto) {
        c.err << "Il file " << nome << " non si apre: " << f.errorString() << Qt::endl;
        return std::nullopt;
    }
    const QByteArray byte = f.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString testo = utf8(byte);
    if (utf8.hasError()) {
        c.err << "Il testo non è in UTF-8: convertirlo (per esempio con iconv) e riprovare." << Qt::endl;
        return std::nullopt;
    }
    if (testo.startsWith(QChar(0xFEFF)))
        testo.remove(0, 1);
    return testo;
}

QJsonValue oNull(const QString& s) {
    return s.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(s);
}

// A citation of a list spans its own words (the last one also its act's), so that a list is
// written once; act_start and act_end say where the act of the others is.
QJsonObject oggetto(const QString& testo, const PropostaFonte& p) {
    const Citazione& c = p.citazione;
    QJsonObject o;
    o.insert(QStringLiteral("span"), testo.mid(c.inizio, c.fine - c.inizio));
    o.insert(QStringLiteral("start"), c.inizioPunti);
    o.insert(QStringLiteral("end"), c.finePunti);
    if (c.inizioAtto >= 0) {
        o.insert(QStringLiteral("act_start"), c.inizioAttoPunti);
        o.insert(QStringLiteral("act_end"), c.fineAttoPunti);
    }
    o.insert(QStringLiteral("TP"), c.TP);
    o.insert(QStringLiteral("kind"), c.nome);
    o.insert(QStringLiteral("article"), oNull(c.articolo));
    o.insert(QStringLiteral("suffix"), oNull(c.suffisso));
    const QString comma = c.comma.isEmpty()
                              ? c.numeroPunto
                              : c.comma + (c.suffissoComma.isEmpty() ? QString() : u'-' + c.suffissoComma);
    o.insert(QStringLiteral("paragraph"), oNull(comma));
    o.insert(QStringLiteral("letter"), oNull(c.lettera));
    o.insert(QStringLiteral("date"), oNull(c.data()));
    o.insert(QStringLiteral("year"), c.anno > 0 ? QJsonValue(c.anno) : QJsonValue(QJsonValue::Null));
    o.insert(QStringLiteral("number"), oNull(c.numero));
    o.insert(QStringLiteral("code"), oNull(c.codice));
    o.insert(QStringLiteral("court"), oNull(c.corte()));
    const QString sezione = p.valori.txtInfo2.isEmpty() ? c.sezione : p.valori.txtInfo2;
    o.insert(QStringLiteral("section"), oNull(c.decisione() ? sezione : QString()));
    o.insert(QStringLiteral("citation"), oNull(p.aggiungibile() ? p.voce.testo : QString()));
    return o;
}

QString riga(const QString& testo, const PropostaFonte& p) {
    const Citazione& c = p.citazione;
    const QString span = testo.mid(c.inizio, c.fine - c.inizio).simplified();
    QStringList campi{QStringLiteral("%1-%2").arg(c.inizioPunti).arg(c.finePunti), c.TP,
                      p.aggiungibile() ? p.voce.testo
                                       : p.testoMostrato() + QStringLiteral(" (") + p.problema + u')',
                      span};
    if (!p.etichettaCatalogo().isEmpty())
        campi << QStringLiteral("[") + p.etichettaCatalogo() + u']';
    return campi.join(u'\t');
}

// Standard output written as it is produced, never more than ten times the text (and a few
// kilobytes for a short one): a hostile list cannot fill a disk. A write error (a full disk) or
// the limit stops it, said on standard error.
class Uscita {
public:
    Uscita(CliContext& c, qsizetype ingresso) : c_(c), limite_(10 * ingresso + 4096) {}

    bool scrivi(const QString& s) {
        if (!ok_)
            return false;
        scritti_ += s.toUtf8().size();
        if (scritti_ > limite_) {
            c_.err << "Le fonti proposte superano dieci volte il testo: l'elenco è stato interrotto. "
                      "Dividere il testo e riprovare."
                   << Qt::endl;
            ok_ = false;
            return false;
        }
        c_.out << s;
        return controlla();
    }

    bool chiudi() {
        if (!ok_)
            return false;
        c_.out.flush();
        return controlla();
    }

private:
    bool controlla() {
        if (c_.out.status() == QTextStream::Ok)
            return true;
        c_.err << "Le fonti non sono state scritte sullo standard output (disco pieno?)." << Qt::endl;
        ok_ = false;
        return false;
    }

    CliContext& c_;
    qsizetype limite_;
    qsizetype scritti_ = 0;
    bool ok_ = true;
};

int comandoCites(CliContext& c, const CliArgs& a) {
    const QString formato = a.value(QStringLiteral("format")).value_or(QStringLiteral("text"));
    if (a.positional().size() > 1 || (formato != u"text" && formato != u"json")) {
        c.err << "Uso: quillaro-cli " << kUsoCites << Qt::endl;
        return 2;
    }
    const std::optional<QString> testo = leggiTesto(c, a.positional().value(0));
    if (!testo)
        return 1;
    // The names of acts, courts and treaties come from the template, as a new archive has them.
    cConnessione modello;
    if (!modello.ApriConnessione(c.state.home.templatePath(), FileKind::Template, true)) {
        c.err << "Il modello " << c.state.home.templatePath()
              << " non si apre: " << modello.lastErrorMessage() << Qt::endl;
        return 1;
    }
    ApriCatalogo(c.state);
    // Each proposal written as it is made: memory stays that of the text and its citations.
    Uscita uscita(c, testo->toUtf8().size());
    const bool json = formato == u"json";
    bool prima = true;
    bool ok = !json || uscita.scrivi(QStringLiteral("["));
    try {
        ProponiFonti({{QStringLiteral("testo"), *testo}}, {}, LeggiElenchiProposte(modello), modello,
                     c.state.CatalogoAperto ? &c.state.ConnessioneCatalogo : nullptr,
                     [&](PropostaFonte&& p) {
                         if (json)
                             ok = uscita.scrivi((prima ? QStringLiteral("\n") : QStringLiteral(",\n")) +
                                                QString::fromUtf8(QJsonDocument(oggetto(*testo, p))
                                                                      .toJson(QJsonDocument::Compact)));
                         else
                             ok = uscita.scrivi(riga(*testo, p) + u'\n');
                         prima = false;
                         return ok;
                     });
    } catch (const DbError& e) {
        c.err << MessaggioErroreDb(QStringLiteral("Le fonti non sono state lette."), e) << Qt::endl;
        return 1;
    }
    if (json && ok)
        ok = uscita.scrivi(prima ? QStringLiteral("]\n") : QStringLiteral("\n]\n"));
    return ok && uscita.chiudi() ? 0 : 1;
}

} // namespace

void registerSourceCommands(CliRegistry& registry) {
    registry.add(
        {QStringLiteral("cites"),
         kUsoCites,
         QStringLiteral("propone le fonti citate in un testo UTF-8 (FILE, o lo standard input): una riga, "
                        "o un oggetto JSON, per citazione, con i campi e il testo composto della fonte"),
         {QStringLiteral("format")},
         comandoCites});
}
