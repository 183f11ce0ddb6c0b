// Loads Provozmat.so with dlopen and talks to it only through its exports and interfaces.

#include "ScriptedHost.h"

#include "ov/ErrorInfo.h"
#include "ov/Plugin.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <dlfcn.h>

#include <memory>

namespace {

using testhost::Table;
using testhost::v;

struct Module {
    Module() : handle(dlopen(PROVOZMAT_MODULE_PATH, RTLD_NOW | RTLD_LOCAL)) {}
    ~Module() {
        if (handle)
            dlclose(handle);
    }
    template <class F> F symbol(const char* name) const { return reinterpret_cast<F>(dlsym(handle, name)); }
    void* handle;
};

class ModuleBoundary : public ::testing::Test {
protected:
    static void SetUpTestSuite() { module = std::make_unique<Module>(); }
    static void TearDownTestSuite() { module.reset(); }

    ov::ComPtr<ov::IOvPlugin3> createPlugin() {
        auto getClassObject = module->symbol<ov::DllGetClassObjectFn>("DllGetClassObject");
        ov::ComPtr<ov::IClassFactory> factory;
        const auto clsid = ov::guid("{846619A5-4329-4D71-BB17-0199D15D1A83}");
        EXPECT_EQ(getClassObject(&clsid, &ov::IClassFactory::iid, factory.putVoid()), ov::S_OK);
        ov::ComPtr<ov::IOvPlugin3> plugin;
        if (factory) {
            EXPECT_EQ(factory->CreateInstance(nullptr, ov::IOvPlugin3::iid, plugin.putVoid()), ov::S_OK);
        }
        return plugin;
    }

    static inline std::unique_ptr<Module> module;
};

TEST_F(ModuleBoundary, ExportsTheSevenEntryPoints) {
    ASSERT_NE(module->handle, nullptr) << dlerror();
    for (const char* name :
         {"DllGetClassObject", "DllCanUnloadNow", "DllRegisterServer", "DllUnregisterServer",
          "PluginGetSysAndClassName", "PluginReadyForSilentInstall", "PluginReadyForSuperSilentInstall"})
        EXPECT_NE(dlsym(module->handle, name), nullptr) << name;
    // The plug-in's own classes stay inside.
    EXPECT_EQ(dlsym(module->handle, "_ZN9provozmat9runPluginERKNS_4HostE"), nullptr);
}

TEST_F(ModuleBoundary, ReportsItsSystemAndClassName) {
    auto getName = module->symbol<ov::PluginGetSysAndClassNameFn>("PluginGetSysAndClassName");
    const int length = getName(nullptr);
    ASSERT_EQ(length, 12);
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, 'x');
    EXPECT_EQ(getName(buffer.data()), 12);
    EXPECT_STREQ(buffer.data(), "Provozmat.go");
}

TEST_F(ModuleBoundary, ServesOnlyItsOwnClass) {
    auto getClassObject = module->symbol<ov::DllGetClassObjectFn>("DllGetClassObject");
    void* object = reinterpret_cast<void*>(1);
    const auto other = ov::guid("{00000000-0000-0000-0000-000000000001}");
    EXPECT_EQ(getClassObject(&other, &ov::IClassFactory::iid, &object), ov::CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
}

TEST_F(ModuleBoundary, PluginObjectAnswersItsOperations) {
    auto plugin = createPlugin();
    ASSERT_TRUE(plugin);
    EXPECT_TRUE(plugin.as<ov::IOvPlugin2>());
    float level = 0;
    EXPECT_EQ(plugin->GetLevel(&level), ov::S_OK);
    EXPECT_EQ(level, 36.0f);
    ov::BStr partner;
    EXPECT_EQ(plugin->GetPartnerIdentification(partner.put()), ov::S_OK);
    EXPECT_EQ(partner.view(), u"Korvel s.r.o");

    auto canUnload = module->symbol<ov::DllCanUnloadNowFn>("DllCanUnloadNow");
    EXPECT_EQ(canUnload(), ov::S_FALSE);
    plugin = nullptr;
    EXPECT_EQ(canUnload(), ov::S_OK);
}

TEST_F(ModuleBoundary, RunServesTheHostAndReportsFailuresWithTheirText) {
    auto plugin = createPlugin();
    ASSERT_TRUE(plugin);
    auto host = testhost::ScriptedHost::create();
    host->answer("SELECT Jazyk, Jazyk2 FROM TabUziv WHERE LoginName = SUSER_SNAME()",
                 Table{{"Jazyk", "Jazyk2"}, {}});
    host->answer("SELECT Legislativa FROM TabHGlob", Table{{"Legislativa"}, {{v(0)}}});
    host->browseNumber = 871;
    host->extCommandId = -7;
    EXPECT_EQ(plugin->Run(host.get()), ov::S_OK);
    EXPECT_EQ(host->messages.value(0), "Tento plugin nepodporuje automatickou odinstalaci.");

    // Not installed: any ordinary command fails with the text the host shows.
    host->answerContaining("TabPluginInfo", Table{{"VerzePluginu", ""}, {{v(u"000000000000"), v(0)}}});
    host->extCommandId = 0;
    EXPECT_EQ(plugin->Run(host.get()), ov::E_FAIL);
    const std::u16string text = ov::takeErrorText();
    EXPECT_NE(text.find(u"Verze pluginu je vyšší než verze v databázi!"), std::u16string::npos);

    EXPECT_EQ(plugin->Run(nullptr), ov::E_POINTER);
}

TEST_F(ModuleBoundary, RegistersAndUnregistersItsClass) {
    QTemporaryDir config;
    ASSERT_TRUE(config.isValid());
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
    auto reg = module->symbol<ov::DllRegisterServerFn>("DllRegisterServer");
    auto unreg = module->symbol<ov::DllUnregisterServerFn>("DllUnregisterServer");
    ASSERT_EQ(reg(), ov::S_OK);
    {
        QSettings registry(QStringLiteral("Orvian"), QStringLiteral("ComClasses"));
        registry.beginGroup("CLSID/{846619A5-4329-4D71-BB17-0199D15D1A83}");
        EXPECT_EQ(registry.value("ProgID").toString(), "Provozmat.go");
        EXPECT_TRUE(registry.value("InprocServer32").toString().endsWith("Provozmat.so"));
        EXPECT_EQ(registry.value("ThreadingModel").toString(), "Apartment");
    }
    ASSERT_EQ(unreg(), ov::S_OK);
    QSettings registry(QStringLiteral("Orvian"), QStringLiteral("ComClasses"));
    EXPECT_TRUE(registry.childGroups().isEmpty()) << registry.childGroups().join(",").toStdString();
}

} // namespace
