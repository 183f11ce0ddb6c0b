#include "definitions/HostColumnsInstall.h"

#include "definitions/SqlTypes.h"

#include "base/Format.h"
#include "base/SqlLiteral.h"

namespace provozmat {

namespace {

QString textNeboNull(const QString& text) {
    return text.isEmpty() ? sql::null() : sql::text(text);
}

QString bit(bool hodnota) {
    return hodnota ? QStringLiteral("1") : QStringLiteral("0");
}

// ExtEd_BrowseID by the editor kind; a browse named by a plug-in view is set once the views exist.
QString browseEditoru(const TplgExterniAtribut& a) {
    switch (a.TypExtAtr) {
    case eaMemo:
        return QStringLiteral("-1");
    case eaComboBox:
        return QStringLiteral("0");
    case eaBrowse:
        return a.ExtEd_BrowseDPSN.isEmpty() ? QString::number(a.ExtEd_BrowseID) : sql::null();
    case eaDateTime:
        return QStringLiteral("-2");
    case eaTime:
        return QStringLiteral("-3");
    case eaFile:
        return QStringLiteral("-4");
    case eaDirectory:
        return QStringLiteral("-5");
    case eaCalcEdit:
        return QStringLiteral("-6");
    default:
        return sql::null();
    }
}

} // namespace

QString typHostitelskehoSloupce(const TplgExterniAtribut& a) {
    const TplgDefTypu& def = defTypu(a.Typ);
    const QString slovo = QString::fromLatin1(def.SQL).toUpper();
    if (slovo == QStringLiteral("NUMERIC"))
        return QStringLiteral("NUMERIC(19,6)");
    if (def.SDelkou)
        return slovo + u'(' + (a.Delka == -1 ? QStringLiteral("MAX") : QString::number(a.Delka)) + u')';
    return slovo;
}

QString davkaHostitelskehoSloupce(const TplgExterniAtribut& a, const QString& systemoveJmeno,
                                  const QString& verejneJmeno) {
    const bool externi = a.TypExtAtr != eaUserDef;
    const QString hodnoty = format(
        QStringLiteral(
            "NazevAtrVer=%s,\rNazevAtrVerZkr=%s,\rTypAtr=%s,\rMaskaAtr=%s,\rVerejnyAtr=%s,\r"
            "SirkaSloupceAtr=%d,\rSumovatAtr=%s,\rPoznamkaAtr=%s,\rDefiniceAtr=%s,\rExtEd_BrowseID=%s,\r"
            "ExtEd_Atr=%s,\rExtEd_PrimaEditace=%s,\rExtEd_Zalozka=%s,\rExtEd_Poradi=%d,\rSkupina=%s,\r"
            "ExtEd_Podminka=%s,\rProcPruhAtr=%s,\rBarvaAtr=%s,\rKonverzeAtr=%s,\rTiskAtr=%s,\r"
            "BublinaAtr=%s,\rStavAtr=%s,\rKopirovat=%s,\rObrazek=%s"),
        {sql::text(a.JmenoVerejne),
         textNeboNull(a.JmenoVerejneZkr),
         sql::text(typHostitelskehoSloupce(a)),
         textNeboNull(a.MaskaDisplay),
         bit(a.Verejny),
         int{a.SirkaSloupce},
         bit(a.Sumovat),
         textNeboNull(a.Poznamka),
         sql::null(),
         browseEditoru(a),
         externi ? textNeboNull(a.ExtEd_Atr) : sql::text(QString()),
         bit(externi && a.ExtEd_PrimaEditace),
         textNeboNull(a.ExtEd_Zalozka),
         std::max(1, a.ExtEd_Poradi),
         sql::text(verejneJmeno.left(30)),
         textNeboNull(a.ExtEd_Podminka),
         bit(a.ProcentniPruh),
         bit(a.Barva),
         textNeboNull(a.Konverze),
         bit(a.Tisknout),
         textNeboNull(a.Bublina),
         bit(a.StavAtr),
         bit(a.Kopirovat),
         bit(a.Obrazek)});
    return format(
        QStringLiteral("BEGIN TRANSACTION\rDECLARE @Externi BIT, @DatPorizeni DATETIME, @Autor "
                       "NVARCHAR(128)\rSET @Externi = "
                       "%d\rSET @DatPorizeni = GETDATE()\rSET @Autor = %s + N' (' + SUSER_SNAME() + N')'\rIF "
                       "@Externi = 1\r"
                       "BEGIN\rEXEC dbo.hp_ExterniTabulka %s,%s,%s\rIF @@ERROR<>0 GOTO CHYBAROLLBACK\rEND\r"
                       "IF NOT EXISTS(SELECT*FROM TabUzivAtr WHERE NazevTabulkySys=%s AND NazevAtrSys=%s)\r"
                       "INSERT TabUzivAtr(NazevTabulkySys,NazevAtrSys,Externi) VALUES(%s,%s,@Externi)\r"
                       "IF @@ERROR<>0 GOTO CHYBAROLLBACK\r"
                       "UPDATE TabUzivAtr SET\r%s\rWHERE NazevTabulkySys=%s AND NazevAtrSys=%s\r"
                       "COMMIT\rRETURN\rCHYBAROLLBACK:\rROLLBACK"),
        {externi ? 1 : 0, sql::text(systemoveJmeno), sql::text(a.JmenoTabulky), sql::text(a.JmenoSys),
         sql::text(typHostitelskehoSloupce(a)), sql::text(a.JmenoTabulky), sql::text(a.JmenoSys),
         sql::text(a.JmenoTabulky), sql::text(a.JmenoSys), hodnoty, sql::text(a.JmenoTabulky),
         sql::text(a.JmenoSys)});
}

} // namespace provozmat
