#pragma once

// Contract-guarantee money without its windows: the documents' keys and their safe yearly
// numbering, the new-document insert and the edit, the finder's search and the load, and the
// cheque receipt that closes a document. Guarantee rows live in Main_Deega_Control beside the
// vouchers; their key has "ส" at character 5 (or 7, in an earlier layout).

#include "core/Criteria.h"
#include "core/Loaded.h"
#include "data/Statement.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace db {
class Connection;
}

namespace guarantee {

// The values of the entry form, as typed.
struct Form {
    QString fromSite;    // edtFromSite
    QString topic;       // edtTopic
    QString fromUnit;    // edtFrom_Unit
    QString amount;      // edtNo_Money, e.g. "1,500.00"
    QString vendorFax;   // edtVendor_Fax
    QString vendorTel;   // edtVendor_Tel
    QString toWho;       // edtTo_Who
    QString docNoDate;   // edtDocNoDate, "dd/mm/yyyy" or the blank mask
    QString dateIntoFin; // edtDate_Into_Fin
    QString remark;      // edtDeega_Remark
    bool bank = true;    // RadioButton1: the cheque is collected at the bank
};

inline constexpr int LastNumber = 9999999; // seven digits

// The two lines every guarantee selection starts with.
QStringList conditionLines();
// The finder's four filters (CheckBox1 .. CheckBox4).
QList<criteria::Criterion> finderCriteria();

// "0" for the bank, "1" for the division's finance section.
QString placeFlag(bool bank);

// The first check a save fails: its message, and the box at fault (its object name); an empty
// message when the form may be saved. Each date box is empty or holds a real day.
struct FormProblem {
    QString message;
    QString box;
};
FormProblem formProblem(const Form &form);
QString formError(const Form &form);

// The amount as the statement writes it: commas removed, "0" for an empty box; nullopt for a
// text that is no plain decimal number.
std::optional<QString> amountLiteral(const QString &typed);
// An amount shown with thousands separators and two decimals: 1234.5 -> "1,234.50".
QString moneyText(double amount);
// The amount box after Enter; nullopt when the text is no number.
std::optional<QString> reformatAmount(const QString &typed);
inline const QString AmountNotNumber =
    QStringLiteral("จำนวนเงินต้องเป็นตัวเลข เช่น 1,500.00 กรุณาแก้ไขก่อนบันทึก");

// year (4 characters) + "ส" + the number zero-filled to 7 digits.
QString key(const QString &year, qint64 number);
// Whether a document key is a guarantee document's: "ส" at character 5 or 7.
bool isKey(const QString &documentKey);

db::Statement counterStatement(const QString &year, const QString &rowLock = {});
db::Statement counterUpdateStatement(const QString &year, qint64 number);
db::Statement counterInsertStatement(const QString &year);
db::Statement insertStatement(const QString &key, const Form &form, const QString &amount);
db::Statement updateStatement(const QString &key, const Form &form, const QString &amount);

struct Stored {
    Form form; // the amount shown as moneyText
    QString modifiedDate;
    loaded::Row shown; // the stored texts of the columns the screens show
};

// The columns the entry screen shows, with the captions of their boxes; the cheque receipt shows
// the exit date (Modified_Date) too.
QList<loaded::Shown> formColumns();
QList<loaded::Shown> receiptColumns();
// A form column's caption ("FromSite" -> "บริษัท/ห้าง/ร้าน/บุคคลธรรมดา").
QString captionOf(const char *column);

// Saves a new document under the next number of the year (characters 7-10 of todayThai) and
// gives its key. The draw of the number and the insert are one transaction that holds the
// year's counter: no two stations build the same key, and a failed insert leaves the counter as
// it was (db::Error with the server's message). A year whose counter is full, or a form that
// fails its checks, is refused with db::Error and its Thai message; nothing is written.
QString saveNew(db::Connection &c, const Form &form, const QString &todayThai);

// Updates the document's form values; its key, DocNumber and dates of entry stay. Gives whether
// the document was still there.
bool saveEdit(db::Connection &c, const QString &key, const Form &form);
// The same edit of a document as the screen loaded it: written only while every box the entry
// screen shows still holds what was loaded (see loaded::writeOver).
loaded::Outcome saveEdit(db::Connection &c, const QString &key, const Form &form,
                         const Stored &was, QList<loaded::Change> *changed);

// The finder's search: the guarantee condition, the extra lines (the receipt screen's state),
// then one line per ticked filter.
db::Statement searchStatement(const criteria::Entered &filters, const QStringList &extra = {});
// The six grid columns of each row found: number, key, company, topic, invoice, amount.
QList<QStringList> search(db::Connection &c, const criteria::Entered &filters,
                          const QStringList &extra = {});
QStringList gridHeaders();
QList<int> gridWidths();

db::Statement loadStatement(const QString &key);
std::optional<Stored> load(db::Connection &c, const QString &key);
QString loadFailure(const QString &adminExtension);

// The cheque receipt: the state lines of the two lists, and the update that closes a document.
QString waitingLine();
QString finishedLine();
bool untouchedDate(const QString &text);
// The cheque receipt date box's caption, which its messages name.
inline const QString ReceiptDateCaption = QStringLiteral("วันที่นัดรับเช็ค");
db::Statement receiveStatement(const QString &key, const QString &date);
// Gives whether the document was still there. A date that is no real day is refused with
// db::Error and its Thai message.
bool receive(db::Connection &c, const QString &key, const QString &date);
// The receipt of a document as the screen loaded it, guarded as saveEdit is.
loaded::Outcome receive(db::Connection &c, const QString &key, const QString &date,
                        const Stored &was, QList<loaded::Change> *changed);

// The register: the documents entered on one day, in one month or in one year, by DocNoDate.
enum class RegisterBy { Day, Month, Year };
db::Statement registerStatement(RegisterBy by, const QString &text);
// Why the register cannot look for the text (no real day or month, no four-digit year), naming
// the choice by its caption; empty when it can.
QString registerProblem(RegisterBy by, const QString &text, const QString &caption);
// Six columns: number, key, date of entry, company, topic, invoice.
QList<QStringList> registerRows(db::Connection &c, RegisterBy by, const QString &text);
QStringList registerHeaders();
QList<int> registerWidths();

inline const QString NothingFound = QStringLiteral("ไม่มีข้อมูลที่ต้องการ");

} // namespace guarantee
