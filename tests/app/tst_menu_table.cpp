// The one menu table: its shape holds for the menu built from it, and each item opens its
// screen.

#include "AppFixture.h"
#include "screens/common/Screen.h"

#include <QSet>

class TestMenuTable : public QObject {
    Q_OBJECT

private slots:
    // Names are unique and a menu comes before what it holds: the menu is built in one pass.
    void shape()
    {
        QSet<QString> seen;
        QSet<QString> menus;
        for (const menu::Entry &e : menu::entries()) {
            const QString name = QLatin1String(e.name);
            QVERIFY2(!seen.contains(name), e.name);
            seen.insert(name);
            if (e.parent)
                QVERIFY2(menus.contains(QLatin1String(e.parent)), e.name);
            if (e.kind == menu::Kind::Menu)
                menus.insert(name);
            QCOMPARE(e.kind == menu::Kind::Separator, QByteArray(e.caption).isEmpty());
            if (e.screen)
                QCOMPARE(e.kind, menu::Kind::Item);
        }
    }

    void opensItsScreens()
    {
        AppFixture f(QStringLiteral("sqlite"));
        Session &session = f.start().session();
        const ScreenRegistry table = menu::screens();
        const QList<std::pair<const char *, const char *>> screens{
            {"ImportDataExcel1", "frmImp_Excel_Deega"},
            {"N3", "frmEntry_Deega_Veq"},
            {"N4", "frmEntry_Deega_No"},
            {"N6", "frmEntry_Nud_Rec_Cheq"},
            {"N28", "frmEntry_Doc_No"},
            {"InportKVERP1", "frmImp_Excel_KVERP"},
            {"ChangePassword1", "frmChange_Password"},
            {"N11", "frmEntry_Stop_Day"},
            {"N12", "frmImp_Day_Stop"},
            {"CreateCalendar1", "frmCreate_Calendar"},
            {"N18", "frmEntry_LastDay_Into_Fin"},
            {"N8", "frmRep_Detail_Deega"},
            {"N9", "frmRep_Deega_No_date"},
            {"N26", "frmRep_DivBy_DocType"},
            {"KvsisKverp1", "frmRep_Day_Kolvet"},
            {"N17", "frmRep_Day_Of_Year"},
            {"N21", "frmEntry_Money_Promise"},
            {"N22", "frmEntry_DateRecCheque"},
            {"N24", "frmRep_Money_Pormise"},
            {"serviceSummary", "frmService_Summary"},
            {"history", "frmRep_History"},
            {"about", "about"},
            {"referenceOfficers", "referenceOfficers"},
            {"referenceDocTypes", "referenceDocTypes"},
            {"referenceUsers", "referenceUsers"},
            {"referenceHolidays", "referenceHolidays"}};
        int withScreen = 0;
        for (const menu::Entry &e : menu::entries()) {
            QCOMPARE(table.has(QLatin1String(e.name)), e.screen != nullptr);
            withScreen += e.screen != nullptr;
        }
        QCOMPARE(withScreen, int(screens.size()));
        for (const auto &[item, object] : screens) {
            std::unique_ptr<Screen> screen(table.create(QLatin1String(item), session));
            QVERIFY2(screen, item);
            QCOMPARE(screen->objectName(), QLatin1String(object));
        }
    }
};

QTEST_MAIN(TestMenuTable)
#include "tst_menu_table.moc"
