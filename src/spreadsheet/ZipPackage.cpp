#include "spreadsheet/ZipPackage.h"

#include "spreadsheet/Workbook.h"

#include <QIODevice>
#include <zip.h>

namespace spreadsheet {

// One part, unpacked as it is read. Whatever goes wrong makes the read end (read gives -1)
// and is kept, for XmlPart to name: the parser sees only a document cut short.
class ZipPartDevice final : public QIODevice {
public:
    enum Problem { None, Damaged, TooLarge };

    ZipPartDevice(zip_file_t *file, const ZipLimits &limits, qint64 &packageUnpacked)
        : file_(file), limits_(limits), packageUnpacked_(packageUnpacked)
    {
        open(QIODevice::ReadOnly);
    }
    ~ZipPartDevice() override { zip_fclose(file_); }
    ZipPartDevice(const ZipPartDevice &) = delete;
    ZipPartDevice &operator=(const ZipPartDevice &) = delete;

    bool isSequential() const override { return true; }
    // A sequential device is at its end when nothing is buffered, unless told otherwise: the
    // part ends only where the zip library says it does.
    bool atEnd() const override
    {
        return (ended_ || problem_ != None) && QIODevice::bytesAvailable() == 0;
    }
    Problem problem() const { return problem_; }

    // Reads to the end of the part: the checksum is checked only there.
    void drain()
    {
        char buffer[16384];
        while (readData(buffer, sizeof buffer) > 0) {
        }
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (problem_ != None || ended_)
            return -1;
        if (maxSize <= 0)
            return 0; // a zero-sized read says nothing of the end
        const zip_int64_t n = zip_fread(file_, data, zip_uint64_t(maxSize));
        if (n < 0) {
            problem_ = Damaged; // a checksum that does not match, data cut short, ...
            return -1;
        }
        if (n == 0) {
            ended_ = true;
            return -1;
        }
        unpacked_ += n;
        packageUnpacked_ += n;
        if (unpacked_ > limits_.partBytes || packageUnpacked_ > limits_.packageBytes) {
            problem_ = TooLarge;
            return -1;
        }
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    zip_file_t *file_;
    const ZipLimits limits_;
    qint64 &packageUnpacked_;
    qint64 unpacked_ = 0;
    Problem problem_ = None;
    bool ended_ = false;
};

ZipPackage::ZipPackage(const QByteArray &bytes, const QString &path, const ZipLimits &limits)
    : path_(path), limits_(limits)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source =
        zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    if (source)
        zip_ = zip_open_from_source(source, ZIP_RDONLY, &error);
    zip_error_fini(&error);
    if (!zip_) {
        if (source)
            zip_source_free(source);
        throw Error(damagedMessage(path));
    }
}

ZipPackage::~ZipPackage()
{
    zip_discard(zip_);
}

bool ZipPackage::has(const QString &name) const
{
    return !name.isEmpty() && zip_name_locate(zip_, name.toUtf8().constData(), ZIP_FL_NOCASE) >= 0;
}

std::unique_ptr<ZipPartDevice> ZipPackage::open(const QString &name)
{
    const zip_int64_t index =
        name.isEmpty() ? -1 : zip_name_locate(zip_, name.toUtf8().constData(), ZIP_FL_NOCASE);
    if (index < 0)
        throw Error(damagedMessage(path_));
    zip_stat_t stat;
    if (zip_stat_index(zip_, zip_uint64_t(index), 0, &stat) == 0) {
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
            throw Error(encryptedMessage(path_));
        // What the directory says the part unpacks to is checked first; what it really unpacks
        // to, as it is read.
        if ((stat.valid & ZIP_STAT_SIZE) && stat.size > zip_uint64_t(limits_.partBytes))
            throw Error(tooLargeMessage(path_));
    }
    zip_file_t *file = zip_fopen_index(zip_, zip_uint64_t(index), 0);
    if (!file)
        throw Error(damagedMessage(path_));
    return std::make_unique<ZipPartDevice>(file, limits_, unpacked_);
}

XmlPart::XmlPart(ZipPackage &package, const QString &name)
    : package_(package), device_(package.open(name))
{
    xml.setDevice(device_.get());
}

XmlPart::~XmlPart() = default;

void XmlPart::enterRoot(QStringView root)
{
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD:
            fail();
            break;
        case QXmlStreamReader::StartElement:
            if (xml.name() != root)
                fail();
            return;
        default:
            break;
        }
    }
    finish();
    fail(); // a part with no element at all
}

void XmlPart::finish()
{
    if (!xml.hasError())
        device_->drain();
    switch (device_->problem()) {
    case ZipPartDevice::None:
        break;
    case ZipPartDevice::Damaged:
        fail();
        break;
    case ZipPartDevice::TooLarge:
        throw Error(tooLargeMessage(package_.path()));
    }
    if (xml.hasError())
        fail();
}

void XmlPart::fail()
{
    throw Error(damagedMessage(package_.path()));
}

} // namespace spreadsheet
