#pragma once

// Writes zip packages byte for byte as the tests want them: deflated or stored entries, and
// headers that lie about what an entry unpacks to. With xlsxParts, a small .xlsx to bend.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

class ZipWriter {
public:
    // An entry, deflated unless stored; claimedSize >= 0 is written as its unpacked size
    // in place of the true one.
    ZipWriter &add(const QString &name, const QByteArray &data, bool deflate = true,
                   qint64 claimedSize = -1);
    // Every part of the map, deflated.
    ZipWriter &addAll(const QMap<QString, QByteArray> &parts);
    // Marks the last entry encrypted (its data stays as it is).
    ZipWriter &encryptLast();

    QByteArray bytes() const;
    bool save(const QString &path) const;

private:
    struct Entry {
        QByteArray name;
        QByteArray packed;
        quint32 crc = 0;
        quint32 size = 0;
        bool deflated = true;
        bool encrypted = false;
    };
    QList<Entry> entries_;
};

// The parts of a small .xlsx workbook: one worksheet whose sheetData holds rows, shared
// strings sst (the content of the sst element; no part when empty) and cell styles cellXfs
// with the workbook's own formats numFmts (no part when both are empty).
QMap<QString, QByteArray> xlsxParts(const QByteArray &rows, const QByteArray &sst = {},
                                    const QByteArray &numFmts = {}, const QByteArray &cellXfs = {});

// A cell of a worksheet holding text inline, at row and col (from 1), any UTF-16 units
// carried: what XML cannot hold goes as _xHHHH_, as spreadsheet programs write it.
QByteArray inlineTextCell(int row, int col, const QString &text);
