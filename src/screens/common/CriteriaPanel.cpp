#include "screens/common/CriteriaPanel.h"

#include "screens/common/MaskEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

using criteria::Input;

CriteriaPanel::CriteriaPanel(QWidget *parent, QGridLayout *layout, QList<criteria::Criterion> list)
    : list_(std::move(list))
{
    int r = layout->rowCount();
    // A fresh grid layout reports one empty row.
    if (r == 1 && layout->count() == 0)
        r = 0;
    for (const criteria::Criterion &c : list_) {
        Row row;
        row.check = new QCheckBox(c.caption, parent);
        row.check->setObjectName(c.checkBox);
        layout->addWidget(row.check, r, 0);
        switch (c.input) {
        case Input::Text:
            row.text = new QLineEdit(parent);
            row.text->setObjectName(c.field);
            layout->addWidget(row.text, r, 1);
            break;
        case Input::Date:
            row.date = new MaskEdit(MaskEdit::Kind::Date, parent);
            row.date->setObjectName(c.field);
            layout->addWidget(row.date, r, 1);
            break;
        case Input::Choice:
            row.combo = new QComboBox(parent);
            row.combo->setEditable(true);
            row.combo->setInsertPolicy(QComboBox::NoInsert);
            row.combo->addItems(c.items);
            row.combo->setObjectName(c.field);
            layout->addWidget(row.combo, r, 1);
            break;
        case Input::DateRange: {
            row.date = new MaskEdit(MaskEdit::Kind::Date, parent);
            row.date->setObjectName(c.field);
            row.date2 = new MaskEdit(MaskEdit::Kind::Date, parent);
            row.date2->setObjectName(c.field2);
            auto *pair = new QHBoxLayout;
            pair->addWidget(row.date);
            pair->addWidget(new QLabel(c.label2, parent));
            pair->addWidget(row.date2);
            pair->addStretch();
            layout->addLayout(pair, r, 1);
            break;
        }
        }
        rows_.append(row);
        ++r;
    }
}

criteria::Entered CriteriaPanel::entered() const
{
    criteria::Entered out;
    for (const Row &row : rows_) {
        if (!row.check->isChecked()) {
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

QComboBox *CriteriaPanel::choice(const QString &field) const
{
    for (qsizetype i = 0; i < rows_.size(); ++i) {
        if (list_.at(i).field == field)
            return rows_.at(i).combo;
    }
    return nullptr;
}
