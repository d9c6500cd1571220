// What the workbook reader process hands the program, whatever it is: a crash of the reader can
// leave any bytes behind, so the frame decoder must read any input without failing and give
// either a sheet consistent with its own size, a refusal, or Damaged; a sheet written back and
// read again is the same sheet.

#include "FuzzInput.h"
#include "spreadsheet/SheetTransport.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const spreadsheet::Frame frame = spreadsheet::readFrame(bytes);
    if (frame.kind != spreadsheet::Frame::Sheet)
        return 0;
    const spreadsheet::SheetTexts &sheet = *frame.sheet;
    FUZZ_CHECK(sheet.rowCount() >= 0 && sheet.columnCount() >= 0);
    FUZZ_CHECK(sheet.cellText(0, 1).isEmpty() && sheet.cellText(sheet.rowCount() + 1, 1).isEmpty());

    // Writing walks the whole used size: only small sheets are written back.
    if (qint64(sheet.rowCount()) * sheet.columnCount() > 100000)
        return 0;
    QBuffer again;
    again.open(QIODevice::WriteOnly);
    FUZZ_CHECK(spreadsheet::writeSheet(again, sheet));
    const spreadsheet::Frame back = spreadsheet::readFrame(again.data());
    FUZZ_CHECK(back.kind == spreadsheet::Frame::Sheet);
    FUZZ_CHECK(back.sheet->rowCount() == sheet.rowCount() &&
               back.sheet->columnCount() == sheet.columnCount());
    for (int r = 1; r <= sheet.rowCount() && r <= 50; ++r)
        for (int c = 1; c <= sheet.columnCount() && c <= 50; ++c)
            FUZZ_CHECK(back.sheet->cellText(r, c) == sheet.cellText(r, c));
    return 0;
}
