#include "core/Browse.h"

#include "core/Messages.h"
#include "data/Connection.h"
#include "util/Utility.h"

namespace browse {

using criteria::Criterion;
using criteria::Input;

Criterion docNumberCriterion()
{
    return criteria::makeCriterion(QStringLiteral("CheckBox1"), QStringLiteral("เลขที่หนังสือ"),
                                   QStringLiteral("edtDocNumber1"), Input::Text,
                                   QStringLiteral("And (DocNumber like '%"), QStringLiteral("%')"));
}

Criterion docDateCriterion()
{
    return criteria::makeCriterion(QStringLiteral("CheckBox2"), QStringLiteral("วันที่หนังสือ"),
                                   QStringLiteral("edtDocDate1"), Input::Date,
                                   QStringLiteral("And (DocDate like '"), QStringLiteral("%')"));
}

Criterion topicCriterion()
{
    return criteria::makeCriterion(QStringLiteral("CheckBox3"), QStringLiteral("เรื่อง"),
                                   QStringLiteral("edtTopic1"), Input::Text,
                                   QStringLiteral("And (Topic like '%"), QStringLiteral("%')"));
}

Criterion deegaNoCriterion()
{
    return criteria::makeCriterion(QStringLiteral("CheckBox4"), QStringLiteral("เลขที่ฏีกา"),
                                   QStringLiteral("edtDeega_No1"), Input::Text,
                                   QStringLiteral("And (Deega_No like'%"), QStringLiteral("%')"));
}

void voucherGrid(Shape &shape, bool withVoucherNumber)
{
    shape.headers = {QStringLiteral("No"),          QStringLiteral("รหัส"),
                     QStringLiteral("DocNumber"),   QStringLiteral("DocDate"),
                     QStringLiteral("Topic"),       QStringLiteral("FromSite"),
                     QStringLiteral("ทะเบียนคุมฏีกา"), QStringLiteral("เลขทีใบสำคัญ")};
    shape.columns = {QStringLiteral("Doc_PK"),   QStringLiteral("DocNumber"),
                     QStringLiteral("DocDate"),  QStringLiteral("Topic"),
                     QStringLiteral("FromSite"), QStringLiteral("KumDeega_No"),
                     QStringLiteral("Sumkun_No")};
    if (withVoucherNumber) {
        shape.headers << QStringLiteral("เลขทีฏีกา");
        shape.columns << QStringLiteral("Deega_No");
    }
    shape.colCount = static_cast<int>(shape.headers.size());
}

db::Statement searchStatement(const Shape &shape, const criteria::Entered &entered, Stage stage)
{
    db::Statement s;
    s << QStringLiteral("SELECT  *") << QStringLiteral("FROM Main_Deega_Control")
      << QStringLiteral("where (doc_pk is not null)");
    for (const QString &line : criteria::criteriaLines(shape.criteria, entered))
        s << line;
    if (!shape.stageColumn.isEmpty()) {
        const QString &c = shape.stageColumn;
        if (stage == Stage::Add)
            s << QStringLiteral("And ((") + c + QStringLiteral("='') Or (") + c +
                     QStringLiteral(" Is null))");
        else
            s << QStringLiteral("And (") + c + QStringLiteral("<>'')");
    }
    return s;
}

db::Statement lookupStatement(const QString &key)
{
    return {QStringLiteral("SELECT *"), QStringLiteral("FROM Main_Deega_Control"),
            QStringLiteral("Where Doc_PK = '") + db::sqlText(key) + QStringLiteral("'")};
}

db::Statement updateStatement(const Shape &shape, const QStringList &assignments,
                              bool stageWasEmpty, const QString &key)
{
    QStringList lines = assignments;
    if (!shape.entryTimeColumn.isEmpty() && stageWasEmpty) {
        const QString line =
            QStringLiteral(", ") + shape.entryTimeColumn + QStringLiteral("=CURRENT_TIMESTAMP");
        if (shape.entryTimeAt < 0 || shape.entryTimeAt > lines.size())
            lines.append(line);
        else
            lines.insert(shape.entryTimeAt, line);
    }
    db::Statement s;
    s << QStringLiteral("Update Main_Deega_Control");
    for (const QString &line : lines)
        s << line;
    s << QStringLiteral("Where Doc_PK = '") + db::sqlText(key) + QStringLiteral("'");
    return s;
}

QString assignment(bool first, const QString &column, const QString &value)
{
    return (first ? QStringLiteral("Set ") : QStringLiteral(", ")) + column + QStringLiteral("='") +
           db::sqlText(value) + QStringLiteral("'");
}

QString trimmed(Trim trim, const QString &value)
{
    return trim == Trim::Space ? Trim_Space(value) : trimText(value);
}

QList<QStringList> readRows(const Shape &shape, db::Rows &rows)
{
    QList<QStringList> out;
    while (rows.next()) {
        QStringList cells;
        cells.reserve(shape.columns.size() + 1);
        cells << QString::number(out.size() + 1);
        for (const QString &column : shape.columns)
            cells << trimmed(shape.trim, rows.text(column));
        out.append(cells);
    }
    return out;
}

QList<QStringList> search(db::Connection &c, const Shape &shape, const criteria::Entered &entered,
                          Stage stage)
{
    db::Rows rows = c.select(searchStatement(shape, entered, stage));
    return readRows(shape, rows);
}

std::optional<Document> findDocument(db::Connection &c, const Shape &shape, const QString &key)
{
    db::Rows row = c.select(lookupStatement(key));
    // An empty key (no search yet, or one that found nothing) names no document.
    if (key.isEmpty() || !row.next())
        return std::nullopt;
    QStringList columns;
    for (const loaded::Shown &s : shownColumns(shape))
        columns << s.column;
    return loaded::read(row, columns);
}

QString loadedText(const Field &field, const Document &row, const ProgramValues &program)
{
    const QString stored = row.value(field.column);
    switch (field.load) {
    case Load::NormDate:
        return Norm_Date_Text(stored);
    case Load::OrFiscalYear:
        return stored.isEmpty() ? program.fiscalYear : stored;
    case Load::Nothing:
        return {};
    case Load::AsStored:
        break;
    }
    return stored;
}

bool loadsTicked(const Field &field, const QString &stored)
{
    return stored != field.uncheckedCode;
}

namespace {

bool isEmptyEntry(const Field &f, const QString &text)
{
    // An untouched date box reads as its blank mask: blanks and slashes only.
    if (f.kind == FieldKind::Date) {
        for (const QChar ch : text) {
            if (ch != u' ' && ch != u'/')
                return false;
        }
        return true;
    }
    return trimmed(f.requiredTrim, text).isEmpty();
}

QString stampText(StampValue stamp, const ProgramValues &program)
{
    switch (stamp) {
    case StampValue::LoginUser:
        return program.loginUser;
    case StampValue::TodayThai:
        return program.todayThai;
    case StampValue::None:
        break;
    }
    return {};
}

} // namespace

const Field *missingField(const Shape &shape, const Entered &entered)
{
    for (const Field &f : shape.fields) {
        if (!f.requiredMessage.isEmpty() && isEmptyEntry(f, entered.value(f.column)))
            return &f;
    }
    return nullptr;
}

const Field *badDayField(const Shape &shape, const Entered &entered)
{
    for (const Field &f : shape.fields) {
        const QString text = entered.value(f.column);
        if (f.isDay() && !isBlankOrDay(text))
            return &f;
    }
    return nullptr;
}

QString badDayMessage(const Field &field, const QString &text)
{
    return msg::notADay(field.label, text);
}

QStringList assignmentLines(const Shape &shape, const Entered &entered,
                            const ProgramValues &program)
{
    QList<const Field *> order;
    if (shape.writeOrder.isEmpty()) {
        for (const Field &f : shape.fields)
            order << &f;
    } else {
        for (const QString &column : shape.writeOrder) {
            for (const Field &f : shape.fields) {
                if (f.column == column)
                    order << &f;
            }
        }
    }
    QStringList lines;
    for (const Field *f : order) {
        if (!f->written || f->kind == FieldKind::Shown)
            continue;
        QString value =
            f->kind == FieldKind::Stamp ? stampText(f->stamp, program) : entered.value(f->column);
        if (f->take > 0)
            value = leftChars(value, f->take);
        lines << assignment(lines.isEmpty(), f->column, value);
    }
    return lines;
}

QList<loaded::Shown> shownColumns(const Shape &shape)
{
    QList<loaded::Shown> out{{QStringLiteral("DocNumber"), QStringLiteral("เลขที่หนังสือ")},
                             {QStringLiteral("DocDate"), QStringLiteral("วันที่หนังสือ")},
                             {QStringLiteral("Topic"), QStringLiteral("เรื่อง")}};
    for (const Field &f : shape.fields) {
        if (!f.column.isEmpty() && f.load != Load::Nothing)
            out.append({f.column, f.label});
    }
    return out;
}


SaveOutcome saveStage(db::Connection &c, const Shape &shape, const QString &key,
                      const QStringList &assignments, const Document *loaded,
                      QList<loaded::Change> *changed)
{
    // Nothing is ever written for an empty key: it is no document of the table.
    if (key.isEmpty())
        return SaveOutcome::NotFound;
    if (loaded) {
        return loaded::writeOver(
            c, lookupStatement(key), *loaded, shownColumns(shape),
            [&](const db::Rows &row) {
                const bool stageWasEmpty =
                    shape.stageColumn.isEmpty() || row.text(shape.stageColumn).isEmpty();
                return updateStatement(shape, assignments, stageWasEmpty, key);
            },
            changed);
    }
    bool stageWasEmpty = true;
    if (shape.rereadOnSave) {
        db::Rows row = c.select(lookupStatement(key));
        if (!row.next())
            return SaveOutcome::NotFound;
        if (!shape.stageColumn.isEmpty())
            stageWasEmpty = row.text(shape.stageColumn).isEmpty();
    }
    const int written = c.execute(updateStatement(shape, assignments, stageWasEmpty, key));
    // Without the re-read, a document that vanished shows only here.
    return written == 0 ? SaveOutcome::NotFound : SaveOutcome::Saved;
}

} // namespace browse
