#include "ui/sheet/CalcPage.h"

#include "core/app/DalvorApp.h"
#include "ui/base/Artwork.h"
#include "ui/base/UiPrompts.h"
#include "ui/base/UiText.h"
#include "ui/sheet/CalcSheet.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

CCalcPage::CCalcPage(CDalvorApp& a, const CalcPageInfo& i, QWidget* parent)
    : QWidget(parent), app(a), info(i)
{
    setObjectName(QString::number(info.dialogId));
    setProperty("helpTopic", QString::fromLatin1(info.helpTopic));
    // The page paints its whole area itself, as the pages' pictures expect.
    setAutoFillBackground(true);
    const qreal dpr = qApp ? qApp->devicePixelRatio() : 1.0;
    bitmap333 = QueryButtonBitmap(kBitmapProjectQuery, dpr);
    if (info.kind == KindGravityFlow || info.kind == KindPressureFlow)
        bitmap332 = QueryButtonBitmap(kBitmapDialogQuery, dpr);
    qApp->installEventFilter(this);
}

CCalcPage::~CCalcPage()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

QString CCalcPage::Text(int key) const
{
    return LangText(app, key);
}

void CCalcPage::ShowMessage(int key) const
{
    Prompts().Warn(window(), Text(key));
    ++messagesShown;
}

void CCalcPage::ShowMessage(const QString& text, const QString& caption) const
{
    if (caption.isEmpty())
        Prompts().Warn(window(), text);
    else
        Prompts().WarnTitled(window(), caption, text);
    ++messagesShown;
}

void CCalcPage::SetCaption(QWidget* control, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* box = qobject_cast<QGroupBox*>(control))
        box->setTitle(text);
    else if (control)
        control->setWindowTitle(text);
}

void CCalcPage::RegisterControl(int id, QWidget* control, bool caption)
{
    if (!control)
        return;
    control->setObjectName(QString::number(id));
    controls.insert(id, control);
    if (caption && !captionIds.contains(id))
        captionIds.append(id);
}

void CCalcPage::ApplyLanguage(int offset)
{
    languageShown = offset;
    for (int id : captionIds)
        SetCaption(controls.value(id), LangText(app, id, offset));
}

QPushButton* CCalcPage::MakeStoreButton(int id)
{
    auto* b = new QPushButton(this);
    RegisterControl(id, b, id != info.projectId);
    if (id == info.addId) {
        addButton = b;
        connect(b, &QPushButton::clicked, this, &CCalcPage::OnAdd);
    } else if (id == info.updateId) {
        updateButton = b;
        connect(b, &QPushButton::clicked, this, &CCalcPage::OnUpdate);
    } else if (id == info.projectId) {
        projectButton = b;
        b->setIcon(QIcon(bitmap333));
        b->setIconSize(QSize(16, 16));
        connect(b, &QPushButton::clicked, this, &CCalcPage::OnProjectButton);
    }
    return b;
}

void CCalcPage::Activate()
{
    if (!initialised) {
        initialised = true;
        OnInitDialog();
    }
    active = true;
    OnSetActive();
}

void CCalcPage::Deactivate()
{
    active = false;
}

void CCalcPage::OnInitDialog()
{
    ApplyLanguage(app.languageOffset);
    FillLists();
    const int a = KindToArrayIndex(info.kind);
    const bool current = a >= 0 && app.project.currentIndex[a] != -1;
    if (updateButton)
        updateButton->setEnabled(current);
    if (projectButton)
        projectButton->setEnabled(current);
    ShowInputs(1);
    ShowResults();
    DataToControls();
}

void CCalcPage::OnSetActive()
{
    app.activeCalcKind = info.kind;
    // The conclusion and warning were written in the language of the last
    // calculation: a page shown last in another language calculates again, so
    // that its verdict (and its printout) reads in the language now in use.
    const bool languageChanged = languageShown != 0 && languageShown != app.languageOffset;
    ApplyLanguage(app.languageOffset);
    const int a = KindToArrayIndex(info.kind);
    UpdateStoreButtons();
    if (a < 0 || app.project.Count(a) == 0) {
        ResetListsToFirst();
        ResetNumberAndName();
        DataToControls();
    }
    if (languageChanged)
        Recalculate();
    emit activated(info.kind);
}

void CCalcPage::UpdateStoreButtons()
{
    // Update needs a current stored record to overwrite; the project button
    // only stored records.
    const int a = KindToArrayIndex(info.kind);
    const bool stored = a >= 0 && app.project.Count(a) != 0;
    if (updateButton)
        updateButton->setEnabled(stored && app.project.currentIndex[a] >= 0 && app.project.currentIndex[a] < app.project.Count(a));
    if (projectButton)
        projectButton->setEnabled(stored);
}

void CCalcPage::RunProjectManager(bool afterStore)
{
    // The page just stored reloads what it stored, its number and name.
    if (sheet && !sheet->ManageProject(afterStore))
        return;
    // With no stored calculation current, the number and name show "-".
    const int a = KindToArrayIndex(info.kind);
    if (a >= 0 && app.project.currentIndex[a] == -1) {
        ShowInputs(1);
        DataToControls();
    }
}

void CCalcPage::OnAdd()
{
    ReadInputs();
    if (!app.StoreCurrentCalc(info.kind, -1))
        return;
    if (updateButton)
        updateButton->setEnabled(true);
    RunProjectManager(true);
}

void CCalcPage::OnUpdate()
{
    ReadInputs();
    const int a = KindToArrayIndex(info.kind);
    app.StoreCurrentCalc(info.kind, a >= 0 ? app.project.currentIndex[a] : -1);
}

void CCalcPage::OnProjectButton()
{
    RunProjectManager();
}

bool CCalcPage::IsTrigger(QObject* watched, QEvent* event)
{
    int code = 0;
    quint64 timestamp = 0;
    if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        switch (k->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            break;
        default:
            return false;
        }
        code = k->key();
        timestamp = k->timestamp();
    } else if (event->type() == QEvent::MouseButtonPress) {
        auto* m = static_cast<QMouseEvent*>(event);
        // The left button alone, with neither Shift nor Ctrl held.
        if (m->button() != Qt::LeftButton || m->buttons() != Qt::LeftButton)
            return false;
        if (m->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))
            return false;
        code = Qt::LeftButton;
        timestamp = m->timestamp();
    } else {
        return false;
    }

    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || !isAncestorOf(w))
        return false;

    // A control that leaves the event alone hands it on to its parent: that
    // is the same key press or click, and it recalculated already.
    if (last.type == event->type() && last.code == code && last.timestamp == timestamp && last.receiver &&
        last.receiver != w && w->isAncestorOf(last.receiver)) {
        last.receiver = w;
        return false;
    }
    last.type = event->type();
    last.code = code;
    last.timestamp = timestamp;
    last.receiver = w;
    return true;
}

bool CCalcPage::eventFilter(QObject* watched, QEvent* event)
{
    if (!active || !isVisible())
        return false;
    if (!IsTrigger(watched, event))
        return false;
    const int messagesBefore = messagesShown;
    ++triggered;
    Recalculate();
    // A message that the recalculation showed on a press took that press:
    // the control under the mouse does not act on it, nor stays pressed.
    if (event->type() == QEvent::MouseButtonPress && messagesShown != messagesBefore)
        return true;
    return false;
}
