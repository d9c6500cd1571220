#include "screens/common/Browse_Edit.h"

#include "data/Connection.h"
#include "screens/common/Dialogs.h"
#include "screens/common/Grid.h"
#include "screens/common/Guard.h"
#include "screens/common/MaskEdit.h"
#include "screens/common/Session.h"
#include "screens/common/TextLimit.h"
#include "util/Utility.h"

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

namespace browse {

Criterion docNumberCriterion()
{
    return {QStringLiteral("CheckBox1"),
            QStringLiteral("เลขที่หนังสือ"),
            QStringLiteral("edtDocNumber1"),
            false,
            QStringLiteral("And (DocNumber like '%"),
            QStringLiteral("%')")};
}

Criterion docDateCriterion()
{
    return {QStringLiteral("CheckBox2"),           QStringLiteral("วันที่หนังสือ"),
            QStringLiteral("edtDocDate1"),         true,
            QStringLiteral("And (DocDate like '"), QStringLiteral("%')")};
}

Criterion topicCriterion()
{
    return {QStringLiteral("CheckBox3"),          QStringLiteral("เรื่อง"),
            QStringLiteral("edtTopic1"),          false,
            QStringLiteral("And (Topic like '%"), QStringLiteral("%')")};
}

Criterion deegaNoCriterion()
{
    return {QStringLiteral("CheckBox4"),
            QStringLiteral("เลขที่ฏีกา"),
            QStringLiteral("edtDeega_No1"),
            false,
            QStringLiteral("And (Deega_No like'%"),
            QStringLiteral("%')")};
}

void voucherGrid(Shape &shape, bool withVoucherNumber)
{
    shape.headers = {QStringLiteral("No"),          QStringLiteral("รหัส"),
                     QStringLiteral("DocNumber"),   QStringLiteral("DocDate"),
                     QStringLiteral("Topic"),       QStringLiteral("FromSite"),
                     QStringLiteral("ทะเบียนคุมฏีกา"), QStringLiteral("เลขทีใบสำคัญ")};
    shape.columns = {QStringLiteral("Doc_PK"),   QStringLiteral("DocNumber"),
                     QStringLiteral("DocDate"),  QStringLiteral("Topic"),
                     QStringLiteral("FromSite"), QStringLiteral("KumDeega_No"),
                     QStringLiteral("Sumkun_No")};
    if (withVoucherNumber) {
        shape.headers << QStringLiteral("เลขทีฏีกา");
        shape.columns << QStringLiteral("Deega_No");
    }
    shape.colCount = static_cast<int>(shape.headers.size());
}

db::Statement searchStatement(const Shape &shape, const QList<std::optional<QString>> &typed,
                              Stage stage)
{
    db::Statement s;
    s << QStringLiteral("SELECT  *") << QStringLiteral("FROM Main_Deega_Control")
      << QStringLiteral("where (doc_pk is not null)");
    for (qsizetype i = 0; i < shape.criteria.size() && i < typed.size(); ++i) {
        if (typed.at(i))
            s << shape.criteria.at(i).before + db::sqlText(*typed.at(i)) +
                     shape.criteria.at(i).after;
    }
    if (!shape.stageColumn.isEmpty()) {
        const QString &c = shape.stageColumn;
        if (stage == Stage::Add)
            s << QStringLiteral("And ((") + c + QStringLiteral("='') Or (") + c +
                     QStringLiteral(" Is null))");
        else
            s << QStringLiteral("And (") + c + QStringLiteral("<>'')");
    }
    return s;
}

db::Statement lookupStatement(const QString &key)
{
    return {QStringLiteral("SELECT *"), QStringLiteral("FROM Main_Deega_Control"),
            QStringLiteral("Where Doc_PK = '") + db::sqlText(key) + QStringLiteral("'")};
}

db::Statement updateStatement(const Shape &shape, const QStringList &assignments,
                              bool stageWasEmpty, const QString &key)
{
    QStringList lines = assignments;
    if (!shape.entryTimeColumn.isEmpty() && stageWasEmpty) {
        const QString line =
            QStringLiteral(", ") + shape.entryTimeColumn + QStringLiteral("=CURRENT_TIMESTAMP");
        if (shape.entryTimeAt < 0 || shape.entryTimeAt > lines.size())
            lines.append(line);
        else
            lines.insert(shape.entryTimeAt, line);
    }
    db::Statement s;
    s << QStringLiteral("Update Main_Deega_Control");
    for (const QString &line : lines)
        s << line;
    s << QStringLiteral("Where Doc_PK = '") + db::sqlText(key) + QStringLiteral("'");
    return s;
}

QString assignment(bool first, const QString &column, const QString &value)
{
    return (first ? QStringLiteral("Set ") : QStringLiteral(", ")) + column + QStringLiteral("='") +
           db::sqlText(value) + QStringLiteral("'");
}

QString trimmed(Trim trim, const QString &value)
{
    return trim == Trim::Space ? Trim_Space(value) : Trim_Text(value);
}

QList<QStringList> readRows(const Shape &shape, db::Rows &rows)
{
    QList<QStringList> out;
    while (rows.next()) {
        QStringList cells;
        cells.reserve(shape.columns.size() + 1);
        cells << QString::number(out.size() + 1);
        for (const QString &column : shape.columns)
            cells << trimmed(shape.trim, rows.text(column));
        out.append(cells);
    }
    return out;
}

} // namespace browse

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

Browse_Edit_Screen::Browse_Edit_Screen(Session &session, const QString &objectName,
                                       browse::Shape shape, QWidget *parent)
    : Screen(session, objectName, parent), shape_(std::move(shape))
{
    auto *outer = new QGridLayout(this);

    // The search-and-choose panel.
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto *p1 = new QVBoxLayout(Panel1);
    p1->addWidget(titleStrip(Panel1, QStringLiteral("GroupBox1"), QStringLiteral("Label10"),
                             shape_.searchTitle));

    QGroupBox *box2 = group(Panel1, QStringLiteral("GroupBox2"), QStringLiteral("1.ค้นหาข้อมูล"));
    auto *criteria = new QGridLayout(box2);
    int r = 0;
    for (const browse::Criterion &c : shape_.criteria) {
        auto *check = new QCheckBox(c.caption, box2);
        check->setObjectName(c.checkBox);
        checks_.append(check);
        QLineEdit *edit = nullptr;
        if (c.date) {
            auto *date = new MaskEdit(MaskEdit::Kind::Date, box2);
            dateFields_.append(date);
            plainFields_.append(nullptr);
            edit = date;
        } else {
            edit = new QLineEdit(box2);
            plainFields_.append(edit);
            dateFields_.append(nullptr);
        }
        edit->setObjectName(c.field);
        criteria->addWidget(check, r, 0);
        criteria->addWidget(edit, r, 1);
        ++r;
    }
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
        criteria->addLayout(radios, r++, 0, 1, 2);
    }
    QPushButton *btnSelect_Data =
        button(box2, QStringLiteral("btnSelect_Data"), QStringLiteral("ค้นหาข้อมูล"));
    QPushButton *btnExit1 = button(box2, QStringLiteral("btnExit1"), QStringLiteral("กลับสู่เมนูหลัก"));
    auto *searchButtons = new QHBoxLayout;
    searchButtons->addWidget(btnSelect_Data);
    searchButtons->addWidget(btnExit1);
    searchButtons->addStretch();
    criteria->addLayout(searchButtons, r, 0, 1, 2);
    criteria->setColumnStretch(1, 1);
    p1->addWidget(box2);

    QGroupBox *box3 = group(Panel1, QStringLiteral("GroupBox3"), QStringLiteral("2. เลือกรายการ"));
    auto *g3 = new QVBoxLayout(box3);
    StringGrid1 = new Grid(box3);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    g3->addWidget(StringGrid1, 1);
    gridButtons_ = new QHBoxLayout;
    QPushButton *BitBtn3 = button(box3, QStringLiteral("BitBtn3"), shape_.chooseCaption);
    gridButtons_->addWidget(BitBtn3);
    gridButtons_->addStretch();
    g3->addLayout(gridButtons_);
    p1->addWidget(box3, 1);

    // The edit panel, laid over the search panel.
    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setAutoFillBackground(true);
    auto *p2 = new QVBoxLayout(Panel2);
    p2->addWidget(titleStrip(Panel2, QStringLiteral("GroupBox8"), QStringLiteral("Label11"),
                             shape_.editTitle));
    GroupBox5 = group(Panel2, QStringLiteral("GroupBox5"), QStringLiteral("รายละเอียด"));
    new QGridLayout(GroupBox5);
    p2->addWidget(GroupBox5);
    edtDoc_PK2 = addDetail(QStringLiteral("edtDoc_PK2"), QStringLiteral("เลขที่อ้างอิง"));
    edtDocNumber2 = addDetail(QStringLiteral("edtDocNumber2"), QStringLiteral("เลขที่หนังสือ"));
    edtDocDate2 = addDetail(QStringLiteral("edtDocDate2"), QStringLiteral("วันที่หนังสือ"));
    edtTopic2 = addDetail(QStringLiteral("edtTopic2"), QStringLiteral("เรื่อง"));
    GroupBox6 = group(Panel2, QStringLiteral("GroupBox6"), shape_.stageGroup);
    new QGridLayout(GroupBox6);
    p2->addWidget(GroupBox6);
    btnSave2 = button(Panel2, QStringLiteral("btnSave2"), QStringLiteral("บันทึกข้อมูล"));
    QPushButton *btnExit2 = button(Panel2, QStringLiteral("btnExit2"), QStringLiteral("ออก"));
    auto *saveButtons = new QHBoxLayout;
    saveButtons->addWidget(btnSave2);
    saveButtons->addWidget(btnExit2);
    saveButtons->addStretch();
    p2->addLayout(saveButtons);
    p2->addStretch(1);

    outer->addWidget(Panel1, 0, 0);
    outer->addWidget(Panel2, 0, 0);
    Panel2->raise();
    Panel2->hide();

    connect(btnSelect_Data, &QPushButton::clicked, this, [this] { btnSelect_DataClick(); });
    connect(btnExit1, &QPushButton::clicked, this, [this] { btnExit1Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    connect(btnSave2, &QPushButton::clicked, this, [this] { btnSave2Click(); });
    connect(btnExit2, &QPushButton::clicked, this, [this] { btnExit2Click(); });
}

QList<std::optional<QString>> Browse_Edit_Screen::typedCriteria() const
{
    QList<std::optional<QString>> typed;
    for (qsizetype i = 0; i < checks_.size(); ++i) {
        if (!checks_.at(i)->isChecked())
            typed.append(std::nullopt);
        else if (dateFields_.at(i))
            typed.append(dateFields_.at(i)->text());
        else
            typed.append(plainFields_.at(i)->text());
    }
    return typed;
}

bool Browse_Edit_Screen::search()
{
    const browse::Stage stage =
        RadioButton1 && RadioButton1->isChecked() ? browse::Stage::Add : browse::Stage::Update;
    const db::Statement statement = browse::searchStatement(shape_, typedCriteria(), stage);
    if (shape_.blankRowOnNoResult) {
        StringGrid1->setColCount(shape_.colCount);
        StringGrid1->setRowCount(2);
    }
    db::Rows rows = session().connection.select(statement);
    const QList<QStringList> found = browse::readRows(shape_, rows);
    if (found.isEmpty()) {
        showMessage(browse::NotFound);
        if (shape_.blankRowOnNoResult)
            StringGrid1->clearRow(1);
        return false;
    }
    StringGrid1->setColCount(shape_.colCount);
    StringGrid1->setRowCount(2);
    const int widths[] = {30, 90, 120, 90, shape_.topicWidth};
    for (int c = 0; c < 5 && c < shape_.colCount; ++c)
        StringGrid1->setColWidth(c, widths[c]);
    for (qsizetype c = 0; c < shape_.headers.size(); ++c)
        StringGrid1->setCell(int(c), 0, shape_.headers.at(c));
    StringGrid1->setRowCount(int(found.size()) + 1);
    for (qsizetype n = 0; n < found.size(); ++n) {
        const QStringList &cells = found.at(n);
        for (qsizetype c = 0; c < cells.size(); ++c)
            StringGrid1->setCell(int(c), int(n) + 1, cells.at(c));
    }
    return true;
}

void Browse_Edit_Screen::btnSelect_DataClick()
{
    guarded(this, session().dialogs, [this] { search(); });
}

void Browse_Edit_Screen::BitBtn3Click()
{
    guarded(this, session().dialogs, [this] {
        beforeChoose();
        Panel2->show();
        const int row = StringGrid1->row();
        edtDoc_PK2->setText(StringGrid1->cell(1, row));
        edtDocNumber2->setText(StringGrid1->cell(2, row));
        edtDocDate2->setText(StringGrid1->cell(3, row));
        edtTopic2->setText(StringGrid1->cell(4, row));
        db::Rows found = session().connection.select(browse::lookupStatement(edtDoc_PK2->text()));
        // An empty key (no search yet, or one that found nothing) names no document.
        if (edtDoc_PK2->text().isEmpty() || !found.next()) {
            reportNotFound();
            return;
        }
        loadChosen(found);
    });
}

void Browse_Edit_Screen::btnSave2Click()
{
    guarded(this, session().dialogs, [this] {
        if (!checkFields())
            return;
        if (!confirmSave())
            return;
        writeStage();
    });
}

void Browse_Edit_Screen::writeStage()
{
    const QString key = edtDoc_PK2->text();
    // Nothing is ever written for an empty key: it is no document of the table.
    if (key.isEmpty()) {
        reportNotFound();
        return;
    }
    bool stageWasEmpty = true;
    if (shape_.rereadOnSave) {
        db::Rows row = session().connection.select(browse::lookupStatement(key));
        if (!row.next()) {
            reportNotFound();
            return;
        }
        if (!shape_.stageColumn.isEmpty())
            stageWasEmpty = row.text(shape_.stageColumn).isEmpty();
    }
    const int changed = session().connection.execute(
        browse::updateStatement(shape_, assignmentLines(), stageWasEmpty, key));
    // Without the re-read, a document that vanished shows only here; no success is claimed.
    if (changed == 0) {
        reportNotFound();
        return;
    }
    if (shape_.searchAfterSave)
        search();
    showMessage(browse::Saved);
    Panel2->hide();
}

void Browse_Edit_Screen::btnExit2Click()
{
    Panel2->hide();
}

void Browse_Edit_Screen::btnExit1Click()
{
    closeScreen();
}

void Browse_Edit_Screen::showMessage(const QString &text)
{
    session().dialogs.message(this, text);
}

bool Browse_Edit_Screen::confirmSave()
{
    return session().dialogs.confirm(this, browse::ConfirmSave);
}

void Browse_Edit_Screen::reportNotFound()
{
    showMessage(browse::SystemFailure);
}

QGridLayout *Browse_Edit_Screen::groupGrid(QGroupBox *box) const
{
    return static_cast<QGridLayout *>(box->layout());
}

QLineEdit *Browse_Edit_Screen::addEditTo(QGroupBox *box, const QString &name, const QString &label,
                                         int maxLength, bool readOnly)
{
    QGridLayout *layout = groupGrid(box);
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

QLineEdit *Browse_Edit_Screen::addDetail(const QString &name, const QString &label)
{
    return addEditTo(GroupBox5, name, label, 0, true);
}

QLineEdit *Browse_Edit_Screen::addStageEdit(const QString &name, const QString &label,
                                            int maxLength)
{
    return addEditTo(GroupBox6, name, label, maxLength, false);
}

QLineEdit *Browse_Edit_Screen::addEdit(QGroupBox *box, const QString &name, const QString &label,
                                       int maxLength)
{
    return addEditTo(box, name, label, maxLength, false);
}

QComboBox *Browse_Edit_Screen::addStageCombo(const QString &name, const QString &label)
{
    QGridLayout *layout = groupGrid(GroupBox6);
    const int r = layout->rowCount();
    auto *combo = new QComboBox(GroupBox6);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    layout->addWidget(new QLabel(label, GroupBox6), r, 0);
    layout->addWidget(combo, r, 1);
    layout->setColumnStretch(1, 1);
    return combo;
}

QCheckBox *Browse_Edit_Screen::addStageCheck(QGroupBox *box, const QString &name,
                                             const QString &caption)
{
    QGridLayout *layout = groupGrid(box);
    auto *check = new QCheckBox(caption, box);
    check->setObjectName(name);
    layout->addWidget(check, layout->rowCount(), 1);
    return check;
}

MaskEdit *Browse_Edit_Screen::addStageDate(const QString &name, const QString &label)
{
    QGridLayout *layout = groupGrid(GroupBox6);
    const int r = layout->rowCount();
    auto *date = new MaskEdit(MaskEdit::Kind::Date, GroupBox6);
    date->setObjectName(name);
    layout->addWidget(new QLabel(label, GroupBox6), r, 0);
    layout->addWidget(date, r, 1);
    return date;
}

QGroupBox *Browse_Edit_Screen::addEditGroup(const QString &name, const QString &caption)
{
    QGroupBox *box = group(Panel2, name, caption);
    new QGridLayout(box);
    auto *p2 = static_cast<QVBoxLayout *>(Panel2->layout());
    // Under the stage group, above the save buttons.
    p2->insertWidget(p2->indexOf(GroupBox6) + 1, box);
    return box;
}

QPushButton *Browse_Edit_Screen::addGridButton(const QString &name, const QString &caption)
{
    QPushButton *b = button(StringGrid1->parentWidget(), name, caption);
    gridButtons_->insertWidget(gridButtons_->count() - 1, b);
    return b;
}
