#pragma once

// The service-level summary screen: for a period of exit dates, a target in working days and a
// grouping (officer, document type or month of exit), the finished documents' figures per group,
// the open documents' ages, and a group's documents in the days-in-division report's grid. The
// figures are the core's (core/ServiceSummary.h); the window moves values between its controls
// and those calls.

#include "core/ServiceSummary.h"
#include "screens/common/Screen.h"

#include <QMap>
#include <functional>
#include <memory>
#include <optional>

namespace charts {
class ChartsPanel;
}
class CriteriaPanel;
class DayBreakdownPanel;
class Grid;
class QLabel;
class QPushButton;
class QTabWidget;

class ServiceSummaryScreen : public Screen {
    Q_OBJECT

public:
    explicit ServiceSummaryScreen(Session &session, QWidget *parent = nullptr);
    ~ServiceSummaryScreen() override;

    // The summary shown last (empty before the first), for the views that draw it.
    const summary::Summary &result() const { return result_; }
    // The result's tabs: the groups, the open documents, a group's documents, then the charts,
    // drawn again whenever a summary is shown.
    QTabWidget *resultTabs() const { return tabResults; }

    // Where the export writes; the user's reports folder unless a test says otherwise.
    void setExportFolder(const QString &folder, bool openAfter);

    // Names the PDF file to write (a path is suggested); empty when the user gives none. The
    // standard save dialog unless a test says otherwise.
    std::function<QString(QWidget *parent, const QString &suggested)> choosePdfFile;

    void FormCreate();
    void btnSelect_DataClick();
    void StringGrid1DblClick(); // a group of finished documents: its documents
    void StringGrid2DblClick(); // a group of open documents: its documents
    void StringGrid3DblClick(); // one document: its days, one by one
    void btnExp_excelClick();
    void btnSavePdfClick(); // the grid of the tab in front, as shown
    void btnExit1Click();

signals:
    // A new summary is on the screen; result() holds it.
    void summaryShown();

private:
    QWidget *buildCriteria();
    QWidget *buildResult();
    QWidget *gridPage(const char *gridName, Grid *&grid, const char *labelName, QLabel *&label);
    std::optional<summary::Request> request();
    void showSummary();
    void listDocuments(const QList<summary::Item> &items, const QString &caption);
    QString groupCaption(const QString &group) const;
    struct Front {
        Grid *grid;
        QString title;
    };
    Front front() const;
    void drawCharts();

    std::unique_ptr<CriteriaPanel> criteria_;
    summary::Summary result_;
    QMap<QString, QString> names_;        // of the shown summary's groups
    QMap<QString, QString> officerNames_; // for the charts, whatever the grouping
    QLabel *Label1 = nullptr;
    QPushButton *btnSelect_Data = nullptr;
    QPushButton *btnExit1 = nullptr;
    QTabWidget *tabResults = nullptr;
    Grid *StringGrid1 = nullptr; // finished documents per group
    Grid *StringGrid2 = nullptr; // open documents per group
    Grid *StringGrid3 = nullptr; // a group's documents
    QLabel *lblFinished = nullptr;
    QLabel *lblOpen = nullptr;
    QLabel *lblDocuments = nullptr;
    QPushButton *btnExp_excel = nullptr;
    QPushButton *btnSavePdf = nullptr;
    charts::ChartsPanel *Charts = nullptr;
    DayBreakdownPanel *Panel2 = nullptr;
    QString exportFolder_;
    bool openAfterExport_ = true;
};
