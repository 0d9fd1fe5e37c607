#include "ui/sheet/InputDialog.h"

#include "core/app/DalvorApp.h"
#include "core/base/Text.h"
#include "ui/base/UiText.h"
#include "ui/sheet/CalcPage.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The ids Windows gives OK and Cancel, and their texts.
constexpr int kOkId = 1;
constexpr int kCancelId = 2;
constexpr int kOkText = 1592;
constexpr int kCancelText = 1591;

}  // namespace

CInputDialog::CInputDialog(CDalvorApp& a, int caption, QWidget* parent)
    : QDialog(parent), app(a), captionId(caption)
{
    setObjectName(QString::number(captionId));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void CInputDialog::Register(int id, QWidget* control, bool caption)
{
    control->setObjectName(QString::number(id));
    if (caption)
        captions.append({id, control});
}

QLabel* CInputDialog::MakeLabel(int id)
{
    auto* l = new QLabel(this);
    l->setTextFormat(Qt::PlainText);
    Register(id, l);
    return l;
}

QVBoxLayout* CInputDialog::MakeButtonColumn()
{
    okButton = new QPushButton(this);
    okButton->setObjectName(QString::number(kOkId));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    cancelButton = new QPushButton(this);
    cancelButton->setObjectName(QString::number(kCancelId));
    cancelButton->setAutoDefault(false);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* column = new QVBoxLayout;
    column->addWidget(okButton);
    column->addWidget(cancelButton);
    column->addStretch(1);
    return column;
}

QString CInputDialog::Text(int key) const
{
    return LangText(app, key);
}

void CInputDialog::ApplyLanguage(int offset)
{
    setWindowTitle(LangText(app, captionId, offset));
    for (const auto& [id, control] : captions)
        CCalcPage::SetCaption(control, LangText(app, id, offset));
    if (okButton)
        okButton->setText(LangText(app, kOkText, offset));
    if (cancelButton)
        cancelButton->setText(LangText(app, kCancelText, offset));
}

void CInputDialog::OnInitDialog()
{
    initialised = true;
    ApplyLanguage(app.languageOffset);
}

void CInputDialog::showEvent(QShowEvent* event)
{
    if (!initialised)
        OnInitDialog();
    QDialog::showEvent(event);
}

double CInputDialog::ReadDecimalField(QLineEdit* field)
{
    if (!field)
        return 0.0;
    QString text = field->text();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    if (text != field->text())
        field->setText(text);
    return ParseNumber(text.toStdU16String());
}
