#include "tsql/Guid.h"

#include <gtest/gtest.h>

namespace tsql {
namespace {

TEST(GuidTest, TextAndBinaryUseTheServersByteOrder) {
    const auto g = Guid::parse("{6f9619ff-8b86-d011-b42d-00c04fc964ff}");
    ASSERT_TRUE(g.has_value());
    EXPECT_EQ(g->toString(), "6F9619FF-8B86-D011-B42D-00C04FC964FF");
    // CAST(CAST('6F9619FF-8B86-D011-B42D-00C04FC964FF' AS uniqueidentifier) AS binary(16))
    const Guid::Bytes expected{0xFF, 0x19, 0x96, 0x6F, 0x86, 0x8B, 0x11, 0xD0,
                               0xB4, 0x2D, 0x00, 0xC0, 0x4F, 0xC9, 0x64, 0xFF};
    EXPECT_EQ(g->bytes(), expected);
    EXPECT_EQ(Guid::fromBinary(g->toBinary()), *g);
    EXPECT_EQ(Guid::parse(" 6F9619FF-8B86-D011-B42D-00C04FC964FF ")->toString(), g->toString());
}

TEST(GuidTest, MalformedTextIsRefused) {
    for (const std::string& bad : std::vector<std::string>{
             "", "6F9619FF8B86D011B42D00C04FC964FF", "{6F9619FF-8B86-D011-B42D-00C04FC964FF",
             "6F9619FF-8B86-D011-B42D-00C04FC964FG", "6F9619FF-8B86-D011-B42D_00C04FC964FF"})
        EXPECT_FALSE(Guid::parse(bad).has_value()) << bad;
}

TEST(GuidTest, ShortBinaryIsPaddedWithZeros) {
    EXPECT_EQ(Guid::fromBinary(std::string("\x01\x02", 2)).toString(),
              "00000201-0000-0000-0000-000000000000");
}

TEST(GuidTest, OrderingStartsWithTheLastGroup) {
    const auto a = *Guid::parse("FFFFFFFF-FFFF-FFFF-FFFF-000000000001");
    const auto b = *Guid::parse("00000000-0000-0000-0000-000000000002");
    const auto c = *Guid::parse("00000000-0000-0000-0001-000000000002");
    EXPECT_LT(a, b);
    EXPECT_LT(b, c);
    EXPECT_EQ(Guid::fromSortKey(a.sortKey()), a);
}

} // namespace
} // namespace tsql
