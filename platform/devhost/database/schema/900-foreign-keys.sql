-- Foreign keys between the host tables, added after every table exists.
ALTER TABLE dbo.TabStrom_EXT ADD CONSTRAINT FK_TabStrom_EXT_ID FOREIGN KEY (ID) REFERENCES dbo.TabStrom (ID)
ALTER TABLE dbo.TabStrom_EXT ADD CONSTRAINT FK_TabStrom_EXT_RadaVydejVyroba FOREIGN KEY (_RadaVydejVyroba) REFERENCES dbo.TabDruhDokZbo (ID)
ALTER TABLE dbo.TabStrom_EXT ADD CONSTRAINT FK_TabStrom_EXT_RadaPrijemVyroba FOREIGN KEY (_RadaPrijemVyroba) REFERENCES dbo.TabDruhDokZbo (ID)
GO
ALTER TABLE dbo.TabStromDef ADD CONSTRAINT FK_TabStromDef_IDStrom FOREIGN KEY (IDStrom) REFERENCES dbo.TabStrom (ID)
GO
ALTER TABLE dbo.TabCisZam ADD CONSTRAINT FK_TabCisZam_Stredisko FOREIGN KEY (Stredisko) REFERENCES dbo.TabStrom (Cislo)
GO
ALTER TABLE dbo.TabCisZam_Ext ADD CONSTRAINT FK_TabCisZam_Ext_ID FOREIGN KEY (ID) REFERENCES dbo.TabCisZam (ID)
GO
ALTER TABLE dbo.TabCPraco ADD CONSTRAINT FK_TabCPraco_IDTabStrom FOREIGN KEY (IDTabStrom) REFERENCES dbo.TabStrom (Cislo)
GO
ALTER TABLE dbo.TabCPraco_EXT ADD CONSTRAINT FK_TabCPraco_EXT_ID FOREIGN KEY (ID) REFERENCES dbo.TabCPraco (ID)
GO
ALTER TABLE dbo.TabPlan ADD CONSTRAINT FK_TabPlan_IDZakazka FOREIGN KEY (IDZakazka) REFERENCES dbo.TabZakazka (ID)
GO
ALTER TABLE dbo.TabRadyPrikazu_EXT ADD CONSTRAINT FK_TabRadyPrikazu_EXT_ID FOREIGN KEY (ID) REFERENCES dbo.TabRadyPrikazu (ID)
GO
ALTER TABLE dbo.TabPrikaz ADD CONSTRAINT FK_TabPrikaz_Rada FOREIGN KEY (Rada) REFERENCES dbo.TabRadyPrikazu (Rada)
ALTER TABLE dbo.TabPrikaz ADD CONSTRAINT FK_TabPrikaz_IDTabKmen FOREIGN KEY (IDTabKmen) REFERENCES dbo.TabKmenZbozi (ID)
ALTER TABLE dbo.TabPrikaz ADD CONSTRAINT FK_TabPrikaz_IDZakazka FOREIGN KEY (IDZakazka) REFERENCES dbo.TabZakazka (ID)
ALTER TABLE dbo.TabPrikaz ADD CONSTRAINT FK_TabPrikaz_IDPlan FOREIGN KEY (IDPlan) REFERENCES dbo.TabPlan (ID)
ALTER TABLE dbo.TabPrikaz ADD CONSTRAINT FK_TabPrikaz_IDPrikazRidici FOREIGN KEY (IDPrikazRidici) REFERENCES dbo.TabPrikaz (ID)
ALTER TABLE dbo.TabPrikaz ADD CONSTRAINT FK_TabPrikaz_KmenoveStredisko FOREIGN KEY (KmenoveStredisko) REFERENCES dbo.TabStrom (Cislo)
GO
ALTER TABLE dbo.TabPrikaz_EXT ADD CONSTRAINT FK_TabPrikaz_EXT_ID FOREIGN KEY (ID) REFERENCES dbo.TabPrikaz (ID)
GO
ALTER TABLE dbo.TabPrPostup ADD CONSTRAINT FK_TabPrPostup_IDPrikaz FOREIGN KEY (IDPrikaz) REFERENCES dbo.TabPrikaz (ID)
ALTER TABLE dbo.TabPrPostup ADD CONSTRAINT FK_TabPrPostup_Dilec FOREIGN KEY (Dilec) REFERENCES dbo.TabKmenZbozi (ID)
ALTER TABLE dbo.TabPrPostup ADD CONSTRAINT FK_TabPrPostup_pracoviste FOREIGN KEY (pracoviste) REFERENCES dbo.TabCPraco (ID)
ALTER TABLE dbo.TabPrPostup ADD CONSTRAINT FK_TabPrPostup_IDOdchylkyOd FOREIGN KEY (IDOdchylkyOd) REFERENCES dbo.TabCOdchylek (ID)
ALTER TABLE dbo.TabPrPostup ADD CONSTRAINT FK_TabPrPostup_IDOdchylkyDo FOREIGN KEY (IDOdchylkyDo) REFERENCES dbo.TabCOdchylek (ID)
GO
ALTER TABLE dbo.TabPrKVazby ADD CONSTRAINT FK_TabPrKVazby_IDPrikaz FOREIGN KEY (IDPrikaz) REFERENCES dbo.TabPrikaz (ID)
ALTER TABLE dbo.TabPrKVazby ADD CONSTRAINT FK_TabPrKVazby_vyssi FOREIGN KEY (vyssi) REFERENCES dbo.TabKmenZbozi (ID)
ALTER TABLE dbo.TabPrKVazby ADD CONSTRAINT FK_TabPrKVazby_nizsi FOREIGN KEY (nizsi) REFERENCES dbo.TabKmenZbozi (ID)
ALTER TABLE dbo.TabPrKVazby ADD CONSTRAINT FK_TabPrKVazby_IDOdchylkyOd FOREIGN KEY (IDOdchylkyOd) REFERENCES dbo.TabCOdchylek (ID)
ALTER TABLE dbo.TabPrKVazby ADD CONSTRAINT FK_TabPrKVazby_IDOdchylkyDo FOREIGN KEY (IDOdchylkyDo) REFERENCES dbo.TabCOdchylek (ID)
GO
ALTER TABLE dbo.TabPrikazP ADD CONSTRAINT FK_TabPrikazP_IDPrikaz FOREIGN KEY (IDPrikaz) REFERENCES dbo.TabPrikaz (ID)
ALTER TABLE dbo.TabPrikazP ADD CONSTRAINT FK_TabPrikazP_IDKmenZbozi FOREIGN KEY (IDKmenZbozi) REFERENCES dbo.TabKmenZbozi (ID)
GO
ALTER TABLE dbo.TabPrikazMzdyAZmetky ADD CONSTRAINT FK_TabPrikazMzdyAZmetky_IDPrikaz FOREIGN KEY (IDPrikaz) REFERENCES dbo.TabPrikaz (ID)
ALTER TABLE dbo.TabPrikazMzdyAZmetky ADD CONSTRAINT FK_TabPrikazMzdyAZmetky_Zamestnanec FOREIGN KEY (Zamestnanec) REFERENCES dbo.TabCisZam (ID)
ALTER TABLE dbo.TabPrikazMzdyAZmetky ADD CONSTRAINT FK_TabPrikazMzdyAZmetky_IDPracoviste FOREIGN KEY (IDPracoviste) REFERENCES dbo.TabCPraco (ID)
GO
ALTER TABLE dbo.TabVyrCisPrikaz ADD CONSTRAINT FK_TabVyrCisPrikaz_IDPrikaz FOREIGN KEY (IDPrikaz) REFERENCES dbo.TabPrikaz (ID)
GO
ALTER TABLE dbo.TabPrikazZdrojOZ ADD CONSTRAINT FK_TabPrikazZdrojOZ_IDPrikaz FOREIGN KEY (IDPrikaz) REFERENCES dbo.TabPrikaz (ID)
ALTER TABLE dbo.TabPrikazZdrojOZ ADD CONSTRAINT FK_TabPrikazZdrojOZ_IDRezervace FOREIGN KEY (IDRezervace) REFERENCES dbo.TabPohybyZbozi (ID)
GO
ALTER TABLE dbo.TabVyrPerZdroje ADD CONSTRAINT FK_TabVyrPerZdroje_IDZam FOREIGN KEY (IDZam) REFERENCES dbo.TabCisZam (ID)
GO
ALTER TABLE dbo.TabAdvKPDavky ADD CONSTRAINT FK_TabAdvKPDavky_IDAdvKapacPlan FOREIGN KEY (IDAdvKapacPlan) REFERENCES dbo.TabAdvKapacPlan (ID)
ALTER TABLE dbo.TabAdvKPDavky ADD CONSTRAINT FK_TabAdvKPDavky_IDPrikaz FOREIGN KEY (IDPrikaz) REFERENCES dbo.TabPrikaz (ID)
GO
ALTER TABLE dbo.TabAdvKPProfese ADD CONSTRAINT FK_TabAdvKPProfese_IDAdvKapacPlan FOREIGN KEY (IDAdvKapacPlan) REFERENCES dbo.TabAdvKapacPlan (ID)
ALTER TABLE dbo.TabAdvKPProfese ADD CONSTRAINT FK_TabAdvKPProfese_IDVyrPerZdroje FOREIGN KEY (IDVyrPerZdroje) REFERENCES dbo.TabVyrPerZdroje (ID)
GO
ALTER TABLE dbo.TabKmenZbozi ADD CONSTRAINT FK_TabKmenZbozi_SkupZbo FOREIGN KEY (SkupZbo) REFERENCES dbo.TabSkupinyZbozi (SkupZbo)
ALTER TABLE dbo.TabKmenZbozi ADD CONSTRAINT FK_TabKmenZbozi_MJEvidence FOREIGN KEY (MJEvidence) REFERENCES dbo.TabMJ (Kod)
GO
ALTER TABLE dbo.TabKmenZbozi_EXT ADD CONSTRAINT FK_TabKmenZbozi_EXT_ID FOREIGN KEY (ID) REFERENCES dbo.TabKmenZbozi (ID)
GO
ALTER TABLE dbo.TabStavSkladu ADD CONSTRAINT FK_TabStavSkladu_IDSklad FOREIGN KEY (IDSklad) REFERENCES dbo.TabStrom (Cislo)
ALTER TABLE dbo.TabStavSkladu ADD CONSTRAINT FK_TabStavSkladu_IDKmenZbozi FOREIGN KEY (IDKmenZbozi) REFERENCES dbo.TabKmenZbozi (ID)
GO
ALTER TABLE dbo.TabUmisteni ADD CONSTRAINT FK_TabUmisteni_IDSklad FOREIGN KEY (IDSklad) REFERENCES dbo.TabStrom (Cislo)
GO
ALTER TABLE dbo.TabUmisteni_EXT ADD CONSTRAINT FK_TabUmisteni_EXT_ID FOREIGN KEY (ID) REFERENCES dbo.TabUmisteni (ID)
GO
ALTER TABLE dbo.TabVyrCS ADD CONSTRAINT FK_TabVyrCS_IDStavSkladu FOREIGN KEY (IDStavSkladu) REFERENCES dbo.TabStavSkladu (ID)
GO
ALTER TABLE dbo.TabBarCodeZbo ADD CONSTRAINT FK_TabBarCodeZbo_IDKmenZbo FOREIGN KEY (IDKmenZbo) REFERENCES dbo.TabKmenZbozi (ID)
GO
ALTER TABLE dbo.TabParKmZ ADD CONSTRAINT FK_TabParKmZ_IDKmenZbozi FOREIGN KEY (IDKmenZbozi) REFERENCES dbo.TabKmenZbozi (ID)
ALTER TABLE dbo.TabParKmZ ADD CONSTRAINT FK_TabParKmZ_SkladNeshod FOREIGN KEY (SkladNeshod) REFERENCES dbo.TabStrom (Cislo)
GO
ALTER TABLE dbo.TabPohybyZbozi ADD CONSTRAINT FK_TabPohybyZbozi_IDDoklad FOREIGN KEY (IDDoklad) REFERENCES dbo.TabDokladyZbozi (ID)
ALTER TABLE dbo.TabPohybyZbozi ADD CONSTRAINT FK_TabPohybyZbozi_IDZboSklad FOREIGN KEY (IDZboSklad) REFERENCES dbo.TabStavSkladu (ID)
ALTER TABLE dbo.TabPohybyZbozi ADD CONSTRAINT FK_TabPohybyZbozi_IDPrKVazby FOREIGN KEY (IDPrKVazby) REFERENCES dbo.TabPrKVazby (ID)
GO
ALTER TABLE dbo.TabVyrCP ADD CONSTRAINT FK_TabVyrCP_IDPolozkaDokladu FOREIGN KEY (IDPolozkaDokladu) REFERENCES dbo.TabPohybyZbozi (ID)
ALTER TABLE dbo.TabVyrCP ADD CONSTRAINT FK_TabVyrCP_IDVyrCS FOREIGN KEY (IDVyrCS) REFERENCES dbo.TabVyrCS (ID)
GO
ALTER TABLE dbo.TabDokumVazba ADD CONSTRAINT FK_TabDokumVazba_IdDok FOREIGN KEY (IdDok) REFERENCES dbo.TabDokumenty (ID)
GO
ALTER TABLE dbo.Korvel_PohybUmisteni ADD CONSTRAINT FK_Korvel_PohybUmisteni_IDStavSkladu FOREIGN KEY (IDStavSkladu) REFERENCES dbo.TabStavSkladu (ID)
ALTER TABLE dbo.Korvel_PohybUmisteni ADD CONSTRAINT FK_Korvel_PohybUmisteni_IDKmenZbozi FOREIGN KEY (IDKmenZbozi) REFERENCES dbo.TabKmenZbozi (ID)
ALTER TABLE dbo.Korvel_PohybUmisteni ADD CONSTRAINT FK_Korvel_PohybUmisteni_IDVyrCis FOREIGN KEY (IDVyrCis) REFERENCES dbo.TabVyrCS (ID)
ALTER TABLE dbo.Korvel_PohybUmisteni ADD CONSTRAINT FK_Korvel_PohybUmisteni_IDUmisteni FOREIGN KEY (IDUmisteni) REFERENCES dbo.TabUmisteni (ID)
ALTER TABLE dbo.Korvel_PohybUmisteni ADD CONSTRAINT FK_Korvel_PohybUmisteni_IDPohZbo FOREIGN KEY (IDPohZbo) REFERENCES dbo.TabPohybyZbozi (ID)
GO
