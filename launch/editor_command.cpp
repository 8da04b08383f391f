#include "launch/editor_command.h"

#include "sys/fs.h"

namespace {

std::string Quoted(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    out += text;
    out += '"';
    return out;
}

// The switches that follow the map path, each beginning with a blank, in fixed order.
std::string SwitchText(const CommandRequest& request) {
    const LaunchOptions& s = request.switches;
    std::string text;
    if (s.bNoCheckAct) text += " -no_check_act";
    if (s.bForcePalette) text += " -force_pal " + std::to_string(static_cast<int32_t>(s.act));
    if (s.bResize) {
        text += " -resize " + std::to_string(s.resizeX) + " " + std::to_string(s.resizeY);
    }
    if (s.bForceDt1) {
        text += " -force_dt1";
        for (const std::string& name : request.forcedDt1) {
            text += " " + Quoted(StripEditorFolder(name, request.editorFolder));
        }
    }
    return text;
}

std::string TooLongMessage(std::size_t length) {
    return "The editor's command line would be " + std::to_string(length) +
           " characters long; at most " + std::to_string(kMaxCommandLine) +
           " fit.\nUse shorter paths, a shorter editor location or fewer forced .dt1 files.";
}

}  // namespace

std::string StripEditorFolder(std::string_view path, std::string_view folder) {
    if (path.substr(0, folder.size()) == folder) path.remove_prefix(folder.size());
    return std::string(path);
}

std::string MapListText(const std::vector<MapRow>& rows, std::string_view editorFolder) {
    std::string text;
    for (const MapRow& row : rows) {
        text += row.typeText;
        text += ' ';
        text += row.prestText;
        text += ' ';
        text += StripEditorFolder(row.path, editorFolder);
        text += "\r\n";
    }
    return text;
}

EditorCommand ComposeEditorCommand(const CommandRequest& request) {
    EditorCommand command;
    std::string line = Quoted(request.editorName) + " ";
    if (request.rows.size() == 1) {
        const MapRow& row = request.rows.front();
        if (request.switches.bForceDt1 && request.forcedDt1.empty()) {
            command.refusal = kEmptyForcedListMessage;
            return command;
        }
        line += Quoted(StripEditorFolder(row.path, request.editorFolder));
        if (!request.switches.bForceDt1) line += " " + row.typeText + " " + row.prestText;
        line += SwitchText(request);
    } else {
        command.usesMapList = true;
        command.mapListPath = request.listBase + ".ini";
        command.mapListBytes = MapListText(request.rows, request.editorFolder);
        line += Quoted(StripEditorFolder(command.mapListPath, request.editorFolder));
    }
    if (line.size() > kMaxCommandLine) {
        command = EditorCommand{};
        command.refusal = TooLongMessage(line.size());
        return command;
    }
    command.commandLine = std::move(line);
    return command;
}

EditorCommand BuildEditorCommand(const CommandRequest& request) {
    EditorCommand command = ComposeEditorCommand(request);
    if (!command.Refused() && command.usesMapList) {
        command.mapListWritten =
            sys::WriteFileAtomically(command.mapListPath, command.mapListBytes);
    }
    return command;
}
