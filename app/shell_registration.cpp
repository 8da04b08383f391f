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

enum class Outcome { Written, Refused, NotOurs };

// Every key and value under `place`: Refused when a key or value other than the icon could
// not be written, NotOurs when .ds1 holds a value that is no class name we can read (another
// program's, kept as it is). `newClass` names the class when .ds1 gives none.
Outcome WriteEntries(sys::Registry& reg, const Place& place, const std::string& programPath,
                     const std::string& newClass) {
    bool created = false;
    const std::string extension = place.Key(".ds1");
    if (!reg.CreateKey(place.root, extension, created)) return Outcome::Refused;
    std::string className;
    if (!created) {
        if (reg.KindOf(place.root, extension, "") == sys::ValueKind::Other) return Outcome::NotOurs;
        className = reg.ReadString(place.root, extension, "").value_or("");
    }
    // An empty class name would put the entries directly under the root.
    if (className.empty()) {
        className = newClass;
        if (!reg.WriteString(place.root, extension, "", className)) return Outcome::Refused;
    }

    const std::string quoted = "\"" + programPath + "\"";
    const std::string classKey = place.Key(className);
    if (!reg.CreateKey(place.root, classKey, created) ||
        !reg.WriteString(place.root, classKey, "", kMapClassDescription))
        return Outcome::Refused;
    // The map icon is a nicety: the type works without it.
    if (reg.CreateKey(place.root, classKey + "\\DefaultIcon", created))
        reg.WriteString(place.root, classKey + "\\DefaultIcon", "", quoted + ",1");
    for (const char* key : {"\\shell", "\\shell\\open", "\\shell\\open\\command"})
        if (!reg.CreateKey(place.root, classKey + key, created)) return Outcome::Refused;
    return reg.WriteString(place.root, classKey + "\\shell\\open\\command", "", quoted + " \"%1\"")
               ? Outcome::Written
               : Outcome::Refused;
}

}  // namespace

Registration RegisterMapFileType(sys::Registry& registry, const std::string& programPath) {
    const Outcome machineWide = WriteEntries(registry, kMachineWide, programPath, kMapClassName);
    if (machineWide == Outcome::Written) return Registration::MachineWide;
    // The user's .ds1 would hide the other program's in the merged view.
    if (machineWide == Outcome::NotOurs ||
        registry.KindOf(RegRoot::ClassesRoot, ".ds1", "") == sys::ValueKind::Other)
        return Registration::Failed;
    // The user's .ds1 goes on naming the class the merged view names now, if any.
    std::string seen = registry.ReadString(RegRoot::ClassesRoot, ".ds1", "").value_or("");
    return WriteEntries(registry, kCurrentUser, programPath, seen.empty() ? kMapClassName : seen) ==
                   Outcome::Written
               ? Registration::CurrentUser
               : Registration::Failed;
}
