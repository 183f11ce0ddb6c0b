#pragma once
// The host's own texts that the plug-in asks for: public names and value conversions of host
// attributes ("Table.Column"), and numbered captions of the host's user interface.

#include <QString>

namespace devhost {

// The attribute's public name; empty for an attribute the host does not describe.
QString attributePublicName(const QString& tableColumn);
// "value=text" lines separated by \r; empty when the attribute has no conversion.
QString attributeConversion(const QString& tableColumn);
// A caption of the host's user interface; empty for an unknown number.
QString hostText(int number);

} // namespace devhost
