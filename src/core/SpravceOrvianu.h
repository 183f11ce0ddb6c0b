#pragma once
// The registry of the host interfaces of the runs under way. Runs nest through host windows
// on one thread, so several entries may exist at once; each run removes exactly its own.

#include "ov/ComPtr.h"
#include "ov/Orvian.h"

#include <memory>
#include <vector>

namespace provozmat {

class TplgAkcePrehleduBase;

class TSpravceOrvianu {
public:
    struct TJedenOrvian {
        ov::ComPtr<ov::IOrvian> FOrvian;
        TplgAkcePrehleduBase* FAkce = nullptr; // attached, not owned
    };

    void PridejOrvian(ov::IOrvian* orvian);
    void OdeberOrvian(ov::IOrvian* orvian);
    void NastavAkce(ov::IOrvian* orvian, TplgAkcePrehleduBase* akce);
    // The registered interface of the browse that opened this one, or the owner as the host
    // gives it; empty for an empty interface.
    ov::ComPtr<ov::IOrvian> VratVlastnika(ov::IOrvian* orvian) const;
    // The action object of the registered entry with the same instance, or none.
    TplgAkcePrehleduBase* VratAkcePrehledu(ov::IOrvian* orvian) const;

    std::size_t count() const noexcept { return FSeznam.size(); }

private:
    TJedenOrvian* findByPointer(ov::IOrvian* orvian) const;
    TJedenOrvian* findByInstance(int instanceId) const;

    std::vector<std::unique_ptr<TJedenOrvian>> FSeznam;
};

// The process's one registry.
TSpravceOrvianu& spravceOrvianu();

// Keeps a host interface registered for as long as it lives.
class OrvianRegistration {
public:
    explicit OrvianRegistration(ov::IOrvian* orvian) : orvian_(orvian) {
        spravceOrvianu().PridejOrvian(orvian);
    }
    ~OrvianRegistration() { spravceOrvianu().OdeberOrvian(orvian_); }
    OrvianRegistration(const OrvianRegistration&) = delete;
    OrvianRegistration& operator=(const OrvianRegistration&) = delete;

private:
    ov::IOrvian* orvian_;
};

} // namespace provozmat
