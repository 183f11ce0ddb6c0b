DECLARE @i int = 0, @s nvarchar(20) = N''
WHILE @i < 5
BEGIN
    SET @i = @i + 1
    IF @i = 2 CONTINUE
    IF @i = 4 BREAK
    SET @s = @s + CAST(@i AS nvarchar(5))
END
SELECT s = @s, i = @i
GO
DECLARE @n int
SET @n = 1
IF @n IS NULL SELECT 'null' ELSE IF @n > 0 SELECT 'positive' ELSE SELECT 'other'
IF NULL = NULL SELECT 'equal' ELSE SELECT 'unknown is not true'
GO
DECLARE @step int = 0
again:
SET @step = @step + 1
IF @step < 3 GOTO again
SELECT step = @step
RETURN
SELECT 'not reached'
GO
