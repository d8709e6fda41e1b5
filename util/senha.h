// Passwords as the database keeps them. New and changed passwords are kept
// as argon2id strings (libsodium's crypto_pwhash_str: salted, slow, with
// their own parameters); databases made by earlier versions hold MD5 hex
// digests, which still count until the user's next login replaces them.
// Every digest is made here, on the desktop: the password itself never goes
// to the server.
#ifndef ZUMBREL_UTIL_SENHA_H
#define ZUMBREL_UTIL_SENHA_H

#include <string>

namespace senha {

// The argon2id string of a password ("" when it cannot be made: out of
// memory, for one), made with 19 MiB of memory and 2 passes (the figures
// OWASP recommends): slow enough for a guesser, quick for a login, and no
// 64 MiB spike in the program's memory at every login.
std::string argon2id(const std::string& senha);
// The MD5 hex digest (lower case) that earlier versions kept.
std::string md5(const std::string& senha);
// Whether a stored value is an MD5 hex digest (32 hex digits).
bool e_md5(const std::string& guardada);
// Whether a stored value should be made again at the next login: an MD5
// digest, or an argon2id string made with other parameters than argon2id's.
bool desatualizada(const std::string& guardada);
// Whether the password is the one the stored value was made from (argon2id
// or MD5); anything else stored never matches.
bool confere(const std::string& senha, const std::string& guardada);

} // namespace senha

#endif // ZUMBREL_UTIL_SENHA_H
