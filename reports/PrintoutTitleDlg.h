// Asks for the printout's title, offering the twenty remembered ones.
#pragma once

#include <QDialog>

struct PrintState;
class QComboBox;
class QPushButton;

class CPrintoutTitleDlg : public QDialog {
    Q_OBJECT

public:
    // The titles are print's; the texts in the language of languageOffset.
    CPrintoutTitleDlg(PrintState& print, int languageOffset, QWidget* parent = nullptr);

    // Caption, OK text and the twenty titles, the most recent shown.
    void OnInitDialog();
    // Moves the typed or chosen title to the front of the remembered ones
    // and closes the dialog with OK.
    void OnOK();
    void accept() override { OnOK(); }

    QComboBox* Combo() const { return combo; }
    QPushButton* OkButton() const { return okButton; }

private:
    PrintState& print;
    int languageOffset;
    QComboBox* combo;
    QPushButton* okButton;
};
