#pragma once

// TfrmImp_Excel_Deega: vouchers from the electronic-document (KVSIS) export into
// Main_Deega_Control; new documents are inserted, known ones get their document data refreshed and
// keep every stage the division recorded.

#include "screens/imports/ImportScreen.h"

class TfrmImp_Excel_Deega : public ImportScreen {
    Q_OBJECT

public:
    explicit TfrmImp_Excel_Deega(Session &session, QWidget *parent = nullptr);

    // Show and hide the picture of the expected workbook.
    void Button1Click() { showLayout(); }
    void btnOK4Click() { hideLayout(); }
};
