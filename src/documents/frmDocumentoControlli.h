#pragma once

// "Controlli": the panel of the document window that lists the findings of the cataloguing rules on
// the document being written, grouped as the three error lists, under a status line with their
// count. Choosing a finding asks the window to go to the field it concerns.

#include "checks/RilieviDocumento.h"

#include <QGroupBox>

class QLabel;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

class PannelloControlli : public QGroupBox {
    Q_OBJECT

public:
    explicit PannelloControlli(QWidget* parent = nullptr);

    // Shows the findings of the latest evaluation.
    void mostra(const EsitoControlli& esito);
    const EsitoControlli& esito() const { return esito_; }
    // The status line: "Nessun rilievo", "3 rilievi: 2 generici, 1 nelle fonti", ...
    QString stato() const;

    QLabel* lblControlli = nullptr;
    QToolButton* cmdControlli = nullptr; // shows or hides the list
    QTreeWidget* lstControlli = nullptr;

Q_SIGNALS:
    void rilievoScelto(const Rilievo& rilievo);

private:
    void scelto(QTreeWidgetItem* item);
    void aggiornaPulsante();

    EsitoControlli esito_;
};
