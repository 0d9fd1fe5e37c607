// The document: the open project's file name and modified flag, the file
// commands (new, open, save, save as), the recent-file list, the save prompts,
// the autosave of a modified project and its offer at the next start, and the
// routing of the print, project and import commands to the sheet.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class AutosaveSlot;
class CDalvorApp;
class CCalcSheet;
class QSettings;
class QWidget;
enum class ProjectReadError;

class CDalvorDoc : public QObject {
    Q_OBJECT
public:
    CDalvorDoc(CDalvorApp& app, QSettings& settings, QObject* parent = nullptr);
    // An unmodified project's autosave goes with the document; a modified
    // one's stays for the next start to offer.
    ~CDalvorDoc() override;

    // How often a modified project is autosaved, in milliseconds (tests
    // shorten it).
    static int autosaveIntervalMs;
    static constexpr int kRecentFileCount = 10;

    // Where message boxes and file choosers appear, and how to reach the sheet.
    void SetWindow(QWidget* w) { window = w; }
    void SetSheetAccess(std::function<CCalcSheet*()> access) { sheetAccess = std::move(access); }

    // ---- state ----------------------------------------------------------------
    // The project's file as text to show (a byte that is no valid text shows
    // as a replacement character); the file itself is kept by its bytes.
    QString PathName() const;
    // The title shown in the window: the file's name, or "Untitled".
    QString Title() const;
    bool IsModified() const { return modified; }
    void SetModified(bool m);

    // ---- commands ---------------------------------------------------------------
    // Each command that replaces the project first asks to save a modified one;
    // false when the user cancelled or the command failed.
    bool OnFileNew();
    bool OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    bool OpenRecentFile(int index);
    // Opens a file (command line, drop, recent list): asks to save the open
    // project first. A file that cannot be read is refused with a message
    // and the open project stays as it was. A name in the file system's
    // bytes is kept as it stands, whether or not it is valid text.
    bool OpenDocumentFile(const QString& fileName);
    bool OpenDocumentFile(const QByteArray& fileName);
    // Asks to save a modified project; false when the user cancelled (or the
    // save failed).
    bool SaveModified();
    // Empties the project and resets the working records.
    bool OnNewDocument();
    // The commands the document hands to the sheet.
    void OnFilePrint();
    void OnProject();
    void OnImportData();

    // ---- recent files -----------------------------------------------------------
    // The recent files as text to show; each is kept by its bytes.
    QStringList RecentFiles() const;
    void AddToRecentFiles(const QByteArray& fileName);
    void RemoveRecentFile(int index);

    // ---- autosave ---------------------------------------------------------------
    // Each running program keeps an autosave of its own in the folder, held
    // while it runs, so that programs running side by side never touch each
    // other's.
    static QString AutosaveFolder();
    // This program's autosaved project; empty before its first autosave.
    QString AutosaveFile() const;
    // Writes the project to this program's autosave when it is modified.
    bool Autosave();
    // Whether the last autosave failed and none has been written since (nor
    // the project saved or replaced): newer work is unprotected.
    bool AutosaveFailed() const { return autosaveFailed; }
    // Removes this program's autosave (a save, a new or opened project, a
    // clean end).
    void RemoveAutosave();
    // At start-up: offers the autosaves of programs that ended, the newest
    // first, until one is restored; a declined one goes. A restored project
    // takes its original file name, stays modified, and its autosave becomes
    // this program's.
    bool OfferAutosave();
    QTimer& AutosaveTimer() { return autosaveTimer; }

    // The message for a refused project file; systemError is the errno of a
    // failed open or read, told as the reason.
    // A file that is missing from a folder that exists is told as missing.
    QString ReadErrorText(ProjectReadError error, const QByteArray& fileName, int systemError = 0) const;
    // "Reason: ..." in the language of the interface, for an errno (the
    // system's own text for a cause without a text of ours), or for a path
    // that is no regular file; empty for 0.
    QString ReasonText(int systemError, bool notRegularFile = false) const;

signals:
    void modifiedChanged(bool modified);
    void titleChanged();
    void recentFilesChanged();
    void projectReplaced();
    void autosaveFailedChanged(bool failed);

private:
    // What the project's file was like when this program last read or wrote
    // it; stat's own fields, so that any change shows.
    struct FileStamp {
        qint64 device = 0, inode = 0, size = 0, seconds = 0, nanoseconds = 0;
    };
    static std::optional<FileStamp> StampOf(const QByteArray& fileName);
    // Before a save onto the project's own file: asks whether to overwrite it
    // when another program changed or removed it since; false to leave it.
    bool MayOverwrite(const QByteArray& fileName);
    void SetAutosaveFailed(bool failed);
    bool ReadDocumentFile(const QByteArray& fileName);
    bool DoSave(const QByteArray& fileName);
    // Saves through the one atomic save path; false with the reason in
    // *reason when the file could not be written.
    bool WriteBytes(const QString& fileName, const QByteArray& bytes, QString* reason = nullptr);
    // Saves the project straight from its records, as the tools do.
    bool WriteProjectTo(const QByteArray& fileName, QString* reason = nullptr);
    void SetPathName(const QByteArray& fileName);
    void LoadRecentFiles();
    void SaveRecentFiles();
    QString Text(int key) const;
    CCalcSheet* Sheet() const { return sheetAccess ? sheetAccess() : nullptr; }

    CDalvorApp& app;
    QSettings& settings;
    QWidget* window = nullptr;
    std::function<CCalcSheet*()> sheetAccess;
    QByteArray path;  // absolute, in the file system's bytes
    bool modified = false;
    std::optional<FileStamp> stamp;  // none for a project this program has not read or written
    bool autosaveFailed = false;
    QList<QByteArray> recent;
    QTimer autosaveTimer;
    std::unique_ptr<AutosaveSlot> autosaveSlot;
};
