#include "ov/BStr.h"
#include "ov/ComObject.h"
#include "ov/ComPtr.h"
#include "ov/ErrorInfo.h"
#include "ov/Guid.h"
#include "ov/Orvian.h"
#include "ov/Plugin.h"
#include "ov/Variant.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Guid, ParsesAndPrintsBothForms) {
    constexpr auto g = ov::guid("{846619A5-4329-4D71-BB17-0199D15D1A83}");
    EXPECT_EQ(g.data1, 0x846619A5u);
    EXPECT_EQ(g.data2, 0x4329u);
    EXPECT_EQ(g.data3, 0x4D71u);
    EXPECT_EQ(g.data4[0], 0xBB);
    EXPECT_EQ(g.data4[7], 0x83);
    EXPECT_EQ(g.toString(), "{846619A5-4329-4D71-BB17-0199D15D1A83}");
    EXPECT_EQ(ov::Guid::parse("846619a5-4329-4d71-bb17-0199d15d1a83"), g);
}

TEST(Guid, RejectsMalformedText) {
    for (const char* text :
         {"", "{846619A5-4329-4D71-BB17-0199D15D1A83", "846619A5-4329-4D71-BB17-0199D15D1A8G",
          "846619A54329-4D71-BB17-0199D15D1A83x", "{846619A5-4329-4D71-BB17-0199D15D1A83}}"})
        EXPECT_FALSE(ov::Guid::parse(text)) << text;
}

TEST(BStr, CarriesLengthAndEmbeddedZeros) {
    const std::u16string text(u"a\0b", 3);
    ov::BStr s(text);
    EXPECT_EQ(OvSysStringLen(s.get()), 3u);
    EXPECT_EQ(s.view(), text);
    EXPECT_EQ(s.get()[3], u'\0');
    ov::BStr copy = s;
    EXPECT_EQ(copy.view(), text);
    EXPECT_NE(copy.get(), s.get());
    EXPECT_TRUE(ov::BStr().empty());
    EXPECT_EQ(OvSysStringLen(nullptr), 0u);
}

TEST(Utf, RoundTripsAndReplacesBrokenSequences) {
    const std::string czech = "Příliš žluťoučký kůň \xF0\x9F\x98\x80";
    EXPECT_EQ(ov::utf16ToUtf8(ov::utf8ToUtf16(czech)), czech);
    EXPECT_EQ(ov::utf8ToUtf16("a\xC3"), u"a\uFFFD");
    EXPECT_EQ(ov::utf8ToUtf16("\xFF"
                              "b"),
              u"\uFFFDb");
}

TEST(ErrorInfo, IsTakenOnceAndGuardedTurnsExceptionsIntoIt) {
    ov::setErrorText(u"první");
    EXPECT_EQ(ov::takeErrorText(), u"první");
    EXPECT_EQ(ov::takeErrorText(), u"");

    const ov::HRESULT hr = ov::guarded([]() -> ov::HRESULT { throw std::runtime_error("Chyba č. 1"); });
    EXPECT_EQ(hr, ov::E_FAIL);
    EXPECT_EQ(ov::takeErrorText(), u"Chyba č. 1");
    EXPECT_EQ(ov::guarded([] { return ov::S_OK; }), ov::S_OK);
}

TEST(Variant, CopiesOwnedValuesDeeply) {
    ov::Variant s = ov::Variant::fromString(u"text");
    ov::Variant copy = s;
    EXPECT_EQ(copy.type(), OV_VT_BSTR);
    EXPECT_EQ(copy.asString(), u"text");
    EXPECT_NE(copy.raw().bstrVal, s.raw().bstrVal);

    const unsigned char bytes[] = {1, 2, 3};
    ov::Variant b = ov::Variant::fromBytes(bytes);
    ov::Variant bcopy(b.raw());
    ASSERT_EQ(bcopy.asBytes().size(), 3u);
    EXPECT_EQ(bcopy.asBytes()[2], 3);

    EXPECT_TRUE(ov::Variant().isEmpty());
    EXPECT_TRUE(ov::Variant::null().isNull());
    EXPECT_EQ(ov::Variant::fromBool(true).raw().boolVal, -1);
    ov::Variant moved = std::move(s);
    EXPECT_EQ(moved.asString(), u"text");
    EXPECT_TRUE(s.isEmpty()); // NOLINT(bugprone-use-after-move): a moved-from variant is empty
}

// Slot of a virtual operation in the Itanium C++ ABI: a pointer to a virtual member holds
// 1 + the byte offset of its vtable entry.
template <class F> std::size_t slotOf(F member) {
    std::uintptr_t raw;
    static_assert(sizeof(F) >= sizeof raw);
    std::memcpy(&raw, &member, sizeof raw);
    return (raw - 1) / sizeof(void*);
}

TEST(InterfaceLayout, OperationsSitInTheirSlots) {
    EXPECT_EQ(slotOf(&ov::IUnknown::Release), 2u);
    EXPECT_EQ(slotOf(&ov::IOrvian::GetCurrentId), 3u);
    EXPECT_EQ(slotOf(&ov::IOrvian::GetPeriodId), 10u);
    EXPECT_EQ(slotOf(&ov::IOrvian::ExecSql), 18u);
    EXPECT_EQ(slotOf(&ov::IOrvian::OpenSql), 19u);
    EXPECT_EQ(slotOf(&ov::IOrvian::AskYesNo), 27u);
    EXPECT_EQ(slotOf(&ov::IOrvian::GetSpid), 33u);
    EXPECT_EQ(slotOf(&ov::IOrvian::GetHostVersion), 37u);
    EXPECT_EQ(slotOf(&ov::IOrvian::GetBrowseViewName), 42u);
    EXPECT_EQ(slotOf(&ov::IOrvian::GetOwner), 45u);
    EXPECT_EQ(slotOf(&ov::IOrvian::LookupInBrowse), 47u);
    EXPECT_EQ(slotOf(&ov::IOrvian::GetSystemDatabaseName), 56u);
    EXPECT_EQ(slotOf(&ov::IOrvian::PrintForm), 57u);
    EXPECT_EQ(slotOf(&ov::IOrvian::RegisterTables), 74u);
    EXPECT_EQ(slotOf(&ov::IOrvian::RunBrowseAction), 77u);
    EXPECT_EQ(slotOf(&ov::IOrvian::GetHostText), 79u);
    EXPECT_EQ(slotOf(&ov::IOrvian::GetDebugControllerName), 84u); // 82 operations from slot 3

    EXPECT_EQ(slotOf(&ov::IOvQuery::FieldValueByIndex), 3u);
    EXPECT_EQ(slotOf(&ov::IOvQuery::RecordCount), 8u);
    EXPECT_EQ(slotOf(&ov::IOvQuery::FieldByIndex), 11u);
    EXPECT_EQ(slotOf(&ov::IOvQuery::FindField), 13u);
    EXPECT_EQ(slotOf(&ov::IOvQuery::Bof), 15u);
    EXPECT_EQ(slotOf(&ov::IOvQuery::ReservedSlot20), 20u); // 18 operations from slot 3

    EXPECT_EQ(slotOf(&ov::IOvField::FieldObjValue), 4u);
    EXPECT_EQ(slotOf(&ov::IOvPlugin2::Run), 3u);
    EXPECT_EQ(slotOf(&ov::IOvPlugin3::GetLevel), 5u);
}

struct Counted : ov::ComObject<ov::IOvPlugin3, ov::IOvPlugin2> {
    ov::HRESULT Run(ov::IOrvian*) override { return ov::S_OK; }
    ov::HRESULT GetPartnerIdentification(ov::BSTR*) override { return ov::S_OK; }
    ov::HRESULT GetLevel(float* level) override {
        *level = 1;
        return ov::S_OK;
    }
};

TEST(ComObject, AnswersForItsChainAndCountsReferences) {
    const long before = ov::liveObjectCount().load();
    {
        auto object = ov::ComPtr<ov::IOvPlugin3>(new Counted);
        EXPECT_EQ(ov::liveObjectCount().load(), before + 1);
        EXPECT_TRUE(object.as<ov::IOvPlugin2>());
        EXPECT_TRUE(object.as<ov::IUnknown>());
        EXPECT_FALSE(object.as<ov::IOrvian>());
    }
    EXPECT_EQ(ov::liveObjectCount().load(), before);
}

} // namespace
