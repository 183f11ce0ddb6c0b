#include "lang/Translators.h"

#include "base/Text.h"
#include "lang/CodePage.h"
#include "lang/MessageCatalogue.h"

#include <cstring>

namespace provozmat {

namespace {

std::uint32_t messageNumber(int index) {
    return zaznamHlasky(index).W;
}

QString fromCodePage(const char* text, std::uint32_t codePage) {
    if (!text || *text == '\0')
        return {};
    return decodeCodePage(std::string_view(text, std::strlen(text)), codePage);
}

} // namespace

QString TplgJazykPrekladHlasekA::CtiOznam(int index) const {
    return fromCodePage(entry_(messageNumber(index)), kCodePageCentralEurope);
}

QString TplgJazykPrekladHlasekCP::CtiOznam(int index) const {
    std::uint32_t codePage = 0;
    const char* text = entry_(messageNumber(index), &codePage);
    return fromCodePage(text, codePage);
}

QString TplgJazykPrekladHlasekW::CtiOznam(int index) const {
    const char16_t* text = entry_(messageNumber(index));
    return text ? fromU16(std::u16string_view(text)) : QString();
}

QString TplgJazykPrekladHlasek04::CtiOznam(int index) const {
    return fromU16(zaznamHlasky(index).SK);
}

} // namespace provozmat
