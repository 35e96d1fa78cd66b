#pragma once

// The entries of "Scegli documento" as a list model: only the keys are held, each line is made when
// the view shows it, so that a delivery of any length is listed at once and kept in little memory.

#include "store/AppState.h"

#include <QAbstractListModel>
#include <QHash>
#include <QList>

class DocumentListModel : public QAbstractListModel {
    Q_OBJECT

public:
    // The number of findings of the cataloguing rules of an entry's document (int): -1 while the
    // list is not asked to show them, -2 when the rules could not be applied to it.
    static constexpr int RuoloRilievi = Qt::UserRole + 1;

    explicit DocumentListModel(QObject* parent = nullptr);

    // ElencoDocumenti: the documents of the open archive in key order, numbered from NumInizio.
    // Throws DbError, leaving the list empty.
    void carica(AppState& state);
    void svuota();

    qint64 chiave(int row) const { return chiavi_.value(row); }

    // From now on the entries answer RuoloRilievi (and say it in their tooltip). Each document is
    // checked when its line is first asked for, a few lines at a time, so a long list opens as
    // quickly as without them.
    void mostraRilievi(bool on) { rilievi_ = on; }
    // The findings of the entry's document, worked out now when not known yet; -2 as above.
    int rilievi(int row) const;
    // Why the rules could not be applied to the entry's document (empty when they could).
    QString erroreRilievi(int row) const { return errori_.value(row); }

    // The line of an entry: "<IDDocumento> --> <AnnoProduzione><IDCentroSpoglio><number>".
    QString voce(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void calcolaRilievi(int da, int a) const;

    QList<qint64> chiavi_;
    AppState* state_ = nullptr;
    bool rilievi_ = false;
    mutable QList<int> conteggi_; // per row; -1 not known yet
    mutable QHash<int, QString> errori_;
    QString prefisso_; // AnnoProduzione + IDCentroSpoglio, as read when the list was filled
    qint64 inizio_ = 0;
};

// The keys of the archive's documents in key order.
QList<qint64> ChiaviDocumenti(cConnessione& connection);
