#include "definitions/CompiledDefinitions.h"

namespace provozmat {

TplgDefinice zkompilovaneDefinice() {
    TplgDefinice d;
    d.tabulky = {std::nullopt,
                 tabulkaLCDKonfigurace(),
                 tabulkaLCDTerminal(),
                 tabulkaKontrolniPostupHlavicka(),
                 tabulkaKontrolniPostupPolozka(),
                 tabulkaKontrolniPostupHodnoty()};
    d.sablony = uzivatelskeAtributy();
    d.browse = vychoziNastaveniBrowse();
    d.soudky = soudky();
    d.vazby = vazby();
    d.extAtributy = externiAtributy();
    d.extAkce = extAkce();
    d.procedury = ulozeneProcedury();
    d.funkce = {TplgUzivatelskaFunkce{}};
    d.zmenoveSkripty = zmenoveSkripty();
    return d;
}

} // namespace provozmat
