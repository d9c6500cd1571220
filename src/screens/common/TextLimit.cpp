#include "screens/common/TextLimit.h"

#include <QLineEdit>
#include <QValidator>

namespace {

// Takes out every half of a surrogate pair; QLineEdit applies the change to its text.
class WholeCharacters final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override
    {
        for (qsizetype i = input.size() - 1; i >= 0; --i) {
            const QChar c = input.at(i);
            const bool paired =
                (c.isHighSurrogate() && i + 1 < input.size() && input.at(i + 1).isLowSurrogate()) ||
                (c.isLowSurrogate() && i > 0 && input.at(i - 1).isHighSurrogate());
            if ((c.isHighSurrogate() || c.isLowSurrogate()) && !paired) {
                input.remove(i, 1);
                if (pos > i)
                    --pos;
            }
        }
        return Acceptable;
    }
};

} // namespace

void limitLength(QLineEdit *edit, int maxChars)
{
    edit->setMaxLength(maxChars);
    edit->setValidator(new WholeCharacters(edit));
}
