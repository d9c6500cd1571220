#pragma once

#include <QLineEdit>

// The masked date, month-year and year boxes. Only digits go into the digit places; the
// separators are fixed. text() reads every position with unfilled places as blanks, so an
// untouched date box reads "  /  /    " (QLineEdit::text() would give "//"). Hold these
// as MaskEdit *: text(), setText() and clear() hide, not override, QLineEdit's.
class MaskEdit : public QLineEdit {
    Q_OBJECT

public:
    enum class Kind {
        Date,      // dd/mm/yyyy
        MonthYear, // mm/yyyy
        Year       // yyyy
    };

    explicit MaskEdit(Kind kind, QWidget *parent = nullptr);

    Kind kind() const { return kind_; }

    QString text() const;
    // Fills the places left to right; a separator in the text lines up with the mask's, a
    // blank or '_' leaves its place empty, and anything else that is not a digit is dropped.
    void setText(const QString &text);
    void clear();

private:
    Kind kind_;
};
