#include "BatchSplitter.h"

#include <gtest/gtest.h>

namespace devhost::detail {
namespace {

TEST(BatchSplitterTest, SplitsAtLinesHoldingOnlyGo) {
    const auto batches =
        splitBatches("CREATE TABLE a (x INT)\nGO\n  go  \r\nSELECT 1\nSELECT 'GO'\nGO\nGOTO x\n");
    ASSERT_EQ(batches.size(), 3u);
    EXPECT_EQ(batches[0].text, "CREATE TABLE a (x INT)\n");
    EXPECT_EQ(batches[0].firstLine, 1u);
    EXPECT_EQ(batches[1].text, "SELECT 1\nSELECT 'GO'\n");
    EXPECT_EQ(batches[1].firstLine, 4u);
    EXPECT_EQ(batches[2].text, "GOTO x\n");
    EXPECT_EQ(batches[2].firstLine, 7u);
}

TEST(BatchSplitterTest, DropsBatchesOfOnlyCommentsAndBlanks) {
    EXPECT_TRUE(splitBatches("").empty());
    EXPECT_TRUE(splitBatches("-- header\n\nGO\n   \nGO").empty());
    const auto batches = splitBatches("-- a table\nCREATE TABLE a (x INT)");
    ASSERT_EQ(batches.size(), 1u);
    EXPECT_EQ(batches[0].text, "-- a table\nCREATE TABLE a (x INT)\n");
}

} // namespace
} // namespace devhost::detail
