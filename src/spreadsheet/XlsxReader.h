#pragma once

// The first worksheet of an .xlsx workbook (an Office Open XML package), read whole: cells as
// WorkbookReader gives them, dates recognised by their cell styles' number formats. Sizes are
// bounded throughout (ZipLimits); a sheet whose used area passes what the .xls reader
// takes (2^24 cells) is refused as too large.

#include "spreadsheet/Workbook.h"
#include "spreadsheet/ZipPackage.h"

#include <QByteArray>
#include <memory>

namespace spreadsheet {

// Reads the workbook held in bytes; path names it in messages. Throws Error with a Thai
// message for a damaged or encrypted package, one that is no spreadsheet workbook, one without
// a worksheet, or one that unpacks past limits.
std::unique_ptr<WorkbookReader> readXlsx(const QByteArray &bytes, const QString &path,
                                         const ZipLimits &limits = {});

} // namespace spreadsheet
