#pragma once

// Classification pairs: a systematic code with a descriptor (regular, asterisked, or none), each
// with the check code worked out when it is entered.

#include "store/DocumentBuffer.h"
#include "store/cConnessione.h"

#include <QStringList>
#include <optional>

// Check codes.
enum ControlloCoppia { CoppiaValida = 0, CoppiaNonValida = 1, AsteriscoValida = 2, AsteriscoNonValida = 3 };

// "<Controllo> - <CodiceS>; <CodiceD>", with "DEL--" in front of a deleted pair.
QString rigaClassificazione(const VoceClassificazione& voce);
QStringList righeClassificazione(const QList<VoceClassificazione>& elenco);

// The document's pairs; a stored CodiceD "0" is a pair without descriptor.
QList<VoceClassificazione> CaricaClassificazione(cConnessione& connection, qint64 IDDoc);

// "<sigla> - <descrizione>" of a systematic code, nothing when the code is not there.
std::optional<QString> DescrizioneSistematico(cConnessione& connection, const QString& CodiceS);
// The description of a regular descriptor, nothing when the code is not there.
std::optional<QString> DescrizioneDescrittore(cConnessione& connection, const QString& CodiceD);

// 0 when (systematic, descriptor) is a row of tabLegameDS, else 1.
int ControlloDescrittore(cConnessione& connection, const QString& CodiceS, const QString& CodiceD);
// 2 when (systematic, asterisked descriptor) is a row of tabLegameDSA, else 3.
int ControlloAsteriscato(cConnessione& connection, const QString& CodiceS, const QString& CodiceD);

// The items of cmbAsteriscati: "Asteriscati", then "<CodiceD> - <ND>" ordered by ND.
QStringList ElencoAsteriscati(cConnessione& connection);
// The lines of frmAsteriscati: "<NS> --- <ND>" ordered by ND.
QStringList ListaAsteriscati(cConnessione& connection);
// The position of the first item whose first five characters are the code; 0 when none.
int posizioneAsteriscato(const QStringList& items, const QString& CodiceD);
// A line of lstDescrittore.
QString rigaDescrittore(const QString& CodiceD, const QString& descrizione);

// The fields of frmClassificazione when "Esci e salva" is pressed.
struct DatiClassificazione {
    QString txtSistematico;
    QString txtDescrittore;
    int cmbAsteriscati = 0; // selected position; 0 (or -1) = no asterisked descriptor
    QString asteriscato;    // text of the selected item
    QStringList lstDescrittore;
};

// Stores the dialog into the buffer: modifies the current pair (IndiceClassificazione >= 0) or
// appends the new ones. False, with nothing changed, when the systematic code is empty. A check
// that cannot be run leaves the pair's code 0.
bool MemorizzaClassificazione(cConnessione& connection, DocumentBuffer& buffer,
                              const DatiClassificazione& dati);
