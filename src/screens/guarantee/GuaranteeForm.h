#pragma once

// The guarantee document's values as boxes: the entry screen edits them, the cheque receipt
// screen shows them disabled. Both take the captions, limits and masks from here.

#include "core/Guarantee.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

struct Session;
class CriteriaPanel;
class Grid;
class QHBoxLayout;
class QPushButton;
class QVBoxLayout;
class MaskEdit;
class QGridLayout;
class QLineEdit;
class QRadioButton;
class QWidget;

class GuaranteeForm {
public:
    // Adds the ten boxes (and, when withPlace, the cheque-place radio pair) to layout.
    GuaranteeForm(QWidget *parent, QGridLayout *layout, bool editable, bool withPlace);

    guarantee::Form values() const;
    void show(const guarantee::Form &form);
    void clear();

    QLineEdit *edtFromSite = nullptr;
    QLineEdit *edtTopic = nullptr;
    QLineEdit *edtFrom_Unit = nullptr;
    QLineEdit *edtNo_Money = nullptr;
    QLineEdit *edtVendor_Fax = nullptr;
    QLineEdit *edtVendor_Tel = nullptr;
    QLineEdit *edtTo_Who = nullptr;
    MaskEdit *edtDocNoDate = nullptr;
    MaskEdit *edtDate_Into_Fin = nullptr;
    QLineEdit *edtDeega_Remark = nullptr;
    QRadioButton *RadioButton1 = nullptr;
    QRadioButton *RadioButton2 = nullptr;
};

// The finder's two groups on a panel of either screen: the filters with "ค้นหาข้อมูล"
// (btnSearch_Data) on a line the screen adds its own buttons to, and the grid StringGrid1 with
// the button that loads the chosen row (btnEdit_Data4).
struct FinderGroups {
    std::unique_ptr<CriteriaPanel> filters;
    QHBoxLayout *buttonLine = nullptr;
    QPushButton *search = nullptr;
    Grid *grid = nullptr;
    QPushButton *load = nullptr;
};
FinderGroups addFinderGroups(QWidget *panel, QVBoxLayout *column, const QString &loadCaption);

// The finder grid of both screens: 6 columns, 2 rows, the headers and widths, rows 1 and 2
// blank.
void resetFinderGrid(Grid &grid);
// The rows found, under the reset grid; gives whether any came.
bool fillFinderGrid(Grid &grid, const QList<QStringList> &rows);

// The finder's search into its grid, with "ไม่มีข้อมูลที่ต้องการ" when nothing is found.
bool searchFinder(Session &session, QWidget *screen, Grid &grid, const criteria::Entered &filters,
                  const QStringList &extra = {});
// A document as a screen loaded it, kept for its guarded save.
struct LoadedGuarantee {
    QString key;
    guarantee::Stored stored;
};

// The document of the grid's current row; the load-failure message when it names none.
std::optional<LoadedGuarantee> loadSelected(Session &session, QWidget *screen, const Grid &grid);
// The same document loaded again; the load-failure message when it is gone.
std::optional<LoadedGuarantee> loadAgain(Session &session, QWidget *screen, const QString &key);

// What a guarded save of a loaded document came to: true when saved. Another station's change is
// told, and reload runs when the user asks for the document as it is now; a vanished document
// gets the load-failure message.
bool savedOver(Session &session, QWidget *screen, loaded::Outcome outcome,
               const QList<loaded::Change> &changed, const std::function<void()> &reload);
