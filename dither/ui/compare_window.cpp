#include "compare_window.h"

#include "method_names.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace dither {

namespace {

constexpr int columns = 6;

QString thumbnailName(const ComparisonEntry& entry)
{
    return QStringLiteral("thumbnail_") + commandLineName(entry.method)
           + (entry.orderedError ? QStringLiteral("_error") : QString());
}

} // namespace

CompareMethodsWindow::CompareMethodsWindow(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frm_compare"));
    setWindowTitle(QStringLiteral("Compare All Methods"));
    auto* layout = new QVBoxLayout(this);
    orderedErrorBox = new QCheckBox(QStringLiteral("Also ordered methods \"Using Error Diffusion\""), this);
    orderedErrorBox->setObjectName(QStringLiteral("chk_ordered_error"));
    layout->addWidget(orderedErrorBox);
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("lbl_message"));
    layout->addWidget(m_message);
    m_grid = new QGridLayout;
    m_grid->setSpacing(4);
    layout->addLayout(m_grid);
    layout->addStretch();
    connect(orderedErrorBox, &QCheckBox::toggled, this, [this] { refresh(); });
}

void CompareMethodsWindow::showPictures(const Picture& source, const ConversionSettings& settings)
{
    m_source = source;
    m_settings = settings;
    refresh();
}

void CompareMethodsWindow::refresh()
{
    qDeleteAll(m_thumbnails);
    m_thumbnails.clear();
    m_entries = comparisonEntries(orderedErrorBox->isChecked());
    const QList<QImage> pictures = convertAll(m_source, m_settings, m_entries);
    const bool converted = !pictures.isEmpty() && !pictures.first().isNull();
    m_message->setText(converted ? QStringLiteral("Click a picture to convert with its method.") : selectMoreColors);
    if (!converted)
        return;
    for (int i = 0; i < m_entries.size(); ++i) {
        const ComparisonEntry entry = m_entries[i];
        auto* button = new QToolButton(this);
        button->setObjectName(thumbnailName(entry));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        button->setIconSize(QSize(thumbnailWidth, thumbnailHeight));
        button->setMinimumWidth(thumbnailWidth + 24); // even columns whatever the caption
        // An average over each 2x2 square shows the tone each method gives.
        button->setIcon(QPixmap::fromImage(
            pictures[i].scaled(thumbnailWidth, thumbnailHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
        button->setText(comparisonCaption(entry).replace(QStringLiteral(" + "), QStringLiteral("\n+ ")));
        button->setToolTip(comparisonCaption(entry));
        connect(button, &QToolButton::clicked, this,
                [this, entry] { emit methodChosen(entry.method, entry.orderedError); });
        m_grid->addWidget(button, i / columns, i % columns);
        m_thumbnails.append(button);
    }
}

} // namespace dither
