#include "base/Format.h"
#include "base/PluginError.h"

#include <gtest/gtest.h>

using provozmat::format;

TEST(Format, FillsDirectivesInOrderAndByIndex) {
    EXPECT_EQ(format("%s (%s)\r\r%s", {"Terminatek", "Provozmat", "x"}), "Terminatek (Provozmat)\r\rx");
    // An index sets the argument; the next plain directive continues after it.
    EXPECT_EQ(format("WHERE NazevSys=%s)\rSELECT %0:s, %s", {"A", "B"}), "WHERE NazevSys=A)\rSELECT A, B");
    EXPECT_EQ(format("VALUES(%2:s,%s)", {"a", "b", "c", "d"}), "VALUES(c,d)");
    EXPECT_EQ(format("%d %% %s", {42, "x"}), "42 % x");
    EXPECT_EQ(format("%sLng%d.DLL", {"Provozmat", 2}), "ProvozmatLng2.DLL");
    EXPECT_EQ(format("base%.2d.HFMX", {3}), "base03.HFMX");
    EXPECT_EQ(format("%.2d", {-3}), "-03");
    EXPECT_EQ(format("[%5s|%-5s]", {"ab", "cd"}), "[   ab|cd   ]");
    EXPECT_EQ(format("%x", {255}), "FF");
    EXPECT_EQ(format("%.3f", {2.5}), "2.500");
}

TEST(Format, RefusesMismatchedArguments) {
    EXPECT_THROW(format("%s %s", {"one"}), provozmat::PluginError);
    EXPECT_THROW(format("%d", {"text"}), provozmat::PluginError);
    EXPECT_THROW(format("50%", {}), provozmat::PluginError);
}
