CREATE TABLE dbo.KTab_Hlavicka (ID INT IDENTITY(1,1) NOT NULL, Kod NVARCHAR(10) NOT NULL, Typ INT NOT NULL CONSTRAINT DF__KTab_Hlavicka__Typ DEFAULT 0, Port NVARCHAR(10) NULL CONSTRAINT DF__KTab_Hlavicka__Port DEFAULT 'COM1', Zalozeno DATETIME NOT NULL CONSTRAINT DF__KTab_Hlavicka__Zalozeno DEFAULT GETDATE(), CONSTRAINT PK__KTab_Hlavicka__ID PRIMARY KEY (ID), CONSTRAINT UQ__KTab_Hlavicka__Kod UNIQUE (Kod), CONSTRAINT CK__KTab_Hlavicka__Typ CHECK (Typ IN (0, 1, 2)))
CREATE TABLE dbo.KTab_Polozka (ID INT IDENTITY(1,1) NOT NULL, IDH INT NOT NULL, Radek INT NOT NULL, CONSTRAINT PK__KTab_Polozka__ID PRIMARY KEY (ID), CONSTRAINT FK__KTab_Polozka__IDH FOREIGN KEY (IDH) REFERENCES dbo.KTab_Hlavicka (ID) ON DELETE CASCADE)
GO
-- defaults and checks as the server stores their text
SELECT sysobjects.name, syscomments.text, OBJECTPROPERTY(sysobjects.id, 'CnstIsDisabled'), o2.name FROM sysobjects, syscomments, sysobjects o2 WHERE sysobjects.id = syscomments.id AND sysobjects.xtype IN ('D', 'C') AND o2.id = sysobjects.parent_obj AND o2.name IN (N'KTab_Hlavicka') ORDER BY sysobjects.name
SELECT name, parent = OBJECT_NAME(parent_object_id), COL_NAME(parent_object_id, parent_column_id), definition FROM sys.default_constraints ORDER BY name
SELECT name, definition, is_disabled, is_not_trusted FROM sys.check_constraints
SELECT OBJECT_DEFINITION(OBJECT_ID('DF__KTab_Hlavicka__Port')), OBJECT_DEFINITION(OBJECT_ID('KTab_Hlavicka'))
GO
-- keys and their indexes
SELECT sysobjects.name, o2.name FROM sysobjects, sysobjects o2 WHERE sysobjects.xtype IN ('UQ', 'PK') AND o2.id = sysobjects.parent_obj AND o2.name IN (N'ktab_hlavicka', N'KTab_Polozka') ORDER BY sysobjects.name
SELECT k.name, k.type, i.name, i.index_id, i.type_desc, i.is_unique, i.is_primary_key, i.is_unique_constraint FROM sys.key_constraints k JOIN sys.indexes i ON i.object_id = k.parent_object_id AND i.index_id = k.unique_index_id ORDER BY k.name
SELECT OBJECT_NAME(object_id), name, index_id, type_desc FROM sys.indexes ORDER BY OBJECT_NAME(object_id), index_id
SELECT OBJECT_NAME(ic.object_id), ic.index_id, ic.index_column_id, COL_NAME(ic.object_id, ic.column_id), ic.key_ordinal, ic.is_included_column FROM sys.index_columns ic ORDER BY 1, 2, 3
SELECT INDEXPROPERTY(OBJECT_ID('KTab_Hlavicka'), 'PK__KTab_Hlavicka__ID', 'IsClustered'), INDEXPROPERTY(OBJECT_ID('KTab_Hlavicka'), 'UQ__KTab_Hlavicka__Kod', 'IsClustered'), INDEXPROPERTY(OBJECT_ID('KTab_Hlavicka'), 'UQ__KTab_Hlavicka__Kod', 'IsUnique'), INDEXPROPERTY(OBJECT_ID('KTab_Hlavicka'), 'UQ__KTab_Hlavicka__Kod', 'IsStatistics'), INDEXPROPERTY(OBJECT_ID('KTab_Hlavicka'), 'Neni', 'IsUnique')
SELECT INDEX_COL('KTab_Hlavicka', 1, 1), INDEX_COL('dbo.KTab_Hlavicka', 2, 1), INDEX_COL('KTab_Hlavicka', 1, 2), INDEX_COL('Neni', 1, 1)
GO
-- foreign keys in both forms
SELECT OBJECTPROPERTY(constid, 'CnstIsDisabled'), OBJECT_NAME(constid), OBJECT_NAME(rkeyid), COL_NAME(rkeyid, rkey1), COL_NAME(rkeyid, rkey2), rkey2, keycnt, COL_NAME(fkeyid, fkey1), OBJECT_NAME(fkeyid) FROM sysreferences JOIN sysobjects ON fkeyid = id WHERE name IN (N'KTab_Polozka')
SELECT name, OBJECT_NAME(referenced_object_id), key_index_id, is_disabled, delete_referential_action_desc, update_referential_action_desc FROM sys.foreign_keys
SELECT OBJECT_NAME(constraint_object_id), constraint_column_id, COL_NAME(parent_object_id, parent_column_id), COL_NAME(referenced_object_id, referenced_column_id) FROM sys.foreign_key_columns
GO
-- constraints added later, disabled and not trusted show in the catalog
ALTER TABLE dbo.KTab_Polozka WITH NOCHECK ADD CONSTRAINT CK__KTab_Polozka__Radek CHECK (Radek > 0)
ALTER TABLE dbo.KTab_Polozka NOCHECK CONSTRAINT FK__KTab_Polozka__IDH
SELECT name, is_disabled, is_not_trusted, OBJECTPROPERTY(object_id, 'CnstIsDisabled'), OBJECTPROPERTY(object_id, 'CnstIsNotTrusted') FROM sys.foreign_keys
SELECT name, definition, is_disabled, is_not_trusted, OBJECTPROPERTY(object_id, 'CnstIsNotTrusted') FROM sys.check_constraints ORDER BY name
ALTER TABLE dbo.KTab_Polozka WITH CHECK CHECK CONSTRAINT FK__KTab_Polozka__IDH
SELECT name, is_disabled, is_not_trusted FROM sys.foreign_keys
GO
-- a dropped column leaves a gap in the column ids
ALTER TABLE dbo.KTab_Polozka ADD Poznamka NVARCHAR(40) NULL
ALTER TABLE dbo.KTab_Polozka DROP CONSTRAINT CK__KTab_Polozka__Radek
ALTER TABLE dbo.KTab_Polozka DROP COLUMN Radek
SELECT colid, name FROM syscolumns WHERE id = OBJECT_ID('KTab_Polozka') ORDER BY colid
SELECT n = COUNT(*) FROM sys.check_constraints WHERE name = 'CK__KTab_Polozka__Radek'
GO
-- object properties: kinds for any object, the others only where they apply
SELECT p.name, OBJECTPROPERTY(OBJECT_ID('KTab_Hlavicka'), p.name), OBJECTPROPERTY(OBJECT_ID('PK__KTab_Hlavicka__ID'), p.name), OBJECTPROPERTY(OBJECT_ID('DF__KTab_Hlavicka__Typ'), p.name) FROM (SELECT name = 'IsTable' UNION ALL SELECT 'IsUserTable' UNION ALL SELECT 'IsView' UNION ALL SELECT 'IsConstraint' UNION ALL SELECT 'IsPrimaryKey' UNION ALL SELECT 'CnstIsDisabled' UNION ALL SELECT 'ExecIsTriggerDisabled' UNION ALL SELECT 'TableHasIdentity' UNION ALL SELECT 'TableHasPrimaryKey' UNION ALL SELECT 'NoSuchProperty') p
SELECT OBJECTPROPERTY(12345, 'IsTable'), OBJECTPROPERTY(NULL, 'IsTable')
GO
