CREATE TABLE t_o (ID INT NOT NULL PRIMARY KEY, Zakaznik NVARCHAR(10) NOT NULL, Castka NUMERIC(10,2) NULL)
CREATE TABLE t_p (IDO INT NOT NULL, Radek INT NOT NULL, Mnozstvi INT NOT NULL)
INSERT INTO t_o VALUES (1, N'Alfa', 100.5), (2, N'Beta', NULL), (3, N'alfa', 20)
INSERT INTO t_p VALUES (1, 1, 5), (1, 2, 7), (3, 1, 1)
GO
-- a view: its columns, its names, its types
CREATE VIEW dbo.v_o AS
SELECT o.ID, UPPER(o.Zakaznik) AS Zakaznik, o.Castka * 2 AS Dvojnasobek,
    (SELECT COUNT(*) FROM t_p p WHERE p.IDO = o.ID) AS Radku
FROM t_o o
GO
SELECT * FROM v_o ORDER BY ID
SELECT Zakaznik, SUM(Radku) AS radku FROM dbo.v_o GROUP BY Zakaznik ORDER BY Zakaznik
GO
-- ALTER VIEW replaces the query; a view with column names of its own
ALTER VIEW v_o (Cislo, Jmeno) AS SELECT ID, Zakaznik FROM t_o WHERE Castka IS NOT NULL
GO
SELECT Cislo, Jmeno FROM v_o ORDER BY Cislo
GO
SELECT ID FROM v_o
GO
-- errors: a view must bind when it is made, and its columns need names
CREATE VIEW v_bad AS SELECT Nic FROM t_o
GO
CREATE VIEW v_bad AS SELECT ID + 1 FROM t_o
GO
CREATE VIEW v_bad AS SELECT ID, Zakaznik AS ID FROM t_o
GO
CREATE VIEW v_bad (a) AS SELECT ID, Zakaznik FROM t_o
GO
SELECT * FROM v_bad
GO
-- derived tables and common table expressions
SELECT d.Zakaznik, d.n FROM (SELECT Zakaznik, COUNT(*) AS n FROM t_o GROUP BY Zakaznik) AS d ORDER BY d.Zakaznik
;WITH soucty (IDO, Celkem) AS (SELECT IDO, SUM(Mnozstvi) FROM t_p GROUP BY IDO),
velke AS (SELECT IDO FROM soucty WHERE Celkem > 5)
SELECT o.ID, s.Celkem, CASE WHEN v.IDO IS NULL THEN 0 ELSE 1 END AS velka
FROM t_o o LEFT JOIN soucty s ON s.IDO = o.ID LEFT JOIN velke v ON v.IDO = o.ID
ORDER BY o.ID
GO
-- OUTER and CROSS APPLY of a subquery that gives one row
SELECT o.ID, x.Posledni
FROM t_o o OUTER APPLY (SELECT TOP 1 p.Radek AS Posledni FROM t_p p WHERE p.IDO = o.ID ORDER BY p.Radek DESC) x
ORDER BY o.ID
SELECT o.ID, x.Posledni
FROM t_o o CROSS APPLY (SELECT TOP 1 p.Radek AS Posledni FROM t_p p WHERE p.IDO = o.ID ORDER BY p.Radek DESC) x
ORDER BY o.ID
GO
DROP VIEW v_o
DROP TABLE t_p
DROP TABLE t_o
GO
DROP VIEW v_o
GO
