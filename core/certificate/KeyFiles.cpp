#include "certificate/KeyFiles.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "certificate/Base64.h"

namespace velmora::certificate {

namespace {

const std::string kPrivatePrefix = "velmora-private-key ed25519 ";
const std::string kPublicPrefix = "velmora-public-key ed25519 ";

std::filesystem::path pathOf(const std::string& utf8) {
    return std::filesystem::u8path(utf8);
}

std::string readWhole(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(pathOf(path), error))
        throw KeyFileError(KeyFileFault::Missing, "no key file " + path);
    std::ifstream file(pathOf(path), std::ios::binary);
    if (!file) throw KeyFileError(KeyFileFault::Unreadable, "cannot read " + path);
    std::string text;
    // A key file is one short line; anything long is not one.
    text.resize(256);
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(file.gcount()));
    if (file.bad()) throw KeyFileError(KeyFileFault::Unreadable, "cannot read " + path);
    return text;
}

// The key bytes of "<prefix><Base64>\n" (a CR before the LF is allowed).
std::optional<std::string> keyBytes(std::string text, const std::string& prefix, size_t size) {
    if (text.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
    text.erase(0, prefix.size());
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    const std::optional<std::string> bytes = fromBase64(text);
    if (!bytes || bytes->size() != size) return std::nullopt;
    return bytes;
}

}  // namespace

std::string privateKeyText(const KeyPair& key) {
    return kPrivatePrefix + toBase64(key.seed) + "\n";
}

std::string publicKeyText(const std::string& publicKey) {
    return kPublicPrefix + toBase64(publicKey) + "\n";
}

KeyPair createKeyFiles(const std::string& privatePath, const std::string& publicPath) {
    std::error_code error;
    for (const std::string& path : {privatePath, publicPath})
        if (std::filesystem::exists(pathOf(path), error))
            throw KeyFileError(KeyFileFault::Exists, path + " exists; keys are never overwritten");
    const KeyPair key = generateKeyPair();
    createFileExclusively(privatePath, privateKeyText(key), true);
    try {
        createFileExclusively(publicPath, publicKeyText(key.publicKey), false);
    } catch (const KeyFileError& failure) {
        // The public half can always be written again from the private key.
        if (failure.fault() != KeyFileFault::Exists) throw;
    }
    return key;
}

KeyPair createPrivateKeyFile(const std::string& privatePath) {
    const KeyPair key = generateKeyPair();
    createFileExclusively(privatePath, privateKeyText(key), true);
    return key;
}

void writePublicKeyFile(const std::string& path, const std::string& publicKey) {
    createFileExclusively(path, publicKeyText(publicKey), false);
}

KeyPair readPrivateKeyFile(const std::string& path) {
    const std::optional<std::string> seed = keyBytes(readWhole(path), kPrivatePrefix, kSeedBytes);
    if (!seed) throw KeyFileError(KeyFileFault::Malformed, path + " is not a private key file");
    // A key others could read may have been copied: it no longer proves this dealer.
    if (readableByOthers(path))
        throw KeyFileError(KeyFileFault::OpenToOthers,
                           path + " may be read by other users (chmod 600 it)");
    return {*seed, publicKeyOf(*seed)};
}

std::string readPublicKeyFile(const std::string& path) {
    const std::optional<std::string> key =
        keyBytes(readWhole(path), kPublicPrefix, kPublicKeyBytes);
    if (!key) throw KeyFileError(KeyFileFault::Malformed, path + " is not a public key file");
    return *key;
}

std::vector<std::string> readPublicKeys(const std::string& fileOrFolder) {
    std::error_code error;
    if (!std::filesystem::is_directory(pathOf(fileOrFolder), error))
        return {readPublicKeyFile(fileOrFolder)};
    std::vector<std::string> keys;
    for (const auto& entry : std::filesystem::directory_iterator(pathOf(fileOrFolder), error)) {
        if (!entry.is_regular_file(error)) continue;
        try {
            keys.push_back(readPublicKeyFile(entry.path().u8string()));
        } catch (const KeyFileError&) {
            // Other files may share the folder.
        }
    }
    if (keys.empty())
        throw KeyFileError(KeyFileFault::Missing, "no public key file in " + fileOrFolder);
    return keys;
}

}  // namespace velmora::certificate
