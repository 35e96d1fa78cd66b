#include "import/ProtocolloJet.h"

#include <QDataStream>
#include <QIODevice>
#include <QTimeZone>
#include <QtEndian>
#include <functional>
#include <stdexcept>

namespace ProtocolloJet {

namespace {

// The tag of a value in a row: Null apart from empty text, every type the reader gives.
enum Valore : quint8 { Nullo, Intero, Doppio, Singolo, Testo, DataOra, Byte };

constexpr QDataStream::Version kVersione = QDataStream::Qt_6_0;

QByteArray scrivi(const std::function<void(QDataStream&)>& contenuto) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(kVersione);
    contenuto(out);
    return bytes;
}

// Reads a content whole; what is short or left over is not a frame the reader wrote.
template <typename F> auto leggi(const QByteArray& bytes, F contenuto) {
    QDataStream in(bytes);
    in.setVersion(kVersione);
    auto result = contenuto(in);
    if (in.status() != QDataStream::Ok || !in.atEnd())
        throw std::runtime_error("risposta del lettore non valida");
    return result;
}

} // namespace

QByteArray quadro(Tipo tipo, const QByteArray& contenuto) {
    QByteArray bytes(4, '\0');
    qToLittleEndian<quint32>(static_cast<quint32>(contenuto.size() + 1), bytes.data());
    bytes += tipo;
    bytes += contenuto;
    return bytes;
}

QByteArray aperto(int version) {
    return quadro(Aperto, scrivi([&](QDataStream& out) { out << qint32(version); }));
}

QByteArray tabelle(const QList<JetTable>& tables) {
    return quadro(Tabelle, scrivi([&](QDataStream& out) {
                      out << quint32(tables.size());
                      for (const JetTable& t : tables) {
                          out << t.name << qint64(t.rows) << quint32(t.columns.size());
                          for (const JetColumn& c : t.columns)
                              out << c.name << qint32(c.type) << qint32(c.size) << c.autoNumber;
                      }
                  }));
}

QByteArray riga(const QVariantList& values) {
    return quadro(Riga, scrivi([&](QDataStream& out) {
                      out << quint32(values.size());
                      for (const QVariant& v : values) {
                          switch (v.typeId()) {
                          case QMetaType::UnknownType:
                              out << quint8(Nullo);
                              break;
                          case QMetaType::LongLong:
                              out << quint8(Intero) << v.toLongLong();
                              break;
                          case QMetaType::Double:
                              out << quint8(Doppio) << v.toDouble();
                              break;
                          case QMetaType::Float:
                              out << quint8(Singolo) << v.toFloat();
                              break;
                          case QMetaType::QDateTime:
                              out << quint8(DataOra) << v.toDateTime().toMSecsSinceEpoch();
                              break;
                          case QMetaType::QByteArray:
                              out << quint8(Byte) << v.toByteArray();
                              break;
                          default:
                              out << quint8(Testo) << v.toString();
                              break;
                          }
                      }
                  }));
}

QByteArray avvisi(const QStringList& lines) {
    return quadro(Avvisi, scrivi([&](QDataStream& out) { out << lines; }));
}

QByteArray errore(const JetError& error) {
    return quadro(Errore, scrivi([&](QDataStream& out) {
                      out << error.message() << error.detail() << error.notJet();
                  }));
}

int leggiAperto(const QByteArray& contenuto) {
    return leggi(contenuto, [](QDataStream& in) {
        qint32 version = 0;
        in >> version;
        return int(version);
    });
}

QList<JetTable> leggiTabelle(const QByteArray& contenuto) {
    return leggi(contenuto, [](QDataStream& in) {
        QList<JetTable> tables;
        quint32 count = 0;
        in >> count;
        for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
            JetTable t;
            qint64 rows = 0;
            quint32 columns = 0;
            in >> t.name >> rows >> columns;
            t.rows = rows;
            for (quint32 c = 0; c < columns && in.status() == QDataStream::Ok; ++c) {
                JetColumn col;
                qint32 type = 0;
                qint32 size = 0;
                in >> col.name >> type >> size >> col.autoNumber;
                col.type = type >= 0 && type <= int(JetType::Unknown) ? JetType(type) : JetType::Unknown;
                col.size = size;
                t.columns.append(col);
            }
            tables.append(t);
        }
        return tables;
    });
}

QVariantList leggiRiga(const QByteArray& contenuto) {
    return leggi(contenuto, [](QDataStream& in) {
        quint32 count = 0;
        in >> count;
        QVariantList values;
        values.reserve(std::min<quint32>(count, 1024));
        for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
            quint8 tag = 0;
            in >> tag;
            switch (tag) {
            case Nullo:
                values.append(QVariant());
                break;
            case Intero: {
                qint64 n = 0;
                in >> n;
                values.append(QVariant(n));
                break;
            }
            case Doppio: {
                double d = 0;
                in >> d;
                values.append(QVariant(d));
                break;
            }
            case Singolo: {
                float f = 0;
                in >> f;
                values.append(QVariant(f));
                break;
            }
            case Testo: {
                QString s;
                in >> s;
                values.append(QVariant(s));
                break;
            }
            case DataOra: {
                qint64 ms = 0;
                in >> ms;
                values.append(QVariant(QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc())));
                break;
            }
            case Byte: {
                QByteArray b;
                in >> b;
                values.append(QVariant(b));
                break;
            }
            default:
                in.setStatus(QDataStream::ReadCorruptData);
                break;
            }
        }
        return values;
    });
}

QStringList leggiAvvisi(const QByteArray& contenuto) {
    return leggi(contenuto, [](QDataStream& in) {
        QStringList lines;
        in >> lines;
        return lines;
    });
}

JetError leggiErrore(const QByteArray& contenuto) {
    return leggi(contenuto, [](QDataStream& in) {
        QString message;
        QString detail;
        bool notJet = false;
        in >> message >> detail >> notJet;
        return JetError(message, detail, notJet);
    });
}

} // namespace ProtocolloJet
