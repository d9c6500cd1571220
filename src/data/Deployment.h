#pragma once

// The values a deployment chooses: where the catalog is, how the program logs in to it, and the
// organisation's own texts. They live in one INI file in the standard configuration folder;
// with no file at all the program runs on its embedded catalog.

#include "data/Catalog.h"

#include <QString>

struct Deployment {
    db::CatalogLocation catalog;

    QString serverShortName; // shown in the status bar beside the catalog's name
    QString adminExtension;  // the administrator's telephone extension, in failure messages

    // The guarantee notice and the background picture.
    struct Organisation {
        QString name;              // in the web notice
        QString webAddress;        // the cheque-appointment page
        QString building;          // the division's building
        QString campusProvince;    // campus and province
        QString contactStaff;      // names of the contact staff
        QString telephones;        // the division's telephone numbers
        QString chequeCentrePhone; // the bank cheque centre's number and keys to press
        QString emblemPath;        // picture file; empty: the program's own placeholder
        QString title;             // the system's title on the background picture
    } organisation;

    // The service-level summary's target in working days, unless the user types another.
    int summaryTarget = 3;

    // The catalog's name on a server, and the password the program logs in with, unless the
    // file says otherwise.
    static const QString DefaultDatabase;
    static const QString DefaultPassword;

    // ~/.config/vostrel/vostrel.ini (the standard configuration folder).
    static QString defaultFile();
    // ~/.local/share/vostrel/catalog.sqlite (the user's data folder).
    static QString defaultCatalogPath();

    // A missing file gives the defaults. Throws db::Error for a file that names an unknown
    // back end.
    static Deployment load(const QString &file = defaultFile());
    void save(const QString &file = defaultFile()) const;
};
