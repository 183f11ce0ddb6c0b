-- The catalog queries of an installer and schema comparer, as it sends them, on a small schema.
CREATE TABLE dbo.TabCisZam_Ext (ID INT NOT NULL, _Provozmat_Karta NVARCHAR(20) NULL, CONSTRAINT PK__TabCisZam_Ext__ID PRIMARY KEY (ID))
CREATE TABLE dbo.TabPluginInfo (ID INT IDENTITY(1,1) NOT NULL, Verze NVARCHAR(30) NULL, DatumInstalace DATETIME NULL, ZmenyOK BIT NOT NULL CONSTRAINT DF__TabPluginInfo__ZmenyOK DEFAULT 0)
CREATE TABLE dbo.KTab_KontrolniPostupHlavicka7EK (ID INT IDENTITY(1,1) NOT NULL, Nazev NVARCHAR(30) NULL, Mnozstvi NUMERIC(19,6) NOT NULL CONSTRAINT DF__KTab_KontrolniPostupHlavicka7EK__Mnozstvi DEFAULT 0, Port NVARCHAR(10) NOT NULL CONSTRAINT DF__KTab_KontrolniPostupHlavicka7EK__Port DEFAULT 'COM1', Zalozeno DATETIME NOT NULL CONSTRAINT DF__KTab_KontrolniPostupHlavicka7EK__Zalozeno DEFAULT GETDATE(), Poznamka NVARCHAR(MAX) NULL, Poznamka255 AS SUBSTRING(Poznamka, 1, 255), CONSTRAINT PK__KTab_KontrolniPostupHlavicka7EK__ID PRIMARY KEY (ID), CONSTRAINT UQ__KTab_KontrolniPostupHlavicka7EK__Nazev UNIQUE (Nazev))
CREATE TABLE dbo.KTab_KontrolniPostupPolozka7EK (ID INT IDENTITY(1,1) NOT NULL, IDKP INT NOT NULL, Poradi INT NOT NULL CONSTRAINT DF__KTab_KontrolniPostupPolozka7EK__Poradi DEFAULT 0, CONSTRAINT PK__KTab_KontrolniPostupPolozka7EK__ID PRIMARY KEY (ID))
GO
CREATE VIEW dbo.hvw__LCDTerminal7EK AS SELECT h.ID, CelkCasN = h.Mnozstvi / 60.0, Ukonceno = CAST(1 AS BIT), NazevAkce = h.Nazev, PocetPomocniku = h.ID + 1 FROM KTab_KontrolniPostupHlavicka7EK h
GO
CREATE PROCEDURE dbo.epx_Provozmat_00112233445566778899aabbccddeeff AS SELECT 1
GO
-- C1
IF NOT EXISTS (SELECT * FROM INFORMATION_SCHEMA.COLUMNS WHERE TABLE_NAME=N'TabCisZam_Ext' AND COLUMN_NAME = N'_Provozmat_Karta') raiserror('missing column', 16, 1)
IF NOT EXISTS (SELECT * FROM INFORMATION_SCHEMA.COLUMNS WHERE TABLE_NAME=N'TabCisZam_Ext' AND COLUMN_NAME = N'_Provozmat_Jine') raiserror('missing column', 16, 1)
GO
-- C2
IF OBJECT_ID(N'dbo.epx_Provozmat_00112233445566778899aabbccddeeff', N'P') IS NULL SELECT 0 ELSE SELECT 1
GO
-- C4, then C3 drops the view
SELECT c.name, bt.name FROM dbo.syscolumns c INNER JOIN dbo.systypes bt ON bt.xusertype = c.xtype WHERE c.id = OBJECT_ID(N'dbo.hvw__LCDTerminal7EK') ORDER BY c.colid
IF OBJECT_ID(N'dbo.hvw__LCDTerminal7EK') IS NOT NULL DROP VIEW dbo.hvw__LCDTerminal7EK
SELECT OBJECT_ID(N'dbo.hvw__LCDTerminal7EK')
GO
-- C5
SELECT DB_NAME()
GO
-- C6
IF COLUMNPROPERTY(OBJECT_ID(N'dbo.TabPluginInfo',N'U'),N'DatumInstalace',N'AllowsNull')IS NOT NULL SELECT 'has DatumInstalace'
IF COLUMNPROPERTY(OBJECT_ID(N'dbo.TabPluginInfo',N'U'),N'DatumOdinstalace',N'AllowsNull')IS NOT NULL SELECT 'has DatumOdinstalace' ELSE SELECT 'no DatumOdinstalace'
GO
-- C7
IF OBJECT_ID(N'tempdb..#RestartPlease', N'U')IS NULL CREATE TABLE #RestartPlease(ID INT NOT NULL)
IF OBJECT_ID(N'tempdb..#RestartPlease', N'U')IS NULL CREATE TABLE #RestartPlease(ID INT NOT NULL)
SELECT n = COUNT(*) FROM #RestartPlease
GO
-- C8 and C9: the disabled table triggers (there are none)
IF OBJECT_ID(N'dbo.TabTriggeryZakazane', N'U') IS NULL CREATE TABLE dbo.TabTriggeryZakazane (Tabulka NVARCHAR(128) NOT NULL, Triger NVARCHAR(128) NOT NULL)
INSERT dbo.TabTriggeryZakazane (Tabulka, Triger) SELECT OBJECT_NAME(parent_id), name FROM sys.triggers WHERE is_disabled = 1 AND parent_class = 1
SELECT Tabulka, Triger FROM TabTriggeryZakazane WHERE Triger IN (SELECT name FROM sys.triggers WHERE is_disabled = 0)
GO
-- C10
SELECT OBJECT_ID('dbo.TabCisZam_Ext','U') - OBJECT_ID('TabCisZam_Ext')
GO
-- C11
SELECT name FROM sysobjects WHERE name IN(N'KTab_KontrolniPostupHlavicka7EK',N'ktab_kontrolnipostuppolozka7ek',N'KTab_Neni') AND xtype='U' ORDER BY name
GO
-- C12
SELECT sysobjects.name, syscolumns.name, systypes.name, COLUMNPROPERTY(sysobjects.id,syscolumns.name,'IsIdentity'), syscolumns.isnullable, syscolumns.prec, syscolumns.xprec, syscolumns.scale FROM sysobjects JOIN syscolumns ON sysobjects.id=syscolumns.id JOIN systypes ON syscolumns.xusertype=systypes.xusertype WHERE syscolumns.iscomputed=0 and sysobjects.xtype='U' AND sysobjects.name IN(N'KTab_KontrolniPostupHlavicka7EK',N'KTab_KontrolniPostupPolozka7EK') ORDER BY sysobjects.name, syscolumns.colid
GO
-- C13
SELECT sysobjects.name, syscolumns.name, systypes.name, COLUMNPROPERTY(sysobjects.id,syscolumns.name,'IsIdentity'), syscolumns.isnullable, syscolumns.prec, syscolumns.xprec, syscolumns.scale, syscolumns.colid, substring(text,    1,2000) + '|', substring(text, 2001,2000) + '|' FROM sysobjects JOIN syscolumns ON sysobjects.id=syscolumns.id JOIN systypes ON syscolumns.xusertype=systypes.xusertype JOIN syscomments ON syscolumns.id=syscomments.id AND syscolumns.colid=syscomments.number WHERE syscolumns.iscomputed=1 and sysobjects.xtype='U' AND sysobjects.name IN(N'KTab_KontrolniPostupHlavicka7EK',N'KTab_KontrolniPostupPolozka7EK') ORDER BY sysobjects.name
GO
-- C14
SELECT sysobjects.name, o2.name FROM sysobjects, sysobjects o2 WHERE sysobjects.xtype IN('UQ','PK') AND o2.id = sysobjects.parent_obj AND o2.name IN(N'KTab_KontrolniPostupHlavicka7EK',N'KTab_KontrolniPostupPolozka7EK') ORDER BY sysobjects.name
GO
-- C15
SELECT sysobjects.name, syscomments.text, OBJECTPROPERTY(sysobjects.id,'CnstIsDisabled'), o2.name FROM sysobjects,syscomments,sysobjects o2 WHERE sysobjects.id=syscomments.id AND sysobjects.xtype IN('D','C') AND o2.id=sysobjects.parent_obj AND o2.name IN(N'KTab_KontrolniPostupHlavicka7EK',N'KTab_KontrolniPostupPolozka7EK') ORDER BY sysobjects.name
GO
-- C16 finds nothing, so the foreign key is added; then it finds it
SELECT OBJECTPROPERTY(constid,'CnstIsDisabled'), OBJECT_NAME(constid), OBJECT_NAME(rkeyid), COL_NAME(rkeyid,rkey1), COL_NAME(rkeyid,rkey2), COL_NAME(rkeyid,rkey3), COL_NAME(rkeyid,rkey4), COL_NAME(rkeyid,rkey5), COL_NAME(rkeyid,rkey6), COL_NAME(rkeyid,rkey7), COL_NAME(rkeyid,rkey8), COL_NAME(rkeyid,rkey9), COL_NAME(rkeyid,rkey10), COL_NAME(rkeyid,rkey11), COL_NAME(rkeyid,rkey12), COL_NAME(rkeyid,rkey13), COL_NAME(rkeyid,rkey14), COL_NAME(rkeyid,rkey15), COL_NAME(rkeyid,rkey16), OBJECT_NAME(fkeyid) FROM sysreferences JOIN sysobjects ON fkeyid=id WHERE name IN(N'KTab_KontrolniPostupHlavicka7EK',N'KTab_KontrolniPostupPolozka7EK')
ALTER TABLE KTab_KontrolniPostupPolozka7EK ADD CONSTRAINT FK__KTab_KontrolniPostupPolozka7EK__IDKP FOREIGN KEY (IDKP) REFERENCES KTab_KontrolniPostupHlavicka7EK (ID)
SELECT OBJECTPROPERTY(constid,'CnstIsDisabled'), OBJECT_NAME(constid), OBJECT_NAME(rkeyid), COL_NAME(rkeyid,rkey1), COL_NAME(rkeyid,rkey2), COL_NAME(rkeyid,rkey3), COL_NAME(rkeyid,rkey4), COL_NAME(rkeyid,rkey5), COL_NAME(rkeyid,rkey6), COL_NAME(rkeyid,rkey7), COL_NAME(rkeyid,rkey8), COL_NAME(rkeyid,rkey9), COL_NAME(rkeyid,rkey10), COL_NAME(rkeyid,rkey11), COL_NAME(rkeyid,rkey12), COL_NAME(rkeyid,rkey13), COL_NAME(rkeyid,rkey14), COL_NAME(rkeyid,rkey15), COL_NAME(rkeyid,rkey16), OBJECT_NAME(fkeyid) FROM sysreferences JOIN sysobjects ON fkeyid=id WHERE name IN(N'KTab_KontrolniPostupHlavicka7EK',N'KTab_KontrolniPostupPolozka7EK')
GO
-- C17
SELECT o2.name + sys.objects.name, sys.sql_modules.definition, OBJECTPROPERTY(sys.objects.object_id,'ExecIsTriggerDisabled'), sys.objects.name FROM sys.objects JOIN sys.sql_modules ON sys.objects.object_id = sys.sql_modules.object_id JOIN sys.objects o2 ON o2.object_id = sys.objects.parent_object_id AND sys.objects.type='TR' AND o2.name IN(N'KTab_KontrolniPostupHlavicka7EK',N'KTab_KontrolniPostupPolozka7EK') AND sys.objects.name NOT LIKE N'et_'+o2.name+N'%' AND sys.objects.name NOT LIKE N'et_ntf_'+o2.name+N'%' 
GO
-- C18, and the same without its name filter to show it would read the key indexes
SELECT name, OBJECT_NAME(object_id), INDEXPROPERTY(object_id,name,'IsClustered'), INDEXPROPERTY(object_id,name,'IsUnique'), ISNULL(filter_definition,''), INDEX_COL(OBJECT_NAME(object_id),index_id,1), INDEX_COL(OBJECT_NAME(object_id),index_id,2), INDEX_COL(OBJECT_NAME(object_id),index_id,3), INDEX_COL(OBJECT_NAME(object_id),index_id,4), INDEX_COL(OBJECT_NAME(object_id),index_id,5), INDEX_COL(OBJECT_NAME(object_id),index_id,6), INDEX_COL(OBJECT_NAME(object_id),index_id,7), INDEX_COL(OBJECT_NAME(object_id),index_id,8), object_id - object_id, index_id FROM sys.indexes WHERE index_id > 0 AND INDEXPROPERTY(object_id,name,'IsStatistics') = 0 AND name LIKE N'I%' AND OBJECT_NAME(object_id) LIKE N'KTab%'
SELECT name, OBJECT_NAME(object_id), INDEXPROPERTY(object_id,name,'IsClustered'), INDEXPROPERTY(object_id,name,'IsUnique'), ISNULL(filter_definition,''), INDEX_COL(OBJECT_NAME(object_id),index_id,1), INDEX_COL(OBJECT_NAME(object_id),index_id,2), index_id FROM sys.indexes WHERE index_id > 0 AND INDEXPROPERTY(object_id,name,'IsStatistics') = 0 AND OBJECT_NAME(object_id) LIKE N'KTab%' ORDER BY name
GO
-- C19
SELECT COL_NAME(object_id, column_id) FROM sys.index_columns WHERE object_id = OBJECT_ID('KTab_KontrolniPostupHlavicka7EK') AND index_id = 1 AND is_included_column = 1 ORDER BY index_column_id
GO
-- C20 and C21
SELECT sys.objects.name, sys.sql_modules.definition FROM sys.objects JOIN sys.sql_modules ON sys.objects.object_id = sys.sql_modules.object_id WHERE sys.objects.type = 'P' AND sys.objects.name IN(N'epx_Provozmat_00112233445566778899aabbccddeeff',N'epx_Provozmat_Jine')
SELECT sys.objects.name, sys.sql_modules.definition FROM sys.objects JOIN sys.sql_modules ON sys.objects.object_id = sys.sql_modules.object_id WHERE sys.objects.type IN ('FN','IF','TF') AND sys.objects.name IN(N'ef_Neni')
GO
-- C22: add ID1 when the table exists without it
IF OBJECT_ID(N'dbo.TabCisZam_Ext', N'U') IS NOT NULL AND NOT EXISTS (SELECT * FROM INFORMATION_SCHEMA.COLUMNS WHERE TABLE_NAME = N'TabCisZam_Ext' AND COLUMN_NAME = N'ID1') ALTER TABLE dbo.TabCisZam_Ext ADD ID1 INT NULL
IF OBJECT_ID(N'dbo.TabCisZam_Ext', N'U') IS NOT NULL AND NOT EXISTS (SELECT * FROM INFORMATION_SCHEMA.COLUMNS WHERE TABLE_NAME = N'TabCisZam_Ext' AND COLUMN_NAME = N'ID1') SELECT 'adds ID1' ELSE SELECT 'has ID1'
IF OBJECT_ID(N'dbo.TabCisZam_Ext', N'U') IS NOT NULL AND NOT EXISTS (SELECT * FROM INFORMATION_SCHEMA.COLUMNS WHERE TABLE_NAME = N'tabciszam_ext' AND COLUMN_NAME = N'id') SELECT 'adds ID' ELSE SELECT 'has ID'
SELECT COLUMN_NAME, DATA_TYPE, IS_NULLABLE FROM INFORMATION_SCHEMA.COLUMNS WHERE TABLE_NAME = N'TabCisZam_Ext' ORDER BY ORDINAL_POSITION
GO
