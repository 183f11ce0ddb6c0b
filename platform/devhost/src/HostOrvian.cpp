#include "devhost/HostOrvian.h"

#include "devhost/HostAttributes.h"
#include "devhost/HostText.h"
#include "devhost/ResultQuery.h"
#include "devhost/SqlRunner.h"
#include "devhost/ValueMapping.h"
#include "devhost/Workstation.h"
#include "ov/ErrorInfo.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace devhost {

namespace {

constexpr std::uint8_t kAnswerYes = 6;
constexpr std::uint8_t kAnswerNo = 7;
constexpr std::uint8_t kAnswerCancel = 2;

// The current row's ID as SQL text for the ":ID" placeholder of a link condition.
QString idLiteral(const ov::Variant& id) {
    if (id.isNull() || id.isEmpty())
        return QStringLiteral("NULL");
    if (const auto whole = wholeNumber(id))
        return QString::number(*whole);
    QString text = displayText(id);
    text.replace(u'\'', QStringLiteral("''"));
    return QStringLiteral("N'") + text + u'\'';
}

} // namespace

HostOrvian::HostOrvian(std::weak_ptr<Workstation> workstation, std::shared_ptr<Browse> browse,
                       std::int32_t commandId)
    : workstation_(std::move(workstation)), browse_(std::move(browse)), commandId_(commandId) {}

ov::HRESULT HostOrvian::unusedSlot(const char* slot) {
    return hostFailure(
        QStringLiteral("The development host does not offer the IOrvian operation in slot %1").arg(slot));
}

template <class Body> ov::HRESULT HostOrvian::call(Body&& body) {
    return ov::guarded([&]() -> ov::HRESULT {
        const std::shared_ptr<Workstation> workstation = workstation_.lock();
        if (!workstation)
            return hostFailure(QStringLiteral("The host workstation of this call has been closed"));
        body(*workstation);
        return ov::S_OK;
    });
}

#define DEVHOST_REQUIRE(pointer)                                                                             \
    if (!(pointer))                                                                                          \
    return ov::E_POINTER

std::shared_ptr<Browse> HostOrvian::readBrowse(Workstation& workstation, int number,
                                               const QString& condition) {
    std::shared_ptr<Browse> browse = workstation.openBrowse(number, condition, browse_);
    browse->refresh(workstation.session());
    return browse;
}

void HostOrvian::openChildBrowse(Workstation& workstation, int number, const QString& condition) {
    std::shared_ptr<Browse> browse = workstation.openBrowse(number, condition, browse_);
    workstation.windows().browseOpened(browse);
}

ov::HRESULT HostOrvian::GetCurrentId(OvVariant* id) {
    DEVHOST_REQUIRE(id);
    return call([&](Workstation&) { OvVariantCopy(id, &browse_->currentId().raw()); });
}

ov::HRESULT HostOrvian::GetMarkedIds(ov::BSTR* ids) {
    DEVHOST_REQUIRE(ids);
    return call([&](Workstation&) { *ids = newBStr(browse_->markedText()); });
}

ov::HRESULT HostOrvian::GetBrowseNumber(std::int32_t* number) {
    DEVHOST_REQUIRE(number);
    return call([&](Workstation&) { *number = browse_->number(); });
}

ov::HRESULT HostOrvian::GetPeriodId(std::int32_t* id) {
    DEVHOST_REQUIRE(id);
    return call([&](Workstation&) { *id = 0; });
}

ov::HRESULT HostOrvian::GetFontName(ov::BSTR* name) {
    DEVHOST_REQUIRE(name);
    return call([&](Workstation& w) { *name = newBStr(w.settings().fontName); });
}

ov::HRESULT HostOrvian::GetFontHeight(std::int32_t* height) {
    DEVHOST_REQUIRE(height);
    return call([&](Workstation& w) { *height = w.settings().fontHeight; });
}

ov::HRESULT HostOrvian::GetFontCharset(std::int32_t* charset) {
    DEVHOST_REQUIRE(charset);
    return call([&](Workstation& w) { *charset = w.settings().fontCharset; });
}

ov::HRESULT HostOrvian::ExecSql(ov::BSTR batch) {
    return call([&](Workstation& w) { runHostBatch(w.session(), toUtf8(batch)); });
}

ov::HRESULT HostOrvian::OpenSql(ov::BSTR batch, ov::IOvQuery** query) {
    DEVHOST_REQUIRE(query);
    *query = nullptr;
    return call([&](Workstation& w) {
        auto rows = std::make_shared<const RowSet>(queryHostBatch(w.session(), toUtf8(batch)));
        *query = ResultQuery::create(std::move(rows)).detach();
    });
}

ov::HRESULT HostOrvian::RefreshBrowse(std::int32_t) {
    return call([&](Workstation& w) {
        try {
            browse_->refresh(w.session());
        } catch (const BatchError& e) {
            // A browse whose source cannot be read shows nothing; the plug-in's work is done.
            w.log << QStringLiteral("RefreshBrowse %1: %2")
                         .arg(browse_->number())
                         .arg(QString::fromUtf8(e.what()));
        }
        w.windows().browseRefreshed(*browse_);
    });
}

ov::HRESULT HostOrvian::LocateInBrowse(ov::BSTR column, const OvVariant* value, ov::WordBool* found) {
    DEVHOST_REQUIRE(value);
    DEVHOST_REQUIRE(found);
    return call([&](Workstation& w) {
        *found = ov::VARIANT_FALSE;
        try {
            browse_->ensureLoaded(w.session());
        } catch (const BatchError&) {
            return;
        }
        *found = ov::toWordBool(browse_->locate(toQString(column), ov::Variant(*value)));
        if (*found)
            w.windows().browseRefreshed(*browse_);
    });
}

ov::HRESULT HostOrvian::SelectFromBrowse(std::int32_t browseNumber, ov::BSTR keyColumn, OvVariant* key,
                                         ov::BSTR condition, ov::BSTR caption, std::int32_t,
                                         ov::WordBool* selected) {
    DEVHOST_REQUIRE(key);
    DEVHOST_REQUIRE(selected);
    return call([&](Workstation& w) {
        *selected = ov::VARIANT_FALSE;
        const auto browse = readBrowse(w, browseNumber, toQString(condition));
        const QString keyName = toQString(keyColumn);
        const int keyIndex = browse->rows()->columnIndex(keyName);
        if (keyIndex < 0)
            throw std::runtime_error("Browse " + std::to_string(browseNumber) + " has no column " +
                                     keyName.toStdString());
        browse->locate(keyName, ov::Variant(*key));
        const auto row = w.dialogs().select({toQString(caption), *browse->rows(), browse->currentRow()});
        if (!row)
            return;
        OvVariantCopy(
            key,
            &browse->rows()->rows[static_cast<std::size_t>(*row)][static_cast<std::size_t>(keyIndex)].raw());
        *selected = ov::VARIANT_TRUE;
    });
}

ov::HRESULT HostOrvian::GetApplicationHandle(std::uint64_t* handle) {
    DEVHOST_REQUIRE(handle);
    return call([&](Workstation& w) { *handle = w.windows().applicationHandle(); });
}

ov::HRESULT HostOrvian::GetApplicationIcon(std::uint64_t* handle) {
    DEVHOST_REQUIRE(handle);
    return call([&](Workstation&) { *handle = 0; });
}

ov::HRESULT HostOrvian::ShowMessage(ov::BSTR text) {
    return call([&](Workstation& w) { w.dialogs().showMessage(toQString(text)); });
}

ov::HRESULT HostOrvian::ShowError(ov::BSTR text) {
    return call([&](Workstation& w) { w.dialogs().showError(toQString(text)); });
}

ov::HRESULT HostOrvian::AskYesNo(ov::BSTR question, std::int32_t defaultButton, ov::WordBool* yes) {
    DEVHOST_REQUIRE(yes);
    return call([&](Workstation& w) {
        *yes = ov::toWordBool(w.dialogs().askYesNo(toQString(question), defaultButton == 0));
    });
}

ov::HRESULT HostOrvian::OpenBrowse(std::int32_t browseNumber, ov::BSTR linkCondition) {
    return call([&](Workstation& w) {
        QString condition = toQString(linkCondition);
        static const QRegularExpression placeholder(QStringLiteral(":ID\\b"),
                                                    QRegularExpression::CaseInsensitiveOption);
        condition.replace(placeholder, idLiteral(browse_->currentId()));
        openChildBrowse(w, browseNumber, condition);
    });
}

ov::HRESULT HostOrvian::OpenBrowseFiltered(std::int32_t browseNumber, ov::BSTR condition) {
    return call([&](Workstation& w) { openChildBrowse(w, browseNumber, toQString(condition)); });
}

ov::HRESULT HostOrvian::GetSpid(std::int16_t* spid) {
    DEVHOST_REQUIRE(spid);
    return call([&](Workstation& w) { *spid = static_cast<std::int16_t>(w.settings().spid); });
}

ov::HRESULT HostOrvian::GetAttributePublicName(ov::BSTR tableColumn, ov::BSTR* name) {
    DEVHOST_REQUIRE(name);
    return call([&](Workstation&) { *name = newBStr(attributePublicName(toQString(tableColumn))); });
}

ov::HRESULT HostOrvian::GetAttributeConversion(ov::BSTR tableColumn, ov::BSTR* conversion) {
    DEVHOST_REQUIRE(conversion);
    return call([&](Workstation&) { *conversion = newBStr(attributeConversion(toQString(tableColumn))); });
}

ov::HRESULT HostOrvian::GetHostVersion(std::int64_t* version) {
    DEVHOST_REQUIRE(version);
    return call([&](Workstation& w) { *version = w.settings().hostVersion; });
}

ov::HRESULT HostOrvian::GetSqlServerVersion(std::int32_t* version) {
    DEVHOST_REQUIRE(version);
    return call([&](Workstation& w) { *version = w.settings().sqlServerVersion; });
}

ov::HRESULT HostOrvian::GetExtCommandId(std::int32_t* id) {
    DEVHOST_REQUIRE(id);
    return call([&](Workstation&) { *id = commandId_; });
}

ov::HRESULT HostOrvian::AskYesNoCancel(ov::BSTR question, std::uint8_t* answer) {
    DEVHOST_REQUIRE(answer);
    return call([&](Workstation& w) {
        switch (w.dialogs().askYesNoCancel(toQString(question))) {
        case YesNoCancel::Yes:
            *answer = kAnswerYes;
            break;
        case YesNoCancel::No:
            *answer = kAnswerNo;
            break;
        case YesNoCancel::Cancel:
            *answer = kAnswerCancel;
            break;
        }
    });
}

ov::HRESULT HostOrvian::GetBrowseQuery(ov::IOvQuery** query) {
    DEVHOST_REQUIRE(query);
    *query = nullptr;
    return call([&](Workstation& w) {
        browse_->ensureLoaded(w.session());
        std::weak_ptr<Browse> browse = browse_;
        std::weak_ptr<Workstation> workstation = workstation_;
        *query = ResultQuery::create(browse_->rows(), std::max(browse_->currentRow(), 0),
                                     [browse, workstation](int row) {
                                         const auto b = browse.lock();
                                         const auto ws = workstation.lock();
                                         if (!b)
                                             return;
                                         b->setCurrentRow(row);
                                         if (ws)
                                             ws->windows().browseRefreshed(*b);
                                     })
                     .detach();
    });
}

ov::HRESULT HostOrvian::GetBrowseViewName(ov::BSTR* viewName) {
    DEVHOST_REQUIRE(viewName);
    return call([&](Workstation&) { *viewName = newBStr(browse_->source().name); });
}

ov::HRESULT HostOrvian::GetOwner(ov::IOrvian** owner) {
    DEVHOST_REQUIRE(owner);
    *owner = nullptr;
    return call([&](Workstation& w) {
        if (browse_->owner())
            *owner = w.orvian(browse_->owner(), commandId_).detach();
    });
}

ov::HRESULT HostOrvian::GetInstanceId(std::int32_t* id) {
    DEVHOST_REQUIRE(id);
    return call([&](Workstation&) { *id = browse_->instanceId(); });
}

ov::HRESULT HostOrvian::LookupInBrowse(std::int32_t browseNumber, ov::BSTR displayColumn, ov::BSTR keyColumn,
                                       ov::BSTR* displayText, OvVariant* key, ov::BSTR condition,
                                       ov::BSTR caption, std::int32_t, std::int32_t, ov::WordBool readOnly,
                                       std::int32_t positioning, ov::WordBool* chosen) {
    DEVHOST_REQUIRE(displayText);
    DEVHOST_REQUIRE(key);
    DEVHOST_REQUIRE(chosen);
    return call([&](Workstation& w) {
        *chosen = ov::VARIANT_FALSE;
        const auto browse = readBrowse(w, browseNumber, toQString(condition));
        const RowSet& rows = *browse->rows();
        const QString displayName = toQString(displayColumn);
        const QString keyName = toQString(keyColumn);
        const int displayIndex = rows.columnIndex(displayName);
        const int keyIndex = keyName.isEmpty() ? -1 : rows.columnIndex(keyName);
        if (displayIndex < 0 || (!keyName.isEmpty() && keyIndex < 0))
            throw std::runtime_error("Browse " + std::to_string(browseNumber) + " has no column " +
                                     (displayIndex < 0 ? displayName : keyName).toStdString());
        // Positioning 1 starts on the row of the key (or of the text when there is no key
        // column), 2 on the row of the text.
        if (positioning == 1 && keyIndex >= 0)
            browse->locate(keyName, ov::Variant(*key));
        else
            browse->locate(displayName, ov::Variant::fromString(ov::bstrView(*displayText)));
        const auto row = w.dialogs().select({toQString(caption), rows, browse->currentRow()});
        if (!row || ov::fromWordBool(readOnly))
            return;
        const auto& values = rows.rows[static_cast<std::size_t>(*row)];
        OvSysFreeString(*displayText);
        *displayText = newBStr(devhost::displayText(values[static_cast<std::size_t>(displayIndex)]));
        if (keyIndex >= 0)
            OvVariantCopy(key, &values[static_cast<std::size_t>(keyIndex)].raw());
        *chosen = ov::VARIANT_TRUE;
    });
}

ov::HRESULT HostOrvian::ImportHostFile(std::int32_t kind, ov::BSTR path, ov::WordBool* imported) {
    DEVHOST_REQUIRE(imported);
    return call([&](Workstation& w) {
        const QString file = toQString(path);
        const bool readable = QFileInfo(file).isReadable();
        w.importedFiles << QStringLiteral("%1:%2").arg(kind).arg(file);
        w.log << QStringLiteral("ImportHostFile kind %1: %2 (%3)")
                     .arg(kind)
                     .arg(file, readable ? QStringLiteral("accepted") : QStringLiteral("not readable"));
        *imported = ov::toWordBool(readable);
    });
}

ov::HRESULT HostOrvian::GetSystemDatabaseName(ov::BSTR* name) {
    DEVHOST_REQUIRE(name);
    return call([&](Workstation& w) { *name = newBStr(w.settings().systemDatabaseName); });
}

ov::HRESULT HostOrvian::PrintForm(std::int32_t browseNumber, std::int32_t formId, ov::BSTR condition,
                                  std::int32_t* result) {
    DEVHOST_REQUIRE(result);
    return call([&](Workstation& w) {
        w.print(browseNumber, formId, toQString(condition));
        *result = static_cast<std::int32_t>(w.printJobs.size());
    });
}

ov::HRESULT HostOrvian::RegisterTables(ov::BSTR tableNames) {
    return call([&](Workstation& w) {
        for (const QString& name : toQString(tableNames).split(u',', Qt::SkipEmptyParts))
            w.registeredTables << name.trimmed();
        w.log << QStringLiteral("RegisterTables: %1").arg(toQString(tableNames));
    });
}

ov::HRESULT HostOrvian::RunBrowseAction(std::int32_t browseNumber, ov::BSTR condition, ov::BSTR actionName) {
    return call([&](Workstation& w) {
        const auto source = findBrowseSource(w.session(), browseNumber);
        if (!source)
            throw std::runtime_error("The host has no browse " + std::to_string(browseNumber));
        OpenedDocument document{browseNumber, toQString(condition), toQString(actionName), {}};
        document.title = QStringLiteral("%1 – %2").arg(source->title, document.condition);
        RowSet rows;
        try {
            rows = *readBrowse(w, browseNumber, document.condition)->rows();
        } catch (const BatchError& e) {
            w.log << QStringLiteral("RunBrowseAction %1: %2")
                         .arg(browseNumber)
                         .arg(QString::fromUtf8(e.what()));
        }
        w.windows().documentOpened(document, rows);
    });
}

ov::HRESULT HostOrvian::GetHostText(std::int32_t number, ov::BSTR* caption) {
    DEVHOST_REQUIRE(caption);
    return call([&](Workstation&) { *caption = newBStr(hostText(number)); });
}

ov::HRESULT HostOrvian::SetDebugController(ov::IUnknown*) {
    return call([&](Workstation& w) { w.log << QStringLiteral("SetDebugController"); });
}

ov::HRESULT HostOrvian::GetDebugControllerName(ov::BSTR* name) {
    DEVHOST_REQUIRE(name);
    return call([&](Workstation&) { *name = newBStr(QString()); });
}

} // namespace devhost
