#pragma once

// The maintenance window of one reference table (officers, document types, users, fixed
// holidays), in the browse-and-edit look: the list of rows with add, edit and delete, and the
// edit panel over it with the table's fields. The controls are made from the table's rules
// (core/Reference.h); every check and write is the core's.

#include "core/Reference.h"
#include "screens/common/Screen.h"

#include <QList>
#include <QString>

class Grid;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QStackedLayout;

// The menu items of the reference screens (also what other screens open them by).
namespace reference_items {
inline constexpr const char *Officers = "referenceOfficers";
inline constexpr const char *DocTypes = "referenceDocTypes";
inline constexpr const char *Users = "referenceUsers";
inline constexpr const char *Holidays = "referenceHolidays";
} // namespace reference_items

class ReferenceScreen : public Screen {
    Q_OBJECT

public:
    ReferenceScreen(Session &session, reference::TableId table, QWidget *parent = nullptr);

    const reference::Rules &rules() const { return rules_; }

    void FormCreate();
    void btnAdd_DataClick();
    void btnEdit_DataClick();
    void btnDelete_DataClick();
    void btnSave2Click();
    void btnExit2Click();
    void btnExit1Click();

private:
    QWidget *buildListPanel();
    QWidget *buildEditPanel();
    QWidget *addField(QWidget *box, const reference::Field &f);
    void showList(const QString &current = QString());
    void showEditPanel(bool adding);
    void showListPanel();
    // The key of the grid's current row; empty (and the user told) when there is none.
    QString chosenKey();
    reference::Values entered() const;
    // The stored row of the key in the edit panel.
    void editRow(const QString &key);
    void refuse(const reference::Outcome &outcome);

    const reference::Rules &rules_;
    QStackedLayout *panels_ = nullptr;
    QWidget *Panel1 = nullptr;
    QWidget *Panel2 = nullptr;
    Grid *StringGrid1 = nullptr;
    QPushButton *btnSave2 = nullptr;
    QList<QWidget *> fields_; // one per field of the rules, in their order
    bool adding_ = false;
    QString editing_; // the key of the row in the edit panel
    reference::Values loaded_; // that row as it was loaded
};

// What the menu opens: one screen per table.
template <reference::TableId Id> Screen *openReference(Session &session)
{
    return new ReferenceScreen(session, Id);
}
