#include "core/ImportRows.h"

#include "core/Guarantee.h"
#include "data/Connection.h"
#include "data/Statement.h"
#include "util/SheetCells.h"
#include "util/Utility.h"

#include <QDate>
#include <algorithm>

namespace {

using T = ImportTake;

ImportColumn col(int sheetCol, const char *header, int width, T take, int maxChars = 0)
{
    return {sheetCol, QString::fromUtf8(header), width, take, maxChars};
}

const ImportColumn RunningNumber{0, QStringLiteral("No. "), 50, T::Number, 0};

ImportLayout makeKvsis()
{
    return {ImportKind::Kvsis,
            QStringLiteral("Import MS Excel From  KVSIS"),
            1,
            2,
            4,
            {RunningNumber, col(2, "DovPriLevelName", 90, T::Cut, 20),
             col(3, "DocNo", 90, T::Cut, 40), col(4, "DocNoDate", 120, T::Cut, 20),
             col(5, "DocNumber", 120, T::Cut, 40), col(6, "DocDate", 120, T::Cut, 10),
             col(7, "From_Unit", 100, T::Cut, 150), col(8, "Topic", 100, T::Cut, 250),
             col(9, "To_Who", 250, T::Cut, 100), col(10, "FromSite", 120, T::Cut, 250),
             col(11, "Doc_Stat", 150, T::Cut, 50), col(12, "Modified_Date", 100, T::Cut, 20),
             col(13, "Item Type", 100, T::Cut, 10), col(15, "DocStatus", 64, T::Cut, 1)},
            QStringLiteral("Main_Deega_Control"),
            {2},
            [](const QStringList &g) { return kvsisLookupStatement(g.value(2)); },
            kvsisUpdateStatement,
            kvsisInsertStatement,
            {2},
            {},
            {},
            // A guarantee document lives in the same table: a voucher sheet never touches one.
            guarantee::isKey,
            QStringLiteral("เลขที่เอกสารเป็นของเอกสารเงินประกันสัญญา (มี \"ส\" เป็นตัวอักษรที่ 5 หรือ 7) "
                           "จึงไม่นำเข้า"),
            {QStringLiteral("แฟ้มเอกสารที่ส่งออกจากระบบ KVSIS"),
             {3, 4},
             3,
             KeyForm::DocumentKey,
             QStringLiteral("เลขที่เอกสาร"),
             QStringLiteral("QDTX2556/00002")}};
}

ImportLayout makeStopDays()
{
    return {ImportKind::StopDays,
            QStringLiteral("Import Stop Day (วันหยุดราชการ)"),
            2,
            3,
            1,
            {RunningNumber, col(2, "Date ", 90, T::Cut, 20), col(3, "ชื่อวันที่หยุด", 90, T::Cut, 50),
             col(4, "สถานะของวัน", 120, T::Cut, 50)},
            QStringLiteral("TR_Day_Calendar"),
            {1},
            [](const QStringList &g) { return stopDayLookupStatement(g.value(1)); },
            stopDayUpdateStatement,
            nullptr,
            {1},
            // A day the calendar does not hold is listed with its holiday name.
            {1, 2},
            QStringLiteral("ไม่มีวันที่นั้นในปฏิทิน (ดูรายการ \"ข้อมูลที่ไม่ถูก Update\")"),
            nullptr,
            {},
            {QStringLiteral("แฟ้มวันหยุดชดเชยและวันหยุดราชการ"),
             {2},
             2,
             KeyForm::DayText,
             QStringLiteral("วันที่ วว/ดด/ปปปป"),
             QStringLiteral("03/01/2555")}};
}

ImportLayout makeErp()
{
    return {ImportKind::Erp,
            QStringLiteral("Import MS Excel From  KVERP"),
            4,
            6,
            3,
            {RunningNumber,
             col(3, "Fiscal Year", 90, T::Cut, 20),
             col(4, "Posting Date", 90, T::Date),
             col(5, "FI Doc. No.", 120, T::Cut, 20),
             col(6, "Check No.", 120, T::Cut, 40),
             col(7, "Clearing Date", 120, T::DateOrCut, 10),
             col(8, "วันที่บันทึกจ่าย", 100, T::DateOrCut, 150),
             col(9, "Clearing Doc.", 100, T::Cut, 250),
             col(10, "Deka Number", 250, T::Cut, 100),
             col(11, "Deka Status", 120, T::Cut, 250),
             col(12, "Vendor Name", 150, T::Cut, 50),
             col(13, "Description", 100, T::Cut, 20),
             col(14, "จำนวนเงินขอเบิก", 100, T::Cut, 10),
             col(15, "ภาษีมูลค่าเพิ่ม", 0, T::Trim),
             col(16, "ภาษีหัก ณ ที่จ่าย", 0, T::Trim),
             col(17, "Other Deduction", 0, T::Trim),
             col(18, "To Be Paid", 0, T::Trim),
             col(19, "Fund", 0, T::Trim),
             col(20, "Functional Area", 0, T::Trim),
             col(21, "วันที่รับวาง-วันที่บันทึกจ่าย", 0, T::Trim)},
            QStringLiteral("M_Imp_ERP"),
            // Half a key would make every such row overwrite the same stored one.
            {1, 3},
            [](const QStringList &g) { return erpLookupStatement(g.value(1), g.value(3)); },
            erpUpdateStatement,
            erpInsertStatement,
            {1, 3},
            {},
            {},
            nullptr,
            {},
            {QStringLiteral("แฟ้มรายการล้างหนี้ที่ส่งออกจาก KVERP"),
             {3, 5},
             3,
             KeyForm::Year,
             QStringLiteral("ปีงบประมาณ ค.ศ."),
             QStringLiteral("2017")}};
}

QString dateError(int row, int sheetCol, const QString &text)
{
    return QStringLiteral("แถวที่ %1 คอลัมน์ %2: \"%3\" ไม่ใช่วันที่ในรูปแบบ วัน.เดือน.ปี ค.ศ. "
                          "(เช่น 13.10.2016) จึงหยุดอ่านที่แถวนี้")
        .arg(row)
        .arg(columnLetters(sheetCol), text);
}

bool allDigits(const QString &s)
{
    for (const QChar ch : s) {
        if (ch < u'0' || ch > u'9')
            return false;
    }
    return !s.isEmpty();
}

// The literal of a text value: quoted, with its quotes doubled.
QString q(const QString &value)
{
    return QLatin1Char('\'') + db::sqlText(value) + QLatin1Char('\'');
}

QString cell(const QStringList &cells, int i)
{
    return cells.value(i);
}

// Inserts the row; when another station wrote the same key since the lookup, the insert fails
// and the row becomes the update of that key. Gives whether it was inserted.
bool insertOrUpdate(db::Connection &c, const ImportLayout &layout, const QStringList &cells)
{
    try {
        c.execute(layout.insert(cells));
        return true;
    } catch (const db::Error &) {
        if (!c.exists(layout.lookup(cells)))
            throw;
    }
    c.execute(layout.update(cells));
    return false;
}

QString joinedCells(const QStringList &cells, const QList<int> &which)
{
    QStringList named;
    for (int k : which)
        named << cell(cells, k);
    return named.join(QLatin1Char(' '));
}

bool blank(const QString &s)
{
    return trimText(s).isEmpty();
}

} // namespace

const ImportLayout &importLayoutOf(ImportKind kind)
{
    static const ImportLayout kvsis = makeKvsis();
    static const ImportLayout stopDays = makeStopDays();
    static const ImportLayout erp = makeErp();
    switch (kind) {
    case ImportKind::Kvsis:
        return kvsis;
    case ImportKind::StopDays:
        return stopDays;
    case ImportKind::Erp:
        break;
    }
    return erp;
}

bool erpDateText(const QString &text, QString &out)
{
    const QString t = trimText(text);
    const qsizetype dot1 = t.indexOf(u'.');
    if (dot1 < 0)
        return false;
    const QString day = t.left(dot1);
    const QString rest = t.mid(dot1 + 1);
    const qsizetype dot2 = rest.indexOf(u'.');
    if (dot2 < 0)
        return false;
    const QString month = rest.left(dot2);
    const QString year = midChars(rest, dot2 + 1, 4);
    const QString after = midChars(rest, dot2 + 5, rest.size());
    if (day.size() > 2 || month.size() > 2 || year.size() != 4 || !allDigits(day) ||
        !allDigits(month) || !allDigits(year))
        return false;
    if (!after.isEmpty() && after.at(0) != u' ')
        return false;
    const int d = day.toInt();
    const int m = month.toInt();
    const int y = year.toInt();
    if (!QDate(y, m, d).isValid())
        return false;
    out = Right_Chars(QStringLiteral("0") + day, 2) + QLatin1Char('/') +
          Right_Chars(QStringLiteral("0") + month, 2) + QLatin1Char('/') +
          QString::number(y + BuddhistEraOffset);
    return true;
}

ImportPreview readPreview(ImportKind kind, const SheetCells &sheet)
{
    const ImportLayout &layout = importLayoutOf(kind);
    ImportPreview preview;
    for (int r = layout.firstRow; !sheet.cellText(r, layout.endCol).isEmpty(); ++r) {
        QStringList cells;
        cells.reserve(layout.columns.size());
        for (const ImportColumn &c : layout.columns) {
            if (c.take == T::Number) {
                cells.append(QString::number(preview.rows.size() + 1));
                continue;
            }
            const QString raw = sheet.cellText(r, c.sheetCol);
            switch (c.take) {
            case T::Number:
                break;
            case T::Cut:
                cells.append(leftChars(raw, c.maxChars));
                break;
            case T::Trim:
                cells.append(trimText(raw));
                break;
            case T::Date:
            case T::DateOrCut: {
                if (c.take == T::DateOrCut && blank(raw)) {
                    cells.append(leftChars(raw, c.maxChars));
                    break;
                }
                QString converted;
                if (!erpDateText(raw, converted)) {
                    preview.error = dateError(r, c.sheetCol, raw);
                    return preview;
                }
                cells.append(converted);
                break;
            }
            }
        }
        preview.rows.append(cells);
    }
    return preview;
}

db::Statement kvsisLookupStatement(const QString &key)
{
    return {QStringLiteral("Select * From  Main_Deega_Control"),
            QStringLiteral("Where (Doc_PK=") + q(key) + QLatin1Char(')')};
}

db::Statement kvsisUpdateStatement(const QStringList &g)
{
    const QString k1 = dayKeyOfDate(cell(g, 3));
    const QString k2 = dayKeyOfDate(cell(g, 11));
    return {QStringLiteral("UPDATE Main_Deega_Control"),
            QStringLiteral("SET  DocNo=") + q(cell(g, 2)) + QStringLiteral(",DocNoDate=") +
                q(cell(g, 3)),
            QStringLiteral(",DocNumber = ") + q(cell(g, 4)) + QStringLiteral(", DocDate = ") +
                q(cell(g, 5)) + QStringLiteral(", From_Unit =") + q(cell(g, 6)),
            QStringLiteral(", Topic = ") + q(cell(g, 7)) + QStringLiteral(", To_Who = ") +
                q(cell(g, 8)) + QStringLiteral(", FromSite = ") + q(cell(g, 9)),
            QStringLiteral(", Doc_Stat = ") + q(cell(g, 10)) +
                QStringLiteral(", Modified_Date = ") + q(cell(g, 11)) +
                QStringLiteral(", Item_Type = ") + q(cell(g, 12)),
            QStringLiteral(", DocNoDate_YYYYMMDD=") + q(k1) +
                QStringLiteral(", Modified_Date_YYYYMMDD=") + q(k2),
            QStringLiteral(", DocStatus = ") + q(cell(g, 13)) + QStringLiteral(", Date_Into_Fin=") +
                q(cell(g, 3)),
            QStringLiteral("WHERE  (Doc_PK=") + q(cell(g, 2)) + QLatin1Char(')')};
}

db::Statement kvsisInsertStatement(const QStringList &g)
{
    const QString k1 = dayKeyOfDate(cell(g, 3));
    const QString k2 = dayKeyOfDate(cell(g, 11));
    const auto three = [&](int a, int b, int c) -> QString {
        return QStringLiteral(",") + q(cell(g, a)) + QStringLiteral(",") + q(cell(g, b)) +
               QStringLiteral(",") + q(cell(g, c));
    };
    return {QStringLiteral("INSERT INTO  Main_Deega_Control"),
            QStringLiteral("(DovPriLevelName, Doc_PK, DocNo"),
            QStringLiteral(", DocNoDate, DocNumber, DocDate"),
            QStringLiteral(", From_Unit, Topic, To_Who"),
            QStringLiteral(", FromSite, Doc_Stat, Modified_Date"),
            QStringLiteral(", Item_Type, DocStatus, Date_Into_Fin"),
            QStringLiteral(", DocNoDate_YYYYMMDD, Modified_Date_YYYYMMDD"),
            QStringLiteral(", IS_Rec_Cheq, IS_Success )"),
            QStringLiteral("VALUES (") + q(cell(g, 1)) + QStringLiteral(",") + q(cell(g, 2)) +
                QStringLiteral(",") + q(cell(g, 2)),
            three(3, 4, 5),
            three(6, 7, 8),
            three(9, 10, 11),
            three(12, 13, 3),
            QStringLiteral(",") + q(k1) + QStringLiteral(", ") + q(k2),
            QStringLiteral(",'N','N')")};
}

db::Statement stopDayLookupStatement(const QString &thaiDay)
{
    return {QStringLiteral("SELECT *"), QStringLiteral("FROM TR_Day_Calendar"),
            QStringLiteral("Where Thai_Day = ") + q(thaiDay)};
}

db::Statement stopDayUpdateStatement(const QStringList &cells)
{
    return {QStringLiteral("UPDATE TR_Day_Calendar"),
            QStringLiteral("SET Day_Status = ") + q(cell(cells, 3)),
            QStringLiteral(",Day_Remark = ") + q(cell(cells, 2)),
            QStringLiteral("Where Thai_Day = ") + q(cell(cells, 1))};
}

db::Statement erpLookupStatement(const QString &fiscalYear, const QString &fiDocNo)
{
    return {QStringLiteral("Select * From  M_Imp_ERP"),
            QStringLiteral(" WHERE Fiscal_Year = ") + q(fiscalYear) +
                QStringLiteral(" and FI_Doc_No = ") + q(fiDocNo)};
}

db::Statement erpUpdateStatement(const QStringList &c)
{
    return {QStringLiteral("UPDATE M_Imp_ERP"),
            QStringLiteral("SET Posting_Date  = ") + q(cell(c, 2)) +
                QStringLiteral(", Check_No = ") + q(cell(c, 4)),
            QStringLiteral(", Clearing_Date = ") + q(cell(c, 5)) +
                QStringLiteral(", Pay_date  = ") + q(cell(c, 6)),
            QStringLiteral(", Clearing_Doc = ") + q(cell(c, 7)) +
                QStringLiteral(", Deka_Number = ") + q(cell(c, 8)),
            QStringLiteral(", Deka_Status = ") + q(cell(c, 9)) +
                QStringLiteral(", Vendor_Name = ") + q(cell(c, 10)),
            QStringLiteral(", Description_Erp = ") + q(cell(c, 11)) +
                QStringLiteral(", Fund_ERP = ") + q(cell(c, 17)),
            QStringLiteral(", Functional_Area = ") + q(cell(c, 18)),
            QStringLiteral(" WHERE Fiscal_Year = ") + q(cell(c, 1)) +
                QStringLiteral(" and FI_Doc_No = ") + q(cell(c, 3))};
}

db::Statement erpInsertStatement(const QStringList &c)
{
    const auto v = [&](int i) -> QString { return q(cell(c, i)); };
    return {QStringLiteral("INSERT INTO M_Imp_ERP"),
            QStringLiteral("( Fiscal_Year, FI_Doc_No, Posting_Date"),
            QStringLiteral(", Check_No, Clearing_Date, Pay_date"),
            QStringLiteral(", Clearing_Doc, Deka_Number, Deka_Status"),
            QStringLiteral(", Vendor_Name, Description_Erp, Fund_ERP"),
            QStringLiteral(", Functional_Area ) "),
            QStringLiteral("VALUES"),
            QStringLiteral("(") + v(1) + QStringLiteral(",") + v(3) + QStringLiteral(",") + v(2),
            QStringLiteral(",") + v(4) + QStringLiteral(",") + v(5) + QStringLiteral(",") + v(6),
            QStringLiteral(",") + v(7) + QStringLiteral(",") + v(8) + QStringLiteral(",") + v(9),
            QStringLiteral(",") + v(10) + QStringLiteral(",") + v(11) + QStringLiteral(",") + v(17),
            QStringLiteral(",") + v(18) + QStringLiteral(")")};
}

void savePreview(ImportKind kind, db::Connection &c, const QList<QStringList> &rows,
                 ImportResult &result, const std::function<void(int)> &progress)
{
    db::BulkWrites bulk(c);
    const ImportLayout &layout = importLayoutOf(kind);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QStringList &g = rows[i];
        const bool keyBlank = std::any_of(layout.keyCells.begin(), layout.keyCells.end(),
                                          [&](int k) { return blank(cell(g, k)); });
        if (keyBlank) {
            ++result.skipped;
        } else if (layout.refusedKey && layout.refusedKey(cell(g, layout.keyCells.front()))) {
            ++result.refused;
            result.refusedKeys.append(joinedCells(g, layout.listedCells));
        } else {
            const QString listed = joinedCells(g, layout.listedCells);
            if (c.exists(layout.lookup(g))) {
                c.execute(layout.update(g));
                ++result.updated;
                result.updatedKeys.append(listed);
            } else if (layout.insert) {
                if (insertOrUpdate(c, layout, g)) {
                    ++result.inserted;
                    result.insertedKeys.append(listed);
                } else {
                    ++result.updated;
                    result.updatedKeys.append(listed);
                }
            } else {
                ++result.notFound;
                result.notFoundKeys.append(joinedCells(g, layout.notFoundCells));
            }
        }
        if (progress)
            progress(static_cast<int>(i + 1));
    }
    bulk.finish();
}
