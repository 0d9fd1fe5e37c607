#include "ui/frame/DalvorDoc.h"

#include "core/app/DalvorApp.h"
#include "core/project/AtomicFile.h"
#include "platform/AutosaveSlot.h"
#include "ui/base/UiPrompts.h"
#include "ui/base/UiText.h"
#include "ui/dialogs/ImportDlg.h"
#include "ui/frame/FrameworkTexts.h"
#include "ui/frame/Startup.h"
#include "ui/sheet/CalcPage.h"
#include "ui/sheet/CalcSheet.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <new>
#include <sys/stat.h>

int CDalvorDoc::autosaveIntervalMs = 5 * 60 * 1000;

namespace {

const QString kRecentGroup = QStringLiteral("Recent File List");

// Whether the folder that holds `file` is there.
bool FolderExists(const QByteArray& file)
{
    const qsizetype slash = file.lastIndexOf('/');
    const QByteArray folder = slash > 0 ? file.left(slash) : slash == 0 ? QByteArray("/") : QByteArray(".");
    struct stat info {};
    return ::stat(folder.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

QString FillText(QString text, const QString& first, const QString& second)
{
    if (text.contains(QLatin1String("%1"))) {
        text.replace(QLatin1String("%1"), first);
        text.replace(QLatin1String("%2"), second);
        return text;
    }
    int at = text.indexOf(QLatin1String("%s"));
    if (at >= 0) {
        text.replace(at, 2, first);
        at = text.indexOf(QLatin1String("%s"), at + first.size());
        if (at >= 0)
            text.replace(at, 2, second);
    }
    return text;
}

CDalvorDoc::CDalvorDoc(CDalvorApp& a, QSettings& s, QObject* parent) : QObject(parent), app(a), settings(s)
{
    LoadRecentFiles();
    autosaveTimer.setInterval(autosaveIntervalMs);
    connect(&autosaveTimer, &QTimer::timeout, this, [this] { Autosave(); });
    autosaveTimer.start();
}

CDalvorDoc::~CDalvorDoc()
{
    // Quietly: the window that would be told is going too.
    if (!modified && autosaveSlot)
        autosaveSlot->RemoveFiles();
}

QString CDalvorDoc::Text(int key) const
{
    return LangText(app, key);
}

QString CDalvorDoc::PathName() const
{
    return QFile::decodeName(path);
}

QString CDalvorDoc::Title() const
{
    if (path.isEmpty())
        return Text(kTextUntitled);
    return QFileInfo(PathName()).fileName();
}

void CDalvorDoc::SetModified(bool m)
{
    if (modified == m)
        return;
    modified = m;
    emit modifiedChanged(m);
}

void CDalvorDoc::SetPathName(const QByteArray& fileName)
{
    path = AbsoluteFileName(fileName);
    emit titleChanged();
}

// ---- commands -------------------------------------------------------------------

bool CDalvorDoc::SaveModified()
{
    if (!modified)
        return true;
    const QString name = path.isEmpty() ? Title() : PathName();
    switch (Prompts().AskYesNoCancel(window, FillText(Text(kTextAskToSave), name))) {
    case IUiPrompts::Answer::Yes:
        return OnFileSave();
    case IUiPrompts::Answer::No:
        return true;
    case IUiPrompts::Answer::Cancel:
        break;
    }
    return false;
}

bool CDalvorDoc::OnNewDocument()
{
    app.FreeProject();
    app.ResetProject();
    app.ResetAllRecords();
    SetPathName({});
    stamp.reset();
    SetModified(false);
    RemoveAutosave();
    if (CCalcSheet* sheet = Sheet()) {
        sheet->NewProject();
        sheet->ProjectReplaced();
    }
    emit projectReplaced();
    return true;
}

bool CDalvorDoc::OnFileNew()
{
    if (!SaveModified())
        return false;
    return OnNewDocument();
}

bool CDalvorDoc::OnFileOpen()
{
    QString folder = path.isEmpty() ? QString() : QFileInfo(PathName()).absolutePath();
    QString name = Prompts().OpenFileName(window, Text(kTextOpenTitle), folder,
                                          Text(kTextProjectFilter) + QStringLiteral(";;") + Text(kTextAllFilesFilter));
    if (name.isEmpty())
        return false;
    return OpenDocumentFile(name);
}

bool CDalvorDoc::OpenDocumentFile(const QString& fileName)
{
    return OpenDocumentFile(QFile::encodeName(fileName));
}

bool CDalvorDoc::OpenDocumentFile(const QByteArray& fileName)
{
    if (!SaveModified())
        return false;
    return ReadDocumentFile(fileName);
}

bool CDalvorDoc::ReadDocumentFile(const QByteArray& fileName)
{
    const QByteArray absolute = AbsoluteFileName(fileName);
    // Taken before the read: a change while it reads shows at the next save.
    const std::optional<FileStamp> read = StampOf(absolute);
    int systemError = 0;
    ProjectReadError error = app.ReadProjectFile(absolute.toStdString(), &systemError);
    if (error != ProjectReadError::None) {
        // The open project stays as it was, modified flag and all.
        Prompts().Warn(window, ReadErrorText(error, absolute, systemError) + QLatin1Char('\n') +
                                   Text(kTextProjectUnchanged));
        return false;
    }
    SetPathName(absolute);
    stamp = read;
    SetModified(false);
    AddToRecentFiles(absolute);
    RemoveAutosave();
    if (CCalcSheet* sheet = Sheet())
        sheet->ProjectReplaced();
    emit projectReplaced();
    return true;
}

bool CDalvorDoc::OpenRecentFile(int index)
{
    if (index < 0 || index >= recent.size())
        return false;
    const QByteArray name = recent.at(index);
    if (!SaveModified())
        return false;
    if (ReadDocumentFile(name))
        return true;
    // A file that could not be opened leaves the list.
    int at = recent.indexOf(name);
    if (at >= 0)
        RemoveRecentFile(at);
    return false;
}

bool CDalvorDoc::OnFileSave()
{
    if (path.isEmpty())
        return OnFileSaveAs();
    return DoSave(path);
}

bool CDalvorDoc::OnFileSaveAs()
{
    QString suggested = path.isEmpty() ? Title() + QStringLiteral(".qdl") : PathName();
    QString name = Prompts().SaveFileName(window, Text(kTextSaveAsTitle), suggested, Text(kTextProjectFilter));
    if (name.isEmpty())
        return false;
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".qdl");
    return DoSave(QFile::encodeName(name));
}

bool CDalvorDoc::WriteBytes(const QString& fileName, const QByteArray& bytes, QString* reason)
{
    // The old file is replaced only when the new one was written whole.
    const AtomicWriteResult result = WriteFileAtomically(
        QFile::encodeName(fileName).toStdString(),
        std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())));
    if (!result && reason)
        *reason = ReasonText(result.error, result.status == AtomicWriteResult::NotRegularFile);
    return static_cast<bool>(result);
}

bool CDalvorDoc::WriteProjectTo(const QByteArray& fileName, QString* reason)
{
    int systemError = 0;
    const ProjectWriteError error = app.WriteProjectFile(fileName.toStdString(), &systemError);
    if (error != ProjectWriteError::None && reason)
        *reason = ReasonText(systemError, error == ProjectWriteError::NotRegularFile);
    return error == ProjectWriteError::None;
}

std::optional<CDalvorDoc::FileStamp> CDalvorDoc::StampOf(const QByteArray& fileName)
{
    struct stat info {};
    if (::stat(fileName.constData(), &info) != 0)
        return std::nullopt;
    return FileStamp{qint64(info.st_dev), qint64(info.st_ino), qint64(info.st_size), qint64(info.st_mtim.tv_sec),
                     qint64(info.st_mtim.tv_nsec)};
}

bool CDalvorDoc::MayOverwrite(const QByteArray& fileName)
{
    if (!stamp || path.isEmpty())
        return true;
    // Another name is another file, unless both lead to one file now.
    const std::optional<FileStamp> now = StampOf(fileName), own = StampOf(path);
    if (fileName != path && !(now && own && now->device == own->device && now->inode == own->inode))
        return true;
    if (now && now->size == stamp->size && now->seconds == stamp->seconds && now->nanoseconds == stamp->nanoseconds)
        return true;
    const QString shown = QDir::toNativeSeparators(QFile::decodeName(fileName));
    return Prompts().AskYesNo(window, FillText(Text(kTextFileChangedOnDisk), shown));
}

bool CDalvorDoc::DoSave(const QByteArray& fileName)
{
    const QByteArray absolute = AbsoluteFileName(fileName);
    // The file and the project both stay as they are when the user would
    // rather keep what another program wrote there.
    if (!MayOverwrite(absolute))
        return false;
    QString reason;
    if (!WriteProjectTo(absolute, &reason)) {
        // Nothing is lost: the project stays open and modified, the old file whole.
        const QString shown = QDir::toNativeSeparators(QFile::decodeName(absolute));
        Prompts().Warn(window, FillText(Text(kTextCannotSave), shown) + QLatin1Char('\n') + reason);
        return false;
    }
    SetPathName(absolute);
    stamp = StampOf(absolute);
    SetModified(false);
    AddToRecentFiles(absolute);
    RemoveAutosave();
    return true;
}

void CDalvorDoc::OnFilePrint()
{
    CCalcSheet* sheet = Sheet();
    if (!sheet)
        return;
    CCalcPage* page = sheet->ActivePage();
    if (!page || !page->CanPrint())
        return;
    // Recording the page's picture comes before the print driver, which
    // guards its own steps; a picture that cannot get its memory stops the
    // print the same way, the project and the page as they were.
    try {
        page->Print();
    } catch (const std::bad_alloc&) {
        app.print.printPicture = PrintPicture{};
        app.Host().ReportOutOfMemory();
        page->DataToControls();
    }
}

void CDalvorDoc::OnProject()
{
    if (CCalcSheet* sheet = Sheet())
        sheet->ManageProject();
}

void CDalvorDoc::OnImportData()
{
    if (CCalcSheet* sheet = Sheet())
        CImportDlg::ImportIntoActivePage(app, *sheet);
}

QString CDalvorDoc::ReadErrorText(ProjectReadError error, const QByteArray& fileName, int systemError) const
{
    int key = kTextCannotOpen;
    switch (error) {
    case ProjectReadError::None:
    case ProjectReadError::CannotOpen:
    case ProjectReadError::NotRegularFile: key = kTextCannotOpen; break;
    case ProjectReadError::TooShort: key = kTextFileTooShort; break;
    case ProjectReadError::NegativeCount: key = kTextNegativeCount; break;
    case ProjectReadError::LengthMismatch: key = kTextLengthMismatch; break;
    case ProjectReadError::TooLong: key = kTextFileTooLong; break;
    }
    QString text = FillText(Text(key), QDir::toNativeSeparators(QFile::decodeName(fileName)));
    // No such name: the file is what is missing when its folder is there.
    const bool fileMissing = systemError == ENOENT && FolderExists(fileName);
    const QString reason = fileMissing ? FillText(Text(kTextReason), Text(kTextReasonNoFile))
                                       : ReasonText(systemError, error == ProjectReadError::NotRegularFile);
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    return text;
}

QString CDalvorDoc::ReasonText(int systemError, bool notRegularFile) const
{
    QString cause;
    if (notRegularFile) {
        cause = Text(kTextReasonNotAFile);
    } else {
        int key = 0;
        switch (systemError) {
        case 0: return {};
        case ENOSPC: key = kTextReasonNoSpace; break;
        case EACCES:
        case EPERM: key = kTextReasonAccess; break;
        case EROFS: key = kTextReasonReadOnly; break;
        case EFBIG: key = kTextReasonFileTooBig; break;
        case EDQUOT: key = kTextReasonQuota; break;
        case ENOENT:
        case ENOTDIR: key = kTextReasonNoFolder; break;
        case ENAMETOOLONG: key = kTextReasonNameTooLong; break;
        case EIO: key = kTextReasonInputOutput; break;
        case ELOOP: key = kTextReasonLinkLoop; break;
        case ENOMEM: key = kTextReasonNoMemory; break;
        default: break;
        }
        cause = key ? Text(key) : QString::fromLocal8Bit(std::strerror(systemError));
    }
    return FillText(Text(kTextReason), cause);
}

// ---- recent files ------------------------------------------------------------------

void CDalvorDoc::LoadRecentFiles()
{
    recent.clear();
    settings.beginGroup(kRecentGroup);
    for (int i = 1; i <= kRecentFileCount; ++i) {
        // A name that is no valid text is kept as bytes.
        const QVariant value = settings.value(QStringLiteral("File%1").arg(i));
        const QByteArray name = value.typeId() == QMetaType::QByteArray ? value.toByteArray()
                                                                          : QFile::encodeName(value.toString());
        if (!name.isEmpty() && !recent.contains(name))
            recent.append(name);
    }
    settings.endGroup();
}

void CDalvorDoc::SaveRecentFiles()
{
    settings.beginGroup(kRecentGroup);
    for (int i = 1; i <= kRecentFileCount; ++i) {
        QString key = QStringLiteral("File%1").arg(i);
        if (i <= recent.size()) {
            const QByteArray& name = recent.at(i - 1);
            const QString text = QFile::decodeName(name);
            settings.setValue(key, QFile::encodeName(text) == name ? QVariant(text) : QVariant(name));
        } else {
            settings.remove(key);
        }
    }
    settings.endGroup();
    settings.sync();
    emit recentFilesChanged();
}

QStringList CDalvorDoc::RecentFiles() const
{
    QStringList names;
    for (const QByteArray& name : recent)
        names << QFile::decodeName(name);
    return names;
}

void CDalvorDoc::AddToRecentFiles(const QByteArray& fileName)
{
    const QByteArray absolute = AbsoluteFileName(fileName);
    recent.removeAll(absolute);
    recent.prepend(absolute);
    while (recent.size() > kRecentFileCount)
        recent.removeLast();
    SaveRecentFiles();
}

void CDalvorDoc::RemoveRecentFile(int index)
{
    if (index < 0 || index >= recent.size())
        return;
    recent.removeAt(index);
    SaveRecentFiles();
}

// ---- autosave ----------------------------------------------------------------------

QString CDalvorDoc::AutosaveFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString CDalvorDoc::AutosaveFile() const
{
    return autosaveSlot ? autosaveSlot->ProjectFile() : QString();
}

bool CDalvorDoc::Autosave()
{
    if (!modified)
        return false;
    const bool written = [this] {
        // An autosave may hold a private project: what it makes, folders
        // included, is the user's alone.
        const PrivateFileMode userAlone;
        const QString folder = AutosaveFolder();
        if (folder.isEmpty() || !QDir().mkpath(folder))
            return false;
        if (!autosaveSlot)
            autosaveSlot = AutosaveSlot::Create(folder);
        if (!autosaveSlot)
            return false;
        // The project first, then the name it belongs to: an autosave is
        // offered only when both are there.
        return WriteProjectTo(QFile::encodeName(autosaveSlot->ProjectFile())) &&
               WriteBytes(autosaveSlot->NameFile(), path);
    }();
    // The user learns that newer work is unprotected, until an autosave works.
    SetAutosaveFailed(!written);
    return written;
}

void CDalvorDoc::SetAutosaveFailed(bool failed)
{
    if (autosaveFailed == failed)
        return;
    autosaveFailed = failed;
    emit autosaveFailedChanged(failed);
}

void CDalvorDoc::RemoveAutosave()
{
    if (autosaveSlot)
        autosaveSlot->RemoveFiles();
    // Saved or replaced, the project needs its autosave no more.
    SetAutosaveFailed(false);
}

bool CDalvorDoc::OfferAutosave()
{
    const QString folder = AutosaveFolder();
    if (folder.isEmpty())
        return false;
    for (std::unique_ptr<AutosaveSlot>& ended : AutosaveSlot::Ended(folder)) {
        const QByteArray original = ended->OriginalFile();
        const QString shown =
            original.isEmpty() ? Text(kTextUntitled) : QDir::toNativeSeparators(QFile::decodeName(original));
        const QString when =
            QFileInfo(ended->ProjectFile()).lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
        if (!Prompts().AskYesNo(window, FillText(Text(kTextAutosaveOffer), shown, when))) {
            ended->RemoveFiles();
            continue;
        }
        const QByteArray dataFile = QFile::encodeName(ended->ProjectFile());
        int systemError = 0;
        ProjectReadError error = app.ReadProjectFile(dataFile.toStdString(), &systemError);
        if (error != ProjectReadError::None) {
            Prompts().Warn(window, ReadErrorText(error, dataFile, systemError));
            ended->RemoveFiles();
            continue;
        }
        // The restored project belongs to its original file and is not saved
        // yet; its autosave is this program's now, and stays until the
        // project is saved or replaced or the program ends cleanly. Other
        // ended programs' autosaves wait for the next start.
        autosaveSlot = std::move(ended);
        SetPathName(original);
        stamp.reset();
        SetModified(true);
        if (CCalcSheet* sheet = Sheet())
            sheet->ProjectReplaced();
        emit projectReplaced();
        return true;
    }
    return false;
}
