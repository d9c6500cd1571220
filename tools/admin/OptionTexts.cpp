#include "admin/OptionTexts.h"

#include "util/ThaiDate.h"

#include <QRegularExpression>

namespace admin {

bool isDateText(const QString &text)
{
    return typedDayOf(text).isValid();
}

QString dateOption(const QString &text)
{
    return thaiDateText(typedDayOf(text));
}


bool isYearText(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^[0-9]{4}$"));
    return form.match(text).hasMatch();
}

QString notDateText(const QString &option, const QString &text)
{
    return QStringLiteral("%1: \"%2\" ไม่ใช่วันที่ที่มีจริงในรูป DD/MM/YYYY (ปี พ.ศ.)").arg(option, text);
}

QString notMonthYearText(const QString &option, const QString &text)
{
    return QStringLiteral("%1: \"%2\" ไม่ใช่เดือนปีในรูป MM/YYYY (ปี พ.ศ.)").arg(option, text);
}

QString notYearText(const QString &option, const QString &text)
{
    return QStringLiteral("%1: \"%2\" ไม่ใช่ปี พ.ศ. สี่หลัก (YYYY)").arg(option, text);
}

} // namespace admin
