#pragma once

// The guarantee register (TfrmRep_Money_Pormise): the guarantee documents entered on one day,
// in one month or in one year. It only reads; it has no print or export.

#include "screens/common/Screen.h"

class Grid;
class MaskEdit;
class QRadioButton;

class TfrmRep_Money_Pormise : public Screen {
    Q_OBJECT

public:
    explicit TfrmRep_Money_Pormise(Session &session, QWidget *parent = nullptr);

    void FormCreate();
    void btnSearch_dataClick();
    void btnExit1Click();

private:
    QRadioButton *RadioButton1 = nullptr;
    QRadioButton *RadioButton2 = nullptr;
    QRadioButton *RadioButton3 = nullptr;
    MaskEdit *edtDDMMYY_Search = nullptr;
    MaskEdit *edtMMYY_Search = nullptr;
    MaskEdit *edtYY_Search = nullptr;
    Grid *StringGrid1 = nullptr;
};
