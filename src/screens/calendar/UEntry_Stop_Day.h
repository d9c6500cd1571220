#pragma once

// TfrmEntry_Stop_Day: lists the fixed annual holidays of TR_Hard_StopDay and marks each of them
// as a holiday on every generated year of TR_Day_Calendar. The list itself is kept in the
// catalog directly; this screen only reads it.

#include "screens/common/Screen.h"

#include <QList>
#include <QString>

class Grid;
class QPushButton;

namespace db {
class Connection;
class Statement;
} // namespace db

struct Hard_Stop_Day {
    QString ddmm;   // D_DDMM, dd/mm
    QString remark; // SD_Remark
};

db::Statement Stop_Days_Statement();
QList<Hard_Stop_Day> Read_Stop_Days(db::Connection &c);
db::Statement Mark_Holiday_Statement(const Hard_Stop_Day &day);

// One update per listed holiday, in list order, without a transaction: a failure (db::Error)
// leaves the holidays before it marked. Gives the number of holidays processed.
int Mark_Holidays(db::Connection &c);

class TfrmEntry_Stop_Day : public Screen {
    Q_OBJECT

public:
    explicit TfrmEntry_Stop_Day(Session &session, QWidget *parent = nullptr);

    void FormCreate();
    void btnShow_DataClick();
    void btnEdit_DataClick();
    void btnAdd_DataClick();
    void btnExit1Click();

private:
    void showList();

    Grid *StringGrid1 = nullptr;
    QPushButton *btnShow_Data = nullptr;
    QPushButton *btnEdit_Data = nullptr;
    QPushButton *btnAdd_Data = nullptr;
    QPushButton *btnExit1 = nullptr;
};
