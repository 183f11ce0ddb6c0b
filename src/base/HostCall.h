#pragma once
// Turns a failing host result into a PluginError with the host's text.

#include "ov/HResult.h"

namespace provozmat {

// Raises a PluginError when hr is a failure: the host's error text, or, when the host gave
// none, a text naming the operation and the result code.
void checkHost(ov::HRESULT hr, const char* operation);

} // namespace provozmat
