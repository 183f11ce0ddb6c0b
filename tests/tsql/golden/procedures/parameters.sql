CREATE TABLE t_log (ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY, Text NVARCHAR(50) NULL)
GO
CREATE PROCEDURE dbo.p_add
  @a INT,
  @b INT = 10,
  @sum INT OUTPUT
AS
SET @sum = @a + @b
INSERT INTO t_log (Text) VALUES (N'add ' + CAST(@sum AS NVARCHAR(10)))
RETURN @sum * 2
GO
-- positional, named, default and OUTPUT parameters; the return status
DECLARE @s INT, @r INT
EXEC @r = p_add 1, 2, @s OUTPUT
SELECT @r AS r, @s AS s
EXEC @r = dbo.p_add @a = 5, @sum = @s OUT
SELECT @r AS r, @s AS s
EXECUTE p_add @b = 1, @a = 1, @sum = @s OUTPUT
SELECT @s AS s
SELECT ID, Text FROM t_log ORDER BY ID
GO
-- without OUTPUT at the call the variable keeps its value
DECLARE @s INT = 7
EXEC p_add 1, 1, @s
SELECT @s AS s
GO
-- SCOPE_IDENTITY() stays with the caller's own inserts, @@IDENTITY follows the last one
INSERT INTO t_log (Text) VALUES (N'outer')
DECLARE @s INT
EXEC p_add 0, 0, @s OUTPUT
SELECT SCOPE_IDENTITY() AS scope_id, @@IDENTITY AS last_id
GO
-- errors of the call
EXEC p_add
GO
DECLARE @s INT
EXEC p_add 1, 2, @s OUTPUT, 4
GO
DECLARE @s INT
EXEC p_add @a = 1, @c = 2, @sum = @s OUTPUT
GO
DECLARE @s INT
EXEC p_add @a = 1, 2
GO
EXEC p_nothing
GO
CREATE PROCEDURE p_add AS SELECT 1
GO
-- ALTER keeps the name and replaces the body; nested calls see @@NESTLEVEL
ALTER PROCEDURE p_add @a INT, @b INT = 10, @sum INT OUTPUT AS
SET @sum = @a - @b
SELECT @@NESTLEVEL AS level
GO
CREATE PROCEDURE p_outer AS
DECLARE @s INT
SELECT @@NESTLEVEL AS level
EXEC p_add 3, 1, @s OUTPUT
SELECT @s AS s
GO
EXEC p_outer
GO
DROP PROCEDURE p_outer
DROP PROCEDURE p_add
DROP TABLE t_log
GO
EXEC p_outer
GO
