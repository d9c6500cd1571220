// What the import table says of a workbook before it is read, and of a save once it is done.

#include "core/ImportRows.h"
#include "core/Messages.h"
#include "util/SheetCells.h"
#include "util/Utility.h"

#include <QRegularExpression>

namespace {

const QRegularExpression &pattern(KeyForm form)
{
    static const QRegularExpression documentKey(
        QStringLiteral("^[A-Za-z]{1,10}[0-9]{4}/[0-9]{1,10}$"));
    static const QRegularExpression dayText(
        QStringLiteral("^[0-9]{1,2}[/.-][0-9]{1,2}[/.-][0-9]{4}( .*)?$"));
    static const QRegularExpression year(QStringLiteral("^[0-9]{4}$"));
    switch (form) {
    case KeyForm::DocumentKey:
        return documentKey;
    case KeyForm::DayText:
        return dayText;
    case KeyForm::Year:
        break;
    }
    return year;
}

QString cellName(int row, int col)
{
    return QStringLiteral("แถวที่ %1 คอลัมน์ %2").arg(row).arg(columnLetters(col));
}

// What the import expects, named for the user who chose another workbook.
QString expected(const ImportLayout &layout)
{
    const ImportSheetShape &shape = layout.sheet;
    return QStringLiteral("การนำเข้านี้ต้องการ%1: หัวคอลัมน์อยู่แถวที่ %2 ข้อมูลเริ่มแถวที่ %3 "
                          "คอลัมน์ %4 เป็น%5 (เช่น %6)\n"
                          "จึงไม่ได้อ่านแฟ้มนี้และไม่ได้บันทึกข้อมูลใด ๆ")
        .arg(shape.name)
        .arg(layout.headerRow)
        .arg(layout.firstRow)
        .arg(columnLetters(shape.keyCol), shape.keyName, shape.keyExample);
}

QString headingProblem(const ImportLayout &layout, const SheetCells &sheet)
{
    const ImportSheetShape &shape = layout.sheet;
    for (const int col : shape.headingCols) {
        if (trimText(sheet.cellText(layout.headerRow, col)).isEmpty())
            return cellName(layout.headerRow, col) + QStringLiteral(" ควรเป็นหัวคอลัมน์ แต่ว่างอยู่");
    }
    const QString heading = trimText(sheet.cellText(layout.headerRow, shape.keyCol));
    if (keyFits(shape.keyForm, heading))
        return cellName(layout.headerRow, shape.keyCol) +
               QStringLiteral(" ควรเป็นหัวคอลัมน์ แต่เป็นข้อมูล (%1)").arg(heading);
    return {};
}

// Whether one of the rows the read would take has a key of the form; a sheet with no such
// rows at all is an empty workbook of the right shape.
bool someKeyFits(const ImportLayout &layout, const SheetCells &sheet)
{
    const ImportSheetShape &shape = layout.sheet;
    int rows = 0;
    for (int r = layout.firstRow; !sheet.cellText(r, layout.endCol).isEmpty(); ++r, ++rows) {
        if (keyFits(shape.keyForm, trimText(sheet.cellText(r, shape.keyCol))))
            return true;
    }
    return rows == 0;
}

QString keyHeaders(const ImportLayout &layout)
{
    QStringList names;
    for (const int k : layout.keyCells)
        names << trimText(layout.columns.value(k).header);
    return names.join(QStringLiteral(" หรือ "));
}

} // namespace

bool keyFits(KeyForm form, const QString &text)
{
    return pattern(form).match(text).hasMatch();
}

QString sheetMismatch(ImportKind kind, const SheetCells &sheet)
{
    const ImportLayout &layout = importLayoutOf(kind);
    QString problem = headingProblem(layout, sheet);
    if (problem.isEmpty() && !someKeyFits(layout, sheet))
        problem = QStringLiteral("ไม่มีแถวใดที่คอลัมน์ %1 เป็น%2")
                      .arg(columnLetters(layout.sheet.keyCol), layout.sheet.keyName);
    if (problem.isEmpty())
        return {};
    return QStringLiteral("แฟ้มนี้ไม่ใช่แฟ้มที่การนำเข้านี้รับได้: ") + problem + u'\n' + expected(layout);
}

QString completionText(ImportKind kind, const ImportResult &result)
{
    const int notSaved = result.notFound + result.skipped + result.refused;
    if (notSaved == 0)
        return msg::Saved;
    const ImportLayout &layout = importLayoutOf(kind);
    QString text = msg::Saved + QStringLiteral("\nบันทึก %1 แถว ไม่ได้บันทึก %2 แถว")
                                    .arg(result.inserted + result.updated)
                                    .arg(notSaved);
    if (result.notFound > 0)
        text += QStringLiteral("\n- %1 แถว: %2").arg(result.notFound).arg(layout.notFoundReason);
    if (result.refused > 0) {
        // Few enough to name: the user finds them in the workbook.
        constexpr int Named = 10;
        QString keys = result.refusedKeys.mid(0, Named).join(QStringLiteral(", "));
        if (result.refusedKeys.size() > Named)
            keys += QStringLiteral(", ...");
        text += QStringLiteral("\n- %1 แถว: %2 (%3)")
                    .arg(result.refused)
                    .arg(layout.refusedReason, keys);
    }
    if (result.skipped > 0)
        text +=
            QStringLiteral("\n- %1 แถว: ช่อง %2 ว่าง").arg(result.skipped).arg(keyHeaders(layout));
    return text;
}
