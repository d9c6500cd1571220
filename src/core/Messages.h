#pragma once

// The messages many screens give, defined once so they cannot drift apart.

#include <QString>

namespace msg {

inline const QString ConfirmSave = QStringLiteral("ยืนยันการบันทึกข้อมูล ");
inline const QString Saved = QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว");
inline const QString NotFound = QStringLiteral("ไม่พบข้อมูลที่ต้องการ");
inline const QString SystemFailure = QStringLiteral("ระบบล้มเหลว กรุณาติดต่อคุณTovrek");
inline const QString YearNotNumber = QStringLiteral("กรุณาใส่ปีเป็นตัวเลข");

} // namespace msg
