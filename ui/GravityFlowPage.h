// The gravity-flow page (kind 4): a sewer section of a chosen pipe, its fluid
// and two of slope, filling and flow; it works out the pipe diameter, the
// slope, the flow or the filling, with the losses, the end level, the
// minimum slopes and a verdict, on every Enter, Tab or click in the page.
#pragma once

#include "CalcPage.h"

#include <QColor>
#include <QString>

class CColorEdit;
class CColorStatic;
class QButtonGroup;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct DiameterCandidate;
struct GravityFlowRecord;

class CGravityFlowPage : public CCalcPage {
    Q_OBJECT
public:
    explicit CGravityFlowPage(CDalvorApp& app, QWidget* parent = nullptr);
    static const CalcPageInfo kInfo;

    // ---- the page contract ------------------------------------------------
    void Recalculate() override;
    void ReadInputs() override;
    void ShowInputs(int resetNumber) override;
    void ShowResults() override;
    void ApplyLanguage(int offset) override;
    void FillLists() override;
    void ResetListsToFirst() override;
    void ResetNumberAndName() override;

    // ---- lists of the catalogue -------------------------------------------
    // Each item keeps the table row it shows (and that row's id), so a
    // choice is taken by row, whatever the language of the names.
    void FillPipeKindCombo();
    void FillPipeTypeCombo();
    // Lists the sizes of the record's category and type and builds the
    // record's candidate list from them, item i being candidate i.
    void FillDiameterCombo();
    // The names of the listed rows in the language of the tables now loaded;
    // lists whose rows no longer fit the tables are filled anew.
    void RelabelLists();

    // ---- handlers -----------------------------------------------------------
    void OnSelchangePipeKind();
    void OnSelchangePipeType();
    void OnSelchangeDiameter();
    // The radios of the sought quantity: diameter, slope, flow, filling.
    void OnTargetDiameter() { OnTarget(0); }
    void OnTargetSlope() { OnTarget(1); }
    void OnTargetFlow() { OnTarget(2); }
    void OnTargetFilling() { OnTarget(3); }
    void OnFluidParameters();
    void OnFlowUnits();

    // Every recalculation of the page, whatever started it (for tests).
    int Recalculations() const { return recalculations; }

    // The operating point the diagram shows: filling h/D, velocity in m/s and
    // flow in m3/s. The recalculation sets it from the results.
    double opFilling = 0.0;
    double opVelocity = 0.0;
    double opFlow = 0.0;

    // The highlight of the sought quantity and the verdict colours.
    static const QColor kSoughtColor;
    static const QColor kMetColor;
    static const QColor kFailedColor;

protected:
    void OnInitDialog() override;

private:
    GravityFlowRecord& Record() const;
    // The mode's radio was clicked: the inputs are read in the new mode,
    // which then shows its fields and highlight, and worked out.
    void OnTarget(int mode);
    // The record takes a size of the list: its diameters, catalogue
    // roughness and made-to-order flag, with the user's roughness over the
    // catalogue's when there is one.
    void TakeSize(const DiameterCandidate& size);
    // The mode the page shows: the record's, or 0 when it is none of the four.
    int ShownMode() const;
    void ApplyModeStates(int mode);
    void RebuildHint();
    QLineEdit* Edit(int id) const;
    void SetFieldText(int id, const QString& text);
    double FieldValue(int id) const;
    // Selects a list item without running its handler.
    static void SelectItem(QComboBox* combo, int index);
    void ConnectList(QComboBox* combo, void (CGravityFlowPage::*handler)());

    QButtonGroup* modeGroup = nullptr;
    QRadioButton* modeRadios[4] = {};
    QComboBox* categoryCombo = nullptr;
    QComboBox* typeCombo = nullptr;
    QComboBox* sizeCombo = nullptr;
    QPushButton* fluidButton = nullptr;
    QPushButton* flowUnitsButton = nullptr;
    QPushButton* roughnessButton = nullptr;
    QFrame* picture = nullptr;

    // The ten coloured controls.
    CColorStatic* soughtLabels[4] = {};
    CColorEdit* soughtFields[4] = {};
    CColorStatic* conclusion = nullptr;
    CColorStatic* warning = nullptr;
    QLabel* hint = nullptr;

    QString hintFirst;
    QString hintSecond;
    int recalculations = 0;
};
