#include "core/Criteria.h"

#include "data/Statement.h"
#include "util/Utility.h"

namespace criteria {

QString criterionLine(const Criterion &c, const QStringList &values)
{
    const QString first = values.value(0);
    switch (c.input) {
    case Input::DateRange:
        return c.before + db::sqlText(Day_Key(first)) + c.between +
               db::sqlText(Day_Key(values.value(1))) + c.after;
    case Input::Choice:
        return c.before + db::sqlText(c.take > 0 ? leftChars(first, c.take) : first) + c.after;
    case Input::Text:
    case Input::Date:
        break;
    }
    return c.before + db::sqlText(first) + c.after;
}

QStringList criteriaLines(const QList<Criterion> &list, const Entered &entered)
{
    QStringList lines;
    for (qsizetype i = 0; i < list.size() && i < entered.size(); ++i) {
        if (entered.at(i))
            lines << criterionLine(list.at(i), *entered.at(i));
    }
    return lines;
}

} // namespace criteria
