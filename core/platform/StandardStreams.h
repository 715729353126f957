#pragma once

namespace velmora {

// Makes standard input and output carry bytes unchanged. Windows opens them in text mode,
// which turns CR LF into LF on input and LF into CR LF on output: captures and printer
// bytes would change on the way. Call first thing in main().
void useBinaryStandardStreams();

}  // namespace velmora
