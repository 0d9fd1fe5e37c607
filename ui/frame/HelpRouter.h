// Help in the desktop's browser (or in a help window of the program's own): F1 opens the help document of the current
// language at the topic of the window or page in use; Shift+F1 (and the
// toolbar's context-help button) asks for a click and opens the topic of what
// was clicked.
#pragma once

#include "ui/frame/HelpWindow.h"

#include <QObject>
#include <QString>

#include <QPointer>

#include <functional>

class CDalvorApp;
class QWidget;

class HelpRouter : public QObject {
    Q_OBJECT
public:
    explicit HelpRouter(CDalvorApp& app, QObject* parent = nullptr);
    ~HelpRouter() override;

    // The topic of a widget: the nearest "helpTopic" of it or its parents, or
    // the topic of its dialog's class; "main" when none.
    static QString TopicOf(const QWidget* widget);
    // Opens the help document at a topic (empty: at its start) in the
    // desktop's browser, or in the program's own help window where the
    // desktop has no program for it. Only a missing help file is reported.
    bool OpenHelp(const QString& topic);
    // The program's own help window, once it was needed.
    CHelpWindow* Window() const { return window; }
    void EnterContextHelp();
    // Runs when help starts waiting for a click (the frame shows its prompt),
    // and when it stops waiting, whether a click or Escape ended it.
    std::function<void()> onContextHelp;
    std::function<void()> onContextHelpEnd;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CDalvorApp& app;
    QPointer<CHelpWindow> window;
};
