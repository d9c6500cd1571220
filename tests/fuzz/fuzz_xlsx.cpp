// Any bytes as an .xlsx workbook: the reader reads inside them, ends, and gives either a sheet
// consistent with its own size or its Thai message. Input starting with "PK" is taken as the
// whole package; any other input is one part of a small workbook (its first byte choosing which:
// the sheet, the shared strings, the styles, the workbook, the workbook's relationships), so
// that the XML itself is tried, not only the zip's checksums.

#include "FuzzInput.h"
#include "spreadsheet/XlsxReader.h"

#include <QMap>
#include <zip.h>

namespace {

const char *const PartNames[] = {"xl/worksheets/sheet1.xml", "xl/sharedStrings.xml",
                                 "xl/styles.xml", "xl/workbook.xml", "xl/_rels/workbook.xml.rels"};

QMap<QByteArray, QByteArray> smallWorkbook()
{
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    return {
        {"_rels/.rels", "<Relationships><Relationship Id=\"a\" Type=\"" + rel +
                            "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {PartNames[0], "<worksheet><sheetData><row r=\"1\"><c r=\"A1\" t=\"s\" s=\"1\"><v>0</v></c>"
                       "<c s=\"1\"><v>41276.5</v></c></row></sheetData></worksheet>"},
        {PartNames[1], "<sst><si><t>a</t></si></sst>"},
        {PartNames[2], "<styleSheet><numFmts><numFmt numFmtId=\"164\" formatCode=\"d/m/yyyy\"/>"
                       "</numFmts><cellXfs><xf/><xf numFmtId=\"164\"/></cellXfs></styleSheet>"},
        {PartNames[3],
         "<workbook xmlns:r=\"" + rel + "\"><sheets><sheet r:id=\"s\"/></sheets></workbook>"},
        {PartNames[4], "<Relationships><Relationship Id=\"s\" Type=\"x/worksheet\" "
                       "Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"t\" "
                       "Type=\"x/sharedStrings\" Target=\"sharedStrings.xml\"/><Relationship "
                       "Id=\"u\" Type=\"x/styles\" Target=\"styles.xml\"/></Relationships>"},
    };
}

// The parts as a zip of stored entries, made by the zip library itself.
QByteArray zipped(const QMap<QByteArray, QByteArray> &parts)
{
    zip_source_t *buffer = zip_source_buffer_create(nullptr, 0, 0, nullptr);
    zip_source_keep(buffer);
    zip_t *zip = zip_open_from_source(buffer, ZIP_TRUNCATE, nullptr);
    for (auto it = parts.cbegin(); it != parts.cend(); ++it) {
        zip_source_t *data =
            zip_source_buffer(zip, it.value().constData(), zip_uint64_t(it.value().size()), 0);
        const zip_int64_t index = zip_file_add(zip, it.key().constData(), data, 0);
        zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    zip_close(zip);
    QByteArray out;
    if (zip_source_open(buffer) == 0) {
        char chunk[65536];
        zip_int64_t n = 0;
        while ((n = zip_source_read(buffer, chunk, sizeof chunk)) > 0)
            out.append(chunk, qsizetype(n));
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!bytes.startsWith("PK")) {
        QMap<QByteArray, QByteArray> parts = smallWorkbook();
        if (!bytes.isEmpty())
            parts[PartNames[quint8(bytes[0]) % 5]] = bytes.mid(1);
        bytes = zipped(parts);
    }
    spreadsheet::ZipLimits limits;
    limits.partBytes = 4 << 20;
    limits.packageBytes = 8 << 20;
    try {
        const auto sheet = spreadsheet::readXlsx(bytes, QStringLiteral("fuzz.xlsx"), limits);
        FUZZ_CHECK(sheet->rowCount() >= 0 && sheet->columnCount() >= 0);
        FUZZ_CHECK(qint64(sheet->rowCount()) * sheet->columnCount() <= qint64(1) << 24);
        FUZZ_CHECK(sheet->cellText(0, 1).isEmpty() && sheet->cellText(1, 0).isEmpty());
        FUZZ_CHECK(sheet->cellText(sheet->rowCount() + 1, 1).isEmpty());
        FUZZ_CHECK(sheet->cellText(1, sheet->columnCount() + 1).isEmpty());
        for (int r = 1; r <= sheet->rowCount() && r <= 50; ++r) {
            for (int c = 1; c <= sheet->columnCount() && c <= 50; ++c)
                FUZZ_CHECK(!sheet->cellText(r, c).contains(QChar(u'\0')));
        }
    } catch (const spreadsheet::Error &e) {
        FUZZ_CHECK(e.message().endsWith(QLatin1String("fuzz.xlsx")));
    }
    return 0;
}
