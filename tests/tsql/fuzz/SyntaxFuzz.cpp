// Feeds arbitrary bytes to the lexer and parser: any outcome but a SyntaxError or a tree is a fault,
// and so is anything the sanitizers report. The tree is printed to walk every node.

#include "tsql/syntax/AstPrinter.h"
#include "tsql/syntax/Parser.h"
#include "tsql/syntax/SyntaxError.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte picks the compatibility level, so level-dependent paths are reached too.
    static constexpr int kLevels[] = {90, 100, 110, 130, 140, 160};
    tsql::ParseOptions options;
    if (size > 0) {
        options.compatibilityLevel = kLevels[data[0] % (sizeof kLevels / sizeof kLevels[0])];
        ++data;
        --size;
    }
    try {
        const tsql::Batch batch =
            tsql::parseBatch(std::string(reinterpret_cast<const char*>(data), size), options);
        (void)tsql::toString(batch);
    } catch (const tsql::SyntaxError&) {
    }
    return 0;
}
