#pragma once

// A fresh, real catalog for one test: an SQLite file in a temporary folder, or a database of its
// own on the PostgreSQL server that the test run started (VOSTREL_TEST_PG names it).

#include "data/Connection.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class TestCatalog {
public:
    // "sqlite", and "postgresql" when the test run has a server.
    static QStringList backends();
    // Adds the column "backend" and one row per back end to a QtTest data table.
    static void addBackendRows();
    static bool available(const QString &backend);

    // withSchema: the tables made by the program's own schema code.
    explicit TestCatalog(const QString &backend, bool withSchema = true);
    ~TestCatalog();
    TestCatalog(const TestCatalog &) = delete;
    TestCatalog &operator=(const TestCatalog &) = delete;

    db::Connection &connection() { return *connection_; }
    const db::CatalogLocation &location() const { return location_; }
    // The catalog as the administration tool names it.
    QString url() const;
    // A second, independent connection to the same catalog (another workstation).
    std::unique_ptr<db::Connection> openAnother() const;

private:
    QString backend_;
    QTemporaryDir dir_;
    db::CatalogLocation location_;
    QString pgDatabase_;
    std::unique_ptr<db::Connection> connection_;
};

// The calendar of 2555 (Gregorian 2012) alone, with New Year's Day already a Sunday holiday and
// one weekday holiday: Tuesday 03/01/2555, remark "it's off".
void makeCalendar2555(db::Connection &c);

// Skips the current data row when its back end is not available in this run.
#define REQUIRE_BACKEND(backend)                                                                   \
    do {                                                                                           \
        if (!TestCatalog::available(backend))                                                      \
            QSKIP("no PostgreSQL server in this run (VOSTREL_TEST_PG)");                           \
    } while (false)
