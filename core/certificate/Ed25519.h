#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace velmora::certificate {

// Ed25519 (RFC 8032) through libgcrypt: keys and signatures are the standard byte strings,
// so any Ed25519 implementation checks what is signed here.
inline constexpr size_t kSeedBytes = 32;
inline constexpr size_t kPublicKeyBytes = 32;
inline constexpr size_t kSignatureBytes = 64;

struct CryptoError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct KeyPair {
    std::string seed;       // the private key: 32 bytes
    std::string publicKey;  // 32 bytes
};

// A fresh pair from the library's strong random source. Throws CryptoError.
KeyPair generateKeyPair();
// The public key of a private seed. Throws CryptoError on a seed of the wrong length.
std::string publicKeyOf(std::string_view seed);
// The 64-byte signature of message. Throws CryptoError.
std::string sign(std::string_view seed, std::string_view message);
// Whether signature is publicKey's signature of message; false for keys or signatures of
// the wrong length.
bool verify(std::string_view publicKey, std::string_view message, std::string_view signature);

// SHA-256 of bytes (32 bytes).
std::string sha256(std::string_view bytes);

}  // namespace velmora::certificate
