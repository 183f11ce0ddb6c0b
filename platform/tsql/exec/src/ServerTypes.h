#pragma once
// The server's description of data types as its catalog shows them: the type ids (system_type_id,
// xtype), lengths in bytes, precisions and scales of sys.types, and what a column of a given type
// reports in sys.columns, syscolumns, INFORMATION_SCHEMA.COLUMNS and COLUMNPROPERTY.

#include "tsql/DataType.h"

#include <optional>
#include <string_view>
#include <vector>

namespace tsql {

// One row of sys.types / systypes.
struct ServerType {
    std::string_view name;
    int systemTypeId; // xtype
    int userTypeId;   // xusertype: the same for the base types, 256 for sysname
    int maxLength;    // bytes
    int precision;
    int scale;
    std::optional<TypeId> engineType; // nullopt for sysname
};

const std::vector<ServerType>& serverTypes();
const ServerType* serverTypeById(int userTypeId);
const ServerType* serverTypeByName(std::string_view name); // any case

// What the catalog reports for a column of a type.
struct ColumnFacts {
    int systemTypeId;
    int maxLength;                      // bytes, -1 for max
    int precision, scale;               // sys.columns.precision/scale (syscolumns xprec/xscale)
    int legacyPrecision;                // syscolumns.prec, COLUMNPROPERTY 'Precision': characters
                                        // for character types, bytes for binary ones, -1 for max
    std::optional<int> legacyScale;     // syscolumns.scale, COLUMNPROPERTY 'Scale': NULL for text
    std::optional<int> characterLength; // INFORMATION_SCHEMA CHARACTER_MAXIMUM_LENGTH
    std::optional<int> numericPrecision, numericRadix, numericScale, datetimePrecision;
};

ColumnFacts columnFacts(const DataType& type);

} // namespace tsql
