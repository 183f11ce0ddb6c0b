-- Production procedures: booking a finished operation as a wage record with the routing-row
-- bookkeeping, and changing the quantity of an order.
--
-- Procedures that change several tables open a transaction only when the caller has none; inside
-- the caller's transaction they leave rolling back to the caller's error branch.

CREATE PROCEDURE dbo.hp_EvidenceOperace
    @IDPrikaz INT,
    @Doklad INT,
    @Alt NCHAR(1),
    @Kusy_odv NUMERIC(19,6),
    @Kusy_zmet_neopr NUMERIC(19,6) = 0,
    @DatumZahajeniOp DATETIME = NULL,
    @DatumUkonceniOp DATETIME = NULL,
    @Sk_Cas_S NUMERIC(19,6) = 0,
    @Sk_Cas_Obsluhy_S NUMERIC(19,6) = 0,
    @IDZam INT = NULL,
    @IDPracoviste INT = NULL
AS
SET NOCOUNT ON
DECLARE @IDPrPostup INT, @Odvadeci BIT, @PracovisteRadku INT, @VyrCislo NVARCHAR(100), @IDMzdy INT,
    @DokladDalsi INT, @Datum DATETIME, @VlastniTransakce BIT
SET @Kusy_odv = ISNULL(@Kusy_odv, 0)
SET @Kusy_zmet_neopr = ISNULL(@Kusy_zmet_neopr, 0)
SET @Sk_Cas_S = ISNULL(@Sk_Cas_S, 0)
SET @Sk_Cas_Obsluhy_S = ISNULL(@Sk_Cas_Obsluhy_S, 0)
IF @Kusy_odv < 0 OR @Kusy_zmet_neopr < 0
BEGIN
    RAISERROR(N'Evidované množství nesmí být záporné.', 16, 1)
    RETURN 0
END
SELECT @IDPrPostup = prp.ID, @Odvadeci = prp.Odvadeci, @PracovisteRadku = prp.pracoviste
FROM dbo.TabPrPostup prp
WHERE prp.IDPrikaz = @IDPrikaz AND prp.Doklad = @Doklad AND prp.Alt = @Alt AND prp.IDOdchylkyDo IS NULL
IF @IDPrPostup IS NULL
BEGIN
    RAISERROR(N'Operace %d/%s příkazu nebyla nalezena.', 16, 1, @Doklad, @Alt)
    RETURN 0
END
IF EXISTS (SELECT * FROM dbo.TabPrPostup prp WHERE prp.ID = @IDPrPostup AND prp.Uzavreno = 1)
BEGIN
    RAISERROR(N'Operace %d/%s příkazu je uzavřena.', 16, 1, @Doklad, @Alt)
    RETURN 0
END
SET @Datum = ISNULL(@DatumUkonceniOp, GETDATE())
-- An order made in one piece books its only serial number on the record.
IF (SELECT COUNT(*) FROM dbo.TabVyrCisPrikaz vc WHERE vc.IDPrikaz = @IDPrikaz) = 1
    SELECT @VyrCislo = vc.VyrCislo FROM dbo.TabVyrCisPrikaz vc WHERE vc.IDPrikaz = @IDPrikaz
SET @VlastniTransakce = CASE WHEN @@TRANCOUNT = 0 THEN 1 ELSE 0 END
IF @VlastniTransakce = 1
    BEGIN TRANSACTION
INSERT INTO dbo.TabPrikazMzdyAZmetky (IDPrikaz, DokladPrPostup, AltPrPostup, kusy_odv, kusy_zmet_neopr,
    Sk_cas_S, Sk_cas_N, Sk_cas_Obsluhy_S, Sk_cas_Obsluhy_N, Zamestnanec, IDPracoviste, DatumZahajeni,
    DatumUkonceni, datum_X, Stav, ZbyvaOdvestNaSkladNeshod, VyrCislo)
VALUES (@IDPrikaz, @Doklad, @Alt, @Kusy_odv, @Kusy_zmet_neopr,
    @Sk_Cas_S, @Sk_Cas_S / 60, @Sk_Cas_Obsluhy_S, @Sk_Cas_Obsluhy_S / 60, @IDZam,
    ISNULL(@IDPracoviste, @PracovisteRadku), @DatumZahajeniOp, @DatumUkonceniOp, @Datum, 1, @Kusy_zmet_neopr,
    @VyrCislo)
IF @@ERROR <> 0 GOTO CHYBA
SET @IDMzdy = SCOPE_IDENTITY()
-- The routing row: what is done and scrapped is no longer waiting before the operation, and the
-- live pieces are what is still to be made.
UPDATE dbo.TabPrPostup SET
    Kusy_real = Kusy_real + @Kusy_odv,
    Kusy_zmet = Kusy_zmet + @Kusy_zmet_neopr,
    KusyPredOperaci = CASE WHEN KusyPredOperaci - @Kusy_odv - @Kusy_zmet_neopr < 0 THEN 0
        ELSE KusyPredOperaci - @Kusy_odv - @Kusy_zmet_neopr END
WHERE ID = @IDPrPostup
IF @@ERROR <> 0 GOTO CHYBA
UPDATE dbo.TabPrPostup SET
    Kusy_zive = CASE WHEN Kusy_zad - Kusy_real - Kusy_zmet < 0 THEN 0 ELSE Kusy_zad - Kusy_real - Kusy_zmet END
WHERE ID = @IDPrPostup
IF @@ERROR <> 0 GOTO CHYBA
-- The good pieces move on to the next preset operation of the order.
SELECT @DokladDalsi = MIN(n.Doklad) FROM dbo.TabPrPostup n
WHERE n.IDPrikaz = @IDPrikaz AND n.Doklad > @Doklad AND n.Prednastaveno = 1 AND n.IDOdchylkyDo IS NULL
IF @DokladDalsi IS NOT NULL
BEGIN
    UPDATE dbo.TabPrPostup SET KusyPredOperaci = KusyPredOperaci + @Kusy_odv
    WHERE IDPrikaz = @IDPrikaz AND Doklad = @DokladDalsi AND Prednastaveno = 1 AND IDOdchylkyDo IS NULL
    IF @@ERROR <> 0 GOTO CHYBA
END
-- The order's live pieces follow its reporting operation.
IF @Odvadeci = 1
BEGIN
    UPDATE dbo.TabPrikaz SET kusy_zive = (SELECT prp.Kusy_zive FROM dbo.TabPrPostup prp WHERE prp.ID = @IDPrPostup)
    WHERE ID = @IDPrikaz
    IF @@ERROR <> 0 GOTO CHYBA
END
IF @VlastniTransakce = 1
    COMMIT TRANSACTION
RETURN @IDMzdy
CHYBA:
IF @VlastniTransakce = 1 AND @@TRANCOUNT > 0
    ROLLBACK TRANSACTION
RETURN 0
GO
CREATE PROCEDURE dbo.hp_ZmenaKusyZadVyrPrikazu
    @IDPrikaz INT,
    @kusy_zad_new NUMERIC(19,6),
    @kusy_ciste_new NUMERIC(19,6) = NULL,
    @prepocitatMatPol BIT = 1,
    @prepocitatOperace BIT = 1,
    @prepocitatVyrCis BIT = 1,
    @prepocitatOPNzTPV BIT = 0,
    @prepocitatVedProd BIT = 0
AS
SET NOCOUNT ON
DECLARE @kusy_zad_old NUMERIC(19,6), @Rozdil NUMERIC(19,6), @DokladPrvni INT, @VlastniTransakce BIT
SELECT @kusy_zad_old = p.kusy_zad FROM dbo.TabPrikaz p WHERE p.ID = @IDPrikaz
IF @kusy_zad_old IS NULL
BEGIN
    RAISERROR(N'Výrobní příkaz nebyl nalezen.', 16, 1)
    RETURN 1
END
IF @kusy_zad_new IS NULL OR @kusy_zad_new <= 0
BEGIN
    RAISERROR(N'Zadané množství příkazu musí být kladné.', 16, 1)
    RETURN 1
END
SET @Rozdil = @kusy_zad_new - @kusy_zad_old
SET @VlastniTransakce = CASE WHEN @@TRANCOUNT = 0 THEN 1 ELSE 0 END
IF @VlastniTransakce = 1
    BEGIN TRANSACTION
UPDATE dbo.TabPrikaz SET
    kusy_zad = @kusy_zad_new,
    kusy_ciste = ISNULL(@kusy_ciste_new, @kusy_zad_new),
    kusy_zive = CASE WHEN kusy_zive + @Rozdil < 0 THEN 0 ELSE kusy_zive + @Rozdil END
WHERE ID = @IDPrikaz
IF @@ERROR <> 0 GOTO CHYBA
IF @prepocitatMatPol = 1 AND @kusy_zad_old > 0
BEGIN
    UPDATE dbo.TabPrKVazby SET
        mnoz_zad = CASE WHEN FixniMnozstvi = 1 THEN mnoz_zad ELSE mnoz_zad * @kusy_zad_new / @kusy_zad_old END,
        mnozstviSeZtratou = CASE WHEN FixniMnozstvi = 1 THEN mnozstviSeZtratou
            ELSE mnozstviSeZtratou * @kusy_zad_new / @kusy_zad_old END
    WHERE IDPrikaz = @IDPrikaz AND IDOdchylkyDo IS NULL AND uzavreno = 0
    IF @@ERROR <> 0 GOTO CHYBA
    UPDATE dbo.TabPrikazP SET mnoz_zad = mnoz_zad * @kusy_zad_new / @kusy_zad_old WHERE IDPrikaz = @IDPrikaz
    IF @@ERROR <> 0 GOTO CHYBA
END
IF @prepocitatOperace = 1
BEGIN
    SELECT @DokladPrvni = MIN(prp.Doklad) FROM dbo.TabPrPostup prp
    WHERE prp.IDPrikaz = @IDPrikaz AND prp.Prednastaveno = 1 AND prp.IDOdchylkyDo IS NULL
    UPDATE dbo.TabPrPostup SET
        Kusy_zad = @kusy_zad_new,
        Kusy_zive = CASE WHEN @kusy_zad_new - Kusy_real - Kusy_zmet < 0 THEN 0
            ELSE @kusy_zad_new - Kusy_real - Kusy_zmet END,
        KusyPredOperaci = CASE WHEN Doklad <> @DokladPrvni THEN KusyPredOperaci
            WHEN KusyPredOperaci + @Rozdil < 0 THEN 0 ELSE KusyPredOperaci + @Rozdil END
    WHERE IDPrikaz = @IDPrikaz AND IDOdchylkyDo IS NULL AND Uzavreno = 0
    IF @@ERROR <> 0 GOTO CHYBA
END
-- Serial numbers beyond the new quantity are dropped, newest first, unless one is already in stock.
IF @prepocitatVyrCis = 1
BEGIN
    WHILE (SELECT ISNULL(SUM(vc.Mnozstvi), 0) FROM dbo.TabVyrCisPrikaz vc WHERE vc.IDPrikaz = @IDPrikaz) > @kusy_zad_new
    BEGIN
        IF EXISTS (SELECT * FROM dbo.TabVyrCisPrikaz vc
            INNER JOIN dbo.TabVyrCS vcs ON vcs.Nazev1 = vc.VyrCislo AND vcs.Mnozstvi > 0
            WHERE vc.ID = (SELECT MAX(m.ID) FROM dbo.TabVyrCisPrikaz m WHERE m.IDPrikaz = @IDPrikaz))
        BEGIN
            RAISERROR(N'Výrobní číslo příkazu je již na skladě, množství nelze snížit.', 16, 1)
            GOTO CHYBA
        END
        DELETE FROM dbo.TabVyrCisPrikaz
        WHERE ID = (SELECT MAX(m.ID) FROM dbo.TabVyrCisPrikaz m WHERE m.IDPrikaz = @IDPrikaz)
        IF @@ERROR <> 0 GOTO CHYBA
    END
END
IF @VlastniTransakce = 1
    COMMIT TRANSACTION
RETURN 0
CHYBA:
IF @VlastniTransakce = 1 AND @@TRANCOUNT > 0
    ROLLBACK TRANSACTION
RETURN 1
GO
