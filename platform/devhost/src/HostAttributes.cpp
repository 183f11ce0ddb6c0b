#include "devhost/HostAttributes.h"

#include <utility>

namespace devhost {

namespace {

template <class Table> QString lookUp(const Table& table, const QString& key) {
    for (const auto& [name, text] : table)
        if (key.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return text;
    return {};
}

} // namespace

QString attributePublicName(const QString& tableColumn) {
    static const std::pair<const char*, QString> names[] = {
        {"TabKmenZbozi.SkupZbo", QStringLiteral("Skupina zboží")},
        {"TabKmenZbozi.RegCis", QStringLiteral("Registrační číslo")},
        {"TabKmenZbozi.Nazev1", QStringLiteral("Název")},
        {"TabKmenZbozi.KontrolaVyrC", QStringLiteral("Kontrola výrobních čísel")},
    };
    return lookUp(names, tableColumn.trimmed());
}

QString attributeConversion(const QString& tableColumn) {
    static const std::pair<const char*, QString> conversions[] = {
        {"TabKmenZbozi.KontrolaVyrC",
         QStringLiteral(
             "N=Bez výrobních čísel\rA=Výrobní čísla při příjmu i výdeji\rB=Výrobní čísla při výdeji")},
    };
    return lookUp(conversions, tableColumn.trimmed());
}

QString hostText(int number) {
    switch (number) {
    case 11820:
        return QStringLiteral("Původní velikost");
    case 8921:
        return QStringLiteral("Akce");
    default:
        return {};
    }
}

} // namespace devhost
