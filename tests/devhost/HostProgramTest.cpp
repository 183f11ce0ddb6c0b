// The provozmat-host program run as a user runs it: the plug-in module loaded through its
// exports in a browse context, dialogs printed, a non-zero exit when Run fails; and the
// command line's refusals.

#include "devhost/HostDatabaseSetup.h"
#include "devhost/SqlRunner.h"
#include "tsql/exec/Session.h"

#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace devhost::test {
namespace {

struct ProgramResult {
    int exitCode = -1;
    QString output;
};

ProgramResult runHost(const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(PROVOZMAT_HOST_PROGRAM), arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << "provozmat-host did not finish";
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll())};
}

class HostProgram : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        tsql::Session session(tsql::Database::open(db.toStdString()));
        // The few host tables a run of the plug-in reads before it dispatches.
        runHostBatch(session,
                     "CREATE TABLE TabHGlob (Legislativa int) INSERT TabHGlob VALUES (0) "
                     "CREATE TABLE TabUziv (LoginName nvarchar(128), Jazyk int, Jazyk2 int) "
                     "INSERT TabUziv VALUES (N'sa', 0, 0) "
                     "CREATE TABLE TabPluginInfo (NazevSys nvarchar(128), VerzePluginu nvarchar(12), "
                     "ZmenyOK bit)");
    }

    QTemporaryDir folder;
    QString db = folder.filePath(QStringLiteral("host.db"));
};

TEST_F(HostProgram, RunsThePluginModuleInABrowseContext) {
    const struct {
        QStringList arguments;
        int exitCode;
        const char* output;
    } cases[] = {
        // About in the plug-in list, without windows: the plug-in shows it as a host message.
        {{"--browse", "871", "--command", "-2"}, 0, "[message]\n  Terminatek\n  Provozmat\n"},
        {{"--browse", "871", "--command", "-7"}, 0, "[message]"},
        {{"--browse", "871", "--command", "-3"},
         1,
         "[run failed]"}, // installs into a database without the host's tables
        {{"--browse", "86", "--command", "5", "--current", "3", "--marked", "1,2"},
         1,
         "Je třeba spustit instalaci"},
        {{"--browse", "871", "--command", "-2", "--sql-version", "9.0.1399"}, 0, "[message]"},
        {{"--browse", "871", "--command", "-4", "--sql-version", "9.0.1399"}, 1, "SQL Server"},
        // SQL Server 2008 R2 passes the version check; the plug-in then wants to be installed.
        {{"--browse", "871", "--command", "-4", "--sql-version", "10.50.1600"},
         1,
         "Je třeba spustit instalaci"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const ProgramResult result =
            runHost(QStringList{QStringLiteral("plugin"), QStringLiteral("--db"), db} + c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.output.toStdString();
        EXPECT_TRUE(result.output.contains(QString::fromUtf8(c.output))) << result.output.toStdString();
    }
}

TEST_F(HostProgram, RefusesBadCommandLinesWithAReason) {
    const struct {
        QStringList arguments;
        int exitCode;
        const char* output;
    } cases[] = {
        {{"plugin", "--db", "DB", "--browse", "871"}, 2, "needs --command"},
        {{"plugin", "--db", "DB", "--browse", "4242", "--command", "1"}, 1, "no browse 4242"},
        {{"plugin", "--db", "DB", "--browse", "x", "--command", "1"}, 2, "whole number"},
        {{"plugin", "--db", "missing.db", "--browse", "871", "--command", "-2"}, 1, "does not exist"},
        {{"plugin", "--db", "DB", "--browse", "871", "--command", "-2", "--spid", "0"}, 2, "--spid"},
        {{"frobnicate"}, 2, "unknown command"},
        {{"sql", "--db", "DB", "--bogus", "1"}, 2, "unknown option --bogus"},
        {{"init", "--db", "DB", "--size", "huge"}, 2, "demo or benchmark"},
        {{"init", "--db", "DB"}, 1, ""}, // exists already, or no scripts in this build
    };
    for (const auto& c : cases) {
        QStringList arguments = c.arguments;
        arguments.replaceInStrings(QStringLiteral("DB"), db);
        arguments.replaceInStrings(QStringLiteral("missing.db"),
                                   folder.filePath(QStringLiteral("missing.db")));
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const ProgramResult result = runHost(arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.output.toStdString();
        EXPECT_TRUE(result.output.contains(QString::fromUtf8(c.output))) << result.output.toStdString();
    }
}

TEST_F(HostProgram, InitCreatesADatabaseOrSaysWhyNot) {
    const QString fresh = folder.filePath(QStringLiteral("fresh.db"));
    const ProgramResult result = runHost({QStringLiteral("init"), QStringLiteral("--db"), fresh});
    if (hostDatabaseAvailable()) {
        EXPECT_EQ(result.exitCode, 0) << result.output.toStdString();
        EXPECT_TRUE(QFileInfo::exists(fresh));
        const ProgramResult again = runHost({QStringLiteral("init"), QStringLiteral("--db"), fresh});
        EXPECT_EQ(again.exitCode, 1);
        EXPECT_TRUE(again.output.contains(QStringLiteral("--force"))) << again.output.toStdString();
    } else {
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.output.contains(QStringLiteral("not part of this build")))
            << result.output.toStdString();
        EXPECT_FALSE(QFileInfo::exists(fresh));
    }
}

TEST_F(HostProgram, SqlPrintsInTheShellsFormat) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(PROVOZMAT_HOST_PROGRAM),
                  {QStringLiteral("sql"), QStringLiteral("--db"), db});
    process.write("SELECT Legislativa FROM TabHGlob\nGO\nRAISERROR('bad', 16, 1)\nGO\n");
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(30000));
    const QString output = QString::fromUtf8(process.readAll());
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(output.contains(QStringLiteral("~~START~~\nint\n0\n~~END~~"))) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("~~ERROR (Message: bad)~~"))) << output.toStdString();
}

TEST_F(HostProgram, TwoWorkstationsWriteIntoOneDatabaseAtOnce) {
    {
        tsql::Session session(tsql::Database::open(db.toStdString()));
        runHostBatch(session, "CREATE TABLE Events (ID int IDENTITY(1,1) PRIMARY KEY, Spid int, N int)");
    }
    constexpr int kBatches = 150;
    QByteArray script;
    for (int i = 0; i < kBatches; ++i)
        script += "INSERT Events (Spid, N) VALUES (@@SPID, " + QByteArray::number(i) + ")\nGO\n";
    // Every few batches a transaction that reads and writes, so that the two processes also
    // meet inside transactions.
    for (int i = 0; i < 10; ++i)
        script += "BEGIN TRAN DECLARE @n int SELECT @n = COUNT(*) FROM Events WHERE Spid = @@SPID "
                  "INSERT Events (Spid, N) VALUES (@@SPID, -@n) COMMIT\nGO\n";

    std::vector<std::unique_ptr<QProcess>> hosts;
    for (const char* spid : {"61", "62"}) {
        auto process = std::make_unique<QProcess>();
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->start(QStringLiteral(PROVOZMAT_HOST_PROGRAM),
                       {QStringLiteral("sql"), QStringLiteral("--db"), db, QStringLiteral("--spid"),
                        QString::fromLatin1(spid), QStringLiteral("--login"),
                        QStringLiteral("station") + spid});
        ASSERT_TRUE(process->waitForStarted());
        hosts.push_back(std::move(process));
    }
    for (auto& process : hosts)
        process->write(script);
    for (auto& process : hosts) {
        process->closeWriteChannel();
        ASSERT_TRUE(process->waitForFinished(120000));
        const QString output = QString::fromUtf8(process->readAll());
        EXPECT_EQ(process->exitCode(), 0) << output.toStdString();
        EXPECT_FALSE(output.contains(QStringLiteral("locked"), Qt::CaseInsensitive)) << output.toStdString();
        EXPECT_FALSE(output.contains(QStringLiteral("~~ERROR"))) << output.toStdString();
    }

    tsql::Session session(tsql::Database::open(db.toStdString()));
    const RowSet counts =
        queryHostBatch(session, "SELECT Spid, COUNT(*) FROM Events WHERE N >= 0 GROUP BY Spid ORDER BY Spid");
    ASSERT_EQ(counts.rows.size(), 2u);
    for (const auto& row : counts.rows)
        EXPECT_EQ(row[1].asInt(), kBatches);
    const RowSet total = queryHostBatch(session, "SELECT COUNT(*) FROM Events");
    EXPECT_EQ(total.rows[0][0].asInt(), 2 * (kBatches + 10));
}

} // namespace
} // namespace devhost::test
