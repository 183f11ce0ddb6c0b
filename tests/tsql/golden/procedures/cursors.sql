CREATE TABLE t_c (ID INT NOT NULL, Nazev NVARCHAR(10) NULL)
INSERT INTO t_c VALUES (1, N'a'), (2, N'b'), (3, NULL)
GO
-- a cursor walks the rows of its query in order; @@FETCH_STATUS ends the loop
DECLARE @id INT, @n NVARCHAR(10), @all NVARCHAR(100) = N''
DECLARE c CURSOR LOCAL FAST_FORWARD FOR SELECT ID, Nazev FROM t_c ORDER BY ID DESC
OPEN c
FETCH NEXT FROM c INTO @id, @n
WHILE @@FETCH_STATUS = 0
BEGIN
    SET @all = @all + CAST(@id AS NVARCHAR(5)) + N'=' + ISNULL(@n, N'?') + N';'
    FETCH NEXT FROM c INTO @id, @n
END
SELECT @all AS walked, @@FETCH_STATUS AS status
CLOSE c
DEALLOCATE c
GO
-- the rows are read when the cursor opens: later changes are not seen
DECLARE @id INT, @count INT = 0
DECLARE c CURSOR LOCAL STATIC FOR SELECT ID FROM t_c
OPEN c
DELETE FROM t_c WHERE ID = 3
FETCH NEXT FROM c INTO @id
WHILE @@FETCH_STATUS = 0
BEGIN
    SET @count = @count + 1
    FETCH NEXT FROM c INTO @id
END
SELECT @count AS fetched
CLOSE c
-- a closed cursor opens again with the table as it is now
OPEN c
SET @count = 0
FETCH NEXT FROM c INTO @id
WHILE @@FETCH_STATUS = 0
BEGIN
    SET @count = @count + 1
    FETCH NEXT FROM c INTO @id
END
SELECT @count AS fetched_again
DEALLOCATE c
GO
-- errors
DECLARE @id INT
DECLARE c CURSOR LOCAL FOR SELECT ID FROM t_c
FETCH NEXT FROM c INTO @id
GO
DECLARE @id INT
DECLARE c CURSOR LOCAL FOR SELECT ID FROM t_c
OPEN c
OPEN c
GO
DECLARE @id INT
DECLARE c CURSOR LOCAL FOR SELECT ID FROM t_c
CLOSE c
GO
DECLARE @id INT
FETCH NEXT FROM nic INTO @id
GO
DROP TABLE t_c
GO
