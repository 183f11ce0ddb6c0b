#include "lang/CodePage.h"

#include "base/PluginError.h"

#include <unicode/ucnv.h>

#include <memory>
#include <string>

namespace provozmat {

namespace {

struct ConverterClose {
    void operator()(UConverter* converter) const noexcept { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterClose>;

Converter openConverter(const std::string& name) {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(name.c_str(), &status));
    if (U_FAILURE(status))
        converter.reset();
    return converter;
}

PluginError unknownCodePage(std::uint32_t codePage) {
    return PluginError(QStringLiteral("Kódová stránka %1 není podporována").arg(codePage));
}

// ICU knows the Windows code pages by their number as "windows-N" (1250, 874, 28592, 65001,
// 20866, ...); the OEM pages that it lacks under that name are its "ibm-N" tables.
Converter converterForCodePage(std::uint32_t codePage) {
    const std::string number = std::to_string(codePage);
    Converter converter = openConverter("windows-" + number);
    if (!converter)
        converter = openConverter("ibm-" + number);
    if (!converter || ucnv_getMinCharSize(converter.get()) != 1)
        throw unknownCodePage(codePage);
    return converter;
}

} // namespace

QString decodeCodePage(std::string_view bytes, std::uint32_t codePage) {
    Converter converter = converterForCodePage(codePage);
    if (bytes.empty())
        return {};
    // One byte never yields more than two UTF-16 units.
    std::u16string buffer(bytes.size() * 2 + 1, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = ucnv_toUChars(converter.get(), buffer.data(), static_cast<int32_t>(buffer.size()),
                                         bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status))
        throw PluginError(QStringLiteral("Text v kódové stránce %1 nelze převést (%2)")
                              .arg(codePage)
                              .arg(QString::fromLatin1(u_errorName(status))));
    return QString(reinterpret_cast<const QChar*>(buffer.data()), length);
}

} // namespace provozmat
