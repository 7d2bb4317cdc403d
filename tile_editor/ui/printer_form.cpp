#include "printer_form.h"

#include "atomic_file.h"
#include "document_life.h"
#include "file_chooser.h"
#include "user_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

namespace tile {

namespace {

QString& lastPdfPath()
{
    static QString path; // the folder of the last PDF is offered again during the run
    return path;
}

} // namespace

PrinterForm::PrinterForm(SheetSource source, tms::UserDialogs& dialogs, QWidget* owner, SheetPaper paper)
    : QDialog(owner), m_source(std::move(source)), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("PrinterForm"));
    setWindowTitle(QStringLiteral("Print"));
    m_paperLabel = new QLabel(QStringLiteral("paper size :"), this);
    m_paperLabel->setObjectName(QStringLiteral("Label1"));
    m_paperSize = new QComboBox(this);
    m_paperSize->setObjectName(QStringLiteral("PaperSize"));
    m_paperSize->setPlaceholderText(QStringLiteral("select papersize"));
    m_paperSize->addItem(QStringLiteral("Letter"), int(SheetPaper::Letter));
    m_paperSize->addItem(QStringLiteral("A4"), int(SheetPaper::A4));
    m_paperSize->addItem(QStringLiteral("B5"), int(SheetPaper::B5));
    m_paperSize->setCurrentIndex(m_paperSize->findData(int(paper)));
    m_patternCheck = new QCheckBox(QStringLiteral("character pattern table"), this);
    m_patternCheck->setObjectName(QStringLiteral("chk_PATTERN"));
    m_patternCheck->setChecked(true); // the form is there to print it
    m_printButton = new QPushButton(QStringLiteral("Print"), this);
    m_printButton->setObjectName(QStringLiteral("cmd_print"));
    m_pdfButton = new QPushButton(QStringLiteral("Save as PDF..."), this);
    m_pdfButton->setObjectName(QStringLiteral("cmd_pdf"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_paperLabel, 0, 0);
    grid->addWidget(m_paperSize, 0, 1, 1, 2);
    grid->addWidget(m_patternCheck, 1, 0, 1, 3);
    grid->addWidget(m_printButton, 2, 1);
    grid->addWidget(m_pdfButton, 2, 2);

    hasPrinter = [] { return !QPrinterInfo::availablePrinters().isEmpty(); };
    printOnPrinter = [this](SheetPaper paper) { return printOnDefaultPrinter(paper); };
    choosePdfPath = [this] { return askPdfPath(); };
    connect(m_printButton, &QPushButton::clicked, this, &PrinterForm::onPrintClicked);
    connect(m_pdfButton, &QPushButton::clicked, this, &PrinterForm::onPdfClicked);
}

std::optional<SheetPaper> PrinterForm::chosenPaper() const
{
    if (m_paperSize->currentIndex() < 0)
        return std::nullopt;
    return SheetPaper(m_paperSize->currentData().toInt());
}

bool PrinterForm::readyToPrint()
{
    // Neither button ever does nothing in silence: the form says what is missing.
    if (!chosenPaper()) {
        m_dialogs.tell(tms::warningTitle(), QStringLiteral("Choose a paper size first."));
        return false;
    }
    if (!m_patternCheck->isChecked()) {
        m_dialogs.tell(tms::warningTitle(),
                       QStringLiteral("Nothing to print: check \"character pattern table\" to print the sheet."));
        return false;
    }
    return true;
}

void PrinterForm::onPrintClicked()
{
    if (!readyToPrint())
        return; // the dialog stays open
    if (!hasPrinter()) {
        m_dialogs.tell(tms::warningTitle(), QStringLiteral("No printer is installed. Use \"Save as PDF...\" "
                                                           "to keep the sheet as a PDF file."));
        return;
    }
    if (!printOnPrinter(*chosenPaper())) {
        m_dialogs.tell(tms::warningTitle(), QStringLiteral("The printer could not print the sheet."));
        return;
    }
    m_report = QStringLiteral("Printed the character sheet (4 pages, %1)").arg(m_paperSize->currentText());
    accept();
}

bool PrinterForm::printOnDefaultPrinter(SheetPaper paper)
{
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    printer.setPageSize(pageSizeOf(paper));
    printer.setDocName(QStringLiteral("PATTERN TABLE"));
    return paintCharacterSheet(printer, m_source);
}

void PrinterForm::onPdfClicked()
{
    if (!readyToPrint())
        return;
    const std::optional<SheetPaper> paper = chosenPaper();
    const QString path = choosePdfPath();
    if (path.isEmpty())
        return; // closed without a choice: the dialog stays
    const QByteArray pdf = characterSheetPdf(m_source, *paper);
    const tms::FileResult written = pdf.isEmpty()
                                        ? tms::FileResult::failure(QStringLiteral("The PDF could not be made."))
                                        : tms::writeWholeFile(path, pdf);
    if (!written.ok) {
        m_dialogs.tell(tms::warningTitle(), written.error);
        return;
    }
    lastPdfPath() = path;
    m_report = tms::writtenFileMessage(path);
    accept();
}

QString PrinterForm::askPdfPath()
{
    tms::ChooserSetup setup;
    setup.objectName = QStringLiteral("SaveAsPDFFile");
    setup.caption = QStringLiteral("Save As PDF File");
    setup.pattern = QStringLiteral("*.pdf");
    setup.kind = tms::ChooserSetup::Kind::Save;
    setup.submitText = QStringLiteral("Save");
    setup.extension = QStringLiteral(".pdf");
    setup.replacePrompt = QStringLiteral("Do you want to replace this PDF file");
    setup.rememberedPath = lastPdfPath();
    tms::FileChooser chooser(setup, m_dialogs, this);
    chooser.exec();
    return chooser.result() == QDialog::Accepted ? chooser.chosenPath() : QString();
}

} // namespace tile
