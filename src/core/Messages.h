#pragma once

// The messages many screens give, defined once so they cannot drift apart.

#include <QString>

namespace msg {

inline const QString ConfirmSave = QStringLiteral("ยืนยันการบันทึกข้อมูล ");
inline const QString Saved = QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว");
inline const QString NotFound = QStringLiteral("ไม่พบข้อมูลที่ต้องการ");
inline const QString SystemFailure = QStringLiteral("ระบบล้มเหลว กรุณาติดต่อคุณTovrek");
inline const QString YearNotNumber = QStringLiteral("กรุณาใส่ปีเป็นตัวเลข");

// A date box, named by its caption, whose text is no day that exists.
inline QString notADay(const QString &box, const QString &text)
{
    return QStringLiteral("%1: \"%2\" ไม่ใช่วันที่ที่มีจริง กรุณาใส่ในรูป วว/ดด/ปปปป (ปี พ.ศ.) เช่น 05/01/2557")
        .arg(box, text);
}

// A month-year box whose text is no month.
inline QString notAMonth(const QString &box, const QString &text)
{
    return QStringLiteral("%1: \"%2\" ไม่ใช่เดือนที่มีจริง กรุณาใส่ในรูป ดด/ปปปป (ปี พ.ศ.) เช่น 01/2557")
        .arg(box, text);
}

} // namespace msg
