#include "dialogs/SelectSoilDlg.h"

#include "app/DalvorApp.h"
#include "base/Text.h"
#include "controls/ColorControls.h"
#include "catalogue/ReferenceTables.h"
#include "project/Records.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int kCaption = 119;
constexpr int kSoilList = 1524;
constexpr int kSlider = 1525;
constexpr int kSliderLow = 1526;
constexpr int kSliderHigh = 1527;
constexpr int kListLabel = 1590;
constexpr int kDegreeLabel = 1308;
constexpr int kSoilTypeField = 1529;
constexpr int kStateField = 1304;
constexpr int kDegreeField = 1311;

constexpr int kTextCohesive = 20268;
constexpr int kTextGranular = 20269;
constexpr int kTextLoose = 20270;
constexpr int kTextMedium = 20271;
constexpr int kTextDense = 20272;
constexpr int kTextSoftPlastic = 20273;
constexpr int kTextPlastic = 20274;
constexpr int kTextSemiplastic = 20275;
constexpr int kTextSemisolid = 20276;
constexpr int kTextDensityIndex = 20277;
constexpr int kTextLiquidityIndex = 20278;

// Density-index bounds of a granular soil's states.
constexpr double kLooseUpTo = 0.33f;
constexpr double kMediumUpTo = 0.67f;
// How far below a grid point a degree still counts as on it.
constexpr double kGridTolerance = 1e-6;

// The read-only fields, top to bottom: label, field, unit (0: none), format
// (nullptr: a text field).
struct FieldRow {
    int label;
    int field;
    int unit;
    const char* format;
};
constexpr FieldRow kRows[] = {
    {1528, kSoilTypeField, 0, nullptr},   {1271, kStateField, 0, nullptr},
    {kDegreeLabel, kDegreeField, 1310, "%.2f"}, {1530, 1275, 1531, "%.2f"},
    {1532, 1533, 1534, "%.0f"},           {1535, 1536, 1537, "%.2f"},
    {1538, 1539, 1540, "%.0f"},           {1541, 1542, 1543, "%.0f"},
    {1544, 1545, 1546, "%.0f"},           {1547, 1548, 1549, "%.0f"},
    {1550, 1551, 1552, "%.2f"},
};

// The name shown for no soil, in every language.
const QString kNoSoilName = QStringLiteral("nieokreślony");

QString Number(const char* format, double v)
{
    // A value the table's coefficients cannot give (a zero modulus ratio)
    // shows as no value.
    if (!std::isfinite(v))
        return QStringLiteral("-");
    return QString::fromStdString(FormatC(format, v));
}

template <std::size_t N>
void CopyName(char16_t (&dst)[N], const std::u16string& name)
{
    static_assert(N > CSelectSoilDlg::kMaxSoilName);
    std::size_t n = std::min<std::size_t>(name.size(), CSelectSoilDlg::kMaxSoilName);
    // Never half of a surrogate pair.
    if (n < name.size() && n > 0 && name[n - 1] >= 0xD800 && name[n - 1] <= 0xDBFF)
        --n;
    CopyBounded(dst, std::u16string_view(name).substr(0, n));
}

template <typename Record>
void CopySoilFields(const SoilChoice& c, Record& r, double& degree)
{
    r.soilIndex = c.soilIndex;
    CopyName(r.soilName, c.soilName);
    r.frictionAngle = c.frictionAngle;
    r.cohesion = c.cohesion;
    degree = c.stateDegree;
    r.unitWeight = c.unitWeight;
    r.porosity = c.porosity;
}

template <typename Record>
bool Choose(CDalvorApp& app, Record& r, double& degree, QWidget* parent)
{
    CSelectSoilDlg dlg(app, parent);
    dlg.soilIndex = r.soilIndex;
    dlg.stateDegree = degree;
    if (dlg.exec() != QDialog::Accepted)
        return false;
    CopySoilFields(dlg.Choice(), r, degree);
    return true;
}

}  // namespace

CSelectSoilDlg::CSelectSoilDlg(CDalvorApp& a, QWidget* parent) : CInputDialog(a, kCaption, parent)
{

    soilList = new QListWidget(this);
    Register(kSoilList, soilList, false);
    soilList->setMinimumSize(230, 220);
    connect(soilList, &QListWidget::currentRowChanged, this, [this] {
        if (!filling)
            OnSelchangeSoilList();
    });

    slider = new QSlider(Qt::Horizontal, this);
    Register(kSlider, slider, false);
    slider->setRange(0, kLastPosition);
    slider->setPageStep(1);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(1);
    connect(slider, &QSlider::valueChanged, this, &CSelectSoilDlg::OnCustomdrawStateSlider);

    auto* scale = new QHBoxLayout;
    scale->addWidget(MakeLabel(kSliderLow));
    scale->addWidget(slider, 1);
    scale->addWidget(MakeLabel(kSliderHigh));

    auto* left = new QVBoxLayout;
    left->addWidget(MakeLabel(kListLabel));
    left->addWidget(soilList, 1);
    left->addLayout(scale);

    auto* grid = new QGridLayout;
    int row = 0;
    for (const FieldRow& f : kRows) {
        QLabel* l = MakeLabel(f.label);
        if (f.label == kDegreeLabel)
            degreeLabel = l;
        auto* e = new QLineEdit(this);
        Register(f.field, e, false);
        MarkReadOnlyField(e);
        e->setFixedWidth(f.format ? 70 : 160);
        fields.append({f.field, e});
        grid->addWidget(l, row, 0);
        // The two text fields reach over the units' column, so the units
        // stand beside the numbers.
        if (f.format)
            grid->addWidget(e, row, 1);
        else
            grid->addWidget(e, row, 1, 1, 2);
        if (f.unit)
            grid->addWidget(MakeLabel(f.unit), row, 2);
        ++row;
    }
    grid->setRowStretch(row, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(grid);
    layout->addLayout(MakeButtonColumn());
}

QLineEdit* CSelectSoilDlg::Field(int id) const
{
    for (const auto& [fid, e] : fields)
        if (fid == id)
            return e;
    return nullptr;
}

int CSelectSoilDlg::SliderPosition(double x)
{
    const double p = std::floor(kLastPosition * (x - 0.0) / (1.0 - 0.0) + 0 + kGridTolerance);
    if (!(p >= 0.0))
        return 0;
    return p > kLastPosition ? kLastPosition : static_cast<int>(p);
}

int CSelectSoilDlg::StateKey(int group, double x)
{
    if (group == 0) {
        if (x > kMediumUpTo && x <= 1.0)
            return kTextDense;
        if (x > kLooseUpTo && x <= kMediumUpTo)
            return kTextMedium;
        if (x <= kLooseUpTo)
            return kTextLoose;
    } else if (group > 0) {
        if (x > 0.5 && x <= 1.0)
            return kTextSoftPlastic;
        if (x > 0.25 && x <= 0.5)
            return kTextPlastic;
        if (x > 0.0 && x <= 0.25)
            return kTextSemiplastic;
        if (x <= 0.0)
            return kTextSemisolid;
    }
    return 0;
}

const SoilEntry* CSelectSoilDlg::ChosenRow() const
{
    const int count = std::min<int>(app.soilCount, static_cast<int>(app.soils.size()));
    return soilIndex >= 0 && soilIndex < count ? &app.soils[static_cast<std::size_t>(soilIndex)] : nullptr;
}

void CSelectSoilDlg::OnInitDialog()
{
    CInputDialog::OnInitDialog();
    // A preset row outside the table is no soil.
    if (!ChosenRow())
        soilIndex = -1;
    {
        filling = true;
        QSignalBlocker block(slider);
        soilList->clear();
        slider->setRange(0, kLastPosition);
        const int count = std::min<int>(app.soilCount, static_cast<int>(app.soils.size()));
        for (int i = 0; i < count; ++i)
            soilList->addItem(QString::fromStdU16String(FromFixed(app.soils[static_cast<std::size_t>(i)].name)));
        soilList->setCurrentRow(soilIndex);
        filling = false;
    }
    ComputeSoilParameters();
    ShowParameters();
    // The slider draws itself at its position: the degree stands on the grid.
    OnCustomdrawStateSlider();
}

void CSelectSoilDlg::OnSelchangeSoilList()
{
    soilIndex = soilList->currentRow();
    if (const SoilEntry* row = ChosenRow())
        stateDegree = row->soilCoefficient[0];
    else
        soilIndex = -1;
    ComputeSoilParameters();
    ShowParameters();
    OnCustomdrawStateSlider();
}

void CSelectSoilDlg::OnCustomdrawStateSlider()
{
    stateDegree = (slider->value() - 0) * (1.0 - 0.0) / (kLastPosition - 0) + 0.0;
    ComputeSoilParameters();
    ShowParameters();
}

void CSelectSoilDlg::ComputeSoilParameters()
{
    overallModulus = 0.0;
    elasticModulus = 0.0;
    const SoilEntry* row = ChosenRow();
    if (!row)
        return;
    const double* c = row->soilCoefficient;
    const double x = stateDegree;
    unitWeight = c[1];
    frictionAngle = x * c[3] + c[4];
    cohesion = c[6] * std::exp(x * c[7]);
    porosity = c[8];
    moisture = c[9];
    poissonRatio = c[15];
    overallModulus = c[10] * x * x * x + c[11] * x * x + c[12] * x + c[13];
    elasticModulus = overallModulus / c[14];
    if (const int key = StateKey(row->soilGroup, x))
        stateName = Text(key);
}

void CSelectSoilDlg::ShowParameters()
{
    const SoilEntry* row = ChosenRow();
    if (!row) {
        soilName = kNoSoilName;
        for (const auto& [id, e] : fields)
            e->setText(id == kSoilTypeField || id == kStateField ? QStringLiteral("---") : QStringLiteral("-"));
        OkButton()->setEnabled(false);
        return;
    }
    soilName = QString::fromStdU16String(FromFixed(row->name));
    QString group = QStringLiteral("-");
    if (row->soilGroup == 0) {
        group = Text(kTextGranular);
        degreeLabel->setText(Text(kTextDensityIndex));
    } else if (row->soilGroup > 0) {
        group = Text(kTextCohesive);
        degreeLabel->setText(Text(kTextLiquidityIndex));
    }
    Field(kSoilTypeField)->setText(group);
    Field(kStateField)->setText(stateName);
    const double values[] = {stateDegree, unitWeight, frictionAngle, cohesion, porosity,
                             moisture, overallModulus, elasticModulus, poissonRatio};
    int v = 0;
    for (const FieldRow& f : kRows)
        if (f.format)
            Field(f.field)->setText(Number(f.format, values[v++]));
    {
        QSignalBlocker block(slider);
        slider->setValue(SliderPosition(stateDegree));
    }
    OkButton()->setEnabled(true);
}

SoilChoice CSelectSoilDlg::Choice() const
{
    SoilChoice c;
    c.soilIndex = soilIndex;
    c.stateDegree = stateDegree;
    c.soilName = soilName.toStdU16String();
    c.unitWeight = unitWeight;
    c.porosity = porosity;
    c.frictionAngle = frictionAngle;
    c.cohesion = cohesion;
    return c;
}

void CSelectSoilDlg::CopyChoice(const SoilChoice& c, BuriedPipeRecord& r)
{
    CopySoilFields(c, r, r.stateDegree);
}

void CSelectSoilDlg::CopyChoice(const SoilChoice& c, ManholeRecord& r)
{
    CopySoilFields(c, r, r.soilStateDegree);
}

void CSelectSoilDlg::CopyChoice(const SoilChoice& c, TankRecord& r)
{
    CopySoilFields(c, r, r.soilStateDegree);
}

bool CSelectSoilDlg::ChooseSoil(CDalvorApp& a, BuriedPipeRecord& r, QWidget* parent)
{
    return Choose(a, r, r.stateDegree, parent);
}

bool CSelectSoilDlg::ChooseSoil(CDalvorApp& a, ManholeRecord& r, QWidget* parent)
{
    return Choose(a, r, r.soilStateDegree, parent);
}

bool CSelectSoilDlg::ChooseSoil(CDalvorApp& a, TankRecord& r, QWidget* parent)
{
    return Choose(a, r, r.soilStateDegree, parent);
}
