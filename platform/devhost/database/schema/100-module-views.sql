-- Views other modules install over the stock tables: stock per storage location and serial
-- number, summed from the location movements, and the serial numbers in stock.

CREATE VIEW dbo.hvw_Korvel_StavUmisteni
AS
SELECT ID = MIN(pu.ID), pu.IDStavSkladu, pu.IDKmenZbozi, pu.IDUmisteni, pu.IDVyrCis, Mnozstvi = SUM(pu.Mnozstvi)
FROM dbo.Korvel_PohybUmisteni pu
GROUP BY pu.IDStavSkladu, pu.IDKmenZbozi, pu.IDUmisteni, pu.IDVyrCis
GO
CREATE VIEW dbo.hvw_Dunar_VyrCS_CZsSK
AS
SELECT vc.ID, vc.IDStavSkladu, vc.Nazev1, vc.Mnozstvi
FROM dbo.TabVyrCS vc
GO
