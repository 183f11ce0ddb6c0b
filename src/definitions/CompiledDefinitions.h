#pragma once
// The compiled data of the plug-in's definitions, as written in the sources, before any
// preparation. Each function returns one kind of definition; entry 0 of every array is empty.

#include "definitions/Definitions.h"

#include <vector>

namespace provozmat {

TplgTabulkaDef tabulkaLCDKonfigurace();
TplgTabulkaDef tabulkaLCDTerminal();
TplgTabulkaDef tabulkaKontrolniPostupHlavicka();
TplgTabulkaDef tabulkaKontrolniPostupPolozka();
TplgTabulkaDef tabulkaKontrolniPostupHodnoty();

std::vector<TplgUzivatelskyAtributDef> uzivatelskeAtributy();
std::vector<TplgVychoziNastaveniBrowse> vychoziNastaveniBrowse();
std::vector<TplgSoudekDef> soudky();
std::vector<TplgVztahDef> vazby();
std::vector<TplgExterniAtribut> externiAtributy();
std::vector<TplgExtAkceDef> extAkce();
std::vector<TplgUlozenaProcedura> ulozeneProcedury();
std::vector<TplgZmenovySkript> zmenoveSkripty();

// All of them in one set (there are no user functions).
TplgDefinice zkompilovaneDefinice();

} // namespace provozmat
