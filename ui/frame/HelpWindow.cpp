#include "ui/frame/HelpWindow.h"

#include "platform/Shell.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
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
}

void CHelpWindow::FitToScreen(QScreen* screen)
{
    if (!screen)
        return;
    setScreen(screen);
    // About two thirds of a large screen, as a reader expects of a help
    // window; never more than nine tenths of the free part of the screen, so
    // that the window's frame fits too, placed in its middle.
    const QRect free = screen->availableGeometry();
    resize(QSize(900, 700).boundedTo(free.size() * 9 / 10));
    QRect outer(QPoint(), frameGeometry().size());
    outer.moveCenter(free.center());
    move(outer.topLeft());
}

void CHelpWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
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
    // A new window opens on the screen of the window the user works in; one
    // already open stays where the user left it.
    if (!isVisible()) {
        const QWidget* from = QApplication::activeWindow();
        FitToScreen(from && from != this ? from->screen() : QGuiApplication::primaryScreen());
    }
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
