#include "qt_user_dialogs.h"

#include <QInputDialog>
#include <QMessageBox>

namespace tms {

void QtUserDialogs::tell(const QString& title, const QString& text)
{
    QMessageBox::warning(m_owner, title, text, QMessageBox::Ok);
}

bool QtUserDialogs::askYesNo(const QString& title, const QString& text)
{
    return QMessageBox::question(m_owner, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
           == QMessageBox::Yes;
}

Answer QtUserDialogs::askYesNoCancel(const QString& title, const QString& text)
{
    // Escape and the title bar's close button give Cancel: nothing is decided.
    switch (QMessageBox::question(m_owner, title, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Yes)) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

std::optional<QString> QtUserDialogs::askText(const QString& title, const QString& prompt, const QString& defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_owner, title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

} // namespace tms
