CREATE FUNCTION dbo.f_plus (@a INT, @b INT = 1)
RETURNS INT
AS
BEGIN
    DECLARE @r INT
    SET @r = @a + @b
    RETURN @r
END
GO
CREATE FUNCTION dbo.f_label (@n NVARCHAR(10)) RETURNS NVARCHAR(20) AS
BEGIN
    IF @n IS NULL RETURN N'(none)'
    RETURN N'<' + @n + N'>'
END
GO
-- scalar functions in expressions, queries and WHERE; the result has the declared type
CREATE TABLE t_f (ID INT NOT NULL, Nazev NVARCHAR(10) NULL)
INSERT INTO t_f VALUES (1, N'a'), (2, NULL)
SELECT dbo.f_plus(2, 3) AS five, dbo.f_plus(dbo.f_plus(1, 1), 10) AS twelve
SELECT ID, dbo.f_label(Nazev) AS label FROM t_f WHERE dbo.f_plus(ID, 0) >= 1 ORDER BY ID
GO
-- a function needs its owner; DEFAULT fills a parameter with a default
SELECT f_plus(1, 1)
GO
SELECT dbo.f_plus(4, DEFAULT) AS five
GO
SELECT dbo.f_plus(1)
GO
-- EXEC of a string runs it as a batch of its own: its variables are its own
DECLARE @sql NVARCHAR(200) = N'SELECT COUNT(*) AS n FROM t_f WHERE ID > 1'
EXEC (@sql)
EXEC (N'DECLARE @x INT = 5 SELECT @x * 2 AS ten')
EXEC (N'SELECT @sql')
GO
-- sp_executesql with parameters and OUTPUT
DECLARE @count INT
EXEC sp_executesql N'SELECT @c = COUNT(*) FROM t_f WHERE ID >= @from', N'@from INT, @c INT OUTPUT',
    @from = 1, @c = @count OUTPUT
SELECT @count AS counted
EXEC sp_executesql N'SELECT @p + 1 AS plus', N'@p INT', 41
GO
-- a #table made by dynamic SQL ends with it; one made before is seen inside
EXEC (N'CREATE TABLE #inside (a INT) INSERT #inside VALUES (1)')
SELECT * FROM #inside
GO
CREATE TABLE #before (a INT)
EXEC (N'INSERT #before VALUES (7)')
SELECT a FROM #before
DROP TABLE #before
GO
-- errors of dynamic SQL are reported where they happen
EXEC (N'SELECT 1 +')
GO
EXEC (N'SELECT * FROM t_missing')
SELECT 'goes on' AS after_error
GO
DROP FUNCTION dbo.f_plus
DROP FUNCTION f_label
DROP TABLE t_f
GO
SELECT dbo.f_plus(1, 2)
GO
