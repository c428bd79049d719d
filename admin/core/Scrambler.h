// The program's keyed character substitution for stored credentials and the
// access data handed to the clients. Each character's Windows-1252 code is
// shifted by a running key that is recomputed after every character from
// itself and nine coefficients; stored data exists in this form, so both
// directions follow the same arithmetic exactly (16-bit integers, divisions
// in double precision, banker's rounding).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qvadmin {

// Whether `text` comes back from scrambling as it went in: every character
// has a code 1..255 in Windows-1252. Letters of other scripts (such as "ł")
// and the character with code 0 do not.
bool SurvivesScrambling(std::string_view text);

// The check to make where a user enters text that will be stored
// scrambled (server, user name and password of the login, the access data
// of the clients, Memo database passwords): true when `text` survives
// scrambling; otherwise tells the user which characters can't be stored in
// `what` (for example "password") and returns false, so that nothing is
// stored changed.
bool CheckScramblable(const std::string& text, const std::string& what);

// Scrambles `text`. `key` receives the clamped start key and, afterwards,
// the last running key; the coefficients are taken by value (the caller's
// values never change). Raises error 6 (overflow) when the running key
// leaves the 16-bit range and error 5 when a computed code falls outside
// 0..255 or when `text` holds a character without a Windows-1252 code (it
// would come back as "?"); no text is returned then.
std::string ScrambleText(std::string_view text, int16_t& key, int16_t c0, int16_t c1, int16_t c2,
                         int16_t c3, int16_t c4, int16_t c5, int16_t c6, int16_t c7, int16_t c8);

// Reverses ScrambleText for every character whose code is 1..255.
std::string UnscrambleText(std::string_view text, int16_t& key, int16_t c0, int16_t c1, int16_t c2,
                           int16_t c3, int16_t c4, int16_t c5, int16_t c6, int16_t c7, int16_t c8);

// A start key and its nine coefficients, as the call sites pass them.
struct ScrambleKeySet {
  int16_t key;
  std::array<int16_t, 9> c;
};

std::string ScrambleText(std::string_view text, const ScrambleKeySet& keySet);
std::string UnscrambleText(std::string_view text, const ScrambleKeySet& keySet);

}  // namespace qvadmin
