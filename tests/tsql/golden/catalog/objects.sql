CREATE TABLE dbo.KTab_Hlavicka (ID INT IDENTITY(1,1) NOT NULL, Kod NVARCHAR(10) NOT NULL, Typ INT NOT NULL CONSTRAINT DF__KTab_Hlavicka__Typ DEFAULT 0, CONSTRAINT PK__KTab_Hlavicka__ID PRIMARY KEY (ID), CONSTRAINT UQ__KTab_Hlavicka__Kod UNIQUE (Kod), CONSTRAINT CK__KTab_Hlavicka__Typ CHECK (Typ IN (0, 1)))
CREATE TABLE dbo.KTab_Polozka (ID INT IDENTITY(1,1) NOT NULL, IDH INT NOT NULL, Mnozstvi NUMERIC(19,6) NOT NULL CONSTRAINT DF__KTab_Polozka__Mnozstvi DEFAULT 0, CONSTRAINT PK__KTab_Polozka__ID PRIMARY KEY (ID), CONSTRAINT FK__KTab_Polozka__IDH FOREIGN KEY (IDH) REFERENCES dbo.KTab_Hlavicka (ID))
GO
CREATE VIEW dbo.hvw_Polozky AS SELECT p.ID, h.Kod, p.Mnozstvi FROM KTab_Polozka p JOIN KTab_Hlavicka h ON h.ID = p.IDH
GO
CREATE PROCEDURE dbo.epx_Uklid AS DELETE FROM KTab_Polozka
GO
CREATE FUNCTION dbo.ef_Dvakrat (@x INT) RETURNS INT AS BEGIN RETURN @x * 2 END
GO
-- every object and constraint, with its parent, in both object views
SELECT o.name, o.xtype, o.type, parent = OBJECT_NAME(o.parent_obj), o.uid FROM sysobjects o ORDER BY o.name
SELECT name, type, type_desc, parent = OBJECT_NAME(parent_object_id), schema_id, is_ms_shipped FROM sys.objects ORDER BY name
GO
-- the kinds compared with and without the trailing blank of char(2)
SELECT name FROM sys.objects WHERE type = 'P ' UNION ALL SELECT name FROM sys.objects WHERE type = 'p'
SELECT n = COUNT(*) FROM sysobjects WHERE xtype IN ('PK', 'UQ') AND type = 'K'
GO
SELECT name, max_column_id_used, lock_escalation_desc FROM sys.tables ORDER BY name
SELECT name, type_desc, with_check_option FROM sys.views
SELECT name, type_desc FROM sys.procedures
GO
SELECT TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE FROM INFORMATION_SCHEMA.TABLES ORDER BY TABLE_NAME
SELECT ROUTINE_NAME, ROUTINE_TYPE, ROUTINE_BODY, ROUTINE_DEFINITION FROM INFORMATION_SCHEMA.ROUTINES ORDER BY ROUTINE_NAME
GO
-- the dates are the session clock's: created and modified together
SELECT n = COUNT(*) FROM sys.objects WHERE create_date = modify_date AND create_date IS NOT NULL
SELECT n = COUNT(*) FROM sysobjects o JOIN sys.objects s ON s.object_id = o.id WHERE o.crdate = s.create_date
GO
-- #tables are not in the database's catalog
CREATE TABLE #Docasna (ID INT)
SELECT n = COUNT(*) FROM sysobjects WHERE name LIKE '#%'
SELECT n = COUNT(*) FROM sys.objects WHERE name = '#Docasna'
GO
-- a dropped object leaves every view
DROP VIEW dbo.hvw_Polozky
SELECT n = COUNT(*) FROM sysobjects WHERE name = 'hvw_Polozky'
SELECT n = COUNT(*) FROM sys.views
SELECT n = COUNT(*) FROM sys.sql_modules m JOIN sys.objects o ON o.object_id = m.object_id WHERE o.name = 'hvw_Polozky'
GO
