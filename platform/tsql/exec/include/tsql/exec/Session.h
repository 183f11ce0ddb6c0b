#pragma once
// A session on a database: its login, spid, clock, variables of the running batch, the open
// transaction and @@ERROR / @@ROWCOUNT, and the running of batches.

#include "tsql/DateTime.h"
#include "tsql/exec/BatchResult.h"
#include "tsql/exec/Database.h"

#include <functional>
#include <memory>
#include <string>

namespace tsql {

struct SessionOptions {
    std::string login = "sa"; // what SUSER_SNAME() returns
    int spid = 51;
    // The current time as GETDATE() returns it; read once per statement. Defaults to the local
    // wall clock.
    std::function<DateTime()> clock;
};

class Session {
public:
    Session(std::shared_ptr<Database> database, SessionOptions options = {});
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Parses and runs one batch (no GO separators). Never throws for errors of the batch: they are
    // reported in the result, in order.
    BatchResult run(const std::string& batchText);

    int tranCount() const noexcept;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace tsql
