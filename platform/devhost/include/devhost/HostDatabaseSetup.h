#pragma once
// Creating a host database file: the host's schema and demo data of the chosen size, run on a
// fresh file. An existing file is kept unless replacing it was asked for, and a file whose
// creation failed is removed again.

#include <cstdint>
#include <string>

namespace devhost {

enum class DatabaseSize { Demo, Benchmark };

// Throws std::runtime_error with the reason (an existing file, the first error of the scripts,
// or a build without the host database scripts).
void initHostDatabase(const std::string& path, DatabaseSize size, bool replace, std::uint32_t seed = 1);

// Whether this build has the host database scripts.
bool hostDatabaseAvailable();

} // namespace devhost
