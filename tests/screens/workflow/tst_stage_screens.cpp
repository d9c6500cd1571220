#include "HostileSheets.h"
#include "WorkflowFixture.h"
#include "screens/common/MaskEdit.h"
#include "screens/workflow/UEntry_Deega_No.h"
#include "screens/workflow/UEntry_Doc_No.h"
#include "screens/workflow/UEntry_LastDay_Into_Fin.h"
#include "screens/workflow/UEntry_Nud_Rec_Cheq.h"

#include <QComboBox>

namespace {

const QString Key = QStringLiteral("QDTX2557/00007");

template <class T> ScreenFactory make()
{
    return [](Session &s) -> QWidget * { return new T(s); };
}

using Fill = std::function<void(QWidget *)>;

void setEdit(QWidget *s, const char *name, const QString &text)
{
    control<QLineEdit>(s, name)->setText(text);
}

void setCombo(QWidget *s, const char *name, const QString &text)
{
    control<QComboBox>(s, name)->setEditText(text);
}

void setDate(QWidget *s, const char *name, const QString &text)
{
    control<MaskEdit>(s, name)->setText(text);
}

QStringList lines(const QString &statement)
{
    return statement.split(QLatin1Char('\n'));
}

const QStringList Confirmed{msg::ConfirmSave, msg::Saved};

} // namespace

Q_DECLARE_METATYPE(Fill)

class TestStageScreens : public QObject {
    Q_OBJECT

private slots:
    // The first save that fills the stage stamps its entry time; a correction keeps it.
    void entryTimeSetOnce_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<ScreenFactory>("screen");
        QTest::addColumn<QString>("stage");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<Fill>("fill");
        QTest::addColumn<QStringList>("update"); // without the entry-time line
        for (const QString &backend : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
            QTest::newRow(qPrintable(backend + " voucher number"))
                << backend << make<TfrmEntry_Deega_No>() << "Deega_No"
                << "Date_Ent_Deega" << Fill([](QWidget *s) {
                       setEdit(s, "edtDeega_No2", QStringLiteral(" ฎ'1/2557 "));
                       setEdit(s, "edtSumkun_No2", QString());
                       setCombo(s, "cmbRec_Cheq_Branch2", QStringLiteral("ร้าน O'Brien"));
                   })
                << QStringList{"Update Main_Deega_Control", "Set Deega_No=' ฎ''1/2557 '",
                               ", Sumkun_No=''", ", Rec_Cheq_Branch='ร้าน O''Brien'",
                               "Where Doc_PK = 'QDTX2557/00007'"};
            QTest::newRow(qPrintable(backend + " cheque appointment"))
                << backend << make<TfrmEntry_Nud_Rec_Cheq>() << "Date_Nud_Rec_Cheq"
                << "Date_Ent_Nud_rec_Cheq" << Fill([](QWidget *s) {
                       setEdit(s, "edtDate_Nud_Rec_Cheq2", QStringLiteral("5/1/2557"));
                   })
                << QStringList{"Update Main_Deega_Control", "Set IS_Rec_Cheq='A'",
                               ", IS_Success='S'", ", Date_Nud_Rec_Cheq='5/1/2557'",
                               "Where Doc_PK = 'QDTX2557/00007'"};
        }
    }

    void entryTimeSetOnce()
    {
        QFETCH(QString, backend);
        QFETCH(ScreenFactory, screen);
        QFETCH(QString, stage);
        QFETCH(QString, entry);
        QFETCH(Fill, fill);
        QFETCH(QStringList, update);
        REQUIRE_BACKEND(backend);
        Open o(backend, screen);
        o.fx.addDocument(Key, {{stage, QString()}, {QStringLiteral("Topic"), "t"}});

        choose(o.get(), Key);
        fill(o.get());
        o.fx.sent.clear();
        o.fx.dialogs.clear();
        click(o.get(), "btnSave2");
        QCOMPARE(o.fx.dialogs.texts(), Confirmed);
        QCOMPARE(o.fx.writes().size(), 1);
        QStringList first = update;
        first.insert(first.size() - 1, QStringLiteral(", ") + entry + "=CURRENT_TIMESTAMP");
        QCOMPARE(lines(o.fx.writes().first()), first);
        QVERIFY(!editing(o.get()));
        const QVariant stamped = o.fx.column(Key, entry);
        QVERIFY(stamped.isValid());
        // Under Add the saved document stays listed until the next search.
        QCOMPARE(listedKeys(o.get()), QStringList{Key});

        choose(o.get(), Key, true);
        fill(o.get());
        o.fx.sent.clear();
        click(o.get(), "btnSave2");
        QCOMPARE(o.fx.writes().size(), 1);
        QCOMPARE(lines(o.fx.writes().first()), update);
        QCOMPARE(o.fx.column(Key, entry), stamped);
        // Values arrive as typed, quotes and surrounding blanks included.
        if (stage == QLatin1String("Deega_No")) {
            QCOMPARE(o.fx.text(Key, stage), QStringLiteral(" ฎ'1/2557 "));
            QCOMPARE(o.fx.text(Key, "Rec_Cheq_Branch"), QStringLiteral("ร้าน O'Brien"));
        } else {
            QCOMPARE(o.fx.text(Key, stage), QStringLiteral("5/1/2557"));
        }
    }

    // Typed or pasted values that could break a statement arrive whole: a box with a limit
    // keeps whole characters only (Qt's own cut would keep half an emoji at the limit).
    void typedHostileValues_data() { TestCatalog::addBackendRows(); }
    void typedHostileValues()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Open o(backend, make<TfrmEntry_Deega_No>());
        o.fx.addDocument(Key, {{QStringLiteral("Topic"), "t"}});
        QList<HostileText> typed = hostileTexts();
        typed.append({"emoji across the limit", QString(19, u'x') + QStringLiteral("😀y")});
        bool first = true;
        for (const HostileText &h : typed) {
            choose(o.get(), Key, !first);
            first = false;
            auto *voucher = control<QLineEdit>(o.get(), "edtDeega_No2");
            auto *debt = control<QLineEdit>(o.get(), "edtSumkun_No2");
            voucher->clear();
            voucher->insert(QStringLiteral("V") + h.text);
            debt->clear();
            debt->insert(h.text);
            setCombo(o.get(), "cmbRec_Cheq_Branch2", QStringLiteral("B") + h.text);
            o.fx.dialogs.clear();
            click(o.get(), "btnSave2");
            QCOMPARE(o.fx.dialogs.texts(), Confirmed);

            // The limited box keeps whole characters only: halves are dropped, not replaced.
            QString cut = storedText(h.text.left(20));
            cut.remove(QChar(0xFFFD));
            QCOMPARE(o.fx.text(Key, "Deega_No"), storedText(QStringLiteral("V") + h.text));
            QCOMPARE(o.fx.text(Key, "Sumkun_No"), cut);
            QCOMPARE(o.fx.text(Key, "Rec_Cheq_Branch"), storedText(QStringLiteral("B") + h.text));
            QCOMPARE(o.fx.text(Key, "Topic"), QStringLiteral("t"));
            QCOMPARE(o.fx.documents(), 1);
        }
    }

    // Each screen's checks in order: the first failure's message, no confirmation, no write.
    void checksInOrder_data()
    {
        QTest::addColumn<ScreenFactory>("screen");
        QTest::addColumn<Fill>("fill");
        QTest::addColumn<QString>("message");
        QTest::newRow("voucher empty") << make<TfrmEntry_Deega_No>() << Fill([](QWidget *s) {
            setEdit(s, "edtDeega_No2", QString());
            setCombo(s, "cmbRec_Cheq_Branch2", QString());
        }) << "กรุณาใส่เลขที่ฏีกาด้วย";
        QTest::newRow("voucher blanks and controls")
            << make<TfrmEntry_Deega_No>() << Fill([](QWidget *s) {
                   setEdit(s, "edtDeega_No2", QStringLiteral(" \t "));
                   setCombo(s, "cmbRec_Cheq_Branch2", QStringLiteral("SCB ชิดลม"));
               })
            << "กรุณาใส่เลขที่ฏีกาด้วย";
        QTest::newRow("place blank") << make<TfrmEntry_Deega_No>() << Fill([](QWidget *s) {
            setEdit(s, "edtDeega_No2", QStringLiteral("1"));
            setCombo(s, "cmbRec_Cheq_Branch2", QStringLiteral("  "));
        }) << "กรุณาเลือกสถานที่รับเช็คด้วย";
        QTest::newRow("appointment blank")
            << make<TfrmEntry_Nud_Rec_Cheq>()
            << Fill([](QWidget *s) { setEdit(s, "edtDate_Nud_Rec_Cheq2", QStringLiteral(" ")); })
            << "กรุณาใส่วันที่รับเช็คด้วย";
        QTest::newRow("last entry blank")
            << make<TfrmEntry_LastDay_Into_Fin>()
            << Fill([](QWidget *s) { control<MaskEdit>(s, "edtDate_Into_Fin")->clear(); })
            << "กรุณาใส่วันที่เข้ากองคลังครั้งสุดท้ายด้วย";
    }

    void checksInOrder()
    {
        QFETCH(ScreenFactory, screen);
        QFETCH(Fill, fill);
        QFETCH(QString, message);
        Open o(QStringLiteral("sqlite"), screen);
        o.fx.addDocument(Key);
        choose(o.get(), Key);
        fill(o.get());
        o.fx.sent.clear();
        o.fx.dialogs.clear();
        click(o.get(), "btnSave2");
        QCOMPARE(o.fx.dialogs.texts(), QStringList{message});
        QVERIFY(o.fx.sent.isEmpty());
        QVERIFY(editing(o.get()));
    }

    // Cancel at the confirmation, or a row that vanished before the save: nothing written,
    // no success claimed, the edit panel stays.
    void nothingWritten_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<ScreenFactory>("screen");
        QTest::addColumn<Fill>("fill");
        QTest::addColumn<bool>("vanish");
        const Fill voucher = [](QWidget *s) {
            setEdit(s, "edtDeega_No2", QStringLiteral("1"));
            setCombo(s, "cmbRec_Cheq_Branch2", QStringLiteral("SCB ชิดลม"));
        };
        const Fill appointment = [](QWidget *s) {
            setEdit(s, "edtDate_Nud_Rec_Cheq2", QStringLiteral("01/02/2557"));
        };
        const Fill lastDay = [](QWidget *s) {
            setDate(s, "edtDate_Into_Fin", QStringLiteral("01/02/2557"));
        };
        const Fill docNo = [](QWidget *s) { setEdit(s, "edtSAP_Doc_No2", QStringLiteral("51")); };
        for (const QString &backend : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
            for (bool vanish : {false, true}) {
                const QString how =
                    vanish ? QStringLiteral(" vanished") : QStringLiteral(" cancel");
                QTest::newRow(qPrintable(backend + " voucher" + how))
                    << backend << make<TfrmEntry_Deega_No>() << voucher << vanish;
                QTest::newRow(qPrintable(backend + " appointment" + how))
                    << backend << make<TfrmEntry_Nud_Rec_Cheq>() << appointment << vanish;
                QTest::newRow(qPrintable(backend + " last entry" + how))
                    << backend << make<TfrmEntry_LastDay_Into_Fin>() << lastDay << vanish;
                QTest::newRow(qPrintable(backend + " document number" + how))
                    << backend << make<TfrmEntry_Doc_No>() << docNo << vanish;
            }
        }
    }

    void nothingWritten()
    {
        QFETCH(QString, backend);
        QFETCH(ScreenFactory, screen);
        QFETCH(Fill, fill);
        QFETCH(bool, vanish);
        REQUIRE_BACKEND(backend);
        Open o(backend, screen);
        o.fx.addDocument(Key, {{QStringLiteral("Topic"), "t"}});
        choose(o.get(), Key);
        fill(o.get());
        if (vanish)
            o.fx.catalog.openAnother()->execute(
                db::Statement{"DELETE FROM Main_Deega_Control WHERE Doc_PK = 'QDTX2557/00007'"});
        else
            o.fx.dialogs.answer(false);
        o.fx.dialogs.clear();
        o.fx.sent.clear();
        click(o.get(), "btnSave2");
        QVERIFY(editing(o.get()));
        if (vanish) {
            QCOMPARE(o.fx.dialogs.texts(), (QStringList{msg::ConfirmSave, msg::SystemFailure}));
            QCOMPARE(o.fx.documents(), 0);
        } else {
            QCOMPARE(o.fx.dialogs.texts(), QStringList{msg::ConfirmSave});
            QVERIFY(o.fx.writes().isEmpty());
            QVERIFY(o.fx.column(Key, "SAP_Doc_No").isNull());
            QVERIFY(o.fx.column(Key, "Date_Into_Fin").isNull());
            QVERIFY(o.fx.column(Key, "Deega_No").isNull());
        }
    }

    // Choosing a document whose row is gone: the message over the panel, the copied fields
    // refreshed and the others as they were.
    void chosenRowGone()
    {
        Open o(QStringLiteral("sqlite"), make<TfrmEntry_Nud_Rec_Cheq>());
        o.fx.addDocument(Key, {{QStringLiteral("Deega_No"), "D1"}});
        o.fx.addDocument("QDTX2557/00008", {{QStringLiteral("Deega_No"), "D2"}});
        choose(o.get(), Key);
        click(o.get(), "btnExit2");
        QVERIFY(!editing(o.get()));
        o.fx.db().execute(
            db::Statement{"DELETE FROM Main_Deega_Control WHERE Doc_PK = 'QDTX2557/00008'"});
        o.fx.dialogs.clear();
        grid(o.get())->setRow(int(listedKeys(o.get()).indexOf("QDTX2557/00008")) + 1);
        click(o.get(), "BitBtn3");
        QCOMPARE(o.fx.dialogs.texts(), QStringList{msg::SystemFailure});
        QVERIFY(editing(o.get()));
        QCOMPARE(control<QLineEdit>(o.get(), "edtDoc_PK2")->text(),
                 QStringLiteral("QDTX2557/00008"));
        QCOMPARE(control<QLineEdit>(o.get(), "edtDeega_No2")->text(), QStringLiteral("D1"));
    }

    // The flag boxes show ticked unless the stored flag is exactly "N"; the save writes the
    // boxes as they stand.
    void flags_data()
    {
        QTest::addColumn<ScreenFactory>("screen");
        QTest::addColumn<QString>("chequeBox");
        QTest::addColumn<QString>("doneBox");
        QTest::addColumn<QVariant>("stored"); // both flags; null QVariant: null
        QTest::addColumn<bool>("ticked");
        const struct {
            const char *name;
            ScreenFactory make;
            const char *cheque;
            const char *done;
        } screens[] = {{"appointment", make<TfrmEntry_Nud_Rec_Cheq>(), "CheckBox5", "CheckBox6"},
                       {"document number", make<TfrmEntry_Doc_No>(), "CheckBox8", "CheckBox9"}};
        for (const auto &s : screens) {
            const QString n = QString::fromLatin1(s.name);
            QTest::newRow(qPrintable(n + " null"))
                << s.make << s.cheque << s.done << QVariant() << true;
            QTest::newRow(qPrintable(n + " empty"))
                << s.make << s.cheque << s.done << QVariant(QString()) << true;
            QTest::newRow(qPrintable(n + " N"))
                << s.make << s.cheque << s.done << QVariant(QStringLiteral("N")) << false;
            QTest::newRow(qPrintable(n + " n"))
                << s.make << s.cheque << s.done << QVariant(QStringLiteral("n")) << true;
            QTest::newRow(qPrintable(n + " A/S"))
                << s.make << s.cheque << s.done << QVariant(QStringLiteral("X")) << true;
        }
    }

    void flags()
    {
        QFETCH(ScreenFactory, screen);
        QFETCH(QString, chequeBox);
        QFETCH(QString, doneBox);
        QFETCH(QVariant, stored);
        QFETCH(bool, ticked);
        Open o(QStringLiteral("sqlite"), screen);
        QMap<QString, QString> values{{QStringLiteral("Date_Nud_Rec_Cheq"), QString()}};
        if (stored.isValid()) {
            values.insert(QStringLiteral("IS_Rec_Cheq"), stored.toString());
            values.insert(QStringLiteral("IS_Success"), stored.toString());
        }
        o.fx.addDocument(Key, values);
        choose(o.get(), Key);
        auto *cheque = control<QCheckBox>(o.get(), qPrintable(chequeBox));
        auto *done = control<QCheckBox>(o.get(), qPrintable(doneBox));
        QCOMPARE(cheque->isChecked(), ticked);
        QCOMPARE(done->isChecked(), ticked);
        setEdit(o.get(), "edtDate_Nud_Rec_Cheq2", QStringLiteral("01/02/2557"));
        click(o.get(), "btnSave2");
        QCOMPARE(o.fx.text(Key, "IS_Rec_Cheq"), ticked ? QStringLiteral("A") : QStringLiteral("N"));
        QCOMPARE(o.fx.text(Key, "IS_Success"), ticked ? QStringLiteral("S") : QStringLiteral("N"));
        // Unticked boxes are "N" and "N".
        choose(o.get(), Key, true);
        if (o.fx.dialogs.last() == msg::SystemFailure)
            QFAIL("document not found again");
        cheque->setChecked(false);
        done->setChecked(false);
        click(o.get(), "btnSave2");
        QCOMPARE(o.fx.text(Key, "IS_Rec_Cheq"), QStringLiteral("N"));
        QCOMPARE(o.fx.text(Key, "IS_Success"), QStringLiteral("N"));
    }

    // Every save stamps the user and the date, and the grid is searched again.
    void documentNumberSave_data() { TestCatalog::addBackendRows(); }

    void documentNumberSave()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Open o(backend, make<TfrmEntry_Doc_No>());
        o.fx.addDocument(Key, {{QStringLiteral("KumDeega_No"), " K1 "},
                               {QStringLiteral("Company_Rec_Cheq"), "บริษัท โอ'ไบรอัน"}});
        tick(o.get(), "CheckBox4");
        typeInto(o.get(), "edtKumDeega_No1", QStringLiteral("K1 "));
        choose(o.get(), Key);
        QCOMPARE(control<QLineEdit>(o.get(), "edtKumDeega_No2")->text(), QStringLiteral(" K1 "));
        QCOMPARE(control<QLineEdit>(o.get(), "edtCompany_Rec_Cheq2")->text(),
                 QStringLiteral("บริษัท โอ'ไบรอัน"));
        // No stored fiscal year: the session's is offered.
        QCOMPARE(control<QLineEdit>(o.get(), "edtSAP_Fiscal_Year2")->text(),
                 QStringLiteral("2015"));
        setEdit(o.get(), "edtSAP_Doc_No2", QStringLiteral("5100000012"));
        setEdit(o.get(), "edtSAP_Doc_Remark2", QStringLiteral("ค่าจ้าง O'Brien"));
        setEdit(o.get(), "edtDate_Nud_Rec_Cheq2", QStringLiteral("05/1/2557"));
        o.fx.sent.clear();
        o.fx.dialogs.clear();
        click(o.get(), "btnSave2");
        QCOMPARE(o.fx.dialogs.texts(), Confirmed);
        QCOMPARE(o.fx.writes().size(), 1);
        QCOMPARE(
            lines(o.fx.writes().first()),
            (QStringList{"Update Main_Deega_Control", "Set SAP_Doc_No='5100000012'",
                         ", SAP_Fiscal_Year='2015'", ", User_Key_Doc='clerk'",
                         ", Date_Key_Doc='05/10/2557'", ", SAP_Doc_Remark='ค่าจ้าง O''Brien'",
                         ", IS_Rec_Cheq='A'", ", IS_Success='S'", ", Date_Nud_Rec_Cheq='05/1/2557'",
                         "Where Doc_PK = 'QDTX2557/00007'"}));
        // Read again to guard the save, then searched again with the criteria as they stand:
        // the grid shows the new number.
        QCOMPARE(o.fx.sent.size(), 3);
        QVERIFY(o.fx.sent.first().startsWith(QStringLiteral("SELECT *\nFROM Main_Deega_Control\n")));
        QCOMPARE(lines(o.fx.sent.last()).last(), QStringLiteral("And (KumDeega_No like'%K1 ')"));
        QCOMPARE(grid(o.get())->cell(8, 1), QStringLiteral("5100000012"));
        QCOMPARE(grid(o.get())->cell(10, 1), QStringLiteral("ค่าจ้าง O'Brien"));
        QVERIFY(!editing(o.get()));
        QCOMPARE(o.fx.text(Key, "SAP_Doc_Remark"), QStringLiteral("ค่าจ้าง O'Brien"));

        // A second save by another user on another day rewrites both stamps.
        o.fx.session.Login_User = QStringLiteral("O'Neil");
        o.fx.session.Today_Thai = QStringLiteral("06/10/2557");
        choose(o.get(), Key);
        QCOMPARE(control<QLineEdit>(o.get(), "edtSAP_Fiscal_Year2")->text(),
                 QStringLiteral("2015"));
        click(o.get(), "btnSave2");
        QCOMPARE(o.fx.text(Key, "User_Key_Doc"), QStringLiteral("O'Neil"));
        QCOMPARE(o.fx.text(Key, "Date_Key_Doc"), QStringLiteral("06/10/2557"));
    }

    // A date that is no day (or half typed) is refused in every kind of date box of the family:
    // the message names the box, the focus is back on it, and nothing is written.
    void impossibleDatesRefused_data()
    {
        QTest::addColumn<ScreenFactory>("screen");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("typed");
        const struct {
            const char *name;
            ScreenFactory screen;
            const char *box;
            const char *caption;
        } boxes[] = {
            {"appointment", make<TfrmEntry_Nud_Rec_Cheq>(), "edtDate_Nud_Rec_Cheq2", "นัดรับเช็ควันที่"},
            {"document number", make<TfrmEntry_Doc_No>(), "edtDate_Nud_Rec_Cheq2", "นัดรับเช็ควันที่"},
            {"last entry", make<TfrmEntry_LastDay_Into_Fin>(), "edtDate_Into_Fin",
             "วันที่เข้ากองคลังครั้งสุดท้าย"}};
        for (const auto &b : boxes) {
            for (const char *typed : {"31/02/2569", "00/00/2557", "12/13/2557", "5/1/57"}) {
                QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(b.name, typed)))
                    << b.screen << b.box << QString::fromUtf8(b.caption) << typed;
            }
        }
    }

    void impossibleDatesRefused()
    {
        QFETCH(ScreenFactory, screen);
        QFETCH(QString, box);
        QFETCH(QString, caption);
        QFETCH(QString, typed);
        Open o(QStringLiteral("sqlite"), screen);
        o.fx.addDocument(Key, {{QStringLiteral("Deega_No"), "ฎ1"}});
        choose(o.get(), Key);
        QWidget *edit = o.get()->findChild<QWidget *>(box);
        if (auto *date = qobject_cast<MaskEdit *>(edit))
            date->setText(typed);
        else
            qobject_cast<QLineEdit *>(edit)->setText(typed);
        const QString entered = qobject_cast<MaskEdit *>(edit) ? qobject_cast<MaskEdit *>(edit)->text()
                                                                : typed;
        o.fx.sent.clear();
        o.fx.dialogs.clear();
        click(o.get(), "btnSave2");
        QCOMPARE(o.fx.dialogs.texts(), QStringList{msg::notADay(caption, entered)});
        QVERIFY(o.fx.writes().isEmpty());
        QVERIFY(editing(o.get()));
        QCOMPARE(o.get()->window()->focusWidget(), edit);
    }

    void lastEntryDate_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("d/m/yyyy") << QVariant(QStringLiteral("5/1/2557")) << "05/01/2557";
        QTest::newRow("with time")
            << QVariant(QStringLiteral("12/11/2556 10:00:00")) << "12/11/2556";
    }

    void lastEntryDate()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, shown);
        Open o(QStringLiteral("sqlite"), make<TfrmEntry_LastDay_Into_Fin>());
        QMap<QString, QString> values{{QStringLiteral("Deega_No"), "ฎ1"}};
        if (stored.isValid())
            values.insert(QStringLiteral("Date_Into_Fin"), stored.toString());
        o.fx.addDocument(Key, values);
        choose(o.get(), Key);
        QCOMPARE(control<MaskEdit>(o.get(), "edtDate_Into_Fin")->text(), shown);
        QCOMPARE(control<QLineEdit>(o.get(), "edtDeega_No2")->text(), QStringLiteral("ฎ1"));
        o.fx.sent.clear();
        click(o.get(), "btnSave2");
        QCOMPARE(o.fx.writes().size(), 1);
        QCOMPARE(lines(o.fx.writes().first()),
                 (QStringList{"Update Main_Deega_Control", "Set Date_Into_Fin='" + shown + "'",
                              "Where Doc_PK = 'QDTX2557/00007'"}));
        QCOMPARE(o.fx.text(Key, "Date_Into_Fin"), shown);
        QVERIFY(!editing(o.get()));
    }
};

QTEST_MAIN(TestStageScreens)
#include "tst_stage_screens.moc"
