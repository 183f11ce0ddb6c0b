#pragma once
// A loaded language module file: loaded on construction, unloaded on destruction.

#include <QLibrary>
#include <QString>

namespace provozmat {

class LanguageModule {
public:
    // Loads the module at path; a file that cannot be loaded raises a PluginError with the
    // loader's reason.
    explicit LanguageModule(const QString& path);
    ~LanguageModule();
    LanguageModule(const LanguageModule&) = delete;
    LanguageModule& operator=(const LanguageModule&) = delete;

    // The address of an exported C function, or null when the module has none of that name.
    QFunctionPointer entryPoint(const char* name);

    QString path() const { return library_.fileName(); }

private:
    QLibrary library_;
};

} // namespace provozmat
