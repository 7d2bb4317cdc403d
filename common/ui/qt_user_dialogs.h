#pragma once
// The real dialogs: QMessageBox and QInputDialog owned by a window.

#include "user_dialogs.h"

class QWidget;

namespace tms {

class QtUserDialogs final : public UserDialogs {
public:
    explicit QtUserDialogs(QWidget* owner) : m_owner(owner) {}
    void tell(const QString& title, const QString& text) override;
    bool askYesNo(const QString& title, const QString& text) override;
    Answer askYesNoCancel(const QString& title, const QString& text) override;
    std::optional<QString> askText(const QString& title, const QString& prompt, const QString& defaultText) override;

private:
    QWidget* m_owner;
};

} // namespace tms
