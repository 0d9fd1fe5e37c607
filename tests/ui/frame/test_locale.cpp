// Numbers are read and written with a decimal point whatever the user's
// locale: the program puts the C library's numeric locale back to "C" after
// Qt took the desktop's, and the core's conversions do not depend on it.
#include "core/base/Text.h"
#include "tests/QtTestMain.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/frame/DalvorDoc.h"
#include "ui/frame/Startup.h"

#include <QTest>

#include <clocale>
#include <cstdio>
#include <cstring>

class TestLocale : public QObject {
    Q_OBJECT

private:
    // Every locale test starts in a Polish numeric locale, with its comma.
    static void EnterPolishLocale()
    {
        QVERIFY2(std::setlocale(LC_NUMERIC, "pl_PL.UTF-8") != nullptr,
                 "the pl_PL.UTF-8 locale is missing (scripts/setup.sh generates it)");
        QCOMPARE(std::localeconv()->decimal_point[0], ',');
    }

private slots:
    void cleanup() { std::setlocale(LC_NUMERIC, "C"); }

    void startUpRestoresTheDecimalPoint()
    {
        EnterPolishLocale();
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.2f", 1.5);
        QCOMPARE(QByteArray(buffer), QByteArray("1,50"));
        SetUpApplication();
        QCOMPARE(std::localeconv()->decimal_point[0], '.');
        std::snprintf(buffer, sizeof buffer, "%.2f", 1.5);
        QCOMPARE(QByteArray(buffer), QByteArray("1.50"));
    }

    void coreConversionsIgnoreThePolishLocale()
    {
        EnterPolishLocale();
        QCOMPARE(FormatC("%.2f", 1.5), std::string("1.50"));
        QCOMPARE(FormatC("%4.2e", 1.31e-6), std::string("1.31e-06"));
        QCOMPARE(ParseNumber(std::string_view("1,5")), 1.5);
        QCOMPARE(ParseNumber(std::string_view("1.5")), 1.5);
        QCOMPARE(ParseNumber(std::string_view(" 2.35")), 2.35);
        QCOMPARE(ParseNumber(std::string_view("nan")), 0.0);
        QCOMPARE(ParseNumber(std::string_view("1e999")), 0.0);
    }

    void projectFilesDoNotDependOnTheLocale()
    {
        EnterPolishLocale();
        QStandardPaths::setTestModeEnabled(true);
        auto app = StartedApp(LangPolish);
        app->StoreCurrentCalc(KindGravityFlow, -1);
        const std::vector<uint8_t> polish = app->WriteProject();
        std::setlocale(LC_NUMERIC, "C");
        QVERIFY(app->WriteProject() == polish);
        // The records' default numbers are the same under either locale.
        auto inC = StartedApp(LangPolish);
        EnterPolishLocale();
        auto inPolish = StartedApp(LangPolish);
        QCOMPARE(std::memcmp(&inC->working.gravityFlow, &inPolish->working.gravityFlow, sizeof(GravityFlowRecord)), 0);
        QCOMPARE(std::memcmp(&inC->working.tank, &inPolish->working.tank, sizeof(TankRecord)), 0);
    }
};

DALVOR_TEST_MAIN(TestLocale)
#include "test_locale.moc"
