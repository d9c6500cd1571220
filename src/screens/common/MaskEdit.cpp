#include "screens/common/MaskEdit.h"

namespace {

constexpr QChar kBlank = u'_';

QString maskFor(MaskEdit::Kind kind)
{
    // Qt's '0' is an optional digit: an incomplete date stays acceptable input, so
    // returnPressed and editingFinished still fire and leaving the box is never refused.
    switch (kind) {
    case MaskEdit::Kind::Date:
        return QStringLiteral("00/00/0000;_");
    case MaskEdit::Kind::MonthYear:
        return QStringLiteral("00/0000;_");
    case MaskEdit::Kind::Year:
        break;
    }
    return QStringLiteral("0000;_");
}

} // namespace

MaskEdit::MaskEdit(Kind kind, QWidget *parent) : QLineEdit(parent), kind_(kind)
{
    setInputMask(maskFor(kind));
}

QString MaskEdit::text() const
{
    // Digits never equal the blank character, so every '_' shown is an unfilled place.
    QString shown = displayText();
    shown.replace(kBlank, u' ');
    return shown;
}

void MaskEdit::setText(const QString &text)
{
    QLineEdit::setText(text);
}

void MaskEdit::clear()
{
    QLineEdit::clear();
}
