// The program's own help window, for a desktop with no program to show HTML:
// the help document in a rich-text browser, opened at a topic. Links inside
// the document move within it; links to the web go to the desktop.
#pragma once

#include <QString>
#include <QWidget>

class QKeyEvent;
class QScreen;
class QTextBrowser;

class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget* parent = nullptr);

    // Shows the help file at a topic (empty: at its start); false when the
    // file cannot be read.
    bool ShowTopic(const QString& helpFile, const QString& topic);

    QTextBrowser* Browser() const { return browser; }

    // Sized and placed to lie wholly in the free part of `screen`.
    void FitToScreen(QScreen* screen);

protected:
    // Escape closes the window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnAnchorClicked(const QUrl& url);

    QTextBrowser* browser;
};
