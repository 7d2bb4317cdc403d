#include "file_chooser.h"

#include "atomic_file.h"
#include "file_extension.h"
#include "user_dialogs.h"
#include "window_aids.h"

#include <QFile>
#include <QFileInfo>
#include <QGridLayout>

namespace tms {

QString completeExtension(const QString& name, const QString& extension)
{
    if (hasExtension(name, extension))
        return name;
    return name + extension;
}

std::function<QString(const QString&)> signatureCheck(const QByteArray& signature, const QString& message)
{
    return [signature, message](const QString& path) {
        // A file that cannot be read is told as such, not as one of the wrong kind.
        QString error;
        const std::optional<QByteArray> start = readFileStart(path, signature.size(), &error);
        if (!start)
            return error;
        return *start == signature ? QString() : message;
    };
}

FileChooser::FileChooser(const ChooserSetup& setup, UserDialogs& dialogs, QWidget* owner)
    : QFileDialog(owner), m_setup(setup), m_dialogs(dialogs)
{
    // The toolkit's own widget chooser, so that the checks below run before it closes.
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::DontConfirmOverwrite);
    setObjectName(setup.objectName);
    setWindowTitle(setup.caption);
    QString filter = setup.pattern;
    filter.replace(QLatin1Char(';'), QLatin1Char(' '));
    if (setup.filterName.isEmpty()) {
        setNameFilter(QStringLiteral("%1 (%2)").arg(setup.caption, filter));
    } else { // a name of its own, shown without the patterns that follow it
        setOption(QFileDialog::HideNameFilterDetails);
        setNameFilter(QStringLiteral("%1 (%2)").arg(setup.filterName, filter));
    }
    if (setup.kind == ChooserSetup::Kind::Save) {
        setAcceptMode(QFileDialog::AcceptSave);
        setFileMode(QFileDialog::AnyFile);
        setLabelText(QFileDialog::Accept, setup.submitText);
        setLabelText(QFileDialog::FileName, QStringLiteral("Name :"));
    } else {
        setAcceptMode(QFileDialog::AcceptOpen);
        setFileMode(QFileDialog::ExistingFile);
    }
    if (!setup.rememberedPath.isEmpty())
        setDirectory(QFileInfo(setup.rememberedPath).absolutePath());
    else
        setDirectory(QDir::currentPath());
    fitFileDialogColumns(this);
}

void FileChooser::addOptions(QWidget* options)
{
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(options, grid->rowCount(), 0, 1, grid->columnCount());
}

std::optional<QString> FileChooser::confirmedPath() const
{
    if (result() != QDialog::Accepted || m_chosenPath.isEmpty())
        return std::nullopt;
    return m_chosenPath;
}

void FileChooser::accept()
{
    const QStringList files = selectedFiles();
    if (files.isEmpty())
        return;
    if (QFileInfo(files.first()).isDir()) { // a folder was picked: go into it
        QFileDialog::accept();
        return;
    }
    submit(files.first());
}

void FileChooser::submit(const QString& nameOrPath)
{
    const bool taken = m_setup.kind == ChooserSetup::Kind::Save ? submitSave(nameOrPath) : submitOpen(nameOrPath);
    if (taken)
        done(QDialog::Accepted);
}

bool FileChooser::submitSave(const QString& nameOrPath)
{
    const QFileInfo typed(nameOrPath);
    if (typed.fileName().isEmpty())
        return false;
    const QString folder = typed.isAbsolute() ? typed.absolutePath() : directory().absolutePath();
    const QString path = QDir(folder).filePath(completeExtension(typed.fileName(), m_setup.extension));
    const QFileInfo target(path);
    if (!m_setup.replacePrompt.isEmpty() && target.exists() && target.size() > 0
        && !m_dialogs.askYesNo(warningTitle(), m_setup.replacePrompt))
        return false;
    m_chosenPath = path;
    return true;
}

bool FileChooser::submitOpen(const QString& path)
{
    const QString absolute = QFileInfo(path).isAbsolute() ? path : directory().filePath(path);
    if (m_setup.check) {
        const QString refusal = m_setup.check(absolute);
        if (!refusal.isEmpty()) {
            m_dialogs.tell(warningTitle(), refusal);
            return false;
        }
    }
    m_chosenPath = absolute;
    return true;
}

} // namespace tms
