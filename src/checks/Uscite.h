#pragma once

// What the whole-archive runs of the checks share: where their files go in single-archive and in
// update mode, how a failure reaches the operator, and the safe forms of archive text for HTML.

#include "store/AppState.h"
#include "store/TextOutput.h"

#include <functional>

// Single-archive mode: dump/ + the given name, created or truncated. Update mode: the batch's
// output path (state.FileScelto), opened for appending; with `sezione` the section is opened by
// "Consegna " + Consegna.
void ApriUscita(TextOutput& file, AppState& state, const QString& nomeSingolo, bool sezione);

// One read transaction for the length of a run: the run sees one state of the archive, and
// SQLite takes its file lock once instead of for every statement of every document. Nothing is
// written inside it. A connection already inside a transaction is left as it is.
class LetturaUnica {
public:
    explicit LetturaUnica(cConnessione& connessione);
    ~LetturaUnica();
    LetturaUnica(const LetturaUnica&) = delete;
    LetturaUnica& operator=(const LetturaUnica&) = delete;

private:
    cConnessione& connessione_;
    bool attiva_ = false;
};

// Writes a text that may hold line breaks as one line per part, so that every line of the file
// ends with CR LF whatever the archive stored.
void ScriviRighe(TextOutput& file, QStringView testo);

// Runs an operation as the menus start it. In update mode a failure propagates to the batch,
// which reports it and ends; in single-archive mode it is shown with its message and the answer
// is false. Either way the files stay as they were before the run.
bool SegnalaErrori(AppState& state, const std::function<void()>& operazione);

// The message of a failure as the operator reads it: "<number> --> <description>" for a refused
// statement, the reason otherwise.
QString DescrizioneErrore(const std::exception& e);

// Archive text made safe for HTML (htmlEscape of the output layer): the quotes are escaped only in
// an attribute value.
enum class Contesto { Testo, Attributo };
QString TestoHtml(QStringView testo, Contesto contesto = Contesto::Testo);

// Text encoded for a URL (query or fragment): everything but letters, digits and -._~ is
// percent-encoded from its UTF-8 bytes.
QString TestoUrl(const QString& testo);
