// dalvor-report --as-stored prints a stored calculation of each kind to a PDF
// whose text holds every report row of the record as stored, label and value,
// in the order of its column.
#include "core/app/DalvorApp.h"
#include "tests/core/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace {

struct Project {
    Project()
    {
        std::string pattern = (fs::temp_directory_path() / "dalvor-report-XXXXXX").string();
        dir = mkdtemp(pattern.data());
        MemorySettings settings;
        settings.values["Settings/Language"] = LangEnglish;
        app.InitCoreInstance(settings, "C", DalvorHome());
        app.CalcTankBuoyancy();
        app.CalcTankAnchoring();
        app.CalcManholeBuoyancy();
        app.CalcBuriedPipe();
        app.CalcGravityFlow();
        app.CalcPressureFlow();
        for (int kind = 1; kind <= 5; ++kind)
            app.StoreCurrentCalc(kind, -1);
        app.working.gravityFlow.mode = 2;  // a second gravity flow, index 1
        app.CalcGravityFlow();
        app.StoreCurrentCalc(KindGravityFlow, -1);
        EXPECT_EQ(app.WriteProjectFile((dir / "in.qdl").string()), ProjectWriteError::None);
    }
    ~Project() { fs::remove_all(dir); }

    int Report(const std::string& args, const std::string& pdf) const
    {
        const std::string cmd = "timeout 60 " + DalvorHome() + "/dalvor-report --lang en " + args + " '" +
                                (dir / "in.qdl").string() + "' " + pdf + " '" + (dir / "out.pdf").string() + "' 2>/dev/null";
        return std::system(cmd.c_str());
    }

    // The text of one column of the page (x and width in points).
    std::string ColumnText(int x, int width) const
    {
        const std::string cmd = "pdftotext -layout -x " + std::to_string(x) + " -y 0 -W " + std::to_string(width) +
                                " -H 842 '" + (dir / "out.pdf").string() + "' -";
        std::string out;
        if (FILE* f = popen(cmd.c_str(), "r")) {
            char buffer[4096];
            for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
                out.append(buffer, n);
            pclose(f);
        }
        return out;
    }

    CDalvorApp app;
    fs::path dir;
};

std::string Trim(const std::string& s)
{
    const auto b = s.find_first_not_of(' ');
    return b == std::string::npos ? std::string() : s.substr(b, s.find_last_not_of(' ') - b + 1);
}

}  // namespace

TEST(ReportTool, EveryRowOfEveryKindInColumnOrder)
{
    Project project;
    struct Case {
        int kind, index;
    };
    const Case cases[] = {{KindTank, 0}, {KindManhole, 0}, {KindBuriedPipe, 0},
                          {KindGravityFlow, 0}, {KindGravityFlow, 1}, {KindPressureFlow, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE("kind " + std::to_string(c.kind) + " index " + std::to_string(c.index));
        ASSERT_EQ(project.Report("--as-stored --title 'Trunk sewer A'", std::to_string(c.kind) + " " + std::to_string(c.index)), 0);
        // The rows the program builds for the same record.
        CDalvorApp& app = project.app;
        const ProjectArrays& p = app.project;
        switch (c.kind) {
        case KindTank: app.working.tank = p.tank[c.index]; break;
        case KindManhole: app.working.manhole = p.manhole[c.index]; break;
        case KindBuriedPipe: app.working.buriedPipe = p.buriedPipe[c.index]; break;
        case KindGravityFlow: app.working.gravityFlow = p.gravityFlow[c.index]; break;
        default: app.working.pressureFlow = p.pressureFlow[c.index]; break;
        }
        app.BuildReport(c.kind);
        for (int column = 0; column < 2; ++column) {
            const std::string text = project.ColumnText(column == 0 ? 0 : 297, column == 0 ? 297 : 298);
            std::size_t at = 0;
            for (int s = column; s < 10; s += 2)
                for (int i = 0; i < app.print.reportSections[s].rowCount; ++i)
                    for (const std::string& part : {Trim(Utf8(app.print.reportSections[s].label[i])),
                                                    Trim(Utf8(app.print.reportSections[s].value[i]))}) {
                        if (part.empty())
                            continue;
                        const std::size_t found = text.find(part, at);
                        EXPECT_NE(found, std::string::npos) << "section " << s << " row " << i << ": " << part;
                        if (found != std::string::npos)
                            at = found + part.size();
                    }
        }
        const std::string whole = project.ColumnText(0, 595);
        EXPECT_NE(whole.find("Trunk sewer A"), std::string::npos);
        EXPECT_EQ(whole.find("Calculation according to") != std::string::npos, c.kind == KindBuriedPipe);
    }
}

TEST(ReportTool, RefusesWhatIsNoStoredCalculation)
{
    Project project;
    std::FILE* damaged = std::fopen((project.dir / "bad.qdl").c_str(), "wb");
    std::fputs("not a project", damaged);
    std::fclose(damaged);
    const struct {
        const char* kindIndex;
    } cases[] = {{"0 0"}, {"6 0"}, {"4 2"}, {"4 -1"}, {"x 0"}};
    for (const auto& c : cases) {
        EXPECT_EQ(WEXITSTATUS(project.Report("", c.kindIndex)), 2) << c.kindIndex;
        EXPECT_FALSE(fs::exists(project.dir / "out.pdf")) << c.kindIndex;
    }
    const std::string cmd = DalvorHome() + "/dalvor-report '" + (project.dir / "bad.qdl").string() + "' 4 0 '" +
                            (project.dir / "out.pdf").string() + "' 2>/dev/null";
    EXPECT_EQ(WEXITSTATUS(std::system(cmd.c_str())), 2);
    EXPECT_FALSE(fs::exists(project.dir / "out.pdf"));
    // No file: a full device, then a FIFO with no reader, refused and not waited on.
    fs::create_symlink("/dev/full", project.dir / "out.pdf");
    EXPECT_EQ(WEXITSTATUS(project.Report("", "4 0")), 3);
    fs::remove(project.dir / "out.pdf");
    ASSERT_EQ(::mkfifo((project.dir / "out.pdf").c_str(), 0600), 0);
    EXPECT_EQ(WEXITSTATUS(project.Report("", "4 0")), 3);
    fs::remove(project.dir / "out.pdf");

#if !defined(__SANITIZE_ADDRESS__)
    // A sound project of a million tanks (a file with holes) that does not fit
    // in 1 GB of address space: refused for the memory, not as damaged.
    const fs::path big = project.dir / "big.qdl";
    const int32_t header[10] = {0, 0, 0, 0, 1000000, -1, -1, -1, -1, -1};
    WriteAll(big, std::vector<uint8_t>(reinterpret_cast<const uint8_t*>(header), reinterpret_cast<const uint8_t*>(header + 10)));
    fs::resize_file(big, 40 + 1000000ull * sizeof(TankRecord));
    const std::string err = (project.dir / "err").string();
    EXPECT_EQ(WEXITSTATUS(std::system(("ulimit -v 1048576; " + DalvorHome() + "/dalvor-report '" + big.string() +
                                       "' 1 0 '" + (project.dir / "out.pdf").string() + "' 2>" + err).c_str())), 3);
    const std::vector<uint8_t> said = ReadAll(err);
    EXPECT_NE(std::string(said.begin(), said.end()).find("out of memory"), std::string::npos);
    EXPECT_FALSE(fs::exists(project.dir / "out.pdf"));
#endif
}
