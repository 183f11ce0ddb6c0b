#pragma once
// The SQL Server type behind each column type, the type classes and the text of a column's
// type as ALTER statements and comparisons use it.

#include "definitions/DefinitionTypes.h"
#include "definitions/TableRecords.h"

#include <QString>

namespace provozmat {

struct TplgDefTypu {
    const char* SQL = ""; // SQL type word; empty for taBlbe
    TplgPodtypAtributu Podtyp = ptaZadny;
    int Precision = 0; // NUMERIC only
    int Scale = 0;
    bool SDelkou = false; // the type takes a length
};

// The row of typ; taBlbe and values outside the enumeration give the empty row.
const TplgDefTypu& defTypu(int typ);

// Whether typ is one of the enumeration's types (taInt .. taFloat).
bool jeTypAtributu(int typ);

// 1 integer-like (taInt .. taBoolean), 2 decimal (taNumeric_4_2 .. taFloat), 3 text
// (taVarChar .. taNText), 4 date/time, 5 binary (taBinary, taImage); 0 for any other type.
int tridaTypu(TplgTypAtributu typ);

// Whether a browse may show a sum of a column of type typ.
bool lzeSumovat(TplgTypAtributu typ);

// "NVARCHAR(30) NULL", "INT IDENTITY(1,1) NOT NULL", "NUMERIC(19,6) NOT NULL", "NVARCHAR(MAX) NULL".
QString textTypuAtributu(const TplgAtributTabulky& atribut);

} // namespace provozmat
