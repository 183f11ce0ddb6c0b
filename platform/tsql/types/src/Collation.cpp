#include "tsql/Collation.h"

#include "tsql/Utf8.h"
#include "tsql/SqlError.h"

#include <sqlite3.h>
#include <unicode/ucol.h>

#include <vector>

namespace tsql {

namespace {

std::string_view withoutTrailingBlanks(std::string_view s) {
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

UCollator* openCzech() {
    UErrorCode status = U_ZERO_ERROR;
    UCollator* c = ucol_open("cs_CZ", &status);
    if (U_FAILURE(status) || c == nullptr)
        throw SqlError(448, 16, 1, "Invalid collation 'Czech_CI_AS'.");
    // Secondary strength: accents count, case does not.
    ucol_setStrength(c, UCOL_SECONDARY);
    return c;
}

UCollator* cloneOf(const UCollator* c) {
    UErrorCode status = U_ZERO_ERROR;
    UCollator* copy = ucol_clone(c, &status);
    if (U_FAILURE(status) || copy == nullptr)
        throw SqlError(448, 16, 1, "Invalid collation 'Czech_CI_AS'.");
    return copy;
}

int compareWith(const UCollator* c, std::string_view a, std::string_view b) {
    a = withoutTrailingBlanks(a);
    b = withoutTrailingBlanks(b);
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult r = ucol_strcollUTF8(c, a.data(), static_cast<int32_t>(a.size()), b.data(),
                                                static_cast<int32_t>(b.size()), &status);
    if (U_FAILURE(status))
        return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
    return r == UCOL_LESS ? -1 : (r == UCOL_EQUAL ? 0 : 1);
}

int sqliteCompare(void* context, int lengthA, const void* a, int lengthB, const void* b) {
    return compareWith(static_cast<const UCollator*>(context),
                       std::string_view(static_cast<const char*>(a), static_cast<std::size_t>(lengthA)),
                       std::string_view(static_cast<const char*>(b), static_cast<std::size_t>(lengthB)));
}

void sqliteDestroy(void* context) {
    ucol_close(static_cast<UCollator*>(context));
}

} // namespace

void Collation::Closer::operator()(UCollator* c) const {
    ucol_close(c);
}

Collation::Collation() : collator_(openCzech()) {}
Collation::~Collation() = default;
Collation::Collation(const Collation& other) : collator_(cloneOf(other.collator_.get())) {}
Collation& Collation::operator=(const Collation& other) {
    if (this != &other)
        collator_.reset(cloneOf(other.collator_.get()));
    return *this;
}
Collation::Collation(Collation&&) noexcept = default;
Collation& Collation::operator=(Collation&&) noexcept = default;

const Collation& Collation::standard() {
    static const Collation instance;
    return instance;
}

int Collation::compare(std::string_view a, std::string_view b) const {
    return compareWith(collator_.get(), a, b);
}

std::string Collation::sortKey(std::string_view utf8) const {
    const std::u16string text = detail::toUtf16(withoutTrailingBlanks(utf8));
    const auto* chars = reinterpret_cast<const UChar*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    std::vector<uint8_t> key(text.size() * 4 + 16);
    int32_t needed =
        ucol_getSortKey(collator_.get(), chars, length, key.data(), static_cast<int32_t>(key.size()));
    if (needed > static_cast<int32_t>(key.size())) {
        key.resize(static_cast<std::size_t>(needed));
        needed =
            ucol_getSortKey(collator_.get(), chars, length, key.data(), static_cast<int32_t>(key.size()));
    }
    // The key ends with a zero byte that is not part of the ordering.
    const std::size_t size = needed > 0 ? static_cast<std::size_t>(needed) - 1 : 0;
    return std::string(reinterpret_cast<const char*>(key.data()), size);
}

void Collation::registerOn(sqlite3* db) {
    std::unique_ptr<UCollator, Closer> own(cloneOf(standard().collator_.get()));
    // On failure SQLite does not call the destructor: the collator stays ours to close.
    const int rc = sqlite3_create_collation_v2(db, std::string(kSqliteName).c_str(), SQLITE_UTF8, own.get(),
                                               sqliteCompare, sqliteDestroy);
    if (rc != SQLITE_OK)
        throw SqlError(448, 16, 1, "Invalid collation '" + std::string(kSqliteName) + "'.");
    (void)own.release();
}

} // namespace tsql
