#pragma once

// The entries of "Scegli documento" as a list model: only the keys are held, each line is made when
// the view shows it, so that a delivery of any length is listed at once and kept in little memory.

#include "store/AppState.h"

#include <QAbstractListModel>
#include <QList>

class DocumentListModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit DocumentListModel(QObject* parent = nullptr);

    // ElencoDocumenti: the documents of the open archive in key order, numbered from NumInizio.
    // Throws DbError, leaving the list empty.
    void carica(AppState& state);
    void svuota();

    qint64 chiave(int row) const { return chiavi_.value(row); }
    // The line of an entry: "<IDDocumento> --> <AnnoProduzione><IDCentroSpoglio><number>".
    QString voce(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QList<qint64> chiavi_;
    QString prefisso_; // AnnoProduzione + IDCentroSpoglio, as read when the list was filled
    qint64 inizio_ = 0;
};

// The keys of the archive's documents in key order.
QList<qint64> ChiaviDocumenti(cConnessione& connection);
