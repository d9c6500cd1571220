#pragma once

// The parts of a zip package (an .xlsx workbook) as XML, each unpacked only as it is read and
// within fixed sizes: a small file that would unpack to gigabytes is refused part-way, never
// unpacked whole. Every failure is an Error with the Thai message for the file.

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>
#include <memory>

struct zip;

namespace spreadsheet {

class ZipPartDevice;

// The most one part, and all parts read together, may unpack to.
struct ZipLimits {
    qint64 partBytes = qint64(256) << 20;
    qint64 packageBytes = qint64(512) << 20;
};

class ZipPackage {
public:
    // The zip held in bytes, which must outlive the package. path names the file in messages.
    // Throws Error (damaged) when the bytes are no zip.
    ZipPackage(const QByteArray &bytes, const QString &path, const ZipLimits &limits = {});
    ~ZipPackage();
    ZipPackage(const ZipPackage &) = delete;
    ZipPackage &operator=(const ZipPackage &) = delete;

    // Whether the package holds the part; names compare without regard to letter case, as
    // package part names do.
    bool has(const QString &name) const;

    const QString &path() const { return path_; }

private:
    friend class XmlPart;
    std::unique_ptr<ZipPartDevice> open(const QString &name);

    ::zip *zip_ = nullptr;
    QString path_;
    ZipLimits limits_;
    qint64 unpacked_ = 0; // by every part read so far
};

// One part read as XML, start to end. A document type declaration is refused (no part of a
// workbook has one, and its entities are how a small part grows huge).
class XmlPart {
public:
    // Throws Error (damaged) when the package has no such part.
    XmlPart(ZipPackage &package, const QString &name);
    ~XmlPart();
    XmlPart(const XmlPart &) = delete;
    XmlPart &operator=(const XmlPart &) = delete;

    // Moves to the root element; throws Error (damaged) unless its local name is root.
    void enterRoot(QStringView root);

    // Ends the read: reads what is left of the part (so that its checksum is checked) and
    // throws Error for a malformed document, a damaged part or one too large.
    void finish();

    QXmlStreamReader xml;

private:
    [[noreturn]] void fail();

    ZipPackage &package_;
    std::unique_ptr<ZipPartDevice> device_;
};

} // namespace spreadsheet
