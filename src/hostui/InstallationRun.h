#pragma once
// The installation as the plug-in list starts it: the process's definitions into the host's
// current database, confirmed in the change dialog, or silently.

#include "definitions/Installation.h"

namespace provozmat {

class Host;

// The plug-in's identity as the installation records it.
IdentitaInstalace identitaInstalace();

void spustInstalaci(const Host& host, bool tichy);

} // namespace provozmat
