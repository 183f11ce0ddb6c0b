#pragma once
// The database server's clock, which every time of the event log follows.

#include <QDateTime>

namespace provozmat {

class Host;

// "SELECT getdate()" through the host; the local clock when that fails or returns nothing.
QDateTime serverTime(const Host& host);

} // namespace provozmat
