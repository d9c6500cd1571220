#include "screens/imports/ImportScreens.h"

#include "screens/common/ScreenRegistry.h"
#include "screens/imports/UImp_Day_Stop.h"
#include "screens/imports/UImp_Excel_Deega.h"
#include "screens/imports/UImp_Excel_KVERP.h"

void registerImportScreens(ScreenRegistry &registry)
{
    registry.add(QStringLiteral("ImportDataExcel1"),
                 [](Session &s) -> Screen * { return new TfrmImp_Excel_Deega(s); });
    registry.add(QStringLiteral("N12"),
                 [](Session &s) -> Screen * { return new TfrmImp_Day_Stop(s); });
    registry.add(QStringLiteral("InportKVERP1"),
                 [](Session &s) -> Screen * { return new TfrmImp_Excel_KVERP(s); });
}
