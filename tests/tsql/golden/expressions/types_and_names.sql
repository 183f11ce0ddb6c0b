SELECT 1 AS a, b = N'x', 'y' c, 2.50 * 2, 7 / 2, 7 % 3, 1.0 / 3, NULL
GO
SELECT CAST('20260826 13:45:10.123' AS datetime), CONVERT(varchar(8), CAST('20160101' AS datetime), 112)
GO
SELECT CASE WHEN 1 = 2 THEN 1 ELSE 2.5 END, ISNULL(NULL, N'dflt'), ISNULL(CAST(NULL AS varchar(2)), 'abcd'), COALESCE(NULL, 3)
GO
SELECT CAST(1 AS bit), CAST(2.5 AS int), CAST(-2.5 AS int), CAST(2.345 AS numeric(5,2)), CAST(1e3 AS float)
GO
SELECT N'line1
line2' + N'!'
GO
