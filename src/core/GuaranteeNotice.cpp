#include "core/GuaranteeNotice.h"

#include "core/Guarantee.h"
#include "data/Connection.h"
#include "data/schema.h"
#include "util/Utility.h"

namespace guarantee {

namespace {

// The form's own way of leaving room to write by hand.
const QString Blank = QString(30, u'.');

QString orBlank(const QString &setting)
{
    return setting.trimmed().isEmpty() ? Blank : setting;
}

} // namespace

QString noticeAmountText(double amount)
{
    return moneyText(amount) + QStringLiteral(" (") + Amount_In_Words(amount) + QStringLiteral(")");
}

std::array<QString, 4> chequePlaceLines(bool bank, const Deployment::Organisation &o)
{
    if (bank)
        return {QStringLiteral("รับเช็คที่ ศูนย์จ่ายเช็คและรับวางบิลไทยพาณิชย์ รัชโยธิน"),
                QStringLiteral("รับได้ทุกวันทำการของธนาคาร"),
                QStringLiteral("ตั้งแต่เวลา 8.30 น. - 17.30 น."),
                QStringLiteral("เบอร์โทร ") + orBlank(o.chequeCentrePhone)};
    return {QStringLiteral("งานการเงิน กองคลัง ชั้น 3 ") + orBlank(o.building),
            orBlank(o.campusProvince), orBlank(o.contactStaff),
            QStringLiteral("Tel. ") + orBlank(o.telephones)};
}

std::optional<NoticeValues> notice(db::Connection &c, const QString &key,
                                   const Deployment::Organisation &organisation,
                                   std::optional<bool> bank)
{
    if (key.isEmpty())
        return std::nullopt;
    db::Rows row = c.select(loadStatement(key));
    if (!row.next())
        return std::nullopt;
    const auto t = [&row](const char *column) { return row.text(QLatin1String(column)); };
    NoticeValues v;
    v.key = key;
    const QString amount = QStringLiteral("No_Money");
    v.amountText = noticeAmountText(row.isNull(amount) ? 0.0 : row.number(amount));
    v.chequePlace = chequePlaceLines(
        bank.value_or(t("Place_Rec_Cheque") == schema::code::PlaceChequeBank), organisation);
    v.toWho = t("To_Who");
    v.fromSite = t("FromSite");
    v.topic = t("Topic");
    v.fromUnit = t("From_Unit");
    v.vendorFax = t("Vendor_Fax");
    v.vendorTel = t("Vendor_Tel");
    // The web notice ends with the name of the division that appoints the cheques.
    v.organisationName =
        organisation.name.trimmed().isEmpty() ? QStringLiteral("กองคลัง") : organisation.name;
    v.webAddress = orBlank(organisation.webAddress);
    v.emblemPath = organisation.emblemPath;
    return v;
}

QString noticeMissing(const QString &key)
{
    return QStringLiteral("ไม่พบเอกสารเลขที่ %1 ในฐานข้อมูล จึงพิมพ์ใบแจ้งไม่ได้").arg(key);
}

} // namespace guarantee
