#include "screens/imports/ImportScreen.h"

#include "core/Messages.h"
#include "screens/common/Busy.h"
#include "screens/common/Dialogs.h"
#include "screens/common/EnterMovesOn.h"
#include "screens/common/Grid.h"
#include "screens/common/Guard.h"
#include "screens/common/Session.h"
#include "spreadsheet/ReaderProcess.h"
#include "spreadsheet/SpreadsheetError.h"
#include "util/Utility.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString NothingToSave = QStringLiteral("ไม่มีข้อมูลที่จะบันทึก กรุณาเปิดแฟ้มข้อมูลที่มีข้อมูลก่อน");
const QString SeePicture = QStringLiteral("\nรูปแบบแฟ้มที่ถูกต้องแสดงในภาพบนหน้าจอ");

QPushButton *button(QWidget *parent, const QString &name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

QLineEdit *readOnlyEdit(QWidget *parent, const QString &name, const QString &text, int width)
{
    auto *e = new QLineEdit(text, parent);
    e->setObjectName(name);
    e->setReadOnly(true);
    e->setFixedWidth(width);
    return e;
}

} // namespace

QPixmap drawImportLayout(const ImportLayout &layout)
{
    int lastCol = 0;
    for (const ImportColumn &c : layout.columns)
        lastCol = std::max(lastCol, c.sheetCol);
    const int rows = layout.firstRow + 2;
    constexpr int rowH = 22;
    constexpr int numW = 34;
    constexpr int colW = 110;
    QPixmap pixmap(numW + lastCol * colW + 1, (rows + 1) * rowH + 1);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    const QColor fixedFill(0xE4, 0xE4, 0xE4);
    p.fillRect(0, 0, pixmap.width(), rowH, fixedFill);
    p.fillRect(0, 0, numW, pixmap.height(), fixedFill);
    p.fillRect(numW, layout.firstRow * rowH, lastCol * colW, rowH, QColor(0xFF, 0xF4, 0xC8));
    p.setPen(QColor(0xB0, 0xB0, 0xB0));
    for (int r = 0; r <= rows + 1; ++r)
        p.drawLine(0, r * rowH, pixmap.width(), r * rowH);
    p.drawLine(0, 0, 0, pixmap.height());
    for (int c = 0; c <= lastCol; ++c)
        p.drawLine(numW + c * colW, 0, numW + c * colW, pixmap.height());
    p.setPen(Qt::black);
    const QFontMetrics fm(p.font());
    for (int c = 1; c <= lastCol; ++c)
        p.drawText(QRect(numW + (c - 1) * colW, 0, colW, rowH), Qt::AlignCenter, columnLetters(c));
    for (int r = 1; r <= rows; ++r)
        p.drawText(QRect(0, r * rowH, numW, rowH), Qt::AlignCenter, QString::number(r));
    for (const ImportColumn &c : layout.columns) {
        if (c.sheetCol <= 0)
            continue;
        const QRect header(numW + (c.sheetCol - 1) * colW + 3, layout.headerRow * rowH, colW - 6,
                           rowH);
        p.drawText(header, Qt::AlignVCenter | Qt::AlignLeft,
                   fm.elidedText(c.header, Qt::ElideRight, header.width()));
        const QRect data(header.x(), layout.firstRow * rowH, header.width(), rowH);
        QString sample = QStringLiteral("...");
        if (c.take == ImportTake::Date || c.take == ImportTake::DateOrCut)
            sample = QStringLiteral("13.10.2016");
        if (c.sheetCol == layout.endCol)
            p.setPen(Qt::darkRed);
        p.drawText(data, Qt::AlignVCenter | Qt::AlignLeft, sample);
        p.setPen(Qt::black);
    }
    return pixmap;
}

ImportScreen::ImportScreen(Session &session, const QString &objectName, ImportKind kind,
                           const LayoutButtons &picture, QWidget *parent)
    : Screen(session, objectName, parent), kind_(kind)
{
    auto *outer = new QVBoxLayout(this);
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    outer->addWidget(Panel1);
    auto *main = new QVBoxLayout(Panel1);
    main->addWidget(buildTitle());
    main->addWidget(buildFileGroup(picture));
    main->addWidget(buildLayoutPicture(picture));
    main->addWidget(buildPreviewGroup(), 1);

    chooseFile = [this] {
        return QFileDialog::getOpenFileName(
            this, QStringLiteral("Open"), QString(),
            QStringLiteral("Excel File (*.xls *.xlsx);;All files (*.*)"));
    };

    for (QPushButton *b : {BitBtn1, btnSave_Data, BitBtn2, layoutShow_, layoutOk_}) {
        if (b)
            enterClicks(b);
    }
    connect(BitBtn1, &QPushButton::clicked, this, &ImportScreen::BitBtn1Click);
    connect(btnSave_Data, &QPushButton::clicked, this, &ImportScreen::btnSave_DataClick);
    connect(BitBtn2, &QPushButton::clicked, this, &ImportScreen::BitBtn2Click);
    if (layoutShow_)
        connect(layoutShow_, &QPushButton::clicked, this, &ImportScreen::showLayout);
    connect(layoutOk_, &QPushButton::clicked, this, &ImportScreen::hideLayout);
    FormCreate();
}

QWidget *ImportScreen::buildTitle()
{
    auto *GroupBox3 = new QGroupBox(Panel1);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    auto *titleRow = new QHBoxLayout(GroupBox3);
    Label5 = new QLabel(importLayoutOf(kind_).title, GroupBox3);
    Label5->setObjectName(QStringLiteral("Label5"));
    QFont big = Label5->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    Label5->setFont(big);
    titleRow->addWidget(Label5);
    titleRow->addStretch();
    titleRow->addWidget(new QLabel(QStringLiteral("V 4.0"), GroupBox3));
    return GroupBox3;
}

QWidget *ImportScreen::buildFileGroup(const LayoutButtons &picture)
{
    auto *GroupBox1 = new QGroupBox(Panel1);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto *g1 = new QGridLayout(GroupBox1);
    BitBtn1 = button(GroupBox1, QStringLiteral("BitBtn1"), QStringLiteral("เปิดแฟ้มข้อมูล"));
    btnSave_Data =
        button(GroupBox1, QStringLiteral("btnSave_Data"), QStringLiteral("บันทึกลงฐานข้อมูล"));
    BitBtn2 = button(GroupBox1, QStringLiteral("BitBtn2"), QStringLiteral("ออกจากโปรแกรม"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addWidget(btnSave_Data);
    buttons->addWidget(BitBtn2);
    if (!picture.showName.isEmpty()) {
        layoutShow_ = button(GroupBox1, picture.showName, picture.showCaption);
        buttons->addWidget(layoutShow_);
    }
    buttons->addStretch();
    g1->addLayout(buttons, 0, 0, 1, 4);
    g1->addWidget(new QLabel(QStringLiteral("แฟ้มข้อมูลที่เปิด :"), GroupBox1), 1, 0);
    L_Fname = new QLabel(GroupBox1);
    L_Fname->setObjectName(QStringLiteral("L_Fname"));
    L_Name3 = new QLabel(GroupBox1);
    L_Name3->setObjectName(QStringLiteral("L_Name3"));
    g1->addWidget(L_Fname, 1, 1);
    g1->addWidget(L_Name3, 1, 2);
    g1->setColumnStretch(3, 1);
    return GroupBox1;
}

QWidget *ImportScreen::buildLayoutPicture(const LayoutButtons &picture)
{
    Panel4 = new QFrame(Panel1);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setFrameShape(QFrame::StyledPanel);
    auto *p4 = new QVBoxLayout(Panel4);
    // The sheet is wider than most windows: the picture scrolls.
    auto *scroll = new QScrollArea(Panel4);
    scroll->setObjectName(QStringLiteral("layoutScroll"));
    auto *picture4 = new QLabel(scroll);
    picture4->setObjectName(QStringLiteral("layoutPicture"));
    picture4->setPixmap(drawImportLayout(importLayoutOf(kind_)));
    scroll->setWidget(picture4);
    scroll->setMinimumHeight(std::min(picture4->sizeHint().height() +
                                          scroll->horizontalScrollBar()->sizeHint().height() +
                                          2 * scroll->frameWidth(),
                                      300));
    p4->addWidget(scroll);
    // The holiday import has no button to show it, only a wrong workbook does; its OK is ours.
    layoutOk_ =
        button(Panel4, picture.okName.isEmpty() ? QStringLiteral("layoutOk") : picture.okName,
               QStringLiteral("OK"));
    p4->addWidget(layoutOk_, 0, Qt::AlignRight);
    Panel4->hide();
    return Panel4;
}

QWidget *ImportScreen::buildPreviewGroup()
{
    auto *GroupBox2 = new QGroupBox(Panel1);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto *g2 = new QGridLayout(GroupBox2);
    StringGrid1 = new Grid(GroupBox2);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    g2->addWidget(StringGrid1, 0, 0);
    if (kind_ != ImportKind::Erp) {
        auto *lists = new QVBoxLayout;
        ListBox1 = new QListWidget(GroupBox2);
        ListBox1->setObjectName(QStringLiteral("ListBox1"));
        ListBox1->setMaximumWidth(260);
        if (kind_ == ImportKind::Kvsis) {
            lists->addWidget(new QLabel(QStringLiteral("Add Data"), GroupBox2));
            lists->addWidget(ListBox1);
            ListBox2 = new QListWidget(GroupBox2);
            ListBox2->setObjectName(QStringLiteral("ListBox2"));
            ListBox2->setMaximumWidth(260);
            lists->addWidget(new QLabel(QStringLiteral("Update Data"), GroupBox2));
            lists->addWidget(ListBox2);
        } else {
            lists->addWidget(new QLabel(QStringLiteral("ข้อมูลที่ไม่ถูก Update "), GroupBox2));
            lists->addWidget(ListBox1);
        }
        g2->addLayout(lists, 0, 1);
    }
    ProgressBar1 = new QProgressBar(GroupBox2);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    g2->addWidget(ProgressBar1, 1, 0, 1, 2);
    auto *totals = new QHBoxLayout;
    totals->addWidget(new QLabel(QStringLiteral("จำนวนเงินรวม"), GroupBox2));
    edtSum_M1 = readOnlyEdit(GroupBox2, QStringLiteral("edtSum_M1"), QString(), 120);
    edtSum_M1->setAlignment(Qt::AlignRight);
    totals->addWidget(edtSum_M1);
    totals->addWidget(new QLabel(QStringLiteral("บาท"), GroupBox2));
    // The compensatory-holiday import has no month of data.
    if (kind_ != ImportKind::StopDays) {
        totals->addSpacing(20);
        totals->addWidget(new QLabel(QStringLiteral("ข้อมูลเดือน"), GroupBox2));
        edtData_M = readOnlyEdit(GroupBox2, QStringLiteral("edtData_M"), QString(), 40);
        totals->addWidget(edtData_M);
        totals->addWidget(new QLabel(QStringLiteral("ปี"), GroupBox2));
        edtData_Y = readOnlyEdit(GroupBox2, QStringLiteral("edtData_Y"), QString(), 60);
        totals->addWidget(edtData_Y);
    }
    totals->addStretch();
    btnExp_Excel =
        button(GroupBox2, QStringLiteral("btnExp_Excel"), QStringLiteral("Export To Excel"));
    totals->addWidget(btnExp_Excel);
    g2->addLayout(totals, 2, 0, 1, 2);
    g2->setRowStretch(0, 1);
    g2->setColumnStretch(0, 1);
    return GroupBox2;
}

void ImportScreen::FormCreate()
{
    const QString &today = session().Today_Thai;
    edtSum_M1->setText(QStringLiteral("0.00"));
    if (edtData_M) {
        edtData_M->setText(today.mid(3, 2));
        edtData_Y->setText(today.mid(6, 4));
    }
    Panel4->hide();
}

void ImportScreen::BitBtn1Click()
{
    const QString fileName = chooseFile ? chooseFile() : QString();
    if (fileName.isEmpty())
        return;
    btnOpen2Click(fileName);
}

void ImportScreen::btnOpen2Click(const QString &fileName)
{
    Session &s = session();
    guarded(this, s.dialogs, [&] {
        std::unique_ptr<spreadsheet::WorkbookReader> sheet;
        try {
            // Apart, in the reader process: a damaged file cannot take the program down.
            sheet = spreadsheet::openWorkbookIsolated(fileName);
        } catch (const spreadsheet::Error &e) {
            s.dialogs.error(this, e.message());
            return;
        }
        // Another import's workbook is refused whole: nothing read, nothing to save.
        const QString mismatch = sheetMismatch(kind_, *sheet);
        if (!mismatch.isEmpty()) {
            showLayout();
            s.dialogs.error(this, mismatch + SeePicture);
            return;
        }
        L_Fname->setText(fileName + QStringLiteral("  ความยาว ") +
                         QString::number(fileName.size()) + QStringLiteral(" ตัวอักษร"));
        L_Name3->setText(QFileInfo(fileName).fileName());
        const ImportPreview preview = readPreview(kind_, *sheet);
        fillGrid(preview);
        if (edtData_M)
            edtSum_M1->setText(QStringLiteral("0.00"));
        if (!preview.error.isEmpty())
            s.dialogs.error(this, preview.error);
    });
}

void ImportScreen::fillGrid(const ImportPreview &preview)
{
    const ImportLayout &layout = importLayoutOf(kind_);
    const int cols = static_cast<int>(layout.columns.size());
    // Down to the header first: no row of an earlier preview stays behind.
    StringGrid1->setRowCount(1);
    StringGrid1->setColCount(cols);
    for (int c = 0; c < cols; ++c) {
        const ImportColumn &column = layout.columns[c];
        if (column.width > 0)
            StringGrid1->setColWidth(c, column.width);
        StringGrid1->setCell(c, 0, column.header);
    }
    StringGrid1->fillRows(preview.rows);
    // A grid keeps one data row even when nothing was read.
    if (preview.rows.isEmpty())
        StringGrid1->setRowCount(2);
}

QList<QStringList> ImportScreen::previewRows() const
{
    QList<QStringList> rows;
    const int cols = StringGrid1->colCount();
    for (int r = 1; r < StringGrid1->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < cols; ++c)
            cells.append(StringGrid1->cell(c, r));
        rows.append(cells);
    }
    return rows;
}

void ImportScreen::btnSave_DataClick()
{
    Session &s = session();
    if (BusyScope::isBusy(this))
        return;
    guarded(this, s.dialogs, [&] {
        const QList<QStringList> rows = previewRows();
        // Only a preview read from a workbook has columns; an empty grid has nothing to save.
        if (StringGrid1->colCount() != importLayoutOf(kind_).columns.size() ||
            std::none_of(rows.cbegin(), rows.cend(), [](const QStringList &row) {
                return !trimText(row.join(QString())).isEmpty();
            })) {
            s.dialogs.message(this, NothingToSave);
            return;
        }
        if (!s.dialogs.confirm(this, msg::ConfirmSave))
            return;
        if (kind_ == ImportKind::Kvsis) {
            ListBox1->clear();
            ListBox2->clear();
        }
        ProgressBar1->setMaximum(static_cast<int>(rows.size()));
        ProgressBar1->setValue(0);
        ImportResult result;
        try {
            BusyScope busy(this);
            savePreview(kind_, s.connection, rows, result, [&](int i) {
                ProgressBar1->setValue(i);
                busy.keepPainting();
            });
        } catch (...) {
            // The rows saved before the failure are listed all the same.
            listResult(result);
            throw;
        }
        listResult(result);
        s.dialogs.message(this, completionText(kind_, result));
    });
}

void ImportScreen::listResult(const ImportResult &result)
{
    switch (kind_) {
    case ImportKind::Kvsis:
        ListBox1->addItems(result.insertedKeys);
        ListBox2->addItems(result.updatedKeys);
        break;
    case ImportKind::StopDays:
        ListBox1->addItems(result.notFoundKeys);
        break;
    case ImportKind::Erp:
        break;
    }
}

void ImportScreen::BitBtn2Click()
{
    closeScreen();
}

void ImportScreen::showLayout()
{
    Panel4->show();
}

void ImportScreen::hideLayout()
{
    Panel4->hide();
}
