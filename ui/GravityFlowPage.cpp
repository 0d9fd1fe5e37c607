#include "GravityFlowPage.h"

#include "CalcKind.h"
#include "ColorControls.h"
#include "DalvorApp.h"
#include "FlowUnitsDlg.h"
#include "FluidPropertiesDlg.h"
#include "Text.h"
#include "UiText.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
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

#include <algorithm>
#include <cmath>
#include <iterator>

const CalcPageInfo CGravityFlowPage::kInfo = {KindGravityFlow, 110, 1557, 1558, 1607, "gravityflow"};
const QColor CGravityFlowPage::kSoughtColor(127, 255, 255);
const QColor CGravityFlowPage::kMetColor(0, 127, 0);
const QColor CGravityFlowPage::kFailedColor(255, 0, 0);

namespace {

// Limits of the inputs (the single-precision ones as the program has always
// held them).
constexpr double kMinDensity = 1.0;
constexpr double kMaxDensity = 10000.0;
constexpr double kMinViscosity = 1e-8f;
constexpr double kMaxViscosity = 1e-4f;
constexpr double kMinLength = 1.0;
constexpr double kMinRoughness = 0.001f;
constexpr double kMinShare = 0.0;
constexpr double kMinSlope = 0.01f;
constexpr double kMaxSlope = 999.0;
constexpr double kMinFilling = 0.01f;
constexpr double kMaxFilling = 0.996f;
constexpr double kMinFlow = 0.001f;
// A roughness of the user's own: none.
constexpr double kNoUserRoughness = -0.01f;
// A size is the record's nominal size when they differ by less than this.
constexpr double kSizeMatch = 0.1f;
// The filling mode's flow may differ from the design flow by this share.
constexpr double kFlowTolerance = 0.1f;
// A slope below this shows as " < 0.01".
constexpr double kSlopeShownAtLeast = 0.01f;
// The largest slope (per mille) the slope mode accepts.
constexpr double kMaxSlopeFound = 100.0;

constexpr int kMaxCandidates = static_cast<int>(std::size(GravityFlowRecord{}.candidates));
constexpr int kNameUnits = 63;
constexpr int kTextUnits = 127;

// Texts.
// Width of the number fields.
constexpr int kFieldWidth = 66;

constexpr int kTextFlowTooLarge = 20261;
constexpr int kTextMadeToOrder = 20295;
constexpr int kTextConfirmDelivery = 20296;

// Control ids: the four sought quantities' labels and fields, by mode.
constexpr int kSoughtLabelIds[4] = {1453, 1455, 1457, 1459};
constexpr int kSoughtFieldIds[4] = {1058, 1060, 1062, 1064};
constexpr int kModeRadioIds[4] = {1008, 1032, 1010, 1045};

// Which inputs each mode leaves open: slope 1020, filling 1021, flow 1022,
// size list 1006, the flow units' "?" 1053 (the inner diameter 1011 never).
struct ModeStates {
    bool slope, filling, flow, size, flowUnits;
};
constexpr ModeStates kModeStates[4] = {
    {true, true, true, false, true},   // diameter sought
    {false, true, true, true, true},   // slope sought
    {true, true, false, true, false},  // flow sought
    {true, false, true, true, true},   // filling sought
};

// Item data of a list: the table row and that row's id.
constexpr int kRowRole = Qt::UserRole;
constexpr int kIdRole = Qt::UserRole + 1;

QString F0(double v) { return QString::fromStdString(FormatC("%.0f", v)); }
QString F1(double v) { return QString::fromStdString(FormatC("%.1f", v)); }
QString F2(double v) { return QString::fromStdString(FormatC("%.2f", v)); }
QString F3(double v) { return QString::fromStdString(FormatC("%.3f", v)); }
QString E42(double v) { return QString::fromStdString(FormatC("%4.2e", v)); }
QString E52(double v) { return QString::fromStdString(FormatC("%5.2e", v)); }

// Rows of a table that are really there.
template <typename T>
int TableRows(const std::vector<T>& table, int count)
{
    return std::clamp(count, 0, static_cast<int>(table.size()));
}

bool GravityApplicable(int applicability)
{
    return applicability == 0 || applicability == 2;
}

QString RowName(const char16_t* name, std::size_t cap)
{
    return QString::fromStdU16String(FromFixed(name, cap));
}

double Clamp(double v, double lo, double hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

// A size row of the catalogue as a candidate of the record (its capacity is
// the calculation's to write).
void SetCandidate(DiameterCandidate& c, const NominalSizeEntry& s)
{
    c.innerDiameter = s.innerDiameter;
    c.outerDiameter = s.outerDiameter;
    c.nominalSize = s.nominalSize;
    c.roughness = s.roughness;
    c.madeToOrder = s.madeToOrder;
}

// A name typed into the page: at most 63 units, never half of a surrogate
// pair.
void CopyName(char16_t (&dst)[64], const QString& text)
{
    std::u16string s = text.toStdU16String();
    std::size_t n = std::min<std::size_t>(s.size(), kNameUnits);
    if (n > 0 && n < s.size() && QChar::isHighSurrogate(s[n - 1]))
        --n;
    CopyBounded(dst, std::u16string_view(s).substr(0, n), kNameUnits);
}

}  // namespace

CGravityFlowPage::CGravityFlowPage(CDalvorApp& a, QWidget* parent) : CCalcPage(a, kInfo, parent)
{
    auto label = [this](int id, bool wrap = false) {
        auto* l = new QLabel(this);
        l->setTextFormat(Qt::PlainText);
        // Long captions take a second line rather than push the page wider.
        l->setWordWrap(wrap);
        RegisterControl(id, l);
        return l;
    };
    auto edit = [this](int id, int width = kFieldWidth) {
        auto* e = new QLineEdit(this);
        e->setFixedWidth(width);
        RegisterControl(id, e, false);
        return e;
    };
    auto result = [this](int id) {
        auto* e = new CColorEdit(this);
        e->setReadOnly(true);
        // Results can be selected and copied, but Tab passes them by.
        e->setFocusPolicy(Qt::ClickFocus);
        e->setFixedWidth(kFieldWidth);
        RegisterControl(id, e, false);
        return e;
    };
    auto group = [this](int id) {
        auto* g = new QGroupBox(this);
        RegisterControl(id, g);
        return g;
    };
    auto query = [this](int id) {
        auto* b = new QPushButton(this);
        b->setIcon(QIcon(DialogQueryBitmap()));
        b->setIconSize(QSize(16, 16));
        b->setFixedSize(24, 22);
        b->setFocusPolicy(Qt::TabFocus);
        RegisterControl(id, b, false);
        return b;
    };
    auto combo = [this](int id) {
        auto* c = new QComboBox(this);
        c->setEditable(false);
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c->setMinimumContentsLength(8);
        RegisterControl(id, c, false);
        return c;
    };
    // One row of a grid: label, field, unit, and an optional button.
    auto row = [&](QGridLayout* g, int r, int labelId, QWidget* field, int unitId, QWidget* button = nullptr) {
        g->addWidget(label(labelId, true), r, 0);
        g->addWidget(field, r, 1);
        if (unitId)
            g->addWidget(label(unitId), r, 2);
        if (button)
            g->addWidget(button, r, 3);
    };
    auto grid = [](QWidget* owner) {
        auto* g = new QGridLayout(owner);
        g->setContentsMargins(6, 4, 6, 4);
        g->setHorizontalSpacing(4);
        g->setVerticalSpacing(3);
        g->setColumnStretch(0, 1);
        return g;
    };

    // ---- data ----------------------------------------------------------------
    QGroupBox* data = group(1410);
    auto* dataLayout = new QVBoxLayout(data);
    dataLayout->setContentsMargins(6, 4, 6, 4);
    dataLayout->setSpacing(4);

    QGroupBox* object = group(1412);
    auto* objectLayout = new QGridLayout(object);
    objectLayout->setContentsMargins(6, 2, 6, 2);
    objectLayout->setVerticalSpacing(2);
    modeGroup = new QButtonGroup(this);
    void (CGravityFlowPage::*const modeHandlers[4])() = {
        &CGravityFlowPage::OnTargetDiameter, &CGravityFlowPage::OnTargetSlope, &CGravityFlowPage::OnTargetFlow,
        &CGravityFlowPage::OnTargetFilling};
    for (int m = 0; m < 4; ++m) {
        modeRadios[m] = new QRadioButton(this);
        RegisterControl(kModeRadioIds[m], modeRadios[m]);
        modeGroup->addButton(modeRadios[m], m);
        objectLayout->addWidget(modeRadios[m], m / 2, m % 2);
        // A click on the radio already chosen counts too.
        connect(modeRadios[m], &QRadioButton::clicked, this, modeHandlers[m]);
    }
    dataLayout->addWidget(object);

    QGroupBox* pipe = group(1413);
    QGridLayout* pipeLayout = grid(pipe);
    categoryCombo = combo(1002);
    typeCombo = combo(1004);
    sizeCombo = combo(1006);
    sizeCombo->setFixedWidth(kFieldWidth);
    pipeLayout->addWidget(label(1414), 0, 0, 1, 4);
    pipeLayout->addWidget(categoryCombo, 1, 0, 1, 4);
    pipeLayout->addWidget(label(1415), 2, 0, 1, 4);
    pipeLayout->addWidget(typeCombo, 3, 0, 1, 4);
    row(pipeLayout, 4, 1416, sizeCombo, 1417);
    QLineEdit* dw = edit(1011);
    dw->setEnabled(false);
    row(pipeLayout, 5, 1418, dw, 1419);
    roughnessButton = query(1040);
    row(pipeLayout, 6, 1420, edit(1012), 1421, roughnessButton);
    row(pipeLayout, 7, 1422, edit(1013), 1423);
    row(pipeLayout, 8, 1424, edit(1017), 1425);
    row(pipeLayout, 9, 1426, edit(1030), 1427);
    dataLayout->addWidget(pipe);

    QGroupBox* fluid = group(1428);
    QGridLayout* fluidLayout = grid(fluid);
    fluidButton = query(1051);
    row(fluidLayout, 0, 1429, edit(1014), 1430);
    row(fluidLayout, 1, 1431, edit(1019), 1432, fluidButton);
    dataLayout->addWidget(fluid);

    auto* sought = new QWidget(this);
    QGridLayout* soughtLayout = grid(sought);
    flowUnitsButton = query(1053);
    row(soughtLayout, 0, 1433, edit(1020), 1434);
    row(soughtLayout, 1, 1435, edit(1021), 1436);
    row(soughtLayout, 2, 1437, edit(1022), 1438, flowUnitsButton);
    dataLayout->addWidget(sought);
    dataLayout->addStretch(1);

    connect(fluidButton, &QPushButton::clicked, this, &CGravityFlowPage::OnFluidParameters);
    connect(flowUnitsButton, &QPushButton::clicked, this, &CGravityFlowPage::OnFlowUnits);
    ConnectList(categoryCombo, &CGravityFlowPage::OnSelchangePipeKind);
    ConnectList(typeCombo, &CGravityFlowPage::OnSelchangePipeType);
    ConnectList(sizeCombo, &CGravityFlowPage::OnSelchangeDiameter);

    // ---- results -------------------------------------------------------------
    QGroupBox* results = group(1452);
    auto* resultsLayout = new QVBoxLayout(results);
    resultsLayout->setContentsMargins(6, 4, 6, 4);
    resultsLayout->setSpacing(4);
    auto* values = new QWidget(this);
    QGridLayout* valuesLayout = grid(values);
    int r = 0;
    for (int m = 0; m < 4; ++m) {
        soughtLabels[m] = new CColorStatic(this);
        soughtLabels[m]->setWordWrap(true);
        RegisterControl(kSoughtLabelIds[m], soughtLabels[m]);
        soughtFields[m] = result(kSoughtFieldIds[m]);
        valuesLayout->addWidget(soughtLabels[m], r, 0);
        valuesLayout->addWidget(soughtFields[m], r, 1);
        valuesLayout->addWidget(label(kSoughtLabelIds[m] + 1), r, 2);
        ++r;
    }
    const int plainResults[][3] = {{1461, 1066, 1462}, {1463, 1069, 1464}, {1465, 1071, 1466},
                                   {1467, 1073, 1468}, {1469, 1075, 1470}, {1471, 1077, 1472},
                                   {1473, 1079, 1474}};
    for (const auto& p : plainResults)
        row(valuesLayout, r++, p[0], result(p[1]), p[2]);
    resultsLayout->addWidget(values);

    QGroupBox* minimum = group(1439);
    QGridLayout* minimumLayout = grid(minimum);
    row(minimumLayout, 0, 1440, result(1043), 1441);
    row(minimumLayout, 1, 1442, result(1056), 1443);
    resultsLayout->addWidget(minimum);

    auto* verdict = new QGridLayout;
    verdict->setContentsMargins(6, 2, 6, 2);
    verdict->setVerticalSpacing(3);
    conclusion = new CColorStatic(this);
    conclusion->setWordWrap(true);
    RegisterControl(1476, conclusion, false);
    warning = new CColorStatic(this);
    warning->setWordWrap(true);
    RegisterControl(1478, warning, false);
    hint = new QLabel(this);
    hint->setTextFormat(Qt::PlainText);
    hint->setWordWrap(true);
    RegisterControl(1597, hint, false);
    verdict->addWidget(label(1475), 0, 0, Qt::AlignTop);
    verdict->addWidget(conclusion, 0, 1);
    verdict->addWidget(warning, 1, 0, 1, 2);
    verdict->addWidget(hint, 2, 0, 1, 2);
    verdict->setColumnStretch(1, 1);
    resultsLayout->addLayout(verdict);
    resultsLayout->addStretch(1);

    // ---- diagram, number and name, store buttons --------------------------
    QGroupBox* diagram = group(1444);
    auto* diagramLayout = new QVBoxLayout(diagram);
    diagramLayout->setContentsMargins(6, 4, 6, 4);
    // The filling chart takes this place.
    picture = new QFrame(this);
    picture->setFrameShape(QFrame::StyledPanel);
    picture->setMinimumSize(220, 200);
    RegisterControl(1445, picture, false);
    diagramLayout->addWidget(picture, 1);
    auto* point = new QWidget(this);
    QGridLayout* pointLayout = grid(point);
    row(pointLayout, 0, 1446, result(1038), 1447);
    row(pointLayout, 1, 1448, result(1054), 1449);
    row(pointLayout, 2, 1450, result(1057), 1451);
    diagramLayout->addWidget(point);

    auto* entry = new QGridLayout;
    entry->setContentsMargins(6, 2, 6, 2);
    entry->setVerticalSpacing(3);
    QLineEdit* number = edit(1631, 60);
    number->setReadOnly(true);
    number->setFocusPolicy(Qt::NoFocus);
    entry->addWidget(label(1630), 0, 0);
    entry->addWidget(number, 0, 1, Qt::AlignLeft);
    entry->addWidget(label(1632), 1, 0);
    QLineEdit* name = edit(1633, 160);
    name->setMinimumWidth(160);
    name->setMaximumWidth(QWIDGETSIZE_MAX);
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
    side->addWidget(diagram, 1);
    side->addLayout(entry);
    side->addLayout(buttons);

    auto* page = new QHBoxLayout(this);
    page->setContentsMargins(6, 6, 6, 6);
    page->setSpacing(6);
    page->addWidget(data, 5);
    page->addWidget(results, 5);
    page->addLayout(side, 3);
}

GravityFlowRecord& CGravityFlowPage::Record() const
{
    return app.gravityFlow;
}

QLineEdit* CGravityFlowPage::Edit(int id) const
{
    return qobject_cast<QLineEdit*>(Control(id));
}

void CGravityFlowPage::SetFieldText(int id, const QString& text)
{
    // Only a text that changes is written, so the caret stays where it is.
    if (QLineEdit* e = Edit(id); e && e->text() != text)
        e->setText(text);
}

double CGravityFlowPage::FieldValue(int id) const
{
    QLineEdit* e = Edit(id);
    return e ? ParseNumber(e->text().toStdU16String()) : 0.0;
}

void CGravityFlowPage::SelectItem(QComboBox* combo, int index)
{
    QSignalBlocker block(combo);
    combo->setCurrentIndex(index < combo->count() ? index : -1);
    combo->setProperty("shownIndex", combo->currentIndex());
}

void CGravityFlowPage::ConnectList(QComboBox* combo, void (CGravityFlowPage::*handler)())
{
    // The user's choice runs the handler; choosing the item already shown
    // changes nothing.
    connect(combo, &QComboBox::activated, this, [this, combo, handler](int index) {
        if (index == combo->property("shownIndex").toInt())
            return;
        combo->setProperty("shownIndex", index);
        (this->*handler)();
    });
}

int CGravityFlowPage::ShownMode() const
{
    const int m = Record().mode;
    return m >= 0 && m < 4 ? m : 0;
}

// ---- lifecycle -----------------------------------------------------------------

void CGravityFlowPage::OnInitDialog()
{
    CCalcPage::OnInitDialog();
    Recalculate();
}

void CGravityFlowPage::ApplyLanguage(int offset)
{
    CCalcPage::ApplyLanguage(offset);
    hintFirst = LangText(app, kTextMadeToOrder, offset);
    hintSecond = LangText(app, kTextConfirmDelivery, offset);
    RebuildHint();
    // The catalogue's names follow the language once its tables are in: now,
    // when they are, and again when the switch that relabels the page has
    // loaded them.
    RelabelLists();
    QTimer::singleShot(0, this, &CGravityFlowPage::RelabelLists);
}

void CGravityFlowPage::ResetListsToFirst()
{
    SelectItem(categoryCombo, 0);
    OnSelchangePipeKind();
    SelectItem(typeCombo, 0);
    OnSelchangePipeType();
    SelectItem(sizeCombo, 0);
    OnSelchangeDiameter();
}

void CGravityFlowPage::ResetNumberAndName()
{
    SetFieldText(1631, QStringLiteral("-"));
    SetFieldText(1633, QStringLiteral("-"));
}

// ---- lists ---------------------------------------------------------------------

void CGravityFlowPage::FillLists()
{
    FillPipeKindCombo();
    FillPipeTypeCombo();
    FillDiameterCombo();
}

void CGravityFlowPage::FillPipeKindCombo()
{
    GravityFlowRecord& r = Record();
    QSignalBlocker block(categoryCombo);
    categoryCombo->clear();
    int position = -1;
    const int rows = TableRows(app.pipeCategories, app.pipeCategoryCount);
    for (int i = 0; i < rows; ++i) {
        const PipeCategoryEntry& c = app.pipeCategories[static_cast<std::size_t>(i)];
        if (!GravityApplicable(c.applicability))
            continue;
        if (r.categoryId < 0)
            r.categoryId = c.id;
        if (c.id == r.categoryId && position < 0)
            position = categoryCombo->count();
        categoryCombo->addItem(RowName(c.name, std::size(c.name)));
        categoryCombo->setItemData(categoryCombo->count() - 1, i, kRowRole);
        categoryCombo->setItemData(categoryCombo->count() - 1, c.id, kIdRole);
    }
    // A category that is not listed shows the first one; the record keeps its own.
    SelectItem(categoryCombo, position >= 0 ? position : (categoryCombo->count() > 0 ? 0 : -1));
}

void CGravityFlowPage::FillPipeTypeCombo()
{
    GravityFlowRecord& r = Record();
    QSignalBlocker block(typeCombo);
    typeCombo->clear();
    int position = -1;
    const int rows = TableRows(app.pipeTypes, app.pipeTypeCount);
    for (int i = 0; i < rows; ++i) {
        const PipeTypeEntry& t = app.pipeTypes[static_cast<std::size_t>(i)];
        if (!GravityApplicable(t.applicability) || t.categoryId != r.categoryId)
            continue;
        if (r.typeId < 0)
            r.typeId = t.id;
        if (t.id == r.typeId && position < 0)
            position = typeCombo->count();
        typeCombo->addItem(RowName(t.name, std::size(t.name)));
        typeCombo->setItemData(typeCombo->count() - 1, i, kRowRole);
        typeCombo->setItemData(typeCombo->count() - 1, t.id, kIdRole);
    }
    // A type that is not in the catalogue: no item is shown, the record keeps it.
    SelectItem(typeCombo, position);
}

void CGravityFlowPage::FillDiameterCombo()
{
    GravityFlowRecord& r = Record();
    QSignalBlocker block(sizeCombo);
    sizeCombo->clear();
    int count = 0;
    const int rows = TableRows(app.nominalSizes, app.nominalSizeCount);
    for (int i = 0; i < rows && count < kMaxCandidates; ++i) {
        const NominalSizeEntry& s = app.nominalSizes[static_cast<std::size_t>(i)];
        if (s.categoryId != r.categoryId || s.typeId != r.typeId)
            continue;
        sizeCombo->addItem(F0(s.nominalSize));
        sizeCombo->setItemData(count, i, kRowRole);
        sizeCombo->setItemData(count, s.id, kIdRole);
        SetCandidate(r.candidates[count], s);
        ++count;
    }
    r.candidateCount = count;
    if (count == 0) {
        SelectItem(sizeCombo, -1);
        SetFieldText(1011, QStringLiteral("-"));
        return;
    }
    int chosen = 0;
    for (int j = 0; j < count; ++j)
        if (std::fabs(r.candidates[j].nominalSize - r.nominalSize) < kSizeMatch)
            chosen = j;
    // A roughness of the user's own stays with the record it belongs to (a
    // stored calculation loaded back keeps its roughness).
    TakeSize(r.candidates[chosen]);
    SetFieldText(1011, F1(r.innerDiameter));
    SetFieldText(1058, F0(r.nominalSize));
    SetFieldText(1012, F3(r.roughness));
    SelectItem(sizeCombo, chosen);
}

void CGravityFlowPage::RelabelLists()
{
    const GravityFlowRecord& r = Record();
    bool fits = true;
    const int categories = TableRows(app.pipeCategories, app.pipeCategoryCount);
    for (int i = 0; i < categoryCombo->count() && fits; ++i) {
        const int row = categoryCombo->itemData(i, kRowRole).toInt();
        if (row < 0 || row >= categories) {
            fits = false;
            break;
        }
        const PipeCategoryEntry& c = app.pipeCategories[static_cast<std::size_t>(row)];
        fits = c.id == categoryCombo->itemData(i, kIdRole).toInt() && GravityApplicable(c.applicability);
        if (fits)
            categoryCombo->setItemText(i, RowName(c.name, std::size(c.name)));
    }
    const int types = TableRows(app.pipeTypes, app.pipeTypeCount);
    for (int i = 0; i < typeCombo->count() && fits; ++i) {
        const int row = typeCombo->itemData(i, kRowRole).toInt();
        if (row < 0 || row >= types) {
            fits = false;
            break;
        }
        const PipeTypeEntry& t = app.pipeTypes[static_cast<std::size_t>(row)];
        fits = t.id == typeCombo->itemData(i, kIdRole).toInt() && t.categoryId == r.categoryId &&
               GravityApplicable(t.applicability);
        if (fits)
            typeCombo->setItemText(i, RowName(t.name, std::size(t.name)));
    }
    const int sizes = TableRows(app.nominalSizes, app.nominalSizeCount);
    for (int i = 0; i < sizeCombo->count() && fits; ++i) {
        const int row = sizeCombo->itemData(i, kRowRole).toInt();
        if (row < 0 || row >= sizes) {
            fits = false;
            break;
        }
        const NominalSizeEntry& s = app.nominalSizes[static_cast<std::size_t>(row)];
        fits = s.id == sizeCombo->itemData(i, kIdRole).toInt() && s.categoryId == r.categoryId &&
               s.typeId == r.typeId && sizeCombo->itemText(i) == F0(s.nominalSize);
    }
    // Tables of another shape: the lists are made again from the record,
    // which is then worked out with the pipe they give.
    if (!fits) {
        FillLists();
        if (IsActivePage())
            Recalculate();
    }
}

// ---- handlers ------------------------------------------------------------------

void CGravityFlowPage::OnSelchangePipeKind()
{
    GravityFlowRecord& r = Record();
    const int index = categoryCombo->currentIndex();
    if (index >= 0) {
        const int row = categoryCombo->itemData(index, kRowRole).toInt();
        if (row >= 0 && row < TableRows(app.pipeCategories, app.pipeCategoryCount))
            r.categoryId = app.pipeCategories[static_cast<std::size_t>(row)].id;
    }
    r.userRoughness = kNoUserRoughness;
    r.typeId = -1;
    FillPipeTypeCombo();
    FillDiameterCombo();
    Recalculate();
}

void CGravityFlowPage::OnSelchangePipeType()
{
    GravityFlowRecord& r = Record();
    r.typeId = -1;
    const int index = typeCombo->currentIndex();
    if (index >= 0) {
        const int row = typeCombo->itemData(index, kRowRole).toInt();
        if (row >= 0 && row < TableRows(app.pipeTypes, app.pipeTypeCount)) {
            const PipeTypeEntry& t = app.pipeTypes[static_cast<std::size_t>(row)];
            if (t.categoryId == r.categoryId)
                r.typeId = t.id;
        }
    }
    r.userRoughness = kNoUserRoughness;
    FillDiameterCombo();
    Recalculate();
}

void CGravityFlowPage::OnSelchangeDiameter()
{
    GravityFlowRecord& r = Record();
    const int index = sizeCombo->currentIndex();
    if (index >= 0) {
        const int row = sizeCombo->itemData(index, kRowRole).toInt();
        if (row >= 0 && row < TableRows(app.nominalSizes, app.nominalSizeCount)) {
            const NominalSizeEntry& s = app.nominalSizes[static_cast<std::size_t>(row)];
            if (s.categoryId == r.categoryId && s.typeId == r.typeId) {
                DiameterCandidate size{};
                SetCandidate(size, s);
                TakeSize(size);
            }
        }
    }
    SetFieldText(1011, F1(r.innerDiameter));
    SetFieldText(1012, F3(r.roughness));
    Recalculate();
}

void CGravityFlowPage::TakeSize(const DiameterCandidate& size)
{
    GravityFlowRecord& r = Record();
    TakeCandidateSize(r, size);
    r.madeToOrder = size.madeToOrder;
}

void CGravityFlowPage::OnTarget(int mode)
{
    // The click has checked the radio already; the inputs are read with it.
    if (mode >= 0 && mode < 4)
        modeRadios[mode]->setChecked(true);
    ReadInputs();
    Recalculate();
}

void CGravityFlowPage::OnFluidParameters()
{
    GravityFlowRecord& r = Record();
    CFluidParmsDlg dlg(app, this);
    dlg.viscosity = r.viscosity;
    if (dlg.exec() != QDialog::Accepted)
        return;
    r.viscosity = dlg.viscosity;
    ShowInputs(0);
    Recalculate();
}

void CGravityFlowPage::OnFlowUnits()
{
    GravityFlowRecord& r = Record();
    CFlowUnitsCalcDlg dlg(app, this);
    dlg.flowRate = r.flowInput;
    if (dlg.exec() != QDialog::Accepted)
        return;
    r.flowInput = dlg.flowRate;
    ShowInputs(0);
    Recalculate();
}

// ---- inputs, calculation, results ----------------------------------------------

void CGravityFlowPage::ReadInputs()
{
    GravityFlowRecord& r = Record();
    const int checked = modeGroup->checkedId();
    if (checked >= 0 && checked < 4)
        r.mode = checked;
    r.density = FieldValue(1014);
    r.viscosity = FieldValue(1019);
    r.innerDiameter = FieldValue(1011);
    // A roughness other than the one shown is the user's own.
    const double typed = FieldValue(1012);
    if (typed != r.roughness)
        r.userRoughness = typed;
    r.roughness = typed;
    r.length = FieldValue(1013);
    r.localLossShare = FieldValue(1030);
    r.slopeInput = FieldValue(1020);
    r.fillingInput = FieldValue(1021);
    r.flowInput = FieldValue(1022);
    r.minSlopeSanitary = FieldValue(1043);
    r.minSlopeStorm = FieldValue(1056);
    r.startLevel = FieldValue(1017);
    if (QLineEdit* name = Edit(1633))
        CopyName(r.head.name, name->text());

    r.density = Clamp(r.density, kMinDensity, kMaxDensity);
    r.viscosity = Clamp(r.viscosity, kMinViscosity, kMaxViscosity);
    r.length = std::max(r.length, kMinLength);
    r.roughness = std::max(r.roughness, kMinRoughness);
    r.localLossShare = std::max(r.localLossShare, kMinShare);
    r.slopeInput = Clamp(r.slopeInput, kMinSlope, kMaxSlope);
    r.fillingInput = Clamp(r.fillingInput, kMinFilling, kMaxFilling);
    r.flowInput = std::max(r.flowInput, kMinFlow);
    ShowInputs(0);
}

void CGravityFlowPage::ShowInputs(int resetNumber)
{
    GravityFlowRecord& r = Record();
    const int mode = ShownMode();
    modeRadios[mode]->setChecked(true);
    SetFieldText(1011, F1(r.innerDiameter));
    SetFieldText(1012, F3(r.roughness));
    SetFieldText(1013, F2(r.length));
    SetFieldText(1017, F2(r.startLevel));
    SetFieldText(1030, F0(r.localLossShare));
    SetFieldText(1014, F1(r.density));
    SetFieldText(1019, E42(r.viscosity));
    SetFieldText(1020, F2(r.slopeInput));
    SetFieldText(1021, F2(r.fillingInput));
    SetFieldText(1022, F3(r.flowInput));
    SetFieldText(1043, F2(r.minSlopeSanitary));
    SetFieldText(1056, F2(r.minSlopeStorm));
    SetFieldText(1058, F0(r.nominalSize));

    const QColor face = ButtonFaceColor();
    for (int m = 0; m < 4; ++m) {
        soughtLabels[m]->SetBkColor(face);
        soughtFields[m]->SetBkColor(face);
    }
    conclusion->SetBkColor(face);
    warning->SetBkColor(face);

    const int a = KindToArrayIndex(info.kind);
    if (resetNumber == 1) {
        SetFieldText(1631, QStringLiteral("-"));
        CopyBounded(r.head.name, u"-");
    } else if (a >= 0 && app.currentIndex[a] >= 0 && app.currentIndex[a] < app.storedCount[a]) {
        SetFieldText(1631, QString::number(app.currentIndex[a] + 1));
    }
    UpdateStoreButtons();
    ApplyModeStates(mode);
    SetFieldText(1633, QString::fromStdU16String(FromFixed(r.head.name)));
}

void CGravityFlowPage::ApplyModeStates(int mode)
{
    const ModeStates& s = kModeStates[mode];
    Control(1020)->setEnabled(s.slope);
    Control(1021)->setEnabled(s.filling);
    Control(1022)->setEnabled(s.flow);
    sizeCombo->setEnabled(s.size);
    Control(1011)->setEnabled(false);
    flowUnitsButton->setEnabled(s.flowUnits);
    soughtLabels[mode]->SetBkColor(kSoughtColor);
    soughtFields[mode]->SetBkColor(kSoughtColor);
}

void CGravityFlowPage::Recalculate()
{
    ++recalculations;
    GravityFlowRecord& r = Record();
    ReadInputs();
    app.CalcGravityFlow();

    const auto flowTooLarge = [&] {
        r.head.resultValid = 0;
        CopyBounded(r.head.conclusion, app.LoadLangString(kTextFlowTooLarge), kTextUnits);
    };
    if (r.mode == 0) {
        const int count = std::clamp(r.candidateCount, 0, kMaxCandidates);
        if (r.chosenCandidate < 0 || r.chosenCandidate >= count) {
            flowTooLarge();
        } else {
            // The list follows the size chosen, and the minimum slopes are
            // worked out again for it. Whether the pipe is made to order is
            // the size's own, as for a size picked from the list.
            SelectItem(sizeCombo, r.chosenCandidate);
            r.madeToOrder = r.candidates[r.chosenCandidate].madeToOrder;
            ShowInputs(0);
            app.CalcGravityFlow();
            if (r.chosenCandidate >= 0 && r.chosenCandidate < count)
                r.madeToOrder = r.candidates[r.chosenCandidate].madeToOrder;
        }
    } else if (r.mode == 3) {
        if (std::fabs(r.flowInput - r.flow) > kFlowTolerance * r.flowInput) {
            flowTooLarge();
            ShowInputs(0);
        }
    } else if (r.mode == 1) {
        if (r.slope > kMaxSlopeFound) {
            flowTooLarge();
            ShowInputs(0);
        }
    }
    opFlow = r.flow;
    opVelocity = r.velocity;
    opFilling = r.filling;
    ShowResults();
    picture->update();
}

void CGravityFlowPage::RebuildHint()
{
    hint->setText(Record().madeToOrder == 1 ? hintFirst + QLatin1Char(' ') + hintSecond : QString());
}

void CGravityFlowPage::ShowResults()
{
    const GravityFlowRecord& r = Record();
    conclusion->SetTextColor(Qt::black);
    warning->SetTextColor(kFailedColor);
    hint->clear();
    RebuildHint();

    const bool valid = r.head.resultValid == 1;
    const QString none = QStringLiteral("-");
    auto show = [&](int id, const QString& text) { SetFieldText(id, valid ? text : none); };
    show(1060, r.slope < kSlopeShownAtLeast ? QStringLiteral(" < 0.01") : F2(r.slope));
    show(1062, F3(r.flow));
    show(1064, F2(r.filling));
    show(1066, F2(r.velocity));
    show(1069, E52(r.reynolds));
    show(1071, E52(r.frictionFactor));
    show(1073, F2(r.localLossHead + r.frictionLossHead));
    show(1075, F2(r.frictionLossHead));
    show(1077, F2(r.localLossHead));
    show(1079, F2(r.endLevel));
    show(1043, F2(r.minSlopeSanitary));
    show(1056, F2(r.minSlopeStorm));
    show(1038, F2(opFilling));
    show(1054, F2(opVelocity));
    show(1057, F3(opFlow));

    conclusion->SetTextColor(valid ? kMetColor : kFailedColor);
    conclusion->setText(QString::fromStdU16String(FromFixed(r.head.conclusion)));
    warning->setText(QString::fromStdU16String(FromFixed(r.head.warning)));
    SetFieldText(1058, F0(r.nominalSize));
}
