#include "screens/common/BrowseEdit.h"

#include "core/Messages.h"
#include "data/Connection.h"
#include "screens/common/CriteriaPanel.h"
#include "screens/common/Dialogs.h"
#include "screens/common/Grid.h"
#include "screens/common/Guard.h"
#include "screens/common/MaskEdit.h"
#include "screens/common/Session.h"
#include "screens/common/TextLimit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using browse::Field;
using browse::FieldKind;

namespace {

QGroupBox *group(QWidget *parent, const QString &name, const QString &caption)
{
    auto *box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

// A coloured strip with the centred title.
QGroupBox *titleStrip(QWidget *parent, const QString &boxName, const QString &labelName,
                      const QString &title)
{
    QGroupBox *box = group(parent, boxName, QString());
    auto *label = new QLabel(title, box);
    label->setObjectName(labelName);
    label->setAlignment(Qt::AlignCenter);
    QFont f = label->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.4);
    label->setFont(f);
    label->setStyleSheet(QStringLiteral("color: #0000a0;"));
    auto *layout = new QHBoxLayout(box);
    layout->addWidget(label);
    box->setStyleSheet(QStringLiteral("QGroupBox#%1 { background: #ffffc0; }").arg(boxName));
    return box;
}

} // namespace

BrowseEditScreen::BrowseEditScreen(Session &session, const QString &objectName, browse::Shape shape,
                                   QWidget *parent)
    : Screen(session, objectName, parent), shape_(std::move(shape))
{
    auto *outer = new QGridLayout(this);
    outer->addWidget(buildSearchPanel(), 0, 0);
    outer->addWidget(buildEditPanel(), 0, 0);
    Panel2->raise();
    Panel2->hide();
}

BrowseEditScreen::~BrowseEditScreen() = default;

QWidget *BrowseEditScreen::buildSearchPanel()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto *p1 = new QVBoxLayout(Panel1);
    p1->addWidget(titleStrip(Panel1, QStringLiteral("GroupBox1"), QStringLiteral("Label10"),
                             shape_.searchTitle));

    QGroupBox *box2 = group(Panel1, QStringLiteral("GroupBox2"), QStringLiteral("1.ค้นหาข้อมูล"));
    auto *rows = new QGridLayout(box2);
    criteria_ = std::make_unique<CriteriaPanel>(box2, rows, shape_.criteria);
    int r = static_cast<int>(shape_.criteria.size());
    if (!shape_.stageColumn.isEmpty()) {
        RadioButton1 = new QRadioButton(QStringLiteral("Add"), box2);
        RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
        RadioButton2 = new QRadioButton(QStringLiteral("Update"), box2);
        RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
        RadioButton1->setChecked(true);
        auto *radios = new QHBoxLayout;
        radios->addWidget(RadioButton1);
        radios->addWidget(RadioButton2);
        radios->addStretch();
        rows->addLayout(radios, r++, 0, 1, 2);
    }
    QPushButton *btnSelect_Data =
        button(box2, QStringLiteral("btnSelect_Data"), QStringLiteral("ค้นหาข้อมูล"));
    QPushButton *btnExit1 = button(box2, QStringLiteral("btnExit1"), QStringLiteral("กลับสู่เมนูหลัก"));
    auto *searchButtons = new QHBoxLayout;
    searchButtons->addWidget(btnSelect_Data);
    searchButtons->addWidget(btnExit1);
    searchButtons->addStretch();
    rows->addLayout(searchButtons, r, 0, 1, 2);
    rows->setColumnStretch(1, 1);
    p1->addWidget(box2);

    QGroupBox *box3 = group(Panel1, QStringLiteral("GroupBox3"), QStringLiteral("2. เลือกรายการ"));
    auto *g3 = new QVBoxLayout(box3);
    StringGrid1 = new Grid(box3);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    g3->addWidget(StringGrid1->sortAndFind());
    g3->addWidget(StringGrid1, 1);
    gridButtons_ = new QHBoxLayout;
    QPushButton *BitBtn3 = button(box3, QStringLiteral("BitBtn3"), shape_.chooseCaption);
    gridButtons_->addWidget(BitBtn3);
    gridButtons_->addStretch();
    g3->addLayout(gridButtons_);
    p1->addWidget(box3, 1);

    connect(btnSelect_Data, &QPushButton::clicked, this, [this] { btnSelect_DataClick(); });
    connect(btnExit1, &QPushButton::clicked, this, [this] { btnExit1Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    return Panel1;
}

QWidget *BrowseEditScreen::buildEditPanel()
{
    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setAutoFillBackground(true);
    auto *p2 = new QVBoxLayout(Panel2);
    p2->addWidget(titleStrip(Panel2, QStringLiteral("GroupBox8"), QStringLiteral("Label11"),
                             shape_.editTitle));
    GroupBox5 = group(Panel2, QStringLiteral("GroupBox5"), QStringLiteral("รายละเอียด"));
    new QGridLayout(GroupBox5);
    p2->addWidget(GroupBox5);
    edtDoc_PK2 =
        addLineEdit(GroupBox5, QStringLiteral("edtDoc_PK2"), QStringLiteral("เลขที่อ้างอิง"), 0, true);
    edtDocNumber2 = addLineEdit(GroupBox5, QStringLiteral("edtDocNumber2"),
                                QStringLiteral("เลขที่หนังสือ"), 0, true);
    edtDocDate2 =
        addLineEdit(GroupBox5, QStringLiteral("edtDocDate2"), QStringLiteral("วันที่หนังสือ"), 0, true);
    edtTopic2 =
        addLineEdit(GroupBox5, QStringLiteral("edtTopic2"), QStringLiteral("เรื่อง"), 0, true);
    GroupBox6 = group(Panel2, QStringLiteral("GroupBox6"), shape_.stageGroup);
    new QGridLayout(GroupBox6);
    p2->addWidget(GroupBox6);
    buildFields(p2, p2->count());

    btnSave2 = button(Panel2, QStringLiteral("btnSave2"), QStringLiteral("บันทึกข้อมูล"));
    QPushButton *btnExit2 = button(Panel2, QStringLiteral("btnExit2"), QStringLiteral("ออก"));
    auto *saveButtons = new QHBoxLayout;
    saveButtons->addWidget(btnSave2);
    saveButtons->addWidget(btnExit2);
    saveButtons->addStretch();
    p2->addLayout(saveButtons);
    p2->addStretch(1);

    connect(btnSave2, &QPushButton::clicked, this, [this] { btnSave2Click(); });
    connect(btnExit2, &QPushButton::clicked, this, [this] { btnExit2Click(); });
    return Panel2;
}

void BrowseEditScreen::buildFields(QBoxLayout *panel, int insertAt)
{
    QHash<QString, QGroupBox *> groups;
    for (const Field &f : shape_.fields) {
        if (f.kind == FieldKind::Stamp)
            continue;
        QGroupBox *box = f.kind == FieldKind::Shown ? GroupBox5 : GroupBox6;
        if (!f.group.isEmpty()) {
            box = groups.value(f.group);
            if (!box) {
                // A further group under the stage group ("บันทึกนัดรับเช็ค").
                box = group(Panel2, f.group, f.groupCaption);
                new QGridLayout(box);
                panel->insertWidget(insertAt++, box);
                groups.insert(f.group, box);
            }
        }
        fields_.insert(f.objectName, addFieldControl(box, f));
    }
}

QWidget *BrowseEditScreen::addFieldControl(QGroupBox *box, const Field &f)
{
    auto *layout = static_cast<QGridLayout *>(box->layout());
    const int r = layout->rowCount();
    switch (f.kind) {
    case FieldKind::Shown:
        return addLineEdit(box, f.objectName, f.label, 0, true);
    case FieldKind::Text:
        return addLineEdit(box, f.objectName, f.label, f.maxLength, false);
    case FieldKind::Choice: {
        auto *combo = new QComboBox(box);
        combo->setObjectName(f.objectName);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(f.items);
        combo->setCurrentIndex(-1);
        combo->clearEditText();
        layout->addWidget(new QLabel(f.label, box), r, 0);
        layout->addWidget(combo, r, 1);
        layout->setColumnStretch(1, 1);
        return combo;
    }
    case FieldKind::Check: {
        auto *check = new QCheckBox(f.label, box);
        check->setObjectName(f.objectName);
        layout->addWidget(check, r, 1);
        return check;
    }
    case FieldKind::Date: {
        auto *date = new MaskEdit(MaskEdit::Kind::Date, box);
        date->setObjectName(f.objectName);
        layout->addWidget(new QLabel(f.label, box), r, 0);
        layout->addWidget(date, r, 1);
        return date;
    }
    case FieldKind::Stamp:
        break;
    }
    return nullptr;
}

QLineEdit *BrowseEditScreen::addLineEdit(QGroupBox *box, const QString &name, const QString &label,
                                         int maxLength, bool readOnly)
{
    auto *layout = static_cast<QGridLayout *>(box->layout());
    const int r = layout->rowCount();
    auto *edit = new QLineEdit(box);
    edit->setObjectName(name);
    if (maxLength > 0)
        limitLength(edit, maxLength);
    edit->setEnabled(!readOnly);
    layout->addWidget(new QLabel(label, box), r, 0);
    layout->addWidget(edit, r, 1);
    layout->setColumnStretch(1, 1);
    return edit;
}

bool BrowseEditScreen::search()
{
    if (!criteria_->datesReal([this](const QString &text) { showMessage(text); }))
        return false;
    const browse::Stage stage =
        RadioButton1 && RadioButton1->isChecked() ? browse::Stage::Add : browse::Stage::Update;
    if (shape_.blankRowOnNoResult) {
        StringGrid1->setColCount(shape_.colCount);
        StringGrid1->setRowCount(2);
    }
    const QList<QStringList> found =
        browse::search(session().connection, shape_, criteria_->entered(), stage);
    if (found.isEmpty()) {
        showMessage(msg::NotFound);
        if (shape_.blankRowOnNoResult)
            StringGrid1->clearRow(1);
        return false;
    }
    StringGrid1->setColCount(shape_.colCount);
    StringGrid1->setRowCount(2);
    StringGrid1->setColWidths({30, 90, 120, 90, shape_.topicWidth});
    StringGrid1->setRowCells(0, shape_.headers);
    StringGrid1->fillRows(found);
    return true;
}

void BrowseEditScreen::btnSelect_DataClick()
{
    guarded(this, session().dialogs, [this] { search(); });
}

void BrowseEditScreen::BitBtn3Click()
{
    guarded(this, session().dialogs, [this] {
        beforeChoose();
        Panel2->show();
        const int row = StringGrid1->row();
        edtDoc_PK2->setText(StringGrid1->cell(1, row));
        edtDocNumber2->setText(StringGrid1->cell(2, row));
        edtDocDate2->setText(StringGrid1->cell(3, row));
        edtTopic2->setText(StringGrid1->cell(4, row));
        const auto found = browse::findDocument(session().connection, shape_, edtDoc_PK2->text());
        if (!found) {
            reportNotFound();
            return;
        }
        loadChosen(*found);
    });
}

void BrowseEditScreen::loadChosen(const browse::Document &row)
{
    loaded_ = row;
    const browse::ProgramValues program = programValues();
    for (const Field &f : shape_.fields) {
        QWidget *w = fields_.value(f.objectName);
        if (!w || f.load == browse::Load::Nothing)
            continue;
        const QString text = browse::loadedText(f, row, program);
        if (auto *date = qobject_cast<MaskEdit *>(w))
            date->setText(text);
        else if (auto *edit = qobject_cast<QLineEdit *>(w))
            edit->setText(text);
        else if (auto *combo = qobject_cast<QComboBox *>(w))
            combo->setEditText(text);
        else if (auto *check = qobject_cast<QCheckBox *>(w))
            check->setChecked(browse::loadsTicked(f, text));
    }
}

browse::Entered BrowseEditScreen::enteredFields() const
{
    browse::Entered entered;
    for (const Field &f : shape_.fields) {
        QWidget *w = fields_.value(f.objectName);
        if (!w)
            continue;
        QString text;
        if (auto *date = qobject_cast<MaskEdit *>(w))
            text = date->text();
        else if (auto *edit = qobject_cast<QLineEdit *>(w))
            text = edit->text();
        else if (auto *combo = qobject_cast<QComboBox *>(w))
            text = combo->currentText();
        else if (auto *check = qobject_cast<QCheckBox *>(w))
            text = check->isChecked() ? f.checkedCode : f.uncheckedCode;
        entered.insert(f.column, text);
    }
    return entered;
}

browse::ProgramValues BrowseEditScreen::programValues() const
{
    const Session &s = session();
    return {s.Login_User, s.Today_Thai, s.Fiscal_Year};
}

void BrowseEditScreen::clearStageFields()
{
    for (const Field &f : shape_.fields) {
        QWidget *w = fields_.value(f.objectName);
        if (!w || f.kind == FieldKind::Shown)
            continue;
        if (auto *date = qobject_cast<MaskEdit *>(w)) {
            date->clear();
        } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            edit->clear();
        } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
            combo->setCurrentIndex(-1);
            combo->clearEditText();
        } else if (auto *check = qobject_cast<QCheckBox *>(w)) {
            check->setChecked(false);
        }
    }
}

bool BrowseEditScreen::checkFields()
{
    const browse::Entered entered = enteredFields();
    const Field *missing = browse::missingField(shape_, entered);
    const Field *badDay = missing ? nullptr : browse::badDayField(shape_, entered);
    if (!missing && !badDay)
        return true;
    showMessage(missing ? missing->requiredMessage
                        : browse::badDayMessage(*badDay, entered.value(badDay->column)));
    if (QWidget *w = fields_.value((missing ? missing : badDay)->objectName))
        w->setFocus();
    return false;
}

void BrowseEditScreen::btnSave2Click()
{
    guarded(this, session().dialogs, [this] {
        if (!checkFields())
            return;
        if (!confirmSave())
            return;
        writeStage();
    });
}

void BrowseEditScreen::writeStage()
{
    const QStringList lines = browse::assignmentLines(shape_, enteredFields(), programValues());
    QList<loaded::Change> changed;
    switch (browse::saveStage(session().connection, shape_, edtDoc_PK2->text(), lines, &loaded_,
                              &changed)) {
    case browse::SaveOutcome::NotFound:
        reportNotFound();
        return;
    case browse::SaveOutcome::Changed:
        offerReload(changed);
        return;
    case browse::SaveOutcome::Saved:
        break;
    }
    if (shape_.searchAfterSave)
        search();
    showMessage(msg::Saved);
    Panel2->hide();
}

void BrowseEditScreen::btnExit2Click()
{
    Panel2->hide();
}

void BrowseEditScreen::btnExit1Click()
{
    closeScreen();
}

void BrowseEditScreen::showMessage(const QString &text)
{
    session().dialogs.message(this, text);
}

bool BrowseEditScreen::confirmSave()
{
    return session().dialogs.confirm(this, msg::ConfirmSave);
}

void BrowseEditScreen::reportNotFound()
{
    showMessage(msg::SystemFailure);
}

void BrowseEditScreen::expectNewDocument()
{
    loaded_.clear();
    for (const loaded::Shown &s : browse::shownColumns(shape_))
        loaded_.insert(s.column, QString());
}

void BrowseEditScreen::offerReload(const QList<loaded::Change> &changed)
{
    if (!session().dialogs.confirm(this, loaded::message(changed)))
        return;
    const auto found = browse::findDocument(session().connection, shape_, edtDoc_PK2->text());
    if (!found) {
        reportNotFound();
        return;
    }
    edtDocNumber2->setText(found->value(QStringLiteral("DocNumber")));
    edtDocDate2->setText(found->value(QStringLiteral("DocDate")));
    edtTopic2->setText(found->value(QStringLiteral("Topic")));
    loadChosen(*found);
}

QPushButton *BrowseEditScreen::addGridButton(const QString &name, const QString &caption)
{
    QPushButton *b = button(StringGrid1->parentWidget(), name, caption);
    gridButtons_->insertWidget(gridButtons_->count() - 1, b);
    return b;
}
