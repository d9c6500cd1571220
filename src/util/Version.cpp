#include "util/Version.h"

QString programVersion()
{
    return QStringLiteral(VOSTREL_VERSION);
}
