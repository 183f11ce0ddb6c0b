CREATE TABLE dbo.TabPluginInfo (ID INT NOT NULL, DatumInstalace DATETIME NULL)
GO
CREATE PROCEDURE dbo.epx_Provozmat_0123456789abcdef0123456789abcdef AS SELECT 1
GO
-- names in every accepted form and case, with and without a type
SELECT n = CASE WHEN OBJECT_ID('TabPluginInfo') = OBJECT_ID('dbo.TabPluginInfo') AND OBJECT_ID('[dbo].[TabPluginInfo]') = OBJECT_ID('tabplugininfo') AND OBJECT_ID('DBO.TABPLUGININFO', 'U') = OBJECT_ID('provozmat.dbo.TabPluginInfo') AND OBJECT_ID('provozmat..TabPluginInfo') = OBJECT_ID(N'"dbo"."TabPluginInfo"') THEN 'same' ELSE 'different' END
SELECT OBJECT_ID('TabPluginInfo', 'P'), OBJECT_ID('TabPluginInfo', 'V'), OBJECT_ID('other.TabPluginInfo'), OBJECT_ID('otherdb.dbo.TabPluginInfo'), OBJECT_ID('Neni'), OBJECT_ID(NULL), OBJECT_ID('')
SELECT OBJECT_NAME(OBJECT_ID('tabplugininfo')), OBJECT_NAME(OBJECT_ID('tabplugininfo'), DB_ID()), OBJECT_NAME(-1)
IF OBJECT_ID(N'dbo.epx_Provozmat_0123456789abcdef0123456789abcdef', N'P') IS NULL SELECT 0 ELSE SELECT 1
IF OBJECT_ID(N'dbo.epx_Provozmat_ffffffffffffffffffffffffffffffff', N'P') IS NULL SELECT 0 ELSE SELECT 1
SELECT OBJECT_ID(N'dbo.TabPluginInfo', N'U ') - OBJECT_ID(N'dbo.TabPluginInfo')
GO
-- #tables are found in tempdb only
IF OBJECT_ID(N'tempdb..#RestartPlease', N'U') IS NULL CREATE TABLE #RestartPlease (ID INT NOT NULL)
SELECT found = CASE WHEN OBJECT_ID(N'tempdb..#RestartPlease', N'U') IS NULL THEN 0 ELSE 1 END, CASE WHEN OBJECT_ID('#RestartPlease') = OBJECT_ID('tempdb.dbo.#RestartPlease') THEN 1 ELSE 0 END, OBJECT_ID('provozmat..#RestartPlease'), OBJECT_ID('tempdb..TabPluginInfo')
SELECT OBJECT_NAME(OBJECT_ID('tempdb..#RestartPlease')), OBJECT_NAME(OBJECT_ID('tempdb..#RestartPlease'), 2), COL_NAME(OBJECT_ID('tempdb..#RestartPlease'), 1)
DROP TABLE #RestartPlease
SELECT OBJECT_ID(N'tempdb..#RestartPlease', N'U')
GO
-- the system views answer to their names in any case, bare, dbo. or sys.
SELECT n = COUNT(*) FROM SysObjects WHERE name = 'TabPluginInfo'
SELECT n = COUNT(*) FROM dbo.SYSOBJECTS WHERE name = 'TabPluginInfo'
SELECT n = COUNT(*) FROM sys.sysobjects WHERE name = 'TabPluginInfo'
SELECT n = COUNT(*) FROM [sys].[Objects] WHERE name = 'TabPluginInfo'
SELECT n = COUNT(*) FROM information_schema.columns WHERE table_name = 'TabPluginInfo'
SELECT o.name FROM sys.objects o WHERE o.object_id = OBJECT_ID('TabPluginInfo')
GO
SELECT * FROM sys.nothing
GO
INSERT INTO sysobjects (name) VALUES ('x')
GO
DELETE FROM sys.objects
GO
UPDATE dbo.syscolumns SET name = 'x'
GO
-- the other metadata functions
SELECT DB_NAME(), DB_ID(), DB_ID('tempdb'), DB_ID('nothing'), SCHEMA_NAME(), SCHEMA_NAME(1), SCHEMA_NAME(4), SCHEMA_NAME(99), SCHEMA_ID(), SCHEMA_ID('sys')
GO
