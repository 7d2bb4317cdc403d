#pragma once
// "Compare All Methods": the current picture converted by every method, as a grid of
// labelled thumbnails. A click on a thumbnail hands its method back to the main window.

#include "method_comparison.h"

#include <QDialog>

class QCheckBox;
class QGridLayout;
class QLabel;
class QToolButton;

namespace dither {

class CompareMethodsWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int thumbnailWidth = 128, thumbnailHeight = 96;

    explicit CompareMethodsWindow(QWidget* owner);

    // Converts source with settings by every method and shows the results.
    void showPictures(const Picture& source, const ConversionSettings& settings);

    QList<QToolButton*> thumbnails() const { return m_thumbnails; }
    QList<ComparisonEntry> entries() const { return m_entries; }

signals:
    void methodChosen(dither::Method method, bool orderedError);

private:
    void refresh();

    Picture m_source;
    ConversionSettings m_settings;
    QList<ComparisonEntry> m_entries;
    QList<QToolButton*> m_thumbnails;
    QCheckBox* orderedErrorBox = nullptr;
    QLabel* m_message = nullptr;
    QGridLayout* m_grid = nullptr;
};

} // namespace dither
