#pragma once
// The CREATE TABLE statement of a table: its regular columns with their types, nullability
// and defaults, then its computed columns, then its primary key, unique and check
// constraints. Columns that exist only in the browse view are left out; foreign keys and
// indexes are added separately.

#include "definitions/TableRecords.h"

#include <QString>

namespace provozmat {

// The statement for table t with index index; for a null t the comment
// "/* TABULKA č.<index> NENI DEFINOVANA */". The constraints rendered are those t holds.
QString createTable(const TplgTabulkaDef* t, int index);

// The statement for the process's table of index, after deriving its constraints.
QString createTable(int index);

} // namespace provozmat
