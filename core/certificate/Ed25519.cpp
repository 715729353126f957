#include "certificate/Ed25519.h"

#include <gcrypt.h>

#include <memory>
#include <mutex>
#include <vector>

namespace velmora::certificate {

namespace {

void initialiseLibrary() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (!gcry_check_version(GCRYPT_VERSION)) throw CryptoError("libgcrypt too old");
        // No secure memory pool: keys live in ordinary memory, as in the rest of the
        // program, and the library then prints no warnings about it.
        gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
        gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
    });
}

struct SexpFree {
    void operator()(gcry_sexp_t s) const { gcry_sexp_release(s); }
};
using Sexp = std::unique_ptr<gcry_sexp, SexpFree>;

Sexp build(const char* format, std::initializer_list<std::string_view> parts) {
    // gcry_sexp_build takes "%b" as (int length, const char* data) pairs.
    std::vector<void*> args;
    std::vector<int> lengths(parts.size());
    std::vector<const char*> data(parts.size());
    size_t i = 0;
    for (std::string_view part : parts) {
        lengths[i] = static_cast<int>(part.size());
        data[i] = part.data();
        ++i;
    }
    for (i = 0; i < parts.size(); ++i) {
        args.push_back(&lengths[i]);
        args.push_back(&data[i]);
    }
    gcry_sexp_t s = nullptr;
    if (gcry_sexp_build_array(&s, nullptr, format, args.data()) != 0)
        throw CryptoError("cannot build a key expression");
    return Sexp(s);
}

// The raw bytes of the token `name` inside s, left-padded with zeros to `width`.
std::string token(gcry_sexp_t s, const char* name, size_t width) {
    Sexp part(gcry_sexp_find_token(s, name, 0));
    if (!part) throw CryptoError(std::string("no ") + name + " in the result");
    size_t length = 0;
    const char* data = gcry_sexp_nth_data(part.get(), 1, &length);
    if (!data || length > width + 1) throw CryptoError(std::string("bad ") + name);
    std::string bytes(data, length);
    // The public point comes with the 0x40 prefix of libgcrypt's native encoding.
    if (bytes.size() == width + 1 && static_cast<unsigned char>(bytes[0]) == 0x40)
        bytes.erase(0, 1);
    if (bytes.size() > width) throw CryptoError(std::string("bad ") + name);
    return std::string(width - bytes.size(), '\0') + bytes;
}

Sexp privateKey(std::string_view seed) {
    if (seed.size() != kSeedBytes) throw CryptoError("a private key is 32 bytes");
    return build("(private-key (ecc (curve Ed25519) (flags eddsa) (d %b)))", {seed});
}

}  // namespace

KeyPair generateKeyPair() {
    initialiseLibrary();
    const Sexp parameters = build("(genkey (ecc (curve Ed25519) (flags eddsa)))", {});
    gcry_sexp_t raw = nullptr;
    if (gcry_pk_genkey(&raw, parameters.get()) != 0) throw CryptoError("cannot make a key");
    const Sexp key(raw);
    const Sexp secret(gcry_sexp_find_token(key.get(), "private-key", 0));
    if (!secret) throw CryptoError("no private key in the result");
    KeyPair pair;
    pair.seed = token(secret.get(), "d", kSeedBytes);
    pair.publicKey = token(secret.get(), "q", kPublicKeyBytes);
    return pair;
}

std::string publicKeyOf(std::string_view seed) {
    initialiseLibrary();
    const Sexp key = privateKey(seed);
    // The library derives the public point when it checks a key given by its seed alone.
    gcry_ctx_t context = nullptr;
    if (gcry_mpi_ec_new(&context, key.get(), nullptr) != 0)
        throw CryptoError("cannot read the private key");
    gcry_mpi_t q = gcry_mpi_ec_get_mpi("q@eddsa", context, 1);
    gcry_ctx_release(context);
    if (!q) throw CryptoError("cannot derive the public key");
    unsigned int bits = 0;
    const void* data = gcry_mpi_get_opaque(q, &bits);
    std::string point(static_cast<const char*>(data), (bits + 7) / 8);
    gcry_mpi_release(q);
    if (point.size() == kPublicKeyBytes + 1 && static_cast<unsigned char>(point[0]) == 0x40)
        point.erase(0, 1);
    if (point.size() != kPublicKeyBytes) throw CryptoError("cannot derive the public key");
    return point;
}

std::string sign(std::string_view seed, std::string_view message) {
    initialiseLibrary();
    const Sexp key = privateKey(seed);
    const Sexp data = build("(data (flags eddsa) (hash-algo sha512) (value %b))", {message});
    gcry_sexp_t raw = nullptr;
    if (gcry_pk_sign(&raw, data.get(), key.get()) != 0) throw CryptoError("cannot sign");
    const Sexp signature(raw);
    return token(signature.get(), "r", 32) + token(signature.get(), "s", 32);
}

bool verify(std::string_view publicKey, std::string_view message, std::string_view signature) {
    if (publicKey.size() != kPublicKeyBytes || signature.size() != kSignatureBytes) return false;
    initialiseLibrary();
    try {
        const Sexp key =
            build("(public-key (ecc (curve Ed25519) (flags eddsa) (q %b)))", {publicKey});
        const Sexp data = build("(data (flags eddsa) (hash-algo sha512) (value %b))", {message});
        const Sexp sig = build("(sig-val (eddsa (r %b) (s %b)))",
                               {signature.substr(0, 32), signature.substr(32, 32)});
        return gcry_pk_verify(sig.get(), data.get(), key.get()) == 0;
    } catch (const CryptoError&) {
        return false;
    }
}

std::string sha256(std::string_view bytes) {
    initialiseLibrary();
    std::string digest(32, '\0');
    gcry_md_hash_buffer(GCRY_MD_SHA256, digest.data(), bytes.data(), bytes.size());
    return digest;
}

}  // namespace velmora::certificate
