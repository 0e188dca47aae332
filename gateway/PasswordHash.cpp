#include "AccountStore.h"

#include <sodium.h>

namespace gatewayd {

std::string hashPassword(const std::string &password) {
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(
            out, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
            crypto_pwhash_MEMLIMIT_INTERACTIVE, crypto_pwhash_ALG_ARGON2ID13) != 0)
        return {};
    return out;
}

bool passwordMatches(const std::string &hash, const std::string &password) {
    return !hash.empty() &&
           crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

const std::string &decoyPasswordHash() {
    static const std::string hash = hashPassword("decoy password of no account");
    return hash;
}

} // namespace gatewayd
