#pragma once

// Whether the three lists of the last check still describe the archive as it is.
//
// SQLite counts every write transaction in the archive's header (the file change counter). When a
// check has written its lists, the home keeps, in the section [controlli] of quillaro.ini, that
// counter with the archive's file and the size and time of each list (the "impronta"). The lists
// are current while the archive's counter is the kept one and the lists are the files then
// written. The delivery's own bookkeeping (AggiornaInfo: a print done, a list seen) writes the
// archive too; it carries the impronta forward when it was current, so only other writes (saving
// or deleting a document, or anything else that changes the archive) leave the check to be redone.
// The file's modification time could not tell a save from a print.

#include "checks/Controlli.h"

#include <QString>
#include <optional>

// The file change counter of an SQLite file; nothing when it cannot be read.
std::optional<quint32> ContatoreModifiche(const QString& archivio);

// Before a single-archive check writes its lists: they no longer describe any state of the archive.
void AnnullaImpronta(const AppState& state, const FileErrori& elenchi);
// After the check has written its lists and recorded itself.
void RegistraImpronta(const AppState& state, const FileErrori& elenchi);
enum class EsitoImpronta {
    Valida,             // the lists describe the open archive as it is
    ArchivioModificato, // they were written for this archive, which has changed since
    Assente,            // nothing kept for these lists and this archive (another archive's lists, an
                        // older run, lists rewritten since)
};
EsitoImpronta VerificaImpronta(const AppState& state, const FileErrori& elenchi);

// Around AggiornaInfo's write: reads the counter before, and afterwards moves every impronta of the
// archive that was current before the write to the counter after it.
class SeguitoImpronta {
public:
    explicit SeguitoImpronta(const AppState& state);
    void avanza();

private:
    const AppState& state_;
    QString archivio_;
    std::optional<quint32> prima_;
};
