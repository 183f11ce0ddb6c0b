#pragma once
// Runs one batch and turns its first error into an exception.

#include "tsql/exec/BatchResult.h"
#include "tsql/exec/Session.h"

#include <string>
#include <string_view>

namespace devhost::detail {

// std::runtime_error "<what>: <engine message> (error <n>)" when the batch reports an error.
tsql::BatchResult runOrThrow(tsql::Session& session, const std::string& batch, std::string_view what);

// The first row's first value of the batch's first result set, as an integer (0 for NULL).
std::int64_t queryInteger(tsql::Session& session, const std::string& batch, std::string_view what);

} // namespace devhost::detail
