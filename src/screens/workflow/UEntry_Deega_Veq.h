#pragma once

#include "core/Workflow.h"
#include "screens/common/BrowseEdit.h"

class QComboBox;

// Receipt and assignment: who handles a document, its type, register number and payee; also
// keys in a document the import has not brought yet.
class TfrmEntry_Deega_Veq : public BrowseEditScreen {
    Q_OBJECT

public:
    explicit TfrmEntry_Deega_Veq(Session &session, QWidget *parent = nullptr);

    // 1: the edit panel holds a new document (save inserts); 2: an existing one (save updates).
    int saveMode() const { return Save_Mode; }

    void FormCreate();
    void btnAdd_DataClick();
    void edtDoc_PK2Exit();

protected:
    bool checkFields() override;
    void beforeChoose() override;
    void writeStage() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString officerCode() const;
    void emptyEditPanel();

    int Save_Mode = 2;
    QComboBox *cmbPer_Code2;
    QComboBox *cmbDocType_Code2;
    QLineEdit *edtKumDeega_No2;
    QLineEdit *edtCompany_Rec_Cheq2;
    QLineEdit *edtRemark1;
};
