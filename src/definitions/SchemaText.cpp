#include "definitions/SchemaText.h"

#include "base/Format.h"

#include <QRegularExpression>

namespace provozmat {

QString textTypuDb(const DbSloupec& s) {
    QString text = s.typ.toUpper();
    if (text.contains(QStringLiteral("CHAR")) || text.contains(QStringLiteral("BINARY")))
        text +=
            u'(' +
            (s.presnost.trimmed() == QStringLiteral("-1") ? QStringLiteral("MAX") : s.presnost.trimmed()) +
            u')';
    else if (text == QStringLiteral("NUMERIC"))
        text += u'(' + s.numPresnost.trimmed() + u',' + s.scale.trimmed() + u')';
    if (s.identity)
        text += QStringLiteral(" IDENTITY(1,1)");
    return text + (s.nullable ? QStringLiteral(" NULL") : QStringLiteral(" NOT NULL"));
}

namespace {

QString holyVyraz(QString text) {
    static const QRegularExpression zbytek(QStringLiteral("[\\s()\\[\\]]"));
    return text.remove(zbytek).toUpper();
}

} // namespace

bool stejneVyrazy(const QString& databaze, const QString& definice, std::int32_t verzeServeru) {
    QString db = databaze;
    if (static_cast<std::uint32_t>(verzeServeru) > 0x0FFFFFFFu) {
        db.replace(QStringLiteral("IS NOT DISTINCT FROM NULL"), QStringLiteral("IS NULL"),
                   Qt::CaseInsensitive);
        db.replace(QStringLiteral("IS DISTINCT FROM NULL"), QStringLiteral("IS NOT NULL"),
                   Qt::CaseInsensitive);
        db.remove(QStringLiteral(",0)"));
    }
    return holyVyraz(db) == holyVyraz(definice);
}

JmenoConstraintu rozeberJmenoConstraintu(const QString& jmeno) {
    JmenoConstraintu j;
    j.druh = jmeno.left(2).toUpper();
    const QString zbytek = jmeno.mid(4);
    const auto konecTabulky = zbytek.indexOf(QStringLiteral("__"));
    if (konecTabulky < 0) {
        j.tabulka = zbytek;
        return j;
    }
    j.tabulka = zbytek.left(konecTabulky);
    j.atributy = zbytek.mid(konecTabulky + 2).replace(QStringLiteral("__"), QStringLiteral(","));
    return j;
}

QString vDatabazi(const QString& databaze, const QString& prikaz) {
    QString jmeno = databaze;
    jmeno.replace(u']', QStringLiteral("]]"));
    QString text = prikaz;
    text.replace(u'\'', QStringLiteral("''"));
    return QStringLiteral("USE [") + jmeno + QStringLiteral("]\rEXEC(N'") + text + QStringLiteral("')");
}

QString bezKoncovychMezer(const QString& text) {
    auto konec = text.size();
    while (konec > 0 && (text[konec - 1] == u' ' || text[konec - 1] == u'\r' || text[konec - 1] == u'\n' ||
                         text[konec - 1] == u'\t'))
        --konec;
    return text.left(konec);
}

QString odCreate(const QString& text) {
    const auto od = text.indexOf(QStringLiteral("CREATE "), 0, Qt::CaseInsensitive);
    return od < 0 ? text : text.mid(od);
}

bool stejnyTextModulu(const QString& databaze, const QString& definice) {
    return bezKoncovychMezer(databaze) == bezKoncovychMezer(definice);
}

} // namespace provozmat
