#pragma once
// The functions the run dispatch hands over to other subsystems: the one-time preparation of
// the table definitions, the refresh of captions after a language change, the installation,
// the translations window and the About window. Each subsystem puts its own function here
// when the module is loaded; what this build does not contain raises the not-available error.

#include <functional>

namespace provozmat {

class Host;

enum class TranslationsMode { LanguageModules, Portal };

struct PluginServices {
    std::function<void(const Host&)> prepareDefinitions;
    std::function<void(const Host&)> refreshCaptions;
    std::function<void(const Host&, bool silent)> install;
    std::function<void(const Host&, TranslationsMode)> openTranslations;
    std::function<void(const Host&)> showAbout;
};

// The process's services, filled with this build's functions on first use.
PluginServices& pluginServices();

// Replaces the services for as long as it lives (tests, and hosts that bring their own).
class ScopedPluginServices {
public:
    explicit ScopedPluginServices(PluginServices replacement) : saved_(pluginServices()) {
        pluginServices() = std::move(replacement);
    }
    ~ScopedPluginServices() { pluginServices() = std::move(saved_); }
    ScopedPluginServices(const ScopedPluginServices&) = delete;
    ScopedPluginServices& operator=(const ScopedPluginServices&) = delete;

private:
    PluginServices saved_;
};

} // namespace provozmat
