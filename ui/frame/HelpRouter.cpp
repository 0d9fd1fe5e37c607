#include "ui/frame/HelpRouter.h"

#include "core/app/DalvorApp.h"
#include "platform/Shell.h"
#include "ui/base/UiPrompts.h"
#include "ui/base/UiText.h"
#include "ui/frame/FrameworkTexts.h"
#include "ui/frame/HelpWindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QWhatsThis>
#include <QWidget>

namespace {

// Dialogs of the program by class, for those that name no topic themselves.
struct DialogTopic {
    const char* className;
    const char* topic;
};
constexpr DialogTopic kDialogTopics[] = {
    {"CManageProjectDlg", "project"},  {"CImportDlg", "import"},
    {"CFlowUnitsCalcDlg", "flowunits"}, {"CFluidParmsDlg", "fluid"},
    {"CLocalLossDlg", "locallosses"},  {"CLossCalcDlg", "losscalc"},
    {"CSelectSoilDlg", "soil"},        {"CPrintoutTitleDlg", "printtitle"},
    {"CAboutDlg", "about"},
};

}  // namespace

HelpRouter::HelpRouter(CDalvorApp& a, QObject* parent) : QObject(parent), app(a)
{
    qApp->installEventFilter(this);
}

HelpRouter::~HelpRouter()
{
    if (qApp)
        qApp->removeEventFilter(this);
    delete window;
}

QString HelpRouter::TopicOf(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        QString topic = w->property("helpTopic").toString();
        if (!topic.isEmpty())
            return topic;
        for (const DialogTopic& d : kDialogTopics)
            if (w->inherits(d.className))
                return QString::fromLatin1(d.topic);
    }
    return QStringLiteral("main");
}

bool HelpRouter::OpenHelp(const QString& topic)
{
    const QString file = QFile::decodeName(QByteArray::fromStdString(app.helpFilePath));
    if (QFileInfo(file).isFile()) {
        if (ShellOpenHelp(file, topic))
            return true;
        if (!window)
            window = new CHelpWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
        if (window->ShowTopic(file, topic))
            return true;
    }
    Prompts().Warn(QApplication::activeWindow(),
                   FillText(LangText(app, kTextHelpFileMissing), QDir::toNativeSeparators(file)));
    return false;
}

void HelpRouter::EnterContextHelp()
{
    if (QWhatsThis::inWhatsThisMode())
        return;
    QWhatsThis::enterWhatsThisMode();
    if (onContextHelp)
        onContextHelp();
}

bool HelpRouter::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() != Qt::Key_F1 || k->isAutoRepeat())
            return false;
        auto* w = qobject_cast<QWidget*>(watched);
        // Seen once, by the widget that gets the key first.
        if (!w || (QApplication::focusWidget() && w != QApplication::focusWidget()))
            return false;
        if (k->modifiers() == Qt::ShiftModifier) {
            EnterContextHelp();
            return true;
        }
        if (k->modifiers() == Qt::NoModifier) {
            QWidget* from = QApplication::focusWidget() ? QApplication::focusWidget() : w;
            OpenHelp(TopicOf(from));
            return true;
        }
        return false;
    }
    case QEvent::LeaveWhatsThisMode:
        // Each window hears of it; ending help mode more than once is harmless.
        if (onContextHelpEnd)
            onContextHelpEnd();
        return false;
    case QEvent::QueryWhatsThis:
        if (QWhatsThis::inWhatsThisMode()) {
            event->accept();
            return true;
        }
        return false;
    case QEvent::WhatsThis: {
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w)
            return false;
        QWhatsThis::leaveWhatsThisMode();
        OpenHelp(TopicOf(w));
        event->accept();
        return true;
    }
    default:
        return false;
    }
}
