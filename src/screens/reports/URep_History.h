#pragma once

// The history of changes (TfrmRep_History): who changed what and when, by a document's key, a
// period and a user; at most the newest entries, shown oldest first, one line per column.

#include "screens/common/Screen.h"

#include <memory>

class CriteriaPanel;
class Grid;
class QLabel;

class TfrmRep_History : public Screen {
    Q_OBJECT

public:
    explicit TfrmRep_History(Session &session, QWidget *parent = nullptr);
    ~TfrmRep_History() override;

    // At most this many entries are listed: the newest.
    static constexpr int Newest = 5000;

    void btnSelect_DataClick();
    void btnExit1Click();

private:
    std::unique_ptr<CriteriaPanel> criteria_;
    Grid *StringGrid1 = nullptr;
    QLabel *Label2 = nullptr; // how many entries are shown
};
