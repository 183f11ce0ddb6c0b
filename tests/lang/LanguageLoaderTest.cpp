#include "LanguageModuleFolders.h"
#include "ScriptedHost.h"

#include "base/PluginError.h"
#include "base/Text.h"
#include "lang/LanguageLoader.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <dlfcn.h>

using namespace provozmat;
using langtest::moduleFileName;
using langtest::moduleFolder;

namespace {

QString modulePath(const char* folder, int jazyk) {
    return moduleFolder(folder) + u'/' + moduleFileName(jazyk);
}

bool isLoaded(const QString& path) {
    void* handle = dlopen(path.toLocal8Bit().constData(), RTLD_LAZY | RTLD_NOLOAD);
    if (!handle)
        return false;
    dlclose(handle);
    return true;
}

class LanguageLoading : public ::testing::Test {
protected:
    ov::ComPtr<testhost::ScriptedHost> scripted = testhost::ScriptedHost::create();
    Host host{ov::ComPtr<ov::IOrvian>(scripted.get())};
};

const QString kLoadError = highlighted(QStringLiteral("Chyba při načítání jazykového DLL")) + u'\r';

} // namespace

TEST(LanguageModules, EntryPointDecidesHowTheTextIsRead) {
    struct Case {
        const char* folder;
        int jazyk;
        int index;
        const char16_t* text;
    };
    const Case cases[] = {
        {"ansi", 2, 3, u"Uložiť zmeny ?"},
        {"ansi", 2, 15, u"Žluťoučký kůň"},
        {"ansi", 2, 10, u""}, // the module answers with an empty text
        {"ansi", 2, 4, u""},  // the module answers with a null pointer
        {"codepage", 3, 3, u"Uložiť zmeny ?"},
        {"codepage", 3, 15, u"Žluťoučký kůň"},
        {"codepage", 3, 5, u"Zmazať všetko ?"},
        {"codepage", 3, 4, u""},
        {"wide", 4, 1, u"Potvrdiť"},
        {"wide", 4, 10, u""},
        {"wide", 4, 4, u""},
        {"translatew", 5, 3, u"Uložiť zmeny (modul) ?"},
        {"both", 2, 3, u"Uložiť zmeny ?"}, // CtiOznamID is found before CtiOznamIDW
        {"both", 2, 1, u""},
    };
    for (const Case& c : cases) {
        const auto translator = translatorFromModule(c.jazyk, modulePath(c.folder, c.jazyk));
        EXPECT_EQ(translator->jazyk(), c.jazyk);
        EXPECT_EQ(translator->CtiOznam(c.index), QString::fromUtf16(c.text)) << c.folder << " " << c.index;
    }
}

TEST(LanguageModules, TranslatorClassFollowsTheEntryPoint) {
    EXPECT_TRUE(dynamic_cast<TplgJazykPrekladHlasekA*>(translatorFromModule(2, modulePath("ansi", 2)).get()));
    EXPECT_TRUE(
        dynamic_cast<TplgJazykPrekladHlasekCP*>(translatorFromModule(3, modulePath("codepage", 3)).get()));
    EXPECT_TRUE(dynamic_cast<TplgJazykPrekladHlasekW*>(translatorFromModule(4, modulePath("wide", 4)).get()));
    EXPECT_TRUE(
        dynamic_cast<TplgJazykPrekladHlasekW*>(translatorFromModule(5, modulePath("translatew", 5)).get()));
    EXPECT_TRUE(dynamic_cast<TplgJazykPrekladHlasekA*>(translatorFromModule(2, modulePath("both", 2)).get()));
}

TEST(LanguageModules, AnUnreadableCodePageIsAnErrorOfThatText) {
    const auto translator = translatorFromModule(3, modulePath("codepage", 3));
    EXPECT_THROW(translator->CtiOznam(64), PluginError); // no such code page
    EXPECT_THROW(translator->CtiOznam(84), PluginError); // UTF-16 is not an 8-bit text
    EXPECT_EQ(translator->CtiOznam(3), QStringLiteral("Uložiť zmeny ?"));
}

TEST(LanguageModules, ModuleStaysLoadedWhileItsTranslatorLives) {
    const QString path = modulePath("wide", 4);
    ASSERT_FALSE(isLoaded(path));
    {
        const auto translator = translatorFromModule(4, path);
        EXPECT_TRUE(isLoaded(path));
    }
    EXPECT_FALSE(isLoaded(path));
}

TEST(LanguageModules, ModuleWithoutEntryPointIsRefused) {
    const QString path = modulePath("broken", 2);
    EXPECT_THROW(translatorFromModule(2, path), PluginError);
    EXPECT_FALSE(isLoaded(path));
}

TEST(SlovakTranslator, AnswersWithTheSlovakColumn) {
    const TplgJazykPrekladHlasek04 slovak;
    EXPECT_EQ(slovak.jazyk(), 4);
    EXPECT_EQ(slovak.CtiOznam(3), QStringLiteral("Uložiť zmeny ?"));
    EXPECT_EQ(slovak.CtiOznam(8), QStringLiteral("Plugin vyžaduje minimálnu verziu Orvianu \x01%s\x01 !"));
}

TEST_F(LanguageLoading, ReportsAModuleWithoutEntryPointAndSkipsIt) {
    EXPECT_EQ(loadLanguage(2, moduleFolder("broken"), moduleFileName(2), host), nullptr);
    ASSERT_EQ(scripted->errors.size(), 1);
    EXPECT_EQ(
        scripted->errors[0],
        kLoadError + QStringLiteral("ProvozmatLng2.DLL\r\r") +
            QStringLiteral(
                "Knihovna neobsahuje žádnou z funkcí CtiOznamID, TranslateCP, CtiOznamIDW, TranslateW"));
}

TEST_F(LanguageLoading, ReportsAFileThatIsNoLibrary) {
    QTemporaryDir folder;
    QFile file(folder.filePath(moduleFileName(4)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a library");
    file.close();
    // Language 4 with a file present is read from the file, even when the file is unusable.
    EXPECT_EQ(loadLanguage(4, folder.path(), moduleFileName(4), host), nullptr);
    ASSERT_EQ(scripted->errors.size(), 1);
    EXPECT_TRUE(scripted->errors[0].startsWith(kLoadError + QStringLiteral("ProvozmatLng4.DLL\r\r")));
    EXPECT_GT(scripted->errors[0].size(), (kLoadError + QStringLiteral("ProvozmatLng4.DLL\r\r")).size());
}

TEST_F(LanguageLoading, MissingFileGivesSlovakForLanguageFourOnly) {
    const QString none = moduleFolder("none");
    EXPECT_TRUE(
        dynamic_cast<TplgJazykPrekladHlasek04*>(loadLanguage(4, none, moduleFileName(4), host).get()));
    for (int jazyk : {2, 3, 5, -1})
        EXPECT_EQ(loadLanguage(jazyk, none, moduleFileName(jazyk), host), nullptr) << jazyk;
    EXPECT_TRUE(scripted->errors.isEmpty());
}

TEST_F(LanguageLoading, PresentFileIsLoaded) {
    const auto translator = loadLanguage(4, moduleFolder("wide"), moduleFileName(4), host);
    ASSERT_TRUE(dynamic_cast<TplgJazykPrekladHlasekW*>(translator.get()));
    EXPECT_EQ(translator->CtiOznam(1), QStringLiteral("Potvrdiť"));
    EXPECT_TRUE(scripted->errors.isEmpty());
}
