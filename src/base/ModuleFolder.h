#pragma once
// Where the plug-in's own module file lies; language modules and import files sit beside it.

#include <QString>

namespace provozmat {

// The file that holds the plug-in's code (the module, or the program it is linked into).
QString pluginModuleFile();

// The absolute folder of the file that holds the plug-in's code (the module, or the program
// the code is linked into).
QString pluginModuleFolder();

} // namespace provozmat
