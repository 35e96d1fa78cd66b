#include "app/gui/MDIQuillaro.h"
#include "store/ArchiviRecenti.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

void MDIQuillaro::creaMenuRecenti() {
    // Archives gone since the last session leave the list now; one that goes during this session
    // stays, disabled, until the next start.
    DimenticaArchiviMancanti(state_.home);

    mnuFileRecenti = new QMenu(QStringLiteral("Archivi &recenti"), mnuFile);
    mnuFileRecenti->setObjectName(QStringLiteral("mnuFileRecenti"));
    mnuFileRecenti->menuAction()->setObjectName(QStringLiteral("mnuFileRecenti"));
    mnuFileRecenti->setToolTipsVisible(true);
    // After "Apri", whatever other items the File menu gets.
    mnuFile->insertMenu(mnuFileChiudi, mnuFileRecenti);

    // A fixed set of items whose texts change: an item is never deleted while it is being run.
    for (int i = 0; i < kArchiviRecenti; ++i) {
        QAction* voce = mnuFileRecenti->addAction(QString());
        voce->setObjectName(QStringLiteral("mnuFileRecenti%1").arg(i + 1));
        connect(voce, &QAction::triggered, this, [this, voce] { apriArchivio(voce->data().toString()); });
        azioniRecenti_ << voce;
    }
    nessunRecente_ = mnuFileRecenti->addAction(QStringLiteral("(nessun archivio aperto di recente)"));
    nessunRecente_->setObjectName(QStringLiteral("mnuFileRecentiNessuno"));
    nessunRecente_->setEnabled(false);

    // Opening another archive is possible exactly when File > Apri is.
    mnuFileRecenti->menuAction()->setEnabled(mnuFileApri->isEnabled());
    connect(mnuFileApri, &QAction::enabledChanged, mnuFileRecenti->menuAction(), &QAction::setEnabled);
    // A file may have gone since the list was drawn.
    connect(mnuFileRecenti, &QMenu::aboutToShow, this, &MDIQuillaro::aggiornaMenuRecenti);
    aggiornaMenuRecenti();
}

void MDIQuillaro::aggiornaMenuRecenti() {
    const QList<ArchivioRecente> recenti = LeggiArchiviRecenti(state_.home);
    for (int i = 0; i < azioniRecenti_.size(); ++i) {
        QAction* voce = azioniRecenti_[i];
        if (i >= recenti.size()) {
            voce->setVisible(false);
            continue;
        }
        const ArchivioRecente& a = recenti[i];
        // Each its own letter: 1 to 9, then 0 for the tenth.
        const QString numero = i < 9    ? QStringLiteral("&%1").arg(i + 1)
                               : i == 9 ? QStringLiteral("1&0")
                                        : QString::number(i + 1);
        QString dettagli = a.consegna.isEmpty() ? QString() : QStringLiteral("consegna ") + a.consegna;
        if (a.aperto.isValid())
            dettagli += (dettagli.isEmpty() ? QString() : QStringLiteral(", ")) +
                        a.aperto.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
        QString testo = numero + u' ' + QFileInfo(a.percorso).fileName();
        if (!dettagli.isEmpty())
            testo += QStringLiteral("  (") + dettagli + u')';
        // An "&" of a name is shown, not taken as an accelerator.
        voce->setText(numero + testo.mid(numero.size()).replace(u'&', QStringLiteral("&&")));
        voce->setData(a.percorso);
        const bool c = a.esiste();
        voce->setEnabled(c);
        voce->setToolTip(
            c ? QDir::toNativeSeparators(a.percorso)
              : QStringLiteral("Il file %1 non c'è più: sarà tolto dall'elenco al prossimo avvio.")
                    .arg(QDir::toNativeSeparators(a.percorso)));
        voce->setStatusTip(voce->toolTip());
        voce->setVisible(true);
    }
    nessunRecente_->setVisible(recenti.isEmpty());
}

void MDIQuillaro::ricordaArchivio() {
    QString errore;
    if (!RegistraArchivioRecente(state_.home,
                                 {state_.archivioCorrente(), state_.Consegna(), QDateTime::currentDateTime()},
                                 &errore))
        // Only the convenience of the list is lost; the archive is open.
        qWarning("Archivi recenti non aggiornati: %s", qPrintable(errore));
    aggiornaMenuRecenti();
}
