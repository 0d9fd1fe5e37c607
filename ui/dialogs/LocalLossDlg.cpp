#include "dialogs/LocalLossDlg.h"

#include "app/DalvorApp.h"
#include "base/Text.h"
#include "controls/ColorControls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace {

constexpr int kCaption = 116;
constexpr int kFittingsGroup = 1498;
// Per bend: label, count edit, unit.
constexpr int kBendLabels[4] = {1499, 1502, 1504, 1507};
constexpr int kCountEdits[4] = {1500, 1274, 1505, 1508};
constexpr int kBendUnits[4] = {1501, 1503, 1506, 1509};
constexpr int kBendsLabel = 1510;
constexpr int kBendsEdit = 1511;
constexpr int kBendsUnit = 1512;
constexpr int kOtherLabel = 1286;
constexpr int kOtherEdit = 1290;
constexpr int kOtherUnit = 1292;
constexpr int kTotalLabel = 1288;
constexpr int kTotalEdit = 1296;
constexpr int kTotalUnit = 1294;

QString Format(const char* format, double v)
{
    return QString::fromStdString(FormatC(format, v));
}

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
    for (int k = 0; k < 4; ++k) {
        countEdits[k] = edit(kCountEdits[k], fittings, false);
        grid->addWidget(label(kBendLabels[k], fittings), k, 0);
        grid->addWidget(countEdits[k], k, 1);
        grid->addWidget(label(kBendUnits[k], fittings), k, 2);
        connect(countEdits[k], &QLineEdit::textEdited, this, &CLocalLossDlg::OnChangeBendCount);
    }
    bendsEdit = edit(kBendsEdit, fittings, true);
    grid->addWidget(label(kBendsLabel, fittings), 4, 0);
    grid->addWidget(bendsEdit, 4, 1);
    grid->addWidget(label(kBendsUnit, fittings), 4, 2);
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
    setTabOrder(countEdits[3], otherEdit);
}

double CLocalLossDlg::BendsCoefficient(const int counts[4])
{
    float sum = 0.0f;
    for (int k = 0; k < 4; ++k)
        sum += static_cast<float>(counts[k]) * kBendCoefficient[k];
    return static_cast<double>(sum);
}

int CLocalLossDlg::ReadCount(const QString& text)
{
    int i = 0;
    const int n = static_cast<int>(text.size());
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    long long value = 0;
    for (; i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;  // held; more digits change nothing
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

void CLocalLossDlg::OnInitDialog()
{
    CInputDialog::OnInitDialog();
    // Counts and coefficients cannot be negative.
    for (int& count : bendCounts)
        count = std::max(count, 0);
    otherLossCoefficient = std::max(otherLossCoefficient, 0.0);
    bendsCoefficient = BendsCoefficient(bendCounts);
    totalLossCoefficient = bendsCoefficient + otherLossCoefficient;
    for (int k = 0; k < 4; ++k)
        countEdits[k]->setText(QString::number(bendCounts[k]));
    bendsEdit->setText(Format("%.2f", bendsCoefficient));
    otherEdit->setText(Format("%.2f", otherLossCoefficient));
    totalEdit->setText(Format("%.2f", totalLossCoefficient));
}

void CLocalLossDlg::Recompute()
{
    // A negative count or coefficient is taken as 0; the field keeps its text.
    for (int k = 0; k < 4; ++k)
        bendCounts[k] = std::max(ReadCount(countEdits[k]->text()), 0);
    otherLossCoefficient = std::max(ReadDecimalField(otherEdit), 0.0);
    bendsCoefficient = BendsCoefficient(bendCounts);
    totalLossCoefficient = bendsCoefficient + otherLossCoefficient;
    // Three decimals from the first change on.
    bendsEdit->setText(Format("%.3f", bendsCoefficient));
    totalEdit->setText(Format("%.3f", totalLossCoefficient));
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
