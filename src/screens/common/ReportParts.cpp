#include "screens/common/ReportParts.h"

#include "print/TablePdf.h"
#include "screens/common/CriteriaPanel.h"
#include "screens/common/Dialogs.h"
#include "screens/common/GridExport.h"
#include "screens/common/Guard.h"
#include "screens/common/Session.h"
#include "spreadsheet/ReportExport.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>

QPushButton *namedButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QLabel *reportTitle(QWidget *parent, const QString &title)
{
    auto *label = new QLabel(title, parent);
    label->setObjectName(QStringLiteral("Label1"));
    label->setAlignment(Qt::AlignCenter);
    QFont big = label->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    label->setFont(big);
    return label;
}

ExportButtons exportButtons(QWidget *parent, QBoxLayout *layout)
{
    ExportButtons made;
    made.btnExp_excel =
        namedButton(parent, "btnExp_excel", QStringLiteral("3. ออกรายงานทาง MS Excel"));
    made.btnSavePdf = namedButton(parent, "btnSavePdf", QStringLiteral("บันทึกเป็น PDF"));
    auto *row = new QHBoxLayout;
    row->addWidget(made.btnExp_excel);
    row->addWidget(made.btnSavePdf);
    row->addStretch();
    layout->addLayout(row);
    return made;
}

CriteriaBox criteriaBox(QWidget *parent, QList<criteria::Criterion> list)
{
    CriteriaBox made;
    made.box = new QGroupBox(QStringLiteral("1.กำหนดเงื่อนไข"), parent);
    made.box->setObjectName(QStringLiteral("GroupBox1"));
    auto *rows = new QGridLayout(made.box);
    made.panel = std::make_unique<CriteriaPanel>(made.box, rows, std::move(list));
    made.btnSelect_Data = namedButton(made.box, "btnSelect_Data", QStringLiteral("แสดงข้อมูล"));
    made.btnExit1 = namedButton(made.box, "btnExit1", QStringLiteral("กลับสู่เมนูหลัก"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(made.btnSelect_Data);
    buttons->addWidget(made.btnExit1);
    buttons->addStretch();
    rows->addLayout(buttons, rows->rowCount(), 0, 1, 2);
    rows->setColumnStretch(1, 1);
    return made;
}

QString askReportPdfFile(QWidget *parent, const QString &suggested)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("บันทึกรายงานเป็นแฟ้ม PDF"), suggested,
                                        QStringLiteral("PDF (*.pdf)"));
}

void saveGridPdf(QWidget *screen, Session &session, const Grid &grid, const QString &title,
                 const QStringList &criteria, const PdfChooser &choose)
{
    const QString suggested =
        QDir(spreadsheet::reportsFolderPath()).filePath(title + QStringLiteral(".pdf"));
    const QString file = choose(screen, suggested);
    if (file.isEmpty())
        return;
    guarded(screen, session.dialogs, [&] {
        {
            // Some thousand rows take seconds: the pointer says so, and is itself again before
            // any message.
            QApplication::setOverrideCursor(Qt::WaitCursor);
            const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
            print::TablePdf doc = gridTablePdf(grid);
            doc.title = title;
            doc.criteria = criteria;
            doc.printedDate = session.Today_Thai;
            print::writeTablePdf(doc, file);
        }
        session.dialogs.message(screen, QStringLiteral("บันทึกรายงานลงแฟ้ม %1 เรียบร้อยแล้ว").arg(file));
    });
}
