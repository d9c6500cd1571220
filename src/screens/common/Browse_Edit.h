#pragma once

// The record browse-and-edit screen shared by the workflow stages: search Main_Deega_Control
// with ticked criteria, choose one row from the grid, edit the stage's fields on a panel laid
// over the search panel, save with one UPDATE keyed by Doc_PK. What differs between the
// screens is data (Browse_Edit_Shape); the statements are plain functions tests can call.

#include "data/Statement.h"
#include "screens/common/Screen.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class Grid;
class MaskEdit;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace db {
class Rows;
}

namespace browse {

// Which trim a grid cell gets: blanks only, or blanks and control characters.
enum class Trim { Space, Text };

// The stage filter of the radio pair.
enum class Stage { Add, Update };

// One search criterion: a check box with its edit field and the line it adds when ticked,
// made of `before` + the typed text (quotes doubled) + `after`.
struct Criterion {
    QString checkBox;  // "CheckBox4"
    QString caption;   // "ทะเบียนคุมฎีกา"
    QString field;     // "edtKumDeega_No1"
    bool date = false; // a masked date box instead of a plain edit
    QString before;    // "And (KumDeega_No like'%"
    QString after;     // "%')"
};

// The first three criteria every screen of the family has.
Criterion docNumberCriterion();
Criterion docDateCriterion();
Criterion topicCriterion();

struct Shape {
    QString searchTitle; // Label10
    QString editTitle;   // Label11
    QList<Criterion> criteria;

    // Column filled by this stage; empty: the screen has no Add/Update pair.
    QString stageColumn;
    // Server time of the first save that fills the stage; empty: none.
    QString entryTimeColumn;
    // Where the entry-time line goes among the assignment lines; -1: after the last.
    int entryTimeAt = -1;

    int colCount = 6;
    QStringList headers; // row 0, from column 0
    QStringList columns; // columns read into grid columns 1, 2, ...
    int topicWidth = 250;
    Trim trim = Trim::Space;

    // A search that finds nothing blanks row 1 (the grid is set up before the search runs).
    bool blankRowOnNoResult = false;
    // The save reads the row again first (and learns whether the stage was empty).
    bool rereadOnSave = true;
    // The save repeats the search with the criteria as they stand.
    bool searchAfterSave = false;

    QString chooseCaption; // BitBtn3
    QString stageGroup;    // GroupBox6
};

// The voucher-number criterion of the cheque appointment and last-entry screens.
Criterion deegaNoCriterion();

// The stage screens' grid: the six columns every screen shows, the control-register and
// receipt-voucher numbers, and on the later stages the voucher number.
void voucherGrid(Shape &shape, bool withVoucherNumber);

inline const QString NotFound = QStringLiteral("ไม่พบข้อมูลที่ต้องการ");
inline const QString SystemFailure = QStringLiteral("ระบบล้มเหลว กรุณาติดต่อคุณTovrek");
inline const QString ConfirmSave = QStringLiteral("ยืนยันการบันทึกข้อมูล ");
inline const QString Saved = QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว");

// The search: base lines, one line per ticked criterion (typed[i] belongs to criteria[i],
// nullopt when unticked), then the stage line when the shape has a stage column.
db::Statement searchStatement(const Shape &shape, const QList<std::optional<QString>> &typed,
                              Stage stage);

// "SELECT *" / "FROM Main_Deega_Control" / "Where Doc_PK = '...'".
db::Statement lookupStatement(const QString &key);

// "Update Main_Deega_Control", the assignments (with the entry-time line placed where the shape
// says, only when the stage was empty), "Where Doc_PK = '...'".
db::Statement updateStatement(const Shape &shape, const QStringList &assignments,
                              bool stageWasEmpty, const QString &key);

// One assignment line: "Set Col='v'" for the first, ", Col='v'" for the rest; quotes doubled.
QString assignment(bool first, const QString &column, const QString &value);

// The grid rows of a result: running number, then the shape's columns, trimmed.
QList<QStringList> readRows(const Shape &shape, db::Rows &rows);

QString trimmed(Trim trim, const QString &value);

} // namespace browse

class Browse_Edit_Screen : public Screen {
    Q_OBJECT

public:
    Browse_Edit_Screen(Session &session, const QString &objectName, browse::Shape shape,
                       QWidget *parent = nullptr);

    const browse::Shape &shape() const { return shape_; }

    // The handlers of the shared controls.
    void btnSelect_DataClick();
    void BitBtn3Click();
    void btnSave2Click();
    void btnExit2Click();
    void btnExit1Click();

protected:
    // Fills the screen's own fields from the chosen document's row, as stored.
    virtual void loadChosen(db::Rows &row) = 0;
    // The screen's checks in order; shows the first failure's message and gives false.
    virtual bool checkFields() { return true; }
    // The assignment lines of the update, without the entry-time line.
    virtual QStringList assignmentLines() const = 0;
    // Before the choose copies the grid row (a screen resets its mode here).
    virtual void beforeChoose() {}
    // After the confirmation: re-read, update, report. A screen with another write path
    // (a new document) takes over here.
    virtual void writeStage();

    // Runs the search and fills the grid; gives whether a row came back.
    bool search();

    // Builders for the screen's own controls.
    QLineEdit *addDetail(const QString &name, const QString &label);
    QLineEdit *addStageEdit(const QString &name, const QString &label, int maxLength = 0);
    QComboBox *addStageCombo(const QString &name, const QString &label);
    QCheckBox *addStageCheck(QGroupBox *group, const QString &name, const QString &caption);
    MaskEdit *addStageDate(const QString &name, const QString &label);
    // A further group under the stage group ("บันทึกนัดรับเช็ค").
    QGroupBox *addEditGroup(const QString &name, const QString &caption);
    QLineEdit *addEdit(QGroupBox *group, const QString &name, const QString &label,
                       int maxLength = 0);
    QPushButton *addGridButton(const QString &name, const QString &caption);

    void showMessage(const QString &text);
    bool confirmSave();
    // The not-found message, with the focus back on the edit panel.
    void reportNotFound();

    QWidget *Panel1 = nullptr;
    QWidget *Panel2 = nullptr;
    Grid *StringGrid1 = nullptr;
    QRadioButton *RadioButton1 = nullptr;
    QRadioButton *RadioButton2 = nullptr;
    QLineEdit *edtDoc_PK2 = nullptr;
    QLineEdit *edtDocNumber2 = nullptr;
    QLineEdit *edtDocDate2 = nullptr;
    QLineEdit *edtTopic2 = nullptr;
    QGroupBox *GroupBox5 = nullptr;
    QGroupBox *GroupBox6 = nullptr;
    QPushButton *btnSave2 = nullptr;

private:
    QList<std::optional<QString>> typedCriteria() const;
    QGridLayout *groupGrid(QGroupBox *group) const;
    QLineEdit *addEditTo(QGroupBox *group, const QString &name, const QString &label, int maxLength,
                         bool readOnly);

    browse::Shape shape_;
    QList<QCheckBox *> checks_;
    // Per criterion: its plain edit, or its date box.
    QList<QLineEdit *> plainFields_;
    QList<MaskEdit *> dateFields_;
    QHBoxLayout *gridButtons_ = nullptr;
};
