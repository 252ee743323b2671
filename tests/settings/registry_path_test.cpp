#include "settings/registry_path.h"

#include <gtest/gtest.h>

#include <string>

TEST(SplitRegistryPath, DividesAtTheLastBackslashThatIsNotPartOfAGbkCharacter)
{
    const struct {
        const char* note;
        std::string full;
        std::string subKey;
        std::string valueName;
    } cases[] = {
        {"driver switch", "Software\\BlueStacks\\Guests\\Android\\Config\\SkipGraphicsDriverCheck",
         "Software\\BlueStacks\\Guests\\Android\\Config", "SkipGraphicsDriverCheck"},
        {"updater switch", "SOFTWARE\\BlueStacks\\Updater\\ManifestURL",
         "SOFTWARE\\BlueStacks\\Updater", "ManifestURL"},
        {"no backslash: value on the root itself", "Value", "", "Value"},
        {"trailing backslash: the default value", "Key\\Sub\\", "Key\\Sub", ""},
        {"empty", "", "", ""},
        {"leading backslash", "\\Value", "", "Value"},
        {"5C after a lead byte is a trail byte", "\x41\x5C\x42\x81\x5C\x43", "\x41",
         "\x42\x81\x5C\x43"},
        {"GBK key name", "\xC9\xE8\xD6\xC3\\\xD6\xB5", "\xC9\xE8\xD6\xC3", "\xD6\xB5"},
        {"lead byte last: the scan ends", "A\\B\x81", "A", "B\x81"},
    };
    for (const auto& c : cases) {
        const RegistryPath path = SplitRegistryPath(c.full.c_str());
        EXPECT_EQ(c.subKey, c.full.substr(0, path.subKeyLength)) << c.note;
        EXPECT_EQ(c.valueName, std::string(path.valueName)) << c.note;
        EXPECT_EQ(c.full.c_str() + c.full.size(), path.valueName + c.valueName.size())
            << c.note << ": the value name points into the full path";
    }
}
