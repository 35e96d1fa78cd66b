// Precision and recall of the recogniser of cited sources, per kind, on annotated passages in the
// format of the shared fixtures (citations/: passages.jsonl, annotations.jsonl): the fixtures'
// folder by default, or another folder of the same format (a held-back set). Not a timing: the
// figures for the closing note, and with --dettagli every miss and every wrong proposal.
//
//   build/release/bench/bench_citazioni_qualita [FOLDER] [--dettagli]

#include "support/CitazioniOro.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

namespace {

void tabella(QTextStream& out, const oro::Valutazione& v, const QString& titolo) {
    out << titolo << "\n";
    out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
               .arg(QStringLiteral("tipo"), -22)
               .arg(QStringLiteral("attese"), 7)
               .arg(QStringLiteral("proposte"), 9)
               .arg(QStringLiteral("giuste"), 7)
               .arg(QStringLiteral("precisione"), 11)
               .arg(QStringLiteral("richiamo"), 9);
    const auto riga = [&out](const QString& tipo, const oro::Conteggio& c) {
        out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                   .arg(tipo, -22)
                   .arg(c.attesi, 7)
                   .arg(c.proposti, 9)
                   .arg(c.giusti, 7)
                   .arg(c.precisione(), 11, 'f', 3)
                   .arg(c.richiamo(), 9, 'f', 3);
    };
    for (auto it = v.perTipo.cbegin(); it != v.perTipo.cend(); ++it)
        riga(it.key(), it.value());
    riga(QStringLiteral("TOTALE"), v.totale);
    out << "\n";
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments().mid(1);
    const bool dettagli = args.contains(QStringLiteral("--dettagli"));
    QString cartella;
    for (const QString& a : args)
        if (!a.startsWith(QStringLiteral("--")))
            cartella = a;
    if (cartella.isEmpty()) {
        const QString env = qEnvironmentVariable("QUILLARO_FIXTURES");
        cartella =
            (env.isEmpty() ? QStringLiteral(QUILLARO_FIXTURES_DIR) : env) + QStringLiteral("/citations");
    }
    if (!QFileInfo::exists(cartella + QStringLiteral("/annotations.jsonl"))) {
        QTextStream(stderr) << "Manca " << cartella << "/annotations.jsonl\n";
        return 1;
    }
    const QList<oro::Passaggio> passaggi = oro::passaggi(cartella);
    const QList<oro::Riga> righe = oro::oro(cartella);
    out << "Passaggi: " << passaggi.size() << " in " << cartella << "\n\n";
    const oro::Valutazione conSelf = oro::valuta(passaggi, righe, true);
    tabella(out, conSelf, QStringLiteral("Con le righe dell'identificativo del documento stesso (self):"));
    tabella(out, oro::valuta(passaggi, righe, false), QStringLiteral("Senza le righe self:"));
    if (dettagli) {
        for (const QString& m : conSelf.mancati)
            out << "mancata: " << m << "\n";
        for (const QString& e : conSelf.errati)
            out << "errata:  " << e << "\n";
    }
    return 0;
}
