#pragma once
// Errors raised inside the plug-in's own windows, outside any host call: they are shown with
// the host's error box of the most recent run, translated from a message number.

#include "ov/ComPtr.h"
#include "ov/Orvian.h"

#include <exception>

namespace provozmat {

// The host interface whose error box serves; replaced at every run.
void installApplicationExceptionHandler(ov::ComPtr<ov::IOrvian> orvian);
// Forgets the host interface (when the plug-in object that ran goes away).
void releaseApplicationExceptionHandler(ov::IOrvian* orvian);

// Shows the error; when the host cannot show it, writes it to standard error.
void handleApplicationException(const std::exception& e) noexcept;

} // namespace provozmat
