#pragma once

// Contract-guarantee entry (TfrmEntry_Money_Promise): a new document under the year's next
// number, or an earlier one found and corrected. Four panels lie on one another: the buttons
// (Panel1), the finder (Panel4), the form (Panel2) and the key of the last save (Panel3).

#include "screens/common/Screen.h"
#include "screens/guarantee/GuaranteeForm.h"
#include "screens/guarantee/NoticePreview.h"

#include <functional>
#include <memory>
#include <optional>

class CriteriaPanel;
class GuaranteeForm;
class Grid;
class QLabel;
class QPushButton;

class TfrmEntry_Money_Promise : public Screen {
    Q_OBJECT

public:
    explicit TfrmEntry_Money_Promise(Session &session, QWidget *parent = nullptr);
    ~TfrmEntry_Money_Promise() override;

    // 1 after "เพิ่มข้อมูล" (the save inserts), 2 after "แก้ไขข้อมูล" (it updates), 0 before.
    int saveMode() const { return Save_Mode; }
    // Prints the notice of a key: by default reads the document and shows the notice in the
    // print preview, the cheque place following the radio button ticked now. Throws Failure
    // when there is nothing to print; the key panel then stays.
    std::function<void(const QString &key)> printNotice;
    // Names the file of the preview's "บันทึกเป็น PDF"; the save dialog by default.
    ChoosePdfFile choosePdfFile = askPdfFile;

    void FormCreate();
    void btnAdd_DataClick();
    void btnClear_FormClick();
    void btnEdit_DataClick();
    void btnSearch_DataClick();
    void btnEdit_Data4Click();
    void btnSave1Click();
    void btnPrintDocClick();
    void btnExit1Click();
    void btnExit4Click();
    void btnExitClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildButtons();
    QWidget *buildFinder();
    QWidget *buildForm();
    QWidget *buildKey();
    bool search();
    void showKey(const QString &key);
    void previewStoredNotice(const QString &key);
    void amountEntered();

    int Save_Mode = 0;
    QWidget *Panel1 = nullptr;
    QWidget *Panel2 = nullptr;
    QWidget *Panel3 = nullptr;
    QWidget *Panel4 = nullptr;
    QLabel *Label11 = nullptr;
    QLabel *QRL_DocNo = nullptr;
    QLabel *QRL_DocNo1 = nullptr;
    Grid *StringGrid1 = nullptr;
    std::unique_ptr<CriteriaPanel> filters_;
    std::unique_ptr<GuaranteeForm> form_;
    std::optional<LoadedGuarantee> loaded_; // the document being corrected
};
