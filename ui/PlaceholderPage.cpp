#include "PlaceholderPage.h"

#include "UiText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CPlaceholderPage::CPlaceholderPage(CDalvorApp& a, const CalcPageInfo& i, QWidget* parent)
    : CCalcPage(a, i, parent)
{
    heading = new QLabel(this);
    heading->setTextFormat(Qt::PlainText);
    QFont f = heading->font();
    f.setPointSizeF(f.pointSizeF() * 1.6);
    f.setBold(true);
    heading->setFont(f);

    QPushButton* project = MakeStoreButton(info.projectId);
    project->setFixedSize(28, 24);

    auto* row = new QHBoxLayout;
    row->addWidget(heading);
    row->addStretch(1);
    row->addWidget(project);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addLayout(row);
    layout->addStretch(1);
}

void CPlaceholderPage::ApplyLanguage(int offset)
{
    CCalcPage::ApplyLanguage(offset);
    heading->setText(LangText(app, info.dialogId, offset).trimmed());
}
