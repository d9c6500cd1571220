#include "screens/guarantee/NoticePreview.h"

#include "print/NoticePage.h"
#include "screens/common/Guard.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

QString askPdfFile(QWidget *parent, const QString &suggested)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("บันทึกใบแจ้งเป็นแฟ้ม PDF"),
                                        QDir::home().filePath(suggested),
                                        QStringLiteral("PDF (*.pdf)"));
}

void previewNotice(QWidget *parent, const NoticeValues &values, Dialogs &dialogs,
                   const ChoosePdfFile &choosePdf)
{
    const QString title = QStringLiteral("ใบแจ้งเงินประกันสัญญา ") + values.key;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(print::noticePageLayout());
    printer.setDocName(title);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("NoticePreview"));
    preview.setWindowTitle(title);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&values](QPrinter *target) {
                         QPainter painter(target);
                         print::drawNotice(painter, values);
                     });

    auto *savePdf = new QAction(QStringLiteral("บันทึกเป็น PDF"), &preview);
    savePdf->setObjectName(QStringLiteral("actSavePdf"));
    savePdf->setShortcut(QKeySequence::Save);
    QObject::connect(savePdf, &QAction::triggered, &preview, [&] {
        const QString file = choosePdf(&preview, values.key + QStringLiteral(".pdf"));
        if (file.isEmpty())
            return;
        guarded(&preview, dialogs, [&] {
            print::writeNoticePdf(file, values);
            dialogs.message(&preview, QStringLiteral("บันทึกใบแจ้งลงแฟ้ม %1 เรียบร้อยแล้ว").arg(file));
        });
    });
    if (auto *tools = preview.findChild<QToolBar *>()) {
        tools->addSeparator();
        tools->addAction(savePdf);
    } else {
        preview.addAction(savePdf); // by its shortcut
    }
    preview.exec();
}
