#include "store/AppState.h"

#include "store/mdlGlobale.h"

#include <QFileInfo>
#include <limits>

AppState::AppState(const HomeFolder& h, Dialogs& d)
    : home(h), settings(Settings::load(h)), dialogs(&d), Mesi(NomiMesi()) {
    for (int i = 0; i < InfoCount; ++i)
        Info << QString();
}

qint64 AppState::NumInizio() const {
    return Info.value(InfoNumInizio).trimmed().toLongLong();
}

qint64 NumeroSpostato(qint64 numero, qint64 scarto) {
    constexpr qint64 massimo = std::numeric_limits<qint64>::max();
    constexpr qint64 minimo = std::numeric_limits<qint64>::min();
    if (scarto > 0 && numero > massimo - scarto)
        return massimo;
    if (scarto < 0 && numero < minimo - scarto)
        return minimo;
    return numero + scarto;
}

QString AppState::archivioCorrente() const {
    if (!ArchivioAperto || NomeArchivio.isEmpty())
        return {};
    const QFileInfo file(NomeArchivio);
    const QString canonical = file.canonicalFilePath();
    return canonical.isEmpty() ? file.absoluteFilePath() : canonical;
}

QString NumeroQuattroCifre(qint64 numero) {
    return QString::number(numero).rightJustified(4, u'0');
}

QString IdentificativoDocumento(const AppState& state, qint64 numero) {
    return state.AnnoProduzione() + state.IDCentroSpoglio() + NumeroQuattroCifre(numero);
}

bool ApriCatalogo(AppState& state) {
    if (state.CatalogoAperto)
        return false;
    const QString connection = cConnessione::connectionStringFor(state.home.cataloguePath());
    if (!state.ConnessioneCatalogo.ApriConnessione(connection, FileKind::Catalogue))
        return false;
    state.CatalogoAperto = true;
    return true;
}

void ChiudiCatalogo(AppState& state) {
    if (!state.CatalogoAperto)
        return;
    state.ConnessioneCatalogo.ChiudiConnessione();
    state.CatalogoAperto = false;
}

void NotificaDocumentoSalvato(AppState& state, qint64 IDDoc) {
    for (const auto& o : state.osservatori) {
        try {
            o->documentoSalvato(state, IDDoc);
        } catch (const std::exception&) {
            // The document is saved; a listener that failed catches up on its own.
        }
    }
}

void NotificaDocumentiCancellati(AppState& state, const QList<qint64>& IDDocumenti) {
    for (const auto& o : state.osservatori) {
        try {
            o->documentiCancellati(state, IDDocumenti);
        } catch (const std::exception&) {
            // As above: the deletion stands.
        }
    }
}
