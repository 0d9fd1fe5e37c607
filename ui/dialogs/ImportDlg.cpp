#include "ui/dialogs/ImportDlg.h"

#include "core/app/DalvorApp.h"
#include "core/base/CalcKind.h"
#include "ui/base/UiText.h"
#include "ui/controls/ColorControls.h"
#include "ui/sheet/CalcPage.h"
#include "ui/sheet/CalcSheet.h"

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

using M = CImportModel;

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
    {M::kGroundLevelBox, true, 1085, M::kGroundLevelText, 1087},
    {M::kWaterLevelBox, true, 1088, M::kWaterLevelText, 1090},
    {M::kTankBottomBox, true, 1635, M::kTankBottomText, 1636},
    {M::kPipeBottomBox, true, 1231, M::kPipeBottomText, 1233},
    {M::kFoundationLevelBox, true, 1237, M::kFoundationLevelText, 1239},
    {M::kDiameterBox, true, 1217, M::kDiameterText, 1221},
    {M::kSoilBox, true, 1243, M::kSoilNameText, 0},
    {M::kCompactionLabel, false, 1245, M::kCompactionText, 1247},
    {M::kUnitWeightLabel, false, 1530, M::kUnitWeightText, 1250},
    {M::kPorosityLabel, false, 1538, M::kPorosityText, 1540},
    {M::kFrictionAngleLabel, false, 1532, M::kFrictionAngleText, 1534},
    {M::kCohesionLabel, false, 1535, M::kCohesionText, 1537},
};

QString Q(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

}  // namespace

CImportDlg::CImportDlg(CDalvorApp& a, QWidget* parent) : CInputDialog(a, kCaption, parent), model(a.project, a.languageOffset)
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
            connect(box, &QCheckBox::toggled, this, [this, id = row.control](bool on) { model.SetTicked(id, on); });
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
        field->setFixedWidth(row.field == M::kSoilNameText ? 190 : 90);
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
    model.Open();
    {
        QSignalBlocker block(problemCombo);
        problemCombo->clear();
        for (int problem = 0; problem < CImportModel::kProblemCount; ++problem)
            problemCombo->addItem(Q(model.ProblemText(problem)));
        problemCombo->setCurrentIndex(model.problemIndex);
    }
    ShowTasks();
    ShowValues();
}

void CImportDlg::ShowTasks()
{
    QSignalBlocker block(taskCombo);
    taskCombo->clear();
    for (const std::u16string& item : model.TaskItems())
        taskCombo->addItem(Q(item));
    taskCombo->setEnabled(model.AnyStored());
    OkButton()->setEnabled(model.AnyStored());
    taskCombo->setCurrentIndex(model.taskIndex);
}

void CImportDlg::ShowValues()
{
    for (auto it = boxes.cbegin(); it != boxes.cend(); ++it) {
        QSignalBlocker block(it.value());
        it.value()->setEnabled(model.Enabled(it.key()));
        it.value()->setChecked(model.Ticked(it.key()) != 0);
    }
    for (auto it = rowLabels.cbegin(); it != rowLabels.cend(); ++it)
        it.value()->setEnabled(model.Enabled(it.key()));
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        it.value()->setText(Q(model.ValueText(it.key())));
}

void CImportDlg::OnSelchangeProblem()
{
    model.ChooseProblem(problemCombo->currentIndex());
    ShowTasks();
    ShowValues();
}

void CImportDlg::OnSelchangeTask()
{
    model.ChooseTask(taskCombo->currentIndex());
    ShowValues();
}

void CImportDlg::done(int result)
{
    // OK takes the ticks as the boxes show them.
    if (result == QDialog::Accepted)
        for (auto it = boxes.cbegin(); it != boxes.cend(); ++it)
            model.SetTicked(it.key(), it.value()->isChecked());
    CInputDialog::done(result);
}

bool CImportDlg::TakesImport(int kind)
{
    return kind == KindTank || kind == KindManhole || kind == KindBuriedPipe;
}

const std::vector<CImportDlg::ImportCopy>& CImportDlg::ImportCopies()
{
    using D = CImportModel;
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
        if (c.kind == page->Kind() && dlg.Model().Ticked(c.box))
            if (auto* edit = qobject_cast<QLineEdit*>(page->Control(c.target)))
                edit->setText(Q(dlg.Model().ValueText(c.field)));
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
