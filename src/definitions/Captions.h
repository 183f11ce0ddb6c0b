#pragma once
// The texts of the definitions in the user's current language: every text with a catalogue
// number is set again from the catalogue, and captions and value lists bound to a host
// attribute are asked from the host.

#include "definitions/Definitions.h"

namespace provozmat {

class Host;

// The catalogue text of index in the current language; empty for 0 and for an index the
// catalogue does not have.
QString textKatalogu(TplgTxt index);

void obnovTexty(TplgDefinice& d, const Host& host);

// The same on the process's definitions (after every language change).
void obnovTextyProcesu(const Host& host);

} // namespace provozmat
