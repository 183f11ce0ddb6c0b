#pragma once
// The error of a function that this build of the plug-in does not contain yet.

#include <QString>

namespace provozmat {

[[noreturn]] void throwNotAvailable(const QString& function);

} // namespace provozmat
