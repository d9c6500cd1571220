#pragma once

#include "screens/common/Browse_Edit.h"

class MaskEdit;
class QLineEdit;

namespace lastday_into_fin {
browse::Shape shape();
} // namespace lastday_into_fin

// Last entry into the division: the date the day counts start from, set or corrected by hand.
class TfrmEntry_LastDay_Into_Fin : public Browse_Edit_Screen {
    Q_OBJECT

public:
    explicit TfrmEntry_LastDay_Into_Fin(Session &session, QWidget *parent = nullptr);

protected:
    void loadChosen(db::Rows &row) override;
    bool checkFields() override;
    QStringList assignmentLines() const override;

private:
    QLineEdit *edtKumDeega_No2;
    QLineEdit *edtSumkun_No2;
    QLineEdit *edtCompany_Rec_Cheq2;
    QLineEdit *edtDeega_No2;
    QLineEdit *edtRec_Cheq_Branch2;
    MaskEdit *edtDate_Into_Fin;
};
