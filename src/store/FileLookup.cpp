#include "store/FileLookup.h"

#include <QFileInfo>

QString findIgnoringCase(const QString& folder, const QString& name, QDir::Filters filters) {
    const QDir dir(folder);
    const QString exact = dir.filePath(name);
    const QFileInfo info(exact);
    if (info.exists() &&
        ((info.isDir() && filters.testFlag(QDir::Dirs)) || (!info.isDir() && filters.testFlag(QDir::Files))))
        return exact;
    const QStringList entries = dir.entryList(filters | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return {};
}

namespace {

// The typed name without blanks around it and without one typed extension.
QString senzaEstensione(const QString& typed) {
    QString name = typed.trimmed();
    for (const QString& suffix : {QStringLiteral(".mdb"), QStringLiteral(".db")})
        if (name.endsWith(suffix, Qt::CaseInsensitive)) {
            name.chop(suffix.size());
            return name.trimmed();
        }
    return name;
}

bool controllo(QChar c) {
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

// Device names that Windows opens instead of a file, whatever the extension.
bool nomeRiservato(const QString& name) {
    static const QStringList riservati = {QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                          QStringLiteral("NUL")};
    const QString upper = name.toUpper();
    if (riservati.contains(upper))
        return true;
    return upper.size() == 4 && (upper.startsWith(u"COM") || upper.startsWith(u"LPT")) &&
           upper.at(3) >= u'1' && upper.at(3) <= u'9';
}

} // namespace

QString MotivoNomeArchivio(const QString& typed) {
    const QString name = senzaEstensione(typed);
    const QString esempio = QStringLiteral(" Scrivere soltanto il nome, per esempio CONS1.");
    if (name.isEmpty())
        return QStringLiteral("Il nome dell'archivio è vuoto.") + esempio;
    for (const QChar c : name)
        if (controllo(c))
            return QStringLiteral("Il nome dell'archivio contiene un a capo o un carattere di controllo.") +
                   esempio;
    if (name.contains(u'/') || name.contains(u'\\'))
        return QStringLiteral("Il nome dell'archivio contiene una cartella (/ o \\): gli archivi si creano "
                              "sempre nella cartella mdb della cartella home.") +
               esempio;
    for (const QChar c : name)
        if (QStringView(u":*?\"<>|").contains(c))
            return QStringLiteral("Il nome dell'archivio contiene il carattere %1, che i file system non "
                                  "accettano (nessuno di : * ? \" < > |).")
                       .arg(c) +
                   esempio;
    if (name.startsWith(u'.') || name.endsWith(u'.'))
        return QStringLiteral("Il nome dell'archivio non può cominciare né finire con un punto.") + esempio;
    if (nomeRiservato(name))
        return QStringLiteral("\"%1\" è un nome riservato ai dispositivi di Windows.").arg(name) + esempio;
    if (name.size() > 100)
        return QStringLiteral("Il nome dell'archivio è troppo lungo: al massimo 100 caratteri.");
    return {};
}

QString NomeArchivioValido(const QString& typed) {
    return MotivoNomeArchivio(typed).isEmpty() ? senzaEstensione(typed) : QString();
}
