#pragma once
// The compiled definitions prepared against a scripted host, as the plug-in prepares them.

#include "ScriptedHost.h"

#include "base/Host.h"
#include "core/PluginKonfig.h"
#include "definitions/Definitions.h"
#include "definitions/SelfCheck.h"

namespace provozmat::test {

// The owner the plug-in prepares its definitions for.
DefinitionOwner pluginOwner();

struct PreparedHost {
    ov::ComPtr<testhost::ScriptedHost> scripted = testhost::ScriptedHost::create();
    Host host{ov::ComPtr<ov::IOrvian>(scripted.get())};
};

} // namespace provozmat::test
