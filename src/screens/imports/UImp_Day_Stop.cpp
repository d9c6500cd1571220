#include "screens/imports/UImp_Day_Stop.h"

TfrmImp_Day_Stop::TfrmImp_Day_Stop(Session &session, QWidget *parent)
    : Import_Screen(session, QStringLiteral("frmImp_Day_Stop"), Import_Kind::StopDays, {}, parent)
{
}
