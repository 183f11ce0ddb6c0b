// A language module read through "TranslateCP": each text comes with its own code page.

#include "lang/LanguageModuleExports.h"

#include <type_traits>

extern "C" __attribute__((visibility("default"))) const char* TranslateCP(std::uint32_t messageNumber,
                                                                          std::uint32_t* codePage) {
    switch (messageNumber) {
    case 5000003:
        *codePage = 852;
        return "Ulo\xA7i\x9C zmeny ?"; // "Uložiť zmeny ?" in the DOS Central European page
    case 5000015:
        *codePage = 1250;
        return "\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2"; // "Žluťoučký kůň"
    case 5000005:
        *codePage = 65001;
        return "Zmaza\xC5\xA5 v\xC5\xA1"
               "etko ?"; // "Zmazať všetko ?" in UTF-8
    case 5000064:
        *codePage = 54321; // no such code page
        return "Vymaza\x9D";
    case 5000084:
        *codePage = 1200; // UTF-16 cannot be an 8-bit text
        return "A";
    default:
        *codePage = 1250;
        return nullptr;
    }
}

static_assert(std::is_same_v<decltype(&TranslateCP), provozmat::TranslateCPEntry>);
