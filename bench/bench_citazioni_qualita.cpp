// Precision, recall and exactness of the recogniser of cited sources, per kind, on annotated
// passages in the format of the shared fixtures (citations/: passages.jsonl, annotations.jsonl,
// and the parts in its subfolders): the fixtures' folder by default, or another folder of the same
// format (a held-back set). Not a timing: the figures for the closing note, the misses grouped by
// the form they are written in, and with --dettagli every miss, every inexact and every wrong
// proposal. --solo reads the folder without its subfolders.
//
//   build/release/bench/bench_citazioni_qualita [FOLDER] [--dettagli] [--solo]

#include "support/CitazioniOro.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

namespace {

void tabella(QTextStream& out, const oro::Valutazione& v, const QString& titolo) {
    out << titolo << "\n";
    out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8\n")
               .arg(QStringLiteral("tipo"), -22)
               .arg(QStringLiteral("attese"), 7)
               .arg(QStringLiteral("proposte"), 9)
               .arg(QStringLiteral("trovate"), 8)
               .arg(QStringLiteral("esatte"), 7)
               .arg(QStringLiteral("precisione"), 11)
               .arg(QStringLiteral("richiamo"), 9)
               .arg(QStringLiteral("esattezza"), 10);
    const auto riga = [&out](const QString& tipo, const oro::Conteggio& c) {
        out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8\n")
                   .arg(tipo, -22)
                   .arg(c.attesi, 7)
                   .arg(c.proposti, 9)
                   .arg(c.trovati, 8)
                   .arg(c.giusti, 7)
                   .arg(c.precisioneTrovati(), 11, 'f', 3)
                   .arg(c.richiamoTrovati(), 9, 'f', 3)
                   .arg(c.esattezza(), 10, 'f', 3);
    };
    for (auto it = v.perTipo.cbegin(); it != v.perTipo.cend(); ++it)
        riga(it.key(), it.value());
    riga(QStringLiteral("TOTALE"), v.totale);
    out << QStringLiteral("esatte sul totale: precisione %1, richiamo %2\n\n")
               .arg(v.totale.precisione(), 0, 'f', 3)
               .arg(v.totale.richiamo(), 0, 'f', 3);
}

void perForma(QTextStream& out, const oro::Valutazione& v) {
    out << "Mancate e inesatte per forma (una riga può contare in più forme):\n";
    QStringList chiavi = v.mancatiPerForma.keys();
    for (const QString& k : v.inesattiPerForma.keys())
        if (!chiavi.contains(k))
            chiavi << k;
    std::sort(chiavi.begin(), chiavi.end(), [&v](const QString& a, const QString& b) {
        return v.mancatiPerForma.value(a) > v.mancatiPerForma.value(b);
    });
    for (const QString& k : chiavi)
        out << QStringLiteral("  %1 mancate %2  inesatte %3\n")
                   .arg(k, -14)
                   .arg(v.mancatiPerForma.value(k), 4)
                   .arg(v.inesattiPerForma.value(k), 4);
    out << "\n";
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments().mid(1);
    const bool dettagli = args.contains(QStringLiteral("--dettagli"));
    const bool solo = args.contains(QStringLiteral("--solo"));
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
    const oro::Insieme dati = oro::insieme(cartella, !solo);
    out << "Passaggi: " << dati.passaggi.size() << ", righe: " << dati.righe.size() << " in " << cartella
        << (solo ? "" : " e nelle sue parti") << "\n\n";
    const oro::Valutazione conSelf = oro::valuta(dati.passaggi, dati.righe, true);
    tabella(out, conSelf, QStringLiteral("Con le righe dell'identificativo del documento stesso (self):"));
    tabella(out, oro::valuta(dati.passaggi, dati.righe, false), QStringLiteral("Senza le righe self:"));
    perForma(out, conSelf);
    if (dettagli) {
        for (const QString& m : conSelf.mancati)
            out << "mancata:  " << m << "\n";
        for (const QString& m : conSelf.inesatti)
            out << "inesatta: " << m << "\n";
        for (const QString& e : conSelf.errati)
            out << "errata:   " << e << "\n";
    }
    return 0;
}
