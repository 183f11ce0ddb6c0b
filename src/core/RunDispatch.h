#pragma once
// The run operation: what the plug-in does for one user command aimed at it.

namespace provozmat {

class Host;

// Steps 1 to 14 of a run: registration, the host's look, preparation, version checks and the
// dispatch by browse number and command. Raises a PluginError whose text is already
// translated from a message number.
void runPlugin(const Host& host);

} // namespace provozmat
