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

    void exportsTheRowsShownInTheirOrder()
    {
        Grid grid;
        grid.setColCount(3);
        grid.setRowCells(
            0, {QStringLiteral("No"), QStringLiteral("รหัส"), QStringLiteral("วันที่เรื่องเข้ากอง")});
        grid.fillRows(
            {{QStringLiteral("1"), QStringLiteral("QDTX2556/00001"), QStringLiteral("'10/1/2556")},
             {QStringLiteral("2"), QStringLiteral("QDTX2556/00002"), QStringLiteral("'9/1/2556")},
             {QStringLiteral("3"), QStringLiteral("QDTX2555/00003"), QStringLiteral("'2/1/2556")},
             {QStringLiteral("4"), QStringLiteral("QDTX2556/00004"),
              QStringLiteral("'31/12/2555")}});
        grid.sortByColumn(2, Qt::DescendingOrder);
        grid.setFindText(QStringLiteral("qdtx2556"));

        QTemporaryDir dir;
        XlsxReadback book;
        QVERIFY2(
            book.load(exportGrid(grid, spreadsheet::movementDetailLayout(), dir.path(), false)),
            qPrintable(book.error));
        const QStringList keys{QStringLiteral("QDTX2556/00001"), QStringLiteral("QDTX2556/00002"),
                               QStringLiteral("QDTX2556/00004")};
        for (int i = 0; i < keys.size(); ++i) {
            QCOMPARE(book.text(QStringLiteral("A%1").arg(5 + i)), QString::number(i + 1));
            QCOMPARE(book.text(QStringLiteral("B%1").arg(5 + i)), keys.at(i));
        }
        QVERIFY(!book.has(QStringLiteral("A8")));
    }
};

QTEST_MAIN(TestGridExport)
#include "tst_grid_export.moc"
