#pragma once
// The translators of catalogue texts: each answers CtiOznam(index) with the text of catalogue
// entry index in its language, or an empty text when it has none. A translator that reads a
// language module owns the loaded module for as long as it lives.

#include "lang/LanguageModule.h"
#include "lang/LanguageModuleExports.h"

#include <QString>

#include <memory>

namespace provozmat {

class TplgAktivniJazyk {
public:
    virtual ~TplgAktivniJazyk() = default;
    TplgAktivniJazyk(const TplgAktivniJazyk&) = delete;
    TplgAktivniJazyk& operator=(const TplgAktivniJazyk&) = delete;

    // The language number the translator was loaded for.
    int jazyk() const noexcept { return jazyk_; }

    // Text of catalogue entry index (1 to 172) in this language; empty when there is none.
    // A module whose answer cannot be read raises a PluginError.
    virtual QString CtiOznam(int index) const = 0;

protected:
    TplgAktivniJazyk(int jazyk, std::unique_ptr<LanguageModule> module)
        : jazyk_(jazyk), FHandle_JazykDLL(std::move(module)) {}

private:
    int jazyk_;
    std::unique_ptr<LanguageModule> FHandle_JazykDLL; // null for the built-in translator
};

// A module with "CtiOznamID": 8-bit text in code page 1250.
class TplgJazykPrekladHlasekA final : public TplgAktivniJazyk {
public:
    TplgJazykPrekladHlasekA(int jazyk, std::unique_ptr<LanguageModule> module, CtiOznamIDEntry entry)
        : TplgAktivniJazyk(jazyk, std::move(module)), entry_(entry) {}
    QString CtiOznam(int index) const override;

private:
    CtiOznamIDEntry entry_;
};

// A module with "TranslateCP": 8-bit text in the code page it returns alongside.
class TplgJazykPrekladHlasekCP final : public TplgAktivniJazyk {
public:
    TplgJazykPrekladHlasekCP(int jazyk, std::unique_ptr<LanguageModule> module, TranslateCPEntry entry)
        : TplgAktivniJazyk(jazyk, std::move(module)), entry_(entry) {}
    QString CtiOznam(int index) const override;

private:
    TranslateCPEntry entry_;
};

// A module with "CtiOznamIDW" or "TranslateW": UTF-16 text.
class TplgJazykPrekladHlasekW final : public TplgAktivniJazyk {
public:
    TplgJazykPrekladHlasekW(int jazyk, std::unique_ptr<LanguageModule> module, WideTextEntry entry)
        : TplgAktivniJazyk(jazyk, std::move(module)), entry_(entry) {}
    QString CtiOznam(int index) const override;

private:
    WideTextEntry entry_;
};

// The built-in Slovak translator: the catalogue's Slovak column.
class TplgJazykPrekladHlasek04 final : public TplgAktivniJazyk {
public:
    static constexpr int kJazykSlovensky = 4;

    TplgJazykPrekladHlasek04() : TplgAktivniJazyk(kJazykSlovensky, nullptr) {}
    QString CtiOznam(int index) const override;
};

} // namespace provozmat
