#pragma once

// The report window shared by the five reports: the criteria group, the result grid, the
// spreadsheet export, the PDF of the grid and, where the report has one, the day-by-day breakdown
// over the grid. The shape (core/Report.h) says what differs; the window moves values between its
// controls and the core's run.

#include "core/Report.h"
#include "screens/common/Screen.h"
#include "spreadsheet/ReportExport.h"

#include <functional>
#include <memory>
#include <optional>

class CriteriaPanel;
class DayBreakdownPanel;
class Grid;
class QLabel;
class QPushButton;

class ReportScreen : public Screen {
    Q_OBJECT

public:
    // The workbook layout of the report, for what the user entered.
    using Layout = std::function<spreadsheet::ReportLayout(const criteria::Entered &entered)>;

    ReportScreen(Session &session, report::Shape shape, Layout layout, QWidget *parent = nullptr);
    ~ReportScreen() override;

    const report::Shape &shape() const { return shape_; }
    criteria::Entered entered() const;

    // Where the export writes; the user's reports folder unless a test says otherwise.
    void setExportFolder(const QString &folder, bool openAfter);

    // Names the PDF file to write (a path is suggested); empty when the user gives none. The
    // standard save dialog unless a test says otherwise.
    std::function<QString(QWidget *parent, const QString &suggested)> choosePdfFile;

    void FormCreate();
    void btnSelect_DataClick();
    void StringGrid1DblClick();
    void btnExp_excelClick();
    void btnSavePdfClick();
    void btnExit1Click();

private:
    QWidget *buildCriteria();
    QWidget *buildResult();
    void showRows(const QList<QStringList> &rows);

    report::Shape shape_;
    Layout layout_;
    std::unique_ptr<CriteriaPanel> criteria_;
    QLabel *Label1 = nullptr;
    Grid *StringGrid1 = nullptr;
    QPushButton *btnSelect_Data = nullptr;
    QPushButton *btnExit1 = nullptr;
    QPushButton *btnExp_excel = nullptr;
    QPushButton *btnSavePdf = nullptr;
    DayBreakdownPanel *Panel2 = nullptr;
    QString exportFolder_; // empty: the user's reports folder
    bool openAfterExport_ = true;
    // The criteria of the rows the grid shows, in words; nullopt until a run has shown rows.
    std::optional<QStringList> shownCriteria_;
};
