// The help screen as the viewer must print it, byte for byte.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

inline std::string goldenHelp() {
    std::ifstream file(HELP_SCREEN_FILE, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}
