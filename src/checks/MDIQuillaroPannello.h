#pragma once

// The background of the main window's MDI area, under any open window: with an archive open, where
// its delivery stands (StatoConsegna) with each step a link that runs it; with none open, the
// recent archives with "Nuovo archivio" and "Apri archivio...". It only draws what it is given.

#include "checks/StatoConsegna.h"
#include "store/ArchiviRecenti.h"

#include <QHash>
#include <QWidget>

class QAction;
class QFormLayout;
class QFrame;
class QLabel;
class QPushButton;
class QTreeWidget;

class PannelloConsegna : public QWidget {
    Q_OBJECT

public:
    // A child of the MDI area's viewport, kept under the windows and as large as the viewport.
    explicit PannelloConsegna(QWidget* viewport);

    // The step links run these actions (by AggiornaInfo's code); the two buttons of the recent
    // archives run File > Nuovo and File > Apri and follow their enabled state.
    void collegaAzioni(const QHash<QString, QAction*>& passi, QAction* nuovo, QAction* apri);

    void mostraConsegna(const StatoConsegna& stato);
    void mostraRecenti(const QList<ArchivioRecente>& recenti);

    // Keyboard focus on what the operator does next: the next step, or the first recent archive.
    void mettiFuoco();

    // The controls, by name, for tests.
    QLabel* lblTitolo = nullptr;
    QLabel* lblCentro = nullptr;
    QLabel* lblAnno = nullptr;
    QLabel* lblConsegna = nullptr;
    QLabel* lblNumInizio = nullptr;
    QLabel* lblArchivio = nullptr;
    QLabel* lblDocumenti = nullptr;
    QLabel* lblFascicoli = nullptr;
    QLabel* lblAvviso = nullptr;    // what keeps the panel from telling everything
    QLabel* lblControllo = nullptr; // when the last check ran, and "da rifare"
    QList<QLabel*> lblElenchi;      // its findings: general, classification, sources
    QList<QLabel*> lblStatoPassi;   // one per step
    QList<QPushButton*> cmdPassi;   // one per step, in working order
    QTreeWidget* lstRecenti = nullptr;
    QLabel* lblNessunRecente = nullptr;
    QPushButton* cmdNuovoArchivio = nullptr;
    QPushButton* cmdApriArchivio = nullptr;

Q_SIGNALS:
    // Enter or a click on a recent archive whose file is there.
    void apriRecente(const QString& percorso);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFrame* creaScheda(const QString& nome);
    void creaConsegna();
    void creaRecenti();
    void adatta();
    void accorciaArchivio();

    QWidget* viewport_;
    QFrame* schedaConsegna_ = nullptr;
    QFrame* schedaRecenti_ = nullptr;
    QLabel* aiutoRecenti_ = nullptr;
    QFormLayout* formConsegna_ = nullptr;
    QFormLayout* formControllo_ = nullptr;
    QHash<QString, QAction*> azioni_;
    int prossimo_ = -1;
};
