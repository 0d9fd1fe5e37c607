// The atomic save under what goes wrong around it: killed saves, long names,
// links planted in shared folders, files that belong to others.
#include "AtomicFile.h"
#include "CoreTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> Bytes(std::size_t n, uint8_t value) { return std::vector<uint8_t>(n, value); }

std::vector<uint8_t> ReadAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& p, const std::vector<uint8_t>& b)
{
    std::ofstream(p, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(b.data()),
                                                               static_cast<std::streamsize>(b.size()));
}

std::vector<std::string> Names(const fs::path& dir)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool UnnamedFilesWork(const fs::path& dir)
{
    int fd = ::open(dir.c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

}  // namespace

TEST(AtomicFile, ASaveKilledMidwayLeavesTheOldFileAndNoTemporaryFile)
{
    const TempFolder folder("dalvor-killed-save");
    const fs::path file = folder.Path() / "p.qdl";
    const std::vector<uint8_t> old = Bytes(1000, 7);
    WriteAll(file, old);
    const pid_t child = ::fork();
    if (child == 0) {
        WriteFileAtomically(file.string(), [](FileSink& sink) {
            sink.Put(Bytes(1 << 20, 9));
            ::kill(::getpid(), SIGKILL);
        });
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(ReadAll(file), old);
    if (UnnamedFilesWork(folder.Path())) {
        EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"p.qdl"});
    }
    // Whatever the file system, the next save leaves no trace of it.
    ASSERT_TRUE(WriteFileAtomically(file.string(), Bytes(10, 1)));
    EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"p.qdl"});
    EXPECT_EQ(ReadAll(file), Bytes(10, 1));
}

TEST(AtomicFile, ASaveRemovesTheTemporaryFilesOfKilledSavesOnly)
{
    const TempFolder folder("dalvor-stale-save");
    const fs::path& dir = folder.Path();
    const std::string prefix(kSaveTemporaryPrefix);
    const std::string stale = prefix + "AbCd1234", held = prefix + "Held0000";
    ASSERT_EQ(stale.size(), kSaveTemporaryNameLength);
    // Not this program's temporary files, or not of its naming.
    const std::vector<std::string> others = {prefix + "abc", prefix + "AbCd12345", prefix + "AbCd-234",
                                             ".p.qdl.Ab12cd", "notes.txt"};
    for (const std::string& name : others)
        WriteAll(dir / name, Bytes(100, 3));
    WriteAll(dir / stale, Bytes(100000, 5));
    // A save under way holds its temporary file locked.
    WriteAll(dir / held, Bytes(100, 4));
    const int lock = ::open((dir / held).c_str(), O_RDONLY);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);

    ASSERT_TRUE(WriteFileAtomically((dir / "p.qdl").string(), Bytes(10, 1)));
    ::close(lock);
    std::vector<std::string> expected = others;
    expected.push_back(held);
    expected.push_back("p.qdl");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(dir), expected);
}

TEST(AtomicFile, NamesUpToTheFileSystemsLimitAreSaved)
{
    const TempFolder folder("dalvor-long-name");
    for (std::size_t length : {240u, 247u, 248u, 254u, 255u}) {
        SCOPED_TRACE(length);
        const fs::path file = folder.Path() / (std::string(length - 4, 'n') + ".qdl");
        ASSERT_TRUE(WriteFileAtomically(file.string(), Bytes(10, 1)));  // new
        const AtomicWriteResult replaced = WriteFileAtomically(file.string(), Bytes(20, 2));
        EXPECT_TRUE(replaced) << std::strerror(replaced.error);
        EXPECT_EQ(ReadAll(file), Bytes(20, 2));
        fs::remove(file);
    }
}

TEST(AtomicFile, LinksInSharedStickyFoldersFollowTheKernelsRule)
{
    constexpr mode_t kShared = S_IFDIR | 01777;
    const struct {
        mode_t folderMode;
        uid_t folderOwner, linkOwner;
        bool followed;
    } cases[] = {
        {kShared, 0, 1000, true},        // the user's own link
        {kShared, 0, 2000, false},       // another user's link
        {kShared, 2000, 2000, true},     // the folder owner's link
        {kShared, 0, 0, true},           // the folder owner's link
        {S_IFDIR | 0777, 0, 2000, true}, // not sticky
        {S_IFDIR | 01775, 0, 2000, true},  // sticky, not writable by all
        {S_IFDIR | 01757, 0, 2000, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MayFollowLink(c.folderMode, c.folderOwner, c.linkOwner, 1000), c.followed)
            << std::oct << c.folderMode << std::dec << " " << c.folderOwner << " " << c.linkOwner;

    // The real thing takes a link owned by someone else: only the superuser
    // can make one.
    if (::geteuid() != 0)
        GTEST_SKIP() << "a link of another user needs the superuser";
    const TempFolder folder("dalvor-sticky");
    const fs::path& dir = folder.Path();
    ASSERT_EQ(::chmod(dir.c_str(), 01777), 0);
    WriteAll(dir / "private.qdl", Bytes(10, 7));
    fs::create_symlink("private.qdl", dir / "planted.qdl");
    ASSERT_EQ(::lchown((dir / "planted.qdl").c_str(), 12345, 12345), 0);
    const AtomicWriteResult refused = WriteFileAtomically((dir / "planted.qdl").string(), Bytes(5, 1));
    EXPECT_EQ(refused.status, AtomicWriteResult::Failed);
    EXPECT_EQ(refused.error, EACCES);
    EXPECT_EQ(ReadAll(dir / "private.qdl"), Bytes(10, 7));
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"planted.qdl", "private.qdl"}));
    // The user's own link there is followed and kept.
    ASSERT_EQ(::lchown((dir / "planted.qdl").c_str(), 0, 0), 0);
    EXPECT_TRUE(WriteFileAtomically((dir / "planted.qdl").string(), Bytes(5, 1)));
    EXPECT_EQ(ReadAll(dir / "private.qdl"), Bytes(5, 1));
    EXPECT_TRUE(fs::is_symlink(dir / "planted.qdl"));
}

TEST(AtomicFile, AReplacedFileKeepsItsGroupAndOwner)
{
    const TempFolder folder("dalvor-owner");
    const fs::path file = folder.Path() / "shared.qdl";
    WriteAll(file, Bytes(10, 7));
    ASSERT_EQ(::chmod(file.c_str(), 0664), 0);
    uid_t owner = ::geteuid();
    gid_t group = ::getegid();
    if (::geteuid() == 0) {
        owner = 12345;
        group = 23456;
    } else {
        // Another group the user belongs to, as a team's shared folder has.
        gid_t groups[256];
        const int n = ::getgroups(256, groups);
        for (int i = 0; i < n; ++i)
            if (groups[i] != ::getegid())
                group = groups[i];
        if (group == ::getegid())
            GTEST_SKIP() << "the user belongs to no second group";
    }
    ASSERT_EQ(::chown(file.c_str(), owner, group), 0);
    ASSERT_TRUE(WriteFileAtomically(file.string(), Bytes(5, 1)));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, owner);
    EXPECT_EQ(info.st_gid, group);
    EXPECT_EQ(info.st_mode & 07777, 0664u);
    EXPECT_EQ(ReadAll(file), Bytes(5, 1));
}
