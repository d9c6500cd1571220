#include "print/ThaiFace.h"

#include <QFontDatabase>
#include <QStringList>

namespace print {

QString interfaceThaiFace()
{
    const QStringList thai = QFontDatabase::families(QFontDatabase::Thai);
    for (const char *wanted : {"Tahoma", "Leelawadee UI", "Loma", "Garuda", "Norasi", "Kinnari"}) {
        for (const QString &family : thai) {
            if (family.compare(QLatin1String(wanted), Qt::CaseInsensitive) == 0)
                return family;
        }
    }
    return thai.value(0);
}

} // namespace print
