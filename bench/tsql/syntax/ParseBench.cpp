// Lexing and parsing time per batch, over batches shaped like the plug-in's: a short lookup,
// a finishing-style batch with a transaction, cursor and procedure calls, and a procedure text.

#include "tsql/syntax/Lexer.h"
#include "tsql/syntax/Parser.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

const std::string kLookup =
    "SELECT TOP 1 PozadovatHeslo=CASE WHEN PozadovatHeslo=1 THEN 1 ELSE 0 END, labelPracoviste=isnull("
    "cp.Pracoviste,'') +' / '+ isnull(cp.Nazev,'') FROM KTab_LCDKonfigurace7EK k1 LEFT JOIN TabCPraco cp ON "
    "cp.ID = k1.IDPracoviste WHERE k1.NazevPocitace = N'PC01'";

const std::string kFinishing =
    "DECLARE @ID INT, @Pozn NVARCHAR(4000), @cmd NVARCHAR(MAX)\rBEGIN TRANSACTION\r"
    "INSERT INTO KTab_LCDTerminal7EK(IDPrikaz, Akce, DatumPor) VALUES(5, 11, GETDATE())\r"
    "SET @ID=SCOPE_IDENTITY()\rIF @@ERROR<>0 GOTO CHYBA\r"
    "DECLARE c CURSOR LOCAL STATIC FOR SELECT DISTINCT IDPrikaz, Doklad FROM #Materialy WHERE "
    "provedenaZamena=1\r"
    "OPEN c\rFETCH NEXT FROM c INTO @ID, @Pozn\rWHILE @@FETCH_STATUS = 0\rBEGIN\r"
    "EXEC @ID = dbo.hp_GenerujRezVyd @RadaDokladu=@Pozn, @DruhPohybuZbo=1, @Chyba=@ID OUT\r"
    "IF @ID <> 0 BEGIN RAISERROR(N'Na středisku není vyplněna řada.',16,1) GOTO CHYBA END\r"
    "UPDATE m SET Mnozstvi = -ABS(p.Mnozstvi) FROM #Materialy m INNER JOIN TabPohybyZbozi p ON p.ID = "
    "m.IDPolozky "
    "WHERE m.IDPrikaz = @ID\rFETCH NEXT FROM c INTO @ID, @Pozn\rEND\rCLOSE c\rDEALLOCATE c\r"
    "SELECT Pozn=@Pozn WHERE @Pozn IS NOT NULL UNION ALL SELECT Pozn=N'x'\rCOMMIT\rRETURN\rCHYBA:\r"
    "IF @@TRANCOUNT <> 0 ROLLBACK";

const std::string kProcedure =
    "CREATE PROCEDURE dbo.KEP_SkutecnyCasZamestnance @IDZam INT = NULL, @SkCas NUMERIC(19,6) OUT\rAS\r"
    "SET NOCOUNT ON\rCREATE TABLE #CasovaOsa (akce INT, Datum DATETIME, ID1 INT)\r"
    "INSERT #CasovaOsa (akce, Datum, ID1) SELECT t.Akce, t.DatumPor, t.ID FROM KTab_LCDTerminal7EK t "
    "WHERE t.IDZam = @IDZam AND t.Akce IN (10, 20, 30) ORDER BY t.DatumPor\r"
    "SELECT @SkCas = ISNULL(SUM(DATEDIFF(SECOND, a.Datum, ISNULL(b.Datum, GETDATE()))), 0) FROM #CasovaOsa a "
    "OUTER APPLY (SELECT TOP 1 Datum FROM #CasovaOsa x WHERE x.Datum > a.Datum ORDER BY x.Datum) b\r"
    "IF @@ERROR <> 0 RETURN 1\rRETURN 0";

void parse(benchmark::State& state, const std::string& sql) {
    for (auto _ : state)
        benchmark::DoNotOptimize(tsql::parseBatch(sql));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * sql.size()));
}

void lex(benchmark::State& state, const std::string& sql) {
    for (auto _ : state)
        benchmark::DoNotOptimize(tsql::tokenize(sql));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * sql.size()));
}

} // namespace

BENCHMARK_CAPTURE(lex, lookup, kLookup);
BENCHMARK_CAPTURE(parse, lookup, kLookup);
BENCHMARK_CAPTURE(lex, finishing, kFinishing);
BENCHMARK_CAPTURE(parse, finishing, kFinishing);
BENCHMARK_CAPTURE(parse, procedure, kProcedure);
