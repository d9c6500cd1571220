#pragma once

// What one guarantee notice shows, as ready texts. The core fills it from a stored document and
// the deployment's settings; the page draws it. It sits here because neither of those layers
// may reach the other.

#include <QString>
#include <array>

struct NoticeValues {
    QString key;                        // QRL_DocNo, QRL_DocNo1
    QString amountText;                 // QRL_No_Money: "1,234.50 (...บาท...)"
    std::array<QString, 4> chequePlace; // the four lines of the box on the right
    // The document's columns, as stored.
    QString toWho;     // To_Who
    QString fromSite;  // FromSite
    QString topic;     // Topic
    QString fromUnit;  // From_Unit
    QString vendorFax; // Vendor_Fax
    QString vendorTel; // Vendor_Tel
    // The organisation's.
    QString organisationName; // ends the web notice
    QString webAddress;       // the cheque-appointment page
    QString emblemPath;       // picture file; empty or unreadable: a drawn seal
};
