#include "LanguageModuleFolders.h"
#include "ScriptedHost.h"

#include "base/PluginError.h"
#include "lang/LanguageState.h"
#include "lang/Messages.h"

#include <gtest/gtest.h>

#include <optional>

using namespace provozmat;
using langtest::moduleFileName;
using langtest::moduleFolder;

namespace {

const QString kUserLanguages =
    QStringLiteral("SELECT Jazyk, Jazyk2 FROM TabUziv WHERE LoginName = SUSER_SNAME()");

// A translator with fixed answers, for the order of the lookup.
class FixedTranslator final : public TplgAktivniJazyk {
public:
    FixedTranslator(int jazyk, std::map<int, QString> texts)
        : TplgAktivniJazyk(jazyk, nullptr), texts_(std::move(texts)) {}
    QString CtiOznam(int index) const override {
        const auto it = texts_.find(index);
        return it != texts_.end() ? it->second : QString();
    }

private:
    std::map<int, QString> texts_;
};

class LanguageChoice : public ::testing::Test {
protected:
    // One run of the plug-in for a user with that TabUziv row (none: no row), with the module
    // files of folder. Returns whether the language changed.
    bool run(std::optional<JazykovyPar> row, const char* folder) {
        lastHost = testhost::ScriptedHost::create();
        testhost::Table table{{QStringLiteral("Jazyk"), QStringLiteral("Jazyk2")}, {}};
        if (row)
            table.rows.push_back({testhost::v(row->primarni), testhost::v(row->sekundarni)});
        lastHost->answer(kUserLanguages, std::move(table));
        const bool changed = state.chooseLanguage(Host(ov::ComPtr<ov::IOrvian>(lastHost.get())), fileNameOf,
                                                  moduleFolder(folder));
        EXPECT_TRUE(lastHost->unexpected.isEmpty());
        return changed;
    }

    TplgJazyky state;
    ov::ComPtr<testhost::ScriptedHost> lastHost;
    std::vector<int> askedFiles;
    LanguageFileName fileNameOf = [this](int jazyk) {
        askedFiles.push_back(jazyk);
        return moduleFileName(jazyk);
    };
};

} // namespace

TEST_F(LanguageChoice, UserWithoutRowGetsCzech) {
    EXPECT_TRUE(run(std::nullopt, "wide"));
    EXPECT_EQ(lastHost->queries, QStringList{kUserLanguages});
    EXPECT_EQ(state.loadedPair(), (JazykovyPar{1, -1}));
    EXPECT_FALSE(state.translating());
    EXPECT_TRUE(askedFiles.empty());
    EXPECT_EQ(state.hlaska(3), QStringLiteral("Uložit změny ?"));
}

TEST_F(LanguageChoice, PrimaryZeroOrOneIsCzechWhateverTheSecondary) {
    for (int primary : {0, 1}) {
        state.reset();
        EXPECT_TRUE(run(JazykovyPar{primary, 4}, "wide"));
        EXPECT_FALSE(state.translating()) << primary;
        EXPECT_EQ(state.hlaska(1), QStringLiteral("OK"));
    }
    EXPECT_TRUE(askedFiles.empty());
}

TEST_F(LanguageChoice, SlovakWithoutModuleFileUsesTheSlovakColumn) {
    EXPECT_TRUE(run(JazykovyPar{4, -1}, "none"));
    EXPECT_EQ(state.translatorLanguages(), std::vector<int>{4});
    EXPECT_EQ(state.hlaska(3), QStringLiteral("Uložiť zmeny ?"));
    EXPECT_EQ(state.hlaska(15), QStringLiteral("Zavrieť"));
}

TEST_F(LanguageChoice, SlovakModuleFileReplacesTheSlovakColumn) {
    EXPECT_TRUE(run(JazykovyPar{4, -1}, "wide"));
    EXPECT_EQ(state.translatorLanguages(), std::vector<int>{4});
    EXPECT_EQ(state.hlaska(3), QStringLiteral("Uložiť zmeny (modul) ?"));
    EXPECT_EQ(state.hlaska(15), QStringLiteral("Zavřít")); // not in the module: Czech, not SK
}

TEST_F(LanguageChoice, SecondaryLanguageFillsWhatThePrimaryLacks) {
    EXPECT_TRUE(run(JazykovyPar{2, 4}, "ansi"));
    EXPECT_EQ(askedFiles, (std::vector<int>{2, 4}));
    EXPECT_EQ(state.translatorLanguages(), (std::vector<int>{2, 4}));
    EXPECT_EQ(state.hlaska(15), QStringLiteral("Žluťoučký kůň")); // module 2
    EXPECT_EQ(state.hlaska(10), QStringLiteral("Editácia"));      // module 2 answers empty: SK
    EXPECT_EQ(state.hlaska(4), QStringLiteral("Prázdna alebo chybne zadaná položka")); // not in module 2: SK
    EXPECT_TRUE(lastHost->errors.isEmpty());
}

TEST_F(LanguageChoice, LookupAsksTranslatorsInOrderThenCzech) {
    std::vector<std::unique_ptr<TplgAktivniJazyk>> translators;
    translators.push_back(
        std::make_unique<FixedTranslator>(2, std::map<int, QString>{{5, QStringLiteral("první")}}));
    translators.push_back(std::make_unique<FixedTranslator>(
        4, std::map<int, QString>{{5, QStringLiteral("druhý")}, {6, QStringLiteral("jen druhý")}}));
    state.useTranslators(std::move(translators));
    EXPECT_TRUE(state.translating());
    EXPECT_EQ(state.hlaska(5), QStringLiteral("první"));
    EXPECT_EQ(state.hlaska(6), QStringLiteral("jen druhý"));
    EXPECT_EQ(state.hlaska(7), QStringLiteral("(není)"));
}

TEST_F(LanguageChoice, UnreadableTextFallsBackToTheNextLanguage) {
    EXPECT_TRUE(run(JazykovyPar{3, 4}, "codepage"));
    EXPECT_EQ(state.translatorLanguages(), (std::vector<int>{3, 4}));
    EXPECT_EQ(state.hlaska(3), QStringLiteral("Uložiť zmeny ?"));
    EXPECT_EQ(state.hlaska(64), QStringLiteral("Vymazať")); // module 3 names an unknown code page
}

TEST_F(LanguageChoice, BrokenModuleIsReportedOnceAndSkipped) {
    EXPECT_TRUE(run(JazykovyPar{2, 4}, "broken"));
    ASSERT_EQ(lastHost->errors.size(), 1);
    EXPECT_TRUE(lastHost->errors[0].contains(QStringLiteral("ProvozmatLng2.DLL")));
    EXPECT_EQ(state.translatorLanguages(), std::vector<int>{4});
    EXPECT_EQ(state.hlaska(15), QStringLiteral("Zavrieť"));

    // The same pair on the next run: nothing is loaded again, nothing reported again.
    askedFiles.clear();
    EXPECT_FALSE(run(JazykovyPar{2, 4}, "broken"));
    EXPECT_TRUE(lastHost->errors.isEmpty());
    EXPECT_TRUE(askedFiles.empty());
    EXPECT_EQ(state.translatorLanguages(), std::vector<int>{4});
}

TEST_F(LanguageChoice, BrokenPrimaryAloneLeavesCzech) {
    EXPECT_TRUE(run(JazykovyPar{2, -1}, "broken"));
    EXPECT_EQ(lastHost->errors.size(), 1);
    EXPECT_FALSE(state.translating());
    EXPECT_EQ(state.hlaska(15), QStringLiteral("Zavřít"));
}

TEST_F(LanguageChoice, ChangedPairRebuilds) {
    EXPECT_TRUE(run(JazykovyPar{4, -1}, "none"));
    EXPECT_EQ(state.hlaska(15), QStringLiteral("Zavrieť"));
    EXPECT_TRUE(run(JazykovyPar{1, -1}, "none"));
    EXPECT_FALSE(state.translating());
    EXPECT_EQ(state.hlaska(15), QStringLiteral("Zavřít"));
    EXPECT_TRUE(run(JazykovyPar{4, 2}, "ansi"));
    EXPECT_EQ(state.translatorLanguages(), (std::vector<int>{4, 2}));
    EXPECT_EQ(state.hlaska(15), QStringLiteral("Zavrieť")); // the primary language answers first
}

TEST_F(LanguageChoice, SecondaryEqualToPrimaryOrMinusOneIsNotLoaded) {
    EXPECT_TRUE(run(JazykovyPar{4, 4}, "none"));
    EXPECT_EQ(askedFiles, std::vector<int>{4});
    EXPECT_EQ(state.translatorLanguages(), std::vector<int>{4});
    askedFiles.clear();
    EXPECT_TRUE(run(JazykovyPar{2, -1}, "ansi"));
    EXPECT_EQ(askedFiles, std::vector<int>{2});
}

TEST_F(LanguageChoice, NegativePrimaryIsLookedForAsAModuleNumber) {
    // -1 taken as unsigned is neither 0 nor 1: language -1 is looked for, and without such a
    // file nothing comes of it; the secondary language still loads.
    EXPECT_TRUE(run(JazykovyPar{-1, 4}, "none"));
    EXPECT_EQ(askedFiles, (std::vector<int>{-1, 4}));
    EXPECT_EQ(state.translatorLanguages(), std::vector<int>{4});
    EXPECT_TRUE(lastHost->errors.isEmpty());

    // A row of (-1, -1) equals the starting pair: nothing changes, the texts stay Czech.
    state.reset();
    askedFiles.clear();
    EXPECT_FALSE(run(JazykovyPar{-1, -1}, "none"));
    EXPECT_TRUE(askedFiles.empty());
    EXPECT_FALSE(state.translating());
}

TEST_F(LanguageChoice, FailingQueryLeavesTheStateAsItWas) {
    ASSERT_TRUE(run(JazykovyPar{4, -1}, "none"));
    auto failing = testhost::ScriptedHost::create();
    failing->failContaining(QStringLiteral("TabUziv"), QStringLiteral("Spojení přerušeno"));
    try {
        state.chooseLanguage(Host(ov::ComPtr<ov::IOrvian>(failing.get())), fileNameOf, moduleFolder("none"));
        ADD_FAILURE() << "no error";
    } catch (const PluginError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Spojení přerušeno"));
    }
    EXPECT_EQ(state.loadedPair(), (JazykovyPar{4, -1}));
    EXPECT_EQ(state.hlaska(15), QStringLiteral("Zavrieť"));
}

TEST(ProcessLanguage, MessagesFollowTheProcessWideStateUntilReset) {
    TplgJazyky& process = TplgJazyky::instance();
    std::vector<std::unique_ptr<TplgAktivniJazyk>> slovak;
    slovak.push_back(std::make_unique<TplgJazykPrekladHlasek04>());
    process.useTranslators(std::move(slovak));
    EXPECT_EQ(hlaska(59), QStringLiteral("Verzia pluginu je nižšia ako verzia v databáze!"));
    EXPECT_EQ(translatedExceptionText(QStringLiteral("5000059")),
              QStringLiteral("Verzia pluginu je nižšia ako verzia v databáze!"));
    process.reset();
    EXPECT_FALSE(process.translating());
    EXPECT_EQ(process.loadedPair(), (JazykovyPar{-1, -1}));
    EXPECT_EQ(hlaska(59), QStringLiteral("Verze pluginu je nižší než verze v databázi!"));
    EXPECT_THROW(hlaska(0), PluginError);
}
