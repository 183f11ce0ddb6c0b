// The plug-in's stored procedures, as complete CREATE PROCEDURE texts installed verbatim.
// Every value comes in through a parameter; nothing is spliced into these texts.

#include "definitions/CompiledDefinitions.h"

namespace provozmat {

namespace {

// The text with its lines separated by CR LF, as the server keeps a procedure's text.
QString sLinkami(const char* text) {
    return QString::fromUtf8(text).replace(u'\n', QStringLiteral("\r\n"));
}

// Ends the open helper rows (40) of a start row, or of every open start row of the same
// worker at a grouping workplace, writing their 41 rows with the net presence in seconds.
constexpr const char* kUkonciPomocnika = R"(CREATE PROCEDURE dbo.KEP_UkonciPomocnikaProIDLogZahajeni
  @IDLogLCD INT,
  @IDZam INT = NULL
AS
SET NOCOUNT ON
DECLARE @CasDo DATETIME, @CasOd DATETIME, @IDPomocnika INT, @IDZahajeni INT, @CelkCasS INT, @IDUkonceni INT
SET @CasDo = GETDATE()
DECLARE @Pomocnici TABLE (ID INT NOT NULL PRIMARY KEY)
INSERT INTO @Pomocnici (ID)
SELECT DISTINCT p.ID
FROM KTab_LCDTerminal7EK m
INNER JOIN KTab_LCDTerminal7EK z ON z.Akce = 10 AND z.IDZam = m.IDZam AND ISNULL(z.IDKolegy, 0) <= 0
  AND (z.ID = m.ID OR (z.IDPracoviste = m.IDPracoviste
    AND EXISTS (SELECT * FROM TabCPraco_EXT e WHERE e.ID = m.IDPracoviste AND e._SdruzeniOperaci = 1)))
INNER JOIN KTab_LCDTerminal7EK p ON p.PomocnikProIDKolegy = z.ID AND p.Akce = 40 AND ISNULL(p.IDKolegy, 0) <= 0
WHERE m.ID = @IDLogLCD AND m.Akce = 10 AND (@IDZam IS NULL OR p.IDZam = @IDZam)
DECLARE pomocnici CURSOR LOCAL FAST_FORWARD FOR SELECT ID FROM @Pomocnici ORDER BY ID
OPEN pomocnici
FETCH NEXT FROM pomocnici INTO @IDPomocnika
WHILE @@FETCH_STATUS = 0
BEGIN
  SELECT @CasOd = p.DatumPor, @IDZahajeni = p.PomocnikProIDKolegy FROM KTab_LCDTerminal7EK p WHERE p.ID = @IDPomocnika
  IF @CasDo < @CasOd SET @CasDo = @CasOd
  SET @CelkCasS = DATEDIFF(SECOND, @CasOd, @CasDo) - ISNULL((
    SELECT SUM(ISNULL(r.CelkCasS, 0))
    FROM KTab_LCDTerminal7EK r
    INNER JOIN KTab_LCDTerminal7EK z ON z.ID = @IDZahajeni
    WHERE r.Akce = 21 AND r.IDZam = z.IDZam AND r.IDPrikaz = z.IDPrikaz AND r.Doklad = z.Doklad AND r.Alt = z.Alt
      AND r.ID > z.ID AND r.DatumPor >= @CasOd AND r.DatumPor <= @CasDo), 0)
  IF @CelkCasS < 0 SET @CelkCasS = 0
  INSERT INTO KTab_LCDTerminal7EK (IDKolegy, DatumPor, Akce, IDZam, IDPracoviste, IDPrikaz, Doklad, Alt, PomocnikProIDKolegy, CelkCasS)
  SELECT p.ID, @CasDo, 41, p.IDZam, p.IDPracoviste, p.IDPrikaz, p.Doklad, p.Alt, p.PomocnikProIDKolegy, @CelkCasS
  FROM KTab_LCDTerminal7EK p WHERE p.ID = @IDPomocnika
  SET @IDUkonceni = SCOPE_IDENTITY()
  UPDATE KTab_LCDTerminal7EK SET IDKolegy = @IDUkonceni WHERE ID = @IDPomocnika
  FETCH NEXT FROM pomocnici INTO @IDPomocnika
END
CLOSE pomocnici
DEALLOCATE pomocnici
RETURN 0
)";

// The worker's actual time on a start row (10) or helper row (40): every second of its span
// shared among the operation runs the worker had going at that moment, counted only while
// the row's own run was active (not interrupted, not unattended).
constexpr const char* kSkutecnyCas = R"(CREATE PROCEDURE dbo.KEP_SkutecnyCasZamestnance
  @SkCas NUMERIC(19,6) OUT,
  @IDTermZahajeni INT
AS
SET NOCOUNT ON
DECLARE @DatumOd DATETIME, @DatumDo DATETIME, @IDZam INT, @ID1Evidovane INT, @Uzavreno BIT,
  @P INT, @F INT, @Predchozi DATETIME, @Celkem NUMERIC(19,6), @EvAkce INT, @EvDatum DATETIME, @EvID1 INT
SELECT @DatumOd = z.DatumPor, @IDZam = z.IDZam,
  @ID1Evidovane = CASE WHEN z.Akce = 40
    THEN (SELECT h.ID1 FROM KTab_LCDTerminal7EK h WHERE h.ID = z.PomocnikProIDKolegy) ELSE z.ID1 END
FROM KTab_LCDTerminal7EK z WHERE z.ID = @IDTermZahajeni AND z.Akce IN (10, 40)
SELECT @DatumDo = k.DatumPor FROM KTab_LCDTerminal7EK k WHERE k.IDKolegy = @IDTermZahajeni AND k.Akce IN (11, 41)
SET @Uzavreno = CASE WHEN @DatumDo IS NULL THEN 0 ELSE 1 END
IF @DatumDo IS NULL SET @DatumDo = GETDATE()
IF @DatumOd IS NULL OR @IDZam IS NULL OR @DatumDo < @DatumOd
BEGIN
  RAISERROR(N'Jeden z parametrů není správně zadán', 16, 1)
  RETURN 1
END
DECLARE @Behy TABLE (ID1 INT NOT NULL PRIMARY KEY)
INSERT INTO @Behy (ID1)
SELECT s.ID1 FROM KTab_LCDTerminal7EK s
WHERE s.Akce = 10 AND s.IDZam = @IDZam AND s.ID1 IS NOT NULL AND s.DatumPor < @DatumDo
  AND NOT EXISTS (SELECT * FROM KTab_LCDTerminal7EK k WHERE k.ID = s.IDKolegy AND k.Akce = 11 AND k.DatumPor <= @DatumOd)
UNION
SELECT h.ID1 FROM KTab_LCDTerminal7EK p
INNER JOIN KTab_LCDTerminal7EK h ON h.ID = p.PomocnikProIDKolegy
WHERE p.Akce = 40 AND p.IDZam = @IDZam AND h.ID1 IS NOT NULL AND p.DatumPor < @DatumDo
  AND NOT EXISTS (SELECT * FROM KTab_LCDTerminal7EK k WHERE k.ID = p.IDKolegy AND k.Akce = 41 AND k.DatumPor <= @DatumOd)
CREATE TABLE #CasovaOsa (ID INT IDENTITY(1,1) NOT NULL, akce INT NULL, Datum DATETIME NULL, ID1 INT NULL)
INSERT INTO #CasovaOsa (akce, Datum, ID1)
SELECT t.Akce, t.DatumPor, t.ID1 FROM KTab_LCDTerminal7EK t INNER JOIN @Behy b ON b.ID1 = t.ID1 ORDER BY t.DatumPor, t.ID
IF @Uzavreno = 0
  INSERT INTO #CasovaOsa (akce, Datum, ID1) VALUES (11, @DatumDo, @ID1Evidovane)
UPDATE #CasovaOsa SET Datum = @DatumOd WHERE Datum < @DatumOd
UPDATE #CasovaOsa SET Datum = @DatumDo WHERE Datum > @DatumDo
SELECT @P = 0, @F = 0, @Celkem = 0
SELECT @Predchozi = MIN(Datum) FROM #CasovaOsa
DECLARE osa CURSOR LOCAL FAST_FORWARD FOR SELECT akce, Datum, ID1 FROM #CasovaOsa ORDER BY Datum, ID
OPEN osa
FETCH NEXT FROM osa INTO @EvAkce, @EvDatum, @EvID1
WHILE @@FETCH_STATUS = 0
BEGIN
  IF @P > 0 AND @F = 1
    SET @Celkem = @Celkem + CAST(DATEDIFF(SECOND, @Predchozi, @EvDatum) AS NUMERIC(19,6)) / @P
  IF @EvAkce IN (10, 21, 31) SET @P = @P + 1
  ELSE IF @EvAkce IN (11, 20, 30) SET @P = @P - 1
  IF @EvID1 = @ID1Evidovane SET @F = CASE WHEN @EvAkce IN (10, 21, 31) THEN 1 ELSE 0 END
  SET @Predchozi = @EvDatum
  FETCH NEXT FROM osa INTO @EvAkce, @EvDatum, @EvID1
END
CLOSE osa
DEALLOCATE osa
DROP TABLE #CasovaOsa
SET @SkCas = @Celkem
RETURN 0
)";

// Generates @Pocet new serial numbers of the order's part in the order's warehouse,
// continuing the part's numbering, and lists their IDs in the caller's #VyrCis_IDs.
constexpr const char* kGenerujVC = R"(CREATE PROCEDURE dbo.KEP_GENERUJ_VCProTisk
  @Pocet INT,
  @IDPrikaz INT
AS
SET NOCOUNT ON
DECLARE @Sklad NVARCHAR(30), @IDKmenZbozi INT, @IDStavSkladu INT, @RegCis NVARCHAR(30), @Posledni NVARCHAR(100),
  @Poradi INT, @Zbyva INT, @VyrCislo NVARCHAR(100), @IDVC INT, @IDVCPrikaz INT
SELECT @Sklad = p.KmenoveStredisko, @IDKmenZbozi = p.IDTabKmen FROM TabPrikaz p WHERE p.ID = @IDPrikaz
IF ISNULL(@Sklad, N'') = N''
BEGIN
  RAISERROR(N'Na příkaze není zadán sklad pro odvedení.', 16, 1)
  RETURN 1
END
IF NOT EXISTS (SELECT * FROM TabStavSkladu ss WHERE ss.IDSklad = @Sklad AND ss.IDKmenZbozi = @IDKmenZbozi)
  INSERT INTO TabStavSkladu (IDSklad, IDKmenZbozi) VALUES (@Sklad, @IDKmenZbozi)
SELECT @IDStavSkladu = ss.ID FROM TabStavSkladu ss WHERE ss.IDSklad = @Sklad AND ss.IDKmenZbozi = @IDKmenZbozi
SELECT @RegCis = kz.RegCis FROM TabKmenZbozi kz WHERE kz.ID = @IDKmenZbozi
SET @RegCis = ISNULL(@RegCis, N'')
DELETE FROM #VyrCis_IDs
BEGIN TRANSACTION
SELECT @Posledni = MAX(vc.Nazev1) FROM hvw_Dunar_VyrCS_CZsSK vc
WHERE LEFT(vc.Nazev1, LEN(@RegCis)) = @RegCis AND LEN(vc.Nazev1) = LEN(@RegCis) + 9
  AND RIGHT(vc.Nazev1, 9) NOT LIKE N'%[^0-9]%'
SET @Poradi = CASE WHEN @Posledni IS NULL THEN 1 ELSE CAST(RIGHT(@Posledni, 9) AS INT) + 1 END
SET @Zbyva = @Pocet
WHILE @Zbyva > 0
BEGIN
  SET @VyrCislo = @RegCis + RIGHT(N'000000000' + CAST(@Poradi AS NVARCHAR(10)), 9)
  INSERT INTO TabVyrCS (IDStavSkladu, Nazev1) VALUES (@IDStavSkladu, @VyrCislo)
  IF @@ERROR <> 0 GOTO CHYBA
  SET @IDVC = SCOPE_IDENTITY()
  INSERT INTO TabVyrCisPrikaz (IDPrikaz, VyrCislo, Mnozstvi) VALUES (@IDPrikaz, @VyrCislo, 1)
  IF @@ERROR <> 0 GOTO CHYBA
  SET @IDVCPrikaz = SCOPE_IDENTITY()
  INSERT INTO #VyrCis_IDs (IDVC, IDVCPrikaz) VALUES (@IDVC, @IDVCPrikaz)
  SET @Poradi = @Poradi + 1
  SET @Zbyva = @Zbyva - 1
END
COMMIT TRANSACTION
RETURN 0
CHYBA:
IF @@TRANCOUNT > 0 ROLLBACK TRANSACTION
RAISERROR(N'Chyba při generování výrobních čísel', 16, 1)
RETURN 1
)";

// Books the pieces a worker finished beyond what reached the operation onto the earlier
// preset routing rows of the order that were skipped, with one wage record and one 70 row
// for each.
constexpr const char* kEvidencePredeslych = R"(CREATE PROCEDURE dbo.[KEP_EvidencePredeslychOperaci]
  @IDLogLCDUkonceni INT,
  @IDPRikaz INT,
  @Doklad INT,
  @Alt NCHAR(1),
  @Kusy_odv NUMERIC(19,6),
  @Kusy_zmt NUMERIC(19,6),
  @IDZam INT
AS
SET NOCOUNT ON
DECLARE @KusyOdvest NUMERIC(19,6), @KusyOdvestAkt NUMERIC(19,6), @IDPrP INT, @DokladPrP INT, @AltPrP NCHAR(1),
  @Dilec INT, @Operace NVARCHAR(4), @PrvniOperace BIT, @Kusy_zad NUMERIC(19,6), @Kusy_real NUMERIC(19,6),
  @TAC_J_S NUMERIC(19,6), @ID1 INT, @IDPracoviste INT, @IDMzdy INT, @Chyba NVARCHAR(400), @Err INT
SET @KusyOdvest = ISNULL(@Kusy_odv, 0) + ISNULL(@Kusy_zmt, 0) - ISNULL((
  SELECT prp.KusyPredOperaci FROM TabPrPostup prp
  WHERE prp.IDPrikaz = @IDPRikaz AND prp.Doklad = @Doklad AND prp.Alt = @Alt AND prp.IDOdchylkyDo IS NULL), 0)
IF @KusyOdvest <= 0 RETURN 0
DECLARE predchozi CURSOR LOCAL FAST_FORWARD FOR
  SELECT prp.ID, prp.Doklad, prp.Alt FROM TabPrPostup prp
  WHERE prp.IDPrikaz = @IDPRikaz AND prp.Prednastaveno = 1 AND prp.IDOdchylkyDo IS NULL AND prp.Kusy_zad > 0.0
    AND prp.Doklad < @Doklad
  ORDER BY prp.Doklad ASC
OPEN predchozi
FETCH NEXT FROM predchozi INTO @IDPrP, @DokladPrP, @AltPrP
WHILE @@FETCH_STATUS = 0
BEGIN
  SELECT @KusyOdvestAkt = CASE WHEN ISNULL(prp.KusyPredOperaci, 0) < @KusyOdvest THEN ISNULL(prp.KusyPredOperaci, 0)
      ELSE @KusyOdvest END,
    @Dilec = prp.Dilec, @Operace = prp.Operace, @Kusy_zad = prp.Kusy_zad, @Kusy_real = ISNULL(prp.Kusy_real, 0),
    @TAC_J_S = ISNULL(prp.TAC_J_S, 0), @ID1 = prp.ID1, @IDPracoviste = prp.pracoviste
  FROM TabPrPostup prp WHERE prp.ID = @IDPrP
  IF @KusyOdvestAkt > 0
  BEGIN
    SET @PrvniOperace = CASE WHEN EXISTS (SELECT * FROM TabPrPostup o WHERE o.IDPrikaz = @IDPRikaz AND o.Dilec = @Dilec
      AND o.IDOdchylkyDo IS NULL AND o.Operace < @Operace) THEN 0 ELSE 1 END
    SET @Chyba = NULL
    SELECT @Chyba = N'Na operaci ' + ISNULL(@Operace, N'') + N' není odvedeno dostatečné množství: '
      + ISNULL(kz.SkupZbo, N'') + N' ' + ISNULL(kz.RegCis, N'') + N' ' + ISNULL(kz.Nazev1, N'')
    FROM TabPrKVazby prkv
    INNER JOIN TabKmenZbozi kz ON kz.ID = prkv.nizsi
    LEFT OUTER JOIN TabMJ mj ON mj.Kod = kz.MJEvidence
    WHERE prkv.IDPrikaz = @IDPRikaz AND prkv.vyssi = @Dilec
      AND (prkv.operace = @Operace OR (@PrvniOperace = 1 AND ISNULL(prkv.operace, N'') = N''))
      AND prkv.IDOdchylkyDo IS NULL AND prkv.prednastaveno = 1 AND prkv.uzavreno = 0 AND prkv.RezijniMat = 0
      AND prkv.Sklad IS NOT NULL
      AND ISNULL(prkv.Mnoz_skut_realizovane, 0) + 0.1 < CASE WHEN mj.Nedelitelna = 1
        THEN CEILING(prkv.mnoz_zad * (@KusyOdvestAkt + @Kusy_real) / @Kusy_zad)
        ELSE ROUND(prkv.mnoz_zad * (@KusyOdvestAkt + @Kusy_real) / @Kusy_zad, 4, 1) END
    ORDER BY kz.Nazev1
    IF @Chyba IS NOT NULL
    BEGIN
      RAISERROR(N'%s', 16, 1, @Chyba)
      RETURN 1
    END
    SET @IDMzdy = 0
    EXEC @IDMzdy = hp_EvidenceOperace @IDPrikaz = @IDPRikaz, @Doklad = @DokladPrP, @Alt = @AltPrP,
      @Kusy_odv = @KusyOdvestAkt, @Sk_Cas_S = @TAC_J_S, @Sk_Cas_Obsluhy_S = @TAC_J_S, @IDZam = @IDZam
    SET @Err = @@ERROR
    IF @Err <> 0 OR ISNULL(@IDMzdy, 0) = 0 RETURN 1
    INSERT INTO KTab_LCDTerminal7EK (IDKolegy, Akce, DatumPor, IDZam, IDPracoviste, IDPrikaz, Doklad, Alt, ID1,
      KusyDobre, KusySpatne_neopr, CelkCasS, S_cas_obsluhy_s, Sk_Strojni_Cas)
    VALUES (@IDLogLCDUkonceni, 70, GETDATE(), @IDZam, @IDPracoviste, @IDPRikaz, @DokladPrP, @AltPrP, @ID1,
      @KusyOdvestAkt, 0, CONVERT(INT, @TAC_J_S), CONVERT(INT, @TAC_J_S), CONVERT(INT, @TAC_J_S))
    IF @@ERROR <> 0 RETURN 1
  END
  FETCH NEXT FROM predchozi INTO @IDPrP, @DokladPrP, @AltPrP
END
CLOSE predchozi
DEALLOCATE predchozi
RETURN 0
)";

} // namespace

std::vector<TplgUlozenaProcedura> ulozeneProcedury() {
    return {
        TplgUlozenaProcedura{},
        TplgUlozenaProcedura{.Text = sLinkami(kUkonciPomocnika)},
        TplgUlozenaProcedura{.Text = sLinkami(kSkutecnyCas)},
        TplgUlozenaProcedura{.Text = sLinkami(kGenerujVC)},
        TplgUlozenaProcedura{.Text = sLinkami(kEvidencePredeslych)},
    };
}

} // namespace provozmat
