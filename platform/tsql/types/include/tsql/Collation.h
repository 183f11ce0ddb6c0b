#pragma once
// The database collation: case-insensitive, accent-sensitive, Czech ordering (an ICU collator for
// the Czech locale at secondary strength). Trailing blanks do not count for `=` and ordering.
// Identifiers compare with the same collation.

#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct UCollator;

namespace tsql {

class Collation {
public:
    // The name the collation is registered under on SQLite connections.
    static constexpr std::string_view kSqliteName = "TSQL_CI_AS";

    Collation();
    ~Collation();
    Collation(const Collation& other);
    Collation& operator=(const Collation& other);
    Collation(Collation&&) noexcept;
    Collation& operator=(Collation&&) noexcept;

    // The process-wide instance; comparing and making sort keys do not change it, so threads may share it.
    static const Collation& standard();

    // <0, 0, >0 for UTF-8 text, ignoring trailing blanks.
    int compare(std::string_view a, std::string_view b) const;
    bool equal(std::string_view a, std::string_view b) const { return compare(a, b) == 0; }
    // Bytes that compare (memcmp) as the texts do; equal texts give equal keys.
    std::string sortKey(std::string_view utf8) const;

    // Registers the collation as kSqliteName on the connection (each registration owns its own
    // collator, so a connection never shares one with another thread). SqlError when SQLite refuses.
    static void registerOn(sqlite3* db);

private:
    struct Closer {
        void operator()(UCollator* c) const;
    };
    std::unique_ptr<UCollator, Closer> collator_;
};

} // namespace tsql
