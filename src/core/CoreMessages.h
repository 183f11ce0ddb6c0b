#pragma once
// The message catalogue and the user's language as the plug-in core uses them.

#include <QString>

namespace provozmat {

class Host;

// Catalogue text of that index in the user's language.
QString coreMessage(int index);
// A text that is a message number (5,000,000 + index) becomes that message; others stay.
QString translateExceptionMessage(const QString& text);
// Chooses the languages of the current host user; true when they changed.
bool checkUserLanguage(const Host& host);

} // namespace provozmat
