#pragma once

#include <map>
#include <string>
#include <vector>

#include "link/ChargerState.h"
#include "printing/ClockText.h"
#include "printing/ReceiptChunks.h"

// velmora-tool's certificate subcommands; takes the arguments after "certificate" and
// returns the exit status.
//   certificate keygen --private PRIV --public PUB
//   certificate verify --public PUB|DIR (--text QRTEXT | --image FILE)
int certificateCommand(int argc, char** argv);

// The options of `receipt` that ask for a certificate block.
inline const char* const kCertificateReceiptOptions[] = {
    "--certificate", "--battery-id", "--technician", "--job",
    "--in-vehicle",  "--dealer",     "--utc-offset"};

// With --certificate PRIV among the options, appends the certificate block to the receipt's
// chunks. Throws std::runtime_error for options that make no sense; returns why the block
// was left out when the key cannot be used (the receipt then goes out without it), else "".
std::string appendCertificate(std::vector<std::string>& chunks, bool charge,
                              const velmora::ChargerState& state,
                              const velmora::printing::ProfileTexts& texts,
                              const velmora::printing::ClockReading& clock,
                              const std::map<std::string, std::string>& options);
