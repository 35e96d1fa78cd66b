#include "checks/RegoleRilievi.h"

namespace {

constexpr QStringView kRec = u"(rec. ";

// Where "(rec. N)" begins when the line ends with it, else -1.
qsizetype inizioRec(QStringView riga) {
    // Blanks after it are allowed; the positions stay those of the line.
    while (!riga.isEmpty() && riga.back().isSpace())
        riga.chop(1);
    if (!riga.endsWith(u')'))
        return -1;
    const qsizetype inizio = riga.lastIndexOf(kRec);
    if (inizio < 0)
        return -1;
    const QStringView numero = riga.mid(inizio + kRec.size(), riga.size() - 1 - inizio - kRec.size());
    // Digits only: no sign, no blanks, nothing a document key could not be.
    for (QChar c : numero)
        if (c < u'0' || c > u'9')
            return -1;
    bool ok = false;
    (void)numero.toLongLong(&ok);
    return ok ? inizio : -1;
}

} // namespace

QStringView RegolaDellaRiga(QStringView riga) {
    const qsizetype rec = inizioRec(riga);
    if (rec < 0)
        return {};
    QStringView testo = riga.left(rec);
    // The rules' own texts hold no ": "; the first one ends the rule of a pair or a source.
    if (const qsizetype dettagli = testo.indexOf(u": "); dettagli >= 0)
        testo = testo.left(dettagli);
    return testo.trimmed();
}

std::optional<qint64> DocumentoDellaRiga(QStringView riga) {
    const qsizetype rec = inizioRec(riga);
    if (rec < 0)
        return std::nullopt;
    const QStringView resto = riga.mid(rec + kRec.size());
    return resto.left(resto.indexOf(u')')).toLongLong();
}
