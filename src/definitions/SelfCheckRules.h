#pragma once
// The rule groups of the self-check and what they share.

#include "base/Format.h"
#include "definitions/SelfCheck.h"

#include <QString>

#include <initializer_list>

namespace provozmat::selfcheck {

// Raises the DefinitionError of a rule.
[[noreturn]] inline void fail(const char* message, std::initializer_list<FormatArg> args = {}) {
    throw DefinitionError(format(QString::fromUtf8(message), args));
}

// A name of ASCII letters, digits and underscores that does not begin with a digit.
bool jeIdentifikator(const QString& name);

// Whether text is a GUID ("{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}").
bool jeGuid(const QString& text);

void zkontrolujTabulky(const TplgDefinice& d, const DefinitionOwner& owner);
void zkontrolujBrowse(const TplgDefinice& d, const DefinitionOwner& owner);
void zkontrolujSoudky(const TplgDefinice& d);
void zkontrolujExtAkce(const TplgDefinice& d);
void zkontrolujVazby(const TplgDefinice& d);
void zkontrolujExtAtributy(const TplgDefinice& d);
void zkontrolujProcedury(const TplgDefinice& d);
void zkontrolujZmenoveSkripty(const TplgDefinice& d, const DefinitionOwner& owner);

} // namespace provozmat::selfcheck
