#pragma once

// "Controlli": the panel of the document window that lists the findings of the cataloguing rules on
// the document being written, grouped as the three error lists, under a status line with their
// count. Choosing a finding (Enter or a click) asks the window to go to the field it concerns. Under
// each finding, its fixes, one row each: Enter on a fix asks the window to apply it (or to open the
// dialog or field it names); Ctrl+Z in the list, or "Annulla correzione", takes the last one back.

#include "checks/RilieviDocumento.h"
#include "documents/CorrezioniRilievi.h"

#include <QGroupBox>

class QLabel;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

class PannelloControlli : public QGroupBox {
    Q_OBJECT

public:
    explicit PannelloControlli(QWidget* parent = nullptr);

    // Shows the findings of the latest evaluation, each with its fixes (one entry per finding, or
    // none at all).
    void mostra(const EsitoControlli& esito, const QList<CorrezioniRilievo>& correzioni = {});
    // Whether a fix can be taken back ("Annulla correzione" enabled).
    void setAnnullabile(bool annullabile);
    const EsitoControlli& esito() const { return esito_; }
    // The status line: "Nessun rilievo", "3 rilievi: 2 generici, 1 nelle fonti", ...
    QString stato() const;
    // The keyboard comes to the list (the window's Alt+K): unfolded, on a finding.
    void entra();
    // Makes the row of that finding (by its line) the current one, without choosing it: a finding
    // reached from elsewhere (the error lists) stands in the list with its fixes under it.
    void segna(const Rilievo& rilievo);
    // The finding of a row of the list; nullptr for the group titles and the notice of an interruption.
    // A fix's row gives its finding too.
    const Rilievo* rilievoDi(const QTreeWidgetItem* item) const;
    // The fix of a row; nullptr for every other row.
    const Correzione* correzioneDi(const QTreeWidgetItem* item) const;

    QLabel* lblControlli = nullptr;
    QToolButton* cmdControlli = nullptr; // shows or hides the list
    QTreeWidget* lstControlli = nullptr;
    QToolButton* cmdAnnullaCorrezione = nullptr;

Q_SIGNALS:
    void rilievoScelto(const Rilievo& rilievo);
    void correzioneScelta(const Correzione& correzione, const Rilievo& rilievo);
    void annullaCorrezione();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The row of the finding at that index of esito_.
    QTreeWidgetItem* rigaRilievo(int indice);
    QTreeWidgetItem* primoRilievo() const;
    void scelto(QTreeWidgetItem* item);
    void aggiornaPulsante();

    EsitoControlli esito_;
    QList<CorrezioniRilievo> correzioni_;
    int larghezza_ = -1; // of the list's rows when they were last laid out
};
