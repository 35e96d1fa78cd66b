#include "store/Numeri.h"

#include <QLocale>

QString NumeroItaliano(qint64 n) {
    static const QLocale italiano(QLocale::Italian, QLocale::Italy);
    return italiano.toString(n);
}
