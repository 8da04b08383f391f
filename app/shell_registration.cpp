#include "app/shell_registration.h"

namespace {

using sys::RegRoot;

struct Place {
    RegRoot root;
    std::string prefix;  // before every key name

    std::string Key(const std::string& path) const { return prefix + path; }
};

const Place kMachineWide{RegRoot::ClassesRoot, ""};
const Place kCurrentUser{RegRoot::CurrentUser, "Software\\Classes\\"};

// Every key and value under `place`; false when a key other than DefaultIcon could not
// be created. `newClass` names the class when .ds1 gives none.
bool WriteEntries(sys::Registry& reg, const Place& place, const std::string& programPath,
                  const std::string& newClass) {
    bool created = false;
    const std::string extension = place.Key(".ds1");
    if (!reg.CreateKey(place.root, extension, created)) return false;
    std::string className;
    if (!created) className = reg.ReadString(place.root, extension, "").value_or("");
    // An empty class name would put the entries directly under the root.
    if (className.empty()) {
        className = newClass;
        reg.WriteString(place.root, extension, "", className);
    }

    const std::string quoted = "\"" + programPath + "\"";
    const std::string classKey = place.Key(className);
    if (!reg.CreateKey(place.root, classKey, created)) return false;
    reg.WriteString(place.root, classKey, "", kMapClassDescription);
    // The map icon is a nicety: the type works without it.
    if (reg.CreateKey(place.root, classKey + "\\DefaultIcon", created))
        reg.WriteString(place.root, classKey + "\\DefaultIcon", "", quoted + ",1");
    for (const char* key : {"\\shell", "\\shell\\open", "\\shell\\open\\command"})
        if (!reg.CreateKey(place.root, classKey + key, created)) return false;
    reg.WriteString(place.root, classKey + "\\shell\\open\\command", "", quoted + " \"%1\"");
    return true;
}

}  // namespace

Registration RegisterMapFileType(sys::Registry& registry, const std::string& programPath) {
    if (WriteEntries(registry, kMachineWide, programPath, kMapClassName))
        return Registration::MachineWide;
    // The user's .ds1 goes on naming the class the merged view names now, if any.
    std::string seen = registry.ReadString(RegRoot::ClassesRoot, ".ds1", "").value_or("");
    if (WriteEntries(registry, kCurrentUser, programPath, seen.empty() ? kMapClassName : seen))
        return Registration::CurrentUser;
    return Registration::Failed;
}
