#pragma once

// The five report screens as data: their statements' fixed lines, criteria, grid columns and
// the cells they compute (working-day counts from one read of the calendar per run). The
// windows, the administration tool and the tests run these same shapes.

#include "core/Report.h"

#include <QList>
#include <QString>

namespace reports {

report::Shape daysInDivision(); // TfrmRep_Deega_No_date
report::Shape movementDetail(); // TfrmRep_Detail_Deega
report::Shape byDocType();      // TfrmRep_DivBy_DocType
report::Shape daysToPayment();  // TfrmRep_Day_Kolvet
report::Shape calendarOfYear(); // TfrmRep_Day_Of_Year

// The reports by the names the administration tool gives them ("days-in-division", ...).
struct Named {
    QString name;
    report::Shape (*shape)();
};
const QList<Named> &all();

// The items a combo of the catalog's lists offers: code + " " + name.
QStringList itemsOf(db::Connection &c, criteria::Items source);

inline const QString NotFinished = QStringLiteral("ข้อมูลยังไม่เสร็จสิ้นการดำเนินการ ไม่สามารถคำนวณเวลาได้");
inline const QString CannotCount = QStringLiteral("ข้อมูลนี้ ไม่สามารถคำนวณเวลาได้");

} // namespace reports
