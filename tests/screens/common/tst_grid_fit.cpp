// Column widths given for the screens' original small face, shown under the program's font:
// the same texts fit, and a text that still does not fit shows whole as its tool tip.

#include "screens/common/Grid.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHeaderView>
#include <QHelpEvent>
#include <QStyle>
#include <QTest>
#include <QToolTip>

using namespace Qt::StringLiterals;

namespace {

// A voucher key as the electronic-document export writes it, a guarantee key, and an entry
// date with its time kept as text.
const QString VoucherKey = u"QDTX2569/00123"_s;
const QString GuaranteeKey = u"2569ส0000123"_s;
const QString EnteredAt = u"'25/12/2568 10:02:00"_s;

// The browse grid's widths: No, key, document number, date, topic.
const QList<int> BrowseWidths{30, 90, 120, 90, 250};

// Measured here, not through the grid: the text and the cell's margins within its column.
bool fitsBy(const Grid &grid, int col, const QString &text)
{
    const int margin = grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1;
    const int width = QFontMetrics(grid.font(), &grid).horizontalAdvance(text);
    return width + 2 * margin <= grid.columnWidth(col) - 1;
}

void place(Grid &grid)
{
    grid.setColCount(5);
    grid.setRowCount(3);
    grid.setColWidths(BrowseWidths);
    grid.setRowCells(1, {u"1"_s, VoucherKey, EnteredAt, u"5/1/2569"_s,
                         u"ขออนุมัติเบิกจ่ายเงินค่าจ้างเหมาบริการทำความสะอาดอาคารเรียนรวมและสำนักงาน"_s});
    grid.setRowCells(2, {u"2"_s, GuaranteeKey, u"ศธ 0513.10/0123"_s, u"25/12/2568"_s, u"ค่าวัสดุ"_s});
}

} // namespace

class TestGridFit : public QObject {
    Q_OBJECT

private slots:
    void keysFitUnderTheFont_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("points");
        // The program's face first, then the other Thai faces it looks for and the desktop's
        // usual face, for a workstation without them.
        QTest::newRow("Loma 11") << u"Loma"_s << 11;
        QTest::newRow("Garuda 11") << u"Garuda"_s << 11;
        QTest::newRow("Kinnari 11") << u"Kinnari"_s << 11;
        QTest::newRow("Norasi 9") << u"Norasi"_s << 9;
        QTest::newRow("Norasi 11") << u"Norasi"_s << 11;
        QTest::newRow("DejaVu Sans 9") << u"DejaVu Sans"_s << 9;
        QTest::newRow("DejaVu Sans 14") << u"DejaVu Sans"_s << 14;
    }
    void keysFitUnderTheFont()
    {
        QFETCH(QString, family);
        QFETCH(int, points);
        if (!QFontDatabase::families().contains(family))
            QSKIP("face not installed");
        QFont font(family);
        font.setPointSize(points);
        Grid grid;
        grid.setFont(font);
        place(grid);

        for (int c = 0; c < BrowseWidths.size(); ++c)
            QCOMPARE(grid.colWidth(c), BrowseWidths.at(c));
        QVERIFY2(fitsBy(grid, 1, VoucherKey), qPrintable(QString::number(grid.columnWidth(1))));
        QVERIFY(fitsBy(grid, 1, GuaranteeKey));
        QVERIFY(fitsBy(grid, 2, EnteredAt));
        QVERIFY(fitsBy(grid, 3, u"25/12/2568"_s));
        QVERIFY(!grid.isClipped(1, 1));
        QVERIFY(!grid.isClipped(1, 2));
        QVERIFY(!grid.isClipped(2, 1));
        QVERIFY(grid.isClipped(4, 1)); // a long topic still is
        // Rows are as high as the face's lines.
        QVERIFY(grid.rowHeight(0) >= QFontMetrics(grid.font(), &grid).lineSpacing());
    }

    void widthsFollowAFontChange()
    {
        QFont small(u"DejaVu Sans"_s);
        small.setPointSize(8);
        Grid grid;
        grid.setFont(small);
        place(grid);
        const int before = grid.columnWidth(1);
        const double scale = grid.widthScale();
        QVERIFY(scale >= 1.0);

        QFont large = small;
        large.setPointSize(16);
        grid.setFont(large);
        QVERIFY(grid.widthScale() > 1.8 * scale);
        QVERIFY(grid.columnWidth(1) > before);
        for (int c = 0; c < BrowseWidths.size(); ++c)
            QCOMPARE(grid.colWidth(c), BrowseWidths.at(c));
        QVERIFY(!grid.isClipped(1, 1));

        // New columns take the standard width, scaled too.
        grid.setColCount(6);
        QCOMPARE(grid.colWidth(5), 64);
        QVERIFY(grid.columnWidth(5) > 64);
    }

    void toolTipOnlyWhereClipped_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("tip"); // empty: none
        QTest::newRow("long topic")
            << 4 << 1 << u"ขออนุมัติเบิกจ่ายเงินค่าจ้างเหมาบริการทำความสะอาดอาคารเรียนรวมและสำนักงาน"_s;
        QTest::newRow("key that fits") << 1 << 1 << QString();
        QTest::newRow("short topic") << 4 << 2 << QString();
        QTest::newRow("narrowed column") << 2 << 2 << u"ศธ 0513.10/0123"_s;
    }
    void toolTipOnlyWhereClipped()
    {
        QFETCH(int, col);
        QFETCH(int, row);
        QFETCH(QString, tip);
        Grid grid;
        place(grid);
        grid.setColWidth(2, 30); // the user dragged it narrow
        grid.resize(900, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QCOMPARE(grid.isClipped(col, row), !tip.isEmpty());

        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
        const QPoint at = grid.visualRect(grid.model()->index(row - 1, col)).center();
        QHelpEvent help(QEvent::ToolTip, at, grid.viewport()->mapToGlobal(at));
        QApplication::sendEvent(grid.viewport(), &help);
        if (tip.isEmpty()) {
            QVERIFY(!QToolTip::isVisible());
        } else {
            QTRY_VERIFY(QToolTip::isVisible());
            QCOMPARE(QToolTip::text(), tip);
        }
    }
};

QTEST_MAIN(TestGridFit)
#include "tst_grid_fit.moc"
