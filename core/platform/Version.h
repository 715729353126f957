#pragma once

namespace velmora {

// The version of this build, the same in every program: the project's release number and,
// for a build from a git checkout, where it stands from that release's tag ("1.0",
// "1.0-12-gabc1234", "1.0-gabc1234-dirty"). The build writes it (cmake/VelmoraVersion.cmake).
const char* versionText();

// --version for the programs: when an argument asks for it, prints "PROGRAM VERSION" and
// returns true. Needs nothing else, so the window program asks before Qt starts and answers
// without a display.
bool printVersionIfAsked(const char* program, int argc, char** argv);

}  // namespace velmora
