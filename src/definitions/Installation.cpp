#include "definitions/Installation.h"

#include "definitions/Constraints.h"
#include "definitions/CreateTable.h"
#include "definitions/HostColumnsInstall.h"
#include "definitions/SchemaCatalog.h"

#include "base/Format.h"
#include "base/PluginError.h"
#include "base/SqlLiteral.h"
#include "lang/Messages.h"

namespace provozmat {

namespace {

const QString kZadnaVerze = QStringLiteral("000000000000");

} // namespace

QString textVerze(std::uint64_t verze) {
    return QStringLiteral("%1").arg(verze, 12, 16, QChar(u'0')).toUpper();
}

QString davkaVerze(const IdentitaInstalace& i, const QString& verze, bool zmenyOK) {
    return format(
        QStringLiteral(
            "DECLARE @VerzePluginu NVARCHAR(12), @NazevSys NVARCHAR(100)\rSET @VerzePluginu = %s\rSET "
            "@NazevSys = "
            "%s\rIF EXISTS(SELECT*FROM TabPluginInfo WHERE NazevSys=@NazevSys)\rUPDATE TabPluginInfo SET\r"
            "VerzePluginu=@VerzePluginu,\rNazevObjektu=%s,\rNazevVerejny=%s,\rZmenyOK=%d\rWHERE "
            "NazevSys=@NazevSys\r"
            "ELSE\rINSERT TabPluginInfo(VerzePluginu,NazevSys,NazevObjektu,NazevVerejny,ZmenyOK)\r"
            "VALUES(@VerzePluginu,@NazevSys,%2:s,%s,%d)\r"
            "IF COLUMNPROPERTY(OBJECT_ID(N'dbo.TabPluginInfo',N'U'),N'DatumInstalace',N'AllowsNull')IS NOT "
            "NULL\r"
            "BEGIN\rDECLARE @Skript NVARCHAR(500)\rSET @Skript = N'UPDATE TabPluginInfo SET DatumInstalace = "
            "GETDATE() WHERE NazevSys=' + ''''+@NazevSys+'''' \rEXEC(@Skript)\rEND"),
        {sql::text(verze), sql::text(i.systemoveJmeno), sql::text(i.nazevObjektu), sql::text(i.verejneJmeno),
         zmenyOK ? 1 : 0, sql::text(i.verejneJmeno), zmenyOK ? 1 : 0});
}

QString chranenySkript(const IdentitaInstalace& i, const QString& verze, const QString& skript) {
    return format(
        QStringLiteral("/* skript: %s */\rBEGIN TRANSACTION\rIF(SELECT VerzePluginu FROM TabPluginInfo "
                       "WITH(TABLOCKX) WHERE NazevSys=%s)>=%s\rBEGIN\rROLLBACK\rRAISERROR(%s, 16, 1)\r"
                       "RETURN\rEND\r%s\rCOMMIT"),
        {verze, sql::text(i.systemoveJmeno), sql::text(verze), sql::text(hlaska(31)), skript});
}

std::vector<int> pouziteTabulky(const TplgDefinice& d, int legislativa) {
    std::vector<int> tabulky;
    for (int i = 1; i < static_cast<int>(d.tabulky.size()); ++i) {
        const auto* t = d.tabulka(i);
        if (!t || t->JmenoSys.startsWith(u'#') || (t->DalsiVlastnosti & kTabNeinstalovat) ||
            !t->Databaze.isEmpty())
            continue;
        if (t->Legislativa.any() &&
            (legislativa < 0 || legislativa >= static_cast<int>(t->Legislativa.size()) ||
             !t->Legislativa.test(static_cast<std::size_t>(legislativa))))
            continue;
        tabulky.push_back(i);
    }
    return tabulky;
}

Instalace::Instalace(const Host& host, TplgDefinice& d, IdentitaInstalace identita, bool tichy,
                     PotvrzeniZmen potvrd)
    : host_(host), d_(d), identita_(std::move(identita)), tichy_(tichy), potvrd_(std::move(potvrd)) {}

void Instalace::zurnal(int druh, int akce, const QString& text) const {
    host_.execSql(
        format(QStringLiteral("EXEC dbo.hp_ZapisDoZurnalu %d,%d,%s"),
               {druh, akce, sql::text((identita_.systemoveJmeno + QStringLiteral(" - ") + text).left(255))}));
}

QString Instalace::aktualniVerze() const {
    HostQuery q = host_.openSql(format(
        QStringLiteral(
            "IF EXISTS(SELECT*FROM TabPluginInfo WHERE NazevSys=%s)\rSELECT VerzePluginu, CAST(ZmenyOK "
            "AS INT) FROM TabPluginInfo WHERE NazevSys=%0:s\rELSE\rSELECT %s, CAST(0 AS INT)"),
        {sql::text(identita_.systemoveJmeno), sql::text(kZadnaVerze)}));
    const QString verze = q.eof() ? QString() : q.value(0).toString().trimmed();
    return verze.isEmpty() ? kZadnaVerze : verze;
}

bool Instalace::proved(const QString& nadpis, const ZmenySchematu& zmeny) {
    if (zmeny.prazdne())
        return true;
    if (!tichy_ && !(potvrd_ && potvrd_(nadpis, zmeny)))
        return false;
    // One transaction for the step: a failing statement leaves the database as it was.
    host_.execSql(QStringLiteral("BEGIN TRANSACTION"));
    try {
        for (const QString& prikaz : zmeny.prikazy())
            if (!prikaz.trimmed().isEmpty())
                host_.execSql(prikaz);
    } catch (...) {
        host_.execSql(QStringLiteral("IF @@TRANCOUNT > 0 ROLLBACK TRANSACTION"));
        throw;
    }
    host_.execSql(QStringLiteral("IF @@TRANCOUNT > 0 COMMIT TRANSACTION"));
    return true;
}

bool Instalace::zmenoveSkripty(VysledekInstalace& v) {
    if (v.puvodniVerze <= kZadnaVerze)
        return true;
    ZmenySchematu skripty;
    QString posledni = v.puvodniVerze;
    for (const auto& s : d_.zmenoveSkripty) {
        const QString verze = textVerze(s.PlatiOd);
        if (s.PlatiOd == 0 || verze <= posledni)
            continue;
        if (s.Skript.trimmed().compare(QStringLiteral("UNICODE"), Qt::CaseInsensitive) == 0) {
            // The host converts the tables itself; the version records that it is done.
            QStringList jmena;
            for (int i : tabulky_)
                if (!(d_.tabulka(i)->DalsiVlastnosti & kTabBezPrevoduUnicode))
                    jmena.append(QStringLiteral("dbo.") + d_.jmenoTabulky(i));
            skripty.pridejKModulu(verze, hlaska(134), davkaVerze(identita_, verze, false));
            if (!proved(format(hlaska(32), {v.puvodniVerze, verze}), skripty))
                return false;
            host_.registerTables(jmena.join(u','));
            zurnal(0, 80, verze + u' ' + hlaska(134));
            skripty = ZmenySchematu();
            posledni = verze;
            continue;
        }
        skripty.pridejKModulu(verze, hlaska(20), chranenySkript(identita_, verze, s.Skript));
        skripty.pridejKModulu(verze, hlaska(20), davkaVerze(identita_, verze, false));
        posledni = verze;
        ++v.zmenoveSkripty;
    }
    if (!proved(format(hlaska(32), {v.puvodniVerze, textVerze(identita_.verze)}), skripty))
        return false;
    if (v.zmenoveSkripty > 0)
        zurnal(0, 8, textVerze(identita_.verze) + u' ' + format(hlaska(33), {v.zmenoveSkripty}));
    return true;
}

bool Instalace::hostitelskeSloupce() {
    ZmenySchematu davky;
    for (std::size_t i = 1; i < d_.extAtributy.size(); ++i) {
        const auto& a = d_.extAtributy[i];
        if (a.JmenoSys.isEmpty())
            continue;
        davky.pridejKModulu(hlaska(92), format(hlaska(93), {a.JmenoTabulky, a.JmenoSys}),
                            davkaHostitelskehoSloupce(a, identita_.systemoveJmeno, identita_.verejneJmeno));
    }
    return proved(hlaska(38), davky);
}

bool Instalace::chybejiciTabulky() {
    QStringList jmena;
    for (int i : tabulky_)
        jmena.append(sql::text(d_.jmenoTabulky(i)));
    if (jmena.isEmpty())
        return true;
    QStringList existujici;
    for (HostQuery q = host_.openSql(
             format(QStringLiteral("SELECT name FROM sysobjects WHERE name IN(%s) AND xtype='U'"),
                    {jmena.join(u',')}));
         !q.eof(); q.next())
        existujici.append(q.value(0).toString().toUpper());
    ZmenySchematu nove;
    QStringList poVytvoreni;
    for (int i : tabulky_) {
        const auto* t = d_.tabulka(i);
        if (existujici.contains(t->JmenoSys.toUpper()))
            continue;
        nove.pridejKTabulce(t->JmenoSys, t->JmenoSys, hlaska(37), createTable(t, i), PoradiPrikazu::Bezne);
        if (!t->AfterCreateTable.trimmed().isEmpty())
            poVytvoreni.append(t->JmenoSys);
    }
    for (const QString& jmeno : poVytvoreni) {
        const auto* t = d_.tabulka(d_.indexTabulky(jmeno));
        nove.pridejKTabulce(t->JmenoSys, t->JmenoSys, hlaska(37), t->AfterCreateTable, PoradiPrikazu::Konec);
    }
    return proved(hlaska(36) + u'\r' + hlaska(37), nove);
}

void Instalace::sloupceSDaty(ZmenySchematu& zmeny, VysledekInstalace& v) const {
    const QString prebyva = hlaska(146);
    struct Sloupec {
        QString tabulka;
        QString jmeno;
    };
    std::vector<Sloupec> odebirane;
    for (const auto& t : zmeny.tabulky())
        for (const auto& o : t.objekty)
            for (const auto& z : o.zmeny)
                if (z.popis == prebyva)
                    odebirane.push_back({t.jmeno, o.jmeno});
    for (const auto& s : odebirane) {
        HostQuery q = host_.openSql(format(QStringLiteral("SELECT COUNT(*) FROM %s WHERE %s IS NOT NULL"),
                                           {sql::bracketedName(s.tabulka), sql::bracketedName(s.jmeno)}));
        const auto pocet = q.eof() ? 0 : q.value(0).toInt64();
        if (pocet == 0)
            continue;
        if (!tichy_) {
            // The dialog shows how many rows lose their value; the user decides.
            zmeny.pridejKTabulce(s.tabulka, s.jmeno, format(QStringLiteral("Řádků s hodnotou: %d"), {pocet}),
                                 QString(), PoradiPrikazu::Bezne);
            continue;
        }
        zmeny.odeber(s.tabulka, s.jmeno, prebyva);
        v.ponechaneSloupce.append(format(QStringLiteral("%s.%s (%d)"), {s.tabulka, s.jmeno, pocet}));
        zurnal(0, 77, QStringLiteral("Sloupec s daty ponechán: ") + v.ponechaneSloupce.back());
    }
}

bool Instalace::blokTabulek(VysledekInstalace& v) {
    Tx tx{d_, host_.sqlServerVersion()};
    tx.setTestDB(QString(), tabulky_);
    KatalogSchematu(host_, tx).vsechnyKrokyTabulek(identita_.prefixTabulek);
    ZmenySchematu zmeny = tx.zmeny();
    sloupceSDaty(zmeny, v);
    return proved(hlaska(39), zmeny);
}

bool Instalace::blokProcedur() {
    Tx tx{d_, host_.sqlServerVersion()};
    tx.setTestDB(QString(), tabulky_);
    std::vector<DefiniceModulu> procedury;
    for (std::size_t i = 1; i < d_.procedury.size(); ++i)
        if (d_.procedury[i].Databaze.isEmpty() && !d_.procedury[i].Text.trimmed().isEmpty())
            procedury.push_back(definiceModulu(d_.procedury[i].Text, false));
    std::vector<DefiniceModulu> funkce;
    for (std::size_t i = 1; i < d_.funkce.size(); ++i)
        if (d_.funkce[i].Databaze.isEmpty() && !d_.funkce[i].Text.trimmed().isEmpty())
            funkce.push_back(definiceModulu(d_.funkce[i].Text, true));
    KatalogSchematu katalog(host_, tx);
    katalog.procedury(procedury);
    katalog.funkce(funkce);
    return proved(hlaska(39), tx.zmeny());
}

VysledekInstalace Instalace::spust() {
    VysledekInstalace v;
    for (int i = 1; i < static_cast<int>(d_.tabulky.size()); ++i)
        if (auto* t = d_.tabulka(i))
            odvodConstrainty(*t);
    HostQuery legislativa = host_.openSql(QStringLiteral("SELECT Legislativa FROM TabHGlob"));
    tabulky_ = pouziteTabulky(d_, legislativa.eof() ? -1 : legislativa.value(0).toInt());
    v.puvodniVerze = aktualniVerze();
    host_.execSql(davkaVerze(identita_, v.puvodniVerze, false));
    const QString verze = textVerze(identita_.verze);
    try {
        v.dokonceno = zmenoveSkripty(v) && hostitelskeSloupce() && chybejiciTabulky() && blokTabulek(v) &&
                      blokProcedur();
    } catch (...) {
        zurnal(0, 77, hlaska(96) + QStringLiteral(" ERROR - ") + verze);
        throw;
    }
    if (!v.dokonceno) {
        zurnal(0, 77, hlaska(96) + QStringLiteral(" ERROR - ") + verze);
        return v;
    }
    host_.execSql(davkaVerze(identita_, verze, true));
    zurnal(0, 77, hlaska(96) + QStringLiteral(" OK - ") + verze);
    if (tichy_ && identita_.restartHostitele)
        host_.execSql(QStringLiteral("IF OBJECT_ID(N'tempdb..#RestartPlease', N'U')IS NULL CREATE TABLE "
                                     "#RestartPlease(ID INT NOT NULL)"));
    return v;
}

} // namespace provozmat
