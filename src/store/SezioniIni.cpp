#include "store/SezioniIni.h"

#include <QFile>
#include <QSaveFile>
#include <QUrl>
#include <optional>

namespace {

// The name of a section header line ("[name]"), or nothing when the line is not one.
std::optional<QString> intestazione(QStringView riga) {
    const QStringView t = riga.trimmed();
    if (!t.startsWith(u'[') || !t.contains(u']'))
        return std::nullopt;
    return t.mid(1, t.indexOf(u']') - 1).trimmed().toString();
}

bool stessaSezione(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The file's lines as written, each with its CR when it has one; missing file: none.
QStringList righeGrezze(const QString& path, bool* esiste = nullptr) {
    QFile file(path);
    const bool aperto = file.open(QIODevice::ReadOnly);
    if (esiste)
        *esiste = aperto;
    if (!aperto)
        return {};
    QStringList righe = QString::fromUtf8(file.readAll()).split(u'\n');
    // A file ending with its line end leaves one empty piece after it.
    if (!righe.isEmpty() && righe.constLast().isEmpty())
        righe.removeLast();
    return righe;
}

QString senzaCR(const QString& riga) {
    return riga.endsWith(u'\r') ? riga.chopped(1) : riga;
}

} // namespace

QList<VoceIni> LeggiSezioneIni(const QString& path, const QString& sezione) {
    QList<VoceIni> voci;
    bool dentro = false;
    for (const QString& grezza : righeGrezze(path)) {
        const QString riga = senzaCR(grezza);
        if (const auto nome = intestazione(riga)) {
            dentro = stessaSezione(*nome, sezione);
            continue;
        }
        const QString t = riga.trimmed();
        if (!dentro || t.isEmpty() || t.startsWith(u';') || t.startsWith(u'#'))
            continue;
        const qsizetype uguale = t.indexOf(u'=');
        if (uguale <= 0)
            continue;
        voci.append({t.left(uguale).trimmed(), t.mid(uguale + 1).trimmed()});
    }
    return voci;
}

bool ScriviSezioneIni(const QString& path, const QString& sezione, const QStringList& commento,
                      const QList<VoceIni>& voci, QString* errore) {
    bool esiste = false;
    const QStringList righe = righeGrezze(path, &esiste);
    if (!esiste && QFile::exists(path)) {
        if (errore)
            *errore = QStringLiteral("impossibile leggere %1").arg(path);
        return false;
    }
    // New lines take the file's own line end.
    const bool crlf = !righe.isEmpty() && righe.constFirst().endsWith(u'\r');
    const QString fine = crlf ? QStringLiteral("\r") : QString();

    QStringList blocco;
    blocco << u'[' + sezione + u']' + fine;
    for (const QString& c : commento)
        blocco << QStringLiteral("; ") + c + fine;
    for (const VoceIni& v : voci)
        blocco << v.chiave + u'=' + v.valore + fine;

    QStringList uscita;
    bool scritta = false;
    bool salta = false;
    for (const QString& grezza : righe) {
        if (const auto nome = intestazione(senzaCR(grezza))) {
            if (stessaSezione(*nome, sezione)) {
                if (!scritta) {
                    uscita << blocco;
                    scritta = true;
                }
                salta = true;
                continue;
            }
            if (salta)
                uscita << fine; // the blank line that parts sections
            salta = false;
        }
        if (!salta)
            uscita << grezza;
    }
    if (!scritta) {
        if (!uscita.isEmpty() && !senzaCR(uscita.constLast()).trimmed().isEmpty())
            uscita << fine;
        uscita << blocco;
    }

    QByteArray bytes;
    for (const QString& riga : uscita)
        bytes += riga.toUtf8() + '\n';
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (errore)
            *errore = QStringLiteral("impossibile scrivere %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

QString CodificaIni(const QString& testo) {
    QString out;
    out.reserve(testo.size());
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar c = testo[i];
        const bool estremo = (i == 0 || i == testo.size() - 1) && c.isSpace();
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || estremo || QStringView(u"%|=;#[]").contains(c)) {
            for (const char b : QString(c).toUtf8())
                out += u'%' +
                       QString::number(static_cast<unsigned char>(b), 16).toUpper().rightJustified(2, u'0');
        } else {
            out += c;
        }
    }
    return out;
}

QString DecodificaIni(const QString& testo) {
    return QUrl::fromPercentEncoding(testo.toUtf8());
}
