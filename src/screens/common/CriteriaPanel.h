#pragma once

// The criteria rows of a search or report screen, built from a criteria list: a check box per
// criterion with its edit box, masked date box, combo box or from–to date pair, named as the
// list says. What the user entered is read back as criteria::Entered for the core.

#include "core/Criteria.h"

#include <QList>

class MaskEdit;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QWidget;

class CriteriaPanel {
public:
    // Adds one row per criterion to layout (from its current last row), parented to parent.
    CriteriaPanel(QWidget *parent, QGridLayout *layout, QList<criteria::Criterion> list);

    const QList<criteria::Criterion> &list() const { return list_; }
    criteria::Entered entered() const;
    // The combo box of a Choice criterion, for screens that fill its items.
    QComboBox *choice(const QString &field) const;

private:
    struct Row {
        QCheckBox *check = nullptr;
        QLineEdit *text = nullptr;
        MaskEdit *date = nullptr; // a date box, or the first of a range
        MaskEdit *date2 = nullptr;
        QComboBox *combo = nullptr;
    };
    QList<criteria::Criterion> list_;
    QList<Row> rows_;
};
