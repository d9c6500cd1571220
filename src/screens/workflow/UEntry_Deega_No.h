#pragma once

#include "screens/common/Browse_Edit.h"

class QComboBox;
class QLineEdit;

namespace deega_no {
// The search, grid and stage of the voucher-number screen.
browse::Shape shape();
// The places offered for collecting the cheque, in this order.
QStringList chequePlaces();
} // namespace deega_no

// Voucher number entry: the voucher and receipt-voucher numbers and where the cheque is
// collected, for documents already in the table.
class TfrmEntry_Deega_No : public Browse_Edit_Screen {
    Q_OBJECT

public:
    explicit TfrmEntry_Deega_No(Session &session, QWidget *parent = nullptr);

protected:
    void loadChosen(db::Rows &row) override;
    bool checkFields() override;
    QStringList assignmentLines() const override;

private:
    QLineEdit *edtKumDeega_No2;
    QLineEdit *edtCompany_Rec_Cheq2;
    QLineEdit *edtDeega_No2;
    QLineEdit *edtSumkun_No2;
    QComboBox *cmbRec_Cheq_Branch2;
};
