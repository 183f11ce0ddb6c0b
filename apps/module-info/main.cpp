// Loads the plug-in module the way a host does and prints what it says about itself:
// its system and class name, its partner identification and level, and whether it may be
// unloaded afterwards.

#include "ov/BStr.h"
#include "ov/ComPtr.h"
#include "ov/ErrorInfo.h"
#include "ov/Plugin.h"

#include <dlfcn.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string moduleBeside(const char* program) {
    std::string path = program;
    const auto slash = path.rfind('/');
    return (slash == std::string::npos ? std::string(".") : path.substr(0, slash)) + "/Provozmat.so";
}

int fail(const std::string& text) {
    std::fprintf(stderr, "module-info: %s\n", text.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : moduleBeside(argv[0]);
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module)
        return fail(std::string("cannot load ") + path + ": " + dlerror());

    int status = 0;
    {
        auto getName =
            reinterpret_cast<ov::PluginGetSysAndClassNameFn>(dlsym(module, "PluginGetSysAndClassName"));
        auto getClassObject = reinterpret_cast<ov::DllGetClassObjectFn>(dlsym(module, "DllGetClassObject"));
        auto canUnload = reinterpret_cast<ov::DllCanUnloadNowFn>(dlsym(module, "DllCanUnloadNow"));
        if (!getName || !getClassObject || !canUnload)
            return fail(path + " is not a plug-in module");

        std::vector<char> name(static_cast<std::size_t>(getName(nullptr)) + 1);
        getName(name.data());
        std::printf("module:   %s\nplug-in:  %s\n", path.c_str(), name.data());
        std::printf("silent installation: %s\n",
                    dlsym(module, "PluginReadyForSilentInstall") ? "supported" : "not supported");

        const auto classId = ov::guid("{846619A5-4329-4D71-BB17-0199D15D1A83}");
        ov::ComPtr<ov::IClassFactory> factory;
        ov::ComPtr<ov::IOvPlugin3> plugin;
        if (ov::failed(getClassObject(&classId, &ov::IClassFactory::iid, factory.putVoid())) ||
            ov::failed(factory->CreateInstance(nullptr, ov::IOvPlugin3::iid, plugin.putVoid()))) {
            status = fail("the module serves no plug-in object: " + ov::utf16ToUtf8(ov::takeErrorText()));
        } else {
            ov::BStr partner;
            float level = 0;
            plugin->GetPartnerIdentification(partner.put());
            plugin->GetLevel(&level);
            std::printf("partner:  %s\nlevel:    %.1f\n", ov::utf16ToUtf8(partner.view()).c_str(), level);
        }
        plugin = nullptr;
        factory = nullptr;
        std::printf("can unload now: %s\n", canUnload() == ov::S_OK ? "yes" : "no");
    }
    // The module stays loaded until the program ends, as the host keeps it.
    return status;
}
