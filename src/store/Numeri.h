#pragma once

// Every count the windows show is written one way, the Italian one: 30000 -> "30.000". The files
// whose layout is fixed (error lists, prints, reports) keep their own digits.

#include <QString>
#include <QtGlobal>

QString NumeroItaliano(qint64 n);
