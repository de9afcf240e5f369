#include "core/FileTools.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(FileTools, CountText) {
  EXPECT_EQ(CountHostFileText(5), "5 Host File Entries Found");
  EXPECT_EQ(CountHostFileText(0), "0 Host File Entries Found");
  EXPECT_EQ(CountHostFileText(1000000), "1000000 Host File Entries Found");
}

TEST(FileTools, NotepadQuotesOnlyAPathWithASpace) {
  EXPECT_EQ(NotepadCommandLine("C:\\WINDOWS\\hosts"), "notepad.exe C:\\WINDOWS\\hosts");
  EXPECT_EQ(NotepadCommandLine("C:\\My Files\\hosts"), "notepad.exe \"C:\\My Files\\hosts\"");
}

}  // namespace
}  // namespace vantrel
