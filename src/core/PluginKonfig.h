#pragma once
// The plug-in's identity: who it is for the host, what its database objects are called, what
// it needs, what it calls itself for users, and the hooks the run dispatch calls.
// TPluginKonfigBase holds the fields, the defaults, the self-check and the hooks' default
// behaviour; TPluginKonfig is this plug-in's subclass with its values.

#include "ov/Guid.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <memory>
#include <stdexcept>

namespace provozmat {

class Host;

// A self-check that failed; the text is the one the "Chyba" message box shows.
class IdentityError : public std::runtime_error {
public:
    explicit IdentityError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const noexcept { return text_; }

private:
    QString text_;
};

class TPluginKonfigBase {
public:
    virtual ~TPluginKonfigBase() = default;
    TPluginKonfigBase(const TPluginKonfigBase&) = delete;
    TPluginKonfigBase& operator=(const TPluginKonfigBase&) = delete;

    // Creates an identity of class T: the defaults, T's values, the self-check (an
    // IdentityError when it fails) and the automatic-import file names.
    template <class T> static std::unique_ptr<T> Create() {
        std::unique_ptr<T> identity(new T());
        identity->Inicializuj();
        return identity;
    }

    // Automatic import file names, derived at creation.
    QString FAutoImp_Formulare_Cesky, FAutoImp_Formulare_Jazyk;
    QString FAutoImp_Filtry_Cesky, FAutoImp_FiltryN_Cesky, FAutoImp_Filtry_Jazyk, FAutoImp_FiltryN_Jazyk;
    QString FAutoImp_Opisy_Cesky, FAutoImp_OpisyN_Cesky, FAutoImp_Opisy_Jazyk, FAutoImp_OpisyN_Jazyk;

    ov::Guid FPluginClass_ID;
    QString FPluginSystemoveJmeno; // at most 30 characters
    QString FPluginClassName;      // at most 30 characters
    QString FPluginPrefixTabulek;  // must not begin with "V" or "hvw_"
    QString FPluginIdentifikator;
    std::uint64_t FPluginMinimalniPozadovanaVerzeOrvianu = 0;
    std::uint64_t FPluginMinimalniPozadovanaVerzeOrvianu_ver3 = 0;
    std::int32_t FPluginMinimalniPozadovanaVerzeSQLServeru = 0;
    QString FPluginCopyrightVyrobce;
    std::uint16_t FPluginRokZacatkuVyvoje = 0;
    bool FPluginJeVyzadovanRestartOrvianu = false;
    QString FPluginAutoImp_FileName_Formulare, FPluginAutoImp_FileName_Filtry, FPluginAutoImp_FileName_Opisy;

    // Hooks, in slot order.
    virtual QString GetPluginVerejneJmeno() const { return {}; }
    virtual QString GetPluginTechnickyPopis() const { return {}; }
    virtual QString GetPluginHistorieVerzi() const { return {}; }
    virtual QImage GetPluginLogo() const { return {}; }
    virtual std::uint32_t GetPluginProgressBarColor() const { return 0xFFFFFF; }
    virtual void NaplnIdentitu() {}
    virtual void VlastniInicializacePluginu(const Host&) const {}
    virtual void ExtKomIDJeRovnoNule(const Host&) const {}
    virtual void PluginConfiguration(const Host&) const {}
    virtual QString VlastniInstalacniSkript() const { return {}; }
    virtual bool VlastniInstalacniProcedura(const Host&) const { return true; }
    virtual void PluginUninstall(const Host& host) const;
    virtual QString PluginJazykoveDLL(int language) const;
    virtual QString PartnerIdentification() const = 0;

    // The language module's file name: PluginJazykoveDLL when it gives one, else
    // system name + "Lng" + language + ".DLL".
    QString PluginJazykoveDLL_Ext(int language) const;

    // The empty text when every rule holds, else the failed rules' messages in order.
    QString SelfCheckErrors() const;

    // The system name joined with the class name ("Provozmat.go").
    QString SysAndClassName() const { return FPluginSystemoveJmeno + u'.' + FPluginClassName; }

    // Limit on the public name's length.
    static constexpr int kMaxPublicNameLength = 30;
    static constexpr int kMaxNameLength = 30;

protected:
    TPluginKonfigBase() = default;

private:
    void Inicializuj();
    void OdvodAutoImportniSoubory();
};

class TPluginKonfig final : public TPluginKonfigBase {
public:
    // The plug-in's own version, 2.00 of 26 August 2026.
    static constexpr std::uint64_t kVerzePluginu = 0x00000200'20260826ULL;

    QString GetPluginVerejneJmeno() const override { return QStringLiteral("Terminatek"); }
    QString GetPluginTechnickyPopis() const override { return QStringLiteral("Terminatek"); }
    void NaplnIdentitu() override;
    void VlastniInicializacePluginu(const Host&) const override {}
    void PluginConfiguration(const Host& host) const override;
    QString PartnerIdentification() const override { return QStringLiteral("Korvel s.r.o"); }

private:
    friend class TPluginKonfigBase;
    TPluginKonfig() = default;
};

// The process's one identity, created on first use. Raises IdentityError when its self-check
// fails (every later call raises it again).
const TPluginKonfig& pluginKonfig();

} // namespace provozmat
