#include "HostileSheets.h"

#include "TestCatalog.h"
#include "XlsWriter.h"
#include "ZipWriter.h"
#include "data/Connection.h"
#include "data/Statement.h"

#include <QDate>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kEmoji = u"😀"_s;
const QString kDate = u"13.10.2016"_s;
const QString kDateStored = u"13/10/2559"_s;
// What every other column of a row holds: should a cut split a pair and take a closing quote
// with it, this would be read as SQL.
const QString kOther = u"v',(select Password from TR_User),'"_s;

QString dropNul(QString s)
{
    s.remove(QChar(u'\0'));
    return s;
}

// The first max units, one fewer where the cut would fall inside a pair.
QString cutWhole(const QString &s, int max)
{
    QString t = s.left(max);
    if (t.size() == max && max > 0 && t.back().isHighSurrogate() && s.size() > max &&
        s.at(max).isLowSurrogate())
        t.chop(1);
    return t;
}

QString trimControls(const QString &s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s.at(b).unicode() <= 32)
        ++b;
    while (e > b && s.at(e - 1).unicode() <= 32)
        --e;
    return s.mid(b, e - b);
}

// The preview cell a sheet cell becomes.
QString previewCell(const ImportColumn &c, const QString &raw, bool fromFile)
{
    const QString t = fromFile ? dropNul(raw) : raw;
    switch (c.take) {
    case ImportTake::Cut:
        return cutWhole(t, c.maxChars);
    case ImportTake::Trim:
        return trimControls(t);
    case ImportTake::Date:
    case ImportTake::DateOrCut:
        return t == kDate ? kDateStored : u"<not a date>"_s;
    case ImportTake::Number:
        break;
    }
    return {};
}

QString thaiDay(int n)
{
    return QDate(2017, 1, 1).addDays(n).toString(u"dd/MM/"_s) + u"2560"_s;
}

// Stored column -> preview cell index, per import.
QList<std::pair<QString, int>> storedColumns(ImportKind kind)
{
    switch (kind) {
    case ImportKind::Kvsis:
        return {{u"DovPriLevelName"_s, 1}, {u"Doc_PK"_s, 2},     {u"DocNo"_s, 2},
                {u"DocNoDate"_s, 3},       {u"DocNumber"_s, 4},  {u"DocDate"_s, 5},
                {u"From_Unit"_s, 6},       {u"Topic"_s, 7},      {u"To_Who"_s, 8},
                {u"FromSite"_s, 9},        {u"Doc_Stat"_s, 10},  {u"Modified_Date"_s, 11},
                {u"Item_Type"_s, 12},      {u"DocStatus"_s, 13}, {u"Date_Into_Fin"_s, 3}};
    case ImportKind::StopDays:
        return {{u"Thai_Day"_s, 1}, {u"Day_Remark"_s, 2}, {u"Day_Status"_s, 3}};
    case ImportKind::Erp:
        break;
    }
    return {{u"Fiscal_Year"_s, 1},     {u"FI_Doc_No"_s, 3},        {u"Posting_Date"_s, 2},
            {u"Check_No"_s, 4},        {u"Clearing_Date"_s, 5},    {u"Pay_date"_s, 6},
            {u"Clearing_Doc"_s, 7},    {u"Deka_Number"_s, 8},      {u"Deka_Status"_s, 9},
            {u"Vendor_Name"_s, 10},    {u"Description_Erp"_s, 11}, {u"Fund_ERP"_s, 17},
            {u"Functional_Area"_s, 18}};
}

QList<int> keyColumns(ImportKind kind)
{
    switch (kind) {
    case ImportKind::Kvsis:
        return {2};
    case ImportKind::StopDays:
        return {1};
    case ImportKind::Erp:
        break;
    }
    return {1, 3};
}

QString rowKey(ImportKind kind, const QStringList &stored)
{
    if (kind == ImportKind::Erp)
        return stored.value(1) + u'|' + stored.value(3);
    return stored.value(kind == ImportKind::Kvsis ? 2 : 1);
}

// A row: preview index -> sheet text. Unset columns get a harmless value, keys a unique one.
using RowLayout = QMap<int, QString>;

// A unique key of the form the import's workbook holds, so that the sheet passes for one.
QString defaultKey(ImportKind kind, int cell, int n)
{
    if (kind == ImportKind::Erp)
        return cell == 3 ? u"F%1"_s.arg(n) : u"2017"_s;
    return u"QDTX2560/%1"_s.arg(n, 5, 10, QLatin1Char('0'));
}

class Builder {
public:
    Builder(ImportKind kind, bool fromFile)
        : kind_(kind), fromFile_(fromFile), layout_(importLayoutOf(kind))
    {
        // The headings the workbook carries above its rows.
        for (const ImportColumn &c : layout_.columns) {
            if (c.sheetCol > 0)
                sheet_.cells.insert({layout_.headerRow, c.sheetCol}, c.header);
        }
    }

    void add(RowLayout given, bool dayKnown)
    {
        const int n = sheet_.rows;
        for (const int k : keyColumns(kind_)) {
            if (given.contains(k))
                continue;
            if (kind_ == ImportKind::StopDays)
                given.insert(k, thaiDay(n));
            else
                given.insert(k, defaultKey(kind_, k, n));
        }
        const int sheetRow = layout_.firstRow + n;
        QStringList stored;
        for (int i = 0; i < layout_.columns.size(); ++i) {
            const ImportColumn &c = layout_.columns[i];
            if (c.take == ImportTake::Number) {
                stored << QString();
                continue;
            }
            const bool date = c.take == ImportTake::Date || c.take == ImportTake::DateOrCut;
            const QString raw = given.value(i, date ? kDate : kOther);
            sheet_.cells.insert({sheetRow, c.sheetCol}, raw);
            stored << storedText(previewCell(c, raw, fromFile_));
        }
        if (kind_ == ImportKind::StopDays)
            sheet_.cells.insert({sheetRow, layout_.endCol}, QString::number(n + 1));
        ++sheet_.rows;
        if (!dayKnown) {
            ++sheet_.notFound;
            return;
        }
        QMap<QString, QString> columns;
        for (const auto &[column, index] : storedColumns(kind_))
            columns.insert(column, stored.value(index));
        sheet_.expected.insert(rowKey(kind_, stored), columns);
    }

    HostileSheet done() { return sheet_; }
    const ImportLayout &layout() const { return layout_; }

private:
    ImportKind kind_;
    bool fromFile_;
    const ImportLayout &layout_;
    HostileSheet sheet_;
};

int count(db::Connection &c, const QString &table)
{
    db::Rows r = c.select(db::Statement{u"SELECT COUNT(*) AS n FROM "_s + table});
    r.next();
    return int(r.integer(u"n"_s));
}

} // namespace

QString storedText(const QString &s)
{
    // toUcs4 turns every half of a pair into U+FFFD.
    const QList<uint> ucs4 = s.toUcs4();
    return dropNul(
        QString::fromUcs4(reinterpret_cast<const char32_t *>(ucs4.constData()), ucs4.size()));
}

QList<HostileText> hostileTexts()
{
    QString longText;
    while (longText.size() < 300)
        longText += u"ยาว'long\"ก้"_s;
    longText.truncate(300);
    return {
        {"quote", u"O'Brien"_s},
        {"doubled quotes", u"it''s ''quoted'''"_s},
        {"statement break", u"x'); DELETE FROM TR_User; --"_s},
        {"sub-select", u"' || (select Password from TR_User) || '"_s},
        {"union", u"1' UNION SELECT UserName, Password FROM TR_User --"_s},
        {"backslash before quote", u"C:\\dir\\'x"_s},
        {"trailing backslash", u"abc\\"_s},
        {"Thai with stacked marks", u"กิ่้ม์ ปั๊้ม ญี่ปุ่น"_s},
        {"control characters", u"a\tb\nc\rd"_s + QChar(0x01) + u"e"_s + QChar(0x1F) + QChar(0x7F)},
        {"NUL inside", u"ab"_s + QChar(u'\0') + u"cd'"_s},
        {"emoji inside", u"ab😀c'd"_s},
        {"emojis only", u"😀👍🏽"_s},
        {"wildcards", u"50%_off"_s},
        {"comment", u"'; --"_s},
        {"look-alike quotes", u"‘’＇ʼ"_s},
        {"300 characters", longText},
        {"half pair at the end", u"abc"_s + QChar(0xD83D), false},
        {"half pair at the start", QChar(0xDE00) + u"'abc"_s, false},
        {"half pair before a quote", u"x"_s + QChar(0xD83D) + u"'); DROP TABLE TR_User; --"_s,
         false},
    };
}

HostileSheet hostileSheet(ImportKind kind, bool fromFile)
{
    Builder b(kind, fromFile);
    const ImportLayout &layout = b.layout();
    const QList<int> keys = keyColumns(kind);
    int n = 0;
    for (const HostileText &h : hostileTexts()) {
        if (fromFile && !h.inFile)
            continue;
        RowLayout given;
        for (int i = 1; i < layout.columns.size(); ++i) {
            const ImportTake take = layout.columns[i].take;
            if (take == ImportTake::Date || take == ImportTake::DateOrCut)
                continue;
            if (keys.contains(i) && kind == ImportKind::StopDays)
                continue; // the row must find its day
            given.insert(i, keys.contains(i) ? u"R%1:"_s.arg(n) + h.text : h.text);
        }
        b.add(given, true);
        ++n;
        if (kind == ImportKind::StopDays) // a hostile day: looked up, found nowhere
            b.add(RowLayout{{1, h.text}}, false);
    }

    // A character outside the basic plane just across, and just inside, every cut.
    for (int i = 1; i < layout.columns.size(); ++i) {
        const ImportColumn &c = layout.columns[i];
        if (c.take != ImportTake::Cut)
            continue;
        for (const int before : {c.maxChars - 1, c.maxChars - 2}) {
            if (before < 0)
                continue;
            QString pad = keys.contains(i) ? u"S%1-"_s.arg(n++) : QString();
            pad = pad.leftJustified(before, keys.contains(i) ? u'k' : u'x', true);
            b.add(RowLayout{{i, pad + kEmoji + u"tail"_s}},
                  !(kind == ImportKind::StopDays && keys.contains(i)));
        }
    }
    return b.done();
}

void addHostileDataRows()
{
    QTest::addColumn<QString>("backend");
    QTest::addColumn<int>("kind");
    for (const QString &backend : TestCatalog::backends()) {
        for (const auto &[name, kind] :
             {std::pair{"vouchers", ImportKind::Kvsis}, std::pair{"holidays", ImportKind::StopDays},
              std::pair{"erp", ImportKind::Erp}})
            QTest::addRow("%s %s", qPrintable(backend), name) << backend << int(kind);
    }
}

bool saveHostileWorkbook(const HostileSheet &sheet, const QString &path)
{
    if (path.endsWith(u".xlsx")) {
        QMap<int, QByteArray> rows;
        for (auto it = sheet.cells.cbegin(); it != sheet.cells.cend(); ++it)
            rows[it.key().first] += inlineTextCell(it.key().first, it.key().second, it.value());
        QByteArray sheetData;
        for (auto it = rows.cbegin(); it != rows.cend(); ++it)
            sheetData += "<row r=\"" + QByteArray::number(it.key()) + "\">" + it.value() + "</row>";
        return ZipWriter().addAll(xlsxParts(sheetData)).save(path);
    }
    XlsWriter w;
    for (auto it = sheet.cells.cbegin(); it != sheet.cells.cend(); ++it)
        w.text(it.key().first, it.key().second, it.value());
    return w.save(path);
}

void prepareHostileCatalog(db::Connection &c)
{
    c.execute(db::Statement{
        u"INSERT INTO TR_User (UserName, Password, U_Level) VALUES ('watch', 'se''cret', 9)"_s});
    for (int n = 0; n < 80; ++n) {
        const QDate d = QDate(2017, 1, 1).addDays(n);
        c.execute(db::Statement{
            u"INSERT INTO TR_Day_Calendar (D_YYYYMMDD, Eng_Day, Thai_Day, Name_Day, Day_Status, "
            "Day_Remark) VALUES ('%1', '', '%2', '', 'N', '')"_s.arg(
                QString::number(d.year() + 543) + d.toString(u"MMdd"_s), thaiDay(n))});
    }
}

QStringList hostileDifferences(db::Connection &c, ImportKind kind, const HostileSheet &sheet)
{
    QStringList out;
    const QString table = kind == ImportKind::Kvsis      ? u"Main_Deega_Control"_s
                          : kind == ImportKind::StopDays ? u"TR_Day_Calendar"_s
                                                         : u"M_Imp_ERP"_s;
    QMap<QString, QMap<QString, QString>> found;
    db::Rows rows = c.select(db::Statement{u"SELECT * FROM "_s + table});
    while (rows.next()) {
        QMap<QString, QString> columns;
        for (const auto &[column, index] : storedColumns(kind))
            columns.insert(column, rows.text(column));
        QString key = kind == ImportKind::Erp
                          ? columns.value(u"Fiscal_Year"_s) + u'|' + columns.value(u"FI_Doc_No"_s)
                          : columns.value(kind == ImportKind::Kvsis ? u"Doc_PK"_s : u"Thai_Day"_s);
        // A day key built from half a character would show as U+FFFD.
        for (const QString &derived : {u"DocNoDate_YYYYMMDD"_s, u"Modified_Date_YYYYMMDD"_s}) {
            if (rows.has(derived) && rows.text(derived).contains(QChar(0xFFFD)) &&
                !columns.value(u"DocNoDate"_s).contains(QChar(0xFFFD)) &&
                !columns.value(u"Modified_Date"_s).contains(QChar(0xFFFD)))
                out << u"%1: %2 holds half a character"_s.arg(key, derived);
        }
        found.insert(key, columns);
    }
    for (auto it = sheet.expected.cbegin(); it != sheet.expected.cend(); ++it) {
        if (!found.contains(it.key())) {
            out << u"row %1 is missing"_s.arg(it.key());
            continue;
        }
        const QMap<QString, QString> &have = found[it.key()];
        for (auto col = it->cbegin(); col != it->cend(); ++col) {
            if (have.value(col.key()) != col.value())
                out << u"row %1, %2: stored \"%3\", expected \"%4\""_s.arg(
                    it.key(), col.key(), have.value(col.key()), col.value());
        }
    }
    if (kind != ImportKind::StopDays && found.size() != sheet.expected.size())
        out << u"%1 rows stored, %2 expected"_s.arg(found.size()).arg(sheet.expected.size());

    db::Rows users = c.select(db::Statement{u"SELECT * FROM TR_User"_s});
    int n = 0;
    while (users.next()) {
        ++n;
        if (users.text(u"UserName"_s) != u"watch"_s || users.text(u"Password"_s) != u"se'cret"_s)
            out << u"the user table was changed"_s;
    }
    if (n != 1 || count(c, u"TR_User"_s) != 1)
        out << u"the user table holds %1 rows"_s.arg(n);
    return out;
}
