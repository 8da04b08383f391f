#include "app/shell_registration.h"

#include <gtest/gtest.h>

namespace {

using sys::RegRoot;

const std::string kProgram = "C:\\Program Files\\kelvorn \xe9\\kelvorn_loader.exe";
const std::string kUser = "Software\\Classes\\";

// .ds1's class and the default values of the class's keys under `prefix`, joined by '|'.
std::string Entries(const sys::Registry& reg, RegRoot root, const std::string& prefix = "") {
    std::string cls = reg.ReadString(root, prefix + ".ds1", "").value_or("(none)"), out = cls;
    for (const char* key : {"", "\\DefaultIcon", "\\shell\\open\\command"})
        out += "|" + reg.ReadString(root, prefix + cls + key, "").value_or("(none)");
    return out;
}

// Registered twice on a .ds1 missing, of another class or empty; then refused machine-wide
// (every key or some): the user's part gets the whole type, or it fails there too.
TEST(ShellRegistration, MachineWideThenForTheCurrentUserWhenRefusedAndNeverOverAnotherProgram) {
    for (const char* before : {"(no key)", "Other.Map", ""}) {
        sys::MemoryRegistry reg;
        bool created;
        if (std::string(before) != "(no key)" &&
            reg.CreateKey(RegRoot::ClassesRoot, ".ds1", created))
            reg.WriteString(RegRoot::ClassesRoot, ".ds1", "", before);
        for (int time = 0; time < 2; ++time)
            EXPECT_EQ(RegisterMapFileType(reg, kProgram), Registration::MachineWide);
        EXPECT_EQ(Entries(reg, RegRoot::ClassesRoot),
                  (*before == 'O' ? "Other.Map" : "DiabloIIMap") +
                      ("|Diablo II Map|\"" + kProgram + "\",1|\"" + kProgram + "\" \"%1\""));
        EXPECT_FALSE(reg.KeyExists(RegRoot::ClassesRoot, "shell"));  // nothing under the root

        // Refused: every key, only the class's own key, or only its shell key.
        const std::string refused = *before == '(' ? "" : *before ? before : "DiabloIIMap\\shell";
        reg.DenyKey(RegRoot::ClassesRoot, refused);
        EXPECT_EQ(RegisterMapFileType(reg, kProgram), Registration::CurrentUser);
        EXPECT_EQ(Entries(reg, RegRoot::CurrentUser, kUser), Entries(reg, RegRoot::ClassesRoot));
        reg.DenyKey(RegRoot::CurrentUser, kUser + ".ds1");
        EXPECT_EQ(RegisterMapFileType(reg, kProgram), Registration::Failed);
    }

    // A failed write is a refusal (only the icon may be missing). A .ds1 value that is no
    // string, machine-wide or the user's, is another program's: kept, nothing registered.
    const struct {
        const char* deniedWrites;
        const char* notOurs;  // where .ds1 holds a value that is no string
        Registration result;
    } cases[] = {
        {".ds1", nullptr, Registration::CurrentUser},
        {"DiabloIIMap", nullptr, Registration::CurrentUser},
        {"DiabloIIMap\\shell\\open\\command", nullptr, Registration::CurrentUser},
        {"DiabloIIMap\\DefaultIcon", nullptr, Registration::MachineWide},
        {"x", "", Registration::Failed},
        {"", "Software\\Classes\\", Registration::Failed},
    };
    for (const auto& c : cases) {
        sys::MemoryRegistry reg;
        if (c.notOurs)
            reg.WriteOther(*c.notOurs ? RegRoot::CurrentUser : RegRoot::ClassesRoot,
                           c.notOurs + std::string(".ds1"), "");
        reg.DenyWrites(RegRoot::ClassesRoot, c.deniedWrites);
        EXPECT_EQ(RegisterMapFileType(reg, kProgram), c.result) << c.deniedWrites;
        EXPECT_EQ(reg.KeyExists(RegRoot::CurrentUser, kUser + "DiabloIIMap"),
                  c.result == Registration::CurrentUser);
        reg.DenyWrites(RegRoot::CurrentUser, kUser);
        const Registration again = RegisterMapFileType(reg, kProgram);
        EXPECT_EQ(again, c.result == Registration::MachineWide ? c.result : Registration::Failed);
    }
}

}  // namespace
