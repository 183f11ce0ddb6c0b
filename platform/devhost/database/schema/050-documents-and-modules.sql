-- Attached documents, and the tables other modules install: location movements of stock.

CREATE TABLE TabDokumenty (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    Popis NVARCHAR(255) NULL,
    JmenoACesta NVARCHAR(255) NULL
)
GO
CREATE TABLE TabDokumVazba (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    IdDok INT NOT NULL,
    IdentVazby INT NOT NULL,
    IdTab INT NOT NULL
)
GO
CREATE TABLE Korvel_PohybUmisteni (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    IDStavSkladu INT NOT NULL,
    IDKmenZbozi INT NOT NULL,
    IDVyrCis INT NULL,
    IDUmisteni INT NOT NULL,
    DruhPohybu TINYINT NOT NULL,
    Mnozstvi NUMERIC(19,6) NOT NULL,
    IDPohZbo INT NULL,
    DatPorizeni DATETIME NOT NULL DEFAULT GETDATE()
)
GO
