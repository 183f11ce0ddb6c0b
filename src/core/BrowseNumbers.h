#pragma once
// The host browse number of one of the plug-in's own browses.

namespace provozmat {

class Host;

// For browse definition index whose view name begins with "hvw_": 100000 + its Cislo in
// TabObecnyPrehled (message 86 when it is not registered there); 0 for any other definition.
int browseNumberOfDefinition(const Host& host, int index);

} // namespace provozmat
