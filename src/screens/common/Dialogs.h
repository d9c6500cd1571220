#pragma once

class QString;
class QWidget;

// The one way screens talk to the user modally. Screens hold a Dialogs & so that tests can
// swap in a double that records the boxes and answers confirmations from a script.
class Dialogs {
public:
    virtual ~Dialogs();

    // Information box with an "OK" button.
    virtual void message(QWidget *parent, const QString &text) = 0;
    // The standard error box: shows a database or spreadsheet failure's own message.
    virtual void error(QWidget *parent, const QString &text) = 0;
    // Box titled "Confirm" with "OK" and "Cancel"; true on OK. Closing the box counts as Cancel.
    virtual bool confirm(QWidget *parent, const QString &text) = 0;
};

// Dialogs shown as QMessageBox; message and error boxes carry the application's name as title.
class QtDialogs final : public Dialogs {
public:
    void message(QWidget *parent, const QString &text) override;
    void error(QWidget *parent, const QString &text) override;
    bool confirm(QWidget *parent, const QString &text) override;
};
