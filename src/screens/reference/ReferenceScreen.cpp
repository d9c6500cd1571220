#include "screens/reference/ReferenceScreen.h"

#include "core/Messages.h"
#include "data/Connection.h"
#include "data/schema.h"
#include "screens/common/Dialogs.h"
#include "screens/common/EnterMovesOn.h"
#include "screens/common/Grid.h"
#include "screens/common/Guard.h"
#include "screens/common/Session.h"
#include "screens/common/TextLimit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

using reference::Field;
using reference::FieldKind;

namespace {

const char *itemOf(reference::TableId id)
{
    switch (id) {
    case reference::TableId::Officers:
        return reference_items::Officers;
    case reference::TableId::DocTypes:
        return reference_items::DocTypes;
    case reference::TableId::Users:
        return reference_items::Users;
    case reference::TableId::Holidays:
        return reference_items::Holidays;
    }
    return "";
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    enterClicks(b);
    return b;
}

// The heading of a panel: bold, dark blue, centred on a pale yellow strip.
QLabel *heading(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignCenter);
    label->setMargin(8);
    QFont f = label->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.4);
    label->setFont(f);
    label->setStyleSheet(QStringLiteral("color: #0000a0; background: #ffffc0;"));
    return label;
}

// The control's object name: its kind, the column, and the edit panel's "2".
QString controlName(const Field &f)
{
    const QString prefix =
        f.kind == FieldKind::Active ? QStringLiteral("CheckBox") : QStringLiteral("edt");
    return prefix + QLatin1String(f.column) + u'2';
}

int columnWidth(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Name:
        return 300;
    case FieldKind::Login:
        return 150;
    default:
        return 90;
    }
}

QString shownText(const Field &f, const QString &stored)
{
    if (f.kind != FieldKind::Active)
        return stored;
    return stored == schema::code::PersonActive ? QStringLiteral("ใช้งาน")
                                                : QStringLiteral("ไม่ใช้งาน");
}

} // namespace

ReferenceScreen::ReferenceScreen(Session &session, reference::TableId table, QWidget *parent)
    : Screen(session, QLatin1String(itemOf(table)), parent), rules_(reference::rulesOf(table))
{
    setWindowTitle(QString::fromUtf8(rules_.title));
    // One panel at a time: the hidden one's controls never take the focus.
    panels_ = new QStackedLayout(this);
    panels_->addWidget(buildListPanel());
    panels_->addWidget(buildEditPanel());
    FormCreate();
}

QWidget *ReferenceScreen::buildListPanel()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto *p1 = new QVBoxLayout(Panel1);
    p1->addWidget(heading(Panel1, "Label10", QString::fromUtf8(rules_.title)));
    auto *box = new QGroupBox(QStringLiteral("รายการ"), Panel1);
    box->setObjectName(QStringLiteral("GroupBox3"));
    auto *g = new QVBoxLayout(box);
    StringGrid1 = new Grid(box);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    g->addWidget(StringGrid1, 1);
    auto *buttons = new QHBoxLayout;
    QPushButton *add = button(box, "btnAdd_Data", QStringLiteral("เพิ่มข้อมูล"));
    QPushButton *edit = button(box, "btnEdit_Data", QStringLiteral("แก้ไขข้อมูล"));
    QPushButton *del = button(box, "btnDelete_Data", QStringLiteral("ลบข้อมูล"));
    QPushButton *back = button(box, "btnExit1", QStringLiteral("กลับสู่เมนูหลัก"));
    for (QPushButton *b : {add, edit, del, back})
        buttons->addWidget(b);
    buttons->addStretch();
    g->addLayout(buttons);
    p1->addWidget(box, 1);

    connect(add, &QPushButton::clicked, this, &ReferenceScreen::btnAdd_DataClick);
    connect(edit, &QPushButton::clicked, this, &ReferenceScreen::btnEdit_DataClick);
    connect(del, &QPushButton::clicked, this, &ReferenceScreen::btnDelete_DataClick);
    connect(back, &QPushButton::clicked, this, &ReferenceScreen::btnExit1Click);
    connect(StringGrid1, &Grid::dblClick, this, &ReferenceScreen::btnEdit_DataClick);
    return Panel1;
}

QWidget *ReferenceScreen::buildEditPanel()
{
    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto *p2 = new QVBoxLayout(Panel2);
    p2->addWidget(heading(Panel2, "Label11", QString::fromUtf8(rules_.title)));
    auto *box = new QGroupBox(QStringLiteral("บันทึกข้อมูล") + QString::fromUtf8(rules_.noun), Panel2);
    box->setObjectName(QStringLiteral("GroupBox6"));
    new QGridLayout(box);
    QList<QWidget *> order;
    for (const Field &f : rules_.fields) {
        fields_ << addField(box, f);
        order << fields_.constLast();
    }
    p2->addWidget(box);
    btnSave2 = button(Panel2, "btnSave2", QStringLiteral("บันทึกข้อมูล"));
    QPushButton *btnExit2 = button(Panel2, "btnExit2", QStringLiteral("ออก"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnSave2);
    buttons->addWidget(btnExit2);
    buttons->addStretch();
    p2->addLayout(buttons);
    p2->addStretch(1);
    enterMovesOn(order);

    connect(btnSave2, &QPushButton::clicked, this, &ReferenceScreen::btnSave2Click);
    connect(btnExit2, &QPushButton::clicked, this, &ReferenceScreen::btnExit2Click);
    return Panel2;
}

QWidget *ReferenceScreen::addField(QWidget *box, const Field &f)
{
    auto *layout = static_cast<QGridLayout *>(box->layout());
    const int r = layout->rowCount();
    const QString caption = QString::fromUtf8(f.caption);
    if (f.kind == FieldKind::Active) {
        auto *check = new QCheckBox(caption, box);
        check->setObjectName(controlName(f));
        layout->addWidget(check, r, 1);
        return check;
    }
    auto *edit = new QLineEdit(box);
    edit->setObjectName(controlName(f));
    if (f.width > 0)
        limitLength(edit, f.width);
    if (f.kind == FieldKind::Level)
        limitLength(edit, 6);
    if (f.kind == FieldKind::Password)
        edit->setEchoMode(QLineEdit::PasswordEchoOnEdit);
    if (f.kind == FieldKind::DayMonth)
        edit->setPlaceholderText(QStringLiteral("DD/MM"));
    // Short values get a short box; names take the width.
    const bool shortValue = f.kind != FieldKind::Name && f.kind != FieldKind::Login;
    const int chars = f.kind == FieldKind::Password ? 14 : 8;
    if (shortValue)
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(chars, u'0')) + 12);
    layout->addWidget(new QLabel(caption, box), r, 0);
    layout->addWidget(edit, r, 1, shortValue ? Qt::AlignLeft : Qt::Alignment());
    layout->setColumnStretch(1, 1);
    return edit;
}

void ReferenceScreen::FormCreate()
{
    guarded(this, session().dialogs, [this] { showList(); });
}

void ReferenceScreen::showList(const QString &current)
{
    QStringList headers{QStringLiteral("No")};
    QList<int> widths{40};
    QList<const Field *> listed;
    for (const Field &f : rules_.fields) {
        if (!f.listed)
            continue;
        headers << QString::fromUtf8(f.caption);
        widths << columnWidth(f.kind);
        listed << &f;
    }
    StringGrid1->setColCount(static_cast<int>(headers.size()));
    StringGrid1->setRowCount(2);
    StringGrid1->setColWidths(widths);
    StringGrid1->setRowCells(0, headers);
    StringGrid1->clearRow(1);
    const QList<QStringList> rows = reference::list(session().connection, rules_.id);
    QList<QStringList> cells;
    int currentRow = 1;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        QStringList line{QString::number(r + 1)};
        for (qsizetype c = 0; c < listed.size(); ++c)
            line << shownText(*listed[c], rows[r].value(c));
        if (!current.isEmpty() && rows[r].value(0).compare(current, Qt::CaseInsensitive) == 0)
            currentRow = static_cast<int>(r + 1);
        cells << line;
    }
    if (!cells.isEmpty())
        StringGrid1->fillRows(cells);
    StringGrid1->setRow(currentRow);
}

void ReferenceScreen::showEditPanel(bool adding)
{
    adding_ = adding;
    for (qsizetype i = 0; i < fields_.size(); ++i) {
        const Field &f = rules_.fields[i];
        if (auto *check = qobject_cast<QCheckBox *>(fields_[i])) {
            check->setChecked(true);
        } else if (auto *edit = qobject_cast<QLineEdit *>(fields_[i])) {
            edit->clear();
            if (f.kind == FieldKind::Password)
                edit->setPlaceholderText(adding ? QString() : QStringLiteral("(ว่างไว้: ไม่เปลี่ยน)"));
        }
    }
    // The key names the row: it is typed for a new row only.
    fields_.front()->setEnabled(adding);
    panels_->setCurrentWidget(Panel2);
    fields_[adding ? 0 : 1]->setFocus();
}

void ReferenceScreen::showListPanel()
{
    panels_->setCurrentWidget(Panel1);
    StringGrid1->setFocus();
}

QString ReferenceScreen::chosenKey()
{
    const QString key = StringGrid1->cell(1, StringGrid1->row()).trimmed();
    if (key.isEmpty())
        session().dialogs.message(this, msg::NotFound);
    return key;
}

void ReferenceScreen::btnAdd_DataClick()
{
    editing_.clear();
    showEditPanel(true);
}

void ReferenceScreen::btnEdit_DataClick()
{
    guarded(this, session().dialogs, [this] {
        const QString key = chosenKey();
        if (!key.isEmpty())
            editRow(key);
    });
}

void ReferenceScreen::editRow(const QString &key)
{
    const std::optional<reference::Values> row =
        reference::find(session().connection, rules_.id, key);
    if (!row) {
        // Removed meanwhile at another station.
        session().dialogs.message(this, msg::NotFound);
        showList();
        showListPanel();
        return;
    }
    loaded_ = *row;
    showEditPanel(false);
    editing_ = row->value(QLatin1String(rules_.key().column));
    for (qsizetype i = 0; i < fields_.size(); ++i) {
        const QString text = row->value(QLatin1String(rules_.fields[i].column));
        if (auto *check = qobject_cast<QCheckBox *>(fields_[i]))
            check->setChecked(text == schema::code::PersonActive);
        else if (rules_.fields[i].kind != FieldKind::Password)
            static_cast<QLineEdit *>(fields_[i])->setText(text.trimmed());
    }
}

reference::Values ReferenceScreen::entered() const
{
    reference::Values values;
    for (qsizetype i = 0; i < fields_.size(); ++i) {
        const Field &f = rules_.fields[i];
        const QString column = QLatin1String(f.column);
        if (auto *check = qobject_cast<QCheckBox *>(fields_[i])) {
            values.insert(column, check->isChecked() ? schema::code::PersonActive
                                                     : schema::code::PersonInactive);
            continue;
        }
        const QString text = static_cast<QLineEdit *>(fields_[i])->text();
        // A stored row's key is looked up as it stands; an empty password of a user being
        // changed keeps the stored one.
        if (!adding_ && (i == 0 || (f.kind == FieldKind::Password && text.isEmpty())))
            continue;
        values.insert(column, text);
    }
    return values;
}

void ReferenceScreen::refuse(const reference::Outcome &outcome)
{
    session().dialogs.message(this, outcome.refusal);
    if (outcome.field >= 0 && outcome.field < fields_.size() && fields_[outcome.field]->isEnabled())
        fields_[outcome.field]->setFocus();
}

void ReferenceScreen::btnSave2Click()
{
    Session &s = session();
    guarded(this, s.dialogs, [&] {
        const reference::Values values = entered();
        reference::Outcome outcome = reference::checkValues(rules_, values, adding_);
        if (!outcome.ok()) {
            refuse(outcome);
            return;
        }
        if (!s.dialogs.confirm(this, msg::ConfirmSave))
            return;
        const reference::Actor actor{s.Login_User};
        outcome = adding_
                      ? reference::add(s.connection, rules_.id, values)
                      : reference::change(s.connection, rules_.id, editing_, values, actor, &loaded_);
        if (outcome.changedMeanwhile) {
            if (s.dialogs.confirm(this, outcome.refusal))
                editRow(editing_);
            return;
        }
        if (!outcome.ok()) {
            refuse(outcome);
            return;
        }
        const QString key = adding_ ? values.value(QLatin1String(rules_.key().column)) : editing_;
        showList(key.trimmed());
        s.dialogs.message(this, msg::Saved);
        showListPanel();
    });
}

void ReferenceScreen::btnDelete_DataClick()
{
    Session &s = session();
    guarded(this, s.dialogs, [&] {
        const QString key = chosenKey();
        if (key.isEmpty())
            return;
        QStringList row;
        for (int c = 1; c < StringGrid1->colCount(); ++c)
            row << StringGrid1->cell(c, StringGrid1->row());
        if (!s.dialogs.confirm(this, QStringLiteral("ยืนยันการลบข้อมูล ") + row.join(u' ')))
            return;
        const reference::Outcome outcome =
            reference::remove(s.connection, rules_.id, key, reference::Actor{s.Login_User});
        if (!outcome.ok()) {
            s.dialogs.message(this, outcome.refusal);
            return;
        }
        showList();
        s.dialogs.message(this, msg::Saved);
    });
}

void ReferenceScreen::btnExit2Click()
{
    showListPanel();
}

void ReferenceScreen::btnExit1Click()
{
    closeScreen();
}
