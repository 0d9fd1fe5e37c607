// The atomic save under what goes wrong around it: killed saves, long names,
// links planted in shared folders, files that belong to others.
#include "core/project/AtomicFile.h"
#include "tests/core/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <dlfcn.h>
#include <fcntl.h>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> Bytes(std::size_t n, uint8_t value) { return std::vector<uint8_t>(n, value); }

std::set<std::string> Names(const fs::path& dir)
{
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.insert(e.path().filename().string());
    return names;
}

// While a file is saved here, what is synced, in order, and whether the file
// has its name by then.
std::string saved, synced;

}  // namespace

extern "C" int fsync(int fd)
{
    struct stat info {};
    if (!saved.empty() && ::fstat(fd, &info) == 0)
        synced += (S_ISDIR(info.st_mode) ? "folder" : "file") + std::string(fs::exists(saved) ? "+name " : " ");
    return reinterpret_cast<int (*)(int)>(::dlsym(RTLD_NEXT, "fsync"))(fd);
}

// A killed save leaves the old file and, where the file system has unnamed
// files, nothing else; the next save removes the temporary files of killed
// saves, and only those: not one a running save holds locked, not others.
TEST(AtomicFile, KilledSavesLeaveNoTemporaryFileForLong)
{
    const TempFolder folder("dalvor-killed-save");
    const fs::path& dir = folder.Path();
    const std::string prefix(kSaveTemporaryPrefix);
    const std::set<std::string> others = {prefix + "AbCd12345", prefix + "AbCd-234", ".p.qdl.Ab12cd"};
    for (const std::string& name : others)
        WriteAll(dir / name, Bytes(100, 3));
    WriteAll(dir / "p.qdl", Bytes(1000, 7));
    EXPECT_EQ(ExitCodeInChild([&] {
                  WriteFileAtomically((dir / "p.qdl").string(), [](FileSink& sink) {
                      sink.Put(Bytes(1 << 20, 9));
                      ::kill(::getpid(), SIGKILL);
                  });
                  return 0;
              }),
              -1);
    EXPECT_EQ(ReadAll(dir / "p.qdl"), Bytes(1000, 7));
    std::set<std::string> expected = others;
    expected.insert("p.qdl");
    if (const int probe = ::open(dir.c_str(), O_TMPFILE | O_WRONLY, 0600); probe >= 0) {
        ::close(probe);
        EXPECT_EQ(Names(dir), expected);
    }

    const std::string stale = prefix + "AbCd1234", held = prefix + "Held0000";
    WriteAll(dir / stale, Bytes(100000, 5));
    WriteAll(dir / held, Bytes(100, 4));
    const int lock = ::open((dir / held).c_str(), O_RDONLY);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    ASSERT_TRUE(WriteFileAtomically((dir / "p.qdl").string(), Bytes(10, 1)));
    ::close(lock);
    expected.insert(held);
    EXPECT_EQ(Names(dir), expected);
}

// Also a path a few bytes short of the system's longest, with a name shorter
// than a temporary file's: synced before it has its name, the folder after.
TEST(AtomicFile, NamesAndPathsUpToTheSystemsLimitsAreSaved)
{
    const TempFolder folder("dalvor-long-name");
    for (std::size_t length : {247u, 248u, 255u}) {
        const fs::path file = folder.Path() / (std::string(length - 4, 'n') + ".qdl");
        EXPECT_TRUE(WriteFileAtomically(file.string(), Bytes(10, 1))) << length;  // new
        EXPECT_TRUE(WriteFileAtomically(file.string(), Bytes(20, 2))) << length;  // replaced
        EXPECT_EQ(ReadAll(file), Bytes(20, 2)) << length;
    }
    std::string deep = folder.Path().string();
    while (deep.size() < PATH_MAX - 11)
        deep += "/" + std::string(std::min<std::size_t>(200, PATH_MAX - 12 - deep.size()), 'd');
    fs::create_directories(deep);
    saved = deep + "/p.qdl";
    EXPECT_TRUE(WriteFileAtomically(saved, Bytes(10, 1)));
    saved.clear();
    EXPECT_EQ(synced, "file folder+name ");
}

TEST(AtomicFile, LinksInSharedStickyFoldersFollowTheKernelsRule)
{
    // Folder mode, folder owner, link owner; the user is 1000.
    EXPECT_TRUE(MayFollowLink(S_IFDIR | 01777, 0, 1000, 1000));   // the user's own link
    EXPECT_FALSE(MayFollowLink(S_IFDIR | 01777, 0, 2000, 1000));  // another user's link
    EXPECT_TRUE(MayFollowLink(S_IFDIR | 01777, 2000, 2000, 1000));  // the folder owner's
    EXPECT_TRUE(MayFollowLink(S_IFDIR | 0777, 0, 2000, 1000));    // not sticky
    EXPECT_TRUE(MayFollowLink(S_IFDIR | 01775, 0, 2000, 1000));   // not writable by all

    if (::geteuid() != 0)
        GTEST_SKIP() << "only the superuser can make a link owned by another user";
    const TempFolder folder("dalvor-sticky");
    const fs::path& dir = folder.Path();
    ASSERT_EQ(::chmod(dir.c_str(), 01777), 0);
    WriteAll(dir / "private.qdl", Bytes(10, 7));
    fs::create_symlink("private.qdl", dir / "planted.qdl");
    ASSERT_EQ(::lchown((dir / "planted.qdl").c_str(), 12345, 12345), 0);
    EXPECT_EQ(WriteFileAtomically((dir / "planted.qdl").string(), Bytes(5, 1)).error, EACCES);
    EXPECT_EQ(ReadAll(dir / "private.qdl"), Bytes(10, 7));
    ASSERT_EQ(::lchown((dir / "planted.qdl").c_str(), 0, 0), 0);  // the user's own
    EXPECT_TRUE(WriteFileAtomically((dir / "planted.qdl").string(), Bytes(5, 1)));
    EXPECT_EQ(ReadAll(dir / "private.qdl"), Bytes(5, 1));
    EXPECT_TRUE(fs::is_symlink(dir / "planted.qdl"));
}

TEST(AtomicFile, AReplacedFileKeepsItsGroupAndOwner)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the superuser can give a file to another user";
    const TempFolder folder("dalvor-owner");
    const fs::path file = folder.Path() / "shared.qdl";
    WriteAll(file, Bytes(10, 7));
    ASSERT_EQ(::chmod(file.c_str(), 0664), 0);
    ASSERT_EQ(::chown(file.c_str(), 12345, 23456), 0);
    ASSERT_TRUE(WriteFileAtomically(file.string(), Bytes(5, 1)));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 12345u);
    EXPECT_EQ(info.st_gid, 23456u);
    EXPECT_EQ(info.st_mode & 07777, 0664u);
}
