#pragma once
// The sorted merge of definitions against catalogue rows with look-ahead: pairs that match
// are checked together, the rest of each side is missing or surplus.

#include <QString>

#include <algorithm>
#include <cstddef>
#include <vector>

namespace provozmat {

// Sorts items by key(item), ignoring case; equal keys keep their order.
template <typename T, typename Key> void seradPodleKlice(std::vector<T>& items, Key key) {
    std::stable_sort(items.begin(), items.end(),
                     [&](const T& a, const T& b) { return key(a).compare(key(b), Qt::CaseInsensitive) < 0; });
}

// Walks the sorted lists defs and db. shoda(d, b) tells whether a definition and a
// catalogue item are the same object (and may file a change for a matched but different
// one); chybi(d) is called for definitions without a partner, prebyva(b) for catalogue items
// without one.
template <typename D, typename B, typename Shoda, typename Chybi, typename Prebyva>
void serazenySoulad(const std::vector<D>& defs, const std::vector<B>& db, Shoda shoda, Chybi chybi,
                    Prebyva prebyva) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < defs.size() && j < db.size()) {
        if (shoda(defs[i], db[j])) {
            ++i;
            ++j;
            continue;
        }
        std::size_t l = i + 1;
        while (l < defs.size() && !shoda(defs[l], db[j]))
            ++l;
        if (l < defs.size()) {
            for (; i < l; ++i)
                chybi(defs[i]);
            i = l + 1;
            ++j;
            continue;
        }
        l = j + 1;
        while (l < db.size() && !shoda(defs[i], db[l]))
            ++l;
        if (l < db.size()) {
            for (; j < l; ++j)
                prebyva(db[j]);
            j = l + 1;
            ++i;
            continue;
        }
        chybi(defs[i++]);
        prebyva(db[j++]);
    }
    for (; i < defs.size(); ++i)
        chybi(defs[i]);
    for (; j < db.size(); ++j)
        prebyva(db[j]);
}

} // namespace provozmat
