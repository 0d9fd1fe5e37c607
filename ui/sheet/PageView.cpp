#include "ui/sheet/PageView.h"

#include "core/app/DalvorApp.h"
#include "core/pages/PageModel.h"
#include "ui/base/UiText.h"
#include "ui/controls/ColorControls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

// Item data of a list: the table row and that row's id.
constexpr int kRowRole = Qt::UserRole;
constexpr int kIdRole = Qt::UserRole + 1;

QString Q(const std::u16string& s)
{
    return QString::fromStdU16String(s);
}

}  // namespace

CPageView::CPageView(CDalvorApp& a, const CalcPageInfo& i, CPageModel& m, QWidget* parent)
    : CCalcPage(a, i, parent), model(m)
{
    reloadToken = app.AddReloadListener([this] { OnReferenceReloaded(); });
}

CPageView::~CPageView()
{
    app.RemoveReloadListener(reloadToken);
}

QColor CPageView::ToColor(unsigned rgb)
{
    if (rgb == kFaceColor)
        return ButtonFaceColor();
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// ---- model and widgets ---------------------------------------------------------

void CPageView::Pull()
{
    for (int id : pulled)
        if (auto* e = qobject_cast<QLineEdit*>(Control(id)))
            model.SetText(id, e->text().toStdU16String());
    for (auto it = radioGroups.cbegin(); it != radioGroups.cend(); ++it)
        if (it.value()->checkedId() >= 0)
            model.SetChoice(it.key(), it.value()->checkedId());
    for (auto it = checkBoxes.cbegin(); it != checkBoxes.cend(); ++it)
        model.SetChoice(it.key(), it.value()->isChecked() ? 1 : 0);
}

void CPageView::Push()
{
    for (const auto& [id, text] : model.Texts()) {
        QWidget* w = Control(id);
        const QString t = Q(text);
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            // Only a text that changes is written, so the caret stays where
            // it is; a text longer than its field shows its beginning.
            if (e->text() != t) {
                e->setText(t);
                e->setCursorPosition(0);
            }
        } else if (auto* l = qobject_cast<QLabel*>(w)) {
            if (l->text() != t)
                l->setText(t);
        }
    }
    for (const auto& [id, list] : model.Lists()) {
        auto* c = qobject_cast<QComboBox*>(Control(id));
        if (!c)
            continue;
        const QSignalBlocker block(c);
        if (c->property("revision").toInt() != list.revision || c->count() != int(list.items.size())) {
            c->clear();
            for (const ListItem& item : list.items) {
                c->addItem(Q(item.text));
                c->setItemData(c->count() - 1, item.row, kRowRole);
                c->setItemData(c->count() - 1, item.id, kIdRole);
            }
            c->setProperty("revision", list.revision);
        }
        c->setCurrentIndex(list.selected < c->count() ? list.selected : -1);
    }
    for (const auto& [group, index] : model.Choices()) {
        if (QButtonGroup* g = radioGroups.value(group))
            if (QAbstractButton* b = g->button(index); b && !b->isChecked())
                b->setChecked(true);
        if (QAbstractButton* b = checkBoxes.value(group); b && b->isChecked() != (index == 1))
            b->setChecked(index == 1);
    }
    for (const auto& [id, s] : model.States()) {
        QWidget* w = Control(id);
        if (!w)
            continue;
        if (w->isEnabled() != s.enabled)
            w->setEnabled(s.enabled);
        if (w->isHidden() == s.visible)
            w->setVisible(s.visible);
        const QColor back = ToColor(s.background), text = ToColor(s.text);
        if (auto* e = qobject_cast<CColorEdit*>(w)) {
            if (e->BkColor() != back)
                e->SetBkColor(back);
            if (e->TextColor() != text)
                e->SetTextColor(text);
        } else if (auto* l = qobject_cast<CColorStatic*>(w)) {
            if (l->BkColor() != back)
                l->SetBkColor(back);
            if (l->TextColor() != text)
                l->SetTextColor(text);
        }
    }
}

void CPageView::Run(const std::function<void()>& step)
{
    ++running;
    Pull();
    step();
    Push();
    // Update and "?" follow the stored calculations of the kind.
    UpdateStoreButtons();
    for (const MessageRequest& m : model.TakeMessages()) {
        const QString text = Q(FormatMessage(Text(m.textKey).toStdU16String(), m.args));
        const QString caption =
            m.captionKey ? Q(FormatMessage(Text(m.captionKey).toStdU16String(), m.captionArgs)) : QString();
        ShowMessage(text, caption);
    }
    --running;
    ModelChanged();
}

// ---- the page contract -----------------------------------------------------------

void CPageView::Recalculate()
{
    Run([this] { model.Recalculate(); });
}

void CPageView::ReadInputs()
{
    Run([this] { model.ReadInputs(); });
}

void CPageView::ShowInputs(int resetNumber)
{
    Run([this, resetNumber] { model.ShowInputs(resetNumber); });
}

void CPageView::ShowResults()
{
    Run([this] { model.ShowResults(); });
}

void CPageView::FillLists()
{
    Run([this] { model.FillLists(); });
}

void CPageView::ResetListsToFirst()
{
    Run([this] { model.ResetListsToFirst(); });
}

void CPageView::ResetNumberAndName()
{
    Run([this] { model.ResetNumberAndName(); });
}

void CPageView::ApplyLanguage(int offset)
{
    CCalcPage::ApplyLanguage(offset);
    Run([this, offset] { model.ApplyLanguage(offset); });
}

void CPageView::OnReferenceReloaded()
{
    // A page not yet shown fills its lists when it is first activated.
    if (!IsInitialised())
        return;
    bool refilled = false;
    Run([this, &refilled] { refilled = model.ReferenceReloaded(); });
    // Lists of another shape: the page works the record out with the pipe
    // they give.
    if (refilled && IsActivePage())
        Recalculate();
}

// ---- building ------------------------------------------------------------------

QGroupBox* CPageView::MakeGroup(int id)
{
    auto* g = new QGroupBox(this);
    RegisterControl(id, g);
    return g;
}

QLabel* CPageView::MakeLabel(int id)
{
    auto* l = new QLabel(this);
    l->setTextFormat(Qt::PlainText);
    RegisterControl(id, l);
    return l;
}

CColorStatic* CPageView::MakeColorText(int id)
{
    auto* l = new CColorStatic(this);
    l->setWordWrap(true);
    RegisterControl(id, l, false);
    return l;
}

QVBoxLayout* CPageView::MakeColumn(QWidget* owner)
{
    auto* l = new QVBoxLayout(owner);
    l->setContentsMargins(6, 4, 6, 4);
    l->setSpacing(4);
    return l;
}

QGridLayout* CPageView::MakeVerdict(int captionId, int conclusionId, int warningId, QWidget* hint)
{
    auto* verdict = new QGridLayout;
    verdict->setContentsMargins(6, 2, 6, 2);
    verdict->setVerticalSpacing(3);
    verdict->addWidget(MakeLabel(captionId), 0, 0, Qt::AlignTop);
    verdict->addWidget(MakeColorText(conclusionId), 0, 1);
    verdict->addWidget(MakeColorText(warningId), 1, 0, 1, 2);
    verdict->addWidget(hint, 2, 0, 1, 2);
    verdict->setColumnStretch(1, 1);
    return verdict;
}

QPushButton* CPageView::MakeQueryButton(int id)
{
    auto* b = new QPushButton(this);
    b->setIcon(QIcon(DialogQueryBitmap()));
    b->setIconSize(QSize(16, 16));
    b->setFixedSize(kButtonWidth, 22);
    b->setFocusPolicy(Qt::TabFocus);
    RegisterControl(id, b, false);
    return b;
}

QGridLayout* CPageView::MakeGrid(QWidget* owner)
{
    auto* g = new QGridLayout(owner);
    // Rows outside a box stand in as far as the frame of a box would put
    // them, so that their fields line up with the boxes' fields.
    int inset = 0;
    if (!qobject_cast<QGroupBox*>(owner)) {
        QGroupBox probe(QStringLiteral("x"));
        probe.setStyle(owner->style());
        inset = probe.contentsMargins().right();
    }
    g->setContentsMargins(6 + inset, 4, 6 + inset, 4);
    g->setHorizontalSpacing(4);
    g->setVerticalSpacing(3);
    g->setColumnStretch(0, 1);
    g->setColumnMinimumWidth(1, kFieldWidth);
    g->setColumnMinimumWidth(2, kUnitWidth);
    g->setColumnMinimumWidth(3, kButtonWidth);
    return g;
}

QGridLayout* CPageView::WithoutButtons(QGridLayout* grid)
{
    grid->setColumnMinimumWidth(3, 0);
    return grid;
}

QHBoxLayout* CPageView::MakeStoreButtons()
{
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 2, 6, 2);
    buttons->addWidget(MakeStoreButton(info.addId));
    buttons->addWidget(MakeStoreButton(info.updateId));
    QPushButton* project = MakeStoreButton(info.projectId);
    project->setFixedSize(28, 24);
    buttons->addWidget(project);
    return buttons;
}

void CPageView::MarkNotTyped(QLineEdit* e)
{
    MarkReadOnlyField(e);
}

QHBoxLayout* CPageView::MakeSoilRow(int nameId, int buttonId, const std::function<void()>& onChoose)
{
    auto* row = new QHBoxLayout;
    auto* name = new QLineEdit(this);
    name->setMinimumWidth(120);
    RegisterControl(nameId, name, false);
    AddPulled(nameId);
    row->addWidget(name, 1);
    auto* button = new QPushButton(this);
    RegisterControl(buttonId, button);
    row->addWidget(button);
    connect(button, &QPushButton::clicked, this, onChoose);
    return row;
}

QComboBox* CPageView::MakeCombo(int id)
{
    auto* c = new QComboBox(this);
    c->setEditable(false);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(8);
    RegisterControl(id, c, false);
    // The user's choice runs the handler; choosing the item already shown
    // changes nothing.
    connect(c, &QComboBox::activated, this, [this, id](int index) {
        if (index == model.Selected(id))
            return;
        Run([this, id, index] {
            model.Select(id, index);
            model.OnListChosen(id, index);
        });
    });
    return c;
}

QAbstractButton* CPageView::MakeCheckBox(int id)
{
    auto* b = new QCheckBox(this);
    RegisterControl(id, b);
    checkBoxes.insert(id, b);
    connect(b, &QCheckBox::clicked, this, [this, id](bool on) {
        Run([this, id, on] {
            model.SetChoice(id, on ? 1 : 0);
            model.OnChoiceClicked(id, on ? 1 : 0);
        });
    });
    return b;
}

QButtonGroup* CPageView::AddRadioGroup(int group, std::initializer_list<int> ids)
{
    auto* g = new QButtonGroup(this);
    int index = 0;
    for (int id : ids) {
        auto* r = new QRadioButton(this);
        RegisterControl(id, r);
        g->addButton(r, index);
        // A click on the radio already chosen counts too.
        connect(r, &QRadioButton::clicked, this, [this, group, index] {
            Run([this, group, index] {
                model.SetChoice(group, index);
                model.OnChoiceClicked(group, index);
            });
        });
        ++index;
    }
    radioGroups.insert(group, g);
    return g;
}

int CPageView::AddFieldRows(QGridLayout* grid, int group, int row)
{
    for (const FieldSpec& f : model.Fields()) {
        if (f.groupId != group)
            continue;
        const bool result = f.flags & FieldSpec::Result;
        const bool wide = f.flags & FieldSpec::Wide;
        QWidget* field = nullptr;
        QLabel* caption = nullptr;
        if (f.captionId) {
            if (result) {
                auto* l = new CColorStatic(this);
                // Results' captions may take a second line; inputs' never.
                l->setWordWrap(true);
                RegisterControl(f.captionId, l);
                caption = l;
            } else {
                caption = MakeLabel(f.captionId);
            }
        }
        if (f.flags & FieldSpec::Combo) {
            field = MakeCombo(f.id);
            if (!wide)
                field->setFixedWidth(kFieldWidth);
        } else if (result) {
            auto* e = new CColorEdit(this);
            e->setReadOnly(true);
            // Results can be selected and copied, but Tab passes them by.
            e->setFocusPolicy(Qt::ClickFocus);
            e->setFixedWidth(kFieldWidth);
            RegisterControl(f.id, e, false);
            field = e;
        } else {
            auto* e = new QLineEdit(this);
            RegisterControl(f.id, e, false);
            if (f.flags & FieldSpec::ReadOnly) {
                MarkNotTyped(e);
                e->setFixedWidth(kFieldWidth);
            } else {
                if (wide)
                    e->setMinimumWidth(160);
                else
                    e->setFixedWidth(kFieldWidth);
            }
            field = e;
        }
        if (!(f.flags & FieldSpec::ReadOnly) && !(f.flags & FieldSpec::Combo) &&
            ((f.flags & FieldSpec::Input) || !result))
            pulled.append(f.id);

        if (wide && (f.flags & FieldSpec::Combo)) {
            // A list with a long caption: the caption above, the list across.
            if (caption)
                grid->addWidget(caption, row++, 0, 1, 4);
            grid->addWidget(field, row++, 0, 1, 4);
            continue;
        }
        if (caption)
            grid->addWidget(caption, row, 0);
        if (wide) {
            grid->addWidget(field, row, 1, 1, 3);
        } else {
            grid->addWidget(field, row, 1);
            if (f.unitId) {
                QLabel* unit = MakeLabel(f.unitId);
                unit->setMinimumWidth(kUnitWidth);
                grid->addWidget(unit, row, 2);
            }
            if (f.buttonId)
                grid->addWidget(MakeQueryButton(f.buttonId), row, 3);
        }
        ++row;
    }
    return row;
}
