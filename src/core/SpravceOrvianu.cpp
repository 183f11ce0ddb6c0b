#include "core/SpravceOrvianu.h"

#include "base/Host.h"

#include <algorithm>

namespace provozmat {

void TSpravceOrvianu::PridejOrvian(ov::IOrvian* orvian) {
    if (!orvian)
        return;
    auto entry = std::make_unique<TJedenOrvian>();
    entry->FOrvian = ov::ComPtr<ov::IOrvian>(orvian);
    FSeznam.push_back(std::move(entry));
}

void TSpravceOrvianu::OdeberOrvian(ov::IOrvian* orvian) {
    const auto it = std::find_if(FSeznam.rbegin(), FSeznam.rend(),
                                 [orvian](const auto& entry) { return entry->FOrvian.get() == orvian; });
    if (it != FSeznam.rend())
        FSeznam.erase(std::next(it).base());
}

void TSpravceOrvianu::NastavAkce(ov::IOrvian* orvian, TplgAkcePrehleduBase* akce) {
    if (TJedenOrvian* entry = findByPointer(orvian))
        entry->FAkce = akce;
}

TSpravceOrvianu::TJedenOrvian* TSpravceOrvianu::findByPointer(ov::IOrvian* orvian) const {
    for (auto it = FSeznam.rbegin(); it != FSeznam.rend(); ++it)
        if ((*it)->FOrvian.get() == orvian)
            return it->get();
    return nullptr;
}

TSpravceOrvianu::TJedenOrvian* TSpravceOrvianu::findByInstance(int instanceId) const {
    for (auto it = FSeznam.rbegin(); it != FSeznam.rend(); ++it)
        if (Host((*it)->FOrvian).instanceId() == instanceId)
            return it->get();
    return nullptr;
}

ov::ComPtr<ov::IOrvian> TSpravceOrvianu::VratVlastnika(ov::IOrvian* orvian) const {
    if (!orvian)
        return {};
    const Host owner = Host(ov::ComPtr<ov::IOrvian>(orvian)).owner();
    if (!owner)
        return {};
    if (TJedenOrvian* entry = findByInstance(owner.instanceId()))
        return entry->FOrvian;
    return owner.interface();
}

TplgAkcePrehleduBase* TSpravceOrvianu::VratAkcePrehledu(ov::IOrvian* orvian) const {
    if (!orvian)
        return nullptr;
    const TJedenOrvian* entry = findByInstance(Host(ov::ComPtr<ov::IOrvian>(orvian)).instanceId());
    return entry ? entry->FAkce : nullptr;
}

TSpravceOrvianu& spravceOrvianu() {
    static TSpravceOrvianu registry;
    return registry;
}

} // namespace provozmat
