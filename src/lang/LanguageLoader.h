#pragma once
// Loading of one language: its module file beside the plug-in, or the built-in Slovak texts.

#include "base/Host.h"
#include "lang/Translators.h"

#include <QString>

#include <memory>

namespace provozmat {

// The translator of the module file at path, chosen by the first entry point it exports of
// "CtiOznamID", "TranslateCP", "CtiOznamIDW", "TranslateW". A file that cannot be loaded or
// exports none of them raises a PluginError.
std::unique_ptr<TplgAktivniJazyk> translatorFromModule(int jazyk, const QString& path);

// The translator of language jazyk from the module file fileName in folder:
// - the file exists: its translator; when it cannot be used, the host shows
//   "Chyba při načítání jazykového DLL" with the file name and the reason, and the result is null;
// - no such file: the built-in Slovak translator for language 4, null for any other language.
std::unique_ptr<TplgAktivniJazyk> loadLanguage(int jazyk, const QString& folder, const QString& fileName,
                                               const Host& host);

} // namespace provozmat
