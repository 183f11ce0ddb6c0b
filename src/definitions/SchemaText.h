#pragma once
// Text rules of the schema comparison: how catalogue and definition texts are made
// comparable, how a constraint name is read back and how a statement is wrapped to run in
// another database.

#include <QString>
#include <QStringList>

#include <cstdint>

namespace provozmat {

// One column as the catalogue describes it.
struct DbSloupec {
    QString jmeno{};
    QString typ{}; // catalogue type name
    bool identity = false;
    bool nullable = false;
    QString presnost{};    // length in characters or bytes for text and binary types, -1 = MAX
    QString numPresnost{}; // numeric precision
    QString scale{};
    QString pocitany{}; // computed expression; empty for an ordinary column
};

// The column's type text built as the definitions build theirs: "NVARCHAR(50) NULL",
// "NUMERIC(19,6) NOT NULL", "INT IDENTITY(1,1) NOT NULL".
QString textTypuDb(const DbSloupec& sloupec);

// Whether a catalogue expression and a definition expression say the same. Servers above
// version 0x0FFFFFFF report "IS NULL" as "IS NOT DISTINCT FROM NULL" and add ",0)"; both are
// undone, then blanks, parentheses and square brackets are dropped and case is ignored.
bool stejneVyrazy(const QString& databaze, const QString& definice, std::int32_t verzeServeru);

// A constraint name read back: "PK", "UQ", "DF", "CK", "FK", ... (upper-cased), the table and
// the comma list of its columns ("DF__Tab__Col" gives "DF", "Tab", "Col").
struct JmenoConstraintu {
    QString druh{};
    QString tabulka{};
    QString atributy{};
};
JmenoConstraintu rozeberJmenoConstraintu(const QString& jmeno);

// "USE [db]" CR "EXEC(N'statement')" with "]" and "'" doubled.
QString vDatabazi(const QString& databaze, const QString& prikaz);

// The text without trailing blanks and line breaks.
QString bezKoncovychMezer(const QString& text);

// The text from its first "CREATE " on (case-insensitive); the whole text when there is none.
QString odCreate(const QString& text);

// Whether two module texts are the same once trailing blanks and line breaks are removed.
bool stejnyTextModulu(const QString& databaze, const QString& definice);

} // namespace provozmat

namespace provozmat {

// Whether a check the catalogue holds says what the definition's condition says on column
// sloupec: by the expression comparison, as a chain of equalities joined by OR for an IN list
// (in any order), as a pair of comparisons for BETWEEN, or with the column name left out.
bool stejnyCheck(const QString& databaze, const QString& definice, const QString& sloupec,
                 std::int32_t verzeServeru);

} // namespace provozmat
