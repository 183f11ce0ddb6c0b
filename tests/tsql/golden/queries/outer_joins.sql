CREATE TABLE j_a (x INT, n NVARCHAR(5))
CREATE TABLE j_b (x INT, m NVARCHAR(5))
INSERT j_a VALUES (1, N'a1'), (2, N'a2')
INSERT j_b VALUES (2, N'b2'), (3, N'b3')
GO
-- every row of the right side, and of both sides in a FULL join; the other side's columns NULL
SELECT j_a.x, j_a.n, j_b.x, j_b.m FROM j_a RIGHT JOIN j_b ON j_b.x = j_a.x ORDER BY j_b.x
SELECT j_a.x, j_a.n, j_b.x, j_b.m FROM j_a FULL OUTER JOIN j_b ON j_b.x = j_a.x ORDER BY ISNULL(j_a.x, j_b.x)
SELECT COUNT(*) AS right_rows FROM j_a RIGHT OUTER JOIN j_b ON 1 = 0
-- a FULL join's unmatched rows are found by the NULL of the other side
SELECT ISNULL(j_a.n, N'-') AS n, ISNULL(j_b.m, N'-') AS m FROM j_a FULL JOIN j_b ON j_b.x = j_a.x
WHERE j_a.x IS NULL OR j_b.x IS NULL ORDER BY n, m
GO
DROP TABLE j_a
DROP TABLE j_b
GO
