#pragma once

// What the program and its Jet reader (a child process, quillaro-jet-reader) say to each other.
// The program writes one command a line on the reader's standard input; the reader answers with
// frames on its standard output: a 32-bit little-endian length, then a kind byte and its content.
//
//   tabelle     ->  'W'* then 'T' (the tables), or 'E'
//   righe N     ->  'R'* (the rows of the table N of the list), 'W'*, then 'F', or 'E'
//
// On start the reader opens its file and answers 'A' (the Jet version) or 'E'.

#include "import/JetSource.h"

#include <QByteArray>

// The limits a reader works within; past one the reading is given up and the file is damaged.
struct LimitiLettoreJet {
    int secondiSilenzio = 5;     // longest wait for the reader's next word
    qint64 memoriaMB = 1024;     // memory of the reader
    int secondiCpu = 300;        // processor time of the reader, in all
    qint64 quadroMassimoMB = 64; // one frame (a row)
    // Everything the reader may send for one file: many times the file's size, and never less
    // than this.
    qint64 uscitaMinimaMB = 256;
    int uscitaPerByteDelFile = 64;
};

namespace ProtocolloJet {

enum Tipo : char {
    Aperto = 'A',
    Tabelle = 'T',
    Riga = 'R',
    Fine = 'F',
    Avvisi = 'W',
    Errore = 'E',
};

// A frame whole, length included.
QByteArray quadro(Tipo tipo, const QByteArray& contenuto);

QByteArray aperto(int version);
QByteArray tabelle(const QList<JetTable>& tables);
QByteArray riga(const QVariantList& values);
QByteArray avvisi(const QStringList& lines);
QByteArray errore(const JetError& error);

// Reading the contents back; each throws std::runtime_error when the bytes do not make one.
int leggiAperto(const QByteArray& contenuto);
QList<JetTable> leggiTabelle(const QByteArray& contenuto);
QVariantList leggiRiga(const QByteArray& contenuto);
QStringList leggiAvvisi(const QByteArray& contenuto);
JetError leggiErrore(const QByteArray& contenuto);

} // namespace ProtocolloJet
