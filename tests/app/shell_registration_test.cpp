#include "app/shell_registration.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using sys::RegRoot;

const std::string kProgram = "C:\\Program Files\\kelvorn \xe9\\kelvorn_loader.exe";
const std::string kIcon = "\"" + kProgram + "\",1";
const std::string kCommand = "\"" + kProgram + "\" \"%1\"";

// The default values of the type's keys under `prefix` of `root`, by key name.
std::map<std::string, std::string> Entries(const sys::MemoryRegistry& reg, RegRoot root,
                                           const std::string& prefix, const std::string& cls) {
    std::map<std::string, std::string> out;
    for (std::string key :
         {std::string(".ds1"), cls, cls + "\\DefaultIcon", cls + "\\shell\\open\\command"})
        if (auto value = reg.ReadString(root, prefix + key, "")) out[key] = *value;
    return out;
}

std::map<std::string, std::string> Expected(const std::string& cls) {
    return {{".ds1", cls},
            {cls, "Diablo II Map"},
            {cls + "\\DefaultIcon", kIcon},
            {cls + "\\shell\\open\\command", kCommand}};
}

TEST(ShellRegistration, NewExistingAndEmptyTypesAllEndWithACompleteClass) {
    struct Case {
        const char* name;
        std::optional<std::string> existing;  // .ds1's default value before, nullopt: no key
        std::string cls;
    } cases[] = {
        {"new", std::nullopt, "DiabloIIMap"},
        {"another program's class", "OtherMapEditor.Map", "OtherMapEditor.Map"},
        {"key without value", "", "DiabloIIMap"},
        {"empty value", std::string(), "DiabloIIMap"},
    };
    for (const Case& c : cases) {
        sys::MemoryRegistry reg;
        bool created;
        if (c.existing) {
            reg.CreateKey(RegRoot::ClassesRoot, ".ds1", created);
            if (c.name != std::string("key without value"))
                reg.WriteString(RegRoot::ClassesRoot, ".ds1", "", *c.existing);
        }
        for (int time = 1; time <= 2; ++time) {  // the second time changes nothing
            EXPECT_EQ(RegisterMapFileType(reg, kProgram), Registration::MachineWide) << c.name;
            EXPECT_EQ(Entries(reg, RegRoot::ClassesRoot, "", c.cls), Expected(c.cls))
                << c.name << " " << time;
        }
        // Nothing went directly under the root, nor to the user's part.
        EXPECT_FALSE(reg.KeyExists(RegRoot::ClassesRoot, "shell")) << c.name;
        EXPECT_FALSE(reg.KeyExists(RegRoot::ClassesRoot, "DefaultIcon")) << c.name;
        EXPECT_FALSE(reg.KeyExists(RegRoot::CurrentUser, "Software\\Classes\\.ds1")) << c.name;
    }
}

// A standard user: the machine-wide part refuses every key, or only the class's.
TEST(ShellRegistration, RefusedMachineWideGoesToTheCurrentUser) {
    for (const std::string denied : {"", "DiabloIIMap\\shell"}) {
        sys::MemoryRegistry reg;
        reg.DenyKey(RegRoot::ClassesRoot, denied);
        EXPECT_EQ(RegisterMapFileType(reg, kProgram), Registration::CurrentUser) << denied;
        EXPECT_EQ(Entries(reg, RegRoot::CurrentUser, "Software\\Classes\\", "DiabloIIMap"),
                  Expected("DiabloIIMap"))
            << denied;
    }
    // The class the machine-wide .ds1 names stays the user's class too.
    sys::MemoryRegistry reg;
    bool created;
    reg.CreateKey(RegRoot::ClassesRoot, ".ds1", created);
    reg.WriteString(RegRoot::ClassesRoot, ".ds1", "", "Other.Map");
    reg.DenyKey(RegRoot::ClassesRoot, "");
    EXPECT_EQ(RegisterMapFileType(reg, kProgram), Registration::CurrentUser);
    EXPECT_EQ(Entries(reg, RegRoot::CurrentUser, "Software\\Classes\\", "Other.Map"),
              Expected("Other.Map"));
}

TEST(ShellRegistration, FailsWhenBothPartsRefuseButKeepsWhatItWrote) {
    sys::MemoryRegistry reg;
    reg.DenyKey(RegRoot::ClassesRoot, "DiabloIIMap\\shell\\open");
    reg.DenyKey(RegRoot::CurrentUser, "Software\\Classes\\DiabloIIMap\\shell");
    EXPECT_EQ(RegisterMapFileType(reg, kProgram), Registration::Failed);
    EXPECT_EQ(reg.ReadString(RegRoot::ClassesRoot, "DiabloIIMap\\DefaultIcon", ""), kIcon);
    EXPECT_EQ(reg.ReadString(RegRoot::CurrentUser, "Software\\Classes\\.ds1", ""), "DiabloIIMap");
    EXPECT_FALSE(reg.KeyExists(RegRoot::ClassesRoot, "DiabloIIMap\\shell\\open\\command"));

    // A refused DefaultIcon alone costs only the icon.
    sys::MemoryRegistry noIcon;
    noIcon.DenyKey(RegRoot::ClassesRoot, "DiabloIIMap\\DefaultIcon");
    EXPECT_EQ(RegisterMapFileType(noIcon, kProgram), Registration::MachineWide);
    EXPECT_FALSE(noIcon.KeyExists(RegRoot::ClassesRoot, "DiabloIIMap\\DefaultIcon"));
    EXPECT_EQ(noIcon.ReadString(RegRoot::ClassesRoot, "DiabloIIMap\\shell\\open\\command", ""),
              kCommand);
}

}  // namespace
