#include "definitions/SqlTypes.h"

#include "base/Format.h"

#include <array>

namespace provozmat {

namespace {

// clang-format off
constexpr std::array<TplgDefTypu, kPosledniTypAtributu + 1> kDefTypu{{
    /* taBlbe         */ {},
    /* taInt          */ {"INT"},
    /* taIdentity     */ {"INT", ptaIdentity},
    /* taInt64        */ {"BIGINT"},
    /* taIdentity64   */ {"BIGINT", ptaIdentity},
    /* taSmallInt     */ {"SMALLINT"},
    /* taByte         */ {"TINYINT"},
    /* taBoolean      */ {"BIT"},
    /* taVarChar      */ {"VARCHAR", ptaZadny, 0, 0, true},
    /* taChar         */ {"CHAR", ptaZadny, 0, 0, true},
    /* taText         */ {"TEXT"},
    /* taNVarChar     */ {"NVARCHAR", ptaZadny, 0, 0, true},
    /* taNChar        */ {"NCHAR", ptaZadny, 0, 0, true},
    /* taNText        */ {"NTEXT"},
    /* taBinary       */ {"BINARY", ptaZadny, 0, 0, true},
    /* taVarBinary    */ {"VARBINARY", ptaZadny, 0, 0, true},
    /* taImage        */ {"IMAGE"},
    /* taDateTime     */ {"DATETIME"},
    /* taTime         */ {"TIME", ptaZadny, 0, 0, true},
    /* taNumeric_4_2  */ {"NUMERIC", ptaZadny, 4, 2},
    /* taNumeric_5_2  */ {"NUMERIC", ptaZadny, 5, 2},
    /* taNumeric_7_2  */ {"NUMERIC", ptaZadny, 7, 2},
    /* taNumeric_9_2  */ {"NUMERIC", ptaZadny, 9, 2},
    /* taNumeric_15_0 */ {"NUMERIC", ptaZadny, 15, 0},
    /* taNumeric_19_2 */ {"NUMERIC", ptaZadny, 19, 2},
    /* taNumeric_19_6 */ {"NUMERIC", ptaZadny, 19, 6},
    /* taNumeric_20_6 */ {"NUMERIC", ptaZadny, 20, 6},
    /* taNumeric_28_0 */ {"NUMERIC", ptaZadny, 28, 0},
    /* taFloat        */ {"FLOAT"},
}};
// clang-format on

} // namespace

bool jeTypAtributu(int typ) {
    return typ > taBlbe && typ <= kPosledniTypAtributu;
}

const TplgDefTypu& defTypu(int typ) {
    return kDefTypu[static_cast<std::size_t>(jeTypAtributu(typ) ? typ : taBlbe)];
}

int tridaTypu(TplgTypAtributu typ) {
    if (typ >= taInt && typ <= taBoolean)
        return 1;
    if (typ >= taNumeric_4_2 && typ <= taFloat)
        return 2;
    if (typ >= taVarChar && typ <= taNText)
        return 3;
    if (typ == taDateTime || typ == taTime)
        return 4;
    if (typ == taBinary || typ == taImage)
        return 5;
    return 0;
}

bool lzeSumovat(TplgTypAtributu typ) {
    const int trida = tridaTypu(typ);
    return (trida == 1 || trida == 2) && typ != taBoolean;
}

QString textTypuAtributu(const TplgAtributTabulky& atribut) {
    const TplgDefTypu& def = defTypu(atribut.Typ);
    QString text = QString::fromLatin1(def.SQL).toUpper();
    // Every length-bearing type carries its length, TIME (its fractional-second precision)
    // too, so that the text matches the column CREATE TABLE makes.
    if (def.SDelkou)
        text = format(QStringLiteral("%s(%s)"),
                      {text, atribut.Delka == -1 ? QStringLiteral("MAX") : QString::number(atribut.Delka)});
    else if (def.Precision > 0)
        text = format(QStringLiteral("%s(%s,%s)"),
                      {text, QString::number(def.Precision), QString::number(def.Scale)});
    if (def.Podtyp == ptaIdentity)
        text += QStringLiteral(" IDENTITY(1,1)");
    return format(atribut.Null == nNULL ? QStringLiteral("%s NULL") : QStringLiteral("%s NOT NULL"), {text});
}

} // namespace provozmat
