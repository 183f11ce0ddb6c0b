CREATE TABLE Zam (ID int IDENTITY(10,5) CONSTRAINT PK_Zam PRIMARY KEY, Jmeno nvarchar(20) NOT NULL, Kod varchar(5) NULL CONSTRAINT UQ_Zam_Kod UNIQUE, Plat numeric(9,2) DEFAULT 100)
CREATE TABLE Prac (ID int NOT NULL CONSTRAINT PK_Prac PRIMARY KEY, IDZam int, Nazev nvarchar(30))
GO
INSERT INTO Zam (Jmeno, Kod) VALUES (N'Novák', 'a1'), (N'Černý', 'B2')
SELECT SCOPE_IDENTITY()
INSERT Zam (Jmeno, Kod, Plat) VALUES (N'Dvořák', 'A1', 5)
SELECT e = @@ERROR
INSERT Zam (Jmeno, Kod, Plat) VALUES (N'Adam', NULL, 2.345)
INSERT Prac VALUES (1, 10, N'Lis'), (2, 99, N'Vrtačka')
INSERT Prac VALUES (1, 10, N'Znovu')
GO
SELECT * FROM Zam z WHERE z.Kod = 'A1 '
SELECT z.Jmeno, Pracoviste = p.Nazev FROM Zam AS z LEFT JOIN Prac p ON p.IDZam = z.ID ORDER BY z.Jmeno
SELECT TOP 1 Jmeno FROM Zam ORDER BY Jmeno DESC
SELECT z.Jmeno, p.Nazev FROM Zam z INNER JOIN Prac p ON p.IDZam = z.ID
GO
SELECT ID FROM Zam z JOIN Prac p ON p.IDZam = z.ID
GO
SELECT Nic FROM Zam
GO
SELECT * FROM Neni
GO
UPDATE Zam SET Plat = Plat * 1.1 WHERE Kod = 'b2'
DELETE FROM Zam WHERE ID = 10
SELECT r = @@ROWCOUNT
SELECT ID, Jmeno, Plat FROM Zam ORDER BY ID
INSERT INTO Prac (ID, IDZam, Nazev) SELECT ID + 100, ID, Jmeno FROM Zam WHERE Plat > 50
SELECT Nazev FROM Prac WHERE ID > 100
DROP TABLE Prac
GO
SELECT * FROM Prac
GO
