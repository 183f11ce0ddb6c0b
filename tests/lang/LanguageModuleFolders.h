#pragma once
// Folders of the language modules built for the tests, one per case, each holding the file
// that the plug-in looks for, and the file names it looks for.

#include <QString>

namespace langtest {

// "ansi" (language 2, CtiOznamID), "codepage" (3, TranslateCP), "wide" (4, CtiOznamIDW),
// "translatew" (5, TranslateW), "both" (2, CtiOznamID and CtiOznamIDW), "broken" (2, none);
// any other name is a folder without modules.
inline QString moduleFolder(const char* name) {
    return QStringLiteral(LANGUAGE_MODULES_DIR "/") + QString::fromLatin1(name);
}

inline QString moduleFileName(int jazyk) {
    return QStringLiteral("ProvozmatLng%1.DLL").arg(jazyk);
}

} // namespace langtest
