#pragma once
// Runs the catalogue queries of each schema verification step through the host and hands
// the rows to the verification object. A failing query raises the host's error.

#include "definitions/SchemaVerification.h"

#include "base/Host.h"

namespace provozmat {

class KatalogSchematu {
public:
    KatalogSchematu(const Host& host, Tx& tx) : host_(host), tx_(tx) {}

    void sloupce();
    void klice();
    void defaultyAChecky();
    void ciziKlice();
    // triggery: the CREATE TRIGGER texts of the applicable tables.
    void triggery(const QStringList& definice);
    // prefixTabulek: the plug-in's table prefix; only indexes of its tables are read.
    void indexy(const QString& prefixTabulek);
    void procedury(const std::vector<DefiniceModulu>& definice);
    void funkce(const std::vector<DefiniceModulu>& definice);

    // Every step of the table block in order, with the plug-in's table prefix.
    void vsechnyKrokyTabulek(const QString& prefixTabulek);

private:
    // N'…' literals of the applicable tables joined by commas; empty when there are none.
    QString seznamTabulek() const;
    bool maTabulky() const { return !tx_.definiceTabulek().empty(); }

    const Host& host_;
    Tx& tx_;
};

// Every trigger text defined on the applicable tables of tx.
QStringList definiceTriggeru(const Tx& tx);

} // namespace provozmat
