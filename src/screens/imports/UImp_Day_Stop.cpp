#include "screens/imports/UImp_Day_Stop.h"

TfrmImp_Day_Stop::TfrmImp_Day_Stop(Session &session, QWidget *parent)
    : ImportScreen(session, QStringLiteral("frmImp_Day_Stop"), ImportKind::StopDays, {}, parent)
{
}
