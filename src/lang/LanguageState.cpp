#include "lang/LanguageState.h"

#include "base/PluginError.h"
#include "base/Text.h"
#include "lang/LanguageLoader.h"
#include "lang/MessageCatalogue.h"

namespace provozmat {

namespace {

constexpr int kZadnyJazyk = -1;
constexpr int kCestina = 1;

// Languages 0 and 1 are the catalogue's own Czech. The check is made on the number taken
// as unsigned, so a negative language is never Czech: it is looked for as a module file of
// that number (which normally does not exist, leaving Czech only).
bool isCzech(int jazyk) {
    return static_cast<unsigned>(jazyk) <= 1U;
}

} // namespace

JazykovyPar readUserLanguages(const Host& host) {
    HostQuery query =
        host.openSql(QStringLiteral("SELECT Jazyk, Jazyk2 FROM TabUziv WHERE LoginName = SUSER_SNAME()"));
    if (query.eof())
        return {kCestina, kZadnyJazyk};
    return {query.value(0).toInt(), query.value(1).toInt()};
}

std::vector<std::unique_ptr<TplgAktivniJazyk>> translatorsForPair(JazykovyPar pair,
                                                                  const LanguageFileName& fileName,
                                                                  const QString& folder, const Host& host) {
    std::vector<std::unique_ptr<TplgAktivniJazyk>> translators;
    if (isCzech(pair.primarni))
        return translators;
    auto load = [&](int jazyk) {
        if (auto translator = loadLanguage(jazyk, folder, fileName(jazyk), host))
            translators.push_back(std::move(translator));
    };
    load(pair.primarni);
    if (pair.sekundarni != pair.primarni && pair.sekundarni != kZadnyJazyk)
        load(pair.sekundarni);
    return translators;
}

TplgJazyky& TplgJazyky::instance() {
    static TplgJazyky state;
    return state;
}

QString TplgJazyky::hlaska(int index) const {
    const TplgHlaska& entry = zaznamHlasky(index);
    if (translating_) {
        for (const auto& translator : translators_) {
            // A module whose answer cannot be read (an unknown code page) translates nothing,
            // and the next language or the Czech text takes its place.
            try {
                QString text = translator->CtiOznam(index);
                if (!text.isEmpty())
                    return text;
            } catch (const PluginError&) {
            }
        }
    }
    return fromU16(entry.H);
}

bool TplgJazyky::chooseLanguage(const Host& host, const LanguageFileName& fileName, const QString& folder) {
    const JazykovyPar pair = readUserLanguages(host);
    if (pair == loadedPair_)
        return false;
    useTranslators(translatorsForPair(pair, fileName, folder, host));
    loadedPair_ = pair;
    return true;
}

void TplgJazyky::useTranslators(std::vector<std::unique_ptr<TplgAktivniJazyk>> translators) {
    translators_ = std::move(translators);
    translating_ = !translators_.empty();
}

void TplgJazyky::reset() {
    useTranslators({});
    loadedPair_ = {};
}

std::vector<int> TplgJazyky::translatorLanguages() const {
    std::vector<int> languages;
    languages.reserve(translators_.size());
    for (const auto& translator : translators_)
        languages.push_back(translator->jazyk());
    return languages;
}

} // namespace provozmat
