#include "core/PluginKonfig.h"

#include "base/Format.h"
#include "base/Host.h"
#include "core/BrowseNumbers.h"
#include "core/Versions.h"
#include "lang/Messages.h"

namespace provozmat {

void TPluginKonfigBase::Inicializuj() {
    FPluginClass_ID = ov::Guid{};
    FPluginMinimalniPozadovanaVerzeSQLServeru = makeSqlServerVersion(10, 0, 2531);
    FPluginPrefixTabulek = QStringLiteral("Tab");
    FPluginJeVyzadovanRestartOrvianu = true;

    NaplnIdentitu();

    const QString errors = SelfCheckErrors();
    if (!errors.isEmpty())
        throw IdentityError(QStringLiteral("Chyby konfigurace\r") + errors);

    OdvodAutoImportniSoubory();
}

QString TPluginKonfigBase::SelfCheckErrors() const {
    QString e;
    const auto fail = [&e](const char* message) { e = format(QString::fromUtf8(message), {e}); };

    if (FPluginClass_ID.isNull())
        fail("%s\r- nevyplneno FPluginClass_ID (GUID pluginu)");

    if (FPluginSystemoveJmeno.isEmpty())
        fail("%s\r- nevyplneno FPluginSystemoveJmeno");
    else if (FPluginSystemoveJmeno.size() > kMaxNameLength)
        fail("%s\r- delka FPluginSystemoveJmeno muze byt max. 30 znaku");

    if (FPluginClassName.isEmpty())
        fail("%s\r- nevyplneno FPluginClassName");
    else if (FPluginClassName.size() > kMaxNameLength)
        fail("%s\r- delka FPluginClassName muze byt max. 30 znaku");

    // The message names 30 characters, so 30 is the limit that is checked.
    const QString publicName = GetPluginVerejneJmeno();
    if (publicName.isEmpty())
        fail("%s\r- nevyplneno GetPluginVerejneJmeno");
    else if (publicName.size() > kMaxPublicNameLength)
        fail("%s\r- delka PluginVerejneJmeno muze byt max. 30 znaku");

    if (FPluginPrefixTabulek.isEmpty())
        fail("%s\r- nevyplneno FPluginPrefixTabulek");
    else if (FPluginPrefixTabulek.startsWith(u'V', Qt::CaseInsensitive))
        fail("%s\r- FPluginPrefixTabulek nesmi zacinat na 'V'");
    else if (FPluginPrefixTabulek.startsWith(QStringLiteral("hvw_"), Qt::CaseInsensitive))
        fail("%s\r- FPluginPrefixTabulek nesmi zacinat na 'hvw_'");

    if (FPluginMinimalniPozadovanaVerzeOrvianu == 0 && FPluginMinimalniPozadovanaVerzeOrvianu_ver3 == 0)
        fail("%s\r- nevyplneno FPluginMinimalniPozadovanaVerzeOrvianu[_ver3]");

    // The message says that 2005 and older are no longer allowed, so any 9.x minimum fails.
    if (FPluginMinimalniPozadovanaVerzeSQLServeru == 0)
        fail("%s\r- nevyplneno FPluginMinimalniPozadovanaVerzeSQLServeru");
    else if (FPluginMinimalniPozadovanaVerzeSQLServeru < makeSqlServerVersion(10, 0, 0))
        fail("%s\r- FPluginMinimalniPozadovanaVerzeSQLServeru - MS SQL 2005 ci nizsi uz nelze");

    return e;
}

void TPluginKonfigBase::OdvodAutoImportniSoubory() {
    if (!FPluginAutoImp_FileName_Formulare.isEmpty()) {
        const QString& base = FPluginAutoImp_FileName_Formulare;
        FAutoImp_Formulare_Cesky = base + QStringLiteral(".HFMX");
        FAutoImp_Formulare_Jazyk = base + QStringLiteral("%.2d.HFMX");
    }
    const auto fourNames = [](const QString& base, const QString& ext, QString& czech, QString& czechN,
                              QString& language, QString& languageN) {
        czech = base + u'.' + ext;
        czechN = base + QStringLiteral("N.") + ext;
        language = base + QStringLiteral("%.2d.") + ext;
        languageN = base + QStringLiteral("N%.2d.") + ext;
    };
    if (!FPluginAutoImp_FileName_Filtry.isEmpty())
        fourNames(FPluginAutoImp_FileName_Filtry, QStringLiteral("HFLX"), FAutoImp_Filtry_Cesky,
                  FAutoImp_FiltryN_Cesky, FAutoImp_Filtry_Jazyk, FAutoImp_FiltryN_Jazyk);
    if (!FPluginAutoImp_FileName_Opisy.isEmpty())
        fourNames(FPluginAutoImp_FileName_Opisy, QStringLiteral("HDOX"), FAutoImp_Opisy_Cesky,
                  FAutoImp_OpisyN_Cesky, FAutoImp_Opisy_Jazyk, FAutoImp_OpisyN_Jazyk);
}

void TPluginKonfigBase::PluginUninstall(const Host& host) const {
    host.showMessage(hlaska(172));
}

QString TPluginKonfigBase::PluginJazykoveDLL(int) const {
    return {};
}

QString TPluginKonfigBase::PluginJazykoveDLL_Ext(int language) const {
    const QString own = PluginJazykoveDLL(language);
    if (!own.isEmpty())
        return own;
    return format(QStringLiteral("%sLng%d.DLL"), {FPluginSystemoveJmeno, language});
}

void TPluginKonfig::NaplnIdentitu() {
    FPluginClass_ID = ov::guid("{846619A5-4329-4D71-BB17-0199D15D1A83}");
    FPluginSystemoveJmeno = QStringLiteral("Provozmat");
    FPluginClassName = QStringLiteral("go");
    FPluginPrefixTabulek = QStringLiteral("KTab");
    FPluginMinimalniPozadovanaVerzeOrvianu = makeVersion(0x00000200, 0x20140101);
    FPluginMinimalniPozadovanaVerzeSQLServeru = makeSqlServerVersion(10, 0, 0);
    FPluginCopyrightVyrobce = QStringLiteral("Korvel s.r.o");
}

void TPluginKonfig::PluginConfiguration(const Host& host) const {
    TPluginKonfigBase::PluginConfiguration(host);
    host.openBrowse(browseNumberOfDefinition(host, 1));
}

const TPluginKonfig& pluginKonfig() {
    static const std::unique_ptr<TPluginKonfig> identity = TPluginKonfigBase::Create<TPluginKonfig>();
    return *identity;
}

} // namespace provozmat
