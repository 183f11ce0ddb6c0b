#pragma once
// The host's windows in Qt: a browse the plug-in opens gets a BrowseWindow, a refresh shows
// the browse's rows again in its window, and a document opens in a titled top-level window.

#include "devhost/BrowseWindow.h"
#include "devhost/HostWindows.h"

#include <QList>
#include <QPointer>

namespace devhost {

class WidgetWindows final : public HostWindows {
public:
    WidgetWindows() = default;
    WidgetWindows(const WidgetWindows&) = delete;
    WidgetWindows& operator=(const WidgetWindows&) = delete;
    // Closes the windows that are still open.
    ~WidgetWindows() override;

    // The workstation the windows read from and the runner their action buttons call.
    void attach(std::weak_ptr<Workstation> workstation, CommandRunner runner);
    void setMainWindow(QWidget* window) { main_ = window; }

    BrowseWindow* showBrowse(const std::shared_ptr<Browse>& browse);
    QList<QWidget*> openWindows() const;

    void browseOpened(const std::shared_ptr<Browse>& browse) override;
    void browseRefreshed(const Browse& browse) override;
    void documentOpened(const OpenedDocument& document, const RowSet& rows) override;
    std::uint64_t applicationHandle() const override;

private:
    std::weak_ptr<Workstation> workstation_;
    CommandRunner runner_;
    QPointer<QWidget> main_;
    QList<QPointer<QWidget>> windows_;
};

} // namespace devhost
