CREATE TABLE dbo.KTab_Typy (ID INT IDENTITY(5,2) NOT NULL, Kod NVARCHAR(30) NULL, Popis NVARCHAR(MAX) NULL, Znaky CHAR(4) NOT NULL, Text1 VARCHAR(20) NULL, Cena NUMERIC(19,6) NOT NULL, Mala DECIMAL(5,2) NULL, Mnozstvi FLOAT NULL, Realne REAL NULL, Penize MONEY NULL, Datum DATETIME NULL, Den DATE NULL, Cas TIME NULL, Presne DATETIME2 NULL, Ano BIT NOT NULL, Malo TINYINT NULL, Stredne SMALLINT NULL, Velke BIGINT NULL, Data VARBINARY(16) NULL, Hodne VARBINARY(MAX) NULL, Guid UNIQUEIDENTIFIER NULL, Dlouhy NTEXT NULL, Poznamka255 AS SUBSTRING(Kod, 1, 255), CONSTRAINT PK__KTab_Typy__ID PRIMARY KEY (ID))
GO
-- the legacy view: base type ids, lengths in bytes, precision in characters for text
SELECT c.colid, c.name, t.name, c.xtype, c.xusertype, c.length, c.prec, c.xprec, c.xscale, c.scale, c.isnullable, c.iscomputed FROM syscolumns c JOIN systypes t ON t.xusertype = c.xusertype WHERE c.id = OBJECT_ID(N'dbo.KTab_Typy') ORDER BY c.colid
GO
SELECT c.column_id, c.name, c.system_type_id, c.user_type_id, c.max_length, c.[precision], c.scale, c.collation_name, c.is_nullable, c.is_identity, c.is_computed FROM sys.columns c WHERE c.object_id = OBJECT_ID('KTab_Typy') ORDER BY c.column_id
GO
SELECT COLUMN_NAME, ORDINAL_POSITION, IS_NULLABLE, DATA_TYPE, CHARACTER_MAXIMUM_LENGTH, CHARACTER_OCTET_LENGTH, NUMERIC_PRECISION, NUMERIC_PRECISION_RADIX, NUMERIC_SCALE, DATETIME_PRECISION FROM INFORMATION_SCHEMA.COLUMNS WHERE TABLE_NAME = N'ktab_typy' ORDER BY ORDINAL_POSITION
GO
SELECT name, definition, is_persisted FROM sys.computed_columns
SELECT name, seed_value, increment_value, last_value FROM sys.identity_columns
INSERT KTab_Typy (Kod, Znaky, Cena, Ano) VALUES (N'a', 'x', 1, 1)
SELECT name, last_value FROM sys.identity_columns
GO
-- column properties, and NULL for what is missing
SELECT COLUMNPROPERTY(OBJECT_ID('KTab_Typy'), 'ID', 'IsIdentity'), COLUMNPROPERTY(OBJECT_ID('KTab_Typy'), 'kod', 'AllowsNull'), COLUMNPROPERTY(OBJECT_ID('KTab_Typy'), 'Znaky', 'AllowsNull'), COLUMNPROPERTY(OBJECT_ID('KTab_Typy'), 'Poznamka255', 'IsComputed'), COLUMNPROPERTY(OBJECT_ID('KTab_Typy'), 'Cena', 'Precision'), COLUMNPROPERTY(OBJECT_ID('KTab_Typy'), 'Cena', 'Scale'), COLUMNPROPERTY(OBJECT_ID('KTab_Typy'), 'Kod', 'Precision'), COLUMNPROPERTY(OBJECT_ID('KTab_Typy'), 'Kod', 'Scale')
SELECT COLUMNPROPERTY(OBJECT_ID('KTab_Typy'), 'Neni', 'AllowsNull'), COLUMNPROPERTY(OBJECT_ID('Neni'), 'ID', 'AllowsNull'), COLUMNPROPERTY(OBJECT_ID('KTab_Typy'), 'ID', 'NoSuchProperty')
SELECT COL_LENGTH('KTab_Typy', 'Kod'), COL_LENGTH('dbo.KTab_Typy', 'Popis'), COL_LENGTH('KTab_Typy', 'Cena'), COL_LENGTH('KTab_Typy', 'Neni'), COL_NAME(OBJECT_ID('KTab_Typy'), 2), COL_NAME(OBJECT_ID('KTab_Typy'), 0)
GO
-- a view's columns carry the types inferred for it
CREATE VIEW dbo.hvw_Typy AS SELECT ID, Kod, CelkCasN = Cena / 60.0, Ukonceno = Ano, Pocet = ID + 1, Nazev = Kod + N'!' FROM KTab_Typy
GO
SELECT c.name, bt.name FROM dbo.syscolumns c INNER JOIN dbo.systypes bt ON bt.xusertype = c.xtype WHERE c.id = OBJECT_ID(N'dbo.hvw_Typy') ORDER BY c.colid
SELECT TABLE_NAME, COLUMN_NAME, DATA_TYPE, NUMERIC_PRECISION, NUMERIC_SCALE FROM INFORMATION_SCHEMA.COLUMNS WHERE TABLE_NAME = 'hvw_Typy' ORDER BY ORDINAL_POSITION
GO
-- the fixed type rows; sysname has its own user type over nvarchar
SELECT name, xtype, xusertype, length, xprec, xscale, prec, scale, variable FROM systypes ORDER BY xusertype
SELECT name, system_type_id, user_type_id, max_length, [precision], scale, is_nullable FROM sys.types WHERE name IN ('sysname', 'nvarchar', 'int', 'numeric', 'datetime')  ORDER BY user_type_id
SELECT TYPE_NAME(56), TYPE_NAME(256), TYPE_NAME(231), TYPE_NAME(999), TYPE_ID('int'), TYPE_ID('SYSNAME'), TYPE_ID('sys.nvarchar'), TYPE_ID('nothing')
GO
