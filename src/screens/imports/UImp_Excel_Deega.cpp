#include "screens/imports/UImp_Excel_Deega.h"

TfrmImp_Excel_Deega::TfrmImp_Excel_Deega(Session &session, QWidget *parent)
    : ImportScreen(
          session, QStringLiteral("frmImp_Excel_Deega"), ImportKind::Kvsis,
          {QStringLiteral("Button1"), QStringLiteral("รูปแบบ MS Excel"), QStringLiteral("btnOK4")},
          parent)
{
}
