#include "documents/Testi.h"

QString* testoFrmTesti(DocumentBuffer& buffer, int tipo) {
    switch (tipo) {
    case 0:
        return &buffer.TestoRiassunto;
    case 1:
        return &buffer.TestoSommario;
    case 2:
        return &buffer.TestoInTemaDi;
    case 3:
        return &buffer.TestoEnglishAbstract;
    default:
        return nullptr;
    }
}

QString* testoFrmAltriTesti(DocumentBuffer& buffer, int tipo) {
    switch (tipo) {
    case 3:
        return &buffer.TestoTraduzione;
    case 5:
        return &buffer.TestoNotaDoc;
    default:
        return nullptr;
    }
}

TitoliTesto titoliFrmTesti(int tipo) {
    switch (tipo) {
    case 0:
        return {QStringLiteral("Testo riassunto"), QStringLiteral("Riassunto")};
    case 1:
        return {QStringLiteral("Testo sommario"), QStringLiteral("Sommario")};
    case 2:
        return {QStringLiteral("Testo 'In tema di'"), QStringLiteral("In tema di")};
    case 3:
        return {QStringLiteral("Testo 'English abstract'"), QStringLiteral("English abstract")};
    default:
        return {};
    }
}

QString senzaACapo(const QString& testo) {
    QString out;
    out.reserve(testo.size());
    for (const QChar c : testo) {
        if (c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            continue;
        out += c;
    }
    return out;
}

QString testoDaMemorizzare(const QString& testo) {
    QString out = senzaACapo(testo);
    out.remove(u'\t');
    return out;
}

bool testoAbbandonabile(Dialogs& ui, const QString& attuale, const QString& mostrato) {
    return attuale == mostrato ||
           ui.askYesNo(QStringLiteral("Il testo è stato modificato: chiudere senza salvarlo?"));
}
