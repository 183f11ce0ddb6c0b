#pragma once
// The languages of the current host user, with this plug-in's language module names.

namespace provozmat {

class Host;

// Chooses the languages of the current host user; true when they changed.
bool checkUserLanguage(const Host& host);

} // namespace provozmat
