// The contract every calculation page of the sheet follows. A page keeps its
// kind's working record in the application object; the sheet activates it,
// relabels it, refreshes it after a new project and loads a stored calculation
// back into it after the project manager. A page class fills in the operations
// below for its own kind; the base gives the shared behaviour:
//   - first activation: OnInitDialog; every activation: OnSetActive;
//   - Enter, Tab (either direction) and a plain left click anywhere in the
//     active page recalculate once, before the control acts on them;
//   - captions: every registered control shows the text of its id;
//   - the store buttons (add, update, "?" project button).
#pragma once

#include <QHash>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>

class CDalvorApp;
class CCalcSheet;
class CImportDlg;
class QPushButton;

struct CalcPageInfo {
    int kind;       // CalcKind
    int dialogId;   // the page's caption key
    int addId;      // the store buttons' control ids
    int updateId;
    int projectId;
    const char* helpTopic;  // the page's anchor in the help document
};

class CCalcPage : public QWidget {
    Q_OBJECT
public:
    CCalcPage(CDalvorApp& app, const CalcPageInfo& info, QWidget* parent = nullptr);
    ~CCalcPage() override;

    const CalcPageInfo& Info() const { return info; }
    int Kind() const { return info.kind; }
    CDalvorApp& App() const { return app; }
    void SetSheet(CCalcSheet* s) { sheet = s; }
    CCalcSheet* Sheet() const { return sheet; }

    // ---- the page's operations (each page gives their content) --------------
    // Reads the inputs, runs the kind's calculation and shows the results.
    virtual void Recalculate() {}
    // Reads the controls into the working record, with the page's clamps.
    virtual void ReadInputs() {}
    // Shows the working record's inputs; 1 shows the number and name as "-".
    virtual void ShowInputs(int resetNumber) { (void)resetNumber; }
    virtual void ShowResults() {}
    // Relabels every registered control with the text of its id + offset.
    // A page that relabels more calls this too.
    virtual void ApplyLanguage(int offset);
    // The language offset the page's captions were last set in (0: none yet).
    int LanguageShown() const { return languageShown; }
    virtual void Print() {}
    // Print is offered only by a page that can print.
    virtual bool CanPrint() const { return false; }
    // Fills the page's lists again from the working record (after a new
    // project and after the project manager).
    virtual void FillLists() {}
    // With no stored record of the kind: every list to its first item, with
    // its change handler.
    virtual void ResetListsToFirst() {}
    // The page's number and name texts become "-".
    virtual void ResetNumberAndName() {}
    // Transfers the page's data to its controls.
    virtual void DataToControls() {}

    // ---- import of another stored calculation's values ------------------------
    // The sheet copies each ticked value's text into the page's edit of the
    // same quantity; a page adds its own steps before the copy (a product or
    // size chosen from the imported diameter) and after it (texts derived
    // from the copied ones). Data to the controls and a recalculation follow.
    virtual void BeforeImport(const CImportDlg& dlg) { (void)dlg; }
    virtual void AfterImport(const CImportDlg& dlg) { (void)dlg; }

    // ---- lifecycle, driven by the sheet -------------------------------------
    // The first activation initialises the page, every activation sets it
    // active.
    void Activate();
    void Deactivate();
    bool IsInitialised() const { return initialised; }
    bool IsActivePage() const { return active; }

    // ---- store buttons --------------------------------------------------------
    virtual void OnAdd();
    virtual void OnUpdate();
    virtual void OnProjectButton();
    // Update and "?" are enabled exactly when the kind has stored records.
    void UpdateStoreButtons();

    // ---- controls and texts ---------------------------------------------------
    // Registers a control under its id (its object name becomes the id);
    // with a caption, ApplyLanguage sets its text from the id.
    void RegisterControl(int id, QWidget* control, bool caption = true);
    QWidget* Control(int id) const { return controls.value(id); }
    QString Text(int key) const;
    // A message box with an exclamation icon and the text of key + offset.
    void ShowMessage(int key) const;
    // A message box with an exclamation icon, a text and a caption (empty:
    // the application's title).
    void ShowMessage(const QString& text, const QString& caption) const;
    // Sets a caption on a label, button, group box or window.
    static void SetCaption(QWidget* control, const QString& text);

    // How many recalculations the page's triggers ran (for the status of the
    // page and for tests).
    int TriggeredRecalculations() const { return triggered; }

signals:
    void activated(int kind);

protected:
    virtual void OnInitDialog();
    virtual void OnSetActive();
    // Makes the store buttons: add and update are optional (0 for none).
    QPushButton* MakeStoreButton(int id);
    // The project manager through the sheet, as the add (afterStore) and "?"
    // buttons run it: afterwards, when the page was reloaded with no stored
    // calculation current, the number and name show "-".
    void RunProjectManager(bool afterStore = false);
    // Bitmap 332 of the input dialogs' "?".
    QPixmap DialogQueryBitmap() const { return bitmap332; }

    bool eventFilter(QObject* watched, QEvent* event) override;

    CDalvorApp& app;
    CalcPageInfo info;
    QPointer<QPushButton> addButton;
    QPointer<QPushButton> updateButton;
    QPointer<QPushButton> projectButton;

private:
    bool IsTrigger(QObject* watched, QEvent* event);

    CCalcSheet* sheet = nullptr;
    QHash<int, QWidget*> controls;
    QList<int> captionIds;
    QPixmap bitmap332;
    QPixmap bitmap333;
    bool initialised = false;
    bool active = false;
    int triggered = 0;
    int languageShown = 0;
    mutable int messagesShown = 0;
    // The last event that recalculated: Qt hands a key or click that a
    // control leaves alone on to its parents, and that is still one event.
    struct LastTrigger {
        int type = 0;
        int code = 0;
        quint64 timestamp = 0;
        QPointer<QWidget> receiver;
    } last;
};
