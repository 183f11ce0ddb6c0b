#pragma once
// Demo rows of stock: units, goods groups, stock items with bar codes and parameters, storage
// locations, stock cards with their quantities spread over locations, serial numbers in stock and
// the drawings attached to the made parts.

#include "DemoContext.h"

namespace devhost::detail {

void writeItems(DemoContext& demo);
void writeStock(DemoContext& demo);
void writeDrawings(DemoContext& demo);

} // namespace devhost::detail
