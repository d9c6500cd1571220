#pragma once

// TfrmImp_Excel_KVERP: the ERP (KVERP) clearing list into M_Imp_ERP, keyed by fiscal year and FI
// document number; its day.month.year dates become Buddhist-era dd/mm/yyyy texts.

#include "screens/imports/ImportScreen.h"

class TfrmImp_Excel_KVERP : public ImportScreen {
    Q_OBJECT

public:
    explicit TfrmImp_Excel_KVERP(Session &session, QWidget *parent = nullptr);

    // Show and hide the picture of the expected workbook.
    void btnSHow_ImageClick() { showLayout(); }
    void Button1Click() { hideLayout(); }
};
