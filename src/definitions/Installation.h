#pragma once
// The installation of the plug-in into the host database: change scripts above the recorded
// version, the columns on host tables, missing tables, the schema repair of the table block, stored
// procedures and functions, the version record with ZmenyOK and the journal. Every change is confirmed before
// it runs; a silent installation confirms by itself but never drops a column that holds data: it leaves such
// columns and reports them.

#include "definitions/Definitions.h"
#include "definitions/SchemaChanges.h"

#include "base/Host.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace provozmat {

struct IdentitaInstalace {
    QString systemoveJmeno;
    QString nazevObjektu; // COM class name
    QString verejneJmeno;
    QString prefixTabulek;
    std::uint64_t verze = 0;
    bool restartHostitele = false;
};

// The version as the database records it: 12 upper-case hexadecimal digits.
QString textVerze(std::uint64_t verze);

// The batch that records version and ZmenyOK in TabPluginInfo (inserting the row when missing).
QString davkaVerze(const IdentitaInstalace& identita, const QString& verze, bool zmenyOK);

// A change script wrapped so that it runs once: it refuses when the recorded version has
// already reached its own, even when two workstations install at once.
QString chranenySkript(const IdentitaInstalace& identita, const QString& verze, const QString& skript);

// The tables of d that the installation creates in the current database for legislation.
std::vector<int> pouziteTabulky(const TplgDefinice& d, int legislativa);

// Shows the changes under the title and answers whether they are to run.
using PotvrzeniZmen = std::function<bool(const QString& nadpis, const ZmenySchematu& zmeny)>;

struct VysledekInstalace {
    bool dokonceno = false;
    QString puvodniVerze;
    // "Table.Column (n)" for every surplus column with data that a silent run left in place.
    QStringList ponechaneSloupce;
    int zmenoveSkripty = 0;
};

class Instalace {
public:
    // d is prepared; its table constraints are derived here.
    Instalace(const Host& host, TplgDefinice& d, IdentitaInstalace identita, bool tichy,
              PotvrzeniZmen potvrd);

    // Runs every step; a refusal stops with dokonceno false, a failing statement raises the
    // host's error. Either way ZmenyOK stays 0 and the journal gets the error entry.
    VysledekInstalace spust();

private:
    bool zmenoveSkripty(VysledekInstalace& v);
    bool hostitelskeSloupce();
    bool chybejiciTabulky();
    bool blokTabulek(VysledekInstalace& v);
    bool blokProcedur();
    bool proved(const QString& nadpis, const ZmenySchematu& zmeny);
    // Surplus columns that hold data: a silent run leaves them and reports them, a confirmed
    // run shows their row counts with the drop.
    void sloupceSDaty(ZmenySchematu& zmeny, VysledekInstalace& v) const;
    void zurnal(int druh, int akce, const QString& text) const;
    QString aktualniVerze() const;

    const Host& host_;
    TplgDefinice& d_;
    IdentitaInstalace identita_;
    bool tichy_;
    PotvrzeniZmen potvrd_;
    std::vector<int> tabulky_;
};

} // namespace provozmat
