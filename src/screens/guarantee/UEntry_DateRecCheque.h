#pragma once

// Guarantee cheque receipt (TfrmEntry_DateRecCheque): records the cheque date of a waiting
// guarantee document and moves it to the finished state, or corrects the date of a finished one.

#include "screens/common/Screen.h"
#include "screens/guarantee/GuaranteeForm.h"

#include <memory>
#include <optional>

class CriteriaPanel;
class GuaranteeForm;
class Grid;
class MaskEdit;
class QRadioButton;

class TfrmEntry_DateRecCheque : public Screen {
    Q_OBJECT

public:
    explicit TfrmEntry_DateRecCheque(Session &session, QWidget *parent = nullptr);
    ~TfrmEntry_DateRecCheque() override;

    void FormCreate();
    void btnSearch_DataClick();
    void btnEdit_Data4Click();
    void btnSave1Click();
    void btnExit2Click();
    void btnExit1Click();

private:
    QWidget *buildSearch();
    QWidget *buildRecord();
    bool search();
    // The loaded document in the boxes.
    void showLoaded();

    QWidget *Panel1 = nullptr;
    QWidget *Panel2 = nullptr;
    QRadioButton *RadioButton1 = nullptr;
    QRadioButton *RadioButton2 = nullptr;
    Grid *StringGrid1 = nullptr;
    MaskEdit *edtModified_Date = nullptr;
    std::unique_ptr<CriteriaPanel> filters_;
    std::unique_ptr<GuaranteeForm> form_;
    std::optional<LoadedGuarantee> loaded_; // the document whose cheque is recorded
};
