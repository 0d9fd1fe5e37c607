#include "dialogs/ImportDlg.h"

#include "app/DalvorApp.h"
#include "base/CalcKind.h"
#include "base/Text.h"
#include "controls/ColorControls.h"
#include "base/UiText.h"
#include "project/Records.h"
#include "sheet/CalcPage.h"
#include "sheet/CalcSheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int kCaption = 132;
constexpr int kSourceGroup = 1649;
constexpr int kListGroup = 1650;
constexpr int kProblemLabel = 1651;
constexpr int kTaskLabel = 1652;
constexpr int kProblemCombo = 1653;
constexpr int kTaskCombo = 1654;
constexpr int kEmptyList = 20342;
// The captions of the buried-pipe, tank and manhole pages name the kinds.
constexpr int kProblemTexts[3] = {112, 109, 108};

constexpr int kCompactionLabel = 1670;
constexpr int kUnitWeightLabel = 1671;
constexpr int kPorosityLabel = 1672;
constexpr int kFrictionAngleLabel = 1674;
constexpr int kCohesionLabel = 1675;
constexpr int kSoilLabels[] = {kCompactionLabel, kUnitWeightLabel, kPorosityLabel, kFrictionAngleLabel,
                               kCohesionLabel};

// The rows top to bottom: the check box or label, its caption key, the value
// field and its unit key (0: none).
struct Row {
    int control;
    bool box;
    int caption;
    int field;
    int unit;
};
constexpr Row kRows[] = {
    {CImportDlg::kGroundLevelBox, true, 1085, CImportDlg::kGroundLevelText, 1087},
    {CImportDlg::kWaterLevelBox, true, 1088, CImportDlg::kWaterLevelText, 1090},
    {CImportDlg::kTankBottomBox, true, 1635, CImportDlg::kTankBottomText, 1636},
    {CImportDlg::kPipeBottomBox, true, 1231, CImportDlg::kPipeBottomText, 1233},
    {CImportDlg::kFoundationLevelBox, true, 1237, CImportDlg::kFoundationLevelText, 1239},
    {CImportDlg::kDiameterBox, true, 1217, CImportDlg::kDiameterText, 1221},
    {CImportDlg::kSoilBox, true, 1243, CImportDlg::kSoilNameText, 0},
    {kCompactionLabel, false, 1245, CImportDlg::kCompactionText, 1247},
    {kUnitWeightLabel, false, 1530, CImportDlg::kUnitWeightText, 1250},
    {kPorosityLabel, false, 1538, CImportDlg::kPorosityText, 1540},
    {kFrictionAngleLabel, false, 1532, CImportDlg::kFrictionAngleText, 1534},
    {kCohesionLabel, false, 1535, CImportDlg::kCohesionText, 1537},
};

QString F2(double v)
{
    return QString::fromStdString(FormatC("%.2f", v));
}

QString F0(double v)
{
    return QString::fromStdString(FormatC("%.0f", v));
}

template <std::size_t N>
QString Name(const char16_t (&text)[N])
{
    // Bounded by the array: a name without its terminator ends there.
    return QString::fromStdU16String(FromFixed(text));
}

// The stored records of a kind that may be read: the count the project
// announces, never past the array.
template <typename Record>
int Readable(const std::vector<Record>& records, int count)
{
    return std::max(0, std::min(count, static_cast<int>(records.size())));
}

}  // namespace

CImportDlg::CImportDlg(CDalvorApp& a, QWidget* parent) : CInputDialog(a, kCaption, parent)
{
    auto* source = new QGroupBox(this);
    Register(kSourceGroup, source);
    auto* sourceGrid = new QGridLayout(source);
    auto* problemLabel = new QLabel(source);
    Register(kProblemLabel, problemLabel);
    auto* taskLabel = new QLabel(source);
    Register(kTaskLabel, taskLabel);
    problemCombo = new QComboBox(source);
    Register(kProblemCombo, problemCombo, false);
    taskCombo = new QComboBox(source);
    Register(kTaskCombo, taskCombo, false);
    taskCombo->setMinimumContentsLength(24);
    sourceGrid->addWidget(problemLabel, 0, 0);
    sourceGrid->addWidget(problemCombo, 0, 1);
    sourceGrid->addWidget(taskLabel, 1, 0);
    sourceGrid->addWidget(taskCombo, 1, 1);
    sourceGrid->setColumnStretch(1, 1);
    connect(problemCombo, &QComboBox::currentIndexChanged, this, &CImportDlg::OnSelchangeProblem);
    connect(taskCombo, &QComboBox::currentIndexChanged, this, &CImportDlg::OnSelchangeTask);

    auto* list = new QGroupBox(this);
    Register(kListGroup, list);
    auto* grid = new QGridLayout(list);
    int r = 0;
    for (const Row& row : kRows) {
        QWidget* control;
        if (row.box) {
            auto* box = new QCheckBox(list);
            boxes.insert(row.control, box);
            connect(box, &QCheckBox::toggled, this, [this, id = row.control](bool on) {
                if (int* flag = Flag(id))
                    *flag = on ? 1 : 0;
            });
            control = box;
        } else {
            auto* label = new QLabel(list);
            label->setTextFormat(Qt::PlainText);
            // In line with the check boxes' texts.
            label->setIndent(style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                             style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing));
            rowLabels.insert(row.control, label);
            control = label;
        }
        Register(row.control, control, false);
        keyedCaptions.append({row.caption, control});
        auto* field = new QLineEdit(list);
        Register(row.field, field, false);
        MarkReadOnlyField(field);
        field->setFixedWidth(row.field == kSoilNameText ? 190 : 90);
        fields.insert(row.field, field);
        grid->addWidget(control, r, 0);
        grid->addWidget(field, r, 1);
        if (row.unit) {
            auto* unit = new QLabel(list);
            unit->setTextFormat(Qt::PlainText);
            unit->setObjectName(QString::number(row.unit));
            keyedCaptions.append({row.unit, unit});
            grid->addWidget(unit, r, 2);
        }
        ++r;
    }
    grid->setColumnStretch(0, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(source);
    left->addWidget(list, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(MakeButtonColumn());
}

int* CImportDlg::Flag(int boxId)
{
    switch (boxId) {
    case kGroundLevelBox: return &importGroundLevel;
    case kWaterLevelBox: return &importWaterLevel;
    case kFoundationLevelBox: return &importFoundationLevel;
    case kDiameterBox: return &importDiameter;
    case kTankBottomBox: return &importTankBottom;
    case kPipeBottomBox: return &importPipeBottom;
    case kSoilBox: return &importSoil;
    default: return nullptr;
    }
}

int CImportDlg::Ticked(int boxId) const
{
    const int* flag = const_cast<CImportDlg*>(this)->Flag(boxId);
    return flag ? *flag : 0;
}

QCheckBox* CImportDlg::CheckBox(int id) const
{
    return boxes.value(id);
}

QLineEdit* CImportDlg::ValueField(int id) const
{
    return fields.value(id);
}

QLabel* CImportDlg::RowLabel(int id) const
{
    return rowLabels.value(id);
}

void CImportDlg::ApplyLanguage(int offset)
{
    CInputDialog::ApplyLanguage(offset);
    for (const auto& [key, control] : keyedCaptions)
        CCalcPage::SetCaption(control, LangText(app, key, offset));
}

void CImportDlg::OnInitDialog()
{
    CInputDialog::OnInitDialog();
    FillProblemCombo();
    FillTaskCombo();
    ShowTaskValues();
}

int CImportDlg::StoredCount() const
{
    const ProjectArrays& p = app.storedRecords;
    switch (problemIndex) {
    case ProblemBuriedPipe: return Readable(p.buriedPipe, app.storedCount[ArrayBuriedPipe]);
    case ProblemTank: return Readable(p.tank, app.storedCount[ArrayTank]);
    case ProblemManhole: return Readable(p.manhole, app.storedCount[ArrayManhole]);
    default: return 0;
    }
}

void CImportDlg::FillProblemCombo()
{
    QSignalBlocker block(problemCombo);
    problemCombo->clear();
    for (int key : kProblemTexts)
        problemCombo->addItem(Text(key));
    problemCombo->setCurrentIndex(0);
    problemIndex = 0;
}

void CImportDlg::FillTaskCombo()
{
    QSignalBlocker block(taskCombo);
    const int count = StoredCount();
    const ProjectArrays& p = app.storedRecords;
    taskCombo->clear();
    for (int i = 0; i < count; ++i) {
        const char16_t* name = problemIndex == ProblemBuriedPipe ? p.buriedPipe[i].head.name
                               : problemIndex == ProblemTank     ? p.tank[i].head.name
                                                                 : p.manhole[i].head.name;
        const QString text = QString::fromStdU16String(FromFixed(name, std::size(RecordHead{}.name)));
        taskCombo->addItem(QStringLiteral("#%1: %2").arg(i + 1).arg(text));
    }
    // With nothing stored, nothing below can be chosen and OK cannot be pressed.
    const bool any = count > 0;
    taskCombo->setEnabled(any);
    for (QCheckBox* box : std::as_const(boxes))
        box->setEnabled(any);
    for (int id : kSoilLabels)
        rowLabels.value(id)->setEnabled(any);
    OkButton()->setEnabled(any);
    if (!any)
        taskCombo->addItem(Text(kEmptyList));
    taskCombo->setCurrentIndex(0);
    taskIndex = 0;
}

void CImportDlg::ShowTaskValues()
{
    importGroundLevel = importWaterLevel = importFoundationLevel = importDiameter = 0;
    importTankBottom = importPipeBottom = importSoil = 0;
    for (const Row& row : kRows)
        valueTexts.insert(row.field, QStringLiteral("-"));

    const int count = StoredCount();
    if (count > 0 && taskIndex >= 0 && taskIndex < count) {
        const auto t = static_cast<std::size_t>(taskIndex);
        // Rows that do not apply to the kind stay "-" and cannot be ticked.
        auto disable = [this](int id) {
            if (QCheckBox* box = boxes.value(id))
                box->setEnabled(false);
            if (QLabel* label = rowLabels.value(id))
                label->setEnabled(false);
        };
        auto soil = [this](const auto& r) {
            valueTexts[kSoilNameText] = Name(r.soilName);
            valueTexts[kUnitWeightText] = F2(r.unitWeight);
            valueTexts[kPorosityText] = F2(r.porosity);
            valueTexts[kFrictionAngleText] = F2(r.frictionAngle);
            valueTexts[kCohesionText] = F2(r.cohesion);
        };
        switch (problemIndex) {
        case ProblemBuriedPipe: {
            const BuriedPipeRecord& r = app.storedRecords.buriedPipe[t];
            valueTexts[kGroundLevelText] = F2(r.groundLevel);
            valueTexts[kWaterLevelText] = F2(r.waterLevel);
            disable(kTankBottomBox);
            valueTexts[kPipeBottomText] = F2(r.invertLevel);
            valueTexts[kFoundationLevelText] = F2(r.foundationLevel);
            valueTexts[kDiameterText] = F0(r.nominalSize);
            soil(r);
            valueTexts[kCompactionText] = F2(r.compactionIndex);
            sourceNominalSize = r.nominalSize;
            sourceInnerDiameter = r.innerDiameter;
            sourceOuterDiameter = r.outerDiameter;
            sourceStiffness = r.ringStiffness;
            break;
        }
        case ProblemTank: {
            const TankRecord& r = app.storedRecords.tank[t];
            valueTexts[kGroundLevelText] = F2(r.groundLevel);
            valueTexts[kWaterLevelText] = F2(r.waterLevel);
            valueTexts[kTankBottomText] = F2(r.tankBottomLevel);
            disable(kPipeBottomBox);
            disable(kFoundationLevelBox);
            valueTexts[kDiameterText] = F0(r.innerDiameter);
            soil(r);
            disable(kCompactionLabel);
            // The tank's own diameters go with its stiffness, so that the
            // product looked up is this tank's and not the first of the list.
            sourceInnerDiameter = r.innerDiameter;
            sourceOuterDiameter = r.outerDiameter;
            sourceStiffness = r.stiffnessClass;
            break;
        }
        case ProblemManhole: {
            const ManholeRecord& r = app.storedRecords.manhole[t];
            valueTexts[kGroundLevelText] = F2(r.groundLevel);
            valueTexts[kWaterLevelText] = F2(r.waterLevel);
            disable(kTankBottomBox);
            disable(kPipeBottomBox);
            valueTexts[kFoundationLevelText] = F2(r.pipeBottomLevel);
            valueTexts[kDiameterText] = F0(r.pipeDiameter * 1000.0);
            soil(r);
            disable(kCompactionLabel);
            break;
        }
        default: break;
        }
    }
    TransferToControls();
}

void CImportDlg::TransferToControls()
{
    for (auto it = boxes.cbegin(); it != boxes.cend(); ++it) {
        QSignalBlocker block(it.value());
        it.value()->setChecked(Ticked(it.key()) != 0);
    }
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        it.value()->setText(ValueText(it.key()));
}

void CImportDlg::OnSelchangeProblem()
{
    problemIndex = problemCombo->currentIndex();
    sourceNominalSize = sourceInnerDiameter = sourceOuterDiameter = sourceStiffness = 0.0;
    FillTaskCombo();
    taskIndex = taskCombo->currentIndex();
    ShowTaskValues();
}

void CImportDlg::OnSelchangeTask()
{
    taskIndex = taskCombo->currentIndex();
    ShowTaskValues();
}

void CImportDlg::done(int result)
{
    // OK takes the ticks as the boxes show them.
    if (result == QDialog::Accepted)
        for (auto it = boxes.cbegin(); it != boxes.cend(); ++it)
            if (int* flag = Flag(it.key()))
                *flag = it.value()->isChecked() ? 1 : 0;
    CInputDialog::done(result);
}

bool CImportDlg::TakesImport(int kind)
{
    return kind == KindTank || kind == KindManhole || kind == KindBuriedPipe;
}

const std::vector<CImportDlg::ImportCopy>& CImportDlg::ImportCopies()
{
    using D = CImportDlg;
    static const std::vector<ImportCopy> copies = {
        {KindTank, D::kGroundLevelBox, D::kGroundLevelText, 1086},
        {KindTank, D::kWaterLevelBox, D::kWaterLevelText, 1089},
        {KindTank, D::kFoundationLevelBox, D::kFoundationLevelText, 1092},
        // The tank's bottom wins over a pipe's bottom.
        {KindTank, D::kPipeBottomBox, D::kPipeBottomText, 1634},
        {KindTank, D::kTankBottomBox, D::kTankBottomText, 1634},
        {KindTank, D::kSoilBox, D::kSoilNameText, 1100},
        {KindTank, D::kSoilBox, D::kUnitWeightText, 1102},
        {KindTank, D::kSoilBox, D::kPorosityText, 1105},
        {KindTank, D::kSoilBox, D::kFrictionAngleText, 1108},
        {KindTank, D::kSoilBox, D::kCohesionText, 1111},

        {KindManhole, D::kGroundLevelBox, D::kGroundLevelText, 1162},
        {KindManhole, D::kWaterLevelBox, D::kWaterLevelText, 1165},
        {KindManhole, D::kFoundationLevelBox, D::kFoundationLevelText, 1168},
        {KindManhole, D::kDiameterBox, D::kDiameterText, 1156},
        // The soil's name goes into the name edit beside the soil button.
        {KindManhole, D::kSoilBox, D::kSoilNameText, 1172},
        {KindManhole, D::kSoilBox, D::kUnitWeightText, 1174},
        {KindManhole, D::kSoilBox, D::kPorosityText, 1177},
        {KindManhole, D::kSoilBox, D::kFrictionAngleText, 1180},
        {KindManhole, D::kSoilBox, D::kCohesionText, 1183},

        {KindBuriedPipe, D::kGroundLevelBox, D::kGroundLevelText, 1229},
        {KindBuriedPipe, D::kWaterLevelBox, D::kWaterLevelText, 1241},
        {KindBuriedPipe, D::kFoundationLevelBox, D::kFoundationLevelText, 1238},
        // A pipe's bottom wins over a tank's bottom.
        {KindBuriedPipe, D::kTankBottomBox, D::kTankBottomText, 1232},
        {KindBuriedPipe, D::kPipeBottomBox, D::kPipeBottomText, 1232},
        {KindBuriedPipe, D::kSoilBox, D::kSoilNameText, 1244},
        {KindBuriedPipe, D::kSoilBox, D::kCompactionText, 1246},
        {KindBuriedPipe, D::kSoilBox, D::kUnitWeightText, 1249},
        {KindBuriedPipe, D::kSoilBox, D::kPorosityText, 1023},
    };
    return copies;
}

void CImportDlg::ImportInto(CCalcPage* page, const CImportDlg& dlg)
{
    if (!page || !TakesImport(page->Kind()))
        return;
    page->BeforeImport(dlg);
    for (const ImportCopy& c : ImportCopies())
        if (c.kind == page->Kind() && dlg.Ticked(c.box))
            if (auto* edit = qobject_cast<QLineEdit*>(page->Control(c.target)))
                edit->setText(dlg.ValueText(c.field));
    page->AfterImport(dlg);
    page->DataToControls();
    page->Recalculate();
}

void CImportDlg::ImportIntoActivePage(CDalvorApp& app, CCalcSheet& sheet)
{
    // The gravity-flow and pressure-flow pages take nothing: the dialog
    // would have nothing to do there.
    CCalcPage* page = sheet.ActivePage();
    if (!page || !TakesImport(page->Kind()))
        return;
    CImportDlg dlg(app, sheet.window());
    if (dlg.exec() != QDialog::Accepted)
        return;
    ImportInto(page, dlg);
}
