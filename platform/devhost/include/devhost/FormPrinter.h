#pragma once
// Renders a simple report form to a PDF file: a title, the condition it was printed for and a
// table of the rows. Needs a QGuiApplication (fonts); returns false when there is none or the
// file cannot be written.

#include "devhost/RowSet.h"

#include <QString>

namespace devhost {

bool renderFormPdf(const QString& path, const QString& title, const QString& condition, const RowSet& rows);

} // namespace devhost
