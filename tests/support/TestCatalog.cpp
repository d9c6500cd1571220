#include "TestCatalog.h"

#include "core/Calendar.h"
#include "data/schema.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QTest>

namespace {

QAtomicInt counter;

QString pgAdminUrl()
{
    return qEnvironmentVariable("VOSTREL_TEST_PG");
}

db::Statement one(const QString &line)
{
    return db::Statement{line};
}

} // namespace

QStringList TestCatalog::backends()
{
    QStringList out{QStringLiteral("sqlite")};
    if (!pgAdminUrl().isEmpty())
        out << QStringLiteral("postgresql");
    return out;
}

void TestCatalog::addBackendRows()
{
    QTest::addColumn<QString>("backend");
    QTest::newRow("sqlite") << QStringLiteral("sqlite");
    QTest::newRow("postgresql") << QStringLiteral("postgresql");
}

bool TestCatalog::available(const QString &backend)
{
    return backends().contains(backend);
}

TestCatalog::TestCatalog(const QString &backend, bool withSchema) : backend_(backend)
{
    if (backend == QLatin1String("sqlite")) {
        location_.backend = db::BackendKind::SQLite;
        location_.path = dir_.filePath(QStringLiteral("catalog.sqlite"));
    } else {
        const db::CatalogLocation admin = db::CatalogLocation::parse(pgAdminUrl());
        pgDatabase_ = QStringLiteral("vt_%1_%2")
                          .arg(QCoreApplication::applicationPid())
                          .arg(counter.fetchAndAddRelaxed(1));
        {
            db::Connection c(admin);
            c.open();
            c.execute(one(QStringLiteral("DROP DATABASE IF EXISTS ") + pgDatabase_));
            c.execute(one(QStringLiteral("CREATE DATABASE ") + pgDatabase_ +
                          QStringLiteral(" TEMPLATE template0 ENCODING 'UTF8'")));
        }
        location_ = admin;
        location_.database = pgDatabase_;
    }
    connection_ = std::make_unique<db::Connection>(location_);
    connection_->open(db::Connection::OpenMode::Create);
    if (withSchema)
        schema::create(*connection_);
}

TestCatalog::~TestCatalog()
{
    connection_.reset();
    if (!pgDatabase_.isEmpty()) {
        try {
            db::Connection c(db::CatalogLocation::parse(pgAdminUrl()));
            c.open();
            c.execute(one(QStringLiteral("DROP DATABASE IF EXISTS ") + pgDatabase_ +
                          QStringLiteral(" WITH (FORCE)")));
        } catch (const db::Error &e) {
            qWarning("could not drop test database: %s", qPrintable(e.message()));
        }
    }
}

QString TestCatalog::url() const
{
    if (location_.backend == db::BackendKind::SQLite)
        return QStringLiteral("sqlite:") + location_.path;
    return location_.describe();
}

std::unique_ptr<db::Connection> TestCatalog::openAnother() const
{
    auto c = std::make_unique<db::Connection>(location_);
    c->open();
    return c;
}

void makeCalendar2555(db::Connection &c)
{
    generateCalendar(c, 2555, 2555);
    c.execute(
        db::Statement{QStringLiteral("UPDATE TR_Day_Calendar SET Day_Status = 'S', "
                                     "Day_Remark = 'it''s off' WHERE D_YYYYMMDD = '25550103'")});
}
