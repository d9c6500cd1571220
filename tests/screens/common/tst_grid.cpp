#include "screens/common/Grid.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

namespace {

QString label(int col, int row)
{
    return QString::number(col) + u',' + QString::number(row);
}

void fill(Grid &grid)
{
    for (int r = 0; r < grid.rowCount(); ++r)
        for (int c = 0; c < grid.colCount(); ++c)
            grid.setCell(c, r, label(c, r));
}

} // namespace

class TestGrid : public QObject {
    Q_OBJECT

private slots:
    void freshGrid()
    {
        Grid grid;
        QCOMPARE(grid.colCount(), 5);
        QCOMPARE(grid.rowCount(), 5);
        QCOMPARE(grid.model()->rowCount(), 4);
        QCOMPARE(grid.row(), 1);
        QVERIFY(grid.verticalHeader()->isHidden());
        QCOMPARE(grid.verticalHeader()->defaultSectionSize(), 24);
        QCOMPARE(grid.rowHeight(0), 24);
        for (int c = 0; c < grid.colCount(); ++c)
            QCOMPARE(grid.colWidth(c), 64);
        QCOMPARE(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(!(grid.model()->flags(grid.model()->index(0, 1)) & Qt::ItemIsEditable));
        QCOMPARE(grid.selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(grid.selectionMode(), QAbstractItemView::SingleSelection);
        QVERIFY(!grid.tabKeyNavigation());
    }

    void resizeKeepsAndDrops_data()
    {
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("rows");
        QTest::newRow("grow both") << 7 << 9;
        QTest::newRow("fewer columns") << 2 << 4;
        QTest::newRow("fewer rows") << 4 << 2;
        QTest::newRow("shrink both") << 1 << 3;
        QTest::newRow("header row only") << 4 << 1;
        QTest::newRow("nothing") << 0 << 0;
    }
    void resizeKeepsAndDrops()
    {
        QFETCH(int, cols);
        QFETCH(int, rows);
        Grid grid;
        grid.setColCount(4);
        grid.setRowCount(4);
        fill(grid);

        grid.setColCount(cols);
        grid.setRowCount(rows);
        QCOMPARE(grid.colCount(), cols);
        QCOMPARE(grid.rowCount(), rows);
        QCOMPARE(grid.model()->columnCount(), cols);
        QCOMPARE(grid.model()->rowCount(), std::max(0, rows - 1));
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                QCOMPARE(grid.cell(c, r), c < 4 && r < 4 ? label(c, r) : QString());

        // What was cut away does not come back when the grid grows again.
        grid.setColCount(4);
        grid.setRowCount(4);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                QCOMPARE(grid.cell(c, r), c < cols && r < rows ? label(c, r) : QString());
    }

    void growingRowByRowKeepsEarlierRows()
    {
        // The screens grow the grid by one row per result row.
        Grid grid;
        grid.setColCount(3);
        grid.setRowCount(2);
        for (int n = 1; n <= 500; ++n) {
            grid.setRowCount(n + 1);
            for (int c = 0; c < 3; ++c)
                grid.setCell(c, n, label(c, n));
        }
        QCOMPARE(grid.rowCount(), 501);
        QCOMPARE(grid.model()->rowCount(), 500);
        QCOMPARE(grid.cell(0, 1), label(0, 1));
        QCOMPARE(grid.cell(2, 250), label(2, 250));
        QCOMPARE(grid.cell(1, 500), label(1, 500));
        QCOMPARE(grid.model()->index(499, 2).data().toString(), label(2, 500));
    }

    void outsideTheGrid_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::newRow("negative column") << -1 << 1;
        QTest::newRow("negative row") << 1 << -1;
        QTest::newRow("column past the end") << 3 << 1;
        QTest::newRow("row past the end") << 1 << 3;
        QTest::newRow("far away") << 1000 << 100000;
    }
    void outsideTheGrid()
    {
        QFETCH(int, col);
        QFETCH(int, row);
        Grid grid;
        grid.setColCount(3);
        grid.setRowCount(3);
        fill(grid);
        grid.setCell(col, row, QStringLiteral("x"));
        QCOMPARE(grid.cell(col, row), QString());
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                QCOMPARE(grid.cell(c, r), label(c, r));
        if (row < 0 || row >= 3) {
            grid.clearRow(row);
            QCOMPARE(grid.cell(1, 1), label(1, 1));
        }
    }

    void rowZeroIsTheHeader()
    {
        Grid grid;
        grid.setColCount(3);
        grid.setRowCount(3);
        const QStringList header{QStringLiteral("No"), QStringLiteral("รหัส"),
                                 QStringLiteral("DocNumber")};
        for (int c = 0; c < 3; ++c)
            grid.setCell(c, 0, header[c]);
        grid.setCell(1, 1, QStringLiteral("QDTX2567/00001"));
        grid.setCell(2, 2, QStringLiteral("ที่ 12"));

        const QAbstractItemModel *model = grid.model();
        for (int c = 0; c < 3; ++c)
            QCOMPARE(model->headerData(c, Qt::Horizontal).toString(), header[c]);
        QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("QDTX2567/00001"));
        QCOMPARE(model->index(1, 2).data().toString(), QStringLiteral("ที่ 12"));

        QSignalSpy headerSpy(model, &QAbstractItemModel::headerDataChanged);
        grid.setCell(2, 0, QStringLiteral("Topic"));
        QCOMPARE(headerSpy.count(), 1);
        QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Topic"));

        grid.setRowCount(0);
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QString());
    }

    void writtenCellsReachTheView()
    {
        Grid grid;
        grid.setColCount(4);
        grid.setRowCount(10);
        QSignalSpy spy(grid.model(), &QAbstractItemModel::dataChanged);
        grid.setCell(2, 3, QStringLiteral("a"));
        grid.setCell(1, 6, QStringLiteral("b"));
        QTRY_VERIFY(spy.count() > 0);
        bool sawA = false;
        bool sawB = false;
        for (const QList<QVariant> &args : spy) {
            const auto topLeft = args.at(0).value<QModelIndex>();
            const auto bottomRight = args.at(1).value<QModelIndex>();
            const auto covers = [&](int col, int modelRow) {
                return topLeft.row() <= modelRow && modelRow <= bottomRight.row() &&
                       topLeft.column() <= col && col <= bottomRight.column();
            };
            sawA = sawA || covers(2, 2);
            sawB = sawB || covers(1, 5);
        }
        QVERIFY(sawA);
        QVERIFY(sawB);

        // Cells written and then cut away before the view hears of them give no stray range.
        spy.clear();
        grid.setCell(3, 9, QStringLiteral("c"));
        grid.setRowCount(4);
        QTest::qWait(20);
        for (const QList<QVariant> &args : spy) {
            QVERIFY(args.at(0).value<QModelIndex>().isValid());
            QVERIFY(args.at(1).value<QModelIndex>().isValid());
        }
    }

    void columnWidths()
    {
        Grid grid;
        grid.setColCount(6);
        const QList<int> widths{30, 90, 120, 90, 250};
        for (int c = 0; c < widths.size(); ++c)
            grid.setColWidth(c, widths[c]);
        for (int c = 0; c < widths.size(); ++c)
            QCOMPARE(grid.colWidth(c), widths[c]);
        QCOMPARE(grid.colWidth(5), 64);

        grid.setColCount(8);
        QCOMPARE(grid.colWidth(6), 64);
        QCOMPARE(grid.colWidth(7), 64);
        QCOMPARE(grid.colWidth(4), 250);

        grid.setColWidth(8, 100); // past the end: ignored
        QCOMPARE(grid.colWidth(8), 0);
        QCOMPARE(grid.colWidth(-1), 0);
        QCOMPARE(grid.horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    }

    void currentRow()
    {
        Grid grid;
        grid.setColCount(3);
        grid.setRowCount(2);
        QCOMPARE(grid.row(), 1);
        QVERIFY(grid.selectionModel()->isRowSelected(0));

        grid.setRowCount(10);
        grid.setRow(7);
        QCOMPARE(grid.row(), 7);
        QVERIFY(grid.selectionModel()->isRowSelected(6));
        QCOMPARE(grid.selectionModel()->selectedRows().size(), 1);

        grid.setRow(0);  // the header row cannot be chosen
        grid.setRow(10); // nor a row past the end
        QCOMPARE(grid.row(), 7);

        // Cutting the current row away leaves a remaining row current and highlighted.
        grid.setRowCount(4);
        QVERIFY(grid.row() >= 1 && grid.row() <= 3);
        QVERIFY(grid.selectionModel()->isRowSelected(grid.row() - 1));

        grid.setRowCount(1);
        QCOMPARE(grid.row(), 0);
        grid.setRowCount(3);
        QCOMPARE(grid.row(), 1);
        QVERIFY(grid.selectionModel()->isRowSelected(0));
    }

    void clearRow_data()
    {
        QTest::addColumn<int>("row");
        QTest::newRow("data row") << 2;
        QTest::newRow("header row") << 0;
        QTest::newRow("last row") << 3;
    }
    void clearRow()
    {
        QFETCH(int, row);
        Grid grid;
        grid.setColCount(4);
        grid.setRowCount(4);
        fill(grid);
        grid.clearRow(row);
        QCOMPARE(grid.colCount(), 4);
        QCOMPARE(grid.rowCount(), 4);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                QCOMPARE(grid.cell(c, r), r == row ? QString() : label(c, r));
    }

    void doubleClickOnADataRow()
    {
        Grid grid;
        grid.setColCount(3);
        grid.setRowCount(6);
        fill(grid);
        grid.resize(300, 400);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QSignalSpy spy(&grid, &Grid::dblClick);

        // A double-click arrives as press, release, double-click, release.
        const auto doubleClick = [&](QPoint at) {
            QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
        };
        const QRect third = grid.visualRect(grid.model()->index(2, 1));
        doubleClick(third.center());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(grid.row(), 3);

        // Below the last row there is no data row to open.
        const QRect last = grid.visualRect(grid.model()->index(4, 1));
        doubleClick(last.center() + QPoint(0, 100));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(grid.row(), 3);
    }

    void runningNumberColumnLooksFixed()
    {
        Grid grid;
        grid.setColCount(3);
        grid.setRowCount(4);
        grid.resize(300, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.setFocus();
        grid.setRow(2);
        QApplication::processEvents();

        const QImage image = grid.viewport()->grab().toImage();
        const auto colour = [&](int modelRow, int col) {
            const QRect rect = grid.visualRect(grid.model()->index(modelRow, col));
            return image.pixelColor(rect.center());
        };
        const QColor fixedColour = grid.palette().color(QPalette::Button);
        // The selected row is highlighted, except in its running number.
        QCOMPARE(colour(1, 0), fixedColour);
        QVERIFY(colour(1, 1) != fixedColour);
        QCOMPARE(colour(0, 0), fixedColour);
        QVERIFY(colour(0, 1) != fixedColour);
    }
};

QTEST_MAIN(TestGrid)
#include "tst_grid.moc"
