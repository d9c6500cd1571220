#include "util/DelimitedText.h"

namespace delimited {

QList<Record> parse(const QString &text, QChar separator)
{
    QList<Record> records;
    const qsizetype n = text.size();
    qsizetype i = 0;
    int line = 1;
    while (i < n) {
        Record r;
        r.line = line;
        bool more = true; // another field follows in this record
        while (more) {
            more = false;
            if (i < n && text[i] == u'"') {
                const int opened = line;
                QString value;
                ++i;
                for (;;) {
                    if (i >= n)
                        throw Error(QStringLiteral("บรรทัด %1: เครื่องหมายคำพูด (\") ที่เปิดไว้ไม่มีตัวปิด")
                                        .arg(opened));
                    const QChar c = text[i++];
                    if (c == u'"') {
                        if (i < n && text[i] == u'"') {
                            value += u'"';
                            ++i;
                            continue;
                        }
                        break;
                    }
                    if (c == u'\n')
                        ++line;
                    value += c;
                }
                r.fields.append(value);
                if (i < n && text[i] == separator) {
                    ++i;
                    more = true;
                } else if (i < n && text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n') {
                    i += 2;
                    ++line;
                } else if (i < n && text[i] == u'\n') {
                    ++i;
                    ++line;
                } else if (i < n) {
                    throw Error(
                        QStringLiteral("บรรทัด %1: มีอักษรต่อท้ายหลังเครื่องหมายคำพูดปิด (\")").arg(line));
                }
            } else {
                const qsizetype start = i;
                while (i < n && text[i] != separator && text[i] != u'\n' &&
                       !(text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n'))
                    ++i;
                const QString value = text.mid(start, i - start);
                r.fields.append(value.isEmpty() ? Field() : Field(value));
                if (i < n && text[i] == separator) {
                    ++i;
                    more = true;
                } else if (i < n) {
                    i += text[i] == u'\r' ? 2 : 1;
                    ++line;
                }
            }
            // A separator at the very end leaves one more empty field.
            if (more && i >= n) {
                r.fields.append(Field());
                more = false;
            }
        }
        records.append(std::move(r));
    }
    return records;
}

QString field(const Field &value, QChar separator)
{
    if (!value)
        return {};
    const QString &v = *value;
    const bool quote = v.isEmpty() || v.contains(separator) || v.contains(u'"') ||
                       v.contains(u'\n') || v.contains(u'\r') || v.front().isSpace() ||
                       v.back().isSpace();
    if (!quote)
        return v;
    QString out = v;
    out.replace(u'"', QStringLiteral("\"\""));
    return u'"' + out + u'"';
}

QString record(const QList<Field> &values, QChar separator)
{
    QString out;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            out += separator;
        out += field(values[i], separator);
    }
    return out;
}

} // namespace delimited
