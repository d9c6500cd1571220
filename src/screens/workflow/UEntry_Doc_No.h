#pragma once

#include "screens/common/Browse_Edit.h"

class QCheckBox;
class QLineEdit;

namespace doc_no {
browse::Shape shape();
// The fiscal year the edit panel offers: the stored one, or the session's when none is stored.
QString fiscalYearShown(const QString &stored, const QString &sessionFiscalYear);
} // namespace doc_no

// ERP document number entry: links a document to its ERP accounting document, with the
// cheque state; every save stamps the user and the date and searches again.
class TfrmEntry_Doc_No : public Browse_Edit_Screen {
    Q_OBJECT

public:
    explicit TfrmEntry_Doc_No(Session &session, QWidget *parent = nullptr);

protected:
    void loadChosen(db::Rows &row) override;
    QStringList assignmentLines() const override;

private:
    QLineEdit *edtKumDeega_No2;
    QLineEdit *edtCompany_Rec_Cheq2;
    QLineEdit *edtSAP_Doc_No2;
    QLineEdit *edtSAP_Fiscal_Year2;
    QLineEdit *edtSAP_Doc_Remark2;
    QCheckBox *CheckBox8;
    QCheckBox *CheckBox9;
    QLineEdit *edtDate_Nud_Rec_Cheq2;
};
