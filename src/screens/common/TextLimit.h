#pragma once

class QLineEdit;

// Limits an edit box to maxChars QString units, as setMaxLength does, without ever keeping half
// of a character: Qt cuts typed or pasted text at the limit even inside a surrogate pair (an
// emoji), and the half left at the end would be no text at all.
void limitLength(QLineEdit *edit, int maxChars);
