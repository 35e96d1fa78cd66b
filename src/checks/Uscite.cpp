#include "checks/Uscite.h"

#include <QUrl>

void ApriUscita(TextOutput& file, AppState& state, const QString& nomeSingolo, bool sezione) {
    if (state.ModoAggiornamento) {
        file.open(state.FileScelto, TextOutput::Mode::Append, state.encoding());
        if (sezione)
            file.writeLine(QStringLiteral("Consegna ") + state.Consegna());
    } else {
        file.open(state.home.dumpPath(nomeSingolo), TextOutput::Mode::Truncate, state.encoding());
    }
}

LetturaUnica::LetturaUnica(cConnessione& connessione) : connessione_(connessione) {
    if (!connessione_.isOpen() || connessione_.transactionDepth() > 0)
        return;
    // Deferred: a read-only catalogue can take it too.
    connessione_.executeScript(QStringLiteral("BEGIN"));
    attiva_ = true;
}

LetturaUnica::~LetturaUnica() {
    if (!attiva_ || !connessione_.isOpen())
        return;
    try {
        connessione_.executeScript(QStringLiteral("COMMIT"));
    } catch (const DbError&) {
        // Nothing was written: ending the read cannot lose anything.
    }
}

void ScriviRighe(TextOutput& file, QStringView testo) {
    // Nearly every text is one line (looked for without an early exit, in blocks).
    unsigned interruzioni = 0;
    const char16_t* c = testo.utf16();
    for (qsizetype i = 0; i < testo.size(); ++i)
        interruzioni |= static_cast<unsigned>(c[i] == u'\n') | static_cast<unsigned>(c[i] == u'\r');
    if (interruzioni == 0) {
        file.writeLine(testo);
        return;
    }
    qsizetype start = 0;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        if (testo[i] == u'\r' || testo[i] == u'\n') {
            file.writeLine(testo.mid(start, i - start));
            if (testo[i] == u'\r' && i + 1 < testo.size() && testo[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    file.writeLine(testo.mid(start));
}

QString DescrizioneErrore(const std::exception& e) {
    if (const auto* db = dynamic_cast<const DbError*>(&e))
        return QString::number(db->number()) + QStringLiteral(" --> ") + db->description();
    return QString::fromStdString(e.what());
}

bool SegnalaErrori(AppState& state, const std::function<void()>& operazione) {
    if (state.ModoAggiornamento) {
        operazione();
        return true;
    }
    try {
        operazione();
        return true;
    } catch (const std::exception& e) {
        state.ui().message(DescrizioneErrore(e), applicationTitle(), Buttons::Ok, Icon::Critical);
    }
    return false;
}

QString TestoHtml(QStringView testo, Contesto contesto) {
    return htmlEscape(testo, contesto == Contesto::Attributo);
}

QString TestoUrl(const QString& testo) {
    return QString::fromLatin1(QUrl::toPercentEncoding(testo));
}
