// The manhole and tank pages as the user works them in the main window: the
// triggers, the type lists, the messages, the verdicts, the store buttons
// with the project manager, the import and the language switch.
#include "CalcSheet.h"
#include "ColorControls.h"
#include "ImportDlg.h"
#include "ManageProjectDlg.h"
#include "ManholePage.h"
#include "MenuTexts.h"
#include "QtHost.h"
#include "ReservoirPage.h"
#include "Text.h"
#include "UiTestSupport.h"
#include "UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cstring>

class TestUpliftPages : public QObject, public MainWindowFixture {
    Q_OBJECT

private:
    CCalcPage* page = nullptr;

    template <typename Page>
    Page* Start(int tab, int language = LangEnglish)
    {
        OpenMainWindow(language, QStringLiteral("uplift"));
        frame->View()->EndStartupPicture();
        frame->activateWindow();
        if (!QTest::qWaitForWindowActive(frame.get()))
            return nullptr;
        frame->Sheet()->setCurrentIndex(tab);
        page = frame->Sheet()->ActivePage();
        return qobject_cast<Page*>(page);
    }
    QLineEdit* Edit(int id) { return qobject_cast<QLineEdit*>(page->Control(id)); }
    QComboBox* Combo(int id) { return qobject_cast<QComboBox*>(page->Control(id)); }
    QString Text(int id)
    {
        QWidget* w = page->Control(id);
        if (auto* e = qobject_cast<QLineEdit*>(w))
            return e->text();
        if (auto* c = qobject_cast<QComboBox*>(w))
            return c->currentText();
        if (auto* l = qobject_cast<QLabel*>(w))
            return l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            return b->text();
        return QString();
    }
    void CheckTexts(std::initializer_list<std::pair<int, QString>> expected)
    {
        for (const auto& [id, text] : expected)
            QVERIFY2(Text(id) == text,
                     qPrintable(QStringLiteral("%1 shows \"%2\", not \"%3\"").arg(id).arg(Text(id), text)));
    }
    // Types a text into a field and presses Enter there.
    void Enter(int id, const QString& text)
    {
        QLineEdit* e = Edit(id);
        QVERIFY(e && e->isEnabled());
        e->setText(text);
        QTest::keyClick(e, Qt::Key_Return);
    }
    // Chooses an item of a closed list from the keyboard, as a user does.
    void Choose(int id, int index)
    {
        QComboBox* c = Combo(id);
        QVERIFY(c && c->isEnabled());
        c->setFocus();
        QTest::keyClick(c, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(c, Qt::Key_Down);
        QCOMPARE(c->currentIndex(), index);
    }
    QColor Back(int id) { return static_cast<CColorEdit*>(page->Control(id))->BkColor(); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { InitWindowTest(); }
    void cleanup() { CleanupWindowTest(); }

    void manholeTypesCollectorAndVerdicts()
    {
        auto* mh = Start<CManholePage>(1);
        QVERIFY(mh);
        QCOMPARE(app->activeCalcKind, int(KindManhole));
        QCOMPARE(Combo(MhTypeList)->count(), app->manholeTypeCount);
        CheckTexts({{MhTypeList, "Sewer manhole DN 1000"}, {MhNominalDiameter, "1000"}, {MhNumber, "-"},
                    {1150, "Manhole type:"}, {MhUpdate, "Update"}});
        QVERIFY(!page->Control(MhUpdate)->isEnabled());

        // A collector above the type's largest: one message, the entry back.
        const QString dk = Text(MhPipeDiameter);
        const int recalcs = mh->Recalculations();
        Enter(MhPipeDiameter, QStringLiteral("700"));
        QCOMPARE(mh->Recalculations(), recalcs + 1);
        QCOMPARE(prompts->warnings, QStringList{"Max. pipe diameter amounts to 630mm"});
        CheckTexts({{MhPipeDiameter, dk}});

        // Typed values are read with their clamps; a comma is a point.
        Enter(MhFrictionAngle, QStringLiteral("50"));
        Enter(MhUnitWeight, QStringLiteral("17,5"));
        Enter(MhWaterLevel, QStringLiteral("99"));
        CheckTexts({{MhFrictionAngle, "45"}, {MhUnitWeight, "17.50"}, {MhWaterLevel, Text(MhGroundLevel)}});
        QCOMPARE(app->manhole.frictionAngle, 45.0);

        // Water up to the ground: a heavy bottom is needed and shown in red.
        QCOMPARE(app->manhole.head.resultValid, 1);
        QCOMPARE(static_cast<CColorStatic*>(page->Control(MhConclusion))->TextColor(), QColor(255, 0, 0));
        QCOMPARE(Back(MhBallastHeight), QColor(255, 200, 200));
        QCOMPARE(Text(MhTotalHeight), QString::fromStdString(FormatC("%.2f", app->manhole.height + app->manhole.ballastHeight)));

        // An eccentric type fixes the collector at its largest diameter.
        Choose(MhTypeList, 6);
        QCOMPARE(app->manhole.typeIndex, 6);
        CheckTexts({{MhPipeDiameter, "1200"}});
        QVERIFY(!Edit(MhPipeDiameter)->isEnabled());
        QVERIFY(!page->Control(MhSandTrap)->isEnabled());
        QVERIFY(page->Control(MhReinforced)->isEnabled());
        QCOMPARE(prompts->warnings.size(), 1);

        // The sand trap of a concentric type opens its depth.
        Choose(MhTypeList, 0);
        QTest::mouseClick(page->Control(MhSandTrap), Qt::LeftButton, {}, QPoint(6, 8));
        QCOMPARE(app->manhole.sandTrap, 1);
        QVERIFY(Edit(MhSandTrapDepth)->isEnabled());
    }
};

QTEST_MAIN(TestUpliftPages)
#include "test_uplift_pages.moc"
