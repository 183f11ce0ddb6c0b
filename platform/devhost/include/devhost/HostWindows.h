#pragma once
// What the host does with windows when the plug-in asks: show a browse it opened, show a
// browse again after a refresh, open a document in a top-level window, and give the handle of
// the main window. The Qt implementation opens real windows; RecordingWindows only remembers.

#include "devhost/Browse.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace devhost {

struct OpenedDocument {
    int browseNumber = 0;
    QString condition;
    QString action;
    QString title;
};

class HostWindows {
public:
    virtual ~HostWindows() = default;

    virtual void browseOpened(const std::shared_ptr<Browse>& browse) = 0;
    virtual void browseRefreshed(const Browse& browse) = 0;
    virtual void documentOpened(const OpenedDocument& document, const RowSet& rows) = 0;
    virtual std::uint64_t applicationHandle() const = 0;
};

class RecordingWindows final : public HostWindows {
public:
    void browseOpened(const std::shared_ptr<Browse>& browse) override { browses.push_back(browse); }
    void browseRefreshed(const Browse& browse) override { refreshed.push_back(browse.instanceId()); }
    void documentOpened(const OpenedDocument& document, const RowSet&) override {
        documents.push_back(document);
    }
    std::uint64_t applicationHandle() const override { return 0; }

    std::vector<std::shared_ptr<Browse>> browses;
    std::vector<int> refreshed; // instance IDs
    std::vector<OpenedDocument> documents;
};

} // namespace devhost
