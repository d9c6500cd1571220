#pragma once

#include "screens/common/Browse_Edit.h"

class QComboBox;
class QLineEdit;

namespace deega_veq {
browse::Shape shape();

// The key as typed when it is 14 characters long; otherwise "QDTX" + the year of today's Thai
// date + "/" + the last five characters of "00000" + the blank-trimmed text.
QString completeKey(const QString &typed, const QString &todayThai);

db::Statement officerListStatement();
db::Statement docTypeListStatement();
// The officer check at save: any status.
db::Statement officerStatement(const QString &code);
// A keyed-in document: the assignment columns only, the rest comes with the next import.
db::Statement insertStatement(const QString &key, const QString &code, const QString &registerNo,
                              const QString &company, const QString &remark, const QString &type);
} // namespace deega_veq

// Receipt and assignment: who handles a document, its type, register number and payee; also
// keys in a document the import has not brought yet.
class TfrmEntry_Deega_Veq : public Browse_Edit_Screen {
    Q_OBJECT

public:
    explicit TfrmEntry_Deega_Veq(Session &session, QWidget *parent = nullptr);

    // 1: the edit panel holds a new document (save inserts); 2: an existing one (save updates).
    int saveMode() const { return Save_Mode; }

    void FormCreate();
    void btnAdd_DataClick();
    void edtDoc_PK2Exit();

protected:
    void loadChosen(db::Rows &row) override;
    bool checkFields() override;
    QStringList assignmentLines() const override;
    void beforeChoose() override;
    void writeStage() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString officerCode() const;
    QString docTypeCode() const;
    void emptyStageFields();

    int Save_Mode = 2;
    QComboBox *cmbPer_Code2;
    QComboBox *cmbDocType_Code2;
    QLineEdit *edtKumDeega_No2;
    QLineEdit *edtCompany_Rec_Cheq2;
    QLineEdit *edtRemark1;
};
