#include "documents/DocumentListModel.h"

DocumentListModel::DocumentListModel(QObject* parent) : QAbstractListModel(parent) {}

QList<qint64> ChiaviDocumenti(cConnessione& connection) {
    QList<qint64> chiavi;
    RecordSet rs =
        connection.ApriRS(QStringLiteral("select IDDocumento from TabDocumento order by IDDocumento"));
    for (; !rs.eof(); rs.moveNext())
        chiavi.append(rs.field(0).toLongLong());
    return chiavi;
}

void DocumentListModel::carica(AppState& state) {
    beginResetModel();
    chiavi_.clear();
    prefisso_ = state.AnnoProduzione() + state.IDCentroSpoglio();
    inizio_ = state.NumInizio();
    try {
        chiavi_ = ChiaviDocumenti(state.Connessione);
    } catch (...) {
        endResetModel();
        throw;
    }
    endResetModel();
}

void DocumentListModel::svuota() {
    beginResetModel();
    chiavi_.clear();
    endResetModel();
}

QString DocumentListModel::voce(int row) const {
    if (row < 0 || row >= chiavi_.size())
        return {};
    return QString::number(chiavi_[row]) + QStringLiteral(" --> ") + prefisso_ +
           NumeroQuattroCifre(NumeroSpostato(inizio_, row));
}

int DocumentListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(chiavi_.size());
}

QVariant DocumentListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return voce(index.row());
}

Qt::ItemFlags DocumentListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}
