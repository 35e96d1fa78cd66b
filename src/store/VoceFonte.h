#pragma once

// A cited source as the document buffer holds it, its family codes and the line it shows.

#include <QString>

struct VoceFonte {
    qint64 IDFonte = 0;  // tabFonte row it was loaded from; 0 when fresh
    QString NomeFonte;   // name of the act or court as chosen ("l.", "Cass.", ...)
    QString TP = QStringLiteral("0"); // family code
    QString testo;       // the composed citation
    QString articolo;
    QString comma;
    QString lettera;
    QString numerop;
    QString allegato;
    QString ripa;
    QString ripc;
    QString anno;
    QString mese;        // Italian month name ("gennaio" ...), stored as its number
    QString giorno;
    QString numero;
    QString Ministero;
    QString Regione;     // two-letter region code
    QString Provincia;   // two-letter province code ("BZ", "TN")
    QString Citta;
    QString Sezione;
    QString Autorita;
    QString Amministrazione;
    QString Stato;
    bool Decreto = false;
    bool Ordinanza = false;
    QString altro;
    bool Cancellata = false;

    bool operator==(const VoceFonte&) const = default;
};

// Resets an entry to the fresh state: no key, TP "0", every text empty, every flag false.
void AzzeraFonte(VoceFonte& voce);

// The groups the statement builders dispatch on.
enum class GruppoFonte { Interno, Internazionale, Comunitario, Canonico, Straniero, Altro };
GruppoFonte gruppoFonte(const QString& TP);

// Families shown with "*TP*" after their text: codes beginning "NI", "GE" or "F", and NS, GS.
bool fonteConSigla(const QString& TP);

// The line of the document window's source list: "DEL--" for a deleted entry, the text, and
// "*TP*" for the families above.
QString rigaFonte(const VoceFonte& voce);

// The prefix of every deleted entry's line.
inline QString marcaCancellata() { return QStringLiteral("DEL--"); }
