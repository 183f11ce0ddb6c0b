#pragma once
// The plug-in's messages in the current host user's language, and the translation of error
// texts that carry a message number.

#include <QString>

namespace provozmat {

// Text of catalogue entry index (1 to 172) through the process-wide language state
// (TplgJazyky::instance()); any other index raises a PluginError.
QString hlaska(int index);

// An error text that is a message number (5,000,000 + index, digits only) becomes the text of
// that message; any other text, and a number that names no message, is returned unchanged.
QString translatedExceptionText(const QString& text);

} // namespace provozmat
