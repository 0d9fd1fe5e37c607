// What the small input dialogs of the pages share: their caption and control
// texts from the language's tables (the text of each control's id), OK and
// Cancel with the program's own texts, initialisation when first shown, and
// numbers read as the pages read them (a decimal comma reads as a point).
#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class CDalvorApp;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

class CInputDialog : public QDialog {
    Q_OBJECT
public:
    // captionId: the dialog's id, whose text is its title.
    CInputDialog(CDalvorApp& app, int captionId, QWidget* parent = nullptr);

    // Runs once, when the dialog is first shown (or when called before):
    // the captions in the current language. A dialog adds its own steps
    // after this one.
    virtual void OnInitDialog();
    // The title and every control registered with a caption take the text
    // of their id + offset; OK and Cancel take texts 1592 and 1591.
    virtual void ApplyLanguage(int offset);

    QPushButton* OkButton() const { return okButton; }
    QPushButton* CancelButton() const { return cancelButton; }

    // The number in a field as the user typed it: each decimal comma of the
    // field's text becomes a point, in the field too; text that is no finite
    // number reads as 0.
    static double ReadDecimalField(QLineEdit* field);

protected:
    // The control gets its id as object name; with a caption, ApplyLanguage
    // sets its text from the id.
    void Register(int id, QWidget* control, bool caption = true);
    // A plain-text label whose text is that of its id.
    QLabel* MakeLabel(int id);
    // Makes OK (the default button) and Cancel, one above the other, and
    // returns their column.
    QVBoxLayout* MakeButtonColumn();
    // The text of a key in the current language.
    QString Text(int key) const;
    bool IsInitialised() const { return initialised; }

    void showEvent(QShowEvent* event) override;

    CDalvorApp& app;

private:
    int captionId;
    QList<QPair<int, QWidget*>> captions;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    bool initialised = false;
};
