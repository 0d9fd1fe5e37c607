#include "ui/dialogs/LocalLossDlg.h"

#include "ui/controls/ColorControls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int kCaption = 116;
constexpr int kFittingsGroup = 1498;
// Per bend: label, count edit, unit.
constexpr int kBends = CLocalLossModel::kBendKinds;
constexpr int kBendLabels[kBends] = {1499, 1502, 1504, 1507};
constexpr int kCountEdits[kBends] = {1500, 1274, 1505, 1508};
constexpr int kBendUnits[kBends] = {1501, 1503, 1506, 1509};
constexpr int kBendsLabel = 1510;
constexpr int kBendsEdit = 1511;
constexpr int kBendsUnit = 1512;
constexpr int kOtherLabel = 1286;
constexpr int kOtherEdit = 1290;
constexpr int kOtherUnit = 1292;
constexpr int kTotalLabel = 1288;
constexpr int kTotalEdit = 1296;
constexpr int kTotalUnit = 1294;

}  // namespace

CLocalLossDlg::CLocalLossDlg(CDalvorApp& a, QWidget* parent) : CInputDialog(a, kCaption, parent)
{
    auto label = [this](int id, QWidget* owner) {
        auto* l = new QLabel(owner);
        l->setTextFormat(Qt::PlainText);
        Register(id, l);
        return l;
    };
    auto edit = [this](int id, QWidget* owner, bool readOnly) {
        auto* e = new QLineEdit(owner);
        Register(id, e, false);
        if (readOnly)
            MarkReadOnlyField(e);
        e->setFixedWidth(80);
        return e;
    };

    auto* fittings = new QGroupBox(this);
    Register(kFittingsGroup, fittings);
    auto* grid = new QGridLayout(fittings);
    for (int k = 0; k < kBends; ++k) {
        countEdits[k] = edit(kCountEdits[k], fittings, false);
        grid->addWidget(label(kBendLabels[k], fittings), k, 0);
        grid->addWidget(countEdits[k], k, 1);
        grid->addWidget(label(kBendUnits[k], fittings), k, 2);
        connect(countEdits[k], &QLineEdit::textEdited, this, &CLocalLossDlg::OnChangeBendCount);
    }
    bendsEdit = edit(kBendsEdit, fittings, true);
    grid->addWidget(label(kBendsLabel, fittings), kBends, 0);
    grid->addWidget(bendsEdit, kBends, 1);
    grid->addWidget(label(kBendsUnit, fittings), kBends, 2);
    grid->setColumnStretch(0, 1);

    auto* sums = new QGridLayout;
    otherEdit = edit(kOtherEdit, this, false);
    connect(otherEdit, &QLineEdit::textEdited, this, &CLocalLossDlg::OnChangeOtherLosses);
    totalEdit = edit(kTotalEdit, this, true);
    sums->addWidget(label(kOtherLabel, this), 0, 0);
    sums->addWidget(otherEdit, 0, 1);
    sums->addWidget(label(kOtherUnit, this), 0, 2);
    sums->addWidget(label(kTotalLabel, this), 1, 0);
    sums->addWidget(totalEdit, 1, 1);
    sums->addWidget(label(kTotalUnit, this), 1, 2);
    sums->setColumnStretch(0, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(fittings);
    left->addLayout(sums);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(MakeButtonColumn());
    setTabOrder(countEdits[kBends - 1], otherEdit);
}

void CLocalLossDlg::OnInitDialog()
{
    CInputDialog::OnInitDialog();
    model.Open();
    for (int k = 0; k < kBends; ++k)
        countEdits[k]->setText(QString::fromStdU16String(model.CountText(k)));
    bendsEdit->setText(QString::fromStdU16String(model.BendsText()));
    otherEdit->setText(QString::fromStdU16String(model.OtherText()));
    totalEdit->setText(QString::fromStdU16String(model.TotalText()));
}

void CLocalLossDlg::Recompute()
{
    std::u16string counts[kBends];
    for (int k = 0; k < kBends; ++k)
        counts[k] = countEdits[k]->text().toStdU16String();
    model.Change(counts, ReadDecimalField(otherEdit));
    bendsEdit->setText(QString::fromStdU16String(model.BendsText()));
    totalEdit->setText(QString::fromStdU16String(model.TotalText()));
}

void CLocalLossDlg::OnChangeBendCount()
{
    Recompute();
}

void CLocalLossDlg::OnChangeOtherLosses()
{
    Recompute();
    // A comma turned into a point rewrites the field: the caret goes back to
    // the end, where the user is typing.
    otherEdit->end(false);
}
