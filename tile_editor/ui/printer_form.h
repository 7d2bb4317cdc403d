#pragma once
// PrinterForm, the "Print" dialog: chooses the paper and prints the character sheet
// (four pages) on the default printer, or writes the same pages to a PDF file. It
// reads the document only through the sheet source it is given.

#include "print_sheet.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace tms {
class UserDialogs;
}

namespace tile {

class PrinterForm : public QDialog {
    Q_OBJECT
public:
    // The form starts with paper (the one last used) and the pattern table checked.
    PrinterForm(SheetSource source, tms::UserDialogs& dialogs, QWidget* owner = nullptr,
                SheetPaper paper = SheetPaper::Letter);

    // Seams for tests: whether a printer is installed, printing on it, and the choice
    // of the PDF file (empty: closed without a choice).
    std::function<bool()> hasPrinter;
    std::function<bool(SheetPaper)> printOnPrinter;
    std::function<QString()> choosePdfPath;

    QLabel* m_paperLabel = nullptr;
    QComboBox* m_paperSize = nullptr;
    QCheckBox* m_patternCheck = nullptr;
    QPushButton* m_printButton = nullptr;
    QPushButton* m_pdfButton = nullptr;

    void onPrintClicked();
    void onPdfClicked();

    std::optional<SheetPaper> chosenPaper() const;
    // What the form did, for the window's status bar; empty until it printed or wrote.
    QString report() const { return m_report; }

private:
    // False, with the reason told, when there is no paper or nothing to print.
    bool readyToPrint();
    bool printOnDefaultPrinter(SheetPaper paper);
    QString askPdfPath();

    SheetSource m_source;
    tms::UserDialogs& m_dialogs;
    QString m_report;
};

} // namespace tile
