// Whether the editor's location can go on a command line at all.
#pragma once

#include <string>
#include <string_view>

// The editor's folder and name are put between double quotes on the editor's command line
// and into batch files: a quote would end the quoting early, a control character break
// the line. The message naming the first key whose value holds one; empty when both can
// be used.
std::string UnusableEditorLocationMessage(std::string_view folder, std::string_view name);
