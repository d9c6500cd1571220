#include "screens/guarantee/GuaranteeForm.h"

#include "data/Deployment.h"
#include "screens/common/CriteriaPanel.h"
#include "screens/common/Dialogs.h"
#include "screens/common/Grid.h"
#include "screens/common/MaskEdit.h"
#include "screens/common/Session.h"
#include "screens/common/TextLimit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

template <class Edit>
Edit *place(Edit *edit, QGridLayout *layout, QWidget *parent, const char *name, const char *column,
            bool editable)
{
    edit->setObjectName(QLatin1String(name));
    edit->setEnabled(editable);
    const int r = layout->rowCount();
    layout->addWidget(new QLabel(guarantee::captionOf(column), parent), r, 0);
    layout->addWidget(edit, r, 1);
    return edit;
}

} // namespace

GuaranteeForm::GuaranteeForm(QWidget *parent, QGridLayout *layout, bool editable, bool withPlace)
{
    const auto text = [&](const char *name, const char *column, int limit) {
        auto *e = place(new QLineEdit(parent), layout, parent, name, column, editable);
        if (limit > 0)
            limitLength(e, limit);
        return e;
    };
    const auto date = [&](const char *name, const char *column) {
        return place(new MaskEdit(MaskEdit::Kind::Date, parent), layout, parent, name, column,
                     editable);
    };
    edtFromSite = text("edtFromSite", "FromSite", 250);
    edtTopic = text("edtTopic", "Topic", 250);
    edtFrom_Unit = text("edtFrom_Unit", "From_Unit", 150);
    edtNo_Money = text("edtNo_Money", "No_Money", 0);
    layout->addWidget(new QLabel(QStringLiteral("บาท"), parent), layout->rowCount() - 1, 2);
    edtVendor_Fax = text("edtVendor_Fax", "Vendor_Fax", 30);
    edtVendor_Tel = text("edtVendor_Tel", "Vendor_Tel", 30);
    edtTo_Who = text("edtTo_Who", "To_Who", 100);
    edtDocNoDate = date("edtDocNoDate", "DocNoDate");
    edtDate_Into_Fin = date("edtDate_Into_Fin", "Date_Into_Fin");
    edtDeega_Remark = text("edtDeega_Remark", "Deega_Remark", 150);
    layout->setColumnStretch(1, 1);
    if (!withPlace)
        return;
    auto *group = new QGroupBox(guarantee::captionOf("Place_Rec_Cheque"), parent);
    group->setObjectName(QStringLiteral("GroupBox_Place"));
    auto *radios = new QHBoxLayout(group);
    RadioButton1 = new QRadioButton(QStringLiteral("ธนาคารไทยพาณิชย์"), group);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton2 = new QRadioButton(QStringLiteral("งานการเงิน กองคลัง"), group);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    radios->addWidget(RadioButton1);
    radios->addWidget(RadioButton2);
    radios->addStretch();
    layout->addWidget(group, layout->rowCount(), 0, 1, 3);
}

guarantee::Form GuaranteeForm::values() const
{
    guarantee::Form f;
    f.fromSite = edtFromSite->text();
    f.topic = edtTopic->text();
    f.fromUnit = edtFrom_Unit->text();
    f.amount = edtNo_Money->text();
    f.vendorFax = edtVendor_Fax->text();
    f.vendorTel = edtVendor_Tel->text();
    f.toWho = edtTo_Who->text();
    f.docNoDate = edtDocNoDate->text();
    f.dateIntoFin = edtDate_Into_Fin->text();
    f.remark = edtDeega_Remark->text();
    f.bank = !RadioButton1 || RadioButton1->isChecked();
    return f;
}

void GuaranteeForm::show(const guarantee::Form &f)
{
    edtFromSite->setText(f.fromSite);
    edtTopic->setText(f.topic);
    edtFrom_Unit->setText(f.fromUnit);
    edtNo_Money->setText(f.amount);
    edtVendor_Fax->setText(f.vendorFax);
    edtVendor_Tel->setText(f.vendorTel);
    edtTo_Who->setText(f.toWho);
    edtDocNoDate->setText(f.docNoDate);
    edtDate_Into_Fin->setText(f.dateIntoFin);
    edtDeega_Remark->setText(f.remark);
    if (RadioButton1)
        (f.bank ? RadioButton1 : RadioButton2)->setChecked(true);
}

void GuaranteeForm::clear()
{
    for (QLineEdit *e : {edtFromSite, edtTopic, edtFrom_Unit, edtVendor_Fax, edtVendor_Tel,
                         edtTo_Who, edtDeega_Remark})
        e->clear();
    edtDocNoDate->clear();
    edtDate_Into_Fin->clear();
    edtNo_Money->setText(QStringLiteral("0.00"));
}

void resetFinderGrid(Grid &grid)
{
    grid.setColCount(6);
    grid.setRowCount(2);
    grid.setColWidths(guarantee::gridWidths());
    grid.setRowCells(0, guarantee::gridHeaders());
    grid.clearRow(1);
    grid.clearRow(2);
}

bool fillFinderGrid(Grid &grid, const QList<QStringList> &rows)
{
    resetFinderGrid(grid);
    if (rows.isEmpty())
        return false;
    grid.fillRows(rows);
    return true;
}

bool searchFinder(Session &session, QWidget *screen, Grid &grid, const criteria::Entered &filters,
                  const QStringList &extra)
{
    if (fillFinderGrid(grid, guarantee::search(session.connection, filters, extra)))
        return true;
    session.dialogs.message(screen, guarantee::NothingFound);
    return false;
}

std::optional<LoadedGuarantee> loadAgain(Session &session, QWidget *screen, const QString &key)
{
    auto stored = guarantee::load(session.connection, key);
    if (!stored) {
        session.dialogs.message(screen, guarantee::loadFailure(session.deployment.adminExtension));
        return std::nullopt;
    }
    return LoadedGuarantee{key, *stored};
}

std::optional<LoadedGuarantee> loadSelected(Session &session, QWidget *screen, const Grid &grid)
{
    return loadAgain(session, screen, grid.cell(1, grid.row()));
}

bool savedOver(Session &session, QWidget *screen, loaded::Outcome outcome,
               const QList<loaded::Change> &changed, const std::function<void()> &reload)
{
    switch (outcome) {
    case loaded::Outcome::Saved:
        return true;
    case loaded::Outcome::NotFound:
        // The document went while it was open: nothing was saved.
        session.dialogs.message(screen, guarantee::loadFailure(session.deployment.adminExtension));
        return false;
    case loaded::Outcome::Changed:
        if (session.dialogs.confirm(screen, loaded::message(changed)))
            reload();
        return false;
    }
    return false;
}

FinderGroups addFinderGroups(QWidget *panel, QVBoxLayout *column, const QString &loadCaption)
{
    FinderGroups g;
    auto *filters = new QGroupBox(QStringLiteral("1. เลือกการค้นหาข้อมูล"), panel);
    auto *rows = new QGridLayout(filters);
    g.filters = std::make_unique<CriteriaPanel>(filters, rows, guarantee::finderCriteria());
    g.search = new QPushButton(QStringLiteral("ค้นหาข้อมูล"), filters);
    g.search->setObjectName(QStringLiteral("btnSearch_Data"));
    g.buttonLine = new QHBoxLayout;
    g.buttonLine->addWidget(g.search);
    g.buttonLine->addStretch();
    rows->addLayout(g.buttonLine, rows->rowCount(), 0, 1, 2);
    column->addWidget(filters);
    auto *found = new QGroupBox(QStringLiteral("2. คลิกเลือกรายการที่ต้องการ"), panel);
    auto *inside = new QVBoxLayout(found);
    g.grid = new Grid(found);
    g.grid->setObjectName(QStringLiteral("StringGrid1"));
    inside->addWidget(g.grid->sortAndFind());
    inside->addWidget(g.grid, 1);
    g.load = new QPushButton(loadCaption, found);
    g.load->setObjectName(QStringLiteral("btnEdit_Data4"));
    inside->addWidget(g.load, 0, Qt::AlignLeft);
    column->addWidget(found, 1);
    return g;
}
