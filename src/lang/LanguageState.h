#pragma once
// The plug-in's language state for the whole process: the translators of the current host
// user's languages, in order, and whether messages go through them or are Czech only.

#include "base/Host.h"
#include "lang/Translators.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace provozmat {

// The host user's primary and secondary language.
struct JazykovyPar {
    int primarni = -1;
    int sekundarni = -1;
    friend bool operator==(const JazykovyPar&, const JazykovyPar&) = default;
};

// The file name of the module of a language ("ProvozmatLng2.DLL").
using LanguageFileName = std::function<QString(int jazyk)>;

// The current user's pair from TabUziv; primary 1 (Czech) and secondary -1 when he has no row.
JazykovyPar readUserLanguages(const Host& host);

// The translators of pair, in order. A primary language 0 or 1 (taken as an unsigned number)
// is Czech only and gives none; otherwise the primary language is loaded, then the secondary
// one when it is another language and not -1 (loadLanguage).
std::vector<std::unique_ptr<TplgAktivniJazyk>> translatorsForPair(JazykovyPar pair,
                                                                  const LanguageFileName& fileName,
                                                                  const QString& folder, const Host& host);

class TplgJazyky {
public:
    // The state the plug-in's messages use. It lives until the process ends.
    static TplgJazyky& instance();

    TplgJazyky() = default;
    TplgJazyky(const TplgJazyky&) = delete;
    TplgJazyky& operator=(const TplgJazyky&) = delete;

    // Text of catalogue entry index (1 to 172): Czech only, or the first non-empty answer of
    // the translators in order, else Czech. Any other index raises a PluginError.
    QString hlaska(int index) const;

    // Reads the current user's languages and, when they differ from the pair last loaded,
    // rebuilds the translators from the module files in folder (translatorsForPair). True
    // when the pair changed, so that the captions that come from the catalogue can be set
    // again. When reading or loading fails, the state stays as it was and the error is raised.
    bool chooseLanguage(const Host& host, const LanguageFileName& fileName, const QString& folder);

    // Makes messages go through translators (Czech only when the list is empty).
    void useTranslators(std::vector<std::unique_ptr<TplgAktivniJazyk>> translators);

    // Back to the start: Czech only, no translators, pair (-1, -1).
    void reset();

    JazykovyPar loadedPair() const noexcept { return loadedPair_; }
    bool translating() const noexcept { return translating_; }
    // Language numbers of the translators in their order.
    std::vector<int> translatorLanguages() const;

private:
    std::vector<std::unique_ptr<TplgAktivniJazyk>> translators_;
    bool translating_ = false;
    JazykovyPar loadedPair_;
};

} // namespace provozmat
