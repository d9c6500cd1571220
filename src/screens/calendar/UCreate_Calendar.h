#pragma once

// TfrmCreate_Calendar: previews the days of a range of Buddhist-era years and inserts each day
// that TR_Day_Calendar does not hold yet. Weekends are holidays from the start; other holidays
// are marked later by updates of the same rows, which a later generation never undoes.

#include "core/Calendar.h"
#include "screens/common/Screen.h"

#include <QList>
#include <QString>

class Grid;
class QLineEdit;
class QProgressBar;
class QPushButton;

class TfrmCreate_Calendar : public Screen {
    Q_OBJECT

public:
    explicit TfrmCreate_Calendar(Session &session, QWidget *parent = nullptr);

    void FormCreate();
    void btnShow_DataClick();
    void Button2Click();
    void btnExit1Click();

private:
    QList<CalendarDay> gridDays() const;

    QLineEdit *edtBeg_Year = nullptr;
    QLineEdit *edtEnd_Year = nullptr;
    QPushButton *btnShow_Data = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *btnExit1 = nullptr;
    Grid *StringGrid1 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
};
