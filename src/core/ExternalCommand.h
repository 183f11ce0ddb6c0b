#pragma once
// The route of an external command: the host's command row names a GUID; a dispatcher
// procedure of the plug-in may say which browse action runs with which text; otherwise the
// current browse decides.

#include <QString>

namespace provozmat {

class Host;

void runExternalCommand(const Host& host, int commandId);

// Runs the action class of browse definition index with text; a definition without a class
// does nothing.
void runBrowseActionByIndex(const Host& host, int index, const QString& text);
// Runs the action set bound to that host browse number with text; none does nothing.
void runBrowseActionByBrowseNumber(const Host& host, int browseNumber, const QString& text);

} // namespace provozmat
