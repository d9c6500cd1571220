#pragma once

// The five workflow stage screens as data (their search, grid and fields) and the rules of the
// receipt screen, which alone can also insert a new document.

#include "core/Browse.h"

#include <QString>
#include <QStringList>

namespace db {
class Connection;
class Statement;
} // namespace db

namespace deega_veq {
browse::Shape shape();
// A typed key of other than 14 characters becomes "QDTX" + the year of todayThai + "/" +
// the typed text zero-filled to five characters.
QString completeKey(const QString &typed, const QString &todayThai);
db::Statement officerListStatement();
db::Statement docTypeListStatement();
db::Statement officerStatement(const QString &code);
db::Statement insertStatement(const QString &key, const QString &code, const QString &registerNo,
                              const QString &company, const QString &remark, const QString &type);
// A keyed-in document: the receipt's fields as entered (codes cut from the combo texts). False
// when the key was written meanwhile by another station: the caller saves it as an update.
bool insertDocument(db::Connection &c, const QString &key, const browse::Entered &entered);
// The combo items: code + " " + name, in the order of the two list statements.
QStringList officerItems(db::Connection &c);
QStringList docTypeItems(db::Connection &c);
// Whether the code names a row of TR_PerSon.
bool officerKnown(db::Connection &c, const QString &code);
} // namespace deega_veq

namespace deega_no {
browse::Shape shape();
// The places offered for collecting the cheque, in this order.
QStringList chequePlaces();
} // namespace deega_no

namespace nud_rec_cheq {
browse::Shape shape();
// A stored flag reads as ticked unless it is "N".
bool tickedFrom(const QString &storedFlag);
} // namespace nud_rec_cheq

namespace lastday_into_fin {
browse::Shape shape();
}

namespace doc_no {
browse::Shape shape();
// The fiscal year box shows the stored year, or the session's when none is stored.
QString fiscalYearShown(const QString &stored, const QString &sessionFiscalYear);
} // namespace doc_no
