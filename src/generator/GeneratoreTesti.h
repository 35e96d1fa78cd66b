#pragma once

// The texts and persons of generated documents. Titles are put together from a legal vocabulary
// large enough that two articles rarely share one (a delivery of deliveries is not a list of
// duplicates), with the references to acts and decisions that real titles carry.

#include "generator/GeneratoreCasuale.h"
#include "store/DocumentBuffer.h"

#include <QString>
#include <QStringList>

QString TitoloGenerato(Casuale& r);
// The same title typed again by another operator: as it was, in other case and punctuation, or
// with a letter dropped or doubled.
QString TitoloRibattuto(Casuale& r, const QString& titolo);

QString RiassuntoGenerato(Casuale& r);
QString SommarioGenerato(Casuale& r);
QString InTemaDiGenerato(Casuale& r);
QString AbstractGenerato(Casuale& r);
QString TraduzioneGenerata(Casuale& r);
// The compiler's proposal of a new descriptor for a heading (one of the scheme's when given).
QString NotaCompilatoreGenerata(Casuale& r, const QStringList& sistematici);

// The k-th person of the generator's population (surname and given name; one in a hundred
// without a given name).
VoceResponsabilita PersonaGenerata(qint64 k, bool autore);
