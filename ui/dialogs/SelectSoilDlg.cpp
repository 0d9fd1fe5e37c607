#include "ui/dialogs/SelectSoilDlg.h"

#include "core/app/DalvorApp.h"
#include "core/project/Records.h"
#include "ui/controls/ColorControls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace {

using M = CSelectSoilModel;

constexpr int kCaption = 119;
constexpr int kSoilList = 1524;
constexpr int kSlider = 1525;
constexpr int kSliderLow = 1526;
constexpr int kSliderHigh = 1527;
constexpr int kListLabel = 1590;
constexpr int kDegreeLabel = 1308;

// The read-only fields, top to bottom: label, field and unit; the two text
// fields have no unit.
struct FieldRow {
    int label;
    int field;
    int unit;
};
constexpr FieldRow kRows[] = {
    {1528, M::kSoilTypeField, 0},          {1271, M::kStateField, 0},
    {kDegreeLabel, M::kDegreeField, 1310}, {1530, M::kUnitWeightField, 1531},
    {1532, M::kFrictionAngleField, 1534},  {1535, M::kCohesionField, 1537},
    {1538, M::kPorosityField, 1540},       {1541, M::kMoistureField, 1543},
    {1544, M::kOverallModulusField, 1546}, {1547, M::kElasticModulusField, 1549},
    {1550, M::kPoissonRatioField, 1552},
};

template <typename Record>
bool Choose(CDalvorApp& app, Record& r, double degree, QWidget* parent)
{
    CSelectSoilDlg dlg(app, parent);
    dlg.Model().soilIndex = r.soilIndex;
    dlg.Model().stateDegree = degree;
    if (dlg.exec() != QDialog::Accepted)
        return false;
    CSelectSoilModel::CopyChoice(dlg.Model().Choice(), r);
    return true;
}

}  // namespace

CSelectSoilDlg::CSelectSoilDlg(CDalvorApp& a, QWidget* parent) : CInputDialog(a, kCaption, parent), model(a.tables, a.languageOffset)
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
    slider->setRange(0, M::kLastPosition);
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
        e->setFixedWidth(f.unit ? 70 : 160);
        fields.append({f.field, e});
        grid->addWidget(l, row, 0);
        // The two text fields reach over the units' column, so the units
        // stand beside the numbers.
        if (f.unit) {
            grid->addWidget(e, row, 1);
            grid->addWidget(MakeLabel(f.unit), row, 2);
        } else {
            grid->addWidget(e, row, 1, 1, 2);
        }
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

void CSelectSoilDlg::OnInitDialog()
{
    CInputDialog::OnInitDialog();
    model.Open();
    {
        filling = true;
        QSignalBlocker block(slider);
        soilList->clear();
        slider->setRange(0, M::kLastPosition);
        for (int i = 0; i < model.RowCount(); ++i)
            soilList->addItem(QString::fromStdU16String(model.RowName(i)));
        soilList->setCurrentRow(model.soilIndex);
        filling = false;
    }
    ShowParameters();
}

void CSelectSoilDlg::OnSelchangeSoilList()
{
    model.ChooseRow(soilList->currentRow());
    ShowParameters();
}

void CSelectSoilDlg::OnCustomdrawStateSlider()
{
    model.SetPosition(slider->value());
    ShowParameters();
}

void CSelectSoilDlg::ShowParameters()
{
    for (const auto& [id, e] : fields)
        e->setText(QString::fromStdU16String(model.FieldText(id)));
    if (const int key = model.DegreeCaptionKey())
        degreeLabel->setText(Text(key));
    {
        QSignalBlocker block(slider);
        slider->setValue(model.position);
    }
    OkButton()->setEnabled(model.HasSoil());
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
