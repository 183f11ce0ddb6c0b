#include "core/Versions.h"

#include <gtest/gtest.h>

using namespace provozmat;

TEST(VersionText, GivesEveryForm) {
    struct Case {
        std::uint64_t version;
        int form;
        const char* text;
    };
    const Case cases[] = {
        {0x00000200'20150300, 4, "2.0.2015.0300"},
        {0x00000300'20170300, 4, "3.0.2017.0300"},
        {0x00000200'20260826, 6, "020020260826"},
        {0x00000200'20260826, 0, "2.0"},
        {0x00000A00'20260826, 1, "a"},
        {0x00001F05'20260826, 0, "1f.5"},
        {0x00000200'20260826, 2, "0"},
        {0x00000200'00000826, 3, "00000826"},
        {0x00000200'20150300, 5, "2.0.2015.0300 - UNICODE 12.0"},
        {0x00000200'20150300, 7, ""},
        {0x00000200'20150300, -1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(versionText(c.version, c.form), c.text) << std::hex << c.version << " form " << c.form;
}

TEST(SqlServerVersionName, NamesTheFirstReleaseReached) {
    struct Case {
        int major, minor, build;
        const char* name;
    };
    const Case cases[] = {
        {12, 0, 0, "2014"},        {11, 0, 5058, "2012 SP2"}, {11, 0, 5057, "2012 SP1"},
        {11, 0, 3000, "2012 SP1"}, {11, 0, 0, "2012"},        {10, 50, 6000, "2008 R2 SP3"},
        {10, 50, 1600, "2008 R2"}, {10, 0, 4000, "2008 SP2"}, {10, 0, 2531, "2008 SP1"},
        {10, 0, 0, "2008"},        {9, 0, 4035, "2005 SP3"},  {9, 0, 0, "2005"},
        {8, 0, 2039, "2000 SP4"},  {7, 50, 0, "2000"},        {7, 0, 699, "7.00 SP1"},
        {7, 0, 0, "7.00"},         {6, 5, 0, "7.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sqlServerVersionName(makeSqlServerVersion(c.major, c.minor, c.build)),
                  QString("MS SQL Server ") + c.name)
            << c.major << "." << c.minor << "." << c.build;
    EXPECT_EQ(sqlServerVersionName(0x0A000FA0), "MS SQL Server 2008 SP2");
}

TEST(InstalledVersion, ComparesAsTextIgnoringCase) {
    EXPECT_EQ(compareInstalledVersion("020020260826", "020020260826"), 0);
    EXPECT_EQ(compareInstalledVersion("02002026082A", "02002026082a"), 0);
    EXPECT_EQ(compareInstalledVersion("020020270101", "020020260826"), 1);
    EXPECT_EQ(compareInstalledVersion("000000000000", "020020260826"), 2);
}
