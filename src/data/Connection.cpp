#include "data/Connection.h"

#include "data/Backend.h"
#include "data/History.h"
#include "util/ThaiDate.h"

#include <QSysInfo>
#include <pwd.h>
#include <unistd.h>
#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace db {

namespace detail {

Backend::~Backend() = default;
Cursor::~Cursor() = default;

std::unique_ptr<Backend> makeBackend(BackendKind kind)
{
    switch (kind) {
    case BackendKind::SQLite:
        return makeSqliteBackend();
    case BackendKind::PostgreSQL:
        return makePostgresBackend();
    case BackendKind::SqlServer:
        break;
    }
    throw Error(QStringLiteral("ฐานข้อมูล SQL Server ยังไม่รองรับในรุ่นนี้"));
}

QString serverMessage(const QSqlError &e)
{
    const QString server = e.databaseText().trimmed();
    // A refusal by the driver itself (SQLite's one-statement check, say) leaves the server's
    // own "not an error" behind: the driver's words are the message then.
    if (server.isEmpty() ||
        server.compare(QLatin1String("not an error"), Qt::CaseInsensitive) == 0) {
        const QString driver = e.driverText().trimmed();
        return driver.isEmpty() ? server : driver;
    }
    return server;
}

void Backend::beginWrite(QSqlDatabase &db)
{
    if (!db.transaction())
        throw Error(serverMessage(db.lastError()));
}

void Backend::backupTo(QSqlDatabase &, const QString &)
{
    throw Error(QStringLiteral("ฐานข้อมูลกลางสำรองด้วย pg_dump ของเครื่องแม่ข่าย (ดู README)"));
}

void run(QSqlDatabase &db, const QString &statement)
{
    QSqlQuery q(db);
    if (!q.exec(statement))
        throw Error(serverMessage(q.lastError()));
}

namespace {

// A result as Qt's driver reads it.
class QueryCursor final : public Cursor {
public:
    explicit QueryCursor(std::unique_ptr<QSqlQuery> query) : query_(std::move(query)) {}
    bool next() override { return query_->next(); }
    // Asked once per result: on a row, record() copies the row's values too.
    QStringList names() const override
    {
        QStringList out;
        const QSqlRecord rec = query_->record();
        for (int i = 0; i < rec.count(); ++i)
            out << rec.fieldName(i);
        return out;
    }
    QVariant value(int index) const override { return query_->value(index); }
    bool isNull(int index) const override { return query_->isNull(index); }

private:
    std::unique_ptr<QSqlQuery> query_;
};

} // namespace

std::unique_ptr<Cursor> Backend::select(QSqlDatabase &db, const QString &statement)
{
    auto q = std::make_unique<QSqlQuery>(db);
    q->setForwardOnly(true);
    q->setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    if (!q->exec(statement)) {
        const QString message = serverMessage(q->lastError());
        throw Error(message.isEmpty() ? QStringLiteral("คำสั่งฐานข้อมูลล้มเหลว") : message);
    }
    return std::make_unique<QueryCursor>(std::move(q));
}

} // namespace detail

// ---- Rows ----

Rows::Rows(std::unique_ptr<detail::Cursor> cursor, const detail::Backend *backend)
    : cursor_(std::move(cursor)), backend_(backend)
{
}

Rows::Rows(Rows &&) noexcept = default;
Rows &Rows::operator=(Rows &&) noexcept = default;
Rows::~Rows() = default;

bool Rows::next()
{
    return cursor_->next();
}

// The names are read once per result.
const QStringList &Rows::names() const
{
    if (!described_) {
        names_ = cursor_->names();
        for (const QString &name : std::as_const(names_))
            adapts_.push_back(backend_->adapts(name));
        // A joined "SELECT a.*, b.*" may name a column twice: the first one wins.
        for (qsizetype i = names_.size() - 1; i >= 0; --i)
            index_.insert(names_.at(i).toLower(), static_cast<int>(i));
        described_ = true;
    }
    return names_;
}

int Rows::indexOf(const QString &column) const
{
    // A report asks for the same few names on every row: each spelling is folded only once.
    if (const auto asked = asked_.constFind(column); asked != asked_.cend())
        return *asked;
    names();
    const int i = index_.value(column.toLower(), -1);
    asked_.insert(column, i);
    return i;
}

bool Rows::has(const QString &column) const
{
    return indexOf(column) >= 0;
}

int Rows::columnCount() const
{
    return static_cast<int>(names().size());
}

QString Rows::columnName(int index) const
{
    return names().value(index);
}

QVariant Rows::value(int index) const
{
    if (index < 0 || index >= names().size())
        return {};
    QVariant raw = cursor_->value(index);
    if (!adapts_[static_cast<size_t>(index)])
        return raw;
    return backend_->adapt(names_.at(index), raw);
}

bool Rows::isNull(const QString &column) const
{
    const int i = indexOf(column);
    return i < 0 || cursor_->isNull(i);
}

QString Rows::text(const QString &column) const
{
    return text(indexOf(column));
}

QString Rows::text(int index) const
{
    const QVariant v = value(index);
    if (v.isNull() || !v.isValid())
        return {};
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(v.toDouble(), 'g', 15);
    case QMetaType::QDateTime:
        return thaiDateTimeText(v.toDateTime());
    case QMetaType::QDate:
        return thaiDateText(v.toDate());
    default:
        return v.toString();
    }
}

qint64 Rows::integer(const QString &column) const
{
    const QVariant v = value(indexOf(column));
    if (v.isNull())
        return 0;
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    if (ok)
        return n;
    return static_cast<qint64>(v.toDouble());
}

double Rows::number(const QString &column) const
{
    const QVariant v = value(indexOf(column));
    if (v.isNull())
        return 0.0;
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? d : 0.0;
}

QDateTime Rows::dateTime(const QString &column) const
{
    const QVariant v = value(indexOf(column));
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().startOfDay();
    // Text such as "2014-10-05 13:45:00.000", in the server's local time.
    QString s = v.toString().trimmed();
    s.replace(QLatin1Char('T'), QLatin1Char(' '));
    for (const char *format : {"yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd"}) {
        const QDateTime t = QDateTime::fromString(s, QLatin1String(format));
        if (t.isValid())
            return t;
    }
    return {};
}

// ---- Connection ----

namespace {

QAtomicInt connectionCounter;

// The account the process runs under, as the history names a tool's user.
QString accountName()
{
    for (const char *variable : {"USER", "LOGNAME"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty())
            return name;
    }
    if (const passwd *pw = getpwuid(getuid()))
        return QString::fromLocal8Bit(pw->pw_name);
    return QString::number(getuid());
}

} // namespace

Connection::Connection(CatalogLocation where)
    : where_(std::move(where)),
      name_(QStringLiteral("vostrel-%1").arg(connectionCounter.fetchAndAddRelaxed(1))),
      // Until someone logs in, the account the program runs under.
      actorUser_(accountName()),
      actorStation_(QSysInfo::machineHostName())
{
}

Connection::~Connection()
{
    close();
}

void Connection::open(OpenMode mode)
{
    close();
    backend_ = detail::makeBackend(where_.backend);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(backend_->driverName(), name_);
        if (!db.isValid()) {
            QSqlDatabase::removeDatabase(name_);
            backend_.reset();
            throw Error(QStringLiteral("ไม่พบตัวเชื่อมต่อฐานข้อมูล %1 ในเครื่องนี้").arg(where_.describe()));
        }
        try {
            backend_->configure(db, where_, mode);
            if (!db.open())
                throw Error(detail::serverMessage(db.lastError()));
            backend_->prepareSession(db);
            backend_->setActor(db, actorUser_, actorStation_);
            // Recording starts before the connection's first write.
            history::attach(*this);
        } catch (...) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name_);
            backend_.reset();
            throw;
        }
    }
}

void Connection::close()
{
    if (!backend_)
        return;
    backend_->beforeClose();
    recordsHistory_ = false;
    {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name_);
    backend_.reset();
}

bool Connection::isOpen() const
{
    return backend_ != nullptr;
}

void Connection::require() const
{
    if (!backend_)
        throw Error(QStringLiteral("ยังไม่ได้เปิดการเชื่อมต่อฐานข้อมูล"));
}

void Connection::fail(const QString &fallback, const QString &serverText) const
{
    throw Error(serverText.isEmpty() ? fallback : serverText);
}

QString Connection::textToSend(const Statement &statement) const
{
    require();
    QString text = statement.text();
    // Values reach here through sqlText, which never leaves such characters; a statement that
    // holds one anyway was built wrongly and could be read otherwise than it was written.
    if (!isSendable(text))
        throw Error(QStringLiteral("คำสั่งฐานข้อมูลมีอักขระที่ใช้ไม่ได้ (อักขระว่างหรืออักขระที่ถูกตัดครึ่ง) "
                                   "จึงไม่ได้ส่งไปยังฐานข้อมูล"));
    if (observer_)
        observer_(text);
    return text;
}

Rows Connection::select(const Statement &statement)
{
    const QString text = textToSend(statement);
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    return Rows(backend_->select(db, text), backend_.get());
}

int Connection::execute(const Statement &statement)
{
    return run(textToSend(statement));
}

int Connection::run(const QString &text)
{
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    const bool own = backend_->beginStatement(db, text);
    QSqlQuery q(db);
    const bool ok = q.exec(text);
    const int changed = q.numRowsAffected();
    const QString why = ok ? QString() : detail::serverMessage(q.lastError());
    q.finish();
    backend_->endStatement(db, ok, own);
    if (!ok)
        fail(QStringLiteral("คำสั่งฐานข้อมูลล้มเหลว"), why);
    return changed;
}

Rows Connection::selectQuietly(const Statement &statement)
{
    require();
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    return Rows(backend_->select(db, statement.text()), backend_.get());
}

int Connection::executeQuietly(const Statement &statement)
{
    require();
    return run(statement.text());
}

void Connection::startRecording()
{
    require();
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    backend_->startRecording(db);
    recordsHistory_ = true;
}

void Connection::setActor(const QString &user, const QString &station)
{
    actorUser_ = user;
    actorStation_ = station;
    if (backend_) {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        backend_->setActor(db, actorUser_, actorStation_);
    }
}

void Connection::begin()
{
    require();
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    if (!db.transaction())
        fail(QStringLiteral("เริ่มรายการฐานข้อมูลไม่ได้"), detail::serverMessage(db.lastError()));
}

void Connection::backupTo(const QString &path)
{
    require();
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    backend_->backupTo(db, path);
}

void Connection::beginBulkWrites()
{
    require();
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    backend_->bulkWrites(db);
}

void Connection::makeDurable()
{
    require();
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    backend_->durable(db);
}

bool Connection::exists(const Statement &statement)
{
    Rows rows = select(statement);
    return rows.next();
}

void Connection::beginWrite()
{
    require();
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    backend_->beginWrite(db);
}

QString Connection::rowLockClause() const
{
    return backend_ ? backend_->rowLock() : QString();
}

void Connection::lockTable(const char *table)
{
    require();
    const QString lock = backend_->tableLock(QLatin1String(table));
    if (!lock.isEmpty())
        execute(Statement{lock});
}

void Connection::commit()
{
    require();
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    if (!db.commit())
        fail(QStringLiteral("ยืนยันรายการฐานข้อมูลไม่ได้"), detail::serverMessage(db.lastError()));
}

void Connection::rollback()
{
    require();
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    if (!db.rollback())
        fail(QStringLiteral("ยกเลิกรายการฐานข้อมูลไม่ได้"), detail::serverMessage(db.lastError()));
}

QStringList Connection::tableNames() const
{
    require();
    return QSqlDatabase::database(name_, false).tables(QSql::Tables);
}

QStringList Connection::schemaStatements(const std::vector<schema::Table> &tables) const
{
    require();
    return backend_->schemaStatements(tables);
}

void Connection::pinServerClockForTests(const QDateTime &now)
{
    require();
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    backend_->pinServerClock(db, now);
}

} // namespace db
