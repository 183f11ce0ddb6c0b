-- Stock: units, goods groups, stock items, stock cards per warehouse, storage locations, serial
-- numbers in stock and on document items, item bar codes and parameters, document kinds, stock
-- documents and their items.

CREATE TABLE TabMJ (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    Kod NVARCHAR(10) NOT NULL UNIQUE,
    Nazev NVARCHAR(50) NULL,
    Nedelitelna BIT NOT NULL DEFAULT 0
)
GO
CREATE TABLE TabSkupinyZbozi (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    SkupZbo NVARCHAR(3) NOT NULL UNIQUE,
    Nazev NVARCHAR(100) NULL
)
GO
CREATE TABLE TabKmenZbozi (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    SkupZbo NVARCHAR(3) NOT NULL,
    RegCis NVARCHAR(30) NOT NULL,
    Nazev1 NVARCHAR(100) NULL,
    MJEvidence NVARCHAR(10) NULL,
    Hmotnost NUMERIC(19,6) NOT NULL DEFAULT 0,
    KontrolaVyrC NCHAR(1) NOT NULL DEFAULT N'N',
    Blokovano BIT NOT NULL DEFAULT 0,
    Upozorneni NVARCHAR(255) NULL,
    IDKusovnik INT NULL,
    montaz BIT NOT NULL DEFAULT 0,
    CONSTRAINT UQ_TabKmenZbozi_SkupZbo_RegCis UNIQUE (SkupZbo, RegCis)
)
GO
CREATE TABLE TabKmenZbozi_EXT (
    ID INT NOT NULL PRIMARY KEY,
    _Dunar_FyzyckyPrevazeno BIT NULL
)
GO
CREATE TABLE TabStavSkladu (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    IDSklad NVARCHAR(30) NOT NULL,
    IDKmenZbozi INT NOT NULL,
    Mnozstvi NUMERIC(19,6) NOT NULL DEFAULT 0,
    CONSTRAINT UQ_TabStavSkladu_Sklad_Zbozi UNIQUE (IDSklad, IDKmenZbozi)
)
GO
CREATE TABLE TabUmisteni (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    IDSklad NVARCHAR(30) NOT NULL,
    Kod NVARCHAR(15) NOT NULL,
    Nazev NVARCHAR(100) NULL,
    Blokovano BIT NOT NULL DEFAULT 0,
    CONSTRAINT UQ_TabUmisteni_Sklad_Kod UNIQUE (IDSklad, Kod)
)
GO
CREATE TABLE TabUmisteni_EXT (
    ID INT NOT NULL PRIMARY KEY,
    _UmisteniProPrijemZVyroby BIT NULL,
    _UmisteniProPrijemZmetku BIT NULL
)
GO
CREATE TABLE TabVyrCS (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    IDStavSkladu INT NOT NULL,
    Nazev1 NVARCHAR(100) NOT NULL,
    Mnozstvi NUMERIC(19,6) NOT NULL DEFAULT 0,
    DatPorizeni DATETIME NOT NULL DEFAULT GETDATE()
)
GO
CREATE TABLE TabBarCodeZbo (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    IDKmenZbo INT NOT NULL,
    BarCode NVARCHAR(50) NOT NULL UNIQUE
)
GO
CREATE TABLE TabParKmZ (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    IDKmenZbozi INT NOT NULL UNIQUE,
    SkladNeshod NVARCHAR(30) NULL
)
GO
CREATE TABLE TabDruhDokZbo (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    RadaDokladu NVARCHAR(3) NOT NULL,
    DruhPohybuZbo INT NOT NULL,
    Nazev NVARCHAR(100) NULL,
    CONSTRAINT UQ_TabDruhDokZbo_Rada_Druh UNIQUE (RadaDokladu, DruhPohybuZbo)
)
GO
CREATE TABLE TabDokladyZbozi (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    RadaDokladu NVARCHAR(3) NOT NULL,
    DruhPohybuZbo INT NOT NULL,
    PoradoveCislo INT NOT NULL,
    ParovaciZnak NVARCHAR(20) NOT NULL,
    IDSklad NVARCHAR(30) NULL,
    CisloZam INT NULL,
    NOkruhCislo NVARCHAR(30) NULL,
    CisloOrg INT NULL,
    IDPrikaz INT NULL,
    Realizovano BIT NOT NULL DEFAULT 0,
    DatRealizace DATETIME NULL,
    DatPorizeni DATETIME NOT NULL DEFAULT GETDATE(),
    Autor NVARCHAR(128) NOT NULL DEFAULT SUSER_SNAME(),
    CONSTRAINT UQ_TabDokladyZbozi_Rada_Druh_Cislo UNIQUE (RadaDokladu, DruhPohybuZbo, PoradoveCislo)
)
GO
CREATE TABLE TabPohybyZbozi (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    IDDoklad INT NOT NULL,
    IDZboSklad INT NOT NULL,
    Mnozstvi NUMERIC(19,6) NOT NULL DEFAULT 0,
    PrepMnozstvi NUMERIC(19,6) NOT NULL DEFAULT 1,
    IDPrKVazby INT NULL,
    IDPrikaz INT NULL,
    IDMzdy INT NULL
)
GO
CREATE TABLE TabVyrCP (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    IDPolozkaDokladu INT NOT NULL,
    IDVyrCS INT NOT NULL,
    Mnozstvi NUMERIC(19,6) NOT NULL DEFAULT 0
)
GO
