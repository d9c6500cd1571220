#include "core/Guarantee.h"

#include "core/Messages.h"
#include "data/Connection.h"
#include "data/schema.h"
#include "util/Utility.h"

#include <QLocale>
#include <QRegularExpression>

namespace guarantee {

namespace {

QString q(const QString &value)
{
    return db::sqlText(value);
}

bool isYear(const QString &year)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{4}$"));
    return digits.match(year).hasMatch();
}

db::Error yearFull(const QString &year)
{
    return db::Error(
        QStringLiteral("เลขที่เอกสารของปี %1 ใช้ครบ 9,999,999 เลขแล้ว ไม่สามารถบันทึกเอกสารใหม่ได้")
            .arg(year));
}

// A station that made the year's first counter row at the same moment wins; the loser draws
// again and then finds the row.
constexpr int Attempts = 5;

} // namespace

QStringList conditionLines()
{
    return {QStringLiteral("Where (SUBSTRING(Doc_PK,7,1) = '") + schema::code::GuaranteeMark +
                QStringLiteral("'"),
            QStringLiteral("Or SUBSTRING(Doc_PK,5,1) = '") + schema::code::GuaranteeMark +
                QStringLiteral("')")};
}

QList<criteria::Criterion> finderCriteria()
{
    using criteria::Input;
    using criteria::makeCriterion;
    return {makeCriterion(QStringLiteral("CheckBox1"), QStringLiteral("บริษัท/ห้าง/ร้าน/บุคคลธรรมดา"),
                          QStringLiteral("edtFromSite4"), Input::Text,
                          QStringLiteral("And (FromSite like'%"), QStringLiteral("%')")),
            makeCriterion(QStringLiteral("CheckBox2"), QStringLiteral("รายการ(เรื่อง)"),
                          QStringLiteral("edtTopic4"), Input::Text,
                          QStringLiteral("And (Topic like '%"), QStringLiteral("%')")),
            makeCriterion(QStringLiteral("CheckBox3"), QStringLiteral("เลขที่ใบแจ้งหนี้/ใบส่งของ"),
                          QStringLiteral("edtFrom_Unit4"), Input::Text,
                          QStringLiteral("And (From_Unit like '%"), QStringLiteral("%')")),
            makeCriterion(QStringLiteral("CheckBox4"), QStringLiteral("เลขที่เอกสาร"),
                          QStringLiteral("edtDoc_PK4"), Input::Text,
                          QStringLiteral("And (Doc_PK like '%"), QStringLiteral("%')"))};
}

QString placeFlag(bool bank)
{
    return bank ? schema::code::PlaceChequeBank : schema::code::PlaceChequeDivision;
}

FormProblem formProblem(const Form &form)
{
    // Only a truly empty text is refused; blanks pass, as they always have.
    if (form.fromSite.isEmpty())
        return {QStringLiteral("กรุณาในข้อมูล บริษัท/ห้าง/ร้าน/บุคคลธรรมดา"), QStringLiteral("edtFromSite")};
    if (form.topic.isEmpty())
        return {QStringLiteral("กรุณาในข้อมูล รายการ(เรื่อง)"), QStringLiteral("edtTopic")};
    if (!amountLiteral(form.amount))
        return {AmountNotNumber, QStringLiteral("edtNo_Money")};
    const struct {
        const QString &text;
        const char *column;
        const char *box;
    } dates[] = {{form.docNoDate, "DocNoDate", "edtDocNoDate"},
                 {form.dateIntoFin, "Date_Into_Fin", "edtDate_Into_Fin"}};
    for (const auto &d : dates) {
        if (!isBlankOrDay(d.text))
            return {msg::notADay(captionOf(d.column), d.text), QLatin1String(d.box)};
    }
    return {};
}

QString formError(const Form &form)
{
    return formProblem(form).message;
}

std::optional<QString> amountLiteral(const QString &typed)
{
    const QString plain = Strip_Comma(typed).trimmed();
    if (plain.isEmpty())
        return QStringLiteral("0");
    // Written unquoted into the statement: nothing but a plain decimal may pass.
    static const QRegularExpression decimal(QStringLiteral("^[-+]?([0-9]+[.]?[0-9]*|[.][0-9]+)$"));
    if (!decimal.match(plain).hasMatch())
        return std::nullopt;
    return plain;
}

QString moneyText(double amount)
{
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(amount, 'f', 2);
}

std::optional<QString> reformatAmount(const QString &typed)
{
    const std::optional<QString> plain = amountLiteral(typed);
    if (!plain)
        return std::nullopt;
    return moneyText(plain->toDouble());
}

QString key(const QString &year, qint64 number)
{
    return year + schema::code::GuaranteeMark +
           Right_Chars(QStringLiteral("0000000") + Trim_Space(QString::number(number)), 7);
}

bool isKey(const QString &documentKey)
{
    const QString &mark = schema::code::GuaranteeMark;
    return documentKey.mid(4, 1) == mark || documentKey.mid(6, 1) == mark;
}

db::Statement counterStatement(const QString &year, const QString &rowLock)
{
    db::Statement s{QStringLiteral("SELECT  *"), QStringLiteral("FROM  TR_Deega_Runno"),
                    QStringLiteral("WHERE  (Year_S = ") + year + QStringLiteral(")")};
    if (!rowLock.isEmpty())
        s << rowLock;
    return s;
}

db::Statement counterUpdateStatement(const QString &year, qint64 number)
{
    return {QStringLiteral("UPDATE   TR_Deega_Runno"),
            QStringLiteral("SET     Runno = ") + QString::number(number),
            QStringLiteral("WHERE  (Year_S = '") + q(year) + QStringLiteral("')")};
}

db::Statement counterInsertStatement(const QString &year)
{
    return {QStringLiteral("INSERT INTO TR_Deega_Runno"), QStringLiteral("(Year_S, Runno)"),
            QStringLiteral("VALUES ('") + q(year) + QStringLiteral("'") + QStringLiteral(", 1)")};
}

db::Statement insertStatement(const QString &key, const Form &f, const QString &amount)
{
    const QString k = q(key);
    return {QStringLiteral("INSERT INTO Main_Deega_Control"),
            QStringLiteral("(DovPriLevelName, Doc_PK, DocNo "),
            QStringLiteral(",DocNoDate, DocNumber, DocDate"),
            QStringLiteral(",From_Unit, Topic, To_Who"),
            QStringLiteral(",FromSite, Doc_Stat, DocStatus"),
            QStringLiteral(",IS_Rec_Cheq, IS_Success"),
            QStringLiteral(",Date_Into_Fin, DocNoDate_YYYYMMDD, Modified_Date_YYYYMMDD"),
            QStringLiteral(",No_Money, Vendor_Tel, vendor_Fax"),
            QStringLiteral(",Deega_Remark, Place_Rec_Cheque)"),
            QStringLiteral("VALUES ('ปกติ','") + k + QStringLiteral("','") + k + QStringLiteral("'"),
            QStringLiteral(",'") + q(f.docNoDate) + QStringLiteral("','") + q(f.fromUnit) +
                QStringLiteral("','") + q(f.docNoDate) + QStringLiteral("'"),
            QStringLiteral(",'") + q(f.fromUnit) + QStringLiteral("','") + q(f.topic) +
                QStringLiteral("','") + q(f.toWho) + QStringLiteral("'"),
            QStringLiteral(",'") + q(f.fromSite) + QStringLiteral("','ติดตามดำเนินการ','3'"),
            QStringLiteral(",'N','N'"),
            QStringLiteral(",'") + q(f.dateIntoFin) + QStringLiteral("','',''"),
            QStringLiteral(",") + amount + QStringLiteral(",'") + q(f.vendorTel) +
                QStringLiteral("','") + q(f.vendorFax) + QStringLiteral("'"),
            QStringLiteral(",'") + q(f.remark) + QStringLiteral("','") + placeFlag(f.bank) +
                QStringLiteral("')")};
}

db::Statement updateStatement(const QString &key, const Form &f, const QString &amount)
{
    const auto set = [](const char *head, const QString &value) -> QString {
        return QString::fromUtf8(head) + q(value) + QStringLiteral("'");
    };
    return {QStringLiteral("UPDATE Main_Deega_Control"),
            set("SET DocNoDate ='", f.docNoDate),
            set(",DocDate ='", f.docNoDate),
            set(",From_Unit ='", f.fromUnit),
            set(",Topic ='", f.topic),
            set(",To_Who ='", f.toWho),
            set(",FromSite ='", f.fromSite),
            set(",Date_Into_Fin ='", f.dateIntoFin),
            QStringLiteral(",No_Money =") + amount,
            set(",Vendor_Tel ='", f.vendorTel),
            set(",vendor_Fax ='", f.vendorFax),
            set(",Deega_Remark ='", f.remark),
            set(",Place_Rec_Cheque='", placeFlag(f.bank)),
            QStringLiteral("Where (Doc_PK = '") + q(key) + QStringLiteral("')")};
}

QString saveNew(db::Connection &c, const Form &form, const QString &todayThai)
{
    const QString problem = formError(form);
    if (!problem.isEmpty())
        throw db::Error(problem);
    const QString amount = *amountLiteral(form.amount);
    const QString year = todayThai.mid(6, 4);
    if (!isYear(year))
        throw db::Error(QStringLiteral("ปีของวันที่ปัจจุบันอ่านไม่ได้: ") + todayThai);
    for (int attempt = 1;; ++attempt) {
        db::Transaction t(c, db::Transaction::Kind::Write);
        std::optional<qint64> last;
        {
            db::Rows counter = c.select(counterStatement(year, c.rowLockClause()));
            if (counter.next())
                last = counter.integer(QStringLiteral("Runno"));
        }
        qint64 number = 1;
        if (last) {
            if (*last >= LastNumber)
                throw yearFull(year);
            number = *last + 1;
            c.execute(counterUpdateStatement(year, number));
        } else {
            try {
                c.execute(counterInsertStatement(year));
            } catch (const db::Error &) {
                if (attempt < Attempts)
                    continue;
                throw;
            }
        }
        // A key taken by a row that did not come from the counter (an older catalog, a stray
        // import) is passed over: the counter moves past it rather than stopping every station.
        QString k = key(year, number);
        bool skipped = false;
        while (c.exists(loadStatement(k))) {
            if (number >= LastNumber)
                throw yearFull(year);
            k = key(year, ++number);
            skipped = true;
        }
        if (skipped)
            c.execute(counterUpdateStatement(year, number));
        c.execute(insertStatement(k, form, amount));
        t.commit();
        return k;
    }
}

QList<loaded::Shown> formColumns()
{
    const auto shown = [](const char *column, const char *caption) {
        return loaded::Shown{QLatin1String(column), QString::fromUtf8(caption)};
    };
    return {shown("FromSite", "บริษัท/ห้าง/ร้าน/บุคคลธรรมดา"),
            shown("Topic", "รายการ(เรื่อง)"),
            shown("From_Unit", "เลขที่ใบแจ้งหนี้/ใบส่งของ"),
            shown("No_Money", "จำนวนเงิน"),
            shown("Vendor_Fax", "ผู้ขาย/ผู้รับจ้าง FAX"),
            shown("Vendor_Tel", "ผู้ขาย/ผู้รับจ้าง โทร"),
            shown("To_Who", "ส่งไปยัง(การปฎิบัติ)"),
            shown("DocNoDate", "วันที่เข้ากอง"),
            shown("Date_Into_Fin", "วันที่เรื่องเข้ากองครั้งสุดท้าย"),
            shown("Deega_Remark", "หมายเหตุ"),
            shown("Place_Rec_Cheque", "สถานที่รับเช็ค")};
}

QList<loaded::Shown> receiptColumns()
{
    return formColumns() << loaded::Shown{QStringLiteral("Modified_Date"), ReceiptDateCaption};
}

QString captionOf(const char *column)
{
    for (const loaded::Shown &s : formColumns()) {
        if (s.column == QLatin1String(column))
            return s.caption;
    }
    return QLatin1String(column);
}

bool saveEdit(db::Connection &c, const QString &key, const Form &form)
{
    const QString problem = formError(form);
    if (!problem.isEmpty())
        throw db::Error(problem);
    return c.execute(updateStatement(key, form, *amountLiteral(form.amount))) != 0;
}

loaded::Outcome saveEdit(db::Connection &c, const QString &key, const Form &form,
                         const Stored &was, QList<loaded::Change> *changed)
{
    const QString problem = formError(form);
    if (!problem.isEmpty())
        throw db::Error(problem);
    const db::Statement update = updateStatement(key, form, *amountLiteral(form.amount));
    return loaded::writeOver(
        c, loadStatement(key), was.shown, formColumns(),
        [&update](const db::Rows &) { return update; }, changed);
}

db::Statement searchStatement(const criteria::Entered &filters, const QStringList &extra)
{
    db::Statement s{QStringLiteral("SELECT *"), QStringLiteral("FROM Main_Deega_Control")};
    for (const QString &line : conditionLines())
        s << line;
    for (const QString &line : extra)
        s << line;
    for (const QString &line : criteria::criteriaLines(finderCriteria(), filters))
        s << line;
    return s;
}

QList<QStringList> search(db::Connection &c, const criteria::Entered &filters,
                          const QStringList &extra)
{
    QList<QStringList> out;
    db::Rows rows = c.select(searchStatement(filters, extra));
    while (rows.next()) {
        const QString money = rows.isNull(QStringLiteral("No_Money"))
                                  ? QString()
                                  : moneyText(rows.number(QStringLiteral("No_Money")));
        out.append({QString::number(out.size() + 1), rows.text(QStringLiteral("Doc_PK")),
                    rows.text(QStringLiteral("FromSite")), rows.text(QStringLiteral("Topic")),
                    rows.text(QStringLiteral("From_Unit")), money});
    }
    return out;
}

QStringList gridHeaders()
{
    return {QStringLiteral("No1."),
            QStringLiteral("เลขที่เอกสาร"),
            QStringLiteral("บริษัท/ห้าง/ร้าน/บุคคลธรรมด"),
            QStringLiteral("รายการ(เรื่อง)"),
            QStringLiteral("เลขที่ใบแจ้งหนี้"),
            QStringLiteral("จำนวนเงิน")};
}

QList<int> gridWidths()
{
    return {30, 90, 180, 130, 90, 90};
}

db::Statement loadStatement(const QString &key)
{
    return {QStringLiteral("SELECT *"), QStringLiteral("FROM Main_Deega_Control"),
            QStringLiteral("Where (Doc_PK = '") + q(key) + QStringLiteral("')")};
}

std::optional<Stored> load(db::Connection &c, const QString &key)
{
    db::Rows row = c.select(loadStatement(key));
    // The blank grid row names no document.
    if (key.isEmpty() || !row.next())
        return std::nullopt;
    const auto t = [&row](const char *column) { return row.text(QLatin1String(column)); };
    Stored s;
    s.form.fromSite = t("FromSite");
    s.form.topic = t("Topic");
    s.form.fromUnit = t("From_Unit");
    s.form.amount = row.isNull(QStringLiteral("No_Money"))
                        ? QString()
                        : moneyText(row.number(QStringLiteral("No_Money")));
    s.form.vendorFax = t("Vendor_Fax");
    s.form.vendorTel = t("Vendor_Tel");
    s.form.toWho = t("To_Who");
    s.form.docNoDate = t("DocNoDate");
    s.form.dateIntoFin = t("Date_Into_Fin");
    s.form.remark = t("Deega_Remark");
    s.form.bank = t("Place_Rec_Cheque") == schema::code::PlaceChequeBank;
    s.modifiedDate = t("Modified_Date");
    QStringList columns;
    for (const loaded::Shown &shown : receiptColumns())
        columns << shown.column;
    s.shown = loaded::read(row, columns);
    return s;
}

QString loadFailure(const QString &adminExtension)
{
    return QStringLiteral("ข้อมูลผิดพลาด ติดต่องผู้ดูแลระบบ(Tovrek ") + adminExtension +
           QStringLiteral(")");
}

QString waitingLine()
{
    return QStringLiteral("And (DocStatus ='3')");
}

QString finishedLine()
{
    return QStringLiteral("And (DocStatus ='4')");
}

bool untouchedDate(const QString &text)
{
    return text.isEmpty() || text == QLatin1String("  /  /    ");
}

db::Statement receiveStatement(const QString &key, const QString &date)
{
    return {QStringLiteral("UPDATE Main_Deega_Control"),
            QStringLiteral("SET Modified_Date ='") + q(date) + QStringLiteral("'"),
            QStringLiteral(", DocStatus='4', Doc_Stat='เสร็จสิ้นดำเนินการ'"),
            QStringLiteral("Where (Doc_PK = '") + q(key) + QStringLiteral("')")};
}

bool receive(db::Connection &c, const QString &key, const QString &date)
{
    if (!typedDayOf(date).isValid())
        throw db::Error(msg::notADay(ReceiptDateCaption, date));
    if (key.isEmpty())
        return false;
    return c.execute(receiveStatement(key, date)) != 0;
}

loaded::Outcome receive(db::Connection &c, const QString &key, const QString &date,
                        const Stored &was, QList<loaded::Change> *changed)
{
    if (!typedDayOf(date).isValid())
        throw db::Error(msg::notADay(ReceiptDateCaption, date));
    if (key.isEmpty())
        return loaded::Outcome::NotFound;
    return loaded::writeOver(
        c, loadStatement(key), was.shown, receiptColumns(),
        [&](const db::Rows &) { return receiveStatement(key, date); }, changed);
}

db::Statement registerStatement(RegisterBy by, const QString &text)
{
    db::Statement s{QStringLiteral("SELECT *"), QStringLiteral("FROM Main_Deega_Control")};
    for (const QString &line : conditionLines())
        s << line;
    switch (by) {
    case RegisterBy::Day: {
        // A day typed with a blank place is looked for as it is stored, dd/mm/yyyy.
        const QDate day = typedDayOf(text);
        s << QStringLiteral("And (DocNoDate='") + q(day.isValid() ? thaiDateText(day) : text) +
                 QStringLiteral("')");
        break;
    }
    case RegisterBy::Month:
        s << QStringLiteral("And (Substring(DocNoDate,4,7)='") + q(text) + QStringLiteral("')");
        break;
    case RegisterBy::Year:
        s << QStringLiteral("And (Substring(DocNoDate,7,4)='") + q(text) + QStringLiteral("')");
        break;
    }
    return s;
}

QString registerProblem(RegisterBy by, const QString &text, const QString &caption)
{
    static const QRegularExpression year(QStringLiteral("^[0-9]{4}$"));
    switch (by) {
    case RegisterBy::Day:
        return typedDayOf(text).isValid() ? QString() : msg::notADay(caption, text);
    case RegisterBy::Month:
        return isMonthYearText(text) ? QString() : msg::notAMonth(caption, text);
    case RegisterBy::Year:
        break;
    }
    return year.match(text).hasMatch() ? QString() : msg::YearNotNumber;
}

QList<QStringList> registerRows(db::Connection &c, RegisterBy by, const QString &text)
{
    QList<QStringList> out;
    db::Rows rows = c.select(registerStatement(by, text));
    while (rows.next()) {
        out.append({QString::number(out.size() + 1), rows.text(QStringLiteral("Doc_PK")),
                    rows.text(QStringLiteral("DocNoDate")), rows.text(QStringLiteral("FromSite")),
                    rows.text(QStringLiteral("Topic")), rows.text(QStringLiteral("From_Unit"))});
    }
    return out;
}

QStringList registerHeaders()
{
    return {QStringLiteral("No"),        QStringLiteral("เลขที่เอกสาร"),
            QStringLiteral("วันที่เข้ากอง"), QStringLiteral("บริษัท/ห้าง/ร้าน/บุคคลธรรมดา"),
            QStringLiteral("รายการ"),    QStringLiteral("เลขที่ใบแจ้งหนี้/ใบส่งของ")};
}

QList<int> registerWidths()
{
    return {30, 100, 100, 90, 90, 120};
}

} // namespace guarantee
