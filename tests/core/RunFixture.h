#pragma once
// A scripted host answering what every run asks (the user's languages, the legislation and
// the installed version), and services that record what the dispatch hands over.

#include "ScriptedHost.h"
#include "core/PluginServices.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace provozmat::test {

inline constexpr const char* kVersionBatch =
    "IF EXISTS(SELECT*FROM TabPluginInfo WHERE NazevSys=N'Provozmat')\rSELECT VerzePluginu, CAST(ZmenyOK AS "
    "INT) FROM "
    "TabPluginInfo WHERE NazevSys=N'Provozmat'\rELSE\rSELECT N'000000000000', CAST(0 AS INT)";
inline constexpr const char* kOwnVersion = "020020260826";

class RunFixture : public ::testing::Test {
protected:
    RunFixture();
    ~RunFixture() override;

    // The installed version row the version batch returns; nullopt: not installed.
    void installed(const QString& version, bool changesCompleted = true);
    void notInstalled() { installed(QStringLiteral("000000000000"), false); }
    void configurationBrowseRegistered(int cislo);

    // Runs and returns the error text, or an empty text on success.
    QString run();

    ov::ComPtr<testhost::ScriptedHost> host = testhost::ScriptedHost::create();
    int prepared = 0;
    int refreshed = 0;
    int aboutShown = 0;
    std::optional<bool> installedSilently;
    std::optional<TranslationsMode> translations;

private:
    std::unique_ptr<ScopedPluginServices> services_;
};

} // namespace provozmat::test
