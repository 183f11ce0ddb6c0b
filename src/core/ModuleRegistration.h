#pragma once
// What happens when the module is loaded, and its registration as an in-process server.

#include <QString>

namespace provozmat {

struct ModuleLoadResult {
    bool ok = false;
    QString errorText; // the "Chyba" box's text when the identity failed its check
};

// Creates and checks the plug-in identity and the registry of running host interfaces. A
// failed check is written to standard error with the title "Chyba" and returned.
ModuleLoadResult loadModule();

// Records the class (ID, class name, module file, threading model) in the settings that
// stand for the system registry; removes it again.
bool registerServer();
bool unregisterServer();

// The settings group of the class, "CLSID/{…}".
QString classRegistrationGroup();

} // namespace provozmat
