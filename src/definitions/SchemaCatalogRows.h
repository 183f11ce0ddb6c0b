#pragma once
// Catalogue rows of the schema comparison, as the catalogue queries deliver them, and the
// same shapes for the definitions' side.

#include <QString>

#include <utility>
#include <vector>

namespace provozmat {

// A default, check, primary or unique key; keys carry no expression.
struct TPomConstraintObject {
    QString Vyraz{};
    int Blokovano = 0; // 1: the constraint is disabled
    QString VlastniTabulka{};
};

// A foreign key: the referenced table and its columns as a comma list, and the owning table.
struct TPomConstraintFKObject {
    QString Tabulka{};
    QString Atributy{};
    int Blokovano = 0;
    QString VlastniTabulka{};
};

// An index: key and included columns as comma lists without blanks, its filter and flags.
struct TIndexKontrola {
    QString Jmeno{};
    QString Atributy{};
    QString Included{};
    QString Where{};
    bool Clustered = false;
    bool Unique = false;
};

// A trigger of a table: its key (upper-cased table name followed by the trigger name), text,
// disabled flag and name.
struct DbTrigger {
    QString klic{};
    QString text{};
    bool vypnuty = false;
    QString jmeno{};
};

// A stored procedure or function as the catalogue has it: its name and definition.
struct DbModul {
    QString jmeno{};
    QString text{};
};

template <typename T> using PojmenovaneRadky = std::vector<std::pair<QString, T>>;

} // namespace provozmat
