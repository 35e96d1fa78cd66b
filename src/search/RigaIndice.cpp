#include "search/RigaIndice.h"

#include "search/Estratto.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <lz4.h>

namespace {

std::string utf8(const QString& s) {
    const QByteArray b = s.toUtf8();
    return std::string(b.constData(), static_cast<size_t>(b.size()));
}

QString inverti(const QString& s) {
    // By code points, so that a character outside the BMP stays whole.
    const QList<uint> punti = s.toUcs4();
    QString out;
    out.reserve(s.size());
    for (auto it = punti.crbegin(); it != punti.crend(); ++it)
        out += QString::fromUcs4(reinterpret_cast<const char32_t*>(&*it), 1);
    return out;
}

// The marks of an excerpt and of the borders between entries must not come from the texts.
QString senzaSegni(QString s) {
    for (const char16_t segno : {kInizioEvidenza, kFineEvidenza, kConfineVoci, kSegnoTitolo})
        s.replace(QChar(segno), QChar(0xFFFD));
    return s;
}

QString unisci(const QStringList& parti, const QString& sep) {
    QStringList piene;
    for (const QString& p : parti)
        if (!p.trimmed().isEmpty())
            piene << p;
    return piene.join(sep);
}

// The entries of a field as the index stores them: the separator the operator reads, then the
// border no phrase runs across.
QString voci(const QStringList& parti, const QString& sep) {
    QStringList piene;
    for (const QString& p : parti)
        if (!p.trimmed().isEmpty())
            piene << senzaSegni(p);
    return piene.join(sep + QChar(kConfineVoci));
}

// The authors as the duplicates compare them: folded, one per line.
QString chiaveAutori(const QStringList& autori) {
    QStringList out;
    for (const QString& a : autori) {
        const QString p = TestoPiegato(a);
        if (!p.isEmpty())
            out << p;
    }
    return out.join(u'\n');
}

QString riferimento(const DocumentoIndice& d) {
    QStringList parti;
    parti << unisci({d.rivista, d.titoloRivista}, QStringLiteral(" - "));
    if (!d.data.isEmpty() && d.data != u"0000-00-00")
        parti << d.data;
    if (!d.fascicolo.trimmed().isEmpty())
        parti << QStringLiteral("fasc. ") + d.fascicolo;
    if (!d.volume.trimmed().isEmpty())
        parti << QStringLiteral("vol. ") + d.volume;
    if (!d.annata.trimmed().isEmpty())
        parti << QStringLiteral("annata ") + d.annata;
    if (!d.pagine.trimmed().isEmpty())
        parti << QStringLiteral("pp. ") + d.pagine;
    return unisci(parti, QStringLiteral(", "));
}

} // namespace

RigaIndice PreparaRiga(const DocumentoIndice& d, const QString& nomeArchivio, PreparatoreToken& token) {
    RigaIndice r;
    r.numero = d.numero;
    r.firma = d.firma();
    r.identificativo = utf8(d.identificativo);
    r.rivista = utf8(d.rivista);
    r.anno = utf8(d.anno());
    r.titolo = utf8(d.titolo);
    r.riferimento = utf8(riferimento(d));
    const QString chiave = ChiaveTitolo(d.titolo);
    r.chiaveTitolo = utf8(chiave);
    r.chiaveInversa = utf8(inverti(chiave));
    r.chiaveFascicolo = utf8(d.chiaveFascicolo());
    r.autori = utf8(chiaveAutori(d.autori));
    QStringList altro{QString::number(d.numero), d.identificativo, d.fascicolo, d.volume, d.pagine, d.url};
    QStringList anni{d.anno()};
    if (d.annata.trimmed() != d.anno())
        anni << d.annata;
    const QString campi[kCampiIndice] = {
        QChar(kSegnoTitolo) + voci({d.titolo, d.traduzione}, QStringLiteral("\n")),
        voci(d.autori, QStringLiteral("; ")),
        voci(d.fonti, QStringLiteral("; ")),
        voci(d.testi, QStringLiteral("\n")),
        voci({d.rivista, d.titoloRivista}, QStringLiteral(" - ")),
        voci(anni, QStringLiteral(" ")),
        voci(d.classi, QStringLiteral("; ")),
        senzaSegni(nomeArchivio),
        voci(altro, QStringLiteral(" ")),
    };
    r.campi.resize(kCampiIndice);
    for (int c = 0; c < kCampiIndice; ++c)
        token.prepara(utf8(campi[c]), r.campi[static_cast<size_t>(c)]);
    return r;
}

QByteArray DizionarioDa(const std::vector<RigaIndice>& righe) {
    // The texts of documents spread over those given, the longest field (the texts) last: the
    // compressor finds matches best at the end of its dictionary.
    QByteArray d;
    const size_t passo = std::max<size_t>(1, righe.size() / 12);
    for (size_t i = 0; i < righe.size() && d.size() < kDizionarioMassimo; i += passo)
        for (const TokenPreparati& c : righe[i].campi)
            d.append(c.testo.data(), static_cast<qsizetype>(c.testo.size()));
    return d.right(kDizionarioMassimo);
}

// The length of the whole (four bytes, little-endian), then the lengths of the fields and the fields,
// compressed with LZ4 against the dictionary: the texts take a third of the room they would as the
// engine keeps them, at a tenth of what zlib cost.
QByteArray ComprimiCampi(const std::vector<TokenPreparati>& campi, const QByteArray& dizionario) {
    QByteArray chiaro;
    qsizetype totale = 4 * static_cast<qsizetype>(campi.size());
    for (const TokenPreparati& c : campi)
        totale += static_cast<qsizetype>(c.testo.size());
    chiaro.reserve(totale);
    for (const TokenPreparati& c : campi) {
        char lunghezza[4];
        qToLittleEndian(static_cast<quint32>(c.testo.size()), lunghezza);
        chiaro.append(lunghezza, 4);
    }
    for (const TokenPreparati& c : campi)
        chiaro.append(c.testo.data(), static_cast<qsizetype>(c.testo.size()));
    const int n = static_cast<int>(chiaro.size());
    QByteArray out(4 + LZ4_compressBound(n), Qt::Uninitialized);
    qToLittleEndian(static_cast<quint32>(n), out.data());
    LZ4_stream_t flusso;
    LZ4_initStream(&flusso, sizeof(flusso));
    LZ4_loadDict(&flusso, dizionario.constData(), static_cast<int>(dizionario.size()));
    const int compressi =
        LZ4_compress_fast_continue(&flusso, chiaro.constData(), out.data() + 4, n, LZ4_compressBound(n), 1);
    out.truncate(4 + compressi);
    return out;
}

std::optional<QList<QByteArray>> DecomprimiCampi(const QByteArray& contenuto, const QByteArray& dizionario) {
    constexpr qsizetype testata = 4 * kCampiIndice;
    if (contenuto.size() < 4)
        return std::nullopt;
    const quint32 n = qFromLittleEndian<quint32>(contenuto.constData());
    // A document's fields are far below this: a larger length is damage, not text.
    if (n < static_cast<quint32>(testata) || n > (1u << 30))
        return std::nullopt;
    QByteArray chiaro(static_cast<qsizetype>(n), Qt::Uninitialized);
    if (LZ4_decompress_safe_usingDict(contenuto.constData() + 4, chiaro.data(),
                                      static_cast<int>(contenuto.size() - 4), static_cast<int>(n),
                                      dizionario.constData(),
                                      static_cast<int>(dizionario.size())) != static_cast<int>(n))
        return std::nullopt;
    QList<QByteArray> campi;
    qsizetype da = testata;
    for (int c = 0; c < kCampiIndice; ++c) {
        const quint32 lunghezza = qFromLittleEndian<quint32>(chiaro.constData() + 4 * c);
        if (lunghezza > static_cast<quint64>(chiaro.size() - da))
            return std::nullopt;
        campi << chiaro.mid(da, static_cast<qsizetype>(lunghezza));
        da += static_cast<qsizetype>(lunghezza);
    }
    if (da != chiaro.size())
        return std::nullopt;
    return campi;
}
