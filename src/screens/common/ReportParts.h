#pragma once

// The parts the report windows share: the title over the window, the criteria group with its
// two buttons, and a grid saved as a paginated PDF, exactly as shown.

#include "core/Criteria.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class CriteriaPanel;
class Grid;
class QBoxLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;
struct Session;

QPushButton *namedButton(QWidget *parent, const char *name, const QString &caption);

// "Label1": the report's title, centred, bold and larger than the rest.
QLabel *reportTitle(QWidget *parent, const QString &title);

// "1.กำหนดเงื่อนไข": the criteria, then "แสดงข้อมูล" and "กลับสู่เมนูหลัก" under them.
struct CriteriaBox {
    QGroupBox *box = nullptr;
    std::unique_ptr<CriteriaPanel> panel;
    QPushButton *btnSelect_Data = nullptr;
    QPushButton *btnExit1 = nullptr;
};
CriteriaBox criteriaBox(QWidget *parent, QList<criteria::Criterion> list);

// "3. ออกรายงานทาง MS Excel" and "บันทึกเป็น PDF" in a row, added to the end of layout.
struct ExportButtons {
    QPushButton *btnExp_excel = nullptr;
    QPushButton *btnSavePdf = nullptr;
};
ExportButtons exportButtons(QWidget *parent, QBoxLayout *layout);

// Names the PDF file to write (a path is suggested); empty when the user gives none.
using PdfChooser = std::function<QString(QWidget *parent, const QString &suggested)>;
// The standard save dialog.
QString askReportPdfFile(QWidget *parent, const QString &suggested);

// Asks for a file (the title's name in the reports folder suggested) and writes the grid's rows
// as shown under the title and criteria, dated today; the user is told it was written, or why
// not. Nothing is asked when the user gives no file.
void saveGridPdf(QWidget *screen, Session &session, const Grid &grid, const QString &title,
                 const QStringList &criteria, const PdfChooser &choose);
