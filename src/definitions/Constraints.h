#pragma once
// The constraints of a table derived from its columns, and how constraints are named.

#include "definitions/TableRecords.h"

#include <QString>

namespace provozmat {

// "PK", "UQ", "CK", "FK", "DF", "IX", "IC", "IU"; "!chyba!" for coChyba.
QString prefixConstraintu(TplgConstraint typ);

// "NOT NULL", "NULL"; "!chyba!" for nNic.
QString slovoNull(TplgNULL null);

// "DF__Table__Column".
QString jmenoDefaultu(const QString& tabulka, const QString& sloupec);

// A column's check as a complete condition: a check that begins with a comparison or with
// IN, BETWEEN, LIKE or NOT gets the column name in front of it.
QString podminkaCheck(const QString& sloupec, const QString& check);

// Adds the table's derived constraints (once: BylInitConstraints) after the declared ones,
// in column order, and names every constraint that has no name.
void odvodConstrainty(TplgTabulkaDef& t);

} // namespace provozmat
