#pragma once
// Schema verification: compares the definitions of the plug-in's tables, triggers,
// procedures and functions with catalogue rows and collects the statements that bring the
// database into line. Nothing runs while checking; Konec hands the collected changes to the
// confirmation and reports its answer.

#include "definitions/Definitions.h"
#include "definitions/SchemaCatalogRows.h"
#include "definitions/SchemaChanges.h"
#include "definitions/SchemaText.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

namespace provozmat {

// A procedure or function definition read for the comparison: its key ("DBO.NAME"), the name
// as the catalogue stores it (without owner) and the text that creates it with the owner.
struct DefiniceModulu {
    QString klic{};
    QString jmeno{};
    QString text{};
};

// Reads the name after the keyword ("PROC" or "FUNCTION") of a CREATE text and puts "dbo."
// in front of it when the text names no owner.
DefiniceModulu definiceModulu(const QString& text, bool funkce);

// The key of a trigger definition: the table after " ON " followed by the trigger name, both
// upper-cased, brackets and the owner removed; table and name are set when given.
QString klicTriggeru(const QString& text, QString* tabulka = nullptr, QString* jmeno = nullptr);

class Tx {
public:
    Tx(const TplgDefinice& definice, std::int32_t verzeServeru);

    // More than one database is checked: every statement is wrapped to run in the one under test.
    void setPrepinat(bool prepinat) { prepinat_ = prepinat; }
    void setAktDB(const QString& db) { aktDB_ = db; }
    // The database under test and its applicable tables (indexes of the definitions).
    void setTestDB(const QString& db, std::vector<int> tabulky);

    // Columns: the rows of one table after SetTabulka; SetTabulka(0) closes the last table.
    void SetTabulka(int tabulka);
    void Kontrola(const DbSloupec& sloupec);

    void KontrolujOmezeni_PK_UQ(const PojmenovaneRadky<TPomConstraintObject>& databaze);
    void KontrolujDefaultyChecky(const PojmenovaneRadky<TPomConstraintObject>& databaze);
    void KontrolujOmezeni_FK(const PojmenovaneRadky<TPomConstraintFKObject>& databaze);
    // definice: CREATE TRIGGER texts; a plug-in table trigger named "ET_..." raises a PluginError.
    void KontrolujTriggers(const std::vector<DbTrigger>& databaze, const QStringList& definice);
    // databaze: table name with its index.
    void KontrolujIndex(const PojmenovaneRadky<TIndexKontrola>& databaze);
    void KontrolujUlozeneProcedury(const std::vector<DbModul>& databaze,
                                   const std::vector<DefiniceModulu>& definice);
    void KontrolujUzivatelskeFunkce(const std::vector<DbModul>& databaze,
                                    const std::vector<DefiniceModulu>& definice);

    // True when nothing was collected (without asking) or potvrd ran the statements.
    bool Konec(const std::function<bool(const ZmenySchematu&)>& potvrd) const;

    const ZmenySchematu& zmeny() const noexcept { return zmeny_; }
    const QStringList& XSL() const noexcept { return zmeny_.prikazy(); }
    const QSet<QString>& PridavaneDefaultySL() const noexcept { return pridavaneDefaulty_; }
    // The applicable tables of the database under test and their constraints.
    const std::vector<int>& tabulky() const noexcept { return tabulky_; }
    int indexTabulky(const QString& jmeno) const { return definice_.indexTabulky(jmeno); }
    std::vector<const TplgTabulkaDef*> definiceTabulek() const;
    std::vector<std::pair<QString, TPomConstraintObject>>
    definiceConstraintu(std::initializer_list<TplgConstraint> typy, QStringList* vyrazy = nullptr) const;

private:
    void pridej(const QString& tabulka, const QString& objekt, int text, const QString& prikaz,
                PoradiPrikazu poradi);
    void pridejText(const QString& tabulka, const QString& objekt, const QString& popis,
                    const QString& prikaz, PoradiPrikazu poradi);
    void dopln(const TplgTabulkaDef& t, const TplgAtributTabulky& a, int text);
    void doplnChybejiciSloupce();
    void zmenenyCheck(const QString& jmeno, const QString& tabulka, const QString& definice,
                      const TPomConstraintObject& db);
    void zmenenyDefault(const QString& jmeno, const QString& tabulka, const QString& definice,
                        const TPomConstraintObject& db);
    void odeber(const QString& jmeno, const QString& tabulka);
    void kontrolujModuly(const std::vector<DbModul>& databaze, const std::vector<DefiniceModulu>& definice,
                         int chybi, int prava, int zmena);

    const TplgDefinice& definice_;
    std::int32_t verzeServeru_;
    bool prepinat_ = false;
    QString aktDB_;
    QString testDB_;
    std::vector<int> tabulky_;
    int tabulka_ = 0;
    std::vector<bool> pole_;
    QSet<QString> pridavaneDefaulty_; // upper-cased names of defaults created with their column
    ZmenySchematu zmeny_;
};

} // namespace provozmat
