#include "store/SezioniIni.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>
#include <optional>

namespace {

// Larger than any settings an administrator writes: anything bigger is not our ini.
constexpr qint64 kMassimoIni = 1024 * 1024;

// The name of a section header line ("[name]"), or nothing when the line is not one. The line's
// other bytes may be in any encoding: only the name is read, as UTF-8.
std::optional<QString> intestazione(const QByteArray& riga) {
    const QByteArray t = riga.trimmed();
    if (!t.startsWith('[') || !t.contains(']'))
        return std::nullopt;
    return QString::fromUtf8(t.mid(1, t.indexOf(']') - 1)).trimmed();
}

bool stessaSezione(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The file's lines as written, each with its CR when it has one.
QList<QByteArray> righe(const QByteArray& bytes) {
    QList<QByteArray> out = bytes.split('\n');
    // A file ending with its line end leaves one empty piece after it.
    if (!out.isEmpty() && out.constLast().isEmpty())
        out.removeLast();
    return out;
}

QByteArray senzaCR(const QByteArray& riga) {
    return riga.endsWith('\r') ? riga.chopped(1) : riga;
}

} // namespace

LetturaIni LeggiFileIni(const QString& path, QByteArray& bytes, QString* errore) {
    bytes.clear();
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return LetturaIni::Assente;
    const auto rifiuta = [&](const QString& motivo) {
        if (errore)
            *errore = QStringLiteral("Il file delle impostazioni %1 %2.").arg(path, motivo);
        return LetturaIni::Rifiutata;
    };
    // Asked before opening: opening a FIFO for reading waits for a writer.
    if (!info.isFile())
        return rifiuta(QStringLiteral("non è un file normale (una cartella, un dispositivo, una pipe o un "
                                      "collegamento interrotto): sostituirlo con un file di testo"));
    if (info.size() > kMassimoIni)
        return rifiuta(QStringLiteral("è troppo grande (più di 1 MB): non è un file di impostazioni"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return rifiuta(
            QStringLiteral("non si può leggere (%1): controllarne i permessi").arg(file.errorString()));
    bytes = file.read(kMassimoIni + 1);
    if (file.error() != QFileDevice::NoError)
        return rifiuta(QStringLiteral("non si può leggere (%1)").arg(file.errorString()));
    if (bytes.size() > kMassimoIni)
        return rifiuta(QStringLiteral("è troppo grande (più di 1 MB): non è un file di impostazioni"));
    return LetturaIni::Letta;
}

QList<VoceIni> LeggiSezioneIni(const QString& path, const QString& sezione) {
    QList<VoceIni> voci;
    QByteArray bytes;
    if (LeggiFileIni(path, bytes) != LetturaIni::Letta)
        return voci;
    bool dentro = false;
    for (const QByteArray& grezza : righe(bytes)) {
        const QByteArray riga = senzaCR(grezza);
        if (const auto nome = intestazione(riga)) {
            dentro = stessaSezione(*nome, sezione);
            continue;
        }
        if (!dentro)
            continue;
        const QString t = QString::fromUtf8(riga).trimmed();
        if (t.isEmpty() || t.startsWith(u';') || t.startsWith(u'#'))
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
    QByteArray letti;
    QString motivo;
    if (LeggiFileIni(path, letti, &motivo) == LetturaIni::Rifiutata) {
        if (errore)
            *errore = motivo;
        return false;
    }
    const QList<QByteArray> esistenti = righe(letti);
    // New lines take the file's own line end.
    const bool crlf = !esistenti.isEmpty() && esistenti.constFirst().endsWith('\r');
    const QByteArray fine = crlf ? QByteArray("\r") : QByteArray();

    QList<QByteArray> blocco;
    blocco << (u'[' + sezione + u']').toUtf8() + fine;
    for (const QString& c : commento)
        blocco << (QStringLiteral("; ") + c).toUtf8() + fine;
    for (const VoceIni& v : voci)
        blocco << (v.chiave + u'=' + v.valore).toUtf8() + fine;

    QList<QByteArray> uscita;
    bool scritta = false;
    bool salta = false;
    for (const QByteArray& grezza : esistenti) {
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
    for (const QByteArray& riga : uscita)
        bytes += riga + '\n';
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
