// The About box: the program's name and version, its release date and a link
// to the maker's web site; the same in every language.
#pragma once

#include <QDialog>

class CURLLinkButton;

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    CURLLinkButton* Link() const { return link; }

    static QString VersionLine() { return QStringLiteral("Quorlin - Dalvor, version 5.0"); }
    static QString ReleaseDate() { return QStringLiteral("01-04-2022"); }
    static QString LinkCaption() { return QStringLiteral("www.quorlin.example"); }

private:
    CURLLinkButton* link;
};
