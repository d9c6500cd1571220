#include "core/Criteria.h"

#include "core/Messages.h"
#include "data/Statement.h"
#include "util/Utility.h"

namespace criteria {

namespace {

// Whether the line's value stands inside a LIKE pattern: a typed "%" or "_" must match itself.
bool isPattern(const Criterion &c)
{
    return c.before.contains(QLatin1String("like"), Qt::CaseInsensitive);
}

// A day as a fully typed box gives it; any other text as it is.
QString boxedDay(const QString &text)
{
    const QDate day = typedDayOf(text);
    return day.isValid() ? thaiDateText(day) : text;
}

} // namespace

QString criterionLine(const Criterion &c, const QStringList &values)
{
    const bool isDay = c.input == Input::Date || c.input == Input::DateRange;
    const QString first = isDay ? boxedDay(values.value(0)) : values.value(0);
    const auto literal = [&c](const QString &value) {
        return isPattern(c) ? db::likeText(value) : db::sqlText(value);
    };
    switch (c.input) {
    case Input::DateRange:
        return c.before + literal(Day_Key(first)) + c.between +
               literal(Day_Key(boxedDay(values.value(1)))) + c.after;
    case Input::Choice:
        return c.before + literal(c.take > 0 ? leftChars(first, c.take) : first) + c.after;
    case Input::Text:
    case Input::Date:
    case Input::MonthYear:
        break;
    }
    return c.before + literal(first) + c.after;
}

Criterion makeCriterion(const QString &checkBox, const QString &caption, const QString &field,
                        Input input, const QString &before, const QString &after)
{
    Criterion c;
    c.checkBox = checkBox;
    c.caption = caption;
    c.field = field;
    c.input = input;
    c.before = before;
    c.after = after;
    return c;
}

QString initialText(const Criterion &c, const QString &todayThai, const QStringList &items)
{
    switch (c.initial) {
    case Initial::TodayThai:
        return todayThai;
    case Initial::TodayMonthYear:
        return todayThai.mid(3, 7);
    case Initial::TodayYear:
        return todayThai.mid(6, 4);
    case Initial::FirstItem:
        // The code + " " + name of a catalog list's first row; with no row, of empty fields.
        if (items.isEmpty() && c.source != Items::Fixed)
            return QStringLiteral(" ");
        return items.value(0);
    case Initial::Text:
        return c.initialText;
    case Initial::Empty:
        break;
    }
    return {};
}

std::optional<DateProblem> dateProblem(const QList<Criterion> &list, const Entered &entered)
{
    for (qsizetype i = 0; i < list.size() && i < entered.size(); ++i) {
        const Criterion &c = list.at(i);
        if (!entered.at(i))
            continue;
        const QStringList &values = *entered.at(i);
        switch (c.input) {
        case Input::Date:
        case Input::DateRange:
            for (int box = 0; box < (c.input == Input::DateRange ? 2 : 1); ++box) {
                const QString text = values.value(box);
                // An untouched box searches as it always has, and finds what it finds.
                if (!isBlankOrDay(text)) {
                    const QString caption =
                        box == 0 ? c.caption : QStringLiteral("%1 %2").arg(c.caption, c.label2);
                    return DateProblem{i, box, msg::notADay(caption.trimmed(), text)};
                }
            }
            break;
        case Input::MonthYear:
            if (!isBlankDateText(values.value(0)) && !isMonthYearText(values.value(0)))
                return DateProblem{i, 0, msg::notAMonth(c.caption, values.value(0))};
            break;
        case Input::Text:
        case Input::Choice:
            break;
        }
    }
    return std::nullopt;
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

QStringList enteredTexts(const QList<Criterion> &list, const Entered &entered)
{
    QStringList lines;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const Criterion &c = list.at(i);
        const std::optional<QStringList> values = entered.value(i);
        if (!values) {
            if (c.toggle == Switch::RadioPair)
                lines << c.offCaption;
            continue;
        }
        QString value = values->value(0).trimmed();
        if (c.input == Input::DateRange) {
            const QString to = c.label2.isEmpty() ? QStringLiteral("-") : c.label2;
            value += u' ' + to + u' ' + values->value(1).trimmed();
        }
        lines << c.caption + QStringLiteral(": ") + value;
    }
    return lines;
}

} // namespace criteria
