// Saving a 10,000-row voucher preview into a fresh embedded catalog, every row looked up and
// written on its own, as the import screen does. Run: bench_import [rows]

#include "core/ImportRows.h"
#include "data/Connection.h"
#include "data/schema.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    QTextStream out(stdout);

    QList<QStringList> preview;
    preview.reserve(rows);
    for (int i = 1; i <= rows; ++i) {
        const QString key = QStringLiteral("QDTX2556/%1").arg(i, 5, 10, QLatin1Char('0'));
        preview << QStringList{QString::number(i),
                               QStringLiteral("ปกติ"),
                               key,
                               QStringLiteral("%1/1/2556 10:02:00").arg(1 + i % 28),
                               QStringLiteral("ศธ 0513.10/%1").arg(i),
                               QStringLiteral("25/12/2555"),
                               QStringLiteral("กองคลัง"),
                               QStringLiteral("ขออนุมัติเบิกเงินค่าวัสดุสำนักงาน รายการที่ %1").arg(i),
                               QStringLiteral("ผู้อำนวยการกองคลัง"),
                               QStringLiteral("คณะวิทยาศาสตร์"),
                               QStringLiteral("เสร็จสิ้นดำเนินการ"),
                               QStringLiteral("%1/2/2556 15:30:00").arg(1 + i % 28),
                               QStringLiteral("ภายใน"),
                               QStringLiteral("4")};
    }

    QTemporaryDir dir;
    db::CatalogLocation where;
    where.path = dir.filePath(QStringLiteral("bench.sqlite"));
    db::Connection c(where);
    c.open(db::Connection::OpenMode::Create);
    schema::create(c);

    for (const char *pass : {"first save (inserts)", "second save (updates)"}) {
        ImportResult result;
        QElapsedTimer t;
        t.start();
        savePreview(ImportKind::Kvsis, c, preview, result);
        out << QStringLiteral("%1: %2 rows in %3 ms (inserted %4, updated %5; target < 3000 ms)\n")
                   .arg(QLatin1String(pass))
                   .arg(rows)
                   .arg(t.elapsed())
                   .arg(result.inserted)
                   .arg(result.updated);
    }
    return 0;
}
