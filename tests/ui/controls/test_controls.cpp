// The shared controls and the page contract's triggers: colour fields, the
// sheet's tabs, the link button, and the recalculation that Enter, Tab and a
// plain left click cause once, before the control acts.
#include "core/pages/PageModel.h"
#include "tests/QtTestMain.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/controls/ColorControls.h"
#include "ui/controls/TabCtrlEx.h"
#include "ui/controls/URLLinkButton.h"
#include "ui/sheet/CalcPage.h"
#include "ui/sheet/PageView.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <tuple>

namespace {

QColor PixelAt(QWidget* w, QPoint p)
{
    QImage image = w->grab().toImage();
    const qreal dpr = image.devicePixelRatio();
    return image.pixelColor(QPoint(qRound(p.x() * dpr), qRound(p.y() * dpr)));
}

// A page with an edit, a disabled edit, a label and a button, counting what
// happens to it.
class TriggerPage : public CCalcPage {
public:
    explicit TriggerPage(CDalvorApp& application)
        : CCalcPage(application, {KindGravityFlow, 110, 1557, 1558, 1607, "gravityflow"})
    {
        edit = new QLineEdit(this);
        disabled = new QLineEdit(this);
        disabled->setEnabled(false);
        label = new QLabel(QStringLiteral("label"), this);
        button = new QPushButton(QStringLiteral("button"), this);
        connect(button, &QPushButton::clicked, this, [this] { events << QStringLiteral("clicked"); });
        auto* row = new QHBoxLayout(this);
        row->addWidget(edit);
        row->addWidget(disabled);
        row->addWidget(label);
        row->addWidget(button);
    }
    void Recalculate() override
    {
        events << QStringLiteral("recalculate");
        if (messageOnRecalculate)
            ShowMessage(20256);
    }

    QLineEdit* edit;
    QLineEdit* disabled;
    QLabel* label;
    QPushButton* button;
    QStringList events;
    bool messageOnRecalculate = false;
};

// A page on the kit: one input limited to 1..10, a result of twice the
// input that turns red above 5, and a message when the input hits its top.
constexpr int kInput = 1013, kResult = 1062, kOther = 1030;
const FieldSpec kEchoFields[] = {
    {kInput, 1422, 1423, 0, 1, KIT_NO_FIELD, "%.2f", 1.0, 10.0, FieldSpec::Input | FieldSpec::Hook},
    {kResult, 1457, 1458, 0, 1, KIT_NO_FIELD, "%.3f", FieldSpec::kNone, FieldSpec::kNone,
     FieldSpec::Result | FieldSpec::Hook},
    {kOther, 1426, 1427, 0, 1, KIT_NO_FIELD, "%.0f", FieldSpec::kNone, FieldSpec::kNone, FieldSpec::Input},
};

class EchoModel : public CPageModel {
public:
    explicit EchoModel(CDalvorApp& a) : CPageModel(a, KindGravityFlow) {}
    std::span<const FieldSpec> Fields() const override { return kEchoFields; }
    void ReadInputs() override { value = Limit(Value(kInput), 1.0, 10.0); }
    void ShowInputs(int) override { SetText(kInput, value, "%.2f"); }
    void ShowResults() override
    {
        SetText(kResult, 2 * value, "%.3f");
        SetColors(kResult, value > 5 ? kFailedBackColor : kMetBackColor, value > 5 ? kFailedTextColor : kMetTextColor);
        Enable(kOther, value <= 5);
    }
    void Recalculate() override
    {
        ReadInputs();
        ShowInputs(0);
        ShowResults();
        if (value >= 10)
            Raise({20258, 20257, {Format("%.0f", value)}, {u"1000"}});
    }
    double value = 1.0;
};

class EchoPage : public CPageView {
public:
    explicit EchoPage(CDalvorApp& a)
        : CPageView(a, {KindGravityFlow, 110, 1557, 1558, 1607, "gravityflow"}, echo), echo(a)
    {
        AddFieldRows(MakeGrid(this), 1);
    }
    EchoModel echo;
};

}  // namespace

class TestControls : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void pageOnTheKitShowsItsModel()
    {
        auto app = StartedApp(LangEnglish);
        ScriptedPrompts prompts;
        EchoPage page(*app);
        page.show();
        page.Activate();
        auto* input = qobject_cast<QLineEdit*>(page.Control(kInput));
        auto* result = qobject_cast<CColorEdit*>(page.Control(kResult));
        QVERIFY(input && result && qobject_cast<CColorStatic*>(page.Control(1457)));
        const struct {
            const char* typed;
            const char* shown;
            const char* result;
            QColor back;
            bool otherEnabled;
            int messages;
        } cases[] = {
            {"3,5", "3.50", "7.000", QColor(200, 255, 200), true, 0},
            {"abc", "1.00", "2.000", QColor(200, 255, 200), true, 0},
            {"7", "7.00", "14.000", QColor(255, 200, 200), false, 0},
            {"1e999", "1.00", "2.000", QColor(200, 255, 200), true, 0},
            {"50", "10.00", "20.000", QColor(255, 200, 200), false, 1},
        };
        for (const auto& c : cases) {
            input->setText(QString::fromLatin1(c.typed));
            QTest::keyClick(input, Qt::Key_Return);
            QCOMPARE(input->text(), QString::fromLatin1(c.shown));
            QCOMPARE(result->text(), QString::fromLatin1(c.result));
            QCOMPARE(result->BkColor(), c.back);
            QCOMPARE(page.Control(kOther)->isEnabled(), c.otherEnabled);
            QCOMPARE(prompts.warnings.size(), c.messages);
        }
        // The message's number took its place in the text, under its caption.
        QVERIFY(prompts.warnings.last().contains(QLatin1String("10mm")));
        QCOMPARE(prompts.warningCaptions.last(), page.Text(20257).replace(QLatin1String("%.0f"), QLatin1String("1000")));
    }

    void colourFieldAndLabel()
    {
        CColorEdit edit;
        CColorStatic label;
        edit.setText(QStringLiteral("12.5"));
        label.setText(QStringLiteral("verdict"));
        // Fresh: the dialog face and black text; the colours set are painted.
        for (auto [w, at] : {std::pair<QWidget*, QPoint>{&edit, {100, 12}}, {&label, {140, 3}}}) {
            w->resize(150, 24);
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            QCOMPARE(PixelAt(w, at), ButtonFaceColor());
        }
        QCOMPARE(edit.BkColor(), ButtonFaceColor());
        QCOMPARE(edit.TextColor(), QColor(Qt::black));
        QCOMPARE(label.BkColor(), ButtonFaceColor());
        QCOMPARE(label.TextColor(), QColor(Qt::black));
        edit.SetBkColor(QColor(127, 255, 255));
        edit.SetTextColor(QColor(0, 127, 0));
        QCOMPARE(PixelAt(&edit, QPoint(100, 12)), QColor(127, 255, 255));
        QCOMPARE(edit.palette().color(QPalette::Active, QPalette::Text), QColor(0, 127, 0));
        label.SetBkColor(QColor(255, 200, 200));
        label.SetTextColor(QColor(255, 0, 0));
        QCOMPARE(PixelAt(&label, QPoint(140, 3)), QColor(255, 200, 200));
        QCOMPARE(label.palette().color(QPalette::WindowText), QColor(255, 0, 0));
        // Data texts are never taken for markup.
        label.setText(QStringLiteral("<b>1</b>"));
        QCOMPARE(label.textFormat(), Qt::PlainText);

        // 0: editable with a grey background; 1: read-only keeping the
        // background it has; any other flag greys it and makes it read-only.
        const QColor grey(230, 230, 230), green(200, 255, 200);
        for (const auto& [flag, readOnly, background] : {std::tuple{0, false, grey}, std::tuple{1, true, green},
                                                         std::tuple{2, true, grey}}) {
            edit.SetBkColor(green);
            edit.SetReadOnly(flag);
            QCOMPARE(edit.isReadOnly(), readOnly);
            QCOMPARE(edit.BkColor(), background);
        }
        // The colours show on a disabled field too.
        edit.SetBkColor(QColor(255, 200, 200));
        edit.setEnabled(false);
        QCOMPARE(PixelAt(&edit, QPoint(100, 12)), QColor(255, 200, 200));
    }

    void tabsDrawnAndStacked()
    {
        CTabCtrlEx tabs;
        QSignalSpy changed(&tabs, &CTabCtrlEx::currentChanged);
        for (const char* t : {"     Underground tank - uplift force calculator     ",
                              "     Manholes - uplift force calculator     ",
                              "     Underground pipeline - static calculator     ",
                              "     Pressure pipeline - hydraulic calculator     ",
                              "     Gravity pipeline - hydraulic calculator     "})
            tabs.addTab(QString::fromLatin1(t));
        QCOMPARE(tabs.currentIndex(), 0);
        QCOMPARE(changed.count(), 1);
        tabs.resize(1050, tabs.heightForWidth(1050));
        tabs.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tabs));

        // Five long captions take more than one row, each row spread over the width.
        QVERIFY(tabs.rowCount() >= 2);
        for (int i = 0; i < tabs.count(); ++i) {
            QRect r = tabs.tabRect(i);
            QVERIFY(r.width() >= tabs.fontMetrics().horizontalAdvance(tabs.tabText(i)));
            QVERIFY(QRect(0, 0, 1050, tabs.height()).contains(r));
        }
        QCOMPARE(tabs.tabRect(0).left(), 0);
        // A single, lower row when the width allows it.
        QVERIFY(tabs.heightForWidth(100000) < tabs.heightForWidth(1050));

        // Selected: light 3D colour, its sides two pixels in; the others:
        // dialog face; a grey frame.
        const QRect selected = tabs.tabRect(0), other = tabs.tabRect(1);
        const QColor border = CTabCtrlEx::BorderColor(), fill = tabs.SelectedFillColor(), face = tabs.NormalFillColor();
        const std::pair<QPoint, QColor> pixels[] = {
            {{selected.left() + 5, selected.center().y()}, fill}, {{other.left() + 5, other.center().y()}, face},
            {{other.left() + 1, other.center().y()}, border},     {{selected.left() + 2, selected.top()}, border},
            {{selected.left() + 1, selected.center().y()}, fill}};
        for (const auto& [at, colour] : pixels)
            QVERIFY2(PixelAt(&tabs, at) == colour, qPrintable(QStringLiteral("at %1, %2").arg(at.x()).arg(at.y())));
        QCOMPARE(CTabCtrlEx::SelectedTextColor(), QColor(0, 0, 255));
        QCOMPARE(CTabCtrlEx::NormalTextColor(), QColor(50, 50, 50));
        // Some pixel of the selected caption is blue.
        QImage image = tabs.grab().toImage();
        bool blue = false;
        for (int x = selected.left(); x < selected.right() && !blue; ++x)
            for (int y = selected.top(); y < selected.bottom() && !blue; ++y)
                blue = image.pixelColor(x, y) == QColor(0, 0, 255);
        QVERIFY(blue);

        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(3).center());
        QCOMPARE(tabs.currentIndex(), 3);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.last().first().toInt(), 3);
        QCOMPARE(PixelAt(&tabs, QPoint(tabs.tabRect(3).left() + 5, tabs.tabRect(3).center().y())), fill);
        // Clicking the selected tab again changes nothing.
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(3).center());
        QCOMPARE(changed.count(), 2);
        tabs.setFocus();
        for (int next : {4, 0}) {
            QTest::keyClick(&tabs, Qt::Key_Right);
            QCOMPARE(tabs.currentIndex(), next);
        }
    }

    void linkButtonOpensOnClickAndEnterRelease()
    {
        UrlCatcher urls;
        QWidget parent;
        auto* link = new CURLLinkButton(&parent);
        link->setText(QStringLiteral("www.quorlin.example"));
        link->SetControlId(1000);
        link->resize(link->sizeHint());
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(link, &leave);
        QVERIFY(!link->IsHovered());
        QCOMPARE(link->CurrentColor(), QApplication::palette().color(QPalette::Highlight));

        // Hover underlines it in the hot colour.
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), link->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(link, &enter);
        QVERIFY(link->IsHovered());
        QCOMPARE(link->CurrentColor(), QApplication::palette().color(QPalette::Link));
        QApplication::sendEvent(link, &leave);

        // Space does nothing.
        link->setFocus();
        QTest::keyClick(link, Qt::Key_Space);
        QVERIFY(urls.opened.isEmpty());
        // Enter acts once, when released; a held key repeats no action.
        QTest::keyPress(link, Qt::Key_Return);
        QVERIFY(urls.opened.isEmpty());
        QKeyEvent repeatUp(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(link, &repeatUp);
        QVERIFY(urls.opened.isEmpty());
        QTest::keyRelease(link, Qt::Key_Return);
        QCOMPARE(urls.opened.size(), 1);
        QCOMPARE(urls.opened.first(), QUrl(QStringLiteral("http://www.quorlin.example")));
        QVERIFY(link->IsVisited());
        QCOMPARE(link->CurrentColor(), QColor(128, 0, 128));
        // A release without its press does nothing.
        QTest::keyRelease(link, Qt::Key_Return);
        QCOMPARE(urls.opened.size(), 1);
        // Space marks a key press as Enter does; only Enter let go acts on it.
        QTest::keyPress(link, Qt::Key_Space);
        QTest::keyRelease(link, Qt::Key_Space);
        QCOMPARE(urls.opened.size(), 1);
        QTest::keyRelease(link, Qt::Key_Return);
        QCOMPARE(urls.opened.size(), 2);
        // Another key between them forgets the press.
        QTest::keyPress(link, Qt::Key_Return);
        QTest::keyClick(link, Qt::Key_A);
        QTest::keyRelease(link, Qt::Key_Return);
        QCOMPARE(urls.opened.size(), 2);
        // So does a mouse move or a click.
        QTest::keyPress(link, Qt::Key_Return);
        QTest::mouseMove(link, QPoint(3, 3));
        QTest::keyRelease(link, Qt::Key_Return);
        QCOMPARE(urls.opened.size(), 2);
        urls.opened.removeLast();

        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(urls.opened.size(), 2);
        // Disabled: grey, and nothing opens.
        link->setEnabled(false);
        QCOMPARE(link->CurrentColor(), QApplication::palette().color(QPalette::Disabled, QPalette::WindowText));
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(urls.opened.size(), 2);
    }

    void linkThatCannotOpenIsReported()
    {
        UrlCatcher failing(false);
        CURLLinkButton link;
        link.setText(QStringLiteral("www.quorlin.example"));
        link.SetPrefix(QStringLiteral("https://"));
        link.SetControlId(1000);
        QSignalSpy failed(&link, &CURLLinkButton::linkOpenFailed);
        link.show();
        QTest::mouseClick(&link, Qt::LeftButton);
        QCOMPARE(failing.opened.first(), QUrl(QStringLiteral("https://www.quorlin.example")));
        QCOMPARE(failed.count(), 1);
        QCOMPARE(failed.first().first().toInt(), 1000);
        QVERIFY(link.IsVisited());
    }

    void pageRecalculatesOnceBeforeTheControlActs()
    {
        ScriptedPrompts prompts;
        auto app = StartedApp(LangEnglish);
        TriggerPage page(*app);
        page.resize(600, 60);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&page));

        // Not yet active in a sheet: nothing happens.
        QTest::keyClick(page.edit, Qt::Key_Return);
        QVERIFY(page.events.isEmpty());
        page.Activate();
        QCOMPARE(app->activeCalcKind, int(KindGravityFlow));

        // Each trigger recalculates once, whatever control takes it; another
        // key does not.
        const std::tuple<const char*, int, std::function<void()>> triggers[] = {
            {"Enter", 1, [&] { QTest::keyClick(page.edit, Qt::Key_Return); }},
            {"Enter again", 1, [&] { QTest::keyClick(page.edit, Qt::Key_Return); }},
            {"keypad Enter", 1, [&] { QTest::keyClick(page.edit, Qt::Key_Enter, Qt::KeypadModifier); }},
            {"Tab", 1, [&] { QTest::keyClick(page.edit, Qt::Key_Tab); }},
            {"Shift+Tab", 1, [&] { QTest::keyClick(page.edit, Qt::Key_Backtab, Qt::ShiftModifier); }},
            {"another key", 0, [&] { QTest::keyClick(page.edit, Qt::Key_A); }},
            {"label", 1, [&] { QTest::mouseClick(page.label, Qt::LeftButton); }},
            {"disabled edit", 1, [&] { QTest::mouseClick(page.disabled, Qt::LeftButton); }},
            {"edit", 1, [&] { QTest::mouseClick(page.edit, Qt::LeftButton); }}};
        for (const auto& [what, runs, act] : triggers) {
            page.edit->setFocus();
            act();
            QVERIFY2(page.events == QStringList(runs, QStringLiteral("recalculate")), what);
            page.events.clear();
        }
        // A button recalculates before it acts.
        QTest::mouseClick(page.button, Qt::LeftButton);
        QCOMPARE(page.events, QStringList({"recalculate", "clicked"}));
        page.events.clear();

        // Not with Shift or Ctrl held, nor with the right button.
        QTest::mouseClick(page.label, Qt::LeftButton, Qt::ShiftModifier);
        QTest::mouseClick(page.label, Qt::LeftButton, Qt::ControlModifier);
        QTest::mouseClick(page.label, Qt::RightButton);
        QVERIFY(page.events.isEmpty());
        QCOMPARE(page.TriggeredRecalculations(), 9);

        // A message that the recalculation shows takes the press: the button
        // does not act on it and is not left down.
        page.messageOnRecalculate = true;
        QTest::mouseClick(page.button, Qt::LeftButton);
        QCOMPARE(page.events, QStringList({"recalculate"}));
        QCOMPARE(prompts.warnings.size(), 1);
        QVERIFY(!page.button->isDown());
        page.events.clear();
        // Enter still goes on to its control after a message.
        QTest::keyClick(page.edit, Qt::Key_Return);
        QCOMPARE(page.events, QStringList({"recalculate"}));

        // An inactive page is left alone.
        page.messageOnRecalculate = false;
        page.events.clear();
        page.Deactivate();
        QTest::mouseClick(page.button, Qt::LeftButton);
        QCOMPARE(page.events, QStringList({"clicked"}));
    }

    void pageCaptionsFollowTheLanguage()
    {
        ScriptedPrompts prompts;
        auto app = StartedApp(LangEnglish);
        TriggerPage page(*app);
        auto* caption = new QLabel(&page);
        page.RegisterControl(1553, caption);
        page.Activate();
        QCOMPARE(caption->objectName(), QStringLiteral("1553"));
        QCOMPARE(caption->text(), QStringLiteral("Add"));
        page.ApplyLanguage(LangPolish);
        QCOMPARE(caption->text(), QStringLiteral("Dodaj"));
    }
};

DALVOR_TEST_MAIN(TestControls)
#include "test_controls.moc"
