#pragma once
// The base of every set of commands the plug-in adds to a host browse. The run dispatch
// creates one by its class name, starts one action on it and frees it.

#include <QString>

#include <functional>
#include <memory>

namespace provozmat {

class Host;
struct TplgExtAkceDef;

class TplgAkcePrehleduBase {
public:
    virtual ~TplgAkcePrehleduBase() = default;

    // Runs the action with that GUID and returns its result text (the registration script
    // for the reserved GUID).
    virtual QString SpustAkci(const QString& guid) = 0;
};

// How a browse-action class is created: for one of the plug-in's browses (Create, with the
// editor class and the browse index) or for an action set on a host browse (CreateTab).
struct BrowseActionClass {
    std::function<std::unique_ptr<TplgAkcePrehleduBase>(const Host&, const QString& editorClass,
                                                        int browseIndex)>
        Create;
    std::function<std::unique_ptr<TplgAkcePrehleduBase>(const Host&, const TplgExtAkceDef&)> CreateTab;
};

// The browse-action classes this build has, by class name.
void registerBrowseActionClass(const QString& className, BrowseActionClass actionClass);
// The class of that name; raises the not-available error when this build has none.
const BrowseActionClass& browseActionClass(const QString& className);

} // namespace provozmat
