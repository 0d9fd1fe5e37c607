#include "PipeStaticPage.h"

#include "CalcKind.h"
#include "ColorControls.h"
#include "DalvorApp.h"
#include "ImportDlg.h"
#include "PrintDrivers.h"
#include "SelectSoilDlg.h"
#include "Text.h"
#include "UiText.h"

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
#include <QTimer>
#include <QVBoxLayout>

const CalcPageInfo CPipeStaticPage::kInfo = {KindBuriedPipe, 112, 1559, 1560, 1606, "pipe"};
const QColor CPipeStaticPage::kMetText(0, 127, 0);
const QColor CPipeStaticPage::kFailedText(255, 0, 0);
const QColor CPipeStaticPage::kMetBack(200, 255, 200);
const QColor CPipeStaticPage::kFailedBack(255, 200, 200);

namespace {

namespace Id = BuriedPipeIds;

constexpr int kFieldWidth = 66;

// Group boxes of the page.
constexpr int kPipeGroup = 1211;
constexpr int kLevelsGroup = 1212;
constexpr int kSoilGroup = 1256;
constexpr int kLoadGroup = 1259;
constexpr int kResultsGroup = 1267;

// An input row: the field, its label and its unit (0: none); read-only rows
// show values the page derives.
struct InputRow {
    int id, label, unit;
    bool readOnly;
};
constexpr InputRow kPipeRows[] = {
    {Id::InnerDiameter, 1219, 1221, false},
    {Id::OuterDiameter, 1222, 1224, false},
    {Id::RingStiffness, 1225, 1227, false},
};
constexpr InputRow kLevelRows[] = {
    {Id::GroundLevel, 1228, 1230, false}, {Id::InvertLevel, 1231, 1233, false},
    {Id::Cover, 1234, 1236, true},        {Id::FoundationLevel, 1237, 1239, true},
    {Id::WaterLevel, 1240, 1242, false},
};
constexpr InputRow kSoilRows[] = {
    {Id::CompactionIndex, 1245, 1247, false},
    {Id::UnitWeight, 1248, 1250, false},
    {Id::Porosity, 1251, 1252, false},
    {Id::SecantModulus, 1253, 1254, false},
};
constexpr InputRow kFactorRows[] = {
    {Id::InstallationFactor, 1263, 1264, false},
    {Id::BeddingFactor, 1265, 1266, false},
};
// Result rows: field, label, unit, whether it carries a verdict colour.
struct ResultRow {
    int id, label, unit;
    bool verdict;
};
constexpr ResultRow kResultRows[] = {
    {Id::SoilLoad, 1268, 1270, false},       {Id::TrafficLoad, 1272, 1274, false},
    {Id::TotalLoad, 1277, 1279, true},       {Id::AdmissibleLoad, 1280, 1281, true},
    {Id::LoadDeflection, 1282, 1284, false}, {Id::InstallationDeflection, 1285, 1289, false},
    {Id::TotalDeflection, 1291, 1296, true}, {Id::DeflectionLimit, 1297, 1299, true},
    {Id::UpliftForce, 1300, 1302, true},     {Id::AnchoringForce, 1303, 1306, true},
};
constexpr int kCheckIds[] = {Id::RoadSurface, Id::MultiPipeTrench, Id::HeavyTraffic, Id::HeavyCompaction,
                             Id::Supervision};

QString Q(const std::u16string& s)
{
    return QString::fromStdU16String(s);
}

QColor ColourOf(PageColour c, bool background)
{
    switch (c) {
    case PageColour::Met: return background ? CPipeStaticPage::kMetBack : CPipeStaticPage::kMetText;
    case PageColour::Failed: return background ? CPipeStaticPage::kFailedBack : CPipeStaticPage::kFailedText;
    case PageColour::Black: return background ? ButtonFaceColor() : QColor(Qt::black);
    default: return background ? ButtonFaceColor() : QColor(Qt::black);
    }
}

}  // namespace

CPipeStaticPage::CPipeStaticPage(CDalvorApp& a, QWidget* parent) : CCalcPage(a, kInfo, parent), model(a)
{
    auto label = [this](int id, bool wrap = false) {
        auto* l = new QLabel(this);
        l->setTextFormat(Qt::PlainText);
        l->setWordWrap(wrap);
        RegisterControl(id, l);
        return l;
    };
    auto edit = [this](int id, bool readOnly) {
        auto* e = new QLineEdit(this);
        e->setFixedWidth(kFieldWidth);
        e->setReadOnly(readOnly);
        if (readOnly)
            e->setFocusPolicy(Qt::ClickFocus);
        RegisterControl(id, e, false);
        edits.insert(id, e);
        return e;
    };
    auto group = [this](int id) {
        auto* g = new QGroupBox(this);
        RegisterControl(id, g);
        return g;
    };
    auto combo = [this](int id) {
        auto* c = new QComboBox(this);
        c->setEditable(false);
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c->setMinimumContentsLength(8);
        RegisterControl(id, c, false);
        return c;
    };
    auto grid = [](QWidget* owner) {
        auto* g = new QGridLayout(owner);
        g->setContentsMargins(6, 4, 6, 4);
        g->setHorizontalSpacing(4);
        g->setVerticalSpacing(3);
        g->setColumnStretch(0, 1);
        return g;
    };
    auto rows = [&](QGridLayout* g, int& r, const auto& table) {
        for (const InputRow& row : table) {
            g->addWidget(label(row.label, true), r, 0);
            g->addWidget(edit(row.id, row.readOnly), r, 1);
            if (row.unit)
                g->addWidget(label(row.unit), r, 2);
            ++r;
        }
    };

    // ---- pipe, levels, soil ----------------------------------------------------
    QGroupBox* pipe = group(kPipeGroup);
    QGridLayout* pipeLayout = grid(pipe);
    categoryCombo = combo(Id::CategoryList);
    typeCombo = combo(Id::TypeList);
    sizeCombo = combo(Id::SizeList);
    sizeCombo->setFixedWidth(kFieldWidth);
    pipeLayout->addWidget(label(1213), 0, 0, 1, 3);
    pipeLayout->addWidget(categoryCombo, 1, 0, 1, 3);
    pipeLayout->addWidget(label(1215), 2, 0, 1, 3);
    pipeLayout->addWidget(typeCombo, 3, 0, 1, 3);
    pipeLayout->addWidget(label(1217, true), 4, 0);
    pipeLayout->addWidget(sizeCombo, 4, 1);
    int r = 5;
    rows(pipeLayout, r, kPipeRows);

    QGroupBox* levels = group(kLevelsGroup);
    QGridLayout* levelsLayout = grid(levels);
    r = 0;
    rows(levelsLayout, r, kLevelRows);

    QGroupBox* soil = group(kSoilGroup);
    QGridLayout* soilLayout = grid(soil);
    auto* soilButton = new QPushButton(this);
    RegisterControl(Id::SoilButton, soilButton);
    QLineEdit* soilName = new QLineEdit(this);
    soilName->setMaxLength(255);
    RegisterControl(Id::SoilName, soilName, false);
    edits.insert(Id::SoilName, soilName);
    soilLayout->addWidget(label(1243), 0, 0);
    soilLayout->addWidget(soilButton, 0, 1, 1, 2);
    soilLayout->addWidget(soilName, 1, 0, 1, 3);
    r = 2;
    rows(soilLayout, r, kSoilRows);
    connect(soilButton, &QPushButton::clicked, this, &CPipeStaticPage::OnSoilButton);

    auto* dataColumn = new QVBoxLayout;
    dataColumn->setSpacing(4);
    dataColumn->addWidget(pipe);
    dataColumn->addWidget(levels);
    dataColumn->addWidget(soil);
    dataColumn->addStretch(1);

    // ---- traffic and work conditions -----------------------------------------
    QGroupBox* load = group(kLoadGroup);
    QGridLayout* loadLayout = grid(load);
    trafficCombo = combo(Id::TrafficList);
    loadLayout->addWidget(label(1257), 0, 0, 1, 3);
    loadLayout->addWidget(trafficCombo, 1, 0, 1, 3);
    coverNote = new QLabel(this);
    coverNote->setTextFormat(Qt::PlainText);
    coverNote->setWordWrap(true);
    RegisterControl(Id::CoverNote, coverNote, false);
    loadLayout->addWidget(coverNote, 2, 0, 1, 3);
    r = 3;
    for (int id : kCheckIds) {
        auto* box = new QCheckBox(this);
        RegisterControl(id, box);
        checkBoxes.insert(id, box);
        loadLayout->addWidget(box, r++, 0, 1, 3);
    }
    loadLayout->addWidget(label(1260), r++, 0, 1, 3);
    normal = new QRadioButton(this);
    meticulous = new QRadioButton(this);
    RegisterControl(Id::WorkmanshipNormal, normal);
    RegisterControl(Id::WorkmanshipMeticulous, meticulous);
    auto* radios = new QButtonGroup(this);
    radios->addButton(normal, 0);
    radios->addButton(meticulous, 1);
    auto* radioRow = new QHBoxLayout;
    radioRow->addWidget(normal);
    radioRow->addWidget(meticulous);
    radioRow->addStretch(1);
    loadLayout->addLayout(radioRow, r++, 0, 1, 3);
    rows(loadLayout, r, kFactorRows);
    deflectionCombo = combo(Id::DeflectionList);
    deflectionCombo->setFixedWidth(kFieldWidth);
    deflectionCaption = label(Id::DeflectionCaption, true);
    deflectionUnit = label(Id::DeflectionUnit);
    loadLayout->addWidget(deflectionCaption, r, 0);
    loadLayout->addWidget(deflectionCombo, r, 1);
    loadLayout->addWidget(deflectionUnit, r, 2);

    for (int id : kCheckIds)
        connect(checkBoxes[id], &QCheckBox::clicked, this, [this, id] {
            if (id == Id::RoadSurface)
                Run([this] { model.OnRoadSurfaceClicked(); });
            else if (id == Id::HeavyTraffic)
                Run([this] { model.OnHeavyTrafficClicked(); });
            else
                Run([this] { model.OnWorkConditionClicked(); });
        });
    for (QRadioButton* radio : {normal, meticulous})
        connect(radio, &QRadioButton::clicked, this, [this] { Run([this] { model.OnWorkConditionClicked(); }); });
    ConnectList(categoryCombo, &CBuriedPipePageModel::OnCategoryChanged);
    ConnectList(typeCombo, &CBuriedPipePageModel::OnTypeChanged);
    ConnectList(sizeCombo, &CBuriedPipePageModel::OnSizeChanged);
    ConnectList(trafficCombo, &CBuriedPipePageModel::OnTrafficChanged);
    ConnectList(deflectionCombo, &CBuriedPipePageModel::OnDeflectionChanged);

    // ---- results ---------------------------------------------------------------
    QGroupBox* results = group(kResultsGroup);
    QGridLayout* resultsLayout = grid(results);
    r = 0;
    for (const ResultRow& row : kResultRows) {
        QLineEdit* field;
        if (row.verdict) {
            auto* e = new CColorEdit(this);
            verdictFields.insert(row.id, e);
            field = e;
        } else {
            field = new QLineEdit(this);
        }
        field->setReadOnly(true);
        field->setFocusPolicy(Qt::ClickFocus);
        field->setFixedWidth(kFieldWidth);
        RegisterControl(row.id, field, false);
        edits.insert(row.id, field);
        resultsLayout->addWidget(label(row.label, true), r, 0);
        resultsLayout->addWidget(field, r, 1);
        resultsLayout->addWidget(label(row.unit), r, 2);
        ++r;
    }
    conclusion = new CColorStatic(this);
    conclusion->setWordWrap(true);
    conclusion->setTextFormat(Qt::PlainText);
    RegisterControl(Id::Conclusion, conclusion, false);
    reasons = new CColorStatic(this);
    reasons->setWordWrap(true);
    reasons->setTextFormat(Qt::PlainText);
    reasons->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    reasons->setMinimumHeight(48);
    RegisterControl(Id::Reasons, reasons, false);
    madeToOrderNote = new QLabel(this);
    madeToOrderNote->setTextFormat(Qt::PlainText);
    madeToOrderNote->setWordWrap(true);
    RegisterControl(Id::MadeToOrderNote, madeToOrderNote, false);
    resultsLayout->setRowStretch(r, 1);
    // The verdict stands under the picture.
    auto* verdict = new QVBoxLayout;
    verdict->setContentsMargins(6, 2, 6, 2);
    verdict->setSpacing(3);
    verdict->addWidget(label(1307));
    verdict->addWidget(conclusion);
    verdict->addWidget(reasons);
    verdict->addWidget(madeToOrderNote);

    auto* middle = new QVBoxLayout;
    middle->setSpacing(4);
    middle->addWidget(load);
    middle->addWidget(results, 1);

    // ---- picture, number and name, store buttons -----------------------------
    picture = new CPicturePipe(*this, this);
    picture->setMinimumSize(220, 200);
    RegisterControl(Id::Picture, picture, false);

    auto* entry = new QGridLayout;
    entry->setContentsMargins(6, 2, 6, 2);
    entry->setVerticalSpacing(3);
    auto* number = new QLineEdit(this);
    number->setFixedWidth(60);
    number->setReadOnly(true);
    number->setFocusPolicy(Qt::NoFocus);
    RegisterControl(Id::Number, number, false);
    edits.insert(Id::Number, number);
    auto* name = new QLineEdit(this);
    name->setMinimumWidth(160);
    RegisterControl(Id::Name, name, false);
    edits.insert(Id::Name, name);
    entry->addWidget(label(1624), 0, 0);
    entry->addWidget(number, 0, 1, Qt::AlignLeft);
    entry->addWidget(label(1625), 1, 0);
    entry->addWidget(name, 1, 1);
    entry->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 2, 6, 2);
    buttons->addWidget(MakeStoreButton(info.addId));
    buttons->addWidget(MakeStoreButton(info.updateId));
    QPushButton* project = MakeStoreButton(info.projectId);
    project->setFixedSize(28, 24);
    buttons->addWidget(project);

    auto* side = new QVBoxLayout;
    side->setSpacing(4);
    side->addWidget(picture, 1);
    side->addLayout(verdict);
    side->addLayout(entry);
    side->addLayout(buttons);

    auto* page = new QHBoxLayout(this);
    page->setContentsMargins(6, 6, 6, 6);
    page->setSpacing(6);
    page->addLayout(dataColumn, 5);
    page->addLayout(middle, 5);
    page->addLayout(side, 4);
}

// ---- moving data between the widgets and the model ------------------------------

void CPipeStaticPage::DataFromControls()
{
    for (auto it = edits.begin(); it != edits.end(); ++it)
        if (!it.value()->isReadOnly() || it.key() == Id::Cover || it.key() == Id::FoundationLevel)
            model.texts[it.key()] = it.value()->text().toStdU16String();
    for (auto it = checkBoxes.begin(); it != checkBoxes.end(); ++it)
        model.checks[it.key()] = it.value()->isChecked() ? 1 : 0;
    model.checks[Id::WorkmanshipNormal] = normal->isChecked() ? 1 : 0;
    model.checks[Id::WorkmanshipMeticulous] = meticulous->isChecked() ? 1 : 0;
}

void CPipeStaticPage::PushList(QComboBox* combo, const PageList& list)
{
    QSignalBlocker block(combo);
    bool same = combo->count() == static_cast<int>(list.items.size());
    for (int i = 0; same && i < combo->count(); ++i)
        same = combo->itemText(i) == Q(list.items[static_cast<std::size_t>(i)].text);
    if (!same) {
        combo->clear();
        for (const PageListItem& item : list.items)
            combo->addItem(Q(item.text));
    }
    combo->setCurrentIndex(list.selected < combo->count() ? list.selected : -1);
    combo->setProperty("shownIndex", combo->currentIndex());
}

void CPipeStaticPage::DataToControls()
{
    for (auto it = model.texts.begin(); it != model.texts.end(); ++it) {
        const QString text = Q(it->second);
        if (QLineEdit* e = edits.value(it->first)) {
            if (e->text() != text)
                e->setText(text);
        }
    }
    coverNote->setText(Q(model.texts[Id::CoverNote]));
    madeToOrderNote->setText(Q(model.texts[Id::MadeToOrderNote]));
    conclusion->setText(Q(model.texts[Id::Conclusion]));
    reasons->setText(Q(model.texts[Id::Reasons]));
    for (auto it = checkBoxes.begin(); it != checkBoxes.end(); ++it)
        it.value()->setChecked(model.checks[it.key()] != 0);
    checkBoxes[Id::RoadSurface]->setEnabled(model.roadSurfaceEnabled);
    (model.checks[Id::WorkmanshipMeticulous] ? meticulous : normal)->setChecked(true);

    PushList(categoryCombo, model.categoryList);
    PushList(typeCombo, model.typeList);
    PushList(sizeCombo, model.sizeList);
    PushList(trafficCombo, model.trafficList);
    PushList(deflectionCombo, model.deflectionList);
    deflectionCombo->setEnabled(model.deflectionList.enabled);
    const bool extended = model.ExtendedMode();
    deflectionCombo->setVisible(extended);
    deflectionCaption->setVisible(extended);
    deflectionUnit->setVisible(extended);

    const QColor text = ColourOf(model.verdictText, false);
    conclusion->SetTextColor(text);
    reasons->SetTextColor(text);
    conclusion->SetBkColor(ButtonFaceColor());
    reasons->SetBkColor(ButtonFaceColor());
    for (auto it = verdictFields.begin(); it != verdictFields.end(); ++it) {
        auto c = model.background.find(it.key());
        it.value()->SetBkColor(ColourOf(c == model.background.end() ? PageColour::Face : c->second, true));
    }
    UpdateStoreButtons();
}

template <typename F>
void CPipeStaticPage::Run(F&& operation)
{
    DataFromControls();
    operation();
    DataToControls();
    ShowMessages();
    picture->SetLayoutDirty();
}

void CPipeStaticPage::ShowMessages()
{
    for (const PageMessage& m : model.TakeMessages())
        ShowMessage(Q(m.text), QString());
}

void CPipeStaticPage::ConnectList(QComboBox* combo, void (CBuriedPipePageModel::*handler)(int))
{
    // The user's choice runs the handler; choosing the item already shown
    // changes nothing.
    connect(combo, &QComboBox::activated, this, [this, combo, handler](int index) {
        if (index == combo->property("shownIndex").toInt())
            return;
        combo->setProperty("shownIndex", index);
        Run([this, handler, index] { (model.*handler)(index); });
    });
}

// ---- the page contract ------------------------------------------------------------

void CPipeStaticPage::OnInitDialog()
{
    CCalcPage::OnInitDialog();
    Recalculate();
}

void CPipeStaticPage::Recalculate()
{
    ++recalculations;
    Run([this] { model.Recalculate(); });
}

void CPipeStaticPage::ReadInputs()
{
    Run([this] { model.ReadInputs(); });
}

void CPipeStaticPage::ShowInputs(int resetNumber)
{
    Run([this, resetNumber] { model.ShowInputs(resetNumber); });
}

void CPipeStaticPage::ShowResults()
{
    Run([this] { model.ShowResults(); });
}

void CPipeStaticPage::FillLists()
{
    Run([this] { model.FillLists(); });
}

void CPipeStaticPage::ResetListsToFirst()
{
    Run([this] { model.ResetListsToFirst(); });
}

void CPipeStaticPage::ResetNumberAndName()
{
    Run([this] { model.ResetNumberAndName(); });
}

void CPipeStaticPage::ApplyLanguage(int offset)
{
    CCalcPage::ApplyLanguage(offset);
    Run([this, offset] { model.ApplyLanguage(offset); });
    // The catalogue's names follow the language once its tables are in: now,
    // and again when the switch that relabels the page has loaded them.
    RelabelLists();
    QTimer::singleShot(0, this, &CPipeStaticPage::RelabelLists);
}

void CPipeStaticPage::RelabelLists()
{
    Run([this] {
        model.FillCategoryList();
        model.FillTypeList();
    });
}

void CPipeStaticPage::OnSoilButton()
{
    DataFromControls();
    model.ReadInputs();
    if (!CSelectSoilDlg::ChooseSoil(app, app.buriedPipe, this))
        return;
    model.OnSoilChosen();
    DataToControls();
    ShowMessages();
    picture->SetLayoutDirty();
}

void CPipeStaticPage::BeforeImport(const CImportDlg& dlg)
{
    if (!dlg.Ticked(CImportDlg::kDiameterBox))
        return;
    Run([&] {
        model.ImportSize(dlg.problemIndex == CImportDlg::ProblemTank, dlg.sourceStiffness,
                         dlg.ValueText(CImportDlg::kDiameterText).toStdU16String());
    });
}

void CPipeStaticPage::AfterImport(const CImportDlg& dlg)
{
    // The copied texts are the page's from now on.
    DataFromControls();
    if (dlg.Ticked(CImportDlg::kFoundationLevelBox) && dlg.problemIndex == CImportDlg::ProblemManhole)
        model.ImportPipeBottomFromManhole(
            ParseNumber(dlg.ValueText(CImportDlg::kFoundationLevelText).toStdU16String()));
}

void CPipeStaticPage::Print()
{
    picture->BuildPrintMetafile();
    PrintBuriedPipe(app, this);
}
