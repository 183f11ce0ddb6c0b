DECLARE @t TABLE (ID INT NOT NULL PRIMARY KEY, Nazev NVARCHAR(10) NULL)
INSERT INTO @t (ID, Nazev) VALUES (2, N'b'), (1, N'a')
INSERT @t (ID) SELECT 3
SELECT * FROM @t ORDER BY ID
SELECT x.Nazev FROM @t x WHERE x.ID = 2
UPDATE @t SET Nazev = N'c' WHERE ID = 3
DELETE FROM @t WHERE ID = 1
SELECT t.ID, t.Nazev FROM @t t ORDER BY t.ID
UPDATE t SET Nazev = N'z' FROM @t t WHERE t.ID = 2
SELECT COUNT(*) FROM @t WHERE Nazev = N'z'
GO
-- a table variable lives for its batch only
SELECT * FROM @t
GO
DECLARE @t TABLE (a INT)
DECLARE @t INT
GO
DECLARE @k TABLE (ID INT IDENTITY(1,1) NOT NULL, Kod NVARCHAR(5) NOT NULL)
INSERT INTO @k (Kod) VALUES (N'x')
INSERT INTO @k (Kod) VALUES (N'y')
SELECT ID, Kod, SCOPE_IDENTITY() FROM @k ORDER BY ID
SELECT COUNT(*) FROM @k
GO
-- each call of a procedure has its own, and the caller's stays apart
CREATE PROCEDURE tv_p AS
DECLARE @t TABLE (a INT)
INSERT @t VALUES (1)
SELECT a FROM @t
GO
DECLARE @t TABLE (b INT)
INSERT @t VALUES (5)
EXEC tv_p
EXEC tv_p
SELECT b FROM @t
GO
-- a declaration inside a loop does not empty the table again
DECLARE @i INT = 0
WHILE @i < 3
BEGIN
  DECLARE @w TABLE (n INT)
  INSERT @w VALUES (@i)
  SET @i = @i + 1
END
SELECT COUNT(*) FROM @w
GO
