#pragma once

// velmora-tool journal list|show|export ...; argv starts after "journal". Returns the exit
// code: 0 done, 1 the journal or a file failed, 2 bad arguments.
int journalCommand(int argc, char** argv);
