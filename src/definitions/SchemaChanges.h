#pragma once
// The changes schema verification collects: the statements in the order they run, and two
// trees that show them (tables -> object -> description -> statements, and procedures or
// functions -> description -> statements).

#include <QString>
#include <QStringList>

#include <vector>

namespace provozmat {

// Where a statement goes in the running order.
enum class PoradiPrikazu {
    Bezne = 0,    // before the tail block, in order of filing
    Odebrani = 1, // after the head block, newest first: drops of surplus objects
    Konec = 2,    // appended: computed columns, triggers, indexes
    Zacatek = 3,  // at the very front, newest first: drops of computed columns
};

struct ZmenaSchematu {
    QString popis{};
    QStringList prikazy{};
};

struct ObjektSeZmenami {
    QString jmeno{}; // column or constraint name, or kTriggerZnacka followed by a trigger name
    std::vector<ZmenaSchematu> zmeny{};
};

struct TabulkaSeZmenami {
    QString jmeno{};
    std::vector<ObjektSeZmenami> objekty{};
};

struct ModulSeZmenami {
    QString jmeno{};
    std::vector<ZmenaSchematu> zmeny{};
};

// Marks of tree nodes the dialog shows with their own icon and without the mark.
inline const QString kTriggerZnacka = QStringLiteral("$TRIGGER$");
inline const QString kPravaZnacka = QStringLiteral("$PRAVA$");

class ZmenySchematu {
public:
    // Statements are stored as "USE [db]" + EXEC of the statement when databaze is not empty.
    void setDatabaze(const QString& databaze) { databaze_ = databaze; }

    void pridejKTabulce(const QString& tabulka, const QString& objekt, const QString& popis,
                        const QString& prikaz, PoradiPrikazu poradi);
    void pridejKModulu(const QString& modul, const QString& popis, const QString& prikaz);
    // Takes one change of a table's object out of the tree and its statements out of the list.
    void odeber(const QString& tabulka, const QString& objekt, const QString& popis);

    const QStringList& prikazy() const noexcept { return prikazy_; }
    const std::vector<TabulkaSeZmenami>& tabulky() const noexcept { return tabulky_; }
    const std::vector<ModulSeZmenami>& moduly() const noexcept { return moduly_; }
    bool prazdne() const noexcept { return prikazy_.isEmpty(); }

private:
    QString ulozeny(const QString& prikaz) const;

    QString databaze_;
    QStringList prikazy_;
    int zacatek_ = 0; // statements of the head block
    int konec_ = 0;   // statements of the tail block
    std::vector<TabulkaSeZmenami> tabulky_;
    std::vector<ModulSeZmenami> moduly_;
};

} // namespace provozmat
