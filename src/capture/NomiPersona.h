#pragma once

// Names of persons and organisations as records and pages give them, split into surname and given
// name the way the centre stores them: particles ("de", "di", "van der") stay with the surname,
// an organisation is one name, surnames written in capitals are written as names, bare initials
// get their full stop.

#include "capture/MetadatiArticolo.h"

// A record's own split (CSL "family"/"given", with its particles).
PersonaCatturata PersonaDaParti(const QString& cognome, const QString& nome, const QString& particella = {});

// A whole name: "Johnston, Nathaniel" (surname first, with a comma) or "Luiz G S Branco" (given
// names first); an organisation's name stays whole.
PersonaCatturata PersonaDaNome(const QString& nome);

// An organisation: its name whole, cleaned.
PersonaCatturata Ente(const QString& nome);

// Whether a whole name reads as an organisation's ("EFSA Panel on Food Additives ...",
// "Research Data Alliance", "Università di Bologna").
bool SembraEnte(QStringView nome);
