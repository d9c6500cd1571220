#pragma once

// TfrmEntry_Stop_Day: lists the fixed annual holidays of TR_Hard_StopDay and marks each of them
// as a holiday on every generated year of TR_Day_Calendar. The list itself is kept on the
// fixed-holiday upkeep screen, which "เพิ่มข้อมูล" opens.

#include "core/Calendar.h"
#include "screens/common/Screen.h"

#include <QList>
#include <QString>

class Grid;
class QPushButton;

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
