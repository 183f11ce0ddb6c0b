#pragma once
// The batches that register the plug-in's columns on host tables: the column itself through
// hp_ExterniTabulka and its row in TabUzivAtr.

#include "definitions/ExtensionRecords.h"

#include <QString>

namespace provozmat {

// The SQL type of a host column: the type word, "(length)" or "(MAX)" for length types,
// NUMERIC always as NUMERIC(19,6).
QString typHostitelskehoSloupce(const TplgExterniAtribut& a);

// The batch for one column; systemoveJmeno and verejneJmeno are the plug-in's.
QString davkaHostitelskehoSloupce(const TplgExterniAtribut& a, const QString& systemoveJmeno,
                                  const QString& verejneJmeno);

} // namespace provozmat
