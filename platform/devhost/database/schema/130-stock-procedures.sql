-- Stock documents: creating issue documents for bill-of-material rows, receipts of finished
-- parts and of scrap from the generator tables the caller fills, and realising (posting) them,
-- which moves the quantities of the stock cards and serial numbers.
--
-- Procedures that change several tables open a transaction only when the caller has none; inside
-- the caller's transaction they leave rolling back to the caller's error branch.

-- A new document header with the next number of its series and kind; the pairing mark is the
-- series and the number ("V01-000012").
CREATE PROCEDURE dbo.hp_ZalozDokladZbozi
    @RadaDokladu NVARCHAR(3),
    @DruhPohybuZbo INT,
    @IDSklad NVARCHAR(30),
    @IDPrikaz INT,
    @DatPorizeni DATETIME,
    @IDDoklad INT OUTPUT
AS
SET NOCOUNT ON
DECLARE @Cislo INT
SET @IDDoklad = NULL
IF ISNULL(@RadaDokladu, N'') = N''
BEGIN
    RAISERROR(N'Není zadána řada dokladu.', 16, 1)
    RETURN 1
END
SELECT @Cislo = ISNULL(MAX(d.PoradoveCislo), 0) + 1 FROM dbo.TabDokladyZbozi d WITH (UPDLOCK, HOLDLOCK)
WHERE d.RadaDokladu = @RadaDokladu AND d.DruhPohybuZbo = @DruhPohybuZbo
INSERT INTO dbo.TabDokladyZbozi (RadaDokladu, DruhPohybuZbo, PoradoveCislo, ParovaciZnak, IDSklad, IDPrikaz, DatPorizeni)
VALUES (@RadaDokladu, @DruhPohybuZbo, @Cislo,
    @RadaDokladu + N'-' + RIGHT(N'000000' + CAST(@Cislo AS NVARCHAR(10)), 6), @IDSklad, @IDPrikaz,
    ISNULL(@DatPorizeni, GETDATE()))
IF @@ERROR <> 0 RETURN 1
SET @IDDoklad = SCOPE_IDENTITY()
RETURN 0
GO
-- The stock card of an item in a warehouse, created empty when missing.
CREATE PROCEDURE dbo.hp_KartaSkladu
    @IDSklad NVARCHAR(30),
    @IDKmenZbozi INT,
    @IDStavSkladu INT OUTPUT
AS
SET NOCOUNT ON
SET @IDStavSkladu = NULL
SELECT @IDStavSkladu = ss.ID FROM dbo.TabStavSkladu ss WHERE ss.IDSklad = @IDSklad AND ss.IDKmenZbozi = @IDKmenZbozi
IF @IDStavSkladu IS NULL
BEGIN
    INSERT INTO dbo.TabStavSkladu (IDSklad, IDKmenZbozi, Mnozstvi) VALUES (@IDSklad, @IDKmenZbozi, 0)
    IF @@ERROR <> 0 RETURN 1
    SET @IDStavSkladu = SCOPE_IDENTITY()
END
RETURN 0
GO
-- A serial-number line of a document item: the serial number's stock row on the item's stock card
-- (created empty when missing) with the line's quantity.
CREATE PROCEDURE dbo.hp_VyrCisloNaPolozkuDokladu
    @IDPolozkaDokladu INT,
    @IDStavSkladu INT,
    @VyrCislo NVARCHAR(100),
    @Mnozstvi NUMERIC(19,6),
    @IDVyrCP INT OUTPUT
AS
SET NOCOUNT ON
DECLARE @IDVyrCS INT
SET @IDVyrCP = NULL
SELECT @IDVyrCS = MIN(vc.ID) FROM dbo.TabVyrCS vc WHERE vc.IDStavSkladu = @IDStavSkladu AND vc.Nazev1 = @VyrCislo
IF @IDVyrCS IS NULL
BEGIN
    INSERT INTO dbo.TabVyrCS (IDStavSkladu, Nazev1, Mnozstvi) VALUES (@IDStavSkladu, @VyrCislo, 0)
    IF @@ERROR <> 0 RETURN 1
    SET @IDVyrCS = SCOPE_IDENTITY()
END
INSERT INTO dbo.TabVyrCP (IDPolozkaDokladu, IDVyrCS, Mnozstvi) VALUES (@IDPolozkaDokladu, @IDVyrCS, @Mnozstvi)
IF @@ERROR <> 0 RETURN 1
SET @IDVyrCP = SCOPE_IDENTITY()
RETURN 0
GO
-- Posts a document: @Smer -1 takes its items out of stock (an issue, which also counts the issued
-- quantity on the bill-of-material rows), +1 puts them in (a receipt). An issue that would take a
-- stock card or serial number below zero is refused unless @PovolitZaporny is 1.
CREATE PROCEDURE dbo.hp_RealizujDokladZbozi
    @IDDok INT,
    @Smer INT,
    @DatRealizace DATETIME,
    @PovolitZaporny BIT,
    @BylaChyba BIT OUTPUT
AS
SET NOCOUNT ON
DECLARE @VlastniTransakce BIT
SET @BylaChyba = 1
IF NOT EXISTS (SELECT * FROM dbo.TabDokladyZbozi d WHERE d.ID = @IDDok)
BEGIN
    RAISERROR(N'Doklad %d nebyl nalezen.', 16, 1, @IDDok)
    RETURN 1
END
IF EXISTS (SELECT * FROM dbo.TabDokladyZbozi d WHERE d.ID = @IDDok AND d.Realizovano = 1)
BEGIN
    RAISERROR(N'Doklad %d je již realizován.', 16, 1, @IDDok)
    RETURN 1
END
IF @Smer < 0 AND ISNULL(@PovolitZaporny, 0) = 0
BEGIN
    IF EXISTS (SELECT * FROM dbo.TabStavSkladu ss
        WHERE ss.ID IN (SELECT pz.IDZboSklad FROM dbo.TabPohybyZbozi pz WHERE pz.IDDoklad = @IDDok)
          AND ss.Mnozstvi < (SELECT SUM(pz.Mnozstvi * pz.PrepMnozstvi) FROM dbo.TabPohybyZbozi pz
                             WHERE pz.IDDoklad = @IDDok AND pz.IDZboSklad = ss.ID))
       OR EXISTS (SELECT * FROM dbo.TabVyrCS vc
        WHERE vc.ID IN (SELECT vcp.IDVyrCS FROM dbo.TabVyrCP vcp
                        INNER JOIN dbo.TabPohybyZbozi pz ON pz.ID = vcp.IDPolozkaDokladu WHERE pz.IDDoklad = @IDDok)
          AND vc.Mnozstvi < (SELECT SUM(vcp.Mnozstvi) FROM dbo.TabVyrCP vcp
                             INNER JOIN dbo.TabPohybyZbozi pz ON pz.ID = vcp.IDPolozkaDokladu
                             WHERE pz.IDDoklad = @IDDok AND vcp.IDVyrCS = vc.ID))
    BEGIN
        RAISERROR(N'Na skladě není dostatečné množství pro výdej dokladu %d.', 16, 1, @IDDok)
        RETURN 1
    END
END
SET @VlastniTransakce = CASE WHEN @@TRANCOUNT = 0 THEN 1 ELSE 0 END
IF @VlastniTransakce = 1
    BEGIN TRANSACTION
UPDATE dbo.TabStavSkladu SET Mnozstvi = Mnozstvi + @Smer * (SELECT SUM(pz.Mnozstvi * pz.PrepMnozstvi)
    FROM dbo.TabPohybyZbozi pz WHERE pz.IDDoklad = @IDDok AND pz.IDZboSklad = TabStavSkladu.ID)
WHERE ID IN (SELECT pz.IDZboSklad FROM dbo.TabPohybyZbozi pz WHERE pz.IDDoklad = @IDDok)
IF @@ERROR <> 0 GOTO CHYBA
UPDATE dbo.TabVyrCS SET Mnozstvi = Mnozstvi + @Smer * (SELECT SUM(vcp.Mnozstvi) FROM dbo.TabVyrCP vcp
    INNER JOIN dbo.TabPohybyZbozi pz ON pz.ID = vcp.IDPolozkaDokladu
    WHERE pz.IDDoklad = @IDDok AND vcp.IDVyrCS = TabVyrCS.ID)
WHERE ID IN (SELECT vcp.IDVyrCS FROM dbo.TabVyrCP vcp
    INNER JOIN dbo.TabPohybyZbozi pz ON pz.ID = vcp.IDPolozkaDokladu WHERE pz.IDDoklad = @IDDok)
IF @@ERROR <> 0 GOTO CHYBA
IF @Smer < 0
BEGIN
    UPDATE dbo.TabPrKVazby SET Mnoz_skut_realizovane = Mnoz_skut_realizovane + (SELECT SUM(pz.Mnozstvi * pz.PrepMnozstvi)
        FROM dbo.TabPohybyZbozi pz WHERE pz.IDDoklad = @IDDok AND pz.IDPrKVazby = TabPrKVazby.ID)
    WHERE ID IN (SELECT pz.IDPrKVazby FROM dbo.TabPohybyZbozi pz WHERE pz.IDDoklad = @IDDok)
    IF @@ERROR <> 0 GOTO CHYBA
END
UPDATE dbo.TabDokladyZbozi SET Realizovano = 1, DatRealizace = ISNULL(@DatRealizace, GETDATE()) WHERE ID = @IDDok
IF @@ERROR <> 0 GOTO CHYBA
IF @VlastniTransakce = 1
    COMMIT TRANSACTION
SET @BylaChyba = 0
RETURN 0
CHYBA:
IF @VlastniTransakce = 1 AND @@TRANCOUNT > 0
    ROLLBACK TRANSACTION
RETURN 1
GO
-- Issue documents of material for bill-of-material rows, from #TabPrKVazbyGen (rows with Generuj = 1),
-- their serial numbers from #TabPrKVazbyGenVC and the wage records from #TabPrKVazbyGen_IDMzdy: one
-- document per warehouse, one item per row. Writes the new documents into #TabGenRezVyd and the items
-- and serial lines back into the generator tables.
CREATE PROCEDURE dbo.hp_generujRezVyd
    @RadaDokladu NVARCHAR(3),
    @DruhPohybuZbo INT = 2
AS
SET NOCOUNT ON
DECLARE @Sklad NVARCHAR(30), @IDGen INT, @IDPrKV INT, @IDKmenZbozi INT, @IDPrikaz INT, @DokladPrKV INT,
    @Mnozstvi NUMERIC(19,6), @IDDoklad INT, @IDStavSkladu INT, @IDPohyb INT, @IDMzdy INT, @IDGenVC INT,
    @VyrCislo NVARCHAR(100), @MnozstviVC NUMERIC(19,6), @IDVyrCP INT, @Ret INT
IF NOT EXISTS (SELECT * FROM #TabPrKVazbyGen g WHERE g.Generuj = 1 AND g.MnozstviPoz > 0)
    RETURN 0
IF @DruhPohybuZbo NOT IN (2, 4)
BEGIN
    RAISERROR(N'Druh pohybu %d není výdejový.', 16, 1, @DruhPohybuZbo)
    RETURN 1
END
SET @Sklad = (SELECT MIN(g.Sklad) FROM #TabPrKVazbyGen g WHERE g.Generuj = 1 AND g.MnozstviPoz > 0)
WHILE @Sklad IS NOT NULL
BEGIN
    SELECT @IDPrikaz = MIN(k.IDPrikaz) FROM #TabPrKVazbyGen g INNER JOIN dbo.TabPrKVazby k ON k.ID = g.IDPrKV
    WHERE g.Generuj = 1 AND g.MnozstviPoz > 0 AND g.Sklad = @Sklad
    EXEC @Ret = dbo.hp_ZalozDokladZbozi @RadaDokladu, @DruhPohybuZbo, @Sklad, @IDPrikaz, NULL, @IDDoklad OUTPUT
    IF @Ret <> 0 OR @IDDoklad IS NULL RETURN 1
    INSERT INTO #TabGenRezVyd (ID) VALUES (@IDDoklad)
    SET @IDGen = (SELECT MIN(g.ID) FROM #TabPrKVazbyGen g WHERE g.Generuj = 1 AND g.MnozstviPoz > 0 AND g.Sklad = @Sklad)
    WHILE @IDGen IS NOT NULL
    BEGIN
        SELECT @IDPrKV = g.IDPrKV, @Mnozstvi = g.MnozstviPoz FROM #TabPrKVazbyGen g WHERE g.ID = @IDGen
        SET @IDKmenZbozi = NULL
        SELECT @IDKmenZbozi = k.nizsi, @IDPrikaz = k.IDPrikaz, @DokladPrKV = k.Doklad
        FROM dbo.TabPrKVazby k WHERE k.ID = @IDPrKV
        IF @IDKmenZbozi IS NULL
        BEGIN
            RAISERROR(N'Položka kusovníku %d nebyla nalezena.', 16, 1, @IDPrKV)
            RETURN 1
        END
        EXEC @Ret = dbo.hp_KartaSkladu @Sklad, @IDKmenZbozi, @IDStavSkladu OUTPUT
        IF @Ret <> 0 RETURN 1
        SET @IDMzdy = (SELECT MAX(m.IDMzdy) FROM #TabPrKVazbyGen_IDMzdy m WHERE m.IDPrikaz = @IDPrikaz AND m.Doklad = @DokladPrKV)
        INSERT INTO dbo.TabPohybyZbozi (IDDoklad, IDZboSklad, Mnozstvi, PrepMnozstvi, IDPrKVazby, IDPrikaz, IDMzdy)
        VALUES (@IDDoklad, @IDStavSkladu, @Mnozstvi, 1, @IDPrKV, @IDPrikaz, @IDMzdy)
        IF @@ERROR <> 0 RETURN 1
        SET @IDPohyb = SCOPE_IDENTITY()
        UPDATE #TabPrKVazbyGen SET IDPohZbo = @IDPohyb WHERE ID = @IDGen
        SET @IDGenVC = (SELECT MIN(v.ID) FROM #TabPrKVazbyGenVC v WHERE v.IDPolozky = @IDGen AND v.Mnozstvi > 0)
        WHILE @IDGenVC IS NOT NULL
        BEGIN
            SELECT @VyrCislo = v.VyrCislo, @MnozstviVC = v.Mnozstvi FROM #TabPrKVazbyGenVC v WHERE v.ID = @IDGenVC
            EXEC @Ret = dbo.hp_VyrCisloNaPolozkuDokladu @IDPohyb, @IDStavSkladu, @VyrCislo, @MnozstviVC, @IDVyrCP OUTPUT
            IF @Ret <> 0 RETURN 1
            UPDATE #TabPrKVazbyGenVC SET IDVyrCP = @IDVyrCP WHERE ID = @IDGenVC
            SET @IDGenVC = (SELECT MIN(v.ID) FROM #TabPrKVazbyGenVC v
                            WHERE v.IDPolozky = @IDGen AND v.Mnozstvi > 0 AND v.ID > @IDGenVC)
        END
        SET @IDGen = (SELECT MIN(g.ID) FROM #TabPrKVazbyGen g
                      WHERE g.Generuj = 1 AND g.MnozstviPoz > 0 AND g.Sklad = @Sklad AND g.ID > @IDGen)
    END
    SET @Sklad = (SELECT MIN(g.Sklad) FROM #TabPrKVazbyGen g WHERE g.Generuj = 1 AND g.MnozstviPoz > 0 AND g.Sklad > @Sklad)
END
RETURN 0
GO
-- Posts an issue document. The second parameter is the posting date (NULL: now), the third allows
-- stock to go below zero, the fourth is accepted for the callers' sake and has no effect here.
CREATE PROCEDURE dbo.hp_realizuj_vydej
    @IDDok INT,
    @DatRealizace DATETIME = NULL,
    @PovolitZaporny BIT = 0,
    @BezHlaseni BIT = 0,
    @BylaChyba BIT = 0 OUTPUT
AS
SET NOCOUNT ON
DECLARE @Ret INT
IF NOT EXISTS (SELECT * FROM dbo.TabDokladyZbozi d WHERE d.ID = @IDDok AND d.DruhPohybuZbo IN (2, 4))
BEGIN
    SET @BylaChyba = 1
    RAISERROR(N'Doklad %d není výdejka.', 16, 1, @IDDok)
    RETURN 1
END
EXEC @Ret = dbo.hp_RealizujDokladZbozi @IDDok, -1, @DatRealizace, @PovolitZaporny, @BylaChyba OUTPUT
RETURN @Ret
GO
-- Offers the order's serial numbers that are not in stock yet for each row of #TabOdved, oldest
-- first, up to the row's quantity, into #TabVyrCisProGenOdv. Parts without serial numbers get none.
CREATE PROCEDURE dbo.hp_PrednabidniTabVyrCisProGenOdv
AS
SET NOCOUNT ON
DECLARE @IDOdved INT, @IDPrikaz INT, @IDDilec INT, @Zbyva NUMERIC(19,6), @IDVC INT, @VyrCislo NVARCHAR(100),
    @Mnozstvi NUMERIC(19,6)
SET @IDOdved = (SELECT MIN(o.ID) FROM #TabOdved o)
WHILE @IDOdved IS NOT NULL
BEGIN
    SELECT @IDPrikaz = o.IDPrikaz, @IDDilec = o.IDDilec, @Zbyva = o.mnozstvi FROM #TabOdved o WHERE o.ID = @IDOdved
    IF EXISTS (SELECT * FROM dbo.TabKmenZbozi kz WHERE kz.ID = @IDDilec AND kz.KontrolaVyrC IN (N'A', N'B'))
    BEGIN
        SET @IDVC = (SELECT MIN(vc.ID) FROM dbo.TabVyrCisPrikaz vc WHERE vc.IDPrikaz = @IDPrikaz)
        WHILE @IDVC IS NOT NULL AND @Zbyva > 0
        BEGIN
            SELECT @VyrCislo = vc.VyrCislo, @Mnozstvi = vc.Mnozstvi FROM dbo.TabVyrCisPrikaz vc WHERE vc.ID = @IDVC
            IF NOT EXISTS (SELECT * FROM dbo.TabVyrCS s INNER JOIN dbo.TabStavSkladu ss ON ss.ID = s.IDStavSkladu
                           WHERE ss.IDKmenZbozi = @IDDilec AND s.Nazev1 = @VyrCislo AND s.Mnozstvi > 0)
               AND NOT EXISTS (SELECT * FROM #TabVyrCisProGenOdv g WHERE g.IDPrikaz = @IDPrikaz AND g.VyrCislo = @VyrCislo)
            BEGIN
                IF @Mnozstvi > @Zbyva
                    SET @Mnozstvi = @Zbyva
                INSERT INTO #TabVyrCisProGenOdv (IDOdvedeni, IDPrikaz, VyrCislo, Mnozstvi, MaxMnozstvi)
                VALUES (@IDOdved, @IDPrikaz, @VyrCislo, @Mnozstvi, @Mnozstvi)
                SET @Zbyva = @Zbyva - @Mnozstvi
            END
            SET @IDVC = (SELECT MIN(vc.ID) FROM dbo.TabVyrCisPrikaz vc WHERE vc.IDPrikaz = @IDPrikaz AND vc.ID > @IDVC)
        END
    END
    SET @IDOdved = (SELECT MIN(o.ID) FROM #TabOdved o WHERE o.ID > @IDOdved)
END
RETURN 0
GO
-- Receipts of finished parts: one document per row of #TabOdved with a positive quantity, one item
-- carrying the row's quantity, serial lines from #TabVyrCisProGenOdv. Writes #TabGenPrijem and
-- #TabOdved.IDPohZbo. A final reporting also finishes the order (state 40, nothing live).
CREATE PROCEDURE dbo.hp_OdvedeniPrikazu
    @RadaDokladu NVARCHAR(3),
    @KonecneOdvedeni BIT = 0
AS
SET NOCOUNT ON
DECLARE @IDOdved INT, @IDPrikaz INT, @IDDilec INT, @Sklad NVARCHAR(30), @Mnozstvi NUMERIC(19,6), @Druh INT,
    @IDDoklad INT, @IDStavSkladu INT, @IDPohyb INT, @IDMzdy INT, @IDGenVC INT, @VyrCislo NVARCHAR(100),
    @MnozstviVC NUMERIC(19,6), @IDVyrCP INT, @Ret INT
SET @Druh = (SELECT MIN(dd.DruhPohybuZbo) FROM dbo.TabDruhDokZbo dd
             WHERE dd.RadaDokladu = @RadaDokladu AND dd.DruhPohybuZbo IN (0, 1))
IF @Druh IS NULL
BEGIN
    RAISERROR(N'Řada %s není řadou příjemek.', 16, 1, @RadaDokladu)
    RETURN 1
END
SET @IDOdved = (SELECT MIN(o.ID) FROM #TabOdved o WHERE o.mnozstvi > 0)
WHILE @IDOdved IS NOT NULL
BEGIN
    SELECT @IDPrikaz = o.IDPrikaz, @IDDilec = o.IDDilec, @Sklad = o.Sklad, @Mnozstvi = o.mnozstvi
    FROM #TabOdved o WHERE o.ID = @IDOdved
    IF ISNULL(@Sklad, N'') = N''
    BEGIN
        RAISERROR(N'Na příkaze není vyplněn sklad pro odvedení.', 16, 1)
        RETURN 1
    END
    EXEC @Ret = dbo.hp_ZalozDokladZbozi @RadaDokladu, @Druh, @Sklad, @IDPrikaz, NULL, @IDDoklad OUTPUT
    IF @Ret <> 0 OR @IDDoklad IS NULL RETURN 1
    INSERT INTO #TabGenPrijem (ID) VALUES (@IDDoklad)
    EXEC @Ret = dbo.hp_KartaSkladu @Sklad, @IDDilec, @IDStavSkladu OUTPUT
    IF @Ret <> 0 RETURN 1
    SET @IDMzdy = (SELECT MAX(m.IDMzdy) FROM #TabOdved_IDMzdy m WHERE m.IDPrikaz = @IDPrikaz)
    INSERT INTO dbo.TabPohybyZbozi (IDDoklad, IDZboSklad, Mnozstvi, PrepMnozstvi, IDPrikaz, IDMzdy)
    VALUES (@IDDoklad, @IDStavSkladu, @Mnozstvi, 1, @IDPrikaz, @IDMzdy)
    IF @@ERROR <> 0 RETURN 1
    SET @IDPohyb = SCOPE_IDENTITY()
    UPDATE #TabOdved SET IDPohZbo = @IDPohyb WHERE ID = @IDOdved
    SET @IDGenVC = (SELECT MIN(v.ID) FROM #TabVyrCisProGenOdv v WHERE v.IDOdvedeni = @IDOdved AND v.Mnozstvi > 0)
    WHILE @IDGenVC IS NOT NULL
    BEGIN
        SELECT @VyrCislo = v.VyrCislo, @MnozstviVC = v.Mnozstvi FROM #TabVyrCisProGenOdv v WHERE v.ID = @IDGenVC
        EXEC @Ret = dbo.hp_VyrCisloNaPolozkuDokladu @IDPohyb, @IDStavSkladu, @VyrCislo, @MnozstviVC, @IDVyrCP OUTPUT
        IF @Ret <> 0 RETURN 1
        UPDATE #TabVyrCisProGenOdv SET IDVyrCP = @IDVyrCP WHERE ID = @IDGenVC
        SET @IDGenVC = (SELECT MIN(v.ID) FROM #TabVyrCisProGenOdv v
                        WHERE v.IDOdvedeni = @IDOdved AND v.Mnozstvi > 0 AND v.ID > @IDGenVC)
    END
    IF @KonecneOdvedeni = 1
    BEGIN
        UPDATE dbo.TabPrikaz SET StavPrikazu = 40, kusy_zive = 0 WHERE ID = @IDPrikaz
        IF @@ERROR <> 0 RETURN 1
    END
    SET @IDOdved = (SELECT MIN(o.ID) FROM #TabOdved o WHERE o.mnozstvi > 0 AND o.ID > @IDOdved)
END
RETURN 0
GO
-- Posts a receipt of parts or scrap. The second parameter is the posting date (NULL: now), the
-- third is accepted for the callers' sake and has no effect here.
CREATE PROCEDURE dbo.hp_Realizuj_Prijem
    @IDDok INT,
    @DatRealizace DATETIME = NULL,
    @BezHlaseni BIT = 0,
    @BylaChyba BIT = 0 OUTPUT
AS
SET NOCOUNT ON
DECLARE @Ret INT
IF NOT EXISTS (SELECT * FROM dbo.TabDokladyZbozi d WHERE d.ID = @IDDok AND d.DruhPohybuZbo IN (0, 1))
BEGIN
    SET @BylaChyba = 1
    RAISERROR(N'Doklad %d není příjemka.', 16, 1, @IDDok)
    RETURN 1
END
EXEC @Ret = dbo.hp_RealizujDokladZbozi @IDDok, 1, @DatRealizace, 1, @BylaChyba OUTPUT
RETURN @Ret
GO
-- Receipts of scrap into the nonconforming-goods warehouses, from #TabPrevodZmetkuNaSkladNeshod
-- (rows with Generuj = 1): one document per warehouse in the scrap-receipt series of TabHGlob, or
-- added to the given receipt document @IDDoklad when it is not NULL. Each booked row lowers the
-- scrap its wage record still has to receive. Writes #TabVygenPrijZmetkuNaSklNesh and the items.
CREATE PROCEDURE dbo.hp_GenerujPrijemZmetkuNaSklNesh
    @IDDoklad INT = NULL,
    @DatPorizeni DATETIME = NULL
AS
SET NOCOUNT ON
DECLARE @Rada NVARCHAR(3), @Sklad NVARCHAR(30), @IDGen INT, @IDMzdy INT, @IDKmenZbozi INT, @Mnozstvi NUMERIC(19,6),
    @VyrCislo NVARCHAR(100), @IDDok INT, @IDStavSkladu INT, @IDPohyb INT, @IDVyrCP INT, @IDPrikaz INT, @Ret INT
IF NOT EXISTS (SELECT * FROM #TabPrevodZmetkuNaSkladNeshod z WHERE z.Generuj = 1 AND z.MnozstviPoz > 0)
    RETURN 0
SET @Rada = (SELECT TOP 1 g.RadaPrijemZmetku FROM dbo.TabHGlob g ORDER BY g.ID)
IF @IDDoklad IS NULL AND ISNULL(@Rada, N'') = N''
BEGIN
    RAISERROR(N'Není nastavena řada příjemek zmetků.', 16, 1)
    RETURN 1
END
SET @Sklad = (SELECT MIN(z.Sklad) FROM #TabPrevodZmetkuNaSkladNeshod z WHERE z.Generuj = 1 AND z.MnozstviPoz > 0)
WHILE @Sklad IS NOT NULL
BEGIN
    IF @IDDoklad IS NOT NULL
        SET @IDDok = @IDDoklad
    ELSE
    BEGIN
        SELECT @IDPrikaz = MIN(mz.IDPrikaz) FROM #TabPrevodZmetkuNaSkladNeshod z
        INNER JOIN dbo.TabPrikazMzdyAZmetky mz ON mz.ID = z.IDMzdy
        WHERE z.Generuj = 1 AND z.MnozstviPoz > 0 AND z.Sklad = @Sklad
        EXEC @Ret = dbo.hp_ZalozDokladZbozi @Rada, 0, @Sklad, @IDPrikaz, @DatPorizeni, @IDDok OUTPUT
        IF @Ret <> 0 OR @IDDok IS NULL RETURN 1
    END
    IF NOT EXISTS (SELECT * FROM #TabVygenPrijZmetkuNaSklNesh v WHERE v.ID = @IDDok)
        INSERT INTO #TabVygenPrijZmetkuNaSklNesh (ID) VALUES (@IDDok)
    SET @IDGen = (SELECT MIN(z.ID) FROM #TabPrevodZmetkuNaSkladNeshod z
                  WHERE z.Generuj = 1 AND z.MnozstviPoz > 0 AND z.Sklad = @Sklad)
    WHILE @IDGen IS NOT NULL
    BEGIN
        SELECT @IDMzdy = z.IDMzdy, @IDKmenZbozi = z.IDKmenZbozi, @Mnozstvi = z.MnozstviPoz, @VyrCislo = z.VyrCislo
        FROM #TabPrevodZmetkuNaSkladNeshod z WHERE z.ID = @IDGen
        EXEC @Ret = dbo.hp_KartaSkladu @Sklad, @IDKmenZbozi, @IDStavSkladu OUTPUT
        IF @Ret <> 0 RETURN 1
        INSERT INTO dbo.TabPohybyZbozi (IDDoklad, IDZboSklad, Mnozstvi, PrepMnozstvi, IDPrikaz, IDMzdy)
        VALUES (@IDDok, @IDStavSkladu, @Mnozstvi, 1,
            (SELECT mz.IDPrikaz FROM dbo.TabPrikazMzdyAZmetky mz WHERE mz.ID = @IDMzdy), @IDMzdy)
        IF @@ERROR <> 0 RETURN 1
        SET @IDPohyb = SCOPE_IDENTITY()
        UPDATE #TabPrevodZmetkuNaSkladNeshod SET IDPohZbo = @IDPohyb WHERE ID = @IDGen
        IF ISNULL(@VyrCislo, N'') <> N''
        BEGIN
            EXEC @Ret = dbo.hp_VyrCisloNaPolozkuDokladu @IDPohyb, @IDStavSkladu, @VyrCislo, @Mnozstvi, @IDVyrCP OUTPUT
            IF @Ret <> 0 RETURN 1
        END
        UPDATE dbo.TabPrikazMzdyAZmetky SET ZbyvaOdvestNaSkladNeshod = CASE
            WHEN ZbyvaOdvestNaSkladNeshod - @Mnozstvi < 0 THEN 0 ELSE ZbyvaOdvestNaSkladNeshod - @Mnozstvi END
        WHERE ID = @IDMzdy
        IF @@ERROR <> 0 RETURN 1
        SET @IDGen = (SELECT MIN(z.ID) FROM #TabPrevodZmetkuNaSkladNeshod z
                      WHERE z.Generuj = 1 AND z.MnozstviPoz > 0 AND z.Sklad = @Sklad AND z.ID > @IDGen)
    END
    SET @Sklad = (SELECT MIN(z.Sklad) FROM #TabPrevodZmetkuNaSkladNeshod z
                  WHERE z.Generuj = 1 AND z.MnozstviPoz > 0 AND z.Sklad > @Sklad)
END
RETURN 0
GO
