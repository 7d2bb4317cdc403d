#pragma once
// Opening a file by dropping it on a window. The window names the extensions it
// opens; a drag that carries a local file of one of them is accepted, others are
// refused at once (the pointer shows it), and the drop hands the path to the window's
// open function, which runs the same checks and questions as its menu commands.

#include <QStringList>
#include <functional>

class QMimeData;
class QWidget;

namespace tms {

// The first local file of a drag whose lower-cased name ends with one of extensions
// (".dat", ".pp"...); any local file when extensions is empty. Empty when none.
QString droppedFile(const QMimeData* mime, const QStringList& extensions = {});

// Makes window accept drops of such files and call open with the dropped path.
void acceptFileDrops(QWidget* window, const QStringList& extensions, std::function<void(const QString&)> open);

} // namespace tms
