#include "ui/dialogs/AboutDlg.h"

#include "ui/base/Artwork.h"
#include "ui/controls/URLLinkButton.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("100"));
    setProperty("helpTopic", QStringLiteral("about"));
    setWindowTitle(QStringLiteral("Info"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(48, 48));
    auto* version = new QLabel(VersionLine(), this);
    QFont bold = version->font();
    bold.setBold(true);
    version->setFont(bold);
    auto* date = new QLabel(ReleaseDate(), this);
    auto* copyright = new QLabel(QStringLiteral("Copyright \u00a9 Quorlin"), this);

    link = new CURLLinkButton(this);
    link->setObjectName(QStringLiteral("1000"));
    link->SetControlId(1000);
    link->setText(LinkCaption());

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    ok->setObjectName(QStringLiteral("1"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 12);
    grid->setHorizontalSpacing(16);
    grid->addWidget(icon, 0, 0, 4, 1, Qt::AlignTop);
    grid->addWidget(version, 0, 1);
    grid->addWidget(date, 1, 1);
    grid->addWidget(copyright, 2, 1);
    grid->addWidget(link, 3, 1, Qt::AlignLeft);
    grid->addWidget(ok, 0, 2, Qt::AlignTop);
    // Enter closes the box: OK has the focus first, the link comes after it.
    setTabOrder(ok, link);
    ok->setFocus();
    setFixedSize(sizeHint());
}
