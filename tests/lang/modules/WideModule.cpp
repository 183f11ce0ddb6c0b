// A language module read as UTF-16 text; WIDE_ENTRY_NAME is "CtiOznamIDW" or "TranslateW".

#include "lang/LanguageModuleExports.h"

#include <type_traits>

extern "C" __attribute__((visibility("default"))) const char16_t*
WIDE_ENTRY_NAME(std::uint32_t messageNumber) {
    switch (messageNumber) {
    case 5000001:
        return u"Potvrdiť";
    case 5000003:
        return u"Uložiť zmeny (modul) ?";
    case 5000010:
        return u"";
    default:
        return nullptr;
    }
}

static_assert(std::is_same_v<decltype(&WIDE_ENTRY_NAME), provozmat::WideTextEntry>);
