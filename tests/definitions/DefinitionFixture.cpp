#include "DefinitionFixture.h"

namespace provozmat::test {

DefinitionOwner pluginOwner() {
    return {QStringLiteral("KTab"), QString(), TPluginKonfig::kVerzePluginu};
}

} // namespace provozmat::test
