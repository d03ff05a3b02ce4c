#include "files/file_error.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "temp_dir.h"

namespace zav {
namespace {

TEST(FileErrorTest, SystemErrorsMapToClassicNumbersAndTexts) {
    test::TempDir dir;
    const auto inDir = dir.file("x.frq");
    struct Case {
        int err;
        int number;
        const char* description;
    };
    for (const auto& c : {
             Case{EACCES, 75, "Path/File access error"}, Case{EROFS, 75, "Path/File access error"},
             Case{EPERM, 75, "Path/File access error"}, Case{ENOTDIR, 76, "Path not found"},
             Case{ENOSPC, 61, "Disk full"}, Case{EDQUOT, 61, "Disk full"},
             Case{EIO, 57, "Device I/O error"}, Case{EBUSY, 55, "File already open"},
             Case{EMFILE, 67, "Too many files"},
             Case{EINVAL, 75, "Path/File access error"},  // anything else
         }) {
        const auto e = classicFileError({c.err, std::generic_category()}, inDir);
        EXPECT_EQ(e.number, c.number) << c.err;
        EXPECT_EQ(e.description, c.description) << c.err;
        EXPECT_FALSE(e.systemReason.empty());
    }
}

TEST(FileErrorTest, MissingFileOrMissingFolder) {
    test::TempDir dir;
    const std::error_code enoent{ENOENT, std::generic_category()};
    EXPECT_EQ(classicFileError(enoent, dir.file("x.frq")).number, 53);
    EXPECT_EQ(classicFileError(enoent, "relative.frq").number, 53);
    const auto deep = classicFileError(enoent, dir.file("gone/x.frq"));
    EXPECT_EQ(deep.number, 76);
    EXPECT_EQ(deep.description, "Path not found");
}

TEST(FileErrorTest, MessageText) {
    EXPECT_EQ(fileErrorText({53, "File not found", "No such file or directory"}),
              "Error Number 53!\rFile not found");
}

}  // namespace
}  // namespace zav
