#include "UpliftPageView.h"

#include "ColorControls.h"
#include "DalvorApp.h"
#include "UpliftPageModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

QColor ToColor(uint32_t rgb)
{
    if (rgb == FieldColors::kFaceColor)
        return ButtonFaceColor();
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace

CUpliftPageView::CUpliftPageView(CDalvorApp& a, const CalcPageInfo& i, QWidget* parent)
    : CCalcPage(a, i, parent)
{
    reloadToken = app.AddReloadListener([this] {
        // A page not yet shown fills its lists when it is first activated.
        if (IsInitialised())
            ReferenceReloaded();
    });
}

CUpliftPageView::~CUpliftPageView()
{
    app.RemoveReloadListener(reloadToken);
}

QLineEdit* CUpliftPageView::Edit(int id) const
{
    return edits.value(id);
}

void CUpliftPageView::DataFromControls()
{
    if (!model)
        return;
    for (auto it = edits.cbegin(); it != edits.cend(); ++it)
        if (!it.value()->isReadOnly() || it.value()->isEnabled())
            model->SetText(it.key(), it.value()->text().toStdU16String());
    for (auto it = checks.cbegin(); it != checks.cend(); ++it)
        model->SetChecked(it.key(), it.value()->isChecked());
}

void CUpliftPageView::DataToControls()
{
    if (!model)
        return;
    for (auto it = edits.cbegin(); it != edits.cend(); ++it) {
        const QString text = QString::fromStdU16String(model->Text(it.key()));
        // Only a text that changes is written, so the caret stays put.
        if (it.value()->text() != text)
            it.value()->setText(text);
    }
    for (auto it = checks.cbegin(); it != checks.cend(); ++it)
        it.value()->setChecked(model->Checked(it.key()) != 0);
    for (int id : followsEnable)
        if (QWidget* w = Control(id))
            w->setEnabled(model->Enabled(id));
    for (auto it = coloured.cbegin(); it != coloured.cend(); ++it) {
        const FieldColors c = model->Colors(it.key());
        if (auto* e = qobject_cast<CColorEdit*>(it.value())) {
            e->SetBkColor(ToColor(c.back));
            e->SetTextColor(ToColor(c.text));
        } else if (auto* s = qobject_cast<CColorStatic*>(it.value())) {
            s->SetBkColor(ToColor(c.back));
            s->SetTextColor(ToColor(c.text));
            const QString text = QString::fromStdU16String(model->Text(it.key()));
            if (!model->Texts().count(it.key()))
                continue;
            if (s->text() != text)
                s->setText(text);
        }
    }
}

void CUpliftPageView::AfterImport(const CImportDlg&)
{
    DataFromControls();
}

void CUpliftPageView::ShowModelMessages()
{
    if (!model)
        return;
    for (const MessageRequest& m : model->TakeMessages()) {
        const QString text = QString::fromStdU16String(FormatMessage(Text(m.textKey).toStdU16String(), m.args));
        const QString caption =
            m.captionKey ? QString::fromStdU16String(FormatMessage(Text(m.captionKey).toStdU16String(), m.captionArgs))
                         : QString();
        ShowMessage(text, caption);
    }
}

void CUpliftPageView::FillList(QComboBox* combo, const QStringList& items, int selection)
{
    QSignalBlocker block(combo);
    combo->clear();
    combo->addItems(items);
    SelectItem(combo, selection);
}

void CUpliftPageView::SelectItem(QComboBox* combo, int index)
{
    QSignalBlocker block(combo);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    combo->setProperty("shownIndex", combo->currentIndex());
}

void CUpliftPageView::ConnectList(QComboBox* combo, std::function<void(int)> handler)
{
    // The user's choice runs the handler; choosing the item already shown
    // changes nothing.
    connect(combo, &QComboBox::activated, this, [combo, handler](int index) {
        if (index == combo->property("shownIndex").toInt())
            return;
        combo->setProperty("shownIndex", index);
        handler(index);
    });
}

// ---- building -------------------------------------------------------------------

QLabel* CUpliftPageView::MakeLabel(int id, bool wrap)
{
    auto* l = new QLabel(this);
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(wrap);
    RegisterControl(id, l);
    return l;
}

QLineEdit* CUpliftPageView::MakeEdit(int id, int width)
{
    auto* e = new QLineEdit(this);
    e->setFixedWidth(width);
    RegisterControl(id, e, false);
    edits.insert(id, e);
    followsEnable.insert(id);
    return e;
}

QLineEdit* CUpliftPageView::MakeResult(int id, bool colour)
{
    QLineEdit* e = colour ? new CColorEdit(this) : new QLineEdit(this);
    e->setReadOnly(true);
    // Results can be selected and copied, but Tab passes them by.
    e->setFocusPolicy(Qt::ClickFocus);
    e->setFixedWidth(kFieldWidth);
    RegisterControl(id, e, false);
    edits.insert(id, e);
    if (colour)
        coloured.insert(id, e);
    return e;
}

QLineEdit* CUpliftPageView::MakeColourEdit(int id)
{
    auto* e = new CColorEdit(this);
    e->setFixedWidth(kFieldWidth);
    RegisterControl(id, e, false);
    edits.insert(id, e);
    coloured.insert(id, e);
    followsEnable.insert(id);
    return e;
}

QLabel* CUpliftPageView::MakeColourStatic(int id, bool caption)
{
    auto* s = new CColorStatic(this);
    s->setTextFormat(Qt::PlainText);
    s->setWordWrap(true);
    s->setAutoFillBackground(true);
    RegisterControl(id, s, caption);
    coloured.insert(id, s);
    return s;
}

QGroupBox* CUpliftPageView::MakeGroup(int id)
{
    auto* g = new QGroupBox(this);
    RegisterControl(id, g);
    return g;
}

QComboBox* CUpliftPageView::MakeList(int id)
{
    auto* c = new QComboBox(this);
    c->setEditable(false);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(8);
    RegisterControl(id, c, false);
    lists.insert(id, c);
    followsEnable.insert(id);
    return c;
}

QAbstractButton* CUpliftPageView::MakeCheck(int id)
{
    auto* b = new QCheckBox(this);
    RegisterControl(id, b);
    checks.insert(id, b);
    followsEnable.insert(id);
    return b;
}

QAbstractButton* CUpliftPageView::MakeRadio(int id)
{
    auto* b = new QRadioButton(this);
    RegisterControl(id, b);
    checks.insert(id, b);
    return b;
}

void CUpliftPageView::AddRow(QGridLayout* grid, int row, int labelId, QWidget* field, int unitId)
{
    grid->addWidget(MakeLabel(labelId, true), row, 0);
    grid->addWidget(field, row, 1);
    if (unitId)
        grid->addWidget(MakeLabel(unitId), row, 2);
}

QGridLayout* CUpliftPageView::MakeGrid(QWidget* owner)
{
    auto* g = new QGridLayout(owner);
    g->setContentsMargins(6, 4, 6, 4);
    g->setHorizontalSpacing(4);
    g->setVerticalSpacing(3);
    g->setColumnStretch(0, 1);
    return g;
}
