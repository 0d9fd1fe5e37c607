// What the application object asks of the windows around it. The desktop
// program supplies the windows; tests and the command-line tool count calls.
#pragma once
#include <string>
#include <vector>

class IHost {
public:
    virtual ~IHost() = default;
    // Every store, delete and move in the project marks the open document modified.
    virtual void SetDocumentModified() = 0;
    // Runs the project manager on the kind; true when something was done in
    // it that the page must follow (a record read, deleted, moved or copied,
    // the current record changed or renamed), false when it was only looked at.
    virtual bool RunManageProjectDlg(int kind) = 0;
    virtual void RunAboutDlg() = 0;
    // Opens a file (a manual) with the desktop's viewer; false when nothing opened it.
    virtual bool OpenDocument(const std::string& path) = 0;
    // An operation on the project ran out of memory and was not done: the
    // records are as they were and the user is told so.
    virtual void ReportOutOfMemory() = 0;
    // A printout was not saved to the file at path (error: the errno of the
    // failure; notRegularFile: the path names no regular file): the file
    // there is as it was, and the user is told why.
    virtual void ReportPrintoutNotSaved(const std::string& path, int error, bool notRegularFile) = 0;
};

class CountingHost : public IHost {
public:
    void SetDocumentModified() override { ++modifiedCalls; }
    // Counts the call and answers as a manager that something was done in.
    bool RunManageProjectDlg(int kind) override
    {
        manageProjectKinds.push_back(kind);
        return true;
    }
    void RunAboutDlg() override { ++aboutCalls; }
    bool OpenDocument(const std::string& path) override
    {
        openedDocuments.push_back(path);
        return true;
    }
    void ReportOutOfMemory() override { ++outOfMemoryReports; }
    void ReportPrintoutNotSaved(const std::string& path, int error, bool) override
    {
        printoutsNotSaved.push_back(path);
        printoutError = error;
    }

    int modifiedCalls = 0;
    int aboutCalls = 0;
    int outOfMemoryReports = 0;
    std::vector<int> manageProjectKinds;
    std::vector<std::string> openedDocuments;
    std::vector<std::string> printoutsNotSaved;
    int printoutError = 0;
};
