// A result grid sorted by a header click and narrowed by its find box: what is shown, while the
// rows keep their numbers for the screens that read them.

#include "screens/common/Grid.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

enum Col { No, Key, Entered, Days, Office };

// Five rows as a report shows them: a date kept as text (one with no date), a count (one
// empty), a Thai office name.
const QList<QStringList> Rows{
    {u"1"_s, u"QDTX2556/00002"_s, u"'2/1/2556 10:02:00"_s, u"12"_s, u"กองคลัง"_s},
    {u"2"_s, u"QDTX2556/00010"_s, u"'25/12/2555"_s, u"3"_s, u"คณะวิทยาศาสตร์"_s},
    {u"3"_s, u"QDTX2555/00099"_s, u"'"_s, u""_s, u"กองแผนงาน"_s},
    {u"4"_s, u"QDTX2556/00003"_s, u"'10/1/2556"_s, u"100"_s, u"เกษตรศาสตร์"_s},
    {u"5"_s, u"QDTX2556/00004"_s, u"'2/1/2556 9:30:00"_s, u"9"_s, u"กองคลัง"_s},
};
const QStringList Header{u"No"_s, u"รหัส"_s, u"วันที่เรื่องเข้ากอง"_s, u"จำนวนวัน"_s, u"หน่วยงาน"_s};

void fill(Grid &grid, const QList<QStringList> &rows = Rows)
{
    grid.setColCount(static_cast<int>(Header.size()));
    grid.setRowCount(2);
    grid.setRowCells(0, Header);
    grid.fillRows(rows);
}

// The grid rows shown, by their original numbers.
QList<int> shownOrder(const Grid &grid)
{
    QList<int> out;
    for (int r = 1; r < grid.shownRowCount(); ++r)
        out << grid.sourceRow(r);
    return out;
}

// The running numbers as shown, which count the rows shown.
QStringList shownNumbers(const Grid &grid)
{
    QStringList out;
    for (const QStringList &row : grid.shownRows().mid(1))
        out << row.at(No);
    return out;
}

QStringList counting(qsizetype n)
{
    QStringList out;
    for (qsizetype i = 1; i <= n; ++i)
        out << QString::number(i);
    return out;
}

// A grid placed as a screen places a result grid: the find box over it.
struct Placed {
    Placed()
    {
        auto *column = new QVBoxLayout(&host);
        grid = new Grid(&host);
        column->addWidget(grid->sortAndFind());
        column->addWidget(grid, 1);
        host.resize(700, 400);
        host.show();
        fill(*grid);
    }
    QLineEdit *findBox() const { return host.findChild<QLineEdit *>(u"findBox"_s); }

    QWidget host;
    Grid *grid = nullptr;
};

} // namespace

class TestGridArrange : public QObject {
    Q_OBJECT

private slots:
    void sortsByValue_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("date, up") << int(Entered) << false << QList<int>{2, 5, 1, 4, 3};
        QTest::newRow("date, down") << int(Entered) << true << QList<int>{4, 1, 5, 2, 3};
        QTest::newRow("days, up") << int(Days) << false << QList<int>{2, 5, 1, 4, 3};
        QTest::newRow("days, down") << int(Days) << true << QList<int>{4, 1, 5, 2, 3};
        QTest::newRow("office, up") << int(Office) << false << QList<int>{1, 5, 3, 4, 2};
        QTest::newRow("office, down") << int(Office) << true << QList<int>{2, 4, 3, 1, 5};
        QTest::newRow("key, up") << int(Key) << false << QList<int>{3, 1, 4, 5, 2};
        QTest::newRow("running number, down") << int(No) << true << QList<int>{5, 4, 3, 2, 1};
        QTest::newRow("running number, up") << int(No) << false << QList<int>{1, 2, 3, 4, 5};
    }
    void sortsByValue()
    {
        QFETCH(int, col);
        QFETCH(bool, descending);
        QFETCH(QList<int>, order);
        Grid grid;
        fill(grid);
        grid.sortByColumn(col, descending ? Qt::DescendingOrder : Qt::AscendingOrder);

        QCOMPARE(shownOrder(grid), order);
        QCOMPARE(grid.shownRows().at(0), Header);
        QCOMPARE(shownNumbers(grid), counting(Rows.size()));
        for (int i = 0; i < order.size(); ++i) {
            QCOMPARE(grid.shownCell(Key, i + 1), Rows.at(order.at(i) - 1).at(Key));
            QCOMPARE(grid.model()->index(i, Key).data().toString(), grid.shownCell(Key, i + 1));
        }
        // The rows keep their numbers for whoever reads them by number.
        for (int r = 1; r <= Rows.size(); ++r)
            QCOMPARE(grid.cell(Key, r), Rows.at(r - 1).at(Key));
    }

    void headerClicksSortThenReverse()
    {
        Placed p;
        QHeaderView *header = p.grid->horizontalHeader();
        const auto clickHeader = [&](int col) {
            const int x = header->sectionViewportPosition(col) + header->sectionSize(col) / 2;
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(x, header->height() / 2));
        };
        QCOMPARE(shownOrder(*p.grid), (QList<int>{1, 2, 3, 4, 5}));
        clickHeader(Days);
        QCOMPARE(shownOrder(*p.grid), (QList<int>{2, 5, 1, 4, 3}));
        QCOMPARE(header->sortIndicatorSection(), int(Days));
        clickHeader(Days);
        QCOMPARE(shownOrder(*p.grid), (QList<int>{4, 1, 5, 2, 3}));
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        clickHeader(Entered);
        QCOMPARE(shownOrder(*p.grid), (QList<int>{2, 5, 1, 4, 3}));
        clickHeader(No);
        QCOMPARE(shownOrder(*p.grid), (QList<int>{1, 2, 3, 4, 5}));
    }

    void inputGridsDoNotSort()
    {
        // A grid that was not made a result grid keeps its rows where the screen put them.
        Grid grid;
        fill(grid);
        QVERIFY(!grid.isSortingEnabled());
        QVERIFY(!grid.horizontalHeader()->sectionsClickable());
        QCOMPARE(grid.shownRowCount(), grid.rowCount());
    }

    void findNarrows_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("shown");
        QTest::newRow("nothing typed") << u""_s << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("Thai text") << u"กองคลัง"_s << QList<int>{1, 5};
        QTest::newRow("part of a key, any case") << u"qdtx2556/0000"_s << QList<int>{1, 4, 5};
        QTest::newRow("blanks around") << u"  2/1/2556 "_s << QList<int>{1, 5};
        QTest::newRow("not the running number") << u"4"_s << QList<int>{5};
        QTest::newRow("blanks only") << u"   "_s << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("no row holds it") << u"ไม่มี"_s << QList<int>{};
    }
    void findNarrows()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, shown);
        Grid grid;
        fill(grid);
        grid.setFindText(text);
        QCOMPARE(shownOrder(grid), shown);
        QCOMPARE(grid.shownRowCount(), shown.size() + 1);
        QCOMPARE(grid.model()->rowCount(), shown.size());
        QCOMPARE(grid.shownRows().at(0), Header);
        QCOMPARE(shownNumbers(grid), counting(shown.size()));

        grid.setFindText(QString());
        QCOMPARE(shownOrder(grid), (QList<int>{1, 2, 3, 4, 5}));
        QCOMPARE(shownNumbers(grid), counting(Rows.size()));
    }

    void findFollowsTypingAndChanges()
    {
        // Typing on narrows, deleting widens, and a cell written meanwhile is looked at anew.
        Grid grid;
        fill(grid);
        const auto shownFor = [&](const QString &text) {
            grid.setFindText(text);
            return shownOrder(grid);
        };
        QCOMPARE(shownFor(u"ก"_s), (QList<int>{1, 3, 4, 5}));
        QCOMPARE(shownFor(u"กอ"_s), (QList<int>{1, 3, 5}));
        QCOMPARE(shownFor(u"กองค"_s), (QList<int>{1, 5}));
        grid.setCell(Office, 2, u"กองคลัง (ใหม่)"_s);
        QCOMPARE(shownFor(u"กองคล"_s), (QList<int>{1, 2, 5}));
        QCOMPARE(shownFor(u"กอ"_s), (QList<int>{1, 2, 3, 5}));
        QCOMPARE(shownFor(u"q"_s), (QList<int>{1, 2, 3, 4, 5}));
        QCOMPARE(shownFor(u"qD"_s), (QList<int>{1, 2, 3, 4, 5}));
        QCOMPARE(shownFor(u"QDTX2555"_s), (QList<int>{3}));
    }

    void findAndSortTogether()
    {
        Grid grid;
        fill(grid);
        grid.sortByColumn(Days, Qt::DescendingOrder);
        grid.setFindText(u"กอง"_s);
        QCOMPARE(shownOrder(grid), (QList<int>{1, 5, 3}));
        grid.setFindText(QString());
        QCOMPARE(shownOrder(grid), (QList<int>{4, 1, 5, 2, 3}));
    }

    void currentRowFollowsItsRow()
    {
        Placed p;
        Grid &grid = *p.grid;
        grid.setRow(5);
        grid.sortByColumn(Entered, Qt::AscendingOrder);
        QCOMPARE(grid.row(), 5);
        QCOMPARE(grid.currentIndex().row(), 1);
        QVERIFY(grid.selectionModel()->isRowSelected(1));

        // Narrowed away, the first row shown is current.
        grid.setFindText(u"คณะ"_s);
        QCOMPARE(grid.row(), 2);
        grid.setRow(5); // hidden: ignored
        QCOMPARE(grid.row(), 2);

        // With no row shown, the current row reads empty, never as the header.
        grid.setFindText(u"ไม่มี"_s);
        QVERIFY(grid.row() >= grid.rowCount());
        QCOMPARE(grid.cell(Key, grid.row()), QString());
    }

    void doubleClickGivesTheShownRow()
    {
        Placed p;
        Grid &grid = *p.grid;
        QVERIFY(QTest::qWaitForWindowExposed(&p.host));
        grid.sortByColumn(Entered, Qt::AscendingOrder);
        QSignalSpy spy(&grid, &Grid::dblClick);
        const QPoint at = grid.visualRect(grid.model()->index(0, Key)).center();
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(grid.row(), 2);
        QCOMPARE(grid.cell(Key, grid.row()), u"QDTX2556/00010"_s);
    }

    void newResultKeepsTheSortAndFind()
    {
        Placed p;
        Grid &grid = *p.grid;
        grid.sortByColumn(Days, Qt::AscendingOrder);
        grid.setFindText(u"กอง"_s);
        grid.setRow(3);

        QList<QStringList> next = Rows;
        next[0][Days] = u"1"_s;
        fill(grid, next);
        // Read at once, and as the view shows it once the event loop ran.
        QCOMPARE(shownOrder(grid), (QList<int>{1, 5, 3}));
        QTRY_COMPARE(grid.model()->rowCount(), 3);
        QCOMPARE(grid.model()->index(0, Key).data().toString(), Rows.at(0).at(Key));
        // A new result starts at its first row shown.
        QCOMPARE(grid.row(), 1);

        // A cell written into a sorted grid takes its place; the user's row stays current.
        grid.setRow(3);
        grid.setCell(Days, 1, u"50"_s);
        QCOMPARE(shownOrder(grid), (QList<int>{5, 1, 3}));
        QCOMPARE(grid.row(), 3);
    }

    void emptyResult()
    {
        // What a search that found nothing leaves: the header and one blank row.
        Grid grid;
        grid.setColCount(static_cast<int>(Header.size()));
        grid.setRowCount(2);
        grid.setRowCells(0, Header);
        grid.clearRow(1);
        grid.sortByColumn(Days, Qt::DescendingOrder);
        QCOMPARE(grid.shownRowCount(), 2);
        QCOMPARE(grid.shownCell(No, 1), QString()); // a blank row gets no number
        grid.setFindText(u"x"_s);
        QCOMPARE(grid.shownRowCount(), 1);
        QCOMPARE(grid.shownRows(), QList<QStringList>{Header});
        QCOMPARE(grid.cell(Key, grid.row()), QString());
        grid.setFindText(QString());
        QCOMPARE(grid.shownRowCount(), 2);

        grid.setRowCount(1);
        QCOMPARE(grid.row(), 0);
        QCOMPARE(grid.shownRowCount(), 1);
        QCOMPARE(grid.sourceRow(1), -1);
    }

    void findBoxNarrowsAsTheUserTypes()
    {
        Placed p;
        QLineEdit *box = p.findBox();
        QVERIFY(box);
        QCOMPARE(box->placeholderText(), u"ค้นหา…"_s);
        QTest::keyClicks(box, u"qdtx2556/0000"_s);
        QTRY_COMPARE(p.grid->model()->rowCount(), 3);
        QCOMPARE(p.grid->findText(), u"qdtx2556/0000"_s);
        QCOMPARE(p.host.findChild<QLabel *>(u"findCount"_s)->text(), u"แสดง 3 จาก 5 รายการ"_s);
        box->clear();
        QTRY_COMPARE(p.grid->model()->rowCount(), 5);
        QCOMPARE(p.host.findChild<QLabel *>(u"findCount"_s)->text(), QString());
    }
};

QTEST_MAIN(TestGridArrange)
#include "tst_grid_arrange.moc"
