#pragma once

// The guarantee notice in the print preview: from there the user prints it, chooses a printer,
// or saves the page as a PDF file.

#include "util/NoticeValues.h"

#include <QString>
#include <functional>

class Dialogs;
class QWidget;

// Names the PDF file to write (a name is suggested); empty when the user gives none.
using ChoosePdfFile = std::function<QString(QWidget *parent, const QString &suggested)>;

// The standard save dialog.
QString askPdfFile(QWidget *parent, const QString &suggested);

// Shows both copies of the notice; returns when the preview is closed. Its button
// "บันทึกเป็น PDF" (object name actSavePdf) writes the page to the file choosePdf names.
void previewNotice(QWidget *parent, const NoticeValues &values, Dialogs &dialogs,
                   const ChoosePdfFile &choosePdf);
