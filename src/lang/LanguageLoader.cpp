#include "lang/LanguageLoader.h"

#include "base/PluginError.h"
#include "base/Text.h"

#include <QDir>
#include <QFileInfo>

namespace provozmat {

namespace {

template <class Entry> Entry entryAs(QFunctionPointer address) {
    return reinterpret_cast<Entry>(address);
}

} // namespace

std::unique_ptr<TplgAktivniJazyk> translatorFromModule(int jazyk, const QString& path) {
    auto module = std::make_unique<LanguageModule>(path);
    if (auto entry = module->entryPoint(kCtiOznamIDName))
        return std::make_unique<TplgJazykPrekladHlasekA>(jazyk, std::move(module),
                                                         entryAs<CtiOznamIDEntry>(entry));
    if (auto entry = module->entryPoint(kTranslateCPName))
        return std::make_unique<TplgJazykPrekladHlasekCP>(jazyk, std::move(module),
                                                          entryAs<TranslateCPEntry>(entry));
    for (const char* name : {kCtiOznamIDWName, kTranslateWName}) {
        if (auto entry = module->entryPoint(name))
            return std::make_unique<TplgJazykPrekladHlasekW>(jazyk, std::move(module),
                                                             entryAs<WideTextEntry>(entry));
    }
    throw PluginError(QStringLiteral("Knihovna neobsahuje žádnou z funkcí %1, %2, %3, %4")
                          .arg(QLatin1String(kCtiOznamIDName), QLatin1String(kTranslateCPName),
                               QLatin1String(kCtiOznamIDWName), QLatin1String(kTranslateWName)));
}

std::unique_ptr<TplgAktivniJazyk> loadLanguage(int jazyk, const QString& folder, const QString& fileName,
                                               const Host& host) {
    const QString path = QDir(folder).filePath(fileName);
    if (!QFileInfo(path).isFile()) {
        if (jazyk == TplgJazykPrekladHlasek04::kJazykSlovensky)
            return std::make_unique<TplgJazykPrekladHlasek04>();
        return nullptr;
    }
    try {
        return translatorFromModule(jazyk, path);
    } catch (const PluginError& e) {
        host.showError(highlighted(QStringLiteral("Chyba při načítání jazykového DLL")) + kLineBreak +
                       fileName + kLineBreak + kLineBreak + e.message());
        return nullptr;
    }
}

} // namespace provozmat
