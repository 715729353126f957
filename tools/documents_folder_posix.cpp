// Documents on Linux: $XDG_DOCUMENTS_DIR, else what xdg-user-dir answers, else ~/Documents
// (the same fallback as the window's toolkit when no Documents folder is configured).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "documents_folder.h"

namespace {

std::string trimmedLine(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

std::string askXdgUserDir() {
    FILE* pipe = popen("xdg-user-dir DOCUMENTS 2>/dev/null", "r");
    if (!pipe) return {};
    std::string answer;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) answer += buffer;
    pclose(pipe);
    return trimmedLine(answer);
}

}  // namespace

std::string documentsFolder() {
    if (const char* configured = std::getenv("XDG_DOCUMENTS_DIR"); configured && *configured)
        return configured;
    const char* homeVariable = std::getenv("HOME");
    const std::string home = homeVariable ? homeVariable : "";
    const std::string asked = askXdgUserDir();
    // xdg-user-dir answers the home folder itself when no Documents folder is set.
    if (!asked.empty() && asked != home && asked + "/" != home) return asked;
    return home + "/Documents";
}
