#pragma once

// The values of a guarantee notice: the stored document's columns, its amount in figures and
// words, the cheque-place lines of the bank or of the finance section, and the organisation's
// texts from the deployment settings.

#include "data/Deployment.h"
#include "util/NoticeValues.h"

#include <QString>
#include <array>
#include <optional>

namespace db {
class Connection;
}

namespace guarantee {

// The amount with thousands separators and two decimals, then its words in brackets:
// 1234.5 -> "1,234.50 (หนึ่งพันสองร้อยสามสิบสี่บาทห้าสิบสตางค์)".
QString noticeAmountText(double amount);

// The four lines saying where the cheque is collected: at the bank's cheque centre, or at the
// division's finance section. A setting left empty prints as a dotted blank.
std::array<QString, 4> chequePlaceLines(bool bank, const Deployment::Organisation &organisation);

// The notice of the document with the key, read with loadStatement; nullopt when no document
// has it. bank: the place chosen at printing; none: the place stored with the document.
std::optional<NoticeValues> notice(db::Connection &c, const QString &key,
                                   const Deployment::Organisation &organisation,
                                   std::optional<bool> bank = std::nullopt);

// Why there is no notice to print for the key.
QString noticeMissing(const QString &key);

} // namespace guarantee
