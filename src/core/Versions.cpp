#include "core/Versions.h"

#include <array>

namespace provozmat {

namespace {

QString byteText(unsigned value) {
    QString text = QString::number(value & 0xFF, 16).rightJustified(2, u'0');
    if (text.startsWith(u'0'))
        text.remove(0, 1);
    return text;
}

} // namespace

QString versionText(std::uint64_t version, int form) {
    const auto high = static_cast<std::uint32_t>(version >> 32);
    const auto low = static_cast<std::uint32_t>(version);
    const QString a = byteText(high >> 8);
    const QString b = byteText(high);
    const QString d = QString::number(low, 16).rightJustified(8, u'0');
    switch (form) {
    case 0:
        return a + u'.' + b;
    case 1:
        return a;
    case 2:
        return b;
    case 3:
        return d;
    case 4:
        return a + u'.' + b + u'.' + d.left(4) + u'.' + d.mid(4);
    case 5:
        return versionText(version, 4) + QStringLiteral(" - UNICODE") + QStringLiteral(" 12.0");
    case 6:
        return QString::number(version, 16).rightJustified(12, u'0');
    default:
        return {};
    }
}

QString sqlServerVersionName(std::int32_t version) {
    struct Release {
        std::int32_t atLeast;
        const char* name;
    };
    // Read top down; the first release the version reaches names it.
    static const std::array<Release, 26> releases{{
        {0x0BFFFFFF + 1, "2014"},
        {makeSqlServerVersion(11, 0, 5057) + 1, "2012 SP2"},
        {makeSqlServerVersion(11, 0, 3000), "2012 SP1"},
        {makeSqlServerVersion(11, 0, 0), "2012"},
        {makeSqlServerVersion(10, 50, 6000), "2008 R2 SP3"},
        {makeSqlServerVersion(10, 50, 4000), "2008 R2 SP2"},
        {makeSqlServerVersion(10, 50, 2500), "2008 R2 SP1"},
        {makeSqlServerVersion(10, 50, 0), "2008 R2"},
        {makeSqlServerVersion(10, 0, 6000), "2008 SP4"},
        {makeSqlServerVersion(10, 0, 5500), "2008 SP3"},
        {makeSqlServerVersion(10, 0, 4000), "2008 SP2"},
        {makeSqlServerVersion(10, 0, 2531), "2008 SP1"},
        {makeSqlServerVersion(10, 0, 0), "2008"},
        {makeSqlServerVersion(9, 0, 4035), "2005 SP3"},
        {makeSqlServerVersion(9, 0, 3042), "2005 SP2"},
        {makeSqlServerVersion(9, 0, 2047), "2005 SP1"},
        {makeSqlServerVersion(9, 0, 0), "2005"},
        {makeSqlServerVersion(8, 0, 2039), "2000 SP4"},
        {makeSqlServerVersion(8, 0, 760), "2000 SP3"},
        {makeSqlServerVersion(8, 0, 534), "2000 SP2"},
        {makeSqlServerVersion(8, 0, 384), "2000 SP1"},
        {makeSqlServerVersion(7, 50, 0), "2000"},
        {makeSqlServerVersion(7, 0, 1063), "7.00 SP4"},
        {makeSqlServerVersion(7, 0, 961), "7.00 SP3"},
        {makeSqlServerVersion(7, 0, 842), "7.00 SP2"},
        {makeSqlServerVersion(7, 0, 699), "7.00 SP1"},
    }};
    const char* name = "7.00";
    for (const auto& r : releases)
        if (version >= r.atLeast) {
            name = r.name;
            break;
        }
    return QStringLiteral("MS SQL Server %1").arg(QString::fromLatin1(name));
}

int compareInstalledVersion(const QString& installed, const QString& own) {
    const int c = QString::compare(installed, own, Qt::CaseInsensitive);
    return c == 0 ? 0 : c > 0 ? 1 : 2;
}

} // namespace provozmat
