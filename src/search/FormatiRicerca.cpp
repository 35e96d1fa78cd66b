#include "search/FormatiRicerca.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <stdexcept>

namespace {

QString campoCsv(const QString& v, QChar separatore) {
    if (!v.contains(separatore) && !v.contains(u'"') && !v.contains(u'\n') && !v.contains(u'\r'))
        return v;
    QString out = v;
    out.replace(u'"', QStringLiteral("\"\""));
    return u'"' + out + u'"';
}

// A spreadsheet reads a value that begins so as a formula (and runs it): an apostrophe before it
// makes it text.
QString comeTesto(const QString& v) {
    static const QString inizi = QStringLiteral("=+-@\t\r");
    return !v.isEmpty() && inizi.contains(v.front()) ? u'\'' + v : v;
}

QString senzaEvidenza(QString estratto) {
    estratto.remove(QChar(kInizioEvidenza));
    estratto.remove(QChar(kFineEvidenza));
    return estratto;
}

QString numero(double d) {
    return QString::number(d, 'f', 4);
}

QJsonObject jsonDocumento(const DocumentoDoppione& d) {
    return QJsonObject{
        {QStringLiteral("archive"), d.archivio},          {QStringLiteral("number"), QJsonValue(d.numero)},
        {QStringLiteral("identifier"), d.identificativo}, {QStringLiteral("title"), d.titolo},
        {QStringLiteral("journal"), d.rivista},           {QStringLiteral("year"), d.anno}};
}

} // namespace

QString EstrattoMarcato(const QString& estratto) {
    QString out = estratto;
    out.replace(QChar(kInizioEvidenza), QStringLiteral("**"));
    out.replace(QChar(kFineEvidenza), QStringLiteral("**"));
    return out;
}

QString EstrattoHtml(const QString& estratto) {
    QString out;
    out.reserve(estratto.size() + 32);
    for (const QChar c : SuUnaRiga(estratto)) {
        if (c == QChar(kInizioEvidenza))
            out += QStringLiteral("<b>");
        else if (c == QChar(kFineEvidenza))
            out += QStringLiteral("</b>");
        else if (c == u'&')
            out += QStringLiteral("&amp;");
        else if (c == u'<')
            out += QStringLiteral("&lt;");
        else if (c == u'>')
            out += QStringLiteral("&gt;");
        else
            out += c;
    }
    return out;
}

QString SuUnaRiga(const QString& testo) {
    QString out = testo;
    for (QChar& c : out)
        if (c.category() == QChar::Other_Control || c == QChar(0x2028) || c == QChar(0x2029))
            c = u' ';
    return out;
}

QString RigaRisultato(const RisultatoRicerca& r) {
    return SuUnaRiga(r.archivio) + u'\t' + QString::number(r.numero) + u'\t' + SuUnaRiga(r.identificativo) +
           u'\t' + SuUnaRiga(r.titolo);
}

QByteArray JsonRisultati(const QList<RisultatoRicerca>& risultati) {
    QJsonArray a;
    for (const RisultatoRicerca& r : risultati)
        a.append(QJsonObject{{QStringLiteral("archive"), r.archivio},
                             {QStringLiteral("number"), QJsonValue(r.numero)},
                             {QStringLiteral("identifier"), r.identificativo},
                             {QStringLiteral("title"), r.titolo},
                             {QStringLiteral("journal"), r.rivista},
                             {QStringLiteral("year"), r.anno},
                             {QStringLiteral("snippet"), EstrattoMarcato(r.estratto)},
                             {QStringLiteral("score"), r.punteggio}});
    return QJsonDocument(a).toJson(QJsonDocument::Indented);
}

QString Csv(const QStringList& intestazione, const QList<QStringList>& righe, QChar separatore) {
    QString out;
    const auto riga = [&](const QStringList& campi) {
        for (qsizetype i = 0; i < campi.size(); ++i) {
            if (i > 0)
                out += separatore;
            out += campoCsv(campi[i], separatore);
        }
        out += QStringLiteral("\r\n");
    };
    riga(intestazione);
    for (const QStringList& r : righe)
        riga(r);
    return out;
}

QString CsvFoglio(const QStringList& intestazione, const QList<QStringList>& righe) {
    QList<QStringList> testo;
    testo.reserve(righe.size());
    for (const QStringList& r : righe) {
        QStringList campi;
        campi.reserve(r.size());
        for (const QString& v : r)
            campi << comeTesto(v);
        testo << campi;
    }
    return Csv(intestazione, testo, u';');
}

QString CsvRisultati(const QList<RisultatoRicerca>& risultati) {
    QList<QStringList> righe;
    for (const RisultatoRicerca& r : risultati)
        righe << QStringList{r.archivio, QString::number(r.numero),   r.identificativo,   r.titolo, r.rivista,
                             r.anno,     EstrattoMarcato(r.estratto), numero(r.punteggio)};
    return Csv({QStringLiteral("archive"), QStringLiteral("number"), QStringLiteral("identifier"),
                QStringLiteral("title"), QStringLiteral("journal"), QStringLiteral("year"),
                QStringLiteral("snippet"), QStringLiteral("score")},
               righe);
}

QString CsvFinestraRisultati(const QList<RisultatoRicerca>& risultati) {
    QList<QStringList> righe;
    for (const RisultatoRicerca& r : risultati)
        righe << QStringList{r.archivio, QString::number(r.numero), r.identificativo, r.rivista, r.anno,
                             r.titolo,   senzaEvidenza(r.estratto)};
    return CsvFoglio({QStringLiteral("Archivio"), QStringLiteral("Numero"), QStringLiteral("Identificativo"),
                      QStringLiteral("Rivista"), QStringLiteral("Anno"), QStringLiteral("Titolo"),
                      QStringLiteral("Estratto")},
                     righe);
}

QString RigaDoppioni(const CoppiaDoppioni& c) {
    return SuUnaRiga(c.primo->archivio) + u'\t' + QString::number(c.primo->numero) + u'\t' +
           SuUnaRiga(c.primo->identificativo) + u'\t' + SuUnaRiga(c.secondo->archivio) + u'\t' +
           QString::number(c.secondo->numero) + u'\t' + SuUnaRiga(c.secondo->identificativo) + u'\t' +
           c.motivo + u'\t' + SuUnaRiga(c.primo->titolo);
}

QByteArray JsonDoppioni(const QList<CoppiaDoppioni>& coppie) {
    QJsonArray a;
    for (const CoppiaDoppioni& c : coppie)
        a.append(QJsonObject{{QStringLiteral("first"), jsonDocumento(*c.primo)},
                             {QStringLiteral("second"), jsonDocumento(*c.secondo)},
                             {QStringLiteral("reason"), c.motivo}});
    return QJsonDocument(a).toJson(QJsonDocument::Indented);
}

QString CsvDoppioni(const QList<CoppiaDoppioni>& coppie) {
    QList<QStringList> righe;
    for (const CoppiaDoppioni& c : coppie)
        righe << QStringList{c.primo->archivio,
                             QString::number(c.primo->numero),
                             c.primo->identificativo,
                             c.primo->titolo,
                             c.secondo->archivio,
                             QString::number(c.secondo->numero),
                             c.secondo->identificativo,
                             c.secondo->titolo,
                             c.motivo};
    return Csv({QStringLiteral("archive1"), QStringLiteral("number1"), QStringLiteral("identifier1"),
                QStringLiteral("title1"), QStringLiteral("archive2"), QStringLiteral("number2"),
                QStringLiteral("identifier2"), QStringLiteral("title2"), QStringLiteral("reason")},
               righe);
}

QString CsvFinestraDoppioni(const QList<CoppiaDoppioni>& coppie) {
    QList<QStringList> righe;
    for (const CoppiaDoppioni& c : coppie)
        righe << QStringList{c.primo->archivio,
                             QString::number(c.primo->numero),
                             c.primo->identificativo,
                             c.secondo->archivio,
                             QString::number(c.secondo->numero),
                             c.secondo->identificativo,
                             c.motivo,
                             c.primo->titolo,
                             c.secondo->titolo};
    return CsvFoglio({QStringLiteral("Archivio 1"), QStringLiteral("Numero 1"),
                      QStringLiteral("Identificativo 1"), QStringLiteral("Archivio 2"),
                      QStringLiteral("Numero 2"), QStringLiteral("Identificativo 2"),
                      QStringLiteral("Motivo"), QStringLiteral("Titolo 1"), QStringLiteral("Titolo 2")},
                     righe);
}

void ScriviCsv(const QString& path, const QString& csv) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error(
            QStringLiteral("Impossibile scrivere %1: %2").arg(path, file.errorString()).toStdString());
    const QByteArray bom("\xEF\xBB\xBF");
    const QByteArray testo = csv.toUtf8();
    if (file.write(bom) != bom.size() || file.write(testo) != testo.size() || !file.commit())
        throw std::runtime_error(
            QStringLiteral("Impossibile scrivere %1: %2").arg(path, file.errorString()).toStdString());
}
