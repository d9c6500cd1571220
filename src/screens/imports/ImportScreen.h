#pragma once

// The shape every spreadsheet import screen shares: open a workbook, preview its rows in the
// grid, save the preview into the catalog row by row with a progress bar, list the keys.
// The columns, the end of the read and the statements come from Import_Rows.

#include "core/ImportRows.h"
#include "screens/common/Screen.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class Grid;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QPixmap;

// The picture of the workbook an import expects, drawn from its column list: column letters,
// row numbers, the headings in their row and the first data row marked.
QPixmap drawImportLayout(const ImportLayout &layout);

class ImportScreen : public Screen {
    Q_OBJECT

public:
    // Asks for the workbook to read; an empty answer means the user cancelled. The standard
    // file dialog unless replaced (tests give a path here).
    std::function<QString()> chooseFile;

    ImportKind kind() const { return kind_; }

    void FormCreate();
    // Open the file chooser, then read what it gave.
    void BitBtn1Click();
    // Reads the workbook into the preview grid. A file that cannot be read leaves the grid and
    // the file labels as they were.
    void btnOpen2Click(const QString &fileName);
    void btnSave_DataClick();
    void BitBtn2Click();

    // The grid's data rows as the save takes them.
    QList<QStringList> previewRows() const;

protected:
    struct LayoutButtons {
        QString showName; // empty: the screen has no layout picture
        QString showCaption;
        QString okName;
    };

    ImportScreen(Session &session, const QString &objectName, ImportKind kind,
                 const LayoutButtons &picture, QWidget *parent);

    void showLayout();
    void hideLayout();

private:
    QWidget *buildTitle();
    QWidget *buildFileGroup(const LayoutButtons &picture);
    QWidget *buildLayoutPicture(const LayoutButtons &picture);
    QWidget *buildPreviewGroup();
    void fillGrid(const ImportPreview &preview);
    void listResult(const ImportResult &result);

    ImportKind kind_;

    QFrame *Panel1 = nullptr;
    QLabel *Label5 = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *btnSave_Data = nullptr;
    QPushButton *BitBtn2 = nullptr;
    QPushButton *btnExp_Excel = nullptr;
    QPushButton *layoutShow_ = nullptr;
    QPushButton *layoutOk_ = nullptr;
    QLabel *L_Fname = nullptr;
    QLabel *L_Name3 = nullptr;
    Grid *StringGrid1 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QLineEdit *edtSum_M1 = nullptr;
    QLineEdit *edtData_M = nullptr;
    QLineEdit *edtData_Y = nullptr;
    QListWidget *ListBox1 = nullptr;
    QListWidget *ListBox2 = nullptr;
    QFrame *Panel4 = nullptr;
};
