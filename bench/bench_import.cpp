// The import of Access files: reading nwind.mdb whole (every table, every row) with the Jet reader, in
// this process and through the reader process the programs use, and importing a fake source of
// 30 000 generated documents with their links and texts.
//
// nwind.mdb is looked for in QUILLARO_JET_FIXTURES, else in the folder set when the build was
// configured. QUILLARO_BENCH_HOME=DIR keeps the generated archive (GEN30000) for reuse.

#include "BenchHome.h"
#include "BenchMain.h"
#include "import/ImportaArchivio.h"
#include "import/JetFile.h"
#include "import/JetProcesso.h"

#include <QCoreApplication>
#include <QFile>

namespace {

QString nwind() {
    QString folder = qEnvironmentVariable("QUILLARO_JET_FIXTURES");
    if (folder.isEmpty())
        folder = QStringLiteral(QUILLARO_JET_FIXTURES_DIR);
    return QDir(folder).filePath(QStringLiteral("nwind.mdb"));
}

// Every row of nwind.mdb, through the source that `open` gives.
template <typename Open> void letturaNwind(benchmark::State& st, Open open) {
    const QString path = nwind();
    if (!QFileInfo::exists(path)) {
        st.SkipWithError(qPrintable(QStringLiteral("%1 not found: set QUILLARO_JET_FIXTURES").arg(path)));
        return;
    }
    qint64 rows = 0;
    for (auto _ : st) {
        rows = 0;
        const auto file = open(path);
        for (const JetTable& t : file->tables())
            file->readRows(t.name, [&](const QVariantList& values) {
                benchmark::DoNotOptimize(values.constData());
                ++rows;
            });
    }
    st.counters["righe"] = static_cast<double>(rows);
}

void BM_LetturaNwind(benchmark::State& st) {
    letturaNwind(st, [](const QString& path) { return JetFile::open(path); });
}

// The same through the reader process: its start, the pipe and the frames are the cost of safety.
void BM_LetturaNwindProcesso(benchmark::State& st) {
    letturaNwind(st, [](const QString& path) { return JetProcesso::open(path); });
}

// A generated archive read as a Jet file would be, table by table, row by row: the fake source
// streams, like the real one, so memory stays flat and the reading is part of the measure.
class ArchivioComeJet : public JetSource {
public:
    explicit ArchivioComeJet(const QString& path) : path_(path) {
        if (!c_.ApriConnessione(path))
            throw std::runtime_error("archive not opened");
        QStringList names;
        {
            RecordSet rs = c_.ApriRS(QStringLiteral("select name from sqlite_master where type = 'table' and "
                                                    "name not like 'sqlite%' order by rowid"));
            for (; !rs.eof(); rs.moveNext())
                names << rs.field(0).toString();
        }
        for (const QString& table : names) {
            JetTable t;
            t.name = table;
            RecordSet cols =
                c_.ApriRS(QStringLiteral("select name, type from pragma_table_info(?)"), {table});
            for (; !cols.eof(); cols.moveNext()) {
                const QString name = cols.field(0).toString();
                if (table == u"legameDocFonte" && name == u"ID")
                    continue; // ours: a Jet archive has no such column
                const bool integer = cols.field(1).toString() == u"INTEGER";
                t.columns << JetColumn{name, integer ? JetType::LongInteger : JetType::Text,
                                       integer ? 4 : 255, false};
            }
            tables_ << t;
        }
    }
    QString path() const override { return path_; }
    int jetVersion() const override { return 4; }
    QList<JetTable> tables() override {
        for (JetTable& t : tables_) {
            RecordSet rs = c_.ApriRS(QStringLiteral("select count(*) from \"%1\"").arg(t.name));
            t.rows = rs.field(0).toLongLong();
        }
        return tables_;
    }
    void readRows(const QString& table, const std::function<void(const QVariantList&)>& row) override {
        const JetTable* t = findJetTable(tables_, table);
        QStringList names;
        for (const JetColumn& c : t->columns)
            names << u'"' + c.name + u'"';
        RecordSet rs =
            c_.ApriRS(QStringLiteral("select %1 from \"%2\" order by rowid").arg(names.join(u", "), table));
        QVariantList values(t->columns.size());
        for (; !rs.eof(); rs.moveNext()) {
            for (int i = 0; i < values.size(); ++i)
                values[i] = rs.field(i).variant();
            row(values);
        }
    }

private:
    QString path_;
    cConnessione c_;
    QList<JetTable> tables_;
};

void BM_Importazione(benchmark::State& st) {
    static BenchHome bench;
    const qint64 documenti = st.range(0);
    ArchivioComeJet source(bench.archivio(documenti));
    const QString name = QStringLiteral("IMPORTATO");
    for (auto _ : st) {
        st.PauseTiming();
        QFile::remove(bench.home().mdbPath(name + QStringLiteral(".db")));
        st.ResumeTiming();
        const EsitoImportazione e = ImportaArchivio(bench.state(), source, name);
        if (!e.riuscita) {
            st.SkipWithError(qPrintable(e.messaggio));
            return;
        }
    }
    st.counters["documenti"] = static_cast<double>(documenti);
}

} // namespace

BENCHMARK(BM_LetturaNwind)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_LetturaNwindProcesso)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_Importazione)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
    return EseguiBenchmark(argc, argv);
}
