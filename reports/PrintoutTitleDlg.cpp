#include "reports/PrintoutTitleDlg.h"

#include "core/base/LangTables.h"
#include "core/base/Text.h"
#include "core/project/PrintTitles.h"
#include "core/report/PrintData.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kCaptionKey = 118;
constexpr int kOkKey = 1592;
}  // namespace

CPrintoutTitleDlg::CPrintoutTitleDlg(PrintState& p, int offset, QWidget* parent)
    : QDialog(parent), print(p), languageOffset(offset), combo(new QComboBox(this)), okButton(new QPushButton(this))
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // The typed title is taken as it stands: no completion from the list,
    // which would turn "manhole s4" into a remembered "Manhole S4".
    combo->setCompleter(nullptr);
    combo->setMaxVisibleItems(kPrintTitleCount);
    combo->lineEdit()->setMaxLength(static_cast<int>(kPrintTitleMaxLength));
    // The dialog keeps its width whatever the titles' lengths (up to 254
    // characters): a long title scrolls in the field and is elided in the list.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(40);
    combo->setMinimumWidth(420);
    okButton->setDefault(true);
    okButton->setAutoDefault(true);
    connect(okButton, &QPushButton::clicked, this, &CPrintoutTitleDlg::OnOK);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(combo);
    layout->addLayout(buttons);
    OnInitDialog();
}

void CPrintoutTitleDlg::OnInitDialog()
{
    setWindowTitle(QString::fromStdU16String(LangString(kCaptionKey, languageOffset)));
    okButton->setText(QString::fromStdU16String(LangString(kOkKey, languageOffset)));
    combo->clear();
    for (const PrintTitle& t : print.printTitles)
        combo->addItem(QString::fromStdU16String(FromFixed(t.text)));
    combo->setCurrentIndex(0);
    // All of the title selected, its beginning in sight.
    const int length = static_cast<int>(combo->currentText().size());
    combo->lineEdit()->setSelection(length, -length);
}

void CPrintoutTitleDlg::OnOK()
{
    const QString text = combo->currentText();
    ConfirmPrintTitle(print.printTitles, text.toStdU16String());
    QDialog::accept();
}
