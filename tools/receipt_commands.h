#pragma once

// velmora-tool's receipt subcommands; each takes the arguments after its name and
// returns the exit status.
//   receipt charge|test --state STATE.json --texts TEXTS.json --clock 2026-12-10T14:05:09
//           [--decimal ,] [--date-sep /] [--time-format hh:mm:ss] [--am AM] [--pm PM]
//           [--logo L.bin] [--voltage-raster V.bin] [--current-raster C.bin] [--chunks]
//   raster IN.png OUT.bin
//   render-receipt IN.bin OUT.png|OUT.pgm
int receiptCommand(int argc, char** argv);
int rasterCommand(int argc, char** argv);
int renderReceiptCommand(int argc, char** argv);
