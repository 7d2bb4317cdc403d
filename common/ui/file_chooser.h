#pragma once
// The one file chooser behind every file dialog of the editors. It settles a path
// and never touches the file: an open-type chooser checks the picked file (a
// signature or a length) and stays open on a failed check; a save-type chooser
// completes the typed name with its extension and asks before it takes the name
// of a non-empty existing file.

#include <QFileDialog>
#include <functional>
#include <optional>

namespace tms {

class UserDialogs;

struct ChooserSetup {
    enum class Kind { Open, Save };

    QString objectName; // the form name, e.g. "OpenDATFile"
    QString caption;    // window title
    QString pattern;    // "*.dat", or several separated by ';'
    QString filterName; // the filter's name when it is not the caption
    Kind kind = Kind::Open;
    QString submitText;    // Save type: caption of the submit button ("Save", "Export")
    QString extension;     // Save type: ".dat", ".c"...
    QString replacePrompt; // Save type: question asked before taking a non-empty file (none when empty)
    // Open type: returns the refusal message for the picked file, or an empty text.
    std::function<QString(const QString& path)> check;
    QString rememberedPath; // the last path chosen for this purpose; the chooser starts in its folder
};

// "level1" -> "level1.dat"; a name whose lower-cased end already is the extension stays.
QString completeExtension(const QString& name, const QString& extension);

// Checks that a file begins with the given bytes; returns message when it does not.
std::function<QString(const QString&)> signatureCheck(const QByteArray& signature, const QString& message);

class FileChooser : public QFileDialog {
    Q_OBJECT
public:
    FileChooser(const ChooserSetup& setup, UserDialogs& dialogs, QWidget* owner);

    // Places option controls (check boxes, scroll bars) below the file lists.
    void addOptions(QWidget* options);

    // The path settled by the last confirmation; empty while none.
    QString chosenPath() const { return m_chosenPath; }
    // The path confirmed by a closed dialog; nullopt when it was closed without one.
    std::optional<QString> confirmedPath() const;

    // Confirms with a name typed in the name box (save type) or a file picked in the
    // list (open type); what the submit button and a double click do.
    void submit(const QString& nameOrPath);

public slots:
    void accept() override;

private:
    bool submitSave(const QString& nameOrPath);
    bool submitOpen(const QString& path);

    ChooserSetup m_setup;
    UserDialogs& m_dialogs;
    QString m_chosenPath;
};

} // namespace tms
