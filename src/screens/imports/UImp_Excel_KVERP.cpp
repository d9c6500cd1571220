#include "screens/imports/UImp_Excel_KVERP.h"

TfrmImp_Excel_KVERP::TfrmImp_Excel_KVERP(Session &session, QWidget *parent)
    : ImportScreen(session, QStringLiteral("frmImp_Excel_KVERP"), ImportKind::Erp,
                   {QStringLiteral("btnSHow_Image"), QStringLiteral("แสดงรูปแบบ Excel"),
                    QStringLiteral("Button1")},
                   parent)
{
}
