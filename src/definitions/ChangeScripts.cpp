// The change scripts that bring the data of an older installation up to date.

#include "definitions/CompiledDefinitions.h"

namespace provozmat {

namespace {

// Helper starts that older versions recorded as 10 become 40.
constexpr const char* kPomocniciNa40 =
    "UPDATE KTab_LCDTerminal7EK\r"
    "SET Akce=40\r"
    "WHERE PomocnikProIDKolegy is not null AND IDKolegy IS NULL AND Akce=10";

// Adds ID1 to an old log and fills it: a start row gets its own ID, its finish row the
// start's, and the downtime and unattended rows of the same worker and routing row between
// the start and its finish the start's too. The filling is dynamic SQL because the column may
// not exist when the batch is compiled.
constexpr const char* kDoplneniID1 =
    "IF OBJECT_ID(N'dbo.KTab_LCDTerminal7EK', N'U') IS NOT NULL AND COL_LENGTH(N'dbo.KTab_LCDTerminal7EK', "
    "N'ID1') "
    "IS NULL\r\n"
    "  EXEC sp_executesql N'ALTER TABLE dbo.KTab_LCDTerminal7EK ADD ID1 INT NULL'\r\n"
    "IF COL_LENGTH(N'dbo.KTab_LCDTerminal7EK', N'ID1') IS NOT NULL\r\n"
    "  EXEC sp_executesql N'\r\n"
    "UPDATE dbo.KTab_LCDTerminal7EK SET ID1=ID WHERE Akce=10 AND ID1 IS NULL\r\n"
    "UPDATE u SET ID1=z.ID1\r\n"
    "FROM dbo.KTab_LCDTerminal7EK u\r\n"
    "INNER JOIN dbo.KTab_LCDTerminal7EK z ON z.ID=u.IDKolegy AND z.Akce=10\r\n"
    "WHERE u.Akce=11 AND u.ID1 IS NULL\r\n"
    "UPDATE u SET ID1=z.ID1\r\n"
    "FROM dbo.KTab_LCDTerminal7EK u\r\n"
    "INNER JOIN dbo.KTab_LCDTerminal7EK z ON z.ID=(SELECT MAX(s.ID) FROM dbo.KTab_LCDTerminal7EK s\r\n"
    "  WHERE s.Akce=10 AND s.IDZam=u.IDZam AND s.IDPrikaz=u.IDPrikaz AND s.Doklad=u.Doklad AND "
    "s.Alt=u.Alt\r\n"
    "  AND s.ID<u.ID)\r\n"
    "LEFT OUTER JOIN dbo.KTab_LCDTerminal7EK k ON k.ID=z.IDKolegy AND k.Akce=11\r\n"
    "WHERE u.Akce IN (20,21,30,31) AND u.ID1 IS NULL AND (k.ID IS NULL OR u.ID<k.ID)'";

} // namespace

std::vector<TplgZmenovySkript> zmenoveSkripty() {
    return {
        TplgZmenovySkript{},
        TplgZmenovySkript{0x0200'2015'0522ULL, kPomocniciNa40},
        TplgZmenovySkript{0x0200'2016'0628ULL, kDoplneniID1},
    };
}

} // namespace provozmat
