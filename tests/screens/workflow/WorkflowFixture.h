#pragma once

// A real catalog, the dialogs double and a session for driving one workflow screen, with every
// statement the screen sends recorded.

#include "ScriptedDialogs.h"
#include "TestCatalog.h"
#include "core/Messages.h"
#include "data/Deployment.h"
#include "screens/common/Grid.h"
#include "screens/common/Session.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QMap>
#include <QTest>
#include <QVariant>
#include <functional>
#include <memory>

struct Fixture {
    explicit Fixture(const QString &backend) : catalog(backend)
    {
        catalog.connection().setObserver([this](const QString &text) { sent.append(text); });
    }

    TestCatalog catalog;
    ScriptedDialogs dialogs;
    Deployment deployment;
    Session session{catalog.connection(),
                    dialogs,
                    deployment,
                    QStringLiteral("05/10/2557"),
                    QStringLiteral("2015"),
                    QStringLiteral("clerk"),
                    5,
                    {}};
    QStringList sent;

    db::Connection &db() { return catalog.connection(); }

    // A document row; columns not named stay null.
    void addDocument(const QString &key, const QMap<QString, QString> &values = {})
    {
        QStringList columns{QStringLiteral("Doc_PK")};
        QStringList literals{QStringLiteral("'") + db::sqlText(key) + QStringLiteral("'")};
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            columns << it.key();
            literals << QStringLiteral("'") + db::sqlText(it.value()) + QStringLiteral("'");
        }
        db().execute(db::Statement{QStringLiteral("INSERT INTO Main_Deega_Control (") +
                                   columns.join(QStringLiteral(", ")) +
                                   QStringLiteral(") VALUES (") +
                                   literals.join(QStringLiteral(", ")) + QStringLiteral(")")});
        sent.clear();
    }

    // One column of one document; a null reads as a null QVariant.
    QVariant column(const QString &key, const QString &name)
    {
        db::Rows rows =
            db().select(db::Statement{QStringLiteral("SELECT ") + name +
                                      QStringLiteral(" FROM Main_Deega_Control WHERE Doc_PK = '") +
                                      db::sqlText(key) + QStringLiteral("'")});
        if (!rows.next() || rows.isNull(name))
            return {};
        return rows.value(0);
    }
    QString text(const QString &key, const QString &name) { return column(key, name).toString(); }

    int documents()
    {
        db::Rows rows = db().select(db::Statement{"SELECT COUNT(*) AS n FROM Main_Deega_Control"});
        rows.next();
        return int(rows.integer(QStringLiteral("n")));
    }

    // Statements sent since the last clear that write.
    QStringList writes() const
    {
        QStringList out;
        for (const QString &s : sent) {
            if (s.startsWith(QLatin1String("Update"), Qt::CaseInsensitive) ||
                s.startsWith(QLatin1String("INSERT"), Qt::CaseInsensitive) ||
                s.startsWith(QLatin1String("DELETE"), Qt::CaseInsensitive))
                out << s;
        }
        return out;
    }
};

template <class T> T *control(QWidget *screen, const char *name)
{
    T *w = screen->findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

inline void click(QWidget *screen, const char *name)
{
    control<QAbstractButton>(screen, name)->click();
}

inline void typeInto(QWidget *screen, const char *name, const QString &text)
{
    auto *edit = control<QLineEdit>(screen, name);
    edit->clear();
    QTest::keyClicks(edit, text);
}

inline void tick(QWidget *screen, const char *name, bool on = true)
{
    control<QCheckBox>(screen, name)->setChecked(on);
}

inline Grid *grid(QWidget *screen)
{
    return control<Grid>(screen, "StringGrid1");
}

// The keys the grid lists, in order.
inline QStringList listedKeys(QWidget *screen)
{
    QStringList keys;
    Grid *g = grid(screen);
    for (int r = 1; r < g->rowCount(); ++r)
        keys << g->cell(1, r);
    return keys;
}

// The five screens, by menu item, for table-driven tests.
using ScreenFactory = std::function<QWidget *(Session &)>;
Q_DECLARE_METATYPE(ScreenFactory)

// A screen opened on its own, shown as the main window would show it.
struct Open {
    Open(const QString &backend, const std::function<QWidget *(Session &)> &make) : fx(backend)
    {
        screen.reset(make(fx.session));
        screen->show();
        fx.sent.clear();
    }
    QWidget *operator->() const { return screen.get(); }
    QWidget *get() const { return screen.get(); }

    Fixture fx;
    std::unique_ptr<QWidget> screen;
};

// Searches (under Update when asked, on screens with the pair) and chooses the key's row.
inline void choose(QWidget *screen, const QString &key, bool update = false)
{
    if (auto *r = screen->findChild<QAbstractButton *>(update ? QStringLiteral("RadioButton2")
                                                              : QStringLiteral("RadioButton1")))
        r->click();
    click(screen, "btnSelect_Data");
    const int row = int(listedKeys(screen).indexOf(key)) + 1;
    QVERIFY2(row > 0, qPrintable(key));
    grid(screen)->setRow(row);
    click(screen, "BitBtn3");
}

inline bool editing(QWidget *screen)
{
    return !control<QWidget>(screen, "Panel2")->isHidden();
}
