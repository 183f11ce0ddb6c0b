#include "ScriptedHost.h"

#include "core/BrowseAction.h"
#include "core/SpravceOrvianu.h"

#include <gtest/gtest.h>

using namespace provozmat;
using testhost::ScriptedHost;

namespace {

class NoAction : public TplgAkcePrehleduBase {
public:
    QString SpustAkci(const QString&) override { return {}; }
};

ov::ComPtr<ScriptedHost> hostWithInstance(int instance) {
    auto h = ScriptedHost::create();
    h->instanceId = instance;
    return h;
}

TEST(SpravceOrvianu, NestedRunsRemoveOnlyTheirOwnEntry) {
    TSpravceOrvianu registry;
    auto outer = hostWithInstance(1);
    auto inner = hostWithInstance(2);
    registry.PridejOrvian(outer.get());
    registry.PridejOrvian(inner.get());
    registry.PridejOrvian(outer.get()); // the same interface in a deeper run
    registry.PridejOrvian(nullptr);
    EXPECT_EQ(registry.count(), 3u);

    NoAction action;
    registry.NastavAkce(outer.get(), &action); // attaches to the latest entry of outer
    registry.OdeberOrvian(outer.get());
    EXPECT_EQ(registry.count(), 2u);
    EXPECT_EQ(registry.VratAkcePrehledu(outer.get()), nullptr);
    registry.OdeberOrvian(hostWithInstance(9).get()); // not registered: nothing happens
    EXPECT_EQ(registry.count(), 2u);
    registry.OdeberOrvian(inner.get());
    registry.OdeberOrvian(outer.get());
    EXPECT_EQ(registry.count(), 0u);
}

TEST(SpravceOrvianu, FindsTheOwnersRegisteredInterfaceAndItsAction) {
    TSpravceOrvianu registry;
    auto opening = hostWithInstance(7);
    registry.PridejOrvian(opening.get());
    NoAction action;
    registry.NastavAkce(opening.get(), &action);

    // The host hands out a different interface object for the same browse instance.
    auto ownerAsGiven = hostWithInstance(7);
    auto current = hostWithInstance(8);
    current->owner = ov::ComPtr<ov::IOrvian>(ownerAsGiven.get());
    EXPECT_EQ(registry.VratVlastnika(current.get()).get(), opening.get());
    EXPECT_EQ(registry.VratAkcePrehledu(ownerAsGiven.get()), &action);

    auto unregisteredOwner = hostWithInstance(5);
    current->owner = ov::ComPtr<ov::IOrvian>(unregisteredOwner.get());
    EXPECT_EQ(registry.VratVlastnika(current.get()).get(), unregisteredOwner.get());
    EXPECT_EQ(registry.VratAkcePrehledu(unregisteredOwner.get()), nullptr);

    current->owner = nullptr;
    EXPECT_FALSE(registry.VratVlastnika(current.get()));
    EXPECT_FALSE(registry.VratVlastnika(nullptr));
    registry.OdeberOrvian(opening.get());
}

} // namespace
