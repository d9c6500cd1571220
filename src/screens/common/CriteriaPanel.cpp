#include "screens/common/CriteriaPanel.h"

#include "screens/common/MaskEdit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using criteria::Input;
using criteria::Switch;

namespace {

MaskEdit *maskEdit(QWidget *parent, MaskEdit::Kind kind, const QString &name)
{
    auto *e = new MaskEdit(kind, parent);
    e->setObjectName(name);
    return e;
}

} // namespace

CriteriaPanel::CriteriaPanel(QWidget *parent, QGridLayout *layout, QList<criteria::Criterion> list)
    : list_(std::move(list))
{
    int r = layout->rowCount();
    // A fresh grid layout reports one empty row.
    if (r == 1 && layout->count() == 0)
        r = 0;
    for (const criteria::Criterion &c : list_) {
        Row row;
        switch (c.toggle) {
        case Switch::CheckBox:
            row.on = new QCheckBox(c.caption, parent);
            break;
        case Switch::RadioPair: {
            auto *off = new QRadioButton(c.offCaption, parent);
            off->setObjectName(c.offButton);
            row.on = new QRadioButton(c.caption, parent);
            auto *group = new QButtonGroup(parent);
            group->addButton(off);
            group->addButton(row.on);
            layout->addWidget(off, r++, 0);
            break;
        }
        case Switch::Always:
            layout->addWidget(new QLabel(c.caption, parent), r, 0);
            break;
        }
        if (row.on) {
            row.on->setObjectName(c.checkBox);
            layout->addWidget(row.on, r, 0);
        }
        layout->addWidget(makeInput(parent, c, row), r, 1);
        rows_.append(row);
        ++r;
    }
}

QWidget *CriteriaPanel::makeInput(QWidget *parent, const criteria::Criterion &c, Row &row)
{
    switch (c.input) {
    case Input::Date:
        return row.date = maskEdit(parent, MaskEdit::Kind::Date, c.field);
    case Input::MonthYear:
        return row.date = maskEdit(parent, MaskEdit::Kind::MonthYear, c.field);
    case Input::Choice:
        row.combo = new QComboBox(parent);
        row.combo->setEditable(true);
        row.combo->setInsertPolicy(QComboBox::NoInsert);
        row.combo->setObjectName(c.field);
        return row.combo;
    case Input::DateRange: {
        auto *pair = new QWidget(parent);
        auto *line = new QHBoxLayout(pair);
        line->setContentsMargins(0, 0, 0, 0);
        row.date = maskEdit(pair, MaskEdit::Kind::Date, c.field);
        row.date2 = maskEdit(pair, MaskEdit::Kind::Date, c.field2);
        line->addWidget(row.date);
        line->addWidget(new QLabel(c.label2, pair));
        line->addWidget(row.date2);
        line->addStretch();
        return pair;
    }
    case Input::Text:
        break;
    }
    row.text = new QLineEdit(parent);
    row.text->setObjectName(c.field);
    return row.text;
}

void CriteriaPanel::reset(const QString &todayThai,
                          const std::function<QStringList(criteria::Items)> &itemsOf)
{
    for (qsizetype i = 0; i < rows_.size(); ++i) {
        const criteria::Criterion &c = list_.at(i);
        Row &row = rows_[i];
        QStringList items = c.items;
        if (c.source != criteria::Items::Fixed && itemsOf)
            items = itemsOf(c.source);
        const QString start = criteria::initialText(c, todayThai, items);
        if (row.on)
            row.on->setChecked(c.toggle == Switch::RadioPair ? c.onAtStart : false);
        if (row.combo) {
            row.combo->clear();
            row.combo->addItems(items);
            row.combo->setCurrentIndex(-1);
            row.combo->setEditText(start);
        } else if (row.date) {
            row.date->setText(start);
            if (row.date2)
                row.date2->setText(start);
        } else if (row.text) {
            row.text->setText(start);
        }
    }
}

criteria::Entered CriteriaPanel::entered() const
{
    criteria::Entered out;
    for (qsizetype i = 0; i < rows_.size(); ++i) {
        const Row &row = rows_.at(i);
        if (row.on && !row.on->isChecked()) {
            out.append(std::nullopt);
            continue;
        }
        QStringList values;
        if (row.combo)
            values << row.combo->currentText();
        else if (row.date)
            values << row.date->text();
        else
            values << row.text->text();
        if (row.date2)
            values << row.date2->text();
        out.append(values);
    }
    return out;
}

bool CriteriaPanel::datesReal(const std::function<void(const QString &)> &tell) const
{
    const std::optional<criteria::DateProblem> problem = criteria::dateProblem(list_, entered());
    if (!problem)
        return true;
    tell(problem->message);
    const Row &row = rows_.at(problem->criterion);
    if (QWidget *box = problem->box == 1 ? row.date2 : row.date)
        box->setFocus();
    return false;
}
