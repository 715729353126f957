#pragma once

// velmora-tool log encode < state.json > name.log
// velmora-tool log decode FILE
// args: the words after "log". Returns the exit status.
int logCommand(int argc, char** argv);
