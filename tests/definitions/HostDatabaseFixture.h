#pragma once
// A development-host workstation on a fresh in-memory database with the host's schema, the
// plug-in's host interface on it, and the prepared definitions.

#include "DefinitionFixture.h"

#include "devhost/HostWindows.h"
#include "devhost/ScriptedDialogs.h"
#include "devhost/Workstation.h"

#include <gtest/gtest.h>

#include <memory>

namespace provozmat::test {

class HostDatabaseFixture : public ::testing::Test {
protected:
    HostDatabaseFixture();

    // The statements the table steps of schema verification collect for the current database.
    QStringList verifyTables();

    devhost::ScriptedDialogs dialogs;
    devhost::RecordingWindows windows;
    std::shared_ptr<devhost::Workstation> workstation;
    Host host;
    PreparedHost h;
    TplgDefinice d;
};

} // namespace provozmat::test
