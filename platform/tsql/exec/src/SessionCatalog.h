#pragma once
// The catalog as one session sees it: the tables, views and modules of the database file, and the
// session's own #tables, which live in the connection's temp schema.

#include "Catalog.h"
#include "CatalogViews.h"

#include "tsql/binder/TableInfo.h"

namespace tsql {

class SessionCatalog : public CatalogReader {
public:
    explicit SessionCatalog(sqlite3* db) : main_(db, false), temp_(db, true) {}

    Catalog& forName(std::string_view name) { return name.starts_with('#') ? temp_ : main_; }
    const Catalog& forName(std::string_view name) const { return name.starts_with('#') ? temp_ : main_; }
    Catalog& main() { return main_; }

    // A system view (sysobjects, sys.objects, ...) under the name the binder resolved it to, else a
    // table of the database or a #table.
    std::optional<TableInfo> findTable(std::string_view name) const override {
        if (auto view = findSystemView(name))
            return view;
        return forName(name).find(name);
    }
    std::optional<ViewInfo> findView(std::string_view name) const override {
        if (name.starts_with('#'))
            return std::nullopt;
        auto m = main_.findModule(name);
        if (!m || m->type != "V")
            return std::nullopt;
        return ViewInfo{m->name, m->definition};
    }

    std::optional<ViewInfo> findFunction(std::string_view name) const override {
        auto m = main_.findModule(name);
        if (!m || m->type != "FN")
            return std::nullopt;
        return ViewInfo{m->name, m->definition};
    }

    // Around each statement that writes: identity values it takes stay taken if it is undone.
    void forgetTakenIdentities() {
        main_.forgetTakenIdentities();
        temp_.forgetTakenIdentities();
    }
    void keepTakenIdentities() {
        main_.keepTakenIdentities();
        temp_.keepTakenIdentities();
    }

private:
    Catalog main_;
    Catalog temp_;
};

} // namespace tsql
