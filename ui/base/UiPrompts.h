// The questions and messages the program puts to the user, and the file
// choosers, in one place. The desktop program shows real dialogs; tests put in
// their own answers so that no modal dialog waits for a user.
#pragma once

#include <QString>

class QWidget;

class IUiPrompts {
public:
    enum class Answer { Yes, No, Cancel };
    virtual ~IUiPrompts() = default;
    // A message with an exclamation icon and an OK button.
    virtual void Warn(QWidget* parent, const QString& text) = 0;
    // The same under a caption of its own (by default the text alone).
    virtual void WarnTitled(QWidget* parent, const QString& caption, const QString& text)
    {
        (void)caption;
        Warn(parent, text);
    }
    virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;
    virtual Answer AskYesNoCancel(QWidget* parent, const QString& text) = 0;
    // Empty when the user cancels.
    virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& filter) = 0;
    virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& suggested,
                                 const QString& filter) = 0;
};

// The dialogs of the desktop.
class DesktopPrompts : public IUiPrompts {
public:
    void Warn(QWidget* parent, const QString& text) override;
    void WarnTitled(QWidget* parent, const QString& caption, const QString& text) override;
    bool AskYesNo(QWidget* parent, const QString& text) override;
    Answer AskYesNoCancel(QWidget* parent, const QString& text) override;
    QString OpenFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override;
    QString SaveFileName(QWidget* parent, const QString& title, const QString& suggested,
                         const QString& filter) override;
};

IUiPrompts& Prompts();
// Replaces the prompts (nullptr restores the desktop's); returns the old ones.
IUiPrompts* SetPrompts(IUiPrompts* prompts);
