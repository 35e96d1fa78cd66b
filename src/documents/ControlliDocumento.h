#pragma once

// The cataloguing rules on the document the window holds, before it is saved: the document as the
// save would store it now (codes, texts as stored, deleted entries left out, a source's act name
// as its key would give it back), read by the same rules as the check run, so that the window
// shows exactly the lines the error lists will hold for the document once it is saved.

#include "checks/RilieviDocumento.h"
#include "documents/DatiDocumento.h"
#include "store/DocumentBuffer.h"

class DatiFinestra : public DatiControllo {
public:
    DatiFinestra(cConnessione& connection, const DocumentBuffer& buffer, const DatiDocumento& dati);

    qint64 id() const override { return buffer_.IDDocCorrente; }
    bool senzaRiferimento() override;
    QVariant pagine() override;
    std::optional<QString> TD() override;
    std::optional<QString> TAbs() override;
    std::optional<QString> Bib() override;
    bool straniera() override;
    bool haResponsabilita() override;
    bool haEnglishAbstract() override;
    std::optional<QString> traduzione() override;
    bool perOgniTipoTesto(const std::function<void(int tipo)>& tipo) override;
    bool perOgniCoppia(const std::function<void(const CoppiaControllo&)>& coppia) override;
    bool perOgniFonte(const std::function<void(const FonteControllo&)>& fonte) override;

private:
    cConnessione& db_;
    const DocumentBuffer& buffer_;
    const DatiDocumento& dati_;
};

// The findings of the document in the window. The norms catalogue is opened when it is not open
// yet and left open for the next evaluation (the archive's closing closes it).
EsitoControlli ControllaFinestra(AppState& state, const DocumentBuffer& buffer, const DatiDocumento& dati);

// The line the "Documento salvato!" box adds when the saved document still has findings; empty
// when it has none.
QString RigaRilieviAperti(qsizetype rilievi);
