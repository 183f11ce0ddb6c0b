#include "definitions/SchemaCatalog.h"

#include "base/Format.h"
#include "base/SqlLiteral.h"

#include <QCoreApplication>

namespace provozmat {

namespace {

QString text(const HostQuery& q, int sloupec) {
    return q.value(sloupec).toString();
}

// Lets the user interface repaint while rows are walked.
void zpracujZpravy() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

const QString kDotazSloupce =
    QStringLiteral("SELECT sysobjects.name,\rsyscolumns.name,\rsystypes.name,\r"
                   "COLUMNPROPERTY(sysobjects.id,syscolumns.name,'IsIdentity'),\rsyscolumns.isnullable,\r"
                   "syscolumns.prec,\rsyscolumns.xprec,\rsyscolumns.scale%s\rFROM sysobjects\r"
                   "JOIN syscolumns ON sysobjects.id=syscolumns.id\r"
                   "JOIN systypes ON syscolumns.xusertype=systypes.xusertype%s\r"
                   "WHERE syscolumns.iscomputed=%s and sysobjects.xtype='U' AND sysobjects.name IN(%s)\r"
                   "ORDER BY sysobjects.name");

struct RadekSloupce {
    QString tabulka;
    DbSloupec sloupec;
};

std::vector<RadekSloupce> nactiSloupce(const Host& host, const QString& tabulky, bool pocitane) {
    const QString dotaz = format(
        kDotazSloupce,
        {pocitane ? QStringLiteral(",\rsubstring(text,    1,2000) + '|',\rsubstring(text, 2001,2000) + '|'")
                  : QString(),
         pocitane ? QStringLiteral("\rJOIN syscomments ON syscolumns.id=syscomments.id AND "
                                   "syscolumns.colid=syscomments.number")
                  : QString(),
         pocitane ? QStringLiteral("1") : QStringLiteral("0"), tabulky});
    std::vector<RadekSloupce> radky;
    for (HostQuery q = host.openSql(dotaz); !q.eof(); q.next()) {
        RadekSloupce r;
        r.tabulka = text(q, 0);
        r.sloupec = DbSloupec{.jmeno = text(q, 1),
                              .typ = text(q, 2),
                              .identity = q.value(3).toInt() == 1,
                              .nullable = q.value(4).toInt() == 1,
                              .presnost = text(q, 5),
                              .numPresnost = text(q, 6),
                              .scale = text(q, 7),
                              .pocitany = {}};
        if (pocitane)
            r.sloupec.pocitany = text(q, 8).chopped(1) + text(q, 9).chopped(1);
        radky.push_back(std::move(r));
        zpracujZpravy();
    }
    return radky;
}

} // namespace

QString KatalogSchematu::seznamTabulek() const {
    QStringList jmena;
    for (const auto* t : tx_.definiceTabulek())
        jmena.append(sql::text(t->JmenoSys));
    return jmena.join(u',');
}

void KatalogSchematu::sloupce() {
    const QString tabulky = seznamTabulek();
    if (tabulky.isEmpty())
        return;
    const auto bezne = nactiSloupce(host_, tabulky, false);
    const auto pocitane = nactiSloupce(host_, tabulky, true);
    // Both sets are ordered by table: the computed columns of a table follow its ordinary ones.
    std::size_t p = 0;
    QString aktualni;
    const auto prepni = [&](const QString& tabulka) {
        for (; p < pocitane.size() && pocitane[p].tabulka.compare(tabulka, Qt::CaseInsensitive) < 0; ++p)
            ; // computed columns of tables without ordinary ones come with their own switch
        aktualni = tabulka;
        tx_.SetTabulka(tx_.indexTabulky(tabulka));
    };
    const auto pocitaneTabulky = [&](const QString& tabulka) {
        for (; p < pocitane.size() && pocitane[p].tabulka.compare(tabulka, Qt::CaseInsensitive) == 0; ++p)
            tx_.Kontrola(pocitane[p].sloupec);
    };
    for (const auto& r : bezne) {
        if (r.tabulka.compare(aktualni, Qt::CaseInsensitive) != 0) {
            if (!aktualni.isEmpty())
                pocitaneTabulky(aktualni);
            prepni(r.tabulka);
        }
        tx_.Kontrola(r.sloupec);
    }
    if (!aktualni.isEmpty())
        pocitaneTabulky(aktualni);
    tx_.SetTabulka(0);
}

} // namespace provozmat

namespace provozmat {

namespace {

// Constraint rows: name and table, or name, text, disabled flag and table.
PojmenovaneRadky<TPomConstraintObject> nactiOmezeni(const Host& host, const QString& dotaz, bool sTextem) {
    PojmenovaneRadky<TPomConstraintObject> radky;
    for (HostQuery q = host.openSql(dotaz); !q.eof(); q.next())
        radky.push_back(
            {text(q, 0),
             sTextem ? TPomConstraintObject{.Vyraz = text(q, 1),
                                            .Blokovano = q.value(2).toInt(),
                                            .VlastniTabulka = text(q, 3)}
                     : TPomConstraintObject{.Vyraz = {}, .Blokovano = 0, .VlastniTabulka = text(q, 1)}});
    return radky;
}

} // namespace

void KatalogSchematu::klice() {
    if (!maTabulky())
        return;
    tx_.KontrolujOmezeni_PK_UQ(nactiOmezeni(
        host_,
        format(QStringLiteral(
                   "SELECT sysobjects.name, o2.name FROM sysobjects, sysobjects o2 WHERE "
                   "sysobjects.xtype IN('UQ','PK') AND o2.id = sysobjects.parent_obj AND o2.name IN(%s)"),
               {seznamTabulek()}),
        false));
}

void KatalogSchematu::defaultyAChecky() {
    if (!maTabulky())
        return;
    tx_.KontrolujDefaultyChecky(nactiOmezeni(
        host_,
        format(QStringLiteral(
                   "SELECT sysobjects.name,\rsyscomments.text,\r"
                   "OBJECTPROPERTY(sysobjects.id,'CnstIsDisabled'),\ro2.name\r"
                   "FROM sysobjects,syscomments,sysobjects o2\rWHERE sysobjects.id=syscomments.id\r"
                   "AND sysobjects.xtype IN('D','C')\rAND o2.id=sysobjects.parent_obj\rAND o2.name IN(%s)"),
               {seznamTabulek()}),
        true));
}

void KatalogSchematu::ciziKlice() {
    if (!maTabulky())
        return;
    const QString tabulky = seznamTabulek();
    QString sloupce;
    for (int i = 1; i <= 16; ++i)
        sloupce += format(QStringLiteral("COL_NAME(rkeyid,rkey%d),\r"), {i});
    PojmenovaneRadky<TPomConstraintFKObject> radky;
    for (HostQuery q = host_.openSql(
             format(QStringLiteral("SELECT OBJECTPROPERTY(constid,'CnstIsDisabled'),\rOBJECT_NAME(constid),\r"
                                   "OBJECT_NAME(rkeyid),\r%sOBJECT_NAME(fkeyid)\rFROM sysreferences\r"
                                   "JOIN sysobjects ON fkeyid=id WHERE name IN(%s)"),
                    {sloupce, tabulky}));
         !q.eof(); q.next()) {
        QStringList odkazovane;
        for (int i = 3; i < 19; ++i)
            odkazovane.append(text(q, i));
        radky.push_back({text(q, 1), TPomConstraintFKObject{
                                         .Tabulka = text(q, 2),
                                         .Atributy = odkazovane.join(u' ').simplified().replace(u' ', u','),
                                         .Blokovano = q.value(0).toInt(),
                                         .VlastniTabulka = text(q, 19)}});
    }
    tx_.KontrolujOmezeni_FK(radky);
}

void KatalogSchematu::triggery(const QStringList& definice) {
    if (!maTabulky())
        return;
    const QString tabulky = seznamTabulek();
    std::vector<DbTrigger> radky;
    for (HostQuery q = host_.openSql(
             format(QStringLiteral(
                        "SELECT o2.name + sys.objects.name,\rsys.sql_modules.definition,\r"
                        "OBJECTPROPERTY(sys.objects.object_id,'ExecIsTriggerDisabled'),\rsys.objects.name\r"
                        "FROM sys.objects\rJOIN sys.sql_modules ON sys.objects.object_id = "
                        "sys.sql_modules.object_id\r"
                        "JOIN sys.objects o2 ON o2.object_id = sys.objects.parent_object_id\r"
                        "AND sys.objects.type='TR'\rAND o2.name IN(%s)\rAND sys.objects.name NOT LIKE "
                        "%s+o2.name+%s \r"
                        "AND sys.objects.name NOT LIKE %s+o2.name+%s "),
                    {tabulky, sql::text("et_"), sql::text("%"), sql::text("et_ntf_"), sql::text("%")}));
         !q.eof(); q.next())
        radky.push_back(DbTrigger{.klic = text(q, 0).toUpper(),
                                  .text = text(q, 1),
                                  .vypnuty = q.value(2).toInt() == 1,
                                  .jmeno = text(q, 3)});
    tx_.KontrolujTriggers(radky, definice);
}

void KatalogSchematu::indexy(const QString& prefixTabulek) {
    QString sloupce;
    for (int i = 1; i <= 8; ++i)
        sloupce += format(QStringLiteral(",INDEX_COL(OBJECT_NAME(object_id),index_id,%d)\r"), {i});
    struct Radek {
        QString tabulka;
        TIndexKontrola index;
        QString objekt;
        QString cislo;
    };
    std::vector<Radek> nactene;
    for (HostQuery q = host_.openSql(
             format(QStringLiteral(
                        "SELECT name\r,OBJECT_NAME(object_id)\r,INDEXPROPERTY(object_id,name,'IsClustered')\r"
                        ",INDEXPROPERTY(object_id,name,'IsUnique')\r,ISNULL(filter_definition,'')\r%s"
                        ",object_id\r,index_id\rFROM sys.indexes\rWHERE\rindex_id > 0\r"
                        "AND INDEXPROPERTY(object_id,name,'IsStatistics') = 0\rAND name LIKE N'I%%'\r"
                        "AND OBJECT_NAME(object_id) LIKE %s"),
                    {sloupce, sql::text(prefixTabulek + u'%')}));
         !q.eof(); q.next()) {
        QStringList klic;
        for (int i = 5; i < 13; ++i)
            if (!q.value(i).isNull())
                klic.append(text(q, i));
        nactene.push_back(Radek{.tabulka = text(q, 1),
                                .index = TIndexKontrola{.Jmeno = text(q, 0),
                                                        .Atributy = klic.join(u','),
                                                        .Included = {},
                                                        .Where = text(q, 4),
                                                        .Clustered = q.value(2).toInt() == 1,
                                                        .Unique = q.value(3).toInt() == 1},
                                .objekt = text(q, 13),
                                .cislo = text(q, 14)});
    }
    PojmenovaneRadky<TIndexKontrola> radky;
    for (auto& r : nactene) {
        QStringList vlozene;
        for (HostQuery q =
                 host_.openSql(format(QStringLiteral("SELECT COL_NAME(object_id, column_id)\r"
                                                     "FROM sys.index_columns\rWHERE object_id = %s\r"
                                                     "AND index_id = %s\rAND is_included_column = 1\r"
                                                     "ORDER BY index_column_id"),
                                      {r.objekt, r.cislo}));
             !q.eof(); q.next())
            vlozene.append(text(q, 0));
        r.index.Included = vlozene.join(u',');
        radky.push_back({r.tabulka, r.index});
    }
    tx_.KontrolujIndex(radky);
}

namespace {

std::vector<DbModul> nactiModuly(const Host& host, const std::vector<DefiniceModulu>& definice,
                                 const QString& typy) {
    std::vector<DbModul> moduly;
    if (definice.empty())
        return moduly;
    QStringList jmena;
    for (const auto& d : definice)
        jmena.append(sql::text(d.jmeno));
    for (HostQuery q = host.openSql(format(
             QStringLiteral("SELECT sys.objects.name,\rsys.sql_modules.definition\rFROM sys.objects\r"
                            "JOIN sys.sql_modules ON sys.objects.object_id = sys.sql_modules.object_id\r"
                            "WHERE sys.objects.type %s\rAND sys.objects.name IN(%s)"),
             {typy, jmena.join(u',')}));
         !q.eof(); q.next())
        moduly.push_back(DbModul{.jmeno = text(q, 0), .text = text(q, 1)});
    return moduly;
}

} // namespace

void KatalogSchematu::procedury(const std::vector<DefiniceModulu>& definice) {
    tx_.KontrolujUlozeneProcedury(nactiModuly(host_, definice, QStringLiteral("= 'P'")), definice);
}

void KatalogSchematu::funkce(const std::vector<DefiniceModulu>& definice) {
    tx_.KontrolujUzivatelskeFunkce(nactiModuly(host_, definice, QStringLiteral("IN('FN','IF','TF')")),
                                   definice);
}

void KatalogSchematu::vsechnyKrokyTabulek(const QString& prefixTabulek) {
    sloupce();
    klice();
    defaultyAChecky();
    ciziKlice();
    triggery(definiceTriggeru(tx_));
    indexy(prefixTabulek);
}

QStringList definiceTriggeru(const Tx& tx) {
    QStringList texty;
    for (const auto* t : tx.definiceTabulek())
        if (!t->DefiniceTriggeru.trimmed().isEmpty())
            texty.append(t->DefiniceTriggeru);
    return texty;
}

} // namespace provozmat
