// Passwords as the database keeps them, made here, on the desktop: the
// password itself never goes to the server.
//
// A database that decides who may do what (sql/seguranca.sql) keeps, for
// each password, the SHA-256 of its argon2id key (libsodium's
// crypto_pwhash, salted and slow) with that key's salt and cost; a login
// sends the key, which the server checks against it. What is stored does
// not log anyone in by itself. Passwords of earlier versions, kept as MD5
// under bcrypt, are proved by their MD5 digest until the next login stores
// them anew.
//
// A database not brought up to date yet keeps argon2id strings (libsodium's
// crypto_pwhash_str) or MD5 hex digests in the users' table, checked here.
#ifndef ZUMBREL_UTIL_SENHA_H
#define ZUMBREL_UTIL_SENHA_H

#include <cstddef>
#include <string>

namespace senha {

// The argon2id string of a password ("" when it cannot be made: out of
// memory, for one), made with 19 MiB of memory and 2 passes (the figures
// OWASP recommends): slow enough for a guesser, quick for a login, and no
// 64 MiB spike in the program's memory at every login.
std::string argon2id(const std::string& senha);

// How the server says a password is proved: argon2id with that salt
// (base64, as libsodium writes it) and cost (passes, KiB), or the MD5
// digest.
struct PARAMETROS
{
    std::string tipo;   // "argon2id" or "md5"
    std::string sal;
    unsigned long long passadas = 0;
    std::size_t memoria = 0;
};
// The proof of the password (hex): its argon2id key under those parameters,
// or its MD5 digest; "" when it cannot be made (a salt that is not one).
std::string prova(const std::string& senha, const PARAMETROS& p);
// What a new password is stored as: a fresh salt, the cost of argon2id()
// and the SHA-256 of the key ("" when it cannot be made).
// `prova`, when given, gets the proof of it.
std::string forma_nova(const std::string& senha, std::string* prova = nullptr);
// Whether a proof made under those parameters should be stored anew: an
// MD5 digest, or a key of another cost than forma_nova's.
bool desatualizados(const PARAMETROS& p);
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
