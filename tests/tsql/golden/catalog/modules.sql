-- Installer header comment
CREATE PROCEDURE dbo.epx_Provozmat_Ping
    @x INT = 1
AS
BEGIN
    SELECT @x -- the answer
END
/* trailing comment */
GO
-- a schema comparer reads the text back and compares it from its first CREATE on
SELECT sys.objects.name, sys.sql_modules.definition FROM sys.objects JOIN sys.sql_modules ON sys.objects.object_id = sys.sql_modules.object_id WHERE sys.objects.type = 'P' AND sys.objects.name IN (N'epx_Provozmat_Ping')
SELECT same = CASE WHEN OBJECT_DEFINITION(OBJECT_ID('epx_Provozmat_Ping')) = definition THEN 1 ELSE 0 END FROM sys.sql_modules
SELECT colid, number, text FROM syscomments WHERE id = OBJECT_ID('epx_Provozmat_Ping')
GO
ALTER PROCEDURE dbo.epx_Provozmat_Ping AS SELECT 2
GO
SELECT definition FROM sys.sql_modules WHERE object_id = OBJECT_ID(N'dbo.epx_Provozmat_Ping', N'P')
GO
CREATE VIEW dbo.hvw_Ping AS SELECT Odpoved = 42
GO
CREATE FUNCTION dbo.ef_Ping () RETURNS INT AS BEGIN RETURN 1 END
GO
SELECT o.name, o.type, m.definition FROM sys.objects o JOIN sys.sql_modules m ON m.object_id = o.object_id ORDER BY o.name
SELECT o.name, o.type FROM sys.objects o WHERE o.type IN ('FN', 'IF', 'TF')
GO
-- a text longer than 4000 characters is split into rows of 4000 by colid
DECLARE @s NVARCHAR(MAX) = N'CREATE PROCEDURE dbo.epx_Dlouha AS SELECT N''' + REPLICATE(CAST(N'x' AS NVARCHAR(MAX)), 9000) + N''''
EXEC (@s)
GO
SELECT colid, LEN(text), LEFT(text, 20), RIGHT(text, 3) FROM syscomments WHERE id = OBJECT_ID('epx_Dlouha') ORDER BY colid
SELECT LEN(definition) FROM sys.sql_modules WHERE object_id = OBJECT_ID('epx_Dlouha')
SELECT substring(text, 1, 10) + '|', substring(text, 3995, 10) + '|' FROM syscomments WHERE id = OBJECT_ID('epx_Dlouha') AND colid = 1
GO
-- no triggers: the trigger views are empty
SELECT n = COUNT(*) FROM sys.triggers
SELECT name FROM sys.triggers WHERE is_disabled = 0
GO
