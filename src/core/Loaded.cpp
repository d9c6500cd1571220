#include "core/Loaded.h"

#include "data/Connection.h"

namespace loaded {

namespace {

QString shown(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("(ว่าง)") : QStringLiteral("\"%1\"").arg(text);
}

} // namespace

Row read(const db::Rows &row, const QStringList &columns)
{
    Row out;
    for (const QString &column : columns)
        out.insert(column, row.text(column));
    return out;
}

QList<Change> changes(const Row &was, const Row &now, const QList<Shown> &shown)
{
    QList<Change> out;
    for (const Shown &s : shown) {
        const QString before = was.value(s.column);
        const QString after = now.value(s.column);
        if (before != after)
            out.append({s.caption, before, after});
    }
    return out;
}

Outcome writeOver(db::Connection &c, db::Statement lookup, const Row &was,
                  const QList<Shown> &shown,
                  const std::function<db::Statement(const db::Rows &row)> &write,
                  QList<Change> *changed)
{
    db::Transaction t(c, db::Transaction::Kind::Write);
    if (const QString lock = c.rowLockClause(); !lock.isEmpty())
        lookup << lock;
    db::Statement statement;
    {
        db::Rows row = c.select(lookup);
        if (!row.next())
            return Outcome::NotFound;
        QStringList columns;
        for (const Shown &s : shown)
            columns << s.column;
        const QList<Change> differ = changes(was, read(row, columns), shown);
        if (!differ.isEmpty()) {
            if (changed)
                *changed = differ;
            return Outcome::Changed;
        }
        statement = write(row);
    }
    const int written = c.execute(statement);
    t.commit();
    return written == 0 ? Outcome::NotFound : Outcome::Saved;
}

QString message(const QList<Change> &changes)
{
    QString text = QStringLiteral("ข้อมูลนี้ถูกแก้ไขจากเครื่องอื่นหลังจากที่เปิดขึ้นมา จึงยังไม่ได้บันทึก");
    for (const Change &c : changes)
        text += QStringLiteral("\n- %1: จาก %2 เป็น %3").arg(c.caption, shown(c.was), shown(c.now));
    text += QStringLiteral("\nต้องการโหลดข้อมูลล่าสุดมาแสดงหรือไม่ (ข้อมูลที่แก้ไว้บนหน้าจอจะถูกแทนที่)");
    return text;
}

} // namespace loaded
