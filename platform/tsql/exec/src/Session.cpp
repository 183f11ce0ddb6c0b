#include "tsql/exec/Session.h"

#include "Executor.h"
#include "WallClock.h"

namespace tsql {

const Message* BatchResult::firstError() const {
    for (const auto& item : items)
        if (const auto* m = std::get_if<Message>(&item); m && m->isError())
            return m;
    return nullptr;
}

struct Session::State {
    Executor executor;
    State(std::shared_ptr<Database> db, SessionOptions o) : executor(std::move(db), std::move(o)) {}
};

Session::Session(std::shared_ptr<Database> database, SessionOptions options) {
    if (!options.clock)
        options.clock = wallClock;
    state_ = std::make_unique<State>(std::move(database), std::move(options));
}

Session::~Session() = default;

int Session::tranCount() const noexcept {
    return state_->executor.tranCount();
}

BatchResult Session::run(const std::string& batchText) {
    return state_->executor.run(batchText);
}

} // namespace tsql
