#include "devhost/PluginModule.h"

#include "devhost/HostText.h"
#include "ov/BStr.h"
#include "ov/ErrorInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <dlfcn.h>
#include <unistd.h>

#include <stdexcept>
#include <vector>

namespace devhost {

namespace {

template <class Fn> Fn exported(void* handle, const char* name) {
    return reinterpret_cast<Fn>(dlsym(handle, name));
}

QString pendingErrorText() {
    const std::u16string text = ov::takeErrorText();
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

std::optional<ov::Guid> registeredClassId(const QString& sysAndClassName) {
    if (sysAndClassName.compare(QStringLiteral("Provozmat.go"), Qt::CaseInsensitive) == 0)
        return ov::guid("{846619A5-4329-4D71-BB17-0199D15D1A83}");
    return std::nullopt;
}

std::unique_ptr<PluginModule> PluginModule::load(const std::string& path) {
    std::unique_ptr<PluginModule> module(new PluginModule);
    module->handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module->handle_)
        throw std::runtime_error("cannot load " + path + ": " + dlerror());
    const auto getName =
        exported<ov::PluginGetSysAndClassNameFn>(module->handle_, "PluginGetSysAndClassName");
    const auto getClassObject = exported<ov::DllGetClassObjectFn>(module->handle_, "DllGetClassObject");
    if (!getName || !getClassObject)
        throw std::runtime_error(path + " is not a plug-in module");
    module->silentInstall_ = dlsym(module->handle_, "PluginReadyForSilentInstall") != nullptr;

    const std::int32_t length = getName(nullptr);
    if (length <= 0)
        throw std::runtime_error(path + " gives no plug-in name (its identity failed its check)");
    std::vector<char> name(static_cast<std::size_t>(length) + 1, '\0');
    getName(name.data());
    module->name_ = QString::fromLocal8Bit(name.data());

    const auto classId = registeredClassId(module->name_);
    if (!classId)
        throw std::runtime_error("the host has no class registered for " + module->name_.toStdString());
    ov::clearErrorText();
    if (ov::failed(getClassObject(&*classId, &ov::IClassFactory::iid, module->factory_.putVoid())) ||
        !module->factory_)
        throw std::runtime_error("the module serves no class factory: " + pendingErrorText().toStdString());
    if (ov::failed(
            module->factory_->CreateInstance(nullptr, ov::IOvPlugin2::iid, module->plugin_.putVoid())) ||
        !module->plugin_)
        throw std::runtime_error("the class factory makes no plug-in object: " +
                                 pendingErrorText().toStdString());
    return module;
}

PluginModule::~PluginModule() {
    plugin_ = nullptr;
    factory_ = nullptr;
}

QString PluginModule::partnerIdentification() const {
    ov::BStr text;
    if (ov::failed(plugin_->GetPartnerIdentification(text.put())))
        return {};
    return toQString(text.get());
}

RunOutcome PluginModule::run(ov::IOrvian* host) {
    ov::clearErrorText();
    const ov::HRESULT hr = plugin_->Run(host);
    RunOutcome outcome;
    outcome.ok = ov::succeeded(hr);
    if (!outcome.ok) {
        outcome.errorText = pendingErrorText();
        if (outcome.errorText.isEmpty())
            outcome.errorText =
                QStringLiteral("Run failed with 0x%1")
                    .arg(static_cast<qulonglong>(static_cast<std::uint32_t>(hr)), 8, 16, QChar(u'0'));
    }
    return outcome;
}

std::string PluginModule::besideExecutable(const std::string& fileName) {
    std::vector<char> buffer(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0)
        return fileName;
    const QFileInfo executable(QString::fromLocal8Bit(buffer.data(), static_cast<qsizetype>(length)));
    return executable.absoluteDir().filePath(QString::fromStdString(fileName)).toStdString();
}

} // namespace devhost
