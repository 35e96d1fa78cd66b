#include "checks/Controlli.h"

#include "checks/AggiornaInfo.h"
#include "checks/ControlliLettura.h"
#include "checks/ImprontaControllo.h"
#include "checks/RilieviDocumento.h"
#include "checks/Uscite.h"
#include "store/Archivio.h"
#include "store/TextOutput.h"

#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace {

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

FileErrori PercorsiErrori(const AppState& state) {
    FileErrori f;
    if (state.ModoAggiornamento) {
        f.generali = state.FileScelto;
        f.classe = derivaDaErrori(state.FileScelto, QStringLiteral("errclasse."));
        f.fonti = derivaDaErrori(state.FileScelto, QStringLiteral("errfonte."));
    } else {
        f = PercorsiErroriConsegna(state.home, state.Consegna());
    }
    return f;
}

FileErrori PercorsiErroriConsegna(const HomeFolder& home, const QString& consegna) {
    return {home.dumpPath(QStringLiteral("errori.") + fileNamePart(consegna)),
            home.dumpPath(QStringLiteral("errclasse.") + fileNamePart(consegna)),
            home.dumpPath(QStringLiteral("errfonte.") + fileNamePart(consegna))};
}

FileErrori EseguiControlli(AppState& state) {
    FileErrori percorsi;
    {
        BusyScope busy(state.ui(), QStringLiteral("Controllo dei documenti..."));
        LeggiInfo(state);
        CatalogoDelControllo catalogo{state, ApriCatalogo(state)};
        LetturaUnica letturaArchivio(state.Connessione);
        LetturaUnica letturaCatalogo(state.ConnessioneCatalogo);

        percorsi = PercorsiErrori(state);
        if (!state.ModoAggiornamento)
            AnnullaImpronta(state, percorsi);
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

        TextOutput* elenchi[] = {&generali, &classe, &fonti};
        const std::function<void(Rilievo &&)> scrivi = [&elenchi](Rilievo&& r) {
            elenchi[static_cast<int>(r.elenco)]->writeLine(r.testo);
        };
        RecordSet doc =
            state.Connessione.ApriRS(QStringLiteral("select * from tabDocumento order by IDDocumento"));
        const ColonneDocumento colonne = ColonneDocumento::di(doc);
        LetturaControlli lettura(state.Connessione);
        MemoriaCatalogo memoria;
        qint64 fatti = 0;
        for (; !doc.eof(); doc.moveNext()) {
            ControllaDocumento(state, lettura.documento(doc, colonne), scrivi, &memoria);
            busy.progress().setValue(++fatti);
        }
        doc.close();

        generali.writeLine();
        classe.writeLine();
        fonti.writeLine();
        TextOutput::closeTogether({&generali, &classe, &fonti});
    }
    // Recorded once the lists are whole: a run that failed is not a run done.
    AggiornaInfo(state, QStringLiteral("1"));
    if (!state.ModoAggiornamento)
        RegistraImpronta(state, percorsi);
    state.ui().message(QStringLiteral("Fine controllo: ") + state.Consegna());
    return percorsi;
}

void MostraErrori(AppState& state, const QString& code, const QString& nomeFile, const QString& title,
                  const std::function<void(const QString&)>& finestra) {
    LeggiInfo(state);
    AggiornaInfo(state, code);
    const QString path = state.home.dumpPath(nomeFile + fileNamePart(state.Consegna()));
    finishInterruptedGroup(path); // the three lists of one run, even after a kill
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
