#pragma once

#include "screens/common/Browse_Edit.h"

class QCheckBox;
class QLineEdit;

namespace nud_rec_cheq {
browse::Shape shape();
// A flag box is ticked unless the stored flag is exactly "N" (empty and null show ticked).
bool tickedFrom(const QString &storedFlag);
} // namespace nud_rec_cheq

// Cheque appointment: the date the payee may collect the cheque, and the collected and
// finished flags.
class TfrmEntry_Nud_Rec_Cheq : public Browse_Edit_Screen {
    Q_OBJECT

public:
    explicit TfrmEntry_Nud_Rec_Cheq(Session &session, QWidget *parent = nullptr);

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
    QCheckBox *CheckBox5;
    QCheckBox *CheckBox6;
    QLineEdit *edtDate_Nud_Rec_Cheq2;
};
