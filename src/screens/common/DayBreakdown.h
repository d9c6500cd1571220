#pragma once

// The day-by-day breakdown panel of the turnaround reports: lies over a report's grid, lists
// each calendar day of a document's range and its three numbers. Hidden until a row is broken
// down; "ออก" hides it again.

#include <QString>
#include <QWidget>

class Dialogs;
class Grid;
class QLineEdit;
class QPushButton;

namespace db {
class Connection;
}

// The report grid's columns whose cells head the panel.
struct BreakdownHeadings {
    int topic = 4;
    int toWho = 5;
    int fromSite = 6;
};

class DayBreakdownPanel : public QWidget {
    Q_OBJECT

public:
    DayBreakdownPanel(db::Connection &connection, Dialogs &dialogs, QWidget *parent = nullptr,
                      BreakdownHeadings headings = {});

    // Fills the panel from the report row's heading cells and the range between its two date
    // cells, then shows it. False, with "ไม่พบข้อมูลที่ต้องการ", when the calendar holds no day
    // of the range; the panel then stays as it was (hidden or not).
    bool Show_Day_Breakdown(Grid &reportGrid, int row, int startCol, int endCol);
    bool Show_Day_Breakdown(const QString &topic, const QString &toWho, const QString &fromSite,
                            const QString &startDate, const QString &endDate);

    void Button1Click();

private:
    db::Connection &connection_;
    Dialogs &dialogs_;
    BreakdownHeadings headings_;
    QLineEdit *edtTopic2 = nullptr;
    QLineEdit *edtTo_Who2 = nullptr;
    QLineEdit *edtFrom_Site2 = nullptr;
    Grid *StringGrid2 = nullptr;
    QLineEdit *edtNo_Date = nullptr;
    QLineEdit *edtNo_Stop_Day = nullptr;
    QLineEdit *edtSum1 = nullptr;
    QPushButton *Button1 = nullptr;
};
