// The representative batches and fragments the plug-in sends, with their placeholders filled in:
// each must parse at the default compatibility level.

#include "ParseCase.h"

namespace tsql::testing {
namespace {

class SurveySnippets : public ::testing::TestWithParam<const char*> {};

TEST_P(SurveySnippets, Parse) {
    try {
        const Batch batch = parseBatch(GetParam());
        EXPECT_FALSE(batch.text.empty());
    } catch (const SyntaxError& e) {
        ADD_FAILURE() << GetParam() << "\n  raised " << e.number() << " line " << e.line() << ": "
                      << e.message();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Survey, SurveySnippets,
    ::testing::Values(
        "IF EXISTS(SELECT*FROM TabPluginInfo WHERE NazevSys=N'X')\rSELECT CAST(ZmenyOK AS INT) FROM "
        "TabPluginInfo "
        "WHERE NazevSys=N'X'\rELSE\rSELECT CAST(0 AS INT)",
        "SELECT SadaIkonek FROM [db]..TabUserCfg WHERE LoginName = SUSER_SNAME()",
        "IF OBJECT_ID(N'dbo.epx_Provozmat_0123456789ABCDEF0123456789ABCDEF', N'P') IS NULL SELECT 0 ELSE "
        "SELECT 1",
        "SELECT TOP 1 PozadovatHeslo=CASE WHEN PozadovatHeslo=1 THEN 1 ELSE 0 END FROM "
        "KTab_LCDKonfigurace7EK k1",
        "INSERT INTO KTab_LCD(ID, HesloLCDQuit) SELECT ID=isnull((select max(k.id)+1 from KTab_LCD k),1), "
        "HesloLCDQuit=isnull(HesloLCDQuit,'') FROM KTab_LCD WHERE ID=0\rIF @@ROWCOUNT=0 RAISERROR('Tento "
        "název "
        "počítače je již použit.',16,1)",
        "SELECT *\r FROM TabCisZam CZ \r INNER JOIN TabCisZam_Ext E ON (E.ID=CZ.ID)\r WHERE "
        "E._VstupniKodLCD=N'0042A'",
        "Update TabCisZam_Ext\rSET _Heslo='x'\rWHERE ID=5\rIF @@ROWCOUNT=0\rINSERT INTO "
        "TabCisZam_Ext(ID,_Heslo) "
        "Values(5,'x')",
        "IF NOT EXISTS (SELECT *\r FROM INFORMATION_SCHEMA.COLUMNS\r WHERE TABLE_NAME=N'TabCisZam_Ext' AND "
        "COLUMN_NAME = N'_Heslo'\r)\rraiserror(N'Sloupec s heslem neexistuje',16,1)",
        "SELECT labelPracoviste=isnull( cp.Pracoviste,'') +' / '+ isnull(cp.Nazev,''), "
        "ltrim(PrP.operace)+' / '+PrP.Nazev FROM TabPrPostup PrP LEFT JOIN TabCPraco_EXT cpe ON "
        "cpe.ID=PrP.ID "
        "LEFT JOIN TabCPraco cp ON cp.ID=PrP.IDPracoviste WHERE PrP.IDPRikaz=5",
        "SELECT kph.ID FROM KTab_LCDTerminal7EK as lcd\rOUTER APPLY (SELECT TOP 1 ph.ID FROM KTab_Hlavicka "
        "ph "
        "CROSS APPLY (SELECT cislo  = CASE WHEN (ph.IDDilce = kz.ID AND ph.IDPracoviste = l.IDPRacoviste) "
        "THEN 3 "
        "ELSE 1 END) poradi WHERE trim(ISNULL(ph.PrefixKmenZbozi,''))='' OR kz.RegCis like "
        "ph.PrefixKmenZbozi+'%' ORDER BY poradi.cislo DESC) as kph\rOUTER APPLY (SELECT "
        "CisloOrg=MAX(dz.CisloOrg) "
        "FROM TabPrikazZdrojOZ zoz INNER JOIN TabDZ dz ON dz.ID = zoz.IDDZ WHERE zoz.IDPrikaz=lcd.IDPrikaz) "
        "as exp",
        "SELECT BtnTxtColor=CASE WHEN NOT EXISTS(SELECT * FROM KTab_KontrolniPostupHodnoty7EK WHERE "
        "IDPolKontroly=kp.ID AND IDScanData=l.ID ) THEN 255 END, Typ=ISNULL(p.Typ,1) /*1 číslo, 2 "
        "zatržítko*/ "
        "FROM KTab_P kp, KTab_L l LEFT JOIN KTab_Typ p ON p.ID = l.ID",
        "SELECT * FROM hvw__LCDPrehledOperaci7EK X WHERE X.X_ID in (SELECT ID FROM t) ORDER BY CASE "
        "X.X_AkceLCD "
        "WHEN 10 THEN 1 WHEN 30 then 2 WHEN 20 THEN 3 END ASC, X.X_IDLogLCD DESC",
        "SELECT N'Číslo: '+convert(nvarchar, cz.Cislo)+N'  Jméno: '+cz.PrijmeniJmeno, "
        "convert(int,ZahajSdruzene) "
        "FROM TabCisZam cz",
        "DECLARE @IDKmenZbozi INT\rSELECT  @IDPrikaz=12, @Barcode=N'A1'\rSELECT @IDKmenZbozi=(SELECT "
        "MAX(bc.IDKmenZbo) FROM TabBarCodeZbo bc WHERE bc.BarCode=@Barcode)\rIF @IDKmenZbozi IS NULL\rSELECT "
        "MAX(ss.IDKmenZbozi) FROM TabVyrCS vc INNER JOIN TabPrikaz p on p.ID=@IDPrikaz\rSELECT kz.ID FROM "
        "TabKmenZbozi kz WHERE kz.ID=@IDKmenZbozi",
        "IF ISNULL(convert(nvarchar,(SELECT HesloLCDQuit FROM KTab_LCD WHERE ID=0)),'')='' SELECT ukoncit=1 "
        "ELSE "
        "select ukoncit=0",
        "/* skript: 1 */\rBEGIN TRANSACTION\rIF(SELECT VerzePluginu FROM TabPluginInfo WITH(TABLOCKX) WHERE "
        "NazevSys=N'X')>=N'020020160628'\rBEGIN\rROLLBACK\rRAISERROR(N'Text 31', 16, 1)\rRETURN\rEND\rUPDATE "
        "t "
        "SET a=1\rCOMMIT",
        "IF COLUMNPROPERTY(OBJECT_ID(N'dbo.TabPluginInfo',N'U'),N'DatumInstalace',N'AllowsNull')IS NOT NULL\r"
        "BEGIN\rDECLARE @Skript NVARCHAR(500)\rDECLARE @NazevSys NVARCHAR(100)\rSET @NazevSys = N'X'\rSET "
        "@Skript "
        "= N'UPDATE TabPluginInfo SET DatumInstalace = GETDATE() WHERE NazevSys=' + ''''+@NazevSys+'''' "
        "\rEXEC(@Skript)\rEND",
        "IF OBJECT_ID(N'tempdb..#RestartPlease', N'U')IS NULL CREATE TABLE #RestartPlease(ID INT NOT NULL)",
        "DECLARE @Cislo INT, @GUID BINARY(16), @DatPorizeni DATETIME, @Autor NVARCHAR(128)\rSET @Autor = "
        "N'sa'\r"
        "SELECT @ExtEd_BrowseID = Cislo + 3\rFROM TabObecnyPrehled WHERE NazevSys = N'X'\rIF @@ROWCOUNT = 0\r"
        "BEGIN\rEXEC @Cislo = dbo.hp_NajdiPrvniVolny N'TabObecnyPrehled',N'Cislo',1,9999999,'',1,1\rIF "
        "@@ERROR<>0 "
        "GOTO CHYBAROLLBACK\rEND\rCOMMIT\rRETURN\rCHYBAROLLBACK:\rROLLBACK",
        "INSERT TabSkupinaExt(Skupina)VALUES(N'X')\rDELETE TabSoudkyPoradi WHERE Soudek NOT IN(SELECT Soudek "
        "FROM "
        "TabSoudky)",
        "ELSE_X:\rIF @Externi = 1\rBEGIN\rEXEC dbo.hp_ExterniTabulka 1,N'a',N'b'\rIF @@ERROR<>0 GOTO "
        "CHYBAROLLBACK\rEND\rELSE\rBEGIN\rSELECT @Offset = ISNULL(MIN(Poradi),0) FROM TabSoudkyPoradi\rIF "
        "@Offset > "
        "0\rSET @Offset = @Offset - 1\rELSE\rSELECT @Offset = MAX(Poradi) FROM TabSoudkyPoradi\rEND\r"
        "CHYBAROLLBACK:",
        "DECLARE @cmd NVARCHAR(MAX)\rDECLARE @ErrMsg NVARCHAR(4000)\rBEGIN TRY\rDECLARE Trig CURSOR LOCAL "
        "FAST_FORWARD\rFOR SELECT N'DISABLE TRIGGER ' + Triger + N' ON ' + Tabulka FROM TabTriggeryZakazane "
        "WHERE "
        "Triger IN (SELECT name FROM sys.triggers WHERE is_disabled = 0)\rOPEN Trig\rFETCH NEXT FROM Trig "
        "INTO "
        "@cmd\rWHILE @@FETCH_STATUS = 0\rBEGIN\rEXEC(@cmd)\rFETCH NEXT FROM Trig INTO @cmd\rEND\rCLOSE Trig\r"
        "DEALLOCATE Trig\rEND TRY\rBEGIN CATCH\rSET @ErrMsg = N'Chyba prikazu: ' + @cmd + N', Cislo: ' + "
        "CAST(ERROR_NUMBER() AS NVARCHAR(10)) + N', Hlaska: ' + ERROR_MESSAGE()\rRAISERROR(@ErrMsg, 16, "
        "1)\rEND "
        "CATCH",
        "WITH IMP (GUID, Jazyk, Hlaska, Skupina) AS ( \rSELECT 0x01, 1, N'a', 2 UNION ALL SELECT 0x02, 1, "
        "N'b', 2) \r"
        " MERGE INTO TabExtHlasky AS TRG USING IMP AS SRC ON TRG.GUID = SRC.GUID AND TRG.Jazyk = SRC.Jazyk "
        "WHEN "
        "MATCHED THEN UPDATE SET Hlaska = SRC.Hlaska, Skupina = SRC.Skupina WHEN NOT MATCHED THEN INSERT "
        "(GUID, "
        "Jazyk, Hlaska, Skupina) VALUES (SRC.GUID, SRC.Jazyk, SRC.Hlaska, SRC.Skupina);",
        "TRUNCATE TABLE TabTriggeryZakazane", "GRANT ALL ON dbo.hvw_X TO PUBLIC",
        "SELECT sys.objects.name,\rsys.sql_modules.definition\rFROM sys.objects\rJOIN sys.sql_modules ON "
        "sys.objects.object_id = sys.sql_modules.object_id WHERE sys.objects.type = 'P' AND sys.objects.name "
        "IN(N'a',N'b')",
        "SELECT OBJECTPROPERTY(constid,'CnstIsDisabled'), OBJECT_NAME(constid), COL_NAME(rkeyid,rkey1) FROM "
        "sysreferences\rJOIN sysobjects ON fkeyid=id WHERE name IN(N'KTab')",
        "SELECT sysobjects.name, syscolumns.name, substring(text,    1,2000) + '|' FROM sysobjects JOIN "
        "syscolumns "
        "ON sysobjects.id=syscolumns.id JOIN syscomments ON syscolumns.id=syscomments.id AND "
        "syscolumns.colid=syscomments.number WHERE syscolumns.iscomputed=1 and sysobjects.xtype='U'",
        "SELECT o2.name + sys.objects.name FROM sys.objects JOIN sys.objects o2 ON o2.object_id = "
        "sys.objects.parent_object_id AND sys.objects.type='TR' AND sys.objects.name NOT LIKE "
        "N'et_'+o2.name+N'%' ",
        "EXEC sp_rename N'table.oldname', N'newname', 'INDEX' ",
        "ALTER TABLE KTab ADD Pom INT NOT NULL CONSTRAINT DF__KTab____OrvianPom DEFAULT 0\rALTER TABLE KTab "
        "DROP "
        "CONSTRAINT DF__KTab____OrvianPom",
        "CREATE TABLE dbo.KTab_LCDKonfigurace7EK(\r\nID INT NOT NULL,\r\nCOM_Port NVARCHAR(20) NOT NULL "
        "CONSTRAINT "
        "DF__KTab_LCDKonfigurace7EK__COM_Port DEFAULT 'COM1',\r\nDatPorizeni DATETIME NOT NULL CONSTRAINT "
        "DF__KTab_LCDKonfigurace7EK__DatPorizeni DEFAULT GETDATE(),\r\nCONSTRAINT "
        "PK__KTab_LCDKonfigurace7EK__ID "
        "PRIMARY KEY(ID),\r\nCONSTRAINT UQ__KTab_LCDKonfigurace7EK__NazevPocitace UNIQUE(NazevPocitace))",
        "SELECT DatumPor_D=(datepart(day,DatumPor)), "
        "CONVERT(DATETIME,CONVERT(INT,CONVERT(FLOAT,[DatumPor]))), "
        "Poznamka255 = SUBSTRING([Poznamka],1,255), (NCHAR(13) + NCHAR(10)) FROM KTab",
        "SELECT *,CelkCasN=CelkCasS/60.0,CelkCasH=CelkCasS/3600.0, Ukonceno=convert(bit,CASE WHEN "
        "ISNULL(IDKolegy,-1)<0 THEN 0 ELSE 1 END) FROM KTab_LCDTerminal7EK",
        "UPDATE KTab_LCDTerminal7EK\rSET Akce=40\rWHERE PomocnikProIDKolegy is not null AND IDKolegy IS NULL "
        "AND "
        "Akce=10",
        "SELECT TOP 2 Nazev FROM TabKmenZbozi WHERE (LTRIM(RegCis) LIKE N'A%' ESCAPE '\\')",
        " IF @ID=0 BEGIN RAISERROR(N'Základní konfiguraci není možné smazat',16,1) ROLLBACK RETURN END ",
        "DECLARE @ID INT\rBEGIN TRANSACTION\rDELETE KTab WHERE ID=@ID\rIF @@ERROR<>0 GOTO CHYBAROLLBACK\rIF "
        "@@TRANCOUNT <> 0 COMMIT\rRETURN\rCHYBAROLLBACK:\rIF @@TRANCOUNT <> 0 ROLLBACK",
        "INSERT TabVelikostEditOkna(\rFormIdent, FormLeft, FormTop, FormWidth, FormHeight, "
        "Maximized)\rVALUES(N'F', 1, 2, 3, 4, 0)\rSET @ID=SCOPE_IDENTITY()\rSELECT SCOPE_IDENTITY()",
        "EXEC dbo.KEP_GENERUJ_VCProTisk @Pocet=3 ,  @IDPrikaz= 5",
        "exec @IDMzdy=hp_EvidenceOperace\rEXEC @retV=hp_generujRezVyd @RadaDokladu=@RadaVydej , "
        "@DruhPohybuZbo=@RadaVydejDP\rEXEC dbo.hp_realizuj_vydej @IDDok, NULL, 0, 0, @BylaChyba OUT",
        "SELECT c.name, bt.name FROM dbo.syscolumns c INNER JOIN dbo.systypes bt ON bt.xusertype = c.xtype "
        "WHERE "
        "c.id = OBJECT_ID(N'hvw_X') ORDER BY c.colid",
        "/* ALTER TABLE t ADD c AS x */", "SELECT getdate()"));

} // namespace
} // namespace tsql::testing
