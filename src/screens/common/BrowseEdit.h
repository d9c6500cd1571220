#pragma once

// The record browse-and-edit window shared by the workflow stages: the search panel with its
// criteria, the result grid, and the edit panel laid over it with the stage's fields. The
// shape (core/Browse.h) says what differs between the screens; the window builds its controls
// from it and moves values between them and the core's search and save.

#include "core/Browse.h"
#include "screens/common/Screen.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class CriteriaPanel;
class Grid;
class QBoxLayout;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

class BrowseEditScreen : public Screen {
    Q_OBJECT

public:
    BrowseEditScreen(Session &session, const QString &objectName, browse::Shape shape,
                     QWidget *parent = nullptr);
    ~BrowseEditScreen() override;

    const browse::Shape &shape() const { return shape_; }

    // The handlers of the shared controls.
    void btnSelect_DataClick();
    void BitBtn3Click();
    void btnSave2Click();
    void btnExit2Click();
    void btnExit1Click();

protected:
    // Fills the fields from the chosen document's row, as the shape says.
    virtual void loadChosen(const browse::Document &row);
    // The screen's checks in order; shows the first failure's message and gives false.
    virtual bool checkFields();
    // Before the choose copies the grid row (a screen resets its mode here).
    virtual void beforeChoose() {}
    // After the confirmation: the core's stage save, then the report. A screen with another
    // write path (a new document) takes over here.
    virtual void writeStage();

    // Runs the search and fills the grid; gives whether a row came back.
    bool search();

    // The control of a field of the shape, by object name.
    template <typename T> T *field(const QString &objectName) const
    {
        return qobject_cast<T *>(fields_.value(objectName));
    }
    browse::Entered enteredFields() const;
    browse::ProgramValues programValues() const;
    // Empties the stage's fields (not the details).
    void clearStageFields();

    QPushButton *addGridButton(const QString &name, const QString &caption);

    void showMessage(const QString &text);
    bool confirmSave();
    // The failure message, with the focus back on the edit panel.
    void reportNotFound();
    // The save is to find the document as it was before anyone wrote it (a new one another
    // station recorded meanwhile is then told, not overwritten).
    void expectNewDocument();

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
    QWidget *buildSearchPanel();
    QWidget *buildEditPanel();
    void buildFields(QBoxLayout *panel, int insertAt);
    QWidget *addFieldControl(QGroupBox *box, const browse::Field &f);
    QLineEdit *addLineEdit(QGroupBox *box, const QString &name, const QString &label, int maxLength,
                           bool readOnly);

    // Another station changed the document since it was loaded: says what, and loads it
    // again when the user agrees.
    void offerReload(const QList<loaded::Change> &changed);

    browse::Shape shape_;
    browse::Document loaded_; // the chosen document's shown columns, as loaded
    std::unique_ptr<CriteriaPanel> criteria_;
    QHash<QString, QWidget *> fields_;
    QHBoxLayout *gridButtons_ = nullptr;
};
