#pragma once

// TfrmChange_Password: the logged-in user replaces their own password; the program then ends so
// that the next login uses the new one.

#include "screens/common/Screen.h"

class QLineEdit;
class QPushButton;

class TfrmChange_Password : public Screen {
    Q_OBJECT

public:
    explicit TfrmChange_Password(Session &session, QWidget *parent = nullptr);

    void FormCreate();
    void btnSave_DataClick();
    void btnExit_FormClick();

private:
    QLineEdit *edtOld_Password = nullptr;
    QLineEdit *edtNew_Password = nullptr;
    QLineEdit *edtConf_Password = nullptr;
    QPushButton *btnSave_Data = nullptr;
    QPushButton *btnExit_Form = nullptr;
};
