#pragma once
// The About box of every program: name, version, one line of description, and a
// "System Info" button that reports the operating system, Qt version and screen.

#include <QDialog>

namespace tms {

class UserDialogs;

struct ProgramIdentity {
    QString name;
    QString version;
    QString description;
};

// The text the "System Info" button shows.
QString systemInformation();

class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(const ProgramIdentity& identity, UserDialogs& dialogs, QWidget* owner);

private:
    UserDialogs& m_dialogs;
};

} // namespace tms
