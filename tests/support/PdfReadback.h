#pragma once

// A PDF read back as a reader would: its page count and size (pdfinfo) and its text (pdftotext),
// both from poppler-utils.

#include <QString>

struct PdfReadback {
    QString problem; // why the file could not be read; empty when it was
    int pages = 0;
    QString pageSize; // as pdfinfo gives it, e.g. "595.276 x 841.89 pts (A4)"
    QString text;
};

PdfReadback readPdf(const QString &file);

// How often needle occurs in text, occurrences not overlapping.
int occurrences(const QString &text, const QString &needle);
