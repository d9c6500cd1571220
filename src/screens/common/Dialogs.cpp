#include "screens/common/Dialogs.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMessageBox>

Dialogs::~Dialogs() = default;

namespace {

void prepare(QMessageBox &box)
{
    // Server messages may hold '<' or '&'; never let them be taken for markup.
    box.setTextFormat(Qt::PlainText);
    // Fixed captions, whatever Qt translation happens to be installed.
    if (QAbstractButton *ok = box.button(QMessageBox::Ok))
        ok->setText(QStringLiteral("OK"));
    if (QAbstractButton *cancel = box.button(QMessageBox::Cancel))
        cancel->setText(QStringLiteral("Cancel"));
}

} // namespace

void QtDialogs::message(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Information, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, parent);
    prepare(box);
    box.exec();
}

void QtDialogs::error(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, parent);
    prepare(box);
    box.exec();
}

bool QtDialogs::confirm(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text,
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    prepare(box);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    // The title bar's close button and Escape both end up as Cancel (or no button at all).
    return box.clickedButton() == box.button(QMessageBox::Ok);
}
