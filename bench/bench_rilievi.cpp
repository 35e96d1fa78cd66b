// The rules on one document, as the document window and "Scegli documento" apply them, on the
// generated archive of 30 000 documents. Budgets: a full document (8 texts, 5 persons, 10 pairs,
// 20 sources, the laws looked up in the norms catalogue) in 2 ms; the marks of 3 000 documents of
// the choice list in 300 ms.
//
//   build/release/bench/bench_rilievi [--benchmark_repetitions=N]
//   QUILLARO_BENCH_HOME=DIR keeps the generated archive (GEN30000.db) for the next run.

#include "BenchHome.h"
#include "BenchMain.h"
#include "documents/ControlliDocumento.h"
#include "documents/DocumentListModel.h"
#include "documents/mdlDocumenti.h"
#include "sources/CaricaFonti.h"

#include <QCoreApplication>

namespace {

constexpr qint64 kDocumenti = 30000;

BenchHome& banco() {
    static BenchHome b;
    return b;
}

bool esaminata(const QString& TP) {
    return TP == u"LIO" || TP == u"LICO" || TP == u"LIOA" || TP == u"GICO" || TP == u"GICA";
}

// A document of the archive made full: every text, five persons, ten pairs, and twenty sources of
// the families rule 14 looks into (laws and constitutional decisions of the archive).
struct DocumentoPieno {
    DocumentBuffer buffer;
    DatiDocumento dati;
};

DocumentoPieno documentoPieno(AppState& state) {
    DocumentoPieno p;
    const ListeDocumento liste = CaricaListe(state.Connessione, QDate::currentDate());
    PreparaDati(p.dati, liste);
    p.buffer.IDDocCorrente = 1;
    CaricaDocumento(state.Connessione, state.Mesi, liste, p.buffer, p.dati);
    DocumentBuffer& b = p.buffer;
    p.dati.txtTitolo = QStringLiteral("Titolo del documento");
    p.dati.txtNota = QStringLiteral("Nota a Cass. 11 novembre 2008, n. 26972");
    b.TestoRiassunto = QString(1800, u'r');
    b.TestoSommario = QStringLiteral("1. Premessa. 2. Il caso. 3. Conclusioni.");
    b.TestoTraduzione = QStringLiteral("Title of the document");
    b.TestoNotaDoc = QStringLiteral("Si propone un nuovo descrittore.");
    b.TestoInTemaDi = QStringLiteral("In tema di responsabilità");
    b.TestoEnglishAbstract = QString(1200, u'e');
    b.ElencoResponsabilita.clear();
    for (int i = 0; i < 5; ++i)
        b.ElencoResponsabilita << VoceResponsabilita{0, QStringLiteral("Cognome%1").arg(i),
                                                     QStringLiteral("Nome"), i < 4, false};
    QList<VoceClassificazione> coppie;
    QList<VoceFonte> fonti;
    for (qint64 id = 1; id <= kDocumenti && (coppie.size() < 10 || fonti.size() < 20); ++id) {
        RecordSet rs = state.Connessione.ApriRS(
            QStringLiteral("select CodiceS, CodiceD, Controllo from legameDocClass where IDDoc = ?"), {id});
        for (; !rs.eof() && coppie.size() < 10; rs.moveNext())
            coppie << VoceClassificazione{0, rs.field(0).toString(), rs.field(1).toString(),
                                          rs.field(2).toInt(), false};
        rs.close();
        for (const VoceFonte& v : CaricaFonti(state.Connessione, id, state.Mesi))
            if (fonti.size() < 20 && esaminata(v.TP))
                fonti << v;
    }
    b.ElencoClassificazione = coppie;
    b.ElencoFonti = fonti;
    return p;
}

void BM_DocumentoPieno(benchmark::State& st) {
    AppState& state = banco().aperto(kDocumenti);
    const DocumentoPieno p = documentoPieno(state);
    qsizetype rilievi = 0;
    for (auto _ : st) {
        const EsitoControlli e = ControllaFinestra(state, p.buffer, p.dati);
        if (!e.completo()) {
            st.SkipWithError(qPrintable(e.interruzione));
            return;
        }
        rilievi = e.rilievi.size();
    }
    st.counters["fonti"] = static_cast<double>(p.buffer.ElencoFonti.size());
    st.counters["coppie"] = static_cast<double>(p.buffer.ElencoClassificazione.size());
    st.counters["rilievi"] = static_cast<double>(rilievi);
    ChiudiCatalogo(state);
}

// As the view asks for them: each line's mark, from the first line on.
void BM_SegniScelta(benchmark::State& st) {
    AppState& state = banco().aperto(kDocumenti);
    const int righe = static_cast<int>(st.range(0));
    qint64 conRilievi = 0;
    for (auto _ : st) {
        DocumentListModel elenco;
        elenco.carica(state);
        elenco.mostraRilievi(true);
        conRilievi = 0;
        for (int r = 0; r < righe; ++r)
            conRilievi += elenco.index(r).data(DocumentListModel::RuoloRilievi).toInt() > 0 ? 1 : 0;
        st.PauseTiming();
        ChiudiCatalogo(state);
        st.ResumeTiming();
    }
    st.counters["righe"] = righe;
    st.counters["con_rilievi"] = static_cast<double>(conRilievi);
}

} // namespace

BENCHMARK(BM_DocumentoPieno)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->MinTime(0.5);
BENCHMARK(BM_SegniScelta)
    ->Arg(3000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
    return EseguiBenchmark(argc, argv, [] { banco().archivio(kDocumenti); });
}
