#pragma once

#include <string>

// The user's Documents folder (UTF-8), where the application keeps "Velmora Tester".
std::string documentsFolder();
