-- Catalogue procedures: the journal, extension columns of host tables and the first free number
-- of a numbering column.

-- @Druh: 0 system events (installation, change scripts, Unicode conversion), 1 imports.
-- @Akce: the host's action code of the event.
CREATE PROCEDURE dbo.hp_ZapisDoZurnalu
    @Druh INT,
    @Akce INT,
    @Popis NVARCHAR(255)
AS
SET NOCOUNT ON
INSERT INTO dbo.TabZurnal (Druh, Akce, Popis) VALUES (ISNULL(@Druh, 0), ISNULL(@Akce, 0), LEFT(@Popis, 255))
IF @@ERROR <> 0 RETURN 1
RETURN 0
GO
-- Adds the column @Sloupec of type @Typ to the extension table <@Tabulka>_EXT, creating that table
-- (key ID, one row per row of the host table) when it is missing. A column that already exists is
-- left as it is. The table may carry the dbo. prefix. The names are quoted; the type must be a plain
-- type name with its parameters.
CREATE PROCEDURE dbo.hp_ExterniTabulka
    @Tabulka SYSNAME,
    @Sloupec SYSNAME,
    @Typ NVARCHAR(128)
AS
SET NOCOUNT ON
DECLARE @Ext SYSNAME, @Sql NVARCHAR(MAX)
IF LEFT(@Tabulka, 4) = N'dbo.'
    SET @Tabulka = SUBSTRING(@Tabulka, 5, 128)
IF OBJECT_ID(N'dbo.' + QUOTENAME(@Tabulka), N'U') IS NULL
BEGIN
    RAISERROR(N'Tabulka %s neexistuje.', 16, 1, @Tabulka)
    RETURN 1
END
IF ISNULL(@Sloupec, N'') = N'' OR LEFT(@Sloupec, 1) <> N'_'
BEGIN
    RAISERROR(N'Název externího sloupce %s musí začínat podtržítkem.', 16, 1, @Sloupec)
    RETURN 1
END
IF ISNULL(@Typ, N'') = N'' OR @Typ LIKE N'%[^A-Za-z0-9(), ]%'
BEGIN
    RAISERROR(N'Typ %s externího sloupce není platný.', 16, 1, @Typ)
    RETURN 1
END
SET @Ext = @Tabulka + N'_EXT'
IF OBJECT_ID(N'dbo.' + QUOTENAME(@Ext), N'U') IS NULL
BEGIN
    SET @Sql = N'CREATE TABLE dbo.' + QUOTENAME(@Ext) + N' (ID INT NOT NULL CONSTRAINT '
        + QUOTENAME(N'PK__' + @Ext + N'__ID') + N' PRIMARY KEY)'
    EXEC (@Sql)
    IF @@ERROR <> 0 RETURN 1
END
IF COLUMNPROPERTY(OBJECT_ID(N'dbo.' + QUOTENAME(@Ext)), @Sloupec, 'ColumnId') IS NULL
BEGIN
    SET @Sql = N'ALTER TABLE dbo.' + QUOTENAME(@Ext) + N' ADD ' + QUOTENAME(@Sloupec) + N' ' + @Typ + N' NULL'
    EXEC (@Sql)
    IF @@ERROR <> 0 RETURN 1
END
RETURN 0
GO
-- The first number of the integer column @Sloupec of @Tabulka within [@Minimum, @Maximum] that no
-- row matching @Podminka (a search condition, empty for all rows) uses. With @HledatMezery 1 the
-- lowest gap from @Minimum is taken, with 0 the number after the highest one used. @Zamknout 1
-- holds an update lock on the rows read until the caller's transaction ends, so that two callers
-- cannot take the same number. The number is both returned and selected as a one-row result
-- (column Cislo); NULL and -1 when the range is full or the arguments are wrong.
CREATE PROCEDURE dbo.hp_NajdiPrvniVolny
    @Tabulka SYSNAME,
    @Sloupec SYSNAME,
    @Minimum INT,
    @Maximum INT,
    @Podminka NVARCHAR(4000) = N'',
    @Zamknout BIT = 0,
    @HledatMezery BIT = 1
AS
SET NOCOUNT ON
DECLARE @Sql NVARCHAR(MAX), @Cislo INT, @Filtr NVARCHAR(4000), @Zamek NVARCHAR(30), @Tab NVARCHAR(300),
    @Sl NVARCHAR(300)
SET @Cislo = NULL
IF OBJECT_ID(N'dbo.' + QUOTENAME(@Tabulka), N'U') IS NULL
   OR COLUMNPROPERTY(OBJECT_ID(N'dbo.' + QUOTENAME(@Tabulka)), @Sloupec, 'ColumnId') IS NULL
BEGIN
    RAISERROR(N'Tabulka %s nebo její sloupec %s neexistuje.', 16, 1, @Tabulka, @Sloupec)
    SELECT Cislo = @Cislo
    RETURN -1
END
IF @Minimum IS NULL OR @Maximum IS NULL OR @Minimum > @Maximum
BEGIN
    SELECT Cislo = @Cislo
    RETURN -1
END
SET @Tab = N'dbo.' + QUOTENAME(@Tabulka)
SET @Sl = QUOTENAME(@Sloupec)
SET @Filtr = CASE WHEN LTRIM(RTRIM(ISNULL(@Podminka, N''))) = N'' THEN N''
    ELSE N' AND (' + @Podminka + N')' END
SET @Zamek = CASE WHEN @Zamknout = 1 THEN N' WITH (UPDLOCK, HOLDLOCK)' ELSE N'' END
IF @HledatMezery = 1
    SET @Sql = N'IF NOT EXISTS (SELECT * FROM ' + @Tab + @Zamek + N' WHERE ' + @Sl + N' = @Minimum' + @Filtr + N')'
        + N' SET @Cislo = @Minimum ELSE SELECT @Cislo = MIN(a.' + @Sl + N') + 1 FROM ' + @Tab + N' a' + @Zamek
        + N' WHERE a.' + @Sl + N' >= @Minimum AND a.' + @Sl + N' < @Maximum' + @Filtr
        + N' AND NOT EXISTS (SELECT * FROM ' + @Tab + N' b WHERE b.' + @Sl + N' = a.' + @Sl + N' + 1' + @Filtr + N')'
ELSE
    SET @Sql = N'SELECT @Cislo = ISNULL(MAX(a.' + @Sl + N') + 1, @Minimum) FROM ' + @Tab + N' a' + @Zamek
        + N' WHERE a.' + @Sl + N' >= @Minimum AND a.' + @Sl + N' <= @Maximum' + @Filtr
EXEC sp_executesql @Sql, N'@Minimum INT, @Maximum INT, @Cislo INT OUTPUT', @Minimum, @Maximum, @Cislo OUTPUT
IF @@ERROR <> 0
    SET @Cislo = NULL
IF @Cislo > @Maximum OR @Cislo < @Minimum
    SET @Cislo = NULL
SELECT Cislo = @Cislo
RETURN ISNULL(@Cislo, -1)
GO
