// A report grid, exactly as shown, into a workbook.

#include "XlsxReadback.h"
#include "screens/common/Grid.h"
#include "screens/common/GridExport.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestGridExport : public QObject {
    Q_OBJECT

private slots:
    void exportsTheGridAsShown()
    {
        Grid grid;
        grid.setColCount(3);
        grid.setRowCount(3);
        const QStringList header = {QStringLiteral("No"), QStringLiteral("รหัส"),
                                    QStringLiteral("วันที่เรื่องเข้ากอง")};
        for (int c = 0; c < 3; ++c)
            grid.setCell(c, 0, header.at(c));
        grid.setCell(0, 1, QStringLiteral("1"));
        grid.setCell(1, 1, QStringLiteral("QDTX2556/00002"));
        grid.setCell(2, 1, QStringLiteral("'2/1/2556 10:02:00"));
        grid.setCell(0, 2, QStringLiteral("2"));
        grid.setCell(1, 2, QStringLiteral("O'Brien"));

        QTemporaryDir dir;
        const QString first =
            exportGrid(grid, spreadsheet::movementDetailLayout(), dir.path(), false);
        const QString second =
            exportGrid(grid, spreadsheet::movementDetailLayout(), dir.path(), false);
        QVERIFY(first != second); // two presses, two workbooks
        QVERIFY(QFileInfo::exists(first) && QFileInfo::exists(second));

        XlsxReadback book;
        QVERIFY2(book.load(first), qPrintable(book.error));
        QCOMPARE(book.sheetNames, QStringList{QStringLiteral("Text 1")});
        QCOMPARE(book.text(QStringLiteral("A1")), QStringLiteral("รายงานฏีกา "));
        QCOMPARE(book.text(QStringLiteral("B4")), QStringLiteral("รหัส"));
        QCOMPARE(book.text(QStringLiteral("A5")), QStringLiteral("1"));
        QCOMPARE(book.cells.value(QStringLiteral("A5")).type, QString()); // a number
        QCOMPARE(book.text(QStringLiteral("B5")), QStringLiteral("QDTX2556/00002"));
        QCOMPARE(book.text(QStringLiteral("C5")), QStringLiteral("2/1/2556 10:02:00"));
        QCOMPARE(book.text(QStringLiteral("B6")), QStringLiteral("O'Brien"));
    }
};

QTEST_MAIN(TestGridExport)
#include "tst_grid_export.moc"
