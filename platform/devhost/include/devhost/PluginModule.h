#pragma once
// A plug-in module loaded the way the host loads it: through its exports only. The module's
// "system.class" name is read with PluginGetSysAndClassName (first for the length, then into a
// buffer), its class factory comes from DllGetClassObject and the plug-in object from the
// factory; each user command is one Run call. The module stays loaded until the process ends,
// as the host keeps its plug-ins.

#include "ov/ComPtr.h"
#include "ov/Guid.h"
#include "ov/Orvian.h"
#include "ov/Plugin.h"

#include <QString>

#include <memory>
#include <string>

namespace devhost {

struct RunOutcome {
    bool ok = false;
    QString errorText; // Run's failure text, already in the user's language
};

class PluginModule {
public:
    // Loads the module and creates its plug-in object; throws std::runtime_error with the
    // reason when the file is no plug-in module or serves no plug-in object.
    static std::unique_ptr<PluginModule> load(const std::string& path);

    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;
    ~PluginModule();

    const QString& sysAndClassName() const noexcept { return name_; }
    bool supportsSilentInstall() const noexcept { return silentInstall_; }
    QString partnerIdentification() const;

    RunOutcome run(ov::IOrvian* host);

    // The plug-in module in the folder of the running program.
    static std::string besideExecutable(const std::string& fileName = "Provozmat.so");

private:
    PluginModule() = default;

    void* handle_ = nullptr; // kept loaded: see above
    QString name_;
    bool silentInstall_ = false;
    ov::ComPtr<ov::IClassFactory> factory_;
    ov::ComPtr<ov::IOvPlugin2> plugin_;
};

// The class ID the host has registered for a plug-in's "system.class" name.
std::optional<ov::Guid> registeredClassId(const QString& sysAndClassName);

} // namespace devhost
