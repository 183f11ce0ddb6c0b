#include "definitions/SchemaText.h"

#include <QRegularExpression>

namespace provozmat {

namespace {

QString bezZavorek(QString text) {
    return text.remove(u'(').remove(u')');
}

QString bezMezer(QString text) {
    static const QRegularExpression mezery(QStringLiteral("\\s"));
    return text.remove(mezery);
}

bool stejnySeznamIn(const QString& db, QString def, const QString& sloupec, std::int32_t verzeServeru) {
    const auto in = def.indexOf(QStringLiteral("IN "));
    const auto inZavorka = def.indexOf(QStringLiteral("IN("));
    const auto od = in >= 0 && (inZavorka < 0 || in < inZavorka) ? in : inZavorka;
    def.remove(od, 3);
    def.remove(sloupec);
    static const QRegularExpression oddelovace(QStringLiteral("[,\\s]+"));
    QStringList hodnoty = bezZavorek(def).split(oddelovace, Qt::SkipEmptyParts);

    QString zbytek = bezZavorek(db);
    const QString prefix = u'[' + sloupec +
                           (static_cast<std::uint32_t>(verzeServeru) < 0x09000000u ? QStringLiteral("] = ")
                                                                                   : QStringLiteral("]="));
    const QString nebo = QStringLiteral(" OR ");
    while (zbytek.contains(prefix)) {
        zbytek = zbytek.mid(zbytek.indexOf(prefix) + prefix.size());
        const auto konec = zbytek.indexOf(nebo);
        const QString hodnota = bezMezer(konec < 0 ? zbytek : zbytek.left(konec));
        zbytek = konec < 0 ? QString() : zbytek.mid(konec + nebo.size());
        if (!hodnoty.removeOne(hodnota))
            return false;
    }
    return hodnoty.isEmpty();
}

bool stejnyBetween(const QString& db, QString def, const QString& sloupec, std::int32_t verzeServeru) {
    def.remove(QStringLiteral("BETWEEN "));
    def.remove(sloupec);
    const auto a = def.indexOf(QStringLiteral(" AND "));
    const QString dolni = bezMezer(a < 0 ? def : def.left(a));
    const QString horni = bezMezer(a < 0 ? QString() : def.mid(a + 5));
    const QString podminka = QStringLiteral("([") + sloupec + QStringLiteral("] >= ") + dolni +
                             QStringLiteral(" AND [") + sloupec + QStringLiteral("] <= ") + horni + u')';
    return stejneVyrazy(db, podminka, verzeServeru);
}

} // namespace

bool stejnyCheck(const QString& databaze, const QString& definice, const QString& sloupec,
                 std::int32_t verzeServeru) {
    const QString db = databaze.toUpper();
    const QString def = definice.toUpper();
    const QString col = sloupec.toUpper();
    if (stejneVyrazy(db, def, verzeServeru))
        return true;
    if (def.contains(QStringLiteral(" IN ")) || def.contains(QStringLiteral(" IN(")))
        return stejnySeznamIn(db, def, col, verzeServeru);
    if (def.contains(QStringLiteral(" BETWEEN ")))
        return stejnyBetween(db, def, col, verzeServeru);
    const QString d = bezMezer(def).remove(u'[').remove(u']');
    QString b = bezZavorek(bezMezer(db).remove(u'[').remove(u']'));
    if (d == b)
        return true;
    return d == b.remove(col);
}

} // namespace provozmat
