#include "documents/DocumentListModel.h"

#include "checks/RilieviDocumento.h"
#include "checks/Uscite.h"

#include <optional>

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
    conteggi_.clear();
    errori_.clear();
    state_ = &state;
    prefisso_ = state.AnnoProduzione() + state.IDCentroSpoglio();
    inizio_ = state.NumInizio();
    try {
        chiavi_ = ChiaviDocumenti(state.Connessione);
        conteggi_.fill(-1, chiavi_.size());
    } catch (...) {
        endResetModel();
        throw;
    }
    endResetModel();
}

void DocumentListModel::svuota() {
    beginResetModel();
    chiavi_.clear();
    conteggi_.clear();
    errori_.clear();
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
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return voce(index.row());
    case RuoloRilievi:
        return rilievi_ ? rilievi(index.row()) : -1;
    case Qt::ToolTipRole: {
        if (!rilievi_)
            return {};
        const int n = rilievi(index.row());
        if (n == -2)
            return QStringLiteral("Controlli non eseguiti: %1").arg(erroreRilievi(index.row()));
        return n == 0 ? QStringLiteral("Nessun rilievo dei controlli")
                      : ContaRilievi(n) + QStringLiteral(" dei controlli");
    }
    default:
        return {};
    }
}

int DocumentListModel::rilievi(int row) const {
    if (row < 0 || row >= conteggi_.size() || !state_)
        return -1;
    if (conteggi_[row] == -1)
        calcolaRilievi(row, std::min<int>(row + 32, static_cast<int>(conteggi_.size())));
    return conteggi_[row];
}

void DocumentListModel::calcolaRilievi(int da, int a) const {
    AppState& state = *state_;
    if (!state.ArchivioAperto)
        return;
    // A few documents at once, under one read lock of the archive and of the catalogue.
    ApriCatalogo(state);
    std::optional<LetturaUnica> lettura, letturaCatalogo;
    try {
        lettura.emplace(state.Connessione);
        letturaCatalogo.emplace(state.ConnessioneCatalogo);
    } catch (const DbError&) {
    }
    for (int row = da; row < a; ++row) {
        if (conteggi_[row] != -1)
            continue;
        const std::optional<EsitoControlli> esito = RilieviDocumento(state, chiavi_[row]);
        if (!esito) {
            conteggi_[row] = -2;
            errori_.insert(row, QStringLiteral("il documento non è più nell'archivio."));
        } else if (!esito->completo()) {
            conteggi_[row] = -2;
            errori_.insert(row, esito->interruzione);
        } else {
            conteggi_[row] = static_cast<int>(esito->rilievi.size());
        }
    }
}

Qt::ItemFlags DocumentListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}
