#pragma once

// The criteria rows of a search or report screen, built from a criteria list: a check box (or
// a radio pair, or nothing for a criterion always used) per criterion with its edit box, masked
// date box, combo box or from–to date pair, named as the list says. What the user entered is
// read back as criteria::Entered for the core.

#include "core/Criteria.h"

#include <QList>
#include <functional>

class MaskEdit;
class QAbstractButton;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QWidget;

class CriteriaPanel {
public:
    // Adds one row per criterion to layout (from its current last row), parented to parent.
    CriteriaPanel(QWidget *parent, QGridLayout *layout, QList<criteria::Criterion> list);

    const QList<criteria::Criterion> &list() const { return list_; }
    int rowCount() const { return static_cast<int>(rows_.size()); }
    criteria::Entered entered() const;
    // A ticked date or month box whose text is no real day: tells it and puts the focus on the
    // box. Gives whether all were real, so that the search may run.
    bool datesReal(const std::function<void(const QString &)> &tell) const;

    // The opening state: the combos' items (from itemsOf for the lists the catalog holds),
    // the inputs' initial texts, the switches as they start.
    void reset(const QString &todayThai,
               const std::function<QStringList(criteria::Items)> &itemsOf = {});

private:
    struct Row {
        QAbstractButton *on = nullptr; // check box or the criterion's radio button
        QLineEdit *text = nullptr;
        MaskEdit *date = nullptr; // a masked box, or the first of a range
        MaskEdit *date2 = nullptr;
        QComboBox *combo = nullptr;
    };
    QWidget *makeInput(QWidget *parent, const criteria::Criterion &c, Row &row);

    QList<criteria::Criterion> list_;
    QList<Row> rows_;
};
