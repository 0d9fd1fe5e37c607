// The shared controls and the page contract's triggers: colour fields, the
// sheet's tabs, the link button, and the recalculation that Enter, Tab and a
// plain left click cause once, before the control acts.
#include "CalcPage.h"
#include "ColorControls.h"
#include "TabCtrlEx.h"
#include "URLLinkButton.h"
#include "UiTestSupport.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

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
    explicit TriggerPage(CDalvorApp& app)
        : CCalcPage(app, {KindGravityFlow, 110, 1557, 1558, 1607, "gravityflow"})
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

}  // namespace

class TestControls : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void colorEdit()
    {
        CColorEdit edit;
        edit.setText(QStringLiteral("12.5"));
        edit.resize(120, 24);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        // A fresh field: the dialog face and black text.
        QCOMPARE(edit.BkColor(), ButtonFaceColor());
        QCOMPARE(edit.TextColor(), QColor(Qt::black));
        QCOMPARE(PixelAt(&edit, QPoint(100, 12)), ButtonFaceColor());

        edit.SetBkColor(QColor(127, 255, 255));
        edit.SetTextColor(QColor(0, 127, 0));
        QCOMPARE(PixelAt(&edit, QPoint(100, 12)), QColor(127, 255, 255));
        QCOMPARE(edit.palette().color(QPalette::Active, QPalette::Text), QColor(0, 127, 0));

        // Editable with a grey background, then read-only keeping it.
        edit.SetReadOnly(0);
        QVERIFY(!edit.isReadOnly());
        QCOMPARE(edit.BkColor(), QColor(230, 230, 230));
        edit.SetBkColor(QColor(200, 255, 200));
        edit.SetReadOnly(1);
        QVERIFY(edit.isReadOnly());
        QCOMPARE(edit.BkColor(), QColor(200, 255, 200));
        // Any other flag greys it and makes it read-only.
        edit.SetReadOnly(2);
        QVERIFY(edit.isReadOnly());
        QCOMPARE(edit.BkColor(), QColor(230, 230, 230));

        // The colours show on a disabled field too.
        edit.SetBkColor(QColor(255, 200, 200));
        edit.setEnabled(false);
        QCOMPARE(PixelAt(&edit, QPoint(100, 12)), QColor(255, 200, 200));
    }

    void colorStatic()
    {
        CColorStatic label;
        label.setText(QStringLiteral("verdict"));
        label.resize(150, 24);
        label.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label));
        QCOMPARE(label.BkColor(), ButtonFaceColor());
        QCOMPARE(label.TextColor(), QColor(Qt::black));
        label.SetBkColor(QColor(255, 200, 200));
        label.SetTextColor(QColor(255, 0, 0));
        QCOMPARE(PixelAt(&label, QPoint(140, 3)), QColor(255, 200, 200));
        QCOMPARE(label.palette().color(QPalette::WindowText), QColor(255, 0, 0));
        // Data texts are never taken for markup.
        label.setText(QStringLiteral("<b>1</b>"));
        QCOMPARE(label.textFormat(), Qt::PlainText);
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

        // Selected: light 3D colour; the others: dialog face; a grey frame.
        const QRect selected = tabs.tabRect(0);
        QCOMPARE(PixelAt(&tabs, QPoint(selected.left() + 5, selected.center().y())), tabs.SelectedFillColor());
        const QRect other = tabs.tabRect(1);
        QCOMPARE(PixelAt(&tabs, QPoint(other.left() + 5, other.center().y())), tabs.NormalFillColor());
        QCOMPARE(PixelAt(&tabs, QPoint(other.left() + 1, other.center().y())), CTabCtrlEx::BorderColor());
        // The sides and bottom of a tab are drawn as lines that stop short of
        // their last point: a tab's left side starts below its top, its right
        // side stands outside it, under the next tab's fill.
        const QColor border = CTabCtrlEx::BorderColor();
        QCOMPARE(PixelAt(&tabs, QPoint(other.left() + 1, other.top())), tabs.NormalFillColor());
        QCOMPARE(PixelAt(&tabs, QPoint(other.left() + 1, other.top() + 1)), border);
        QCOMPARE(PixelAt(&tabs, QPoint(other.left() + 1, other.bottom())), border);
        QCOMPARE(PixelAt(&tabs, QPoint(other.right(), other.bottom())), border);
        QCOMPARE(PixelAt(&tabs, QPoint(other.right(), other.center().y())), tabs.NormalFillColor());
        // The selected tab: sides two and three pixels in, the bottom line
        // ending on the right side.
        QCOMPARE(PixelAt(&tabs, QPoint(selected.left() + 2, selected.top())), border);
        QCOMPARE(PixelAt(&tabs, QPoint(selected.left() + 1, selected.center().y())), tabs.SelectedFillColor());
        QCOMPARE(PixelAt(&tabs, QPoint(selected.right() - 2, selected.top())), border);
        QCOMPARE(PixelAt(&tabs, QPoint(selected.right() - 2, selected.bottom())), border);
        QCOMPARE(PixelAt(&tabs, QPoint(selected.right() - 1, selected.bottom())), tabs.SelectedFillColor());
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
        QCOMPARE(PixelAt(&tabs, QPoint(tabs.tabRect(3).left() + 5, tabs.tabRect(3).center().y())),
                 tabs.SelectedFillColor());
        // Clicking the selected tab again changes nothing.
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(3).center());
        QCOMPARE(changed.count(), 2);
        tabs.setFocus();
        QTest::keyClick(&tabs, Qt::Key_Right);
        QCOMPARE(tabs.currentIndex(), 4);
        QTest::keyClick(&tabs, Qt::Key_Right);
        QCOMPARE(tabs.currentIndex(), 0);
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
        QEvent away(QEvent::Leave);
        QApplication::sendEvent(link, &away);
        QCOMPARE(link->CurrentColor(), QApplication::palette().color(QPalette::Highlight));

        // Hover underlines it in the hot colour.
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), link->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(link, &enter);
        QVERIFY(link->IsHovered());
        QCOMPARE(link->CurrentColor(), QApplication::palette().color(QPalette::Link));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(link, &leave);
        QVERIFY(!link->IsHovered());

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

        auto expectOne = [&](const char* what) {
            QCOMPARE(page.events.count(QStringLiteral("recalculate")), 1);
            Q_UNUSED(what);
            page.events.clear();
        };
        page.edit->setFocus();
        QTest::keyClick(page.edit, Qt::Key_Return);
        expectOne("Enter");
        QTest::keyClick(page.edit, Qt::Key_Return);
        expectOne("Enter again");
        QTest::keyClick(page.edit, Qt::Key_Enter, Qt::KeypadModifier);
        expectOne("keypad Enter");
        page.edit->setFocus();
        QTest::keyClick(page.edit, Qt::Key_Tab);
        expectOne("Tab");
        page.edit->setFocus();
        QTest::keyClick(page.edit, Qt::Key_Backtab, Qt::ShiftModifier);
        expectOne("Shift+Tab");
        QTest::keyClick(page.edit, Qt::Key_A);
        QVERIFY(page.events.isEmpty());

        // A plain left click anywhere: once, whatever control takes it.
        QTest::mouseClick(page.label, Qt::LeftButton);
        expectOne("label");
        QTest::mouseClick(page.disabled, Qt::LeftButton);
        expectOne("disabled edit");
        QTest::mouseClick(page.edit, Qt::LeftButton);
        expectOne("edit");
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

    void pageCaptionsAndStoreButtons()
    {
        ScriptedPrompts prompts;
        auto app = StartedApp(LangEnglish);
        TriggerPage page(*app);
        auto* caption = new QLabel(&page);
        page.RegisterControl(1553, caption);
        QPushButton* update = new QPushButton(&page);
        page.RegisterControl(1558, update);
        page.Activate();
        QCOMPARE(caption->objectName(), QStringLiteral("1553"));
        QCOMPARE(caption->text(), QStringLiteral("Add"));
        page.ApplyLanguage(LangPolish);
        QCOMPARE(caption->text(), QStringLiteral("Dodaj"));
        QCOMPARE(page.Control(1558), update);
        QCOMPARE(page.Control(4242), nullptr);
    }
};

QTEST_MAIN(TestControls)
#include "test_controls.moc"
