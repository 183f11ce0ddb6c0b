#include "lang/CodePage.h"
#include "base/PluginError.h"

#include <gtest/gtest.h>

using namespace provozmat;

TEST(CodePage, DecodesWindowsAndDosPages) {
    struct Case {
        std::uint32_t codePage;
        const char* bytes;
        const char16_t* text;
    };
    const Case cases[] = {
        {1250, "\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2", u"Žluťoučký kůň"},
        {1250, "Ulo\x9Ei\x9D zmeny ?", u"Uložiť zmeny ?"},
        {852, "Ulo\xA7i\x9C zmeny ?", u"Uložiť zmeny ?"},
        {28592, "\xA9\xB9\xAE\xBE", u"ŠšŽž"}, // ISO 8859-2
        {65001, "k\xC5\xAF\xC5\x88", u"kůň"},
        {1252, "caf\xE9", u"café"},
        {1250, "", u""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decodeCodePage(c.bytes, c.codePage), QString::fromUtf16(c.text))
            << c.codePage << " " << c.bytes;
}

TEST(CodePage, RefusesPagesThatAreNotEightBitText) {
    for (std::uint32_t codePage : {0u, 54321u, 1200u, 1201u, 12000u}) {
        try {
            decodeCodePage("A", codePage);
            ADD_FAILURE() << codePage;
        } catch (const PluginError& e) {
            EXPECT_TRUE(e.message().contains(QString::number(codePage))) << e.message().toStdString();
        }
    }
}
