#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "certificate/Ed25519.h"

namespace velmora::certificate {

// What went wrong with a key file; the window words each kind for the user.
enum class KeyFileFault {
    Exists,        // a key file is already there: keys are never overwritten
    Missing,       // no such file
    Unreadable,    // it cannot be read
    OpenToOthers,  // a private key that others than its owner may read
    Malformed,     // not a key file of ours
    WriteFailed,   // the folder cannot be written, the disk is full...
};

struct KeyFileError : std::runtime_error {
    KeyFileError(KeyFileFault fault, const std::string& what)
        : std::runtime_error(what), m_fault(fault) {}
    KeyFileFault fault() const { return m_fault; }

private:
    KeyFileFault m_fault;
};

// The texts of the key files, one line each (docs/CERTIFICATE.md):
//   "velmora-private-key ed25519 <Base64 of the 32-byte seed>\n"
//   "velmora-public-key ed25519 <Base64 of the 32-byte public key>\n"
std::string privateKeyText(const KeyPair& key);
std::string publicKeyText(const std::string& publicKey);

// Makes a new pair and writes both files; the private one readable by its owner only.
// Neither file is overwritten: when either exists, nothing is written (Exists). Each file
// appears whole or not at all. Throws KeyFileError, CryptoError.
KeyPair createKeyFiles(const std::string& privatePath, const std::string& publicPath);
// Makes a new pair and writes its private key file only (never overwriting).
KeyPair createPrivateKeyFile(const std::string& privatePath);
// Writes a public key file (never overwriting). Throws KeyFileError.
void writePublicKeyFile(const std::string& path, const std::string& publicKey);

// Reads a private key file; refuses one that others may read. Throws KeyFileError.
KeyPair readPrivateKeyFile(const std::string& path);
// Reads a public key file. Throws KeyFileError.
std::string readPublicKeyFile(const std::string& path);
// A public key file, or every public key file in a folder (other files are passed over).
// Throws KeyFileError when the path gives no key at all.
std::vector<std::string> readPublicKeys(const std::string& fileOrFolder);

// The platform's part (posix/, windows/).
// Writes bytes to path only when nothing is there, through a temporary file beside it, so
// the path never holds a partial file. ownerOnly: readable and writable by the owner alone.
void createFileExclusively(const std::string& path, const std::string& bytes, bool ownerOnly);
// Whether anyone but the owner may read the file (always false where the platform keeps
// the user's application data private by its folder).
bool readableByOthers(const std::string& path);

}  // namespace velmora::certificate
