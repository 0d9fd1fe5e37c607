#include "ui/frame/HelpWindow.h"

#include "platform/Shell.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

CHelpWindow::CHelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("helpWindow"));
    browser = new QTextBrowser(this);
    // Links are followed here, so that a link to the web goes to the desktop
    // and never replaces the help with a page the browser cannot show.
    browser->setOpenLinks(false);
    connect(browser, &QTextBrowser::anchorClicked, this, &CHelpWindow::OnAnchorClicked);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    connect(browser, &QTextBrowser::sourceChanged, this, [this] {
        if (!browser->documentTitle().isEmpty())
            setWindowTitle(browser->documentTitle());
    });

    // About two thirds of the screen, as a reader expects of a help window.
    QSize size(900, 700);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);
}

bool CHelpWindow::ShowTopic(const QString& helpFile, const QString& topic)
{
    const QFileInfo info(helpFile);
    if (!info.isFile() || !info.isReadable())
        return false;
    QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    if (!topic.isEmpty())
        url.setFragment(topic);
    browser->setSource(url);
    if (topic.isEmpty())
        browser->verticalScrollBar()->setValue(0);
    show();
    raise();
    activateWindow();
    return true;
}

void CHelpWindow::OnAnchorClicked(const QUrl& link)
{
    const QUrl url = browser->source().resolved(link);
    if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile())
        browser->setSource(url);
    else
        ShellOpenUrl(url);
}
